/*
 * Message boxes in the program's style: caption "Tav", the text from the
 * string table.  The launcher window, the options dialog and the setup
 * editor all show theirs through here.
 */
#ifndef TAV_UI_MESSAGE_BOX_H
#define TAV_UI_MESSAGE_BOX_H

#include <windows.h>

// A message box: string textId, formatted with argument when one is given
// (the text's "%s"), caption "Tav", and buttons (MB_ flags: the buttons and
// the icon).  The button chosen: IDOK, IDYES, ...
int ShowTavMessage(HWND owner, int textId, UINT buttons, const char* argument = nullptr);

#endif
