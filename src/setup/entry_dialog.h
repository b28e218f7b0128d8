/*
 * The entry dialog "SetLaunchDlg": edits the five texts of the entry at one
 * key (title, program, working folder, parameters, sound) and writes them
 * at once on OK.  Opened by the setup window for the selected key, either
 * on what the key holds or, after a file was dropped on the setup window,
 * prefilled from that file.  Files dropped onto the program and sound
 * fields fill them; each of program, folder and sound has a browse button.
 */
#ifndef TAV_SETUP_ENTRY_DIALOG_H
#define TAV_SETUP_ENTRY_DIALOG_H

#include <windows.h>

#include "store/entry_tree.h"

// Runs the dialog for the entry at location, owned by owner.  When
// pendingPath (kPathSize bytes) holds a dropped file's path, the dialog
// starts from it (title from the file name, program the path) and empties
// it; otherwise from the stored entry.  1 after OK wrote the entry, 0 after
// Cancel.
INT_PTR RunEntryDialog(HWND owner, const EntryLocation* location, char* pendingPath);

#endif
