/*
 * The preview window and its sample level.
 */
#include "options/preview.h"

#include <cstring>

#include "base/window_class.h"
#include "draw/desktop.h"
#include "draw/geometry.h"
#include "draw/paint.h"
#include "draw/portable/dpi_scale.h"
#include "res/resource.h"
#include "store/res_string.h"

namespace {

const char kPreviewClass[] = "Tav Prev";

// The name query writes at most 16 bytes into the 33-byte title; a failed
// query (a longer name) leaves the slot empty, and the fallback text
// stands in.
void FillNameSlot(char* title, BOOL (WINAPI* query)(LPSTR, LPDWORD), int fallbackId)
{
    DWORD size = 16;
    if (!query(title, &size))
        title[0] = '\0';
    title[kTitleSize - 1] = '\0';
    if (title[0] == '\0')
        lstrcpynA(title, ResString(fallbackId), kTitleSize);
}

// The preview's place and size in the dialog at dpi: left, top, width, height.
struct PreviewPlace {
    int X, Y, Width, Height;
};

PreviewPlace PreviewPlaceAt(int dpi)
{
    return PreviewPlace{ScaleToDpi(kPreviewX, dpi), ScaleToDpi(kPreviewY, dpi),
                        ScaleToDpi(kPreviewWidth, dpi), ScaleToDpi(kPreviewHeight, dpi)};
}

// After the dialog has been scaled for a monitor of another DPI: the sample
// measured for it, and the preview's place and size scaled to it.
void FollowParentDpi(HWND window, LauncherState* state)
{
    state->Dpi = WindowDpi(window);
    MeasureLauncherText(window, state);
    PreviewPlace place = PreviewPlaceAt(state->Dpi);
    SetWindowPos(window, nullptr, place.X, place.Y, place.Width, place.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK PreviewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_PAINT: {
        const LauncherState* state = PreviewState(window);
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        if (state != nullptr)
            PaintLauncher(state, dc, client.right, client.bottom, nullptr, 0, PAINT_PREVIEW);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DPICHANGED_AFTERPARENT: {
        LauncherState* state = PreviewState(window);
        if (state != nullptr)
            FollowParentDpi(window, state);
        return 0;
    }
    case WM_MOVE:
        // The wallpaper behind the window has moved.
        InvalidateRect(window, nullptr, FALSE);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void FillPreviewSample(LauncherState* state)
{
    std::memset(state->Titles, 0, sizeof state->Titles);
    std::memset(state->IsSubmenu, 0, sizeof state->IsSubmenu);
    state->LineCount = 0;
    lstrcpynA(state->Titles[0], "Tav", kTitleSize);
    lstrcpynA(state->Titles[1], ResString(IDS_VERSION), kTitleSize);
    FillNameSlot(state->Titles[3], GetComputerNameA, IDS_SAMPLE_COMPUTER);
    FillNameSlot(state->Titles[4], GetUserNameA, IDS_SAMPLE_USER);
}

HWND CreatePreviewWindow(HWND dialog, LauncherState* state)
{
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    if (RegisterProgramClass(kPreviewClass, PreviewWndProc, white) == 0)
        return nullptr;
    PreviewPlace place = PreviewPlaceAt(state->Dpi);
    return CreateWindowExA(0, kPreviewClass, nullptr, WS_CHILD | WS_VISIBLE, place.X, place.Y,
                           place.Width, place.Height, dialog, nullptr, GetModuleHandleA(nullptr),
                           state);
}

LauncherState* PreviewState(HWND preview)
{
    return WindowRecord<LauncherState>(preview);
}
