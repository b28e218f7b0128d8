/*
 * The program's open and save dialogs (the common file dialogs), shared by
 * the entry dialog and the tray menu's settings-file commands, and the
 * folder browser of the entry dialog.
 *
 * Both take the caller's 260-byte path buffer: its content is the name the
 * dialog offers first, and it receives the chosen path.  The filter is a
 * string-table text with tab separators (file_filter.h); it may be the
 * buffer of ResString, which is copied before ResString is called again.
 */
#ifndef TAV_UI_FILE_DIALOGS_H
#define TAV_UI_FILE_DIALOGS_H

#include <windows.h>

// The open dialog, titled string 24.  1 when the user chose a file: the
// buffer holds its path and, when controlId is not 0, that control of the
// owner shows it.  0 on Cancel or error; the buffer keeps its content.
int OpenFileDialog(HWND owner, char* path, const char* filter, int controlId);

// The save dialog, titled string 42; it asks before a file is overwritten
// and adds defaultExtension (without the dot) to a name typed without one.
// 1 when the user chose a file (its path is in the buffer), else 0.
int SaveFileDialog(HWND owner, char* path, const char* filter, const char* defaultExtension);

// The shell's folder browser, titled title, starting at the desktop with
// nothing chosen; it offers file-system folders only.  On a choice with a
// file-system path, path (kPathSize bytes) holds that path and control
// controlId of owner shows it.  Cancel, or a choice without such a path,
// leaves the control as it was (the buffer may then hold the chosen item's
// display name).
void BrowseForFolder(HWND owner, char* path, const char* title, int controlId);

#endif
