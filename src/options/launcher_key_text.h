/*
 * The launcher key as the options dialog and its notices show it, in the
 * string table's words (strings 29 to 32 and the key-name list, 36).
 */
#ifndef TAV_OPTIONS_LAUNCHER_KEY_TEXT_H
#define TAV_OPTIONS_LAUNCHER_KEY_TEXT_H

#include "options/portable/key_names.h"

// FormatLauncherKey (kLauncherKeyTextSize bytes into text) with the
// program's own texts.
void FormatLauncherKeyText(char* text, int code, int modifiers, int imeFlag);

// The same for a hot key whose modifiers may hold MOD_WIN too ("WIN+"
// first), as an entry's own key has them.
void FormatHotKeyText(char* text, int code, int modifiers);

#endif
