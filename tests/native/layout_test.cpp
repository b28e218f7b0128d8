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

TEST(LauncherWidth, TheRuleAndItsRange)
{
    // Top level: prefix + widest title + 10; submenu: the current width; a
    // stored "Width" wins while "TextHeight" matches; always 12 .. screen.
    const struct {
        bool TopLevel;
        int TitleWidth, StoredTextHeight;
        bool WidthStored;
        int StoredWidth, Expected;
    } cases[] = {
        {true, 150, -1, false, 0, 190},
        {true, 150, 18, false, 0, 190},
        {false, 900, -1, false, 0, 333},
        {true, 150, 18, true, 250, 250},
        {false, 150, 18, true, 250, 250},
        {true, 150, 24, true, 250, 190},  // chosen under another font
        {true, 150, 18, true, 0, 12},
        {true, 150, 18, true, -1, 12},
        {true, 150, 18, true, 100000, 1024},
        {true, 5000, -1, false, 0, 1024},
    };
    for (const auto& c : cases) {
        WidthInput in = {c.TopLevel, 333, 30, c.TitleWidth, 18, c.StoredTextHeight,
                         c.WidthStored, c.StoredWidth, 1024};
        EXPECT_EQ(c.Expected, LauncherWidth(in))
            << "top " << c.TopLevel << " title " << c.TitleWidth << " TextHeight "
            << c.StoredTextHeight << " Width " << c.StoredWidth;
        EXPECT_EQ(c.StoredTextHeight != 18, TextHeightChanged(in));
    }
    // A window not sized yet, on a system without screen metrics.
    WidthInput unsized = {false, 0, 30, 150, 18, -1, false, 0, 0};
    EXPECT_EQ(12, LauncherWidth(unsized));
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

}  // namespace
