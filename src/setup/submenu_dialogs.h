/*
 * The setup window's two small dialogs: "ClassNameDlg" names a new submenu
 * on an empty key or renames a submenu; "SubKeyDlg" asks, while a file
 * dropped on a submenu or ".." row is being placed, which key of the level
 * now shown receives it.
 */
#ifndef TAV_SETUP_SUBMENU_DIALOGS_H
#define TAV_SETUP_SUBMENU_DIALOGS_H

#include <windows.h>

#include "store/entry_tree.h"

// The submenu-name dialog for the entry at location.  On OK with a name the
// entry becomes a submenu of that name (program "-1", no folder, parameters
// or sound); the entries below it stay.  1 after OK wrote it, 0 after
// Cancel.  OK with an empty name does nothing and keeps the dialog open.
INT_PTR RunSubmenuNameDialog(HWND owner, const EntryLocation* location);

// The key-assignment dialog: the slot 1..36 of the key chosen from the
// list "A" to "Z", "0" to "9", or -1 after Cancel.  It writes nothing.
int RunAssignKeyDialog(HWND owner);

#endif
