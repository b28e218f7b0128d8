/*
 * The side strips of the launcher window that resize it.
 */
#include <climits>

#include <gtest/gtest.h>

#include "core/portable/edge_hit.h"

namespace {

TEST(ClassifyEdge, FivePixelStripsTheRightWinningWithoutOverflow)
{
    const struct {
        int left, right, x;
        EdgeHit hit;
    } cases[] = {
        {100, 200, 100, EDGE_LEFT},  {100, 200, 104, EDGE_LEFT},  {100, 200, 105, EDGE_NONE},
        {100, 200, 195, EDGE_NONE},  {100, 200, 196, EDGE_RIGHT}, {100, 200, 200, EDGE_RIGHT},
        {100, 200, 201, EDGE_NONE},  {100, 200, 99, EDGE_NONE},
        // A narrow window: where the strips overlap the right one wins.
        {0, 12, 8, EDGE_RIGHT},      {0, 12, 4, EDGE_LEFT},       {0, 6, 2, EDGE_RIGHT},
        // Extreme coordinates.
        {INT_MIN, INT_MAX, 0, EDGE_NONE},       {INT_MIN, INT_MAX, INT_MAX, EDGE_RIGHT},
        {INT_MIN, INT_MAX, INT_MIN, EDGE_LEFT}, {0, 10, INT_MIN, EDGE_NONE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.hit, ClassifyEdge(c.left, c.right, c.x)) << c.left << " " << c.right << " " << c.x;
}

}  // namespace
