/*
 * Key handling of the shown launcher: arrows move the selection, Enter acts
 * on it, Backspace goes up a level, a letter or digit acts on its slot at
 * once, any other key hides the launcher.  Acting on a slot opens its
 * submenu, returns to the parent, or starts its entry through the shell.
 */
#ifndef TAV_LAUNCH_KEY_HANDLING_H
#define TAV_LAUNCH_KEY_HANDLING_H

#include <windows.h>

#include "core/launcher_state.h"

// Handles one WM_KEYDOWN (key: the low byte of wParam) and returns the new
// selection.  An arrow that lands on a hidden empty slot posts itself again
// to window, so the selection moves on one slot per message.
int HandleLauncherKey(HWND window, LauncherState* state, char* keyPath, int selection, int key);

// Loads the level keyPath names into the slot table and fits the window to
// it.  Any non-zero ShowAllKey shows all 37 lines, as painting and the arrow
// keys take it: a hand-edited 2 must not give a window of a few lines over
// which all 37 are drawn.
void ShowLevel(HWND window, LauncherState* state, const char* keyPath);

// Acts on slot 0..36 of the level keyPath names and returns the new
// selection.  keyPath is a kKeyPathSize buffer and never grows beyond
// kKeyPathMax keys: a submenu below the deepest level acts as an entry
// without a program.
int ActivateSlot(HWND window, LauncherState* state, char* keyPath, int slot);

#endif
