/*
 * Helpers for the drawing tests.
 */
#include "draw_support.h"

#include <cstring>

namespace {

const char kTestClass[] = "TavDrawTest";

void RegisterTestClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = kTestClass;
    registered = RegisterClassA(&wc) != 0;
}

}  // namespace

PopupWindow::PopupWindow(int x, int y, int w, int h)
{
    RegisterTestClass();
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kTestClass, "", WS_POPUP, x, y, w, h, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
}

PopupWindow::~PopupWindow()
{
    if (window_ != nullptr)
        DestroyWindow(window_);
}

RECT PopupWindow::Rect() const
{
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window_, &rect);
    return rect;
}

DibCanvas::DibCanvas(int w, int h) : width_(w), height_(h)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<DWORD*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    Fill(RGB(0, 0, 0));
}

DibCanvas::~DibCanvas()
{
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

// DIB pixels are 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
COLORREF DibCanvas::Pixel(int x, int y) const
{
    GdiFlush();
    DWORD p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void DibCanvas::SetPixelAt(int x, int y, COLORREF colour)
{
    GdiFlush();
    bits_[y * width_ + x] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

void DibCanvas::Fill(COLORREF colour)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            SetPixelAt(x, y, colour);
}

LauncherState TestState()
{
    LauncherState state;
    std::memset(&state, 0, sizeof state);
    state.MainColor = RGB(0, 100, 200);
    state.GradColor = RGB(250, 150, 50);
    state.UseGrad = 0;
    state.VGrad = 0;
    state.UseAlphaBlend = 0;
    state.AlphaBlend = 255;
    state.TextColor = RGB(255, 255, 0);
    state.ShadowColor = RGB(255, 0, 255);
    state.SelectTxtColor = RGB(255, 0, 0);
    state.SelectShadowColor = RGB(0, 255, 0);
    state.ShadowOffset = 0;
    state.Smooth = 0;
    state.ShowAllKey = 0;
    state.EdgeType = 0;
    state.Font.lfHeight = 16;
    state.Font.lfWeight = FW_BOLD;
    state.Font.lfCharSet = DEFAULT_CHARSET;
    state.Font.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpynA(state.Font.lfFaceName, "Tahoma", LF_FACESIZE);
    return state;
}
