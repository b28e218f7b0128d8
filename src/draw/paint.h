/*
 * Painting the launcher's look: background (screen copy, white or
 * wallpaper), colour layer (gradient or solid, opaque or alpha-blended),
 * lines with key prefixes and shadowed text, and the frame.  One operation
 * serves the launcher, the preview and the setup window.
 */
#ifndef TAV_DRAW_PAINT_H
#define TAV_DRAW_PAINT_H

#include <windows.h>

#include <memory>

#include "base/launcher_state.h"

enum PaintMode {
    PAINT_LAUNCHER = 0,  // over the screen copy; launcher window
    PAINT_MOVED = 1,     // over white; launcher window after a move or resize
    PAINT_PREVIEW = 2,   // over the wallpaper; options dialog preview
    PAINT_SETUP = 3,     // over white, all 37 rows; setup window
};

// Frame styles (setting EdgeType).
enum FrameType {
    FRAME_NONE = 0,
    FRAME_LINE = 1,
    FRAME_3D = 2,
    FRAME_RAISED_LINE = 3,
    FRAME_SUNKEN_LINE = 4,
};

// Paints a launcher of width x height pixels into target, from its (0, 0):
// the launcher window, the setup window and the preview each hand in their
// DC and their size.  background is read only in PAINT_LAUNCHER (where it is
// null or smaller than the window, white stands in), selected only in
// PAINT_LAUNCHER/PAINT_MOVED.  Nothing is drawn for an empty size.
void PaintLauncher(const LauncherState* state, HDC target, int width, int height,
                   HDC background, int selected, PaintMode mode);

// What the launcher window keeps from one paint to the next, so that a paint
// does again only what differs from the last one:
//  - the canvas, the font and the colour layer, while the size, the target's
//    pixel format and the look (the font at its DPI included) stay the same;
//  - the background with the colour layer laid over it, while the pixels of
//    the background under the window stay the same: all of a show's
//    repaints (arrows, submenus), and a new show over an unchanged screen;
//  - the whole picture, while nothing it was drawn from has changed: the
//    settings, the level and its metrics, the DPI, the selection, the mode, the size,
//    the optional drawing functions and, unless the layer covers it
//    opaquely, the background's pixels.
// Every part is made again when anything it was made from differs, so a
// paint through the cache draws exactly what PaintLauncher draws.  The text
// is drawn anew over every other background: text with smoothed edges is
// blended into the pixels under it, so it cannot be laid over another
// background afterwards and come out the same.
//
// A background DC is read (and its pixels compared with the last ones) at
// the first paint after each CaptureBackground; call ForgetBackground when
// its content changes otherwise.  Clear when what GDI draws may have changed
// for the same input: fonts added or removed, display or smoothing settings
// changed.
class PaintCache {
public:
    PaintCache();
    ~PaintCache();
    PaintCache(const PaintCache&) = delete;
    PaintCache& operator=(const PaintCache&) = delete;

    void Clear();
    void ForgetBackground();

private:
    friend void PaintLauncher(const LauncherState* state, HDC target, int width, int height,
                              HDC background, int selected, PaintMode mode, PaintCache* cache);
    struct Parts;  // the kept GDI objects and what each was made from
    std::unique_ptr<Parts> parts_;
};

// PaintLauncher through the launcher window's cache: the same picture, made
// from what the cache still holds.  Modes other than PAINT_LAUNCHER and
// PAINT_MOVED are painted without it.
void PaintLauncher(const LauncherState* state, HDC target, int width, int height,
                   HDC background, int selected, PaintMode mode, PaintCache* cache);

// Replaces the capture with a copy of the screen under the window, taken
// down to the bottom of its monitor so that the window may grow while shown.
void CaptureBackground(HWND window, ScreenCapture* capture);

// Frees the copy; nothing when none is held.
void ReleaseBackground(ScreenCapture* capture);

// Outlines rect by inverting pixels; twice restores them.
void DrawInvertedRect(HDC dc, const RECT* rect);

#endif
