/*
 * Monitors, pointer and DPI from the system (see desktop.h).
 */
#include "draw/desktop.h"

#include "base/late_import.h"
#include "base/unique_handle.h"

namespace {

using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
using GetDpiForSystemProc = UINT(WINAPI*)();
using GetDpiForMonitorProc = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

// MONITOR_DPI_TYPE's MDT_EFFECTIVE_DPI: the DPI the user's scaling gives.
constexpr int kEffectiveDpi = 0;

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    Desktop* desktop = reinterpret_cast<Desktop*>(data);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (desktop->Count >= kMaxMonitors)
        return FALSE;
    if (GetMonitorInfoA(monitor, &info)) {
        desktop->Areas[desktop->Count] = {ToLayout(info.rcMonitor), ToLayout(info.rcWork)};
        desktop->Handles[desktop->Count] = monitor;
        ++desktop->Count;
    }
    return TRUE;
}

// The primary screen, for a system that lists no monitor.
void AddPrimaryScreen(Desktop* desktop)
{
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT work = screen;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const POINT origin = {0, 0};
    desktop->Areas[0] = {ToLayout(screen), ToLayout(work)};
    desktop->Handles[0] = MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY);
    desktop->Count = 1;
}

bool FindDesktopIconList(RECT* rect)
{
    HWND shell = FindWindowA("Progman", "Program Manager");
    HWND view =
        shell != nullptr ? FindWindowExA(shell, nullptr, "SHELLDLL_DefView", nullptr) : nullptr;
    HWND icons = view != nullptr ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
    return icons != nullptr && GetWindowRect(icons, rect);
}

}  // namespace

LayoutRect ToLayout(const RECT& rect)
{
    return LayoutRect{rect.left, rect.top, rect.right, rect.bottom};
}

void ReadDesktop(Desktop* desktop)
{
    desktop->Count = 0;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(desktop));
    if (desktop->Count == 0)
        AddPrimaryScreen(desktop);
    RECT icons;
    if (desktop->Count == 1 && FindDesktopIconList(&icons))
        desktop->Areas[0].Work = ToLayout(icons);
    desktop->Pointer = POINT{0, 0};
    GetCursorPos(&desktop->Pointer);
}

int SystemDpi()
{
    static const auto getDpiForSystem = LateImport<GetDpiForSystemProc>("user32.dll", "GetDpiForSystem");
    if (getDpiForSystem != nullptr)
        return static_cast<int>(getDpiForSystem());
    tav::WindowDc screen(nullptr);
    return screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

int MonitorDpi(HMONITOR monitor)
{
    static const auto getDpiForMonitor =
        LateImport<GetDpiForMonitorProc>("shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (getDpiForMonitor != nullptr && monitor != nullptr
        && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && y > 0)
        return static_cast<int>(y);
    return SystemDpi();
}

int WindowDpi(HWND window)
{
    static const auto getDpiForWindow = LateImport<GetDpiForWindowProc>("user32.dll", "GetDpiForWindow");
    UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
    if (dpi > 0)
        return static_cast<int>(dpi);
    return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}
