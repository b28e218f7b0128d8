/*
 * The launcher window: the hub of the resident program.  Its process-wide
 * state, and the operations that other parts call on it.
 */
#ifndef TAV_CORE_LAUNCHER_WINDOW_H
#define TAV_CORE_LAUNCHER_WINDOW_H

#include <windows.h>

#include "core/launcher_state.h"
#include "core/messages.h"
#include "launch/key_table.h"

// Process-wide state of the launcher.
extern LauncherState Launcher;        // settings, slot table, metrics, capture
extern int Selection;                 // the selected slot, 0..36
extern int SetupMode;                 // 1 while setup window, options or about box is open
extern ATOM HotKeyAtom;               // id of the registered hot key, or 0
extern char KeyPath[kKeyPathSize];    // the level the slot table holds

LRESULT CALLBACK LauncherWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers class "Tav" and creates the hidden launcher window; null on failure.
HWND CreateLauncherWindow(LauncherState* state);

// Opens the options dialog when no window position was ever saved.
void CheckFirstRun();

void ShowLauncher(HWND window, LauncherState* state);
// Hides the launcher and returns the new selection.
int HideLauncher(HWND window, LauncherState* state, char* keyPath, int selection);
void ApplySettings(HWND window, LauncherState* state, char* keyPath);
void ForceForeground(HWND window);
// HTLEFT, HTRIGHT or HTCLIENT for the cursor's position over the window.
int EdgeHitTest(HWND window);

#endif
