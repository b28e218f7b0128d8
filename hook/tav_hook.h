/*
 * Interface of the hook library Tav.dll, linked by name by Tav.exe.
 */
#ifndef TAV_HOOK_TAV_HOOK_H
#define TAV_HOOK_TAV_HOOK_H

#include <windows.h>

#ifdef TAV_HOOK_BUILD
#define TAV_HOOK_API extern "C" __declspec(dllexport)
#else
#define TAV_HOOK_API extern "C" __declspec(dllimport)
#endif

// Installs the library's watch; it delivers UM_SHOWLAUNCHER to window.
TAV_HOOK_API BOOL WINAPI SetHook(HWND window);
// Removes whatever SetHook installed.
TAV_HOOK_API BOOL WINAPI FreeHook(void);
// The launcher key to watch (a virtual-key code), or 0 for none.
TAV_HOOK_API BOOL WINAPI SetKey(DWORD key);
// 1: activate windows that flash in the taskbar; 0: leave them.
TAV_HOOK_API BOOL WINAPI SetForeground(DWORD on);

#endif
