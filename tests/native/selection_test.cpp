/*
 * Arrow movement over the slots, the skip rule for empty slots and its end.
 */
#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "launch/portable/selection.h"

namespace {

TEST(StepSelection, WrapsPassingTheTitleLineOnlyAtTheTopAndStaysInRange)
{
    const struct {
        int selection;
        ArrowDirection direction;
        int atTop, result;
    } cases[] = {
        {1, ARROW_UP, 1, 36},    {36, ARROW_DOWN, 1, 1},  {1, ARROW_DOWN, 1, 2},
        {36, ARROW_UP, 1, 35},   {0, ARROW_DOWN, 1, 1},   {0, ARROW_UP, 1, 36},  // from the title line
        {36, ARROW_DOWN, 0, 0},  {1, ARROW_UP, 0, 0},     {0, ARROW_UP, 0, 36},
        {0, ARROW_DOWN, 0, 1},
        // Out of range: the nearest end.
        {-1000, ARROW_DOWN, 0, 1}, {-1, ARROW_UP, 1, 36}, {37, ARROW_UP, 1, 35},
        {1000, ARROW_DOWN, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.result, StepSelection(c.selection, c.direction, c.atTop))
            << c.selection << " " << c.direction << " " << c.atTop;
    }
    for (int selection = -2; selection <= kSlotCount; ++selection) {
        for (int top : {0, 1}) {
            for (ArrowDirection d : {ARROW_UP, ARROW_DOWN}) {
                int s = StepSelection(selection, d, top);
                EXPECT_GE(s, top);
                EXPECT_LE(s, 36);
            }
        }
    }
}

// What the posted key-downs of the window do on random levels: step again
// while the slot lands on an empty one.  A level has a stop exactly when a
// round of presses finds a titled slot (never the title line at the top);
// the first two levels are the blank slot table and a bare title line.
TEST(ArrowSkip, ALevelHasAStopExactlyWhenARoundOfPressesFindsOne)
{
    std::mt19937 random(20240607);
    for (int round = 0; round < 2000; ++round) {
        char titles[kSlotCount][kTitleSize] = {};
        int density = round < 2 ? 0 : static_cast<int>(random() % 6);  // 0: almost empty
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (static_cast<int>(random() % 40) < density)
                std::strcpy(titles[slot], "x");
        }
        if (round == 1)
            std::strcpy(titles[0], "Tav Ver2.55");
        int top = round < 2 ? round : static_cast<int>(random() % 2);
        ArrowDirection d = random() % 2 ? ARROW_UP : ARROW_DOWN;
        int s = static_cast<int>(random() % kSlotCount);
        bool stopped = false;
        for (int presses = 0; presses < kSlotCount && !stopped; ++presses) {
            s = StepSelection(s, d, top);
            stopped = !ArrowPassesOver(titles, s, 0);
        }
        ASSERT_EQ(stopped ? 1 : 0, LevelHasArrowStop(titles, 0, top)) << "round " << round;
        EXPECT_EQ(1, LevelHasArrowStop(titles, 1, top));
        if (stopped) {
            EXPECT_NE('\0', titles[s][0]);
            EXPECT_FALSE(top && s == 0);
        }
    }
}

}  // namespace
