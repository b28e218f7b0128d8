/*
 * Launcher layout arithmetic: docking, height, the width rule, the guards
 * against damaged settings, dialog placement, prefixes and frame lines.
 */
#include <gtest/gtest.h>

#include <cstring>

#include "draw/layout.h"
#include "launch/key_table.h"

namespace {

const LayoutRect kScreen = {0, 0, 1024, 768};

struct Point {
    int X, Y;
    bool operator==(const Point& other) const { return X == other.X && Y == other.Y; }
};

Point Docked(const LayoutRect& window, const LayoutRect& area, int posType)
{
    Point p;
    DockedPosition(window, area, posType, &p.X, &p.Y);
    return p;
}

TEST(DockedPosition, EveryPositionType)
{
    const LayoutRect window = {100, 200, 300, 260};  // 200 x 60
    // An area that does not start at (0, 0): a monitor left of the primary.
    const LayoutRect area = {-1280, 30, -100, 1000};
    const struct {
        int PosType;
        Point Expected;
    } cases[] = {
        {0, {100, 200}},     // free
        {1, {-1280, 200}},   // left
        {2, {-1280, 30}},    // top left
        {3, {100, 30}},      // top
        {4, {-300, 30}},     // top right: right edge minus the width
        {5, {-300, 200}},    // right
        {6, {100, 200}},     // no such type: unchanged
        {-1, {100, 200}},
        {1000, {100, 200}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Expected, Docked(window, area, c.PosType)) << "PosType " << c.PosType;
}

TEST(DockedPosition, TopRightOfA1024WideArea)
{
    const LayoutRect window = {10, 500, 210, 600};
    EXPECT_EQ((Point{824, 0}), Docked(window, kScreen, 4));
}

TEST(LauncherHeight, PitchTimesLinesPlusMargins)
{
    EXPECT_EQ(20 + 8, LauncherHeight(20, 0, 1));
    EXPECT_EQ(40 + 8, LauncherHeight(20, 0, 2));
    EXPECT_EQ(37 * 20 + 8, LauncherHeight(20, 0, 37));
    EXPECT_EQ(37 * 23 + 8, LauncherHeight(20, 3, 37));
    // A damaged line count is held to the 37 slots a level has.
    EXPECT_EQ(37 * 20 + 8, LauncherHeight(20, 0, 1000));
    EXPECT_EQ(8, LauncherHeight(20, 0, -5));
}

WidthInput TopLevel()
{
    WidthInput in = {};
    in.TopLevel = true;
    in.CurrentWidth = 333;
    in.PrefixWidth = 30;
    in.TitleWidth = 150;
    in.LineHeight = 18;
    in.StoredTextHeight = -1;
    in.ScreenWidth = 1024;
    return in;
}

TEST(LauncherWidth, WithoutStoredWidth)
{
    WidthInput in = TopLevel();
    EXPECT_EQ(30 + 150 + 10, LauncherWidth(in));
    in.StoredTextHeight = 18;  // whatever "TextHeight" holds
    EXPECT_EQ(190, LauncherWidth(in));

    // A submenu keeps the current width, whatever its titles.
    in.TopLevel = false;
    EXPECT_EQ(333, LauncherWidth(in));
    in.TitleWidth = 900;
    EXPECT_EQ(333, LauncherWidth(in));
}

TEST(LauncherWidth, StoredWidthWinsWhileTheTextHeightMatches)
{
    WidthInput in = TopLevel();
    in.WidthStored = true;
    in.StoredWidth = 250;
    in.StoredTextHeight = 18;
    EXPECT_FALSE(TextHeightChanged(in));
    EXPECT_EQ(250, LauncherWidth(in));
    in.TopLevel = false;
    EXPECT_EQ(250, LauncherWidth(in));

    // Chosen under another font: the computed width, and "TextHeight" is due.
    in.TopLevel = true;
    in.StoredTextHeight = 24;
    EXPECT_TRUE(TextHeightChanged(in));
    EXPECT_EQ(190, LauncherWidth(in));
}

TEST(LauncherWidth, StaysWithinTwelvePixelsAndTheScreenWidth)
{
    WidthInput in = TopLevel();
    in.WidthStored = true;
    in.StoredTextHeight = 18;
    const struct {
        int Stored, Expected;
    } cases[] = {{0, 12}, {11, 12}, {12, 12}, {1024, 1024}, {100000, 1024}, {-1, 12},
                 {-2147483647 - 1, 12}};
    for (const auto& c : cases) {
        in.StoredWidth = c.Stored;
        EXPECT_EQ(c.Expected, LauncherWidth(in)) << "Width " << c.Stored;
    }
    // The computed widths are held to the same range.
    in = TopLevel();
    in.TitleWidth = 5000;
    EXPECT_EQ(1024, LauncherWidth(in));
    in.TopLevel = false;
    in.CurrentWidth = 0;  // a window not sized yet
    EXPECT_EQ(12, LauncherWidth(in));
    in.ScreenWidth = 0;   // no screen metrics at all
    EXPECT_EQ(12, LauncherWidth(in));
}

TEST(UsableSettings, FontHeightWidthAndShadowOffset)
{
    EXPECT_EQ(18, UsableFontHeight(0));
    EXPECT_EQ(18, UsableFontHeight(257));
    EXPECT_EQ(18, UsableFontHeight(-100000));
    EXPECT_EQ(18, UsableFontHeight(-2147483647 - 1));
    EXPECT_EQ(24, UsableFontHeight(24));
    EXPECT_EQ(-16, UsableFontHeight(-16));  // character height, as ChooseFont gives
    EXPECT_EQ(256, UsableFontHeight(256));

    EXPECT_EQ(0, UsableFontWidth(0));
    EXPECT_EQ(8, UsableFontWidth(8));
    EXPECT_EQ(0, UsableFontWidth(100000));
    EXPECT_EQ(0, UsableFontWidth(-300));

    EXPECT_EQ(0, UsableShadowOffset(0));
    EXPECT_EQ(-3, UsableShadowOffset(-3));
    EXPECT_EQ(99, UsableShadowOffset(100000));
    EXPECT_EQ(-99, UsableShadowOffset(-2147483647 - 1));
}

TEST(BringIntoArea, MovesTheLeastDistance)
{
    Point p;
    BringIntoArea({100, 100, 300, 200}, kScreen, &p.X, &p.Y);
    EXPECT_EQ((Point{100, 100}), p);
    BringIntoArea({-5000, -5000, -4800, -4900}, kScreen, &p.X, &p.Y);
    EXPECT_EQ((Point{0, 0}), p);
    BringIntoArea({5000, 9000, 5200, 9100}, kScreen, &p.X, &p.Y);
    EXPECT_EQ((Point{824, 668}), p);
    BringIntoArea({5000, 300, 5200, 400}, {0, 30, 1024, 738}, &p.X, &p.Y);
    EXPECT_EQ((Point{824, 300}), p);
    // Larger than the area: aligned with its left and top edges.
    BringIntoArea({3000, 3000, 5000, 4000}, kScreen, &p.X, &p.Y);
    EXPECT_EQ((Point{0, 0}), p);
}

TEST(DialogPosition, CentredInThePointersQuarter)
{
    Point p;
    DialogPosition(kScreen, 1000, 740, 200, 100, &p.X, &p.Y);
    EXPECT_EQ((Point{668, 526}), p);
    DialogPosition(kScreen, 512, 384, 200, 100, &p.X, &p.Y);  // on both half lines
    EXPECT_EQ((Point{156, 142}), p);
    DialogPosition(kScreen, 513, 10, 200, 100, &p.X, &p.Y);
    EXPECT_EQ((Point{668, 142}), p);
    DialogPosition(kScreen, 10, 385, 200, 100, &p.X, &p.Y);
    EXPECT_EQ((Point{156, 526}), p);
}

TEST(DialogPosition, KeptInsideTheArea)
{
    Point p;
    // 600 wide from the upper right quarter: right edge on the area's.
    DialogPosition(kScreen, 900, 100, 600, 100, &p.X, &p.Y);
    EXPECT_EQ(1024 - 600, p.X);
    // Wider and taller than the whole area: flush right and bottom.
    DialogPosition(kScreen, 10, 10, 1100, 800, &p.X, &p.Y);
    EXPECT_EQ((Point{-76, -32}), p);
    // An area with its own origin is handled relative to its corner.
    DialogPosition({-1024, 100, 0, 868}, -24, 840, 200, 100, &p.X, &p.Y);
    EXPECT_EQ((Point{668 - 1024, 526 + 100}), p);
}

TEST(KeyPrefix, EntriesSubmenusAndTheHeader)
{
    char prefix[kPrefixSize];
    FormatKeyPrefix(0, 1, prefix);
    EXPECT_STREQ("", prefix);
    FormatKeyPrefix(1, 0, prefix);
    EXPECT_STREQ("A: ", prefix);
    FormatKeyPrefix(30, 1, prefix);  // key 3, a submenu
    EXPECT_STREQ("3> ", prefix);
    FormatKeyPrefix(36, 0, prefix);
    EXPECT_STREQ("9: ", prefix);
    FormatKeyPrefix(37, 0, prefix);
    EXPECT_STREQ("", prefix);
    FormatKeyPrefix(-1, 0, prefix);
    EXPECT_STREQ("", prefix);
}

TEST(KeyPrefix, PreviewLettersFromA)
{
    char prefix[kPrefixSize];
    FormatPreviewPrefix(0, prefix);
    EXPECT_STREQ("A> ", prefix);
    FormatPreviewPrefix(1, prefix);
    EXPECT_STREQ("B> ", prefix);
    FormatPreviewPrefix(3, prefix);
    EXPECT_STREQ("D: ", prefix);
    FormatPreviewPrefix(36, prefix);
    EXPECT_STREQ("e: ", prefix);  // 'A' + 36
    FormatPreviewPrefix(37, prefix);
    EXPECT_STREQ("", prefix);
}

TEST(TitleLength, NeverReadsPastTheField)
{
    char title[kTitleSize];
    std::memset(title, 'x', sizeof title);
    EXPECT_EQ(kTitleSize, TitleLength(title));
    title[5] = '\0';
    EXPECT_EQ(5, TitleLength(title));
    EXPECT_EQ(0, TitleLength(""));
}

TEST(FrameLines, CountsPerStyleAndNoFrameBeyondThem)
{
    FrameLine lines[kMaxFrameLines];
    EXPECT_EQ(0, FrameLines(0, 0, 0, 100, 50, lines));
    EXPECT_EQ(4, FrameLines(1, 0, 0, 100, 50, lines));
    EXPECT_EQ(8, FrameLines(2, 0, 0, 100, 50, lines));
    EXPECT_EQ(8, FrameLines(3, 0, 0, 100, 50, lines));
    EXPECT_EQ(8, FrameLines(4, 0, 0, 100, 50, lines));
    EXPECT_EQ(0, FrameLines(5, 0, 0, 100, 50, lines));
    EXPECT_EQ(0, FrameLines(-1, 0, 0, 100, 50, lines));
}

}  // namespace
