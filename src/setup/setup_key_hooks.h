/*
 * What the setup window borrows from the options side, which lies above it,
 * for the entries' own keys.
 */
#ifndef TAV_SETUP_SETUP_KEY_HOOKS_H
#define TAV_SETUP_SETUP_KEY_HOOKS_H

#include <windows.h>

// The capture dialog for an entry's own key (as RunEntryKeyCaptureDialog)
// and a key's text (as FormatHotKeyText, into kSetupKeyTextSize bytes).
// Either may be null: the command then does nothing, or the rows show no
// key text.
constexpr int kSetupKeyTextSize = 64;
struct SetupKeyHooks {
    INT_PTR (*CaptureEntryKey)(HWND owner, const char* keyString, DWORD* hotKey);
    void (*FormatKey)(char* text, int code, int modifiers);
};

#endif
