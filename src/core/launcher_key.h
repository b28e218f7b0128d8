/*
 * The launcher key: a system hot key, or (the IME keys 変換/無変換 without
 * modifiers while CheckIME is on) a key handed to the hook library.
 */
#ifndef TAV_CORE_LAUNCHER_KEY_H
#define TAV_CORE_LAUNCHER_KEY_H

#include <windows.h>

#include "core/launcher_state.h"

// 1 when the settings hand the launcher key to the hook library.
int IsLibraryKeyMode(const LauncherState* state);

// Registers the launcher key; returns the new HotKeyAtom (0 in library mode).
ATOM RegisterLauncherKey(ATOM hotKeyAtom, HWND window, const LauncherState* state);

// Releases it in the mode the settings give now; returns 0.
ATOM ReleaseLauncherKey(ATOM hotKeyAtom, HWND window, const LauncherState* state);

#endif
