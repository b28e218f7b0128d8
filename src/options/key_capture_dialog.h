/*
 * The key-capture dialog "CustKeyDlg": a small box with a painted prompt
 * that closes on the first key pressed that is not a lone modifier,
 * recording that key and the modifiers held with it.  It serves the
 * launcher key and the entries' own keys.
 *
 * A key that is taken is never recorded: one the system refuses now
 * (RegisterHotKey fails on the dialog's window; another program holds it),
 * Tav's own launcher key, or another entry's key.  The dialog then stays
 * open and says so under the prompt, with up to three other Ctrl/Alt/Shift
 * combinations of the same key that are free right now, and waits for the
 * next key.  Nothing can tell which program holds a key, so none is named.
 */
#ifndef TAV_OPTIONS_KEY_CAPTURE_DIALOG_H
#define TAV_OPTIONS_KEY_CAPTURE_DIALOG_H

#include <windows.h>

#include "base/launcher_state.h"

// Runs the dialog owned by owner.  1 when a key was recorded: OpenHotKey is
// its virtual-key code, OpenHotKeyEx the modifiers held (MOD_ALT 1,
// MOD_CONTROL 2, MOD_SHIFT 4) and CheckIME 0.  0 when it was closed
// otherwise (Enter and Esc close it too); settings is then untouched.
// The launcher key is taken when the system refuses it or an entry has it;
// an IME key alone (変換, 無変換) is recorded without a check, since the hook
// library may watch it.
INT_PTR RunKeyCaptureDialog(HWND owner, LauncherState* settings);

// Runs the dialog for the entry at key string keyString.  An entry's key
// needs a modifier: a key pressed alone (an IME key too) is not recorded,
// and the dialog says so, except Delete and Backspace alone, which remove
// the key.  1 with *hotKey the new key as the entry tree stores it (0: the
// key removed); 0 when closed otherwise (Enter, Esc), *hotKey untouched.
// The entry's present key counts as free; the launcher key (read from the
// settings) and the other entries' keys as taken.
INT_PTR RunEntryKeyCaptureDialog(HWND owner, const char* keyString, DWORD* hotKey);

#endif
