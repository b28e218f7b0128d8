/*
 * Size and place of the launcher window: the Win32 side.  The rules
 * themselves are in portable/layout.cpp and the stored values in
 * store/window_position; this file measures the text, asks the system where
 * the desktop and the monitors are, and moves the window.
 */
#include "draw/geometry.h"

#include <cstring>

#include "draw/portable/layout.h"
#include "store/window_position.h"

using tav::SelectGuard;
using tav::UniqueHFont;
using tav::WindowDc;

namespace {

LayoutRect ToLayout(const RECT& rect)
{
    return LayoutRect{rect.left, rect.top, rect.right, rect.bottom};
}

LayoutRect WindowRectOf(HWND window)
{
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    return ToLayout(rect);
}

// The top-left corner for a window of rect's size at rect's place that is
// not entirely off every monitor: rect's own corner when some monitor shows
// part of it, else the corner that brings it into the work area of the
// nearest monitor.  Only what is used changes; what is stored stays.
void KeepOnSomeMonitor(const LayoutRect& rect, int* x, int* y)
{
    *x = rect.Left;
    *y = rect.Top;
    // A window not yet sized still has to land on a monitor: test it as at
    // least one pixel large (MonitorFromRect finds no monitor for an empty one).
    RECT probe = {rect.Left, rect.Top, rect.Right, rect.Bottom};
    if (probe.right <= probe.left)
        probe.right = probe.left + 1;
    if (probe.bottom <= probe.top)
        probe.bottom = probe.top + 1;
    if (MonitorFromRect(&probe, MONITOR_DEFAULTTONULL) != nullptr)
        return;
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromRect(&probe, MONITOR_DEFAULTTONEAREST), &info))
        return;
    BringIntoArea(rect, ToLayout(info.rcWork), x, y);
}

void MoveWindowTo(HWND window, int x, int y)
{
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

}  // namespace

UniqueHFont CreateLauncherFont(const LOGFONTA* font)
{
    LOGFONTA usable = *font;
    usable.lfHeight = UsableFontHeight(usable.lfHeight);
    usable.lfWidth = UsableFontWidth(usable.lfWidth);
    // A stored face name need not be terminated inside its field.
    usable.lfFaceName[LF_FACESIZE - 1] = '\0';
    return UniqueHFont(CreateFontIndirectA(&usable));
}

void MeasureLauncherText(HWND window, LauncherState* state)
{
    state->LineHeight = 0;
    state->TitleWidth = 0;
    state->LineGap = 0;
    state->PrefixWidth = 0;

    // GetWindowDC(nullptr) is a DC on the whole screen.
    WindowDc dc(window, true);
    UniqueHFont font = CreateLauncherFont(&state->Font);
    SelectGuard selectFont(dc.get(), font.get());

    SIZE size;
    if (GetTextExtentPoint32A(dc.get(), "M> ", 3, &size)) {
        state->LineHeight = size.cy;
        state->PrefixWidth = size.cx;
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        int length = TitleLength(state->Titles[slot]);
        if (length > 0 && GetTextExtentPoint32A(dc.get(), state->Titles[slot], length, &size)
            && size.cx > state->TitleWidth)
            state->TitleWidth = size.cx;
    }
}

bool MeasureCache::Find(LauncherState* state)
{
    for (Entry& entry : entries_) {
        if (entry.LastUse == 0 || std::memcmp(&entry.Font, &state->Font, sizeof entry.Font) != 0
            || std::memcmp(entry.Titles, state->Titles, sizeof entry.Titles) != 0)
            continue;
        entry.LastUse = ++uses_;
        state->LineHeight = entry.LineHeight;
        state->TitleWidth = entry.TitleWidth;
        state->LineGap = entry.LineGap;
        state->PrefixWidth = entry.PrefixWidth;
        return true;
    }
    return false;
}

