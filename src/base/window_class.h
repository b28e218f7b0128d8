/*
 * The window classes of the program's own windows (the launcher, the setup
 * window, the preview): one shape, registered in one place.  And the record
 * that a window keeps for itself.
 */
#ifndef TAV_BASE_WINDOW_CLASS_H
#define TAV_BASE_WINDOW_CLASS_H

#include <windows.h>

#include <memory>

// Registers class name in the program's module with procedure:
// CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, the icon "TAV", the arrow cursor,
// and background as its brush (null: nothing is erased, the window paints
// every pixel itself).  A class of that name registered before is
// unregistered first, so it is registered anew at each call.  Returns what
// RegisterClassA returns (0 on failure).
ATOM RegisterProgramClass(const char* name, WNDPROC procedure, HBRUSH background);

// A window's own record, as the launcher and the setup window keep theirs:
// the code that creates the window makes it and hands CreateWindowExA the
// address of the std::unique_ptr that owns it as lpCreateParams.  The
// window procedure calls KeepWindowRecord at WM_NCCREATE, which takes the
// record into GWLP_USERDATA (pointer-sized), and FreeWindowRecord at
// WM_NCDESTROY, the window's last message.  A window that is never made
// leaves the record with its creator's pointer, which frees it.
template <typename Record>
Record* WindowRecord(HWND window)
{
    return reinterpret_cast<Record*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

template <typename Record>
void KeepWindowRecord(HWND window, LPARAM createStruct)
{
    auto* create = reinterpret_cast<const CREATESTRUCTA*>(createStruct);
    auto* handed = static_cast<std::unique_ptr<Record>*>(create->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(handed->release()));
}

template <typename Record>
void FreeWindowRecord(HWND window)
{
    delete WindowRecord<Record>(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

#endif
