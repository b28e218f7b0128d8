/*
 * The launcher-key capture dialog "CustKeyDlg": a small box with a painted
 * three-line prompt that closes on the first key pressed that is not a lone
 * modifier, recording that key and the modifiers held with it.
 */
#ifndef TAV_OPTIONS_KEY_CAPTURE_DIALOG_H
#define TAV_OPTIONS_KEY_CAPTURE_DIALOG_H

#include <windows.h>

#include "base/launcher_state.h"

// Runs the dialog owned by owner.  1 when a key was recorded: OpenHotKey is
// its virtual-key code, OpenHotKeyEx the modifiers held (MOD_ALT 1,
// MOD_CONTROL 2, MOD_SHIFT 4) and CheckIME 0.  0 when it was closed
// otherwise (Enter and Esc close it too); settings is then untouched.
INT_PTR RunKeyCaptureDialog(HWND owner, LauncherState* settings);

#endif
