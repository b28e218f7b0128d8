/*
 * The about box "AboutDlg": the program's icon, name and version, the
 * maker, and two link fields with the maker's web address and e-mail
 * address that open through the shell when clicked.  It slides into view
 * with an animation chosen at random.
 */
#ifndef TAV_OPTIONS_ABOUT_DIALOG_H
#define TAV_OPTIONS_ABOUT_DIALOG_H

#include <windows.h>
#include <shellapi.h>

// Runs the box owned by owner until OK or Esc; returns 0 (-1 when it could
// not be created).
INT_PTR RunAboutDialog(HWND owner);

// Gives control id of dialog an underlined copy of the dialog's font and
// sizes the control to text in it; returns the font, which the caller
// deletes once the control is gone.
HFONT FitLinkControl(HWND dialog, int id, const char* text);

// The window procedure of both link fields (edit controls): a hand cursor,
// no caret, and a click that selects nothing opens the field's text.
LRESULT CALLBACK LinkProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the dialog with one of five slide animations, chosen at random
// (AnimateWindow, looked up at run time; without it the dialog manager
// shows the box as usual).
void AnimateDialog(HWND dialog);

// The call through which a click hands the link to the shell:
// ShellExecuteExA, or what a test puts in its place.
extern BOOL(WINAPI* OpenLinkThroughShell)(SHELLEXECUTEINFOA* info);

#endif
