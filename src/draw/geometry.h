/*
 * Size and place of the launcher window (and of the setup window, which
 * draws the same list).  Height follows the level's lines; width follows the
 * widest title unless the user dragged another width ("Width"); position is
 * the stored "Left"/"Top" or docked to an edge of the desktop area.
 */
#ifndef TAV_DRAW_GEOMETRY_H
#define TAV_DRAW_GEOMETRY_H

#include <windows.h>

#include "base/launcher_state.h"
#include "base/unique_handle.h"

// Position types (setting PosType).
enum PosType {
    POS_FREE = 0,
    POS_LEFT = 1,
    POS_TOP_LEFT = 2,
    POS_TOP = 3,
    POS_TOP_RIGHT = 4,
    POS_RIGHT = 5,
};

// The launcher font from a stored LOGFONTA, for measuring and painting
// alike.  A height of 0 or beyond a sane bound is replaced by the default
// height, and such a width by 0, so that a damaged setting still gives a
// usable window.
tav::UniqueHFont CreateLauncherFont(const LOGFONTA* font);

// Recomputes LineHeight, TitleWidth, LineGap and PrefixWidth of state from its
// Font and Titles, in the window DC of window (null: the screen).
void MeasureLauncherText(HWND window, LauncherState* state);

// The text metrics of the last few levels the launcher window measured,
// each with the font and the titles it was measured from.  A sizing whose
// font and titles equal an entry's takes its metrics instead of measuring
// again: for the same font and text, GDI gives the same extents.  Clear it
// when the fonts of the system change (WM_FONTCHANGE).
class MeasureCache {
public:
    void Clear() { *this = MeasureCache(); }

    // Puts the metrics kept for state's Font and Titles into state; false
    // when none are kept.
    bool Find(LauncherState* state);
    // Keeps state's metrics for its Font and Titles, in place of the entry
    // used least recently.
    void Keep(const LauncherState* state);

private:
    struct Entry {
        unsigned LastUse;  // 0: empty
        LOGFONTA Font;
        char Titles[kSlotCount][kTitleSize];
        int LineHeight;
        int TitleWidth;
        int LineGap;
        int PrefixWidth;
    };
    // The top level and the submenus around it.
    Entry entries_[4] = {};
    unsigned uses_ = 0;
};

// Measures and resizes the window (no move, no Z-order change).  Only whether
// keyPath is empty matters.  The width stays within 12 .. screen width,
// whatever "Width" holds.  A window that already has the size is left
// alone.  With a cache, a level measured before in the same font is not
// measured again.
void SizeLauncherWindow(HWND window, LauncherState* state, const char* keyPath,
                        MeasureCache* cache = nullptr);

// Moves the window to the stored "Left"/"Top", then docks it by posType
// (types outside 0..5 dock nowhere).  A stored place that would leave the
// window entirely off every monitor is brought into the work area of the
// nearest one; the stored values stay as they are.
void PlaceLauncherWindow(HWND window, int posType);

// Writes the window's left and top to "Left" and "Top".
void SaveLauncherPosition(HWND window);

// The position for posType, from the window's current rectangle and the
// desktop area; like PlaceLauncherWindow, never one entirely off every
// monitor.
void GetDockedPosition(HWND window, int posType, int* x, int* y);

// The desktop area that docking and dialog placement work in: the shell's
// desktop icon list where there is one; otherwise (another shell, or Wine,
// which has no such windows) the work area of the monitor that window is on
// (the primary monitor for a null window).
void GetDesktopArea(HWND window, RECT* area);

#endif
