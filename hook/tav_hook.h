/*
 * Interface of the hook library Tav.dll, linked by name by Tav.exe.
 *
 * All functions are called from the program's thread, in any order:
 * SetKey and SetForeground may come before SetHook, and the library keeps
 * their values until the hook is installed and after it is removed.  Every
 * function returns TRUE; the program tests no result.  The library watches
 * on a thread of its own, from SetHook to FreeHook, and only posts to the
 * program: the program's thread may be busy for as long as it likes without
 * holding up anybody's keys.
 *
 * The functions use the C calling convention: on i686 their symbols then
 * carry no "@n" suffix, so "SetHook" is what the export table, the import
 * library and Tav.exe's import table name on both architectures.
 */
#ifndef TAV_HOOK_TAV_HOOK_H
#define TAV_HOOK_TAV_HOOK_H

#include <windows.h>

#ifdef TAV_HOOK_BUILD
#define TAV_HOOK_API extern "C" __declspec(dllexport)
#else
#define TAV_HOOK_API extern "C" __declspec(dllimport)
#endif

// Starts the library's thread: while a key is set, its press alone posts
// UM_SHOWLAUNCHER to window, and (with SetForeground(1)) windows that flash
// in the taskbar are activated.  A second SetHook replaces the first.
TAV_HOOK_API BOOL SetHook(HWND window);
// Removes whatever SetHook installed and ends (and waits for) the library's
// thread; the key and the option stay set.
TAV_HOOK_API BOOL FreeHook(void);
// The launcher key to watch (a virtual-key code), or 0 for none: keys then
// pass the library untouched.  Takes effect before it returns.
TAV_HOOK_API BOOL SetKey(DWORD key);
// 1: activate windows that flash in the taskbar; 0: leave them.
TAV_HOOK_API BOOL SetForeground(DWORD on);

// Type-ahead (beyond the four above).  From the launcher key's key-down
// until the launcher takes the keys, the library holds the key-downs and
// releases typed without Ctrl, Alt or Win (modifier and lock keys pass on),
// and posts them to the launcher window as UM_HELDKEY, in the order typed.

// A key that starts a capture when it goes down with exactly these
// modifiers (MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN), and passes on: a
// system hot key that shows the launcher.  key 0: none.  The key handed to
// SetKey starts a capture of its own whenever it shows the launcher.
TAV_HOOK_API BOOL SetCaptureKey(DWORD key, DWORD modifiers);
// The launcher is in front (or will not show): the held keys are posted to
// it now and the capture ends, so later keys reach it as typed after them.
// Without it the capture ends by itself about a second after it began.
TAV_HOOK_API BOOL DeliverHeldKeys(void);

// Test seam only: removes the hook behind the library's back, as Windows
// does with a hook that missed its time-out.  The library must notice it.
TAV_HOOK_API BOOL TestSeamDropHook(void);

// Class of the library's hidden window, which exists from SetHook to FreeHook
// on the library's thread and receives the shell's notifications.
#define TAV_HOOK_WINDOW_CLASS "TavHook"

#endif
