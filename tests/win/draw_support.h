/*
 * Helpers for the drawing tests: a hidden popup window of known place and
 * size (what PaintLauncher and the geometry operations take their rectangle
 * from), a memory DC over a 32-bit DIB section whose pixels can be read,
 * and a launcher state whose colours can be told apart.
 */
#ifndef TAV_TESTS_DRAW_SUPPORT_H
#define TAV_TESTS_DRAW_SUPPORT_H

#include <windows.h>

#include <memory>

#include "base/launcher_state.h"
#include "base/unique_handle.h"

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using PopupWindow = std::unique_ptr<HWND__, WindowDestroyer>;

// A hidden WS_POPUP tool window like the launcher's.
PopupWindow MakePopup(int x, int y, int w, int h);

// A w x h top-down 32-bit DIB section, all black, selected into a memory DC.
class DibCanvas {
public:
    DibCanvas(int w, int h);

    HDC dc() const { return dc_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF Pixel(int x, int y) const;
    void Fill(COLORREF colour);

private:
    int width_, height_;
    DWORD* bits_ = nullptr;  // 0x00RRGGBB, row 0 first
    tav::UniqueMemoryDc dc_;
    tav::UniqueHBitmap bitmap_;
    tav::SelectGuard select_;
};

// An opaque flat layer, no shadow, no frame, the plain text path, a
// bitmap-exact font, and six colours that are all different.
LauncherState TestState();

// Arranges in the (scratch) registry the launcher of the DPI and monitor
// tests: three lines ("Tav Ver2.55", A: Alpha, B: Bravo) in TestState's
// look with 11-point Tahoma (-15 at 96 DPI), free at the stored (0, 0),
// and the launcher key Ctrl+Alt+F9 (a hot key: no hook).
void PutSampleLauncher();

#endif
