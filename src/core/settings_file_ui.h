/*
 * The user's side of the settings file: choose the file in the save or open
 * dialog, export or import, and say how it went in a message box.  The tray
 * commands 210 and 220 of the launcher window run these; the reload after
 * an import is passed in, so the flow does not depend on the launcher
 * window.
 */
#ifndef TAV_CORE_SETTINGS_FILE_UI_H
#define TAV_CORE_SETTINGS_FILE_UI_H

#include <windows.h>

// Save dialog on iniPath (the 260-byte buffer both commands share), then
// ExportSettings under the wait cursor and string 40 on success or 41 on
// failure.  Cancel does nothing.
void ExportWithDialog(HWND window, char* iniPath);

// Open dialog on iniPath, then ImportSettings under the wait cursor; on
// success reload(window), still under it, and string 38; on failure string
// 39 and no reload.  Cancel does nothing.
void ImportWithDialog(HWND window, char* iniPath, void (*reload)(HWND window));

#endif
