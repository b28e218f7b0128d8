/*
 * The arithmetic of the launcher's size and place, and of its lines: docked
 * positions, the height from the line count, the width rule with the stored
 * "Width"/"TextHeight", the guards that keep hand-edited settings from
 * producing an unusable window, the key prefixes and the frame's lines.
 *
 * Platform-free: no <windows.h>, so it is also built and tested natively.
 * The Win32 layer (geometry.cpp, paint.cpp) gathers the inputs and calls it.
 */
#ifndef TAV_DRAW_PORTABLE_LAYOUT_H
#define TAV_DRAW_PORTABLE_LAYOUT_H

#include <cstdint>

#include "draw/portable/dpi_scale.h"

// A screen rectangle, right and bottom exclusive, as GetWindowRect gives it.
struct LayoutRect {
    int Left;
    int Top;
    int Right;
    int Bottom;
};

// Smallest launcher width: the window procedure's resize limit too.
constexpr int kMinLauncherWidth = 12;
// Margin above the first line and below the last, at 96 DPI.
constexpr int kLineMargin = 4;
// Left margin of the text, at 96 DPI.
constexpr int kTextLeft = 5;
// Room between the widest title and the right edge at the top level, at 96 DPI.
constexpr int kTitleRoom = 10;
// The shadow offset the options dialog allows; drawing keeps within it.
constexpr int kMaxShadowOffset = 99;
// Font heights (pixels, either sign) beyond this fall back to the default.
constexpr int kMaxFontHeight = 256;
constexpr int kDefaultFontHeight = 18;
// "%c: " or "%c> " and a terminator.
constexpr int kPrefixSize = 5;

// The position for a position type (POS_*): the window's current corner
// with the coordinates the type docks replaced by the area's edges.  Types
// outside 0..5 keep both coordinates.
void DockedPosition(const LayoutRect& window, const LayoutRect& area, int posType, int* x, int* y);

// Window height for lineCount lines of pitch lineHeight + lineGap, with a
// margin above and below (4 pixels at 96 DPI, scaled to dpi).  lineCount
// outside 0..37 counts as its nearest bound, so a damaged slot table cannot
// make the window absurdly tall.
int LauncherHeight(int lineHeight, int lineGap, int lineCount, int dpi = kBaseDpi);

// What decides the launcher's width.  "Width" and "TextHeight" are
// figures at 96 DPI, like the font they were chosen with.
struct WidthInput {
    bool TopLevel;         // the key path is empty
    int CurrentWidth;      // the window's width now
    int PrefixWidth;       // metrics of the launcher font at dpi
    int TitleWidth;
    int BaseLineHeight;    // the line height of the font at 96 DPI
    int StoredTextHeight;  // "TextHeight", -1 when missing
    bool WidthStored;      // "Width" exists
    int StoredWidth;       // "Width"
    int ScreenWidth;       // SM_CXSCREEN
    int Dpi;               // the DPI drawn at (0: 96)
};

// The width rule: at the top level the prefix and the widest title with
// room to spare (10 pixels at 96 DPI), inside a submenu the current width;
// a stored "Width", scaled to the DPI, wins while "TextHeight" equals the
// font's line height at 96 DPI.  The result is kept within 12 .. screen
// width, the range the user can drag the window to.
int LauncherWidth(const WidthInput& input);

// Whether the font's line height has to be written as "TextHeight".
inline bool TextHeightChanged(const WidthInput& input)
{
    return input.StoredTextHeight != input.BaseLineHeight;
}

// The font height to create the launcher font with: a stored height of 0,
// or one beyond kMaxFontHeight either way, gives the default height.
int UsableFontHeight(int height);

// The font width to create the launcher font with: 0 (the font's own
// aspect) when the stored one is beyond kMaxFontHeight either way.
int UsableFontWidth(int width);

// ShadowOffset within -99..99 for drawing.
int UsableShadowOffset(int offset);

// Coordinates and sizes of windows lie far within this; a hand-edited
// "Left" or "Top" up to 0x7FFFFFFF is held to it, so that no sum of a
// coordinate and a size overflows.
constexpr int kMaxCoordinate = 1 << 24;

// The rectangle of a window of the given size at a stored corner, the
// corner and size first held within +-kMaxCoordinate.
LayoutRect WindowRectAt(int left, int top, int width, int height);

// The top-left corner that brings window into area: unchanged when it lies
// inside; otherwise moved the least distance, and aligned with the area's
// left or top edge when it is wider or taller than the area.
void BringIntoArea(const LayoutRect& window, const LayoutRect& area, int* x, int* y);

// Where a dialog of width x height goes: centred in the quarter of the area
// that holds the pointer (a pointer on a half line counts to the left or
// upper quarter), then kept inside the area, flush with its right or
// bottom edge when it is larger.  Computed relative to the area's own
// corner, which matches an area at (0, 0) exactly.
void DialogPosition(const LayoutRect& area, int pointerX, int pointerY, int width, int height,
                    int* x, int* y);

// Where a line goes at a DPI: its text starts at (TextX, TextY), 5 and
// 4 + row x pitch pixels at 96 DPI; the plain text path draws the shadow
// Shadow pixels right of and below the text (ShadowOffset held to -99..99
// and scaled), DrawShadowText SoftShadow pixels (ShadowOffset + 1, scaled),
// which is how far its soft shadow reaches.
struct LineGeometry {
    int TextX;
    int TextY;
    int Shadow;
    int SoftShadow;
};
LineGeometry LineAt(int row, int pitch, int shadowOffset, int dpi);

// The key prefix of a slot: "" for slot 0, "%c> " for a submenu and
// "%c: " for an entry, with the slot's key character.  out holds
// kPrefixSize bytes; slots outside 1..36 give "".
void FormatKeyPrefix(int slot, int isSubmenu, char* out);

// The preview's prefix: "%c> " for slots 0 and 1, "%c: " for the others,
// with the character 'A' + slot.
void FormatPreviewPrefix(int slot, char* out);

// Byte length of a title in its 33-byte field, terminated or not.
int TitleLength(const char* title);

// One line of a frame, from (X0, Y0) to (X1, Y1) without the end point.
struct FrameLine {
    int X0, Y0, X1, Y1;
    std::uint32_t Colour;  // 0x00BBGGRR
};

constexpr int kMaxFrameLines = 8;

// The lines of the frame style edgeType (FRAME_*) around (x, y, w, h), in
// drawing order; returns their count.  Styles outside 0..4 have no frame.
int FrameLines(int edgeType, int x, int y, int w, int h, FrameLine* out);

#endif
