/*
 * Where every dialog of the program opens: centred in the quarter of the
 * desktop that holds the mouse pointer, kept inside the desktop.  The
 * arithmetic is DialogPosition (draw/portable/layout.h); the desktop is the
 * one docking uses (GetDesktopArea).
 */
#ifndef TAV_SETUP_DIALOG_PLACEMENT_H
#define TAV_SETUP_DIALOG_PLACEMENT_H

#include <windows.h>

// Moves the dialog (size and Z order unchanged).  Called from WM_INITDIALOG,
// when the dialog has its size and is not yet shown.
void PlaceDialog(HWND dialog);

#endif
