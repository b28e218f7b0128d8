/*
 * The rows of the setup window as arithmetic: which row a screen point
 * falls on, and where a row lies.  The setup window shows all 37 slots of a
 * level, slot s on row s, below a 4-pixel margin (at 96 DPI); the line pitch is the
 * launcher font's LineHeight + LineGap.
 *
 * Platform-free: no <windows.h>, so it is also built and tested natively.
 */
#ifndef TAV_SETUP_PORTABLE_SETUP_ROWS_H
#define TAV_SETUP_PORTABLE_SETUP_ROWS_H

#include "draw/portable/layout.h"

// The row under the screen point (x, y) of a setup window with rectangle
// window (right and bottom exclusive), or -1 for none: outside the window,
// beyond row 36, or row 0 at the top level (the title line, never
// selectable).  The horizontal position inside the window does not matter;
// the margin above row 0 counts as row 0 (the division truncates toward
// zero).  A pitch below 1 hits nothing.
// The margin is scaled to dpi, as the lines are drawn.
int SetupRowAt(const LayoutRect& window, int x, int y, int pitch, bool topLevel,
               int dpi = kBaseDpi);

// The rectangle of row slot in window coordinates: 5 pixels in from either
// side, from 4 + slot x pitch down to the next row's top (5 and 4 at
// 96 DPI, scaled to dpi).
LayoutRect SetupRowRect(int slot, int pitch, int windowWidth, int dpi = kBaseDpi);

#endif
