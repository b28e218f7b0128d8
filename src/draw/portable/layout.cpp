/*
 * Launcher layout arithmetic (see layout.h).
 */
#include "draw/portable/layout.h"

#include <climits>
#include <cstring>

#include "base/portable/key_table.h"

static int Clamp(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

// A sum made in 64 bits, held within int.
static int ToInt(std::int64_t value)
{
    return static_cast<int>(value < INT_MIN ? INT_MIN : (value > INT_MAX ? INT_MAX : value));
}

void DockedPosition(const LayoutRect& window, const LayoutRect& area, int posType, int* x, int* y)
{
    // Which edge of the area each position type docks to (POS_FREE .. POS_RIGHT).
    enum { KEEP, NEAR, FAR };
    static const struct {
        int X, Y;
    } kDock[] = {
        {KEEP, KEEP},  // POS_FREE
        {NEAR, KEEP},  // POS_LEFT
        {NEAR, NEAR},  // POS_TOP_LEFT
        {KEEP, NEAR},  // POS_TOP
        {FAR, NEAR},   // POS_TOP_RIGHT
        {FAR, KEEP},   // POS_RIGHT
    };
    *x = window.Left;
    *y = window.Top;
    if (posType < 0 || posType >= static_cast<int>(sizeof kDock / sizeof kDock[0]))
        return;
    if (kDock[posType].X == NEAR)
        *x = area.Left;
    else if (kDock[posType].X == FAR)
        *x = ToInt(area.Right - (static_cast<std::int64_t>(window.Right) - window.Left));
    if (kDock[posType].Y == NEAR)
        *y = area.Top;
}

int LauncherHeight(int lineHeight, int lineGap, int lineCount, int dpi)
{
    return (lineHeight + lineGap) * Clamp(lineCount, 0, kSlotCount)
           + 2 * ScaleToDpi(kLineMargin, dpi);
}

int LauncherWidth(const WidthInput& input)
{
    int width = input.TopLevel
                    ? input.PrefixWidth + input.TitleWidth + ScaleToDpi(kTitleRoom, input.Dpi)
                    : input.CurrentWidth;
    if (!TextHeightChanged(input) && input.WidthStored)
        width = ScaleToDpi(input.StoredWidth, input.Dpi);
    int widest = input.ScreenWidth > kMinLauncherWidth ? input.ScreenWidth : kMinLauncherWidth;
    return Clamp(width, kMinLauncherWidth, widest);
}

int UsableFontHeight(int height)
{
    if (height == 0 || height > kMaxFontHeight || height < -kMaxFontHeight)
        return kDefaultFontHeight;
    return height;
}

int UsableFontWidth(int width)
{
    if (width > kMaxFontHeight || width < -kMaxFontHeight)
        return 0;
    return width;
}

int UsableShadowOffset(int offset)
{
    return Clamp(offset, -kMaxShadowOffset, kMaxShadowOffset);
}

LayoutRect WindowRectAt(int left, int top, int width, int height)
{
    left = Clamp(left, -kMaxCoordinate, kMaxCoordinate);
    top = Clamp(top, -kMaxCoordinate, kMaxCoordinate);
    width = Clamp(width, 0, kMaxCoordinate);
    height = Clamp(height, 0, kMaxCoordinate);
    return LayoutRect{left, top, left + width, top + height};
}

// The start of the span [start, end) moved the least distance to lie inside
// [low, high); a span longer than the range starts at low.  In 64 bits, so
// that no corners, however far apart, overflow; the result lies between
// low and start.
static int BringSpanInto(std::int64_t start, std::int64_t end, std::int64_t low, std::int64_t high)
{
    if (end > high)
        start = high - (end - start);
    if (start < low)
        start = low;
    return static_cast<int>(start);
}

void BringIntoArea(const LayoutRect& window, const LayoutRect& area, int* x, int* y)
{
    *x = BringSpanInto(window.Left, window.Right, area.Left, area.Right);
    *y = BringSpanInto(window.Top, window.Bottom, area.Top, area.Bottom);
}

void DialogPosition(const LayoutRect& area, int pointerX, int pointerY, int width, int height,
                    int* x, int* y)
{
    int halfWidth = (area.Right - area.Left) / 2;
    int halfHeight = (area.Bottom - area.Top) / 2;
    bool right = pointerX - area.Left > halfWidth;
    bool lower = pointerY - area.Top > halfHeight;
    int left = area.Left + (halfWidth - width) / 2 + (right ? halfWidth : 0);
    int top = area.Top + (halfHeight - height) / 2 + (lower ? halfHeight : 0);
    if (left < area.Left)
        left = area.Left;
    if (top < area.Top)
        top = area.Top;
    if (left + width > area.Right)
        left = area.Right - width;
    if (top + height > area.Bottom)
        top = area.Bottom - height;
    *x = left;
    *y = top;
}

LineGeometry LineAt(int row, int pitch, int shadowOffset, int dpi)
{
    int offset = UsableShadowOffset(shadowOffset);
    return LineGeometry{ScaleToDpi(kTextLeft, dpi), row * pitch + ScaleToDpi(kLineMargin, dpi),
                        ScaleToDpi(offset, dpi), ScaleToDpi(offset + 1, dpi)};
}

static void WritePrefix(char key, char mark, char* out)
{
    out[0] = key;
    out[1] = mark;
    out[2] = ' ';
    out[3] = '\0';
}

void FormatKeyPrefix(int slot, int isSubmenu, char* out)
{
    char key = KeyChar(slot - 1);
    if (key == 0)
        out[0] = '\0';
    else
        WritePrefix(key, isSubmenu != 0 ? '>' : ':', out);
}

void FormatPreviewPrefix(int slot, char* out)
{
    if (slot < 0 || slot >= kSlotCount)
        out[0] = '\0';
    else
        WritePrefix(static_cast<char>('A' + slot), slot <= 1 ? '>' : ':', out);
}

int TitleLength(const char* title)
{
    const void* end = std::memchr(title, '\0', kTitleSize);
    return end != nullptr ? static_cast<int>(static_cast<const char*>(end) - title) : kTitleSize;
}

int FrameLines(int edgeType, int x, int y, int w, int h, FrameLine* out)
{
    // Colours of the frame styles (FRAME_NONE .. FRAME_SUNKEN_LINE): outer
    // top and left, outer bottom and right, inner top and left, inner bottom
    // and right; rings 0 draws nothing, 1 the outer ring only.
    constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;
    constexpr std::uint32_t kLight = 0xE8E8E8, kSilver = 0xC0C0C0, kGrey = 0x808080;
    static const struct {
        int Rings;
        std::uint32_t OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight;
    } kFrames[] = {
        {0, 0, 0, 0, 0},                       // FRAME_NONE
        {1, kBlack, kBlack, 0, 0},             // FRAME_LINE
        {2, kLight, kBlack, kSilver, kGrey},   // FRAME_3D
        {2, kWhite, kBlack, kBlack, kWhite},   // FRAME_RAISED_LINE
        {2, kGrey, kWhite, kSilver, kBlack},   // FRAME_SUNKEN_LINE
    };
    if (edgeType < 0 || edgeType >= static_cast<int>(sizeof kFrames / sizeof kFrames[0]))
        return 0;
    const auto& frame = kFrames[edgeType];
    int r = x + w, b = y + h;
    const FrameLine outer[] = {
        {x, y, r, y, frame.OuterTopLeft},
        {x, y, x, b, frame.OuterTopLeft},
        {r - 1, y, r - 1, b, frame.OuterBottomRight},
        {x, b - 1, r, b - 1, frame.OuterBottomRight},
    };
    const FrameLine inner[] = {
        {x + 1, y + 1, r - 1, y + 1, frame.InnerTopLeft},
        {x + 1, y + 1, x + 1, b - 2, frame.InnerTopLeft},
        {r - 2, y + 1, r - 2, b - 1, frame.InnerBottomRight},
        {x + 1, b - 2, r - 2, b - 2, frame.InnerBottomRight},
    };
    int count = 0;
    if (frame.Rings >= 1)
        for (const FrameLine& line : outer)
            out[count++] = line;
    if (frame.Rings >= 2)
        for (const FrameLine& line : inner)
            out[count++] = line;
    return count;
}
