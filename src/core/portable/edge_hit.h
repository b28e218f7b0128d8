/*
 * Which side edge of the launcher window a point is on: the 5-pixel strips
 * (at 96 DPI) at the left and right edges resize the window, the rest moves
 * it.
 *
 * Platform-free: no <windows.h>, so it is also built and tested natively.
 */
#ifndef TAV_CORE_PORTABLE_EDGE_HIT_H
#define TAV_CORE_PORTABLE_EDGE_HIT_H

#include "draw/portable/dpi_scale.h"

enum EdgeHit {
    EDGE_NONE = 0,
    EDGE_LEFT = 1,
    EDGE_RIGHT = 2,
};

// For a window spanning left..right (right exclusive, as GetWindowRect
// gives it) and a cursor at x: EDGE_RIGHT when right - x is 0..4, else
// EDGE_LEFT when x - left is 0..4, else EDGE_NONE.  The right edge wins on
// a window narrower than 10 pixels.  The strips are 5 pixels at 96 DPI,
// scaled to dpi.
EdgeHit ClassifyEdge(int left, int right, int x, int dpi = kBaseDpi);

#endif
