/*
 * Size and place of the launcher window (and of the setup window, which
 * draws the same list).  Height follows the level's lines; width follows the
 * widest title unless the user dragged another width ("Width"); both at the
 * DPI of the monitor the window shows on.  Position is the stored
 * "Left"/"Top" or docked to an edge of the work area of the monitor that
 * holds the pointer.
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

// The launcher font from a stored LOGFONTA at dpi: its height and width
// are figures at 96 DPI, scaled to dpi (0 counts as 96; a height of whole
// points stays that many points, FontHeightAtDpi).  A height of 0 or
// beyond a sane bound is replaced by the default height, and such a width
// by 0, so that a damaged setting still gives a usable window.
tav::UniqueHFont CreateLauncherFont(const LOGFONTA* font, int dpi);

// Recomputes LineHeight, TitleWidth, LineGap and PrefixWidth of state from its
// Font and Titles at its Dpi, in the window DC of window (null: the screen).
void MeasureLauncherText(HWND window, LauncherState* state);

// The text metrics of the last few levels the launcher window measured,
// each with the font, the DPI and the titles it was measured from.  A
// sizing whose font, DPI and titles equal an entry's takes its metrics
// instead of measuring again: for the same font and text, GDI gives the
// same extents.  Clear it when the fonts of the system change
// (WM_FONTCHANGE).
class MeasureCache {
public:
    void Clear() { *this = MeasureCache(); }

    // Puts the metrics kept for state's Font, Dpi and Titles into state, and
    // the font's line height at 96 DPI into baseLineHeight; false when none
    // are kept.
    bool Find(LauncherState* state, int* baseLineHeight);
    // Keeps state's metrics and baseLineHeight for its Font, Dpi and Titles,
    // in place of the entry used least recently.
    void Keep(const LauncherState* state, int baseLineHeight);

private:
    struct Entry {
        unsigned LastUse;  // 0: empty
        LOGFONTA Font;
        int Dpi;
        char Titles[kSlotCount][kTitleSize];
        int LineHeight;
        int TitleWidth;
        int LineGap;
        int PrefixWidth;
        int BaseLineHeight;
    };
    // The top level and the submenus around it.
    Entry entries_[4] = {};
    unsigned uses_ = 0;
};

// Measures and resizes the window (no move, no Z-order change) at state's
// Dpi.  Only whether keyPath is empty matters.  The width stays within
// 12 .. screen width, whatever "Width" holds.  "Width" and "TextHeight" are
// figures at 96 DPI: "TextHeight" is the font's line height at 96 DPI, so a
// width chosen on one monitor applies, scaled, on every other.  A window
// that already has the size is left alone.  With a cache, a level measured
// before in the same font at the same DPI is not measured again.
void SizeLauncherWindow(HWND window, LauncherState* state, const char* keyPath,
                        MeasureCache* cache = nullptr);

// WM_DPICHANGED for a window that SizeLauncherWindow sizes: the window's
// monitor now has another DPI (the window was moved there, or the user
// changed the scaling).  Sets state's Dpi from wParam and, when that changes
// it, scales the window's width by the change (a submenu keeps its width in
// proportion), sizes the window anew and moves it to the top-left corner of
// the rectangle the system suggests.
void FollowDpiChange(HWND window, LauncherState* state, const char* keyPath, WPARAM wParam,
                     const RECT* suggested, MeasureCache* cache = nullptr);

// Sizes the window for state's level (keyPath) at the DPI of the monitor it
// is placed on, and places it: at the stored "Left"/"Top", then docked by
// state's PosType (types outside 0..5 dock nowhere) on the monitor that
// holds the pointer.  A stored place that would leave the window entirely
// off every monitor is brought into the work area of the nearest one; the
// stored values stay as they are.  What the launcher does when it is
// created or given new settings, and the setup window when it opens where
// the launcher would appear.
void SizeAndPlaceLauncherWindow(HWND window, LauncherState* state, const char* keyPath,
                                MeasureCache* cache = nullptr);

// Writes the window's left and top to "Left" and "Top".
void SaveLauncherPosition(HWND window);

// Before the launcher shows: sizes the window for the DPI of the monitor
// it shows on (as for a DPI change), and gives in x, y its position at the new
// size: from the window's current rectangle, docked by state's PosType
// (types 1 to 5) in the work area of the monitor that holds the pointer;
// otherwise where the window is, unless that is entirely off every monitor
// (then in the work area of the nearest one).  The desktop is read once
// for both.
void FitForShowing(HWND window, LauncherState* state, const char* keyPath, MeasureCache* cache,
                   int* x, int* y);

#endif
