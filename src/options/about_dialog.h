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

// The call through which a click hands the link to the shell:
// ShellExecuteExA, or what a test puts in its place.
extern BOOL(WINAPI* OpenLinkThroughShell)(SHELLEXECUTEINFOA* info);

#endif
