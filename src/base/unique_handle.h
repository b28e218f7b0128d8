/*
 * Move-only owners for Win32 handles, and a guard that undoes SelectObject.
 *
 * Every GDI object, DC, registry key and menu that Tav creates is held by one
 * of these for exactly the operation that uses it, so "created, selected,
 * restored and deleted within the operation" holds by construction.  Copies
 * are impossible: a copied owner would free its handle twice.
 */
#ifndef TAV_BASE_UNIQUE_HANDLE_H
#define TAV_BASE_UNIQUE_HANDLE_H

#include <windows.h>

#include <utility>

#include "base/gdi_check.h"

namespace tav {

// Owns one handle of type H; Close(h) releases it.  A null handle owns nothing.
template <typename H, auto Close>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != H(); }

    // For out-parameters (RegOpenKeyExA and the like): frees what is held.
    H* put()
    {
        reset();
        return &handle_;
    }

    H release()
    {
        H handle = handle_;
        handle_ = H();
        return handle;
    }

    void reset(H handle = H())
    {
        if (handle_ != H())
            Close(handle_);
        handle_ = handle;
    }

private:
    H handle_ = H();
};

namespace detail {
inline void CloseRegKey(HKEY key) { RegCloseKey(key); }
inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DeleteBitmapHandle(HBITMAP bitmap) { DeleteBitmap(bitmap); }
inline void DeleteMemoryDc(HDC dc) { DeleteDC(dc); }
inline void DestroyMenuHandle(HMENU menu) { DestroyMenu(menu); }
inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void ReleaseLibrary(HMODULE module) { FreeLibrary(module); }
}  // namespace detail

using UniqueHKey = UniqueHandle<HKEY, detail::CloseRegKey>;
using UniqueHFont = UniqueHandle<HFONT, detail::DeleteGdiObject>;
using UniqueHBrush = UniqueHandle<HBRUSH, detail::DeleteGdiObject>;
using UniqueHPen = UniqueHandle<HPEN, detail::DeleteGdiObject>;
using UniqueHBitmap = UniqueHandle<HBITMAP, detail::DeleteBitmapHandle>;
using UniqueMemoryDc = UniqueHandle<HDC, detail::DeleteMemoryDc>;
using UniqueHMenu = UniqueHandle<HMENU, detail::DestroyMenuHandle>;
using UniqueModule = UniqueHandle<HMODULE, detail::ReleaseLibrary>;
// Kernel handles whose "none" is null (not INVALID_HANDLE_VALUE).
using UniqueKernelHandle = UniqueHandle<HANDLE, detail::CloseKernelHandle>;

// A DC from GetDC/GetWindowDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window, bool whole_window = false)
        : window_(window), dc_(whole_window ? GetWindowDC(window) : GetDC(window)) {}
    ~WindowDc()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and selects the previous one back at scope end.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectGuard()
    {
        if (previous_ && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace tav

#endif
