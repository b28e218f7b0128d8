/*
 * Size and place of the launcher window: the Win32 side.  The rules
 * themselves are in portable/layout.cpp, portable/monitors.cpp and
 * portable/dpi_scale.cpp, and the stored values in store/window_position;
 * this file measures the text, asks the system where the monitors and the
 * pointer are (desktop.h), and moves the window.
 */
#include "draw/geometry.h"

#include <cstring>

#include "draw/desktop.h"
#include "draw/portable/dpi_scale.h"
#include "draw/portable/layout.h"
#include "draw/portable/monitors.h"
#include "store/window_position.h"

using tav::SelectGuard;
using tav::UniqueHFont;
using tav::WindowDc;

namespace {

LayoutRect WindowRectOf(HWND window)
{
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    return ToLayout(rect);
}

void MoveWindowTo(HWND window, int x, int y)
{
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

// The DPI of the monitor a window at rect goes to for posType.
int DockedDpiOn(const Desktop& desktop, const LayoutRect& rect, int posType)
{
    int monitor = DockMonitor(desktop.Areas, desktop.Count, desktop.Pointer.x, desktop.Pointer.y,
                              rect, posType);
    return monitor >= 0 ? MonitorDpi(desktop.Handles[monitor]) : SystemDpi();
}

void DockedPositionOn(const Desktop& desktop, HWND window, int posType, int* x, int* y)
{
    DockOnMonitors(desktop.Areas, desktop.Count, desktop.Pointer.x, desktop.Pointer.y,
                   WindowRectOf(window), posType, x, y);
}

// Where the window is placed first: at the stored corner, with the
// window's size.
LayoutRect StoredRect(HWND window)
{
    StoredPosition stored = ReadWindowPosition();
    LayoutRect rect = WindowRectOf(window);
    return WindowRectAt(stored.Left, stored.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
}

// Places the window on a desktop read before: at the stored corner (kept on
// a monitor), then docked by posType.
void PlaceOn(const Desktop& desktop, HWND window, int posType)
{
    int x, y;
    KeepOnMonitors(desktop.Areas, desktop.Count, StoredRect(window), &x, &y);
    MoveWindowTo(window, x, y);
    if (posType != POS_FREE) {
        DockedPositionOn(desktop, window, posType, &x, &y);
        MoveWindowTo(window, x, y);
    }
}

// The metrics at state's Dpi, and the line height of the font at 96 DPI
// (the one "TextHeight" holds): the same figure at 96 DPI, else measured in
// the font at its stored size.
void Measure(HWND window, LauncherState* state, int* baseLineHeight)
{
    state->LineHeight = 0;
    state->TitleWidth = 0;
    state->LineGap = 0;
    state->PrefixWidth = 0;

    // GetWindowDC(nullptr) is a DC on the whole screen.
    WindowDc dc(window, true);
    SIZE size;
    {
        UniqueHFont font = CreateLauncherFont(&state->Font, state->Dpi);
        SelectGuard selectFont(dc.get(), font.get());
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
    if (baseLineHeight == nullptr)
        return;
    *baseLineHeight = state->LineHeight;
    if (UsableDpi(state->Dpi) == kBaseDpi)
        return;
    UniqueHFont font = CreateLauncherFont(&state->Font, kBaseDpi);
    SelectGuard selectFont(dc.get(), font.get());
    *baseLineHeight = GetTextExtentPoint32A(dc.get(), "M> ", 3, &size) ? size.cy : 0;
}

}  // namespace

UniqueHFont CreateLauncherFont(const LOGFONTA* font, int dpi)
{
    LOGFONTA usable = *font;
    usable.lfHeight = FontHeightAtDpi(UsableFontHeight(usable.lfHeight), dpi);
    usable.lfWidth = ScaleToDpi(UsableFontWidth(usable.lfWidth), dpi);
    // A stored face name need not be terminated inside its field.
    usable.lfFaceName[LF_FACESIZE - 1] = '\0';
    return UniqueHFont(CreateFontIndirectA(&usable));
}

void MeasureLauncherText(HWND window, LauncherState* state)
{
    Measure(window, state, nullptr);
}

bool MeasureCache::Find(LauncherState* state, int* baseLineHeight)
{
    for (Entry& entry : entries_) {
        if (entry.LastUse == 0 || entry.Dpi != state->Dpi
            || std::memcmp(&entry.Font, &state->Font, sizeof entry.Font) != 0
            || std::memcmp(entry.Titles, state->Titles, sizeof entry.Titles) != 0)
            continue;
        entry.LastUse = ++uses_;
        state->LineHeight = entry.LineHeight;
        state->TitleWidth = entry.TitleWidth;
        state->LineGap = entry.LineGap;
        state->PrefixWidth = entry.PrefixWidth;
        *baseLineHeight = entry.BaseLineHeight;
        return true;
    }
    return false;
}

void MeasureCache::Keep(const LauncherState* state, int baseLineHeight)
{
    Entry* oldest = &entries_[0];
    for (Entry& entry : entries_) {
        if (entry.LastUse < oldest->LastUse)
            oldest = &entry;
    }
    oldest->LastUse = ++uses_;
    std::memcpy(&oldest->Font, &state->Font, sizeof oldest->Font);
    oldest->Dpi = state->Dpi;
    std::memcpy(oldest->Titles, state->Titles, sizeof oldest->Titles);
    oldest->LineHeight = state->LineHeight;
    oldest->TitleWidth = state->TitleWidth;
    oldest->LineGap = state->LineGap;
    oldest->PrefixWidth = state->PrefixWidth;
    oldest->BaseLineHeight = baseLineHeight;
}

void SizeLauncherWindow(HWND window, LauncherState* state, const char* keyPath,
                        MeasureCache* cache)
{
    int baseLineHeight = 0;
    if (cache == nullptr || !cache->Find(state, &baseLineHeight)) {
        Measure(window, state, &baseLineHeight);
        if (cache != nullptr)
            cache->Keep(state, baseLineHeight);
    }

    LayoutRect current = WindowRectOf(window);
    WidthInput input = {};
    input.TopLevel = keyPath == nullptr || keyPath[0] == '\0';
    input.CurrentWidth = current.Right - current.Left;
    input.PrefixWidth = state->PrefixWidth;
    input.TitleWidth = state->TitleWidth;
    input.BaseLineHeight = baseLineHeight;
    input.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    input.Dpi = state->Dpi;

    StoredWidth stored = ReadStoredWidth();
    input.StoredTextHeight = stored.TextHeight;
    input.WidthStored = stored.WidthStored != 0;
    input.StoredWidth = stored.Width;
    if (TextHeightChanged(input))
        WriteTextHeight(baseLineHeight);

    int width = LauncherWidth(input);
    int height = LauncherHeight(state->LineHeight, state->LineGap, state->LineCount, state->Dpi);
    if (width != input.CurrentWidth || height != current.Bottom - current.Top)
        SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
}

// Sets the DPI state is drawn at; when that changes it, the window's width
// is scaled by the change (a submenu keeps its width in proportion) and the
// window sized anew (SizeLauncherWindow).  No move.  False when dpi is the
// DPI state has already.
static bool SetLauncherDpi(HWND window, LauncherState* state, const char* keyPath, int dpi,
                           MeasureCache* cache)
{
    const int from = UsableDpi(state->Dpi), to = UsableDpi(dpi);
    if (from == to)
        return false;
    LayoutRect rect = WindowRectOf(window);
    int width = MulDiv(rect.Right - rect.Left, to, from);
    SetWindowPos(window, nullptr, 0, 0, width, rect.Bottom - rect.Top, SWP_NOZORDER | SWP_NOMOVE);
    state->Dpi = to;
    SizeLauncherWindow(window, state, keyPath, cache);
    return true;
}

void FollowDpiChange(HWND window, LauncherState* state, const char* keyPath, WPARAM wParam,
                     const RECT* suggested, MeasureCache* cache)
{
    // wParam holds the new DPI twice, for x and for y; they are the same.
    // A window the program itself moved to a monitor it had already
    // measured for (MoveToShowPosition) stays where it was put.
    if (SetLauncherDpi(window, state, keyPath, HIWORD(wParam), cache) && suggested != nullptr)
        MoveWindowTo(window, suggested->left, suggested->top);
}

void SizeAndPlaceLauncherWindow(HWND window, LauncherState* state, const char* keyPath,
                                MeasureCache* cache)
{
    Desktop desktop;
    ReadDesktop(&desktop);
    state->Dpi = DockedDpiOn(desktop, StoredRect(window), state->PosType);
    SizeLauncherWindow(window, state, keyPath, cache);
    PlaceOn(desktop, window, state->PosType);
}

void SaveLauncherPosition(HWND window)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return;
    WriteWindowPosition(rect.left, rect.top);
}

void FitForShowing(HWND window, LauncherState* state, const char* keyPath, MeasureCache* cache,
                   int* x, int* y)
{
    Desktop desktop;
    ReadDesktop(&desktop);
    int dpi = DockedDpiOn(desktop, WindowRectOf(window), state->PosType);
    SetLauncherDpi(window, state, keyPath, dpi, cache);
    DockedPositionOn(desktop, window, state->PosType, x, y);
}
