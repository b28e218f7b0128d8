/*
 * Arrow movement over the slots, the skip rule for empty slots and its end.
 */
#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "launch/selection.h"

namespace {

struct Level {
    char titles[kSlotCount][kTitleSize] = {};

    Level& With(int slot, const char* title)
    {
        std::strcpy(titles[slot], title);
        return *this;
    }
};

// What the posted key-downs of the window do: step again while the slot
// lands on an empty one.  Gives up (returns -1) after more presses than
// there are slots, which a terminating rule never needs.
int PressArrow(const Level& level, int selection, ArrowDirection direction, int showAll, int atTop)
{
    int s = StepSelection(selection, direction, atTop);
    for (int presses = 1; ArrowPassesOver(level.titles, s, showAll); ++presses) {
        if (presses > kSlotCount)
            return -1;
        s = StepSelection(s, direction, atTop);
    }
    return s;
}

TEST(StepSelection, TopLevelWrapsAroundAndPassesOverTheTitleLine)
{
    EXPECT_EQ(36, StepSelection(1, ARROW_UP, 1));
    EXPECT_EQ(1, StepSelection(36, ARROW_DOWN, 1));
    EXPECT_EQ(2, StepSelection(1, ARROW_DOWN, 1));
    EXPECT_EQ(35, StepSelection(36, ARROW_UP, 1));
    // From the title line itself (after Backspace at the top level).
    EXPECT_EQ(1, StepSelection(0, ARROW_DOWN, 1));
    EXPECT_EQ(36, StepSelection(0, ARROW_UP, 1));

    for (int start = 0; start < kSlotCount; ++start) {
        int s = start;
        for (int i = 0; i < 2 * kSlotCount; ++i) {
            s = StepSelection(s, i % 3 ? ARROW_DOWN : ARROW_UP, 1);
            ASSERT_GE(s, 1);
            ASSERT_LE(s, 36);
        }
    }
}

TEST(StepSelection, SubmenuWrapsThroughTheParentLine)
{
    EXPECT_EQ(0, StepSelection(36, ARROW_DOWN, 0));
    EXPECT_EQ(0, StepSelection(1, ARROW_UP, 0));
    EXPECT_EQ(36, StepSelection(0, ARROW_UP, 0));
    EXPECT_EQ(1, StepSelection(0, ARROW_DOWN, 0));
}

TEST(StepSelection, OutOfRangeSelectionStaysInRange)
{
    for (int selection : {-1000, -1, 37, 1000}) {
        for (int top : {0, 1}) {
            for (ArrowDirection d : {ARROW_UP, ARROW_DOWN}) {
                int s = StepSelection(selection, d, top);
                EXPECT_GE(s, top);
                EXPECT_LE(s, 36);
            }
        }
    }
}

TEST(ArrowSkip, ALevelWithoutStopsIsDetected)
{
    // A slot table not (yet) loaded, or a top level whose only title is
    // its title line: no arrow press could ever stop.
    Level blank;
    EXPECT_EQ(0, LevelHasArrowStop(blank.titles, 0, 1));
    EXPECT_EQ(0, LevelHasArrowStop(blank.titles, 0, 0));
    Level titleOnly;
    titleOnly.With(0, "Tav Ver2.55");
    EXPECT_EQ(0, LevelHasArrowStop(titleOnly.titles, 0, 1));
    EXPECT_EQ(1, LevelHasArrowStop(titleOnly.titles, 0, 0));
    EXPECT_EQ(1, LevelHasArrowStop(blank.titles, 1, 1));
    Level last;
    last.With(36, "9");
    EXPECT_EQ(1, LevelHasArrowStop(last.titles, 0, 1));
}

TEST(ArrowSkip, EveryLevelWithAStopEndsOnATitledSlot)
{
    std::mt19937 random(20240607);
    for (int round = 0; round < 2000; ++round) {
        Level level;
        int density = static_cast<int>(random() % 6);  // 0: almost empty
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (static_cast<int>(random() % 40) < density)
                level.With(slot, "x");
        }
        int top = static_cast<int>(random() % 2);
        if (!LevelHasArrowStop(level.titles, 0, top))
            continue;
        int start = static_cast<int>(random() % kSlotCount);
        ArrowDirection d = random() % 2 ? ARROW_UP : ARROW_DOWN;
        int s = PressArrow(level, start, d, 0, top);
        ASSERT_NE(-1, s) << "round " << round;
        EXPECT_NE('\0', level.titles[s][0]);
        if (top) {
            EXPECT_NE(0, s);
        }
    }
}

}  // namespace
