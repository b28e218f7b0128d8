/*
 * The desktop as placement sees it, read from the system: the monitors
 * (their rectangles and work areas, in virtual-screen coordinates, negative
 * left of and above the primary monitor) and the pointer; and the DPI of
 * the system, of a monitor and of a window.  The choices themselves are
 * made by draw/portable/monitors.h.
 *
 * The DPI functions of newer systems are looked up by name, never linked,
 * since the shipped program also starts on systems without them:
 * GetDpiForWindow and GetDpiForSystem in user32 (Windows 10 from 1607),
 * GetDpiForMonitor in shcore (Windows 8.1, loaded at first use).  Without
 * them every monitor has the system's DPI, the screen's LOGPIXELSY.
 */
#ifndef TAV_DRAW_DESKTOP_H
#define TAV_DRAW_DESKTOP_H

#include <windows.h>

#include "draw/portable/monitors.h"

// A window rectangle as the placement rules take it.
LayoutRect ToLayout(const RECT& rect);

// Monitors beyond this many are left out of the list.
constexpr int kMaxMonitors = 16;

struct Desktop {
    int Count;                            // 1 at least
    MonitorArea Areas[kMaxMonitors];
    HMONITOR Handles[kMaxMonitors];       // Handles[i] is the monitor of Areas[i]
    POINT Pointer;                        // where the mouse pointer is
};

// Lists the monitors (EnumDisplayMonitors) and reads the pointer.  A system
// that lists none gives the primary screen.  On a desktop of one monitor
// the shell's desktop icon list (the SysListView32 inside SHELLDLL_DefView
// inside the "Progman" window titled "Program Manager"), where there is
// one, stands as that monitor's work area, the area the launcher docks to
// and dialogs are centred in.  On several monitors the list spans the
// whole virtual screen, gaps and all, so each monitor's own work area
// counts; Wine has no such list at all.
void ReadDesktop(Desktop* desktop);

// The system's DPI: GetDpiForSystem, else the screen's LOGPIXELSY.
int SystemDpi();

// The DPI of a monitor: GetDpiForMonitor's effective DPI, else (no such
// function, or it reports none, as Wine's does) SystemDpi.
int MonitorDpi(HMONITOR monitor);

// The DPI of a window: GetDpiForWindow, else the DPI of the monitor that
// shows most of it.
int WindowDpi(HWND window);

#endif
