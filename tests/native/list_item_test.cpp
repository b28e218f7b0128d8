/*
 * Comma-list items, as the string table's lists are enumerated.
 */
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/list_item.h"

namespace {

std::string Item(const char* list, int n)
{
    std::string copy(list);
    std::vector<char> buffer(copy.begin(), copy.end());
    buffer.push_back('\0');
    const char* item = CutListItem(buffer.data(), n);
    return item == nullptr ? "<none>" : item;
}

TEST(CutListItem, ReturnsTheNthItemAndNoneBeyondTheEnd)
{
    EXPECT_EQ("a", Item("a,bb,ccc", 0));
    EXPECT_EQ("bb", Item("a,bb,ccc", 1));
    EXPECT_EQ("ccc", Item("a,bb,ccc", 2));
    EXPECT_EQ("<none>", Item("a,bb,ccc", 3));
    EXPECT_EQ("<none>", Item("a,bb,ccc", -1));
    EXPECT_EQ("only", Item("only", 0));
    EXPECT_EQ("<none>", Item("only", 1));
}

TEST(CutListItem, EmptyItemsAreEmptyNotNone)
{
    EXPECT_EQ("", Item("a,,c", 1));
    EXPECT_EQ("c", Item("a,,c", 2));
    EXPECT_EQ("", Item("a,", 1));
    EXPECT_EQ("", Item("", 0));
    EXPECT_EQ("<none>", Item("", 1));
    EXPECT_EQ(nullptr, CutListItem(nullptr, 0));
}

TEST(CutListItem, DoubleByteTextSplitsOnlyAtCommas)
{
    // "凸線,凹線" in code page 932: no trail byte can be a comma (0x2C).
    const char list[] = "\x93\xCA\x90\xFC,\x89\x9A\x90\xFC";
    EXPECT_EQ("\x89\x9A\x90\xFC", Item(list, 1));
}

}  // namespace
