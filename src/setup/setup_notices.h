/*
 * The setup editor's message boxes: questions with OK and Cancel and the
 * exclamation icon, or notices with OK alone (ShowTavMessage).  And the two
 * texts that come in from outside the program's fields: a dropped file's
 * path, taken the same way by the setup window and by the entry dialog's
 * program and sound fields, and a title typed into a dialog.
 */
#ifndef TAV_SETUP_SETUP_NOTICES_H
#define TAV_SETUP_SETUP_NOTICES_H

#include <windows.h>
#include <shellapi.h>

// A notice: string textId with OK alone.
void ShowSetupNotice(HWND owner, int textId);

// A question: string textId, formatted with argument when it holds "%s";
// true when the user chose OK.
bool AskSetupQuestion(HWND owner, int textId, const char* argument = nullptr);

// Takes the first file of a drop into path (kPathSize bytes) and releases
// the drop.  True when path holds it; false when the drop holds no file, or
// when its path does not fit a path field, which a notice (string 46) then
// says, owned by owner: an entry is never made from a cut path.
bool TakeDroppedPath(HWND owner, HDROP drop, char* path);

// Reads the title or name typed into control id of dialog into title
// (kTitleSize bytes): at most 31 bytes, never ending in half a character.
void ReadTitleText(HWND dialog, int id, char* title);

#endif
