/*
 * Interface of the hook library Tav.dll, linked by name by Tav.exe.
 *
 * All four functions are called from the program's thread, in any order:
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

// Class of the library's hidden window, which exists from SetHook to FreeHook
// on the library's thread and receives the shell's notifications.
#define TAV_HOOK_WINDOW_CLASS "TavHook"

#endif
