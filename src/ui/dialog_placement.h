/*
 * Where every dialog of the program opens: centred in the quarter of the
 * work area of the pointer's monitor that holds the mouse pointer, kept
 * inside that work area.  The arithmetic is PlaceDialogOnMonitors
 * (draw/portable/monitors.h); the monitors are the ones docking uses
 * (ReadDesktop, which takes the desktop icon list on a desktop of one
 * monitor).
 */
#ifndef TAV_UI_DIALOG_PLACEMENT_H
#define TAV_UI_DIALOG_PLACEMENT_H

#include <windows.h>

// Moves the dialog (size and Z order unchanged).  Called from WM_INITDIALOG,
// when the dialog has its size and is not yet shown.
void PlaceDialog(HWND dialog);

#endif
