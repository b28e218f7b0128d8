/*
 * The side strips of the launcher window that resize it.
 */
#include <climits>

#include <gtest/gtest.h>

#include "core/edge_hit.h"

namespace {

TEST(ClassifyEdge, FivePixelStripsAtEachSide)
{
    // A window from x = 100 to 200 (right exclusive).
    EXPECT_EQ(EDGE_LEFT, ClassifyEdge(100, 200, 100));
    EXPECT_EQ(EDGE_LEFT, ClassifyEdge(100, 200, 104));
    EXPECT_EQ(EDGE_NONE, ClassifyEdge(100, 200, 105));
    EXPECT_EQ(EDGE_NONE, ClassifyEdge(100, 200, 195));
    EXPECT_EQ(EDGE_RIGHT, ClassifyEdge(100, 200, 196));
    EXPECT_EQ(EDGE_RIGHT, ClassifyEdge(100, 200, 200));
    EXPECT_EQ(EDGE_NONE, ClassifyEdge(100, 200, 201));
    EXPECT_EQ(EDGE_NONE, ClassifyEdge(100, 200, 99));
}

TEST(ClassifyEdge, TheRightEdgeWinsOnANarrowWindow)
{
    EXPECT_EQ(EDGE_RIGHT, ClassifyEdge(0, 12, 8));
    EXPECT_EQ(EDGE_LEFT, ClassifyEdge(0, 12, 4));
    EXPECT_EQ(EDGE_RIGHT, ClassifyEdge(0, 6, 2));
}

TEST(ClassifyEdge, ExtremeCoordinatesDoNotOverflow)
{
    EXPECT_EQ(EDGE_NONE, ClassifyEdge(INT_MIN, INT_MAX, 0));
    EXPECT_EQ(EDGE_RIGHT, ClassifyEdge(INT_MIN, INT_MAX, INT_MAX));
    EXPECT_EQ(EDGE_LEFT, ClassifyEdge(INT_MIN, INT_MAX, INT_MIN));
    EXPECT_EQ(EDGE_NONE, ClassifyEdge(0, 10, INT_MIN));
}

}  // namespace
