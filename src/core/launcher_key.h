/*
 * The launcher key: a system hot key, or (the IME keys 変換/無変換 without
 * modifiers while CheckIME is on) a key handed to the hook library.
 */
#ifndef TAV_CORE_LAUNCHER_KEY_H
#define TAV_CORE_LAUNCHER_KEY_H

#include <windows.h>

#include "base/launcher_state.h"

// 1 when the settings hand the launcher key to the hook library: OpenHotKey
// is VK_CONVERT or VK_NONCONVERT, CheckIME is 1 and OpenHotKeyEx is 0.
int IsLibraryKeyMode(const LauncherState* state);

// Registers the launcher key as the settings in state give it; returns the
// new HotKeyAtom: the hot key's id (the global atom "Tav"), or 0 in library
// mode or when no atom could be added.  A non-zero hotKeyAtom (a hot key
// still registered) is released first.
ATOM RegisterLauncherKey(ATOM hotKeyAtom, HWND window, const LauncherState* state);

// Releases the launcher key; returns 0 (the new HotKeyAtom).  Releases both
// ways, whatever the settings say now: the hot key named by a non-zero
// hotKeyAtom, and the hook library's key.
ATOM ReleaseLauncherKey(ATOM hotKeyAtom, HWND window, const LauncherState* state);

// Takes the key back from the hook library (paused 1) or hands it over again
// (0), for setup mode: meanwhile the library passes the key on to the program
// in front, where it keeps its usual meaning.  A key registered while paused
// is handed over only when the pause ends.  Hot keys stay registered.
void PauseLibraryKey(int paused);

#endif
