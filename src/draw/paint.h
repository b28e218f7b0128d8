/*
 * Painting the launcher's look: background (screen copy, white or
 * wallpaper), colour layer (gradient or solid, opaque or alpha-blended),
 * lines with key prefixes and shadowed text, and the frame.  One operation
 * serves the launcher, the preview and the setup window.
 */
#ifndef TAV_DRAW_PAINT_H
#define TAV_DRAW_PAINT_H

#include <windows.h>

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

// Replaces the capture with a copy of the screen under the window, taken
// down to the bottom of its monitor so that the window may grow while shown.
void CaptureBackground(HWND window, ScreenCapture* capture);

// Frees the copy; nothing when none is held.
void ReleaseBackground(ScreenCapture* capture);

// Outlines rect by inverting pixels; twice restores them.
void DrawInvertedRect(HDC dc, const RECT* rect);

#endif
