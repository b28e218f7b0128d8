/*
 * Where the launcher and the dialogs go on a desktop of several monitors,
 * as arithmetic over a list of monitors (their rectangles and work areas,
 * in virtual-screen coordinates, which are negative left of and above the
 * primary monitor).  The Win32 side lists the monitors and the pointer and
 * calls these; the layout rules of one area (DockedPosition, DialogPosition,
 * BringIntoArea) do the rest.
 *
 * Platform-free: no <windows.h>, so it is also built and tested natively.
 */
#ifndef TAV_DRAW_PORTABLE_MONITORS_H
#define TAV_DRAW_PORTABLE_MONITORS_H

#include "draw/portable/layout.h"

struct MonitorArea {
    LayoutRect Monitor;  // the whole monitor
    LayoutRect Work;     // less the taskbar and docked bars
};

// The monitor that holds the point, else the one nearest to it; -1 when
// count is 0.  A point on a shared edge belongs to the monitor whose
// rectangle includes it (right and bottom edges are exclusive).
int MonitorAtPoint(const MonitorArea* monitors, int count, int x, int y);

// The monitor that shows the largest part of rect, else (rect lies on none)
// the one nearest to it; -1 when count is 0.  An empty rect counts as one
// pixel at its corner.
int MonitorOfRect(const MonitorArea* monitors, int count, const LayoutRect& rect);

// The top-left corner for a window at rect: its own corner when some
// monitor shows part of it, else the corner that brings it into the work
// area of the nearest monitor (a monitor that was unplugged, a stored
// position from another desk).
void KeepOnMonitors(const MonitorArea* monitors, int count, const LayoutRect& rect, int* x,
                    int* y);

// Where the launcher goes for posType with the pointer at pointerX,
// pointerY.  The docked types: DockedPosition in the work area of the
// monitor that holds the pointer; the coordinate a type leaves alone stays
// while the window is still on that monitor, else the window is brought
// into its work area (a launcher docked left on a monitor of another
// height).  Any other type: where the window is, unless that is off every
// monitor (KeepOnMonitors).  Window unchanged when there is no monitor.
void DockOnMonitors(const MonitorArea* monitors, int count, int pointerX, int pointerY,
                    const LayoutRect& window, int posType, int* x, int* y);

// The monitor DockOnMonitors puts the window on: the pointer's for the
// docked types, else the one that shows the most of the window at the
// place it keeps; -1 when count is 0.
int DockMonitor(const MonitorArea* monitors, int count, int pointerX, int pointerY,
                const LayoutRect& window, int posType);

// DialogPosition for a width x height dialog in the work area of the monitor
// that holds the pointer; (0, 0) when there is no monitor.
void PlaceDialogOnMonitors(const MonitorArea* monitors, int count, int pointerX, int pointerY,
                           int width, int height, int* x, int* y);

#endif
