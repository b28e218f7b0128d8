/*
 * The tray menu's settings-file commands: choose a file, export or import
 * the whole configuration, and tell the user how it went.
 */
#ifndef TAV_CORE_SETTINGS_COMMANDS_H
#define TAV_CORE_SETTINGS_COMMANDS_H

#include <windows.h>

// Command 210: save dialog, ExportSettings, message box (string 40 or 41).
// iniPath is the 260-byte buffer the two commands share.
void RunExportCommand(HWND window, char* iniPath);

// Command 220: open dialog, ImportSettings; on success ApplySettings and
// string 38, on failure string 39 and nothing reloaded.
void RunImportCommand(HWND window, char* iniPath);

#endif
