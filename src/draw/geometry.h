/*
 * Size and place of the launcher window (and of the setup window, which
 * draws the same list).  Height follows the level's lines; width follows the
 * widest title unless the user dragged another width ("Width"); position is
 * the stored "Left"/"Top" or docked to an edge of the desktop area.
 */
#ifndef TAV_DRAW_GEOMETRY_H
#define TAV_DRAW_GEOMETRY_H

#include <windows.h>

#include "core/launcher_state.h"

// Position types (setting PosType).
enum PosType {
    POS_FREE = 0,
    POS_LEFT = 1,
    POS_TOP_LEFT = 2,
    POS_TOP = 3,
    POS_TOP_RIGHT = 4,
    POS_RIGHT = 5,
};

// Recomputes LineHeight, TitleWidth, LineGap and PrefixWidth of state from its
// Font and Titles, in the window DC of window (null: the screen).
void MeasureLauncherText(HWND window, LauncherState* state);

// Measures and resizes the window (no move, no Z-order change).  Only whether
// keyPath is empty matters.
void SizeLauncherWindow(HWND window, LauncherState* state, const char* keyPath);

// Moves the window to the stored "Left"/"Top", then docks it by posType.
void PlaceLauncherWindow(HWND window, int posType);

// Writes the window's left and top to "Left" and "Top".
void SaveLauncherPosition(HWND window);

// The position for posType, from the window's current rectangle and the
// desktop area.
void GetDockedPosition(HWND window, int posType, int* x, int* y);

// The desktop area that docking and dialog placement work in: the shell's
// desktop icon list where there is one; otherwise the work area of the
// monitor that window is on (the primary monitor for a null window).
void GetDesktopArea(HWND window, RECT* area);

#endif
