/*
 * The launcher window's stored place and width, in the Window key
 * (string 2): "Left" and "Top" (where the window was last, default 0 each),
 * "Width" (the width the user dragged the window to, none by default) and
 * "TextHeight" (the line height "Width" was chosen for, -1 by default).
 * Geometry, the launcher window, the first-run check and the setup window
 * read and write them here, and nowhere else.
 */
#ifndef TAV_STORE_WINDOW_POSITION_H
#define TAV_STORE_WINDOW_POSITION_H

// "Top" as it reads when no position was ever saved.  A stored -999 counts
// as none too.
constexpr int kNoSavedTop = -999;

struct StoredPosition {
    int Left;
    int Top;
};

// "Left" and "Top", read through one opening of the key; each is 0 when
// missing.
StoredPosition ReadWindowPosition();

// Writes "Left" and "Top".
void WriteWindowPosition(int left, int top);

// 1 when a position was ever saved: "Top" exists and is not kNoSavedTop.
int HasSavedPosition();

struct StoredWidth {
    int TextHeight;   // "TextHeight", -1 when missing
    int WidthStored;  // 1 when "Width" exists
    int Width;        // "Width", 0 when missing
};

// "TextHeight" and "Width", read through one opening of the key: every
// registry call is a round trip to the registry's server, and this runs at
// every change of menu level.
StoredWidth ReadStoredWidth();

// Writes "Width" (after the user dragged an edge).
void WriteStoredWidth(int width);

// Writes "TextHeight" (when the launcher font's line height changed).
void WriteTextHeight(int lineHeight);

#endif
