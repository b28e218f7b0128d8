/*
 * The launcher window: the hub of the resident program.  Its process-wide
 * state, and the operations that other parts call on it.
 */
#ifndef TAV_CORE_LAUNCHER_WINDOW_H
#define TAV_CORE_LAUNCHER_WINDOW_H

#include <windows.h>

#include "base/launcher_state.h"
#include "base/messages.h"
#include "base/portable/key_table.h"

// Process-wide state of the launcher.
extern LauncherState Launcher;        // settings, slot table, metrics, capture
extern int Selection;                 // the selected slot, 0..36
extern int SetupMode;                 // 1 while setup window, options or about box is open
extern ATOM HotKeyAtom;               // id of the registered hot key, or 0
extern char KeyPath[kKeyPathSize];    // the level the slot table holds
extern HWND LauncherWindow;           // set once by start-up, after creation
extern HWND SetupWindow;              // the setup window while setup mode lasts; the
                                      // message loop tests it with IsWindow

// Registers class "Tav" and creates the hidden launcher window; null on
// failure.  The window shows state from then on (the process-wide Launcher
// record in the program); what it keeps besides (its caches, the settings
// file's name, the modal commands running) travels with the window.
HWND CreateLauncherWindow(LauncherState* state);

// Opens the options dialog (command 110 to LauncherWindow) when no window
// position was ever saved: "Top" is missing or holds -999.
void CheckFirstRun();

// Showing the launcher takes these steps, in this order: ForceForeground,
// MoveToShowPosition, the screen copy (CaptureBackground), ShowAndFocus;
// the benchmark times them one by one.

// Makes window the foreground window even when another thread owns the
// foreground: by a plain SetForegroundWindow where the system allows it,
// else by sharing the foreground thread's input state for the call.
void ForceForeground(HWND window);

// Measures and sizes the window for the DPI of the monitor it shows on
// (the pointer's for a docked launcher), then moves it to the place
// PosType gives it now; a window already there is not moved.
void MoveToShowPosition(HWND window, LauncherState* state, const char* keyPath);

// Shows the window and gives it the keyboard focus.
void ShowAndFocus(HWND window);

// Hides the launcher, stops its timer and frees the screen copy; without
// SaveCursor it also returns to the top level.  Returns the new selection:
// 1 when it left a submenu that way, else the given one.
int HideLauncher(HWND window, LauncherState* state, char* keyPath, int selection);

// Reloads the settings into state and shows the top level with them
// (sized and placed anew).  The launcher key's registration is untouched.
void ApplySettings(HWND window, LauncherState* state, char* keyPath);

// Enters (1) or leaves (0) setup mode, for the setup window, the options
// dialog and the about box: while it lasts the launcher key shows nothing
// (a key watched by the hook library goes on to the window in front) and
// the tray menu greys the commands that open those windows.  Every change
// of SetupMode goes through here.
void SetSetupMode(int mode);

// HTLEFT, HTRIGHT or HTCLIENT for the cursor's position over the launcher
// window, whose side strips are as wide as the DPI of what it shows wants.
int EdgeHitTest(HWND window);

#endif
