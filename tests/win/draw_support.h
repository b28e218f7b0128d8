/*
 * Helpers for the drawing tests: a hidden popup window of known place and
 * size (what PaintLauncher and the geometry operations take their rectangle
 * from) and a memory DC over a 32-bit DIB section whose pixels can be read.
 */
#ifndef TAV_TESTS_DRAW_SUPPORT_H
#define TAV_TESTS_DRAW_SUPPORT_H

#include <windows.h>

#include "core/launcher_state.h"

// A hidden WS_POPUP tool window like the launcher's; destroyed with the object.
class PopupWindow {
public:
    PopupWindow(int x, int y, int w, int h);
    ~PopupWindow();
    PopupWindow(const PopupWindow&) = delete;
    PopupWindow& operator=(const PopupWindow&) = delete;

    HWND get() const { return window_; }
    RECT Rect() const;

private:
    HWND window_;
};

// A w x h top-down 32-bit DIB section selected into a memory DC.
class DibCanvas {
public:
    DibCanvas(int w, int h);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The pixel as a COLORREF (0x00BBGGRR).
    COLORREF Pixel(int x, int y) const;
    void SetPixelAt(int x, int y, COLORREF colour);
    void Fill(COLORREF colour);

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    DWORD* bits_;
};

// A state with distinct, exactly checkable colours: an opaque flat layer,
// no shadow, no frame, the plain text path, and a bitmap-exact test font.
LauncherState TestState();

#endif