void MeasureCache::Keep(const LauncherState* state)
{
    Entry* oldest = &entries_[0];
    for (Entry& entry : entries_) {
        if (entry.LastUse < oldest->LastUse)
            oldest = &entry;
    }
    oldest->LastUse = ++uses_;
    std::memcpy(&oldest->Font, &state->Font, sizeof oldest->Font);
    std::memcpy(oldest->Titles, state->Titles, sizeof oldest->Titles);
    oldest->LineHeight = state->LineHeight;
    oldest->TitleWidth = state->TitleWidth;
    oldest->LineGap = state->LineGap;
    oldest->PrefixWidth = state->PrefixWidth;
}

void SizeLauncherWindow(HWND window, LauncherState* state, const char* keyPath,
                        MeasureCache* cache)
{
    if (cache == nullptr || !cache->Find(state)) {
        MeasureLauncherText(window, state);
        if (cache != nullptr)
            cache->Keep(state);
    }

    LayoutRect current = WindowRectOf(window);
    WidthInput input = {};
    input.TopLevel = keyPath == nullptr || keyPath[0] == '\0';
    input.CurrentWidth = current.Right - current.Left;
    input.PrefixWidth = state->PrefixWidth;
    input.TitleWidth = state->TitleWidth;
    input.LineHeight = state->LineHeight;
    input.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);

    StoredWidth stored = ReadStoredWidth();
    input.StoredTextHeight = stored.TextHeight;
    input.WidthStored = stored.WidthStored != 0;
    input.StoredWidth = stored.Width;
    if (TextHeightChanged(input))
        WriteTextHeight(state->LineHeight);

    int width = LauncherWidth(input);
    int height = LauncherHeight(state->LineHeight, state->LineGap, state->LineCount);
    if (width != input.CurrentWidth || height != current.Bottom - current.Top)
        SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
}

void PlaceLauncherWindow(HWND window, int posType)
{
    StoredPosition stored = ReadWindowPosition();
    LayoutRect rect = WindowRectOf(window);
    LayoutRect placed = WindowRectAt(stored.Left, stored.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
    int x, y;
    KeepOnSomeMonitor(placed, &x, &y);
    MoveWindowTo(window, x, y);

    if (posType != POS_FREE) {
        GetDockedPosition(window, posType, &x, &y);
        MoveWindowTo(window, x, y);
    }
}

void SaveLauncherPosition(HWND window)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return;
    WriteWindowPosition(rect.left, rect.top);
}

void GetDockedPosition(HWND window, int posType, int* x, int* y)
{
    // Only the types that dock to an edge look at the desktop area.
    RECT area = {0, 0, 0, 0};
    if (posType >= POS_LEFT && posType <= POS_RIGHT)
        GetDesktopArea(window, &area);
    LayoutRect rect = WindowRectOf(window);
    int dockedX, dockedY;
    DockedPosition(rect, ToLayout(area), posType, &dockedX, &dockedY);
    LayoutRect docked = {dockedX, dockedY, dockedX + (rect.Right - rect.Left),
                         dockedY + (rect.Bottom - rect.Top)};
    KeepOnSomeMonitor(docked, x, y);
}

// The shell's desktop icon list is a SysListView32 inside SHELLDLL_DefView
// inside the "Progman" window titled "Program Manager".  Another shell, or a
// desktop whose icons live elsewhere, has no such chain, and Wine has none at
// all, not even in a virtual desktop: then the work area (the monitor less
// taskbars and docked bars) of the monitor the window is on stands in,
// which is where the icons would be.  MONITOR_DEFAULTTOPRIMARY gives the
// primary monitor for a window that lies on none, as the hidden launcher
// does before its first placement.
void GetDesktopArea(HWND window, RECT* area)
{
    HWND shell = FindWindowA("Progman", "Program Manager");
    HWND view = shell != nullptr ? FindWindowExA(shell, nullptr, "SHELLDLL_DefView", nullptr) : nullptr;
    HWND icons = view != nullptr ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
    if (icons != nullptr && GetWindowRect(icons, area))
        return;

    const POINT origin = {0, 0};
    HMONITOR monitor = window != nullptr ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                                         : MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info))
        *area = info.rcWork;
    else if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, area, 0))
        SetRect(area, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}
