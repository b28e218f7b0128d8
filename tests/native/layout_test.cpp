/*
 * Launcher layout arithmetic: docking, height, the width rule, the guards
 * against damaged settings, dialog placement, prefixes, title lengths and
 * unknown frame styles.
 */
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "draw/portable/layout.h"
#include "base/portable/key_table.h"

namespace {

const LayoutRect kScreen = {0, 0, 1024, 768};

using Point = std::pair<int, int>;  // x, y

TEST(DockedPosition, EveryPositionType)
{
    const LayoutRect window = {100, 200, 300, 260};  // 200 x 60
    // An area that does not start at (0, 0): a monitor left of the primary.
    const LayoutRect area = {-1280, 30, -100, 1000};
    const struct {
        int PosType;
        Point Expected;
    } cases[] = {
        {0, {100, 200}}, {1, {-1280, 200}}, {2, {-1280, 30}}, {3, {100, 30}},
        {4, {-300, 30}}, {5, {-300, 200}},  // the right edge less the width
        {6, {100, 200}}, {-1, {100, 200}},  // no such type: unchanged
    };
    for (const auto& c : cases) {
        Point p;
        DockedPosition(window, area, c.PosType, &p.first, &p.second);
        EXPECT_EQ(c.Expected, p) << "PosType " << c.PosType;
    }
    Point p;
    DockedPosition({-0x7FFFFFFF - 1, 0, 0x7FFFFFFF, 10}, area, 5, &p.first, &p.second);
    EXPECT_EQ(Point(-0x7FFFFFFF - 1, 0), p) << "a window wider than an int reaches";
}

TEST(LauncherHeight, PitchTimesLinesPlusMargins)
{
    EXPECT_EQ(37 * 23 + 8, LauncherHeight(20, 3, 37));
    // A damaged line count is held to the 37 slots a level has.
    EXPECT_EQ(37 * 20 + 8, LauncherHeight(20, 0, 1000));
    EXPECT_EQ(8, LauncherHeight(20, 0, -5));
    // The margins scale with the DPI; the pitch is measured at it.
    EXPECT_EQ(2 * 30 + 12, LauncherHeight(30, 0, 2, 144));
    EXPECT_EQ(2 * 40 + 16, LauncherHeight(40, 0, 2, 192));
}

TEST(LauncherWidth, TheRuleAndItsRange)
{
    // Top level: prefix (30) + widest title + 10; submenu: the current width
    // (333); a stored "Width" wins while "TextHeight" matches the line
    // height at 96 DPI (18); always 12 .. screen width (1024).  At another
    // DPI the room and a stored "Width" are scaled, the measured widths are
    // already.
    const struct {
        bool TopLevel;
        int TitleWidth, StoredTextHeight;
        bool WidthStored;
        int StoredWidth, Dpi, Expected;
    } cases[] = {
        {true, 150, -1, false, 0, 96, 190},
        {true, 150, 18, false, 0, 0, 190},
        {false, 900, -1, false, 0, 96, 333},
        {true, 150, 18, true, 250, 96, 250},
        {false, 150, 18, true, 250, 96, 250},
        {true, 150, 24, true, 250, 96, 190},  // chosen under another font
        {true, 150, 18, true, 0, 96, 12},
        {true, 150, 18, true, -1, 96, 12},
        {true, 150, 18, true, 100000, 96, 1024},
        {true, 5000, -1, false, 0, 96, 1024},
        {true, 150, -1, false, 0, 144, 195},
        {true, 150, 18, true, 250, 144, 375},
        {false, 150, 18, true, 250, 120, 313},
        {true, 150, 18, true, 0x7FFFFFFF, 192, 1024},
    };
    for (const auto& c : cases) {
        WidthInput in = {c.TopLevel, 333, 30, c.TitleWidth, 18, c.StoredTextHeight,
                         c.WidthStored, c.StoredWidth, 1024, c.Dpi};
        EXPECT_EQ(c.Expected, LauncherWidth(in))
            << "top " << c.TopLevel << " title " << c.TitleWidth << " TextHeight "
            << c.StoredTextHeight << " Width " << c.StoredWidth << " DPI " << c.Dpi;
    }
    // On a system without screen metrics.
    WidthInput noScreen = {true, 0, 30, 150, 18, -1, false, 0, 0, 96};
    EXPECT_EQ(12, LauncherWidth(noScreen));
}

TEST(UsableSettings, FontHeightWidthAndShadowOffset)
{
    for (int height : {0, 257, -100000, -2147483647 - 1})
        EXPECT_EQ(18, UsableFontHeight(height)) << height;
    for (int height : {24, -16, 256})  // negative: character height, as ChooseFont gives
        EXPECT_EQ(height, UsableFontHeight(height));
    EXPECT_EQ(8, UsableFontWidth(8));
    EXPECT_EQ(0, UsableFontWidth(100000));
    EXPECT_EQ(-3, UsableShadowOffset(-3));
    EXPECT_EQ(99, UsableShadowOffset(100000));
    EXPECT_EQ(-99, UsableShadowOffset(-2147483647 - 1));
}

// A hand-edited EdgeType outside 0..4 draws no frame (the pixel tests check
// the styles' lines); the sanitizers see any read past the style table.
TEST(FrameLines, NoneForUnknownStyles)
{
    FrameLine lines[kMaxFrameLines];
    for (int edgeType : {-1, 5, 1000})
        EXPECT_EQ(0, FrameLines(edgeType, 0, 0, 100, 50, lines)) << edgeType;
}

TEST(Placement, BringIntoAreaAndDialogPosition)
{
    // BringIntoArea moves the least distance; larger than the area: aligned
    // with its left and top edges.
    const struct {
        LayoutRect Window, Area;
        Point Expected;
    } moves[] = {
        {{100, 100, 300, 200}, kScreen, {100, 100}},
        {{-5000, -5000, -4800, -4900}, kScreen, {0, 0}},
        {{5000, 9000, 5200, 9100}, kScreen, {824, 668}},
        {{5000, 300, 5200, 400}, {0, 30, 1024, 738}, {824, 300}},
        {{3000, 3000, 5000, 4000}, kScreen, {0, 0}},
        // A hand-edited "Left" and "Top" at the ends of their range.
        {WindowRectAt(0x7FFFFFFF, 0x7FFFFFFF, 200, 100), kScreen, {824, 668}},
        {WindowRectAt(-0x7FFFFFFF - 1, -0x7FFFFFFF - 1, 200, 100), kScreen, {0, 0}},
        // Corners as wide apart as an int allows.
        {{-0x7FFFFFFF - 1, -0x7FFFFFFF - 1, 0x7FFFFFFF, 0x7FFFFFFF}, kScreen, {0, 0}},
    };
    const LayoutRect held = WindowRectAt(0x7FFFFFFF, -0x7FFFFFFF - 1, 200, 100);
    EXPECT_EQ(Point(1 << 24, -(1 << 24)), Point(held.Left, held.Top));
    EXPECT_EQ(Point((1 << 24) + 200, -(1 << 24) + 100), Point(held.Right, held.Bottom));
    for (const auto& c : moves) {
        Point p;
        BringIntoArea(c.Window, c.Area, &p.first, &p.second);
        EXPECT_EQ(c.Expected, p) << "window at " << c.Window.Left << ", " << c.Window.Top;
    }

    // A dialog is centred in the quarter that holds the pointer (a pointer
    // on a half line counts to the left or upper one), then kept inside.
    const struct {
        LayoutRect Area;
        Point Pointer;
        int Width, Height;
        Point Expected;
    } dialogs[] = {
        {kScreen, {1000, 740}, 200, 100, {668, 526}},
        {kScreen, {512, 384}, 200, 100, {156, 142}},
        {kScreen, {513, 10}, 200, 100, {668, 142}},
        {kScreen, {10, 385}, 200, 100, {156, 526}},
        {kScreen, {900, 100}, 600, 100, {424, 142}},  // right edge on the area's
        {kScreen, {10, 10}, 1100, 800, {-76, -32}},  // larger: flush right and bottom
        {{-1024, 100, 0, 868}, {-24, 840}, 200, 100, {668 - 1024, 526 + 100}},
    };
    for (const auto& c : dialogs) {
        Point p;
        DialogPosition(c.Area, c.Pointer.first, c.Pointer.second, c.Width, c.Height, &p.first,
                       &p.second);
        EXPECT_EQ(c.Expected, p) << "pointer at " << c.Pointer.first << ", " << c.Pointer.second;
    }
}

TEST(Prefixes, KeyAndPreviewPrefixes)
{
    // The preview letters its slots from 'A', whatever their keys.
    const struct {
        bool Preview;
        int Slot, IsSubmenu;
        const char* Expected;
    } cases[] = {
        {false, 0, 1, ""},   {false, 1, 0, "A: "}, {false, 30, 1, "3> "}, {false, 36, 0, "9: "},
        {false, 37, 0, ""},  {false, -1, 0, ""},   {true, 0, 0, "A> "},   {true, 1, 0, "B> "},
        {true, 2, 1, "C: "}, {true, 36, 0, "e: "}, {true, 37, 0, ""},
    };
    for (const auto& c : cases) {
        char prefix[kPrefixSize];
        if (c.Preview)
            FormatPreviewPrefix(c.Slot, prefix);
        else
            FormatKeyPrefix(c.Slot, c.IsSubmenu, prefix);
        EXPECT_STREQ(c.Expected, prefix) << (c.Preview ? "preview " : "") << "slot " << c.Slot;
    }
}

TEST(TitleLength, NeverReadsPastTheField)
{
    char title[kTitleSize];
    std::memset(title, 'x', sizeof title);
    EXPECT_EQ(kTitleSize, TitleLength(title));
    title[5] = '\0';
    EXPECT_EQ(5, TitleLength(title));
}

}  // namespace
