/*
 * Helpers for the drawing tests.
 */
#include "draw_support.h"

#include <algorithm>
#include <cstring>

#include "entry_record.h"
#include "scratch_registry.h"
#include "store/entry_tree.h"

namespace {

HBITMAP CreateTopDownDib(int w, int h, DWORD** bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // negative: top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // A new DIB section is zero-filled, i.e. black.
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits),
                            nullptr, 0);
}

}  // namespace

PopupWindow MakePopup(int x, int y, int w, int h)
{
    // DefWindowProc and no background brush: nothing ever paints over what
    // a test draws into the window.
    static const ATOM windowClass = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        wc.lpszClassName = "TavDrawTest";
        return RegisterClassA(&wc);
    }();
    return PopupWindow(CreateWindowExA(WS_EX_TOOLWINDOW, MAKEINTATOM(windowClass), "", WS_POPUP,
                                       x, y, w, h, nullptr, nullptr, GetModuleHandleA(nullptr),
                                       nullptr));
}

DibCanvas::DibCanvas(int w, int h)
    : width_(w),
      height_(h),
      dc_(CreateCompatibleDC(nullptr)),
      bitmap_(CreateTopDownDib(w, h, &bits_)),
      select_(dc_.get(), bitmap_.get())
{
}

COLORREF DibCanvas::Pixel(int x, int y) const
{
    GdiFlush();
    DWORD p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void DibCanvas::Fill(COLORREF colour)
{
    GdiFlush();
    std::fill(bits_, bits_ + width_ * height_,
              (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour));
}

LauncherState TestState()
{
    LauncherState state;
    std::memset(&state, 0, sizeof state);
    state.MainColor = RGB(0, 100, 200);
    state.GradColor = RGB(250, 150, 50);
    state.TextColor = RGB(255, 255, 0);
    state.ShadowColor = RGB(255, 0, 255);
    state.SelectTxtColor = RGB(255, 0, 0);
    state.SelectShadowColor = RGB(0, 255, 0);
    state.Font.lfHeight = 16;
    state.Font.lfWeight = FW_BOLD;
    state.Font.lfCharSet = DEFAULT_CHARSET;
    state.Font.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpynA(state.Font.lfFaceName, "Tahoma", LF_FACESIZE);
    return state;
}

void PutSampleLauncher()
{
    const char window[] = "Software\\orrel\\Tav\\Window";
    const char key[] = "Software\\orrel\\Tav\\Key";
    LauncherState look = TestState();
    look.Font.lfHeight = -15;
    PutRawValue(window, "Font", REG_BINARY, &look.Font, sizeof look.Font);
    PutDword(window, "MainColor", look.MainColor);
    PutDword(window, "TextColor", look.TextColor);
    PutDword(window, "SelectTxtColor", look.SelectTxtColor);
    for (const char* zero : {"UseAlphaBlend", "UseGrad", "EdgeType", "ShadowOffset", "Smooth",
                             "ShowAllKey", "PosType", "Left", "Top"})
        PutDword(window, zero, 0);
    PutDword(key, "OpenHotKey", VK_F9);
    PutDword(key, "OpenHotKeyEx", MOD_CONTROL | MOD_ALT);
    const EntryRecord entries[] = {Record("Alpha", "tav_marker.exe"),
                                   Record("Bravo", "tav_marker.exe")};
    for (int slot = 1; slot <= 2; ++slot)
        WriteEntry("", slot, &entries[slot - 1]);
}
