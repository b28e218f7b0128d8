/*
 * Comma-list items, as the string table's lists are enumerated.
 */
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/portable/list_item.h"

namespace {

std::string Item(const std::string& list, int n)
{
    std::vector<char> buffer(list.c_str(), list.c_str() + list.size() + 1);
    const char* item = CutListItem(buffer.data(), n);
    return item == nullptr ? "<none>" : item;
}

TEST(CutListItem, ReturnsTheNthItemEmptyOnesIncludedAndNoneBeyondTheEnd)
{
    const struct {
        const char* List;
        int N;
        const char* Item;
    } cases[] = {
        {"a,bb,ccc", 0, "a"}, {"a,bb,ccc", 1, "bb"}, {"a,bb,ccc", 2, "ccc"}, {"a,bb,ccc", 3, "<none>"},
        {"a,bb,ccc", -1, "<none>"}, {"only", 0, "only"}, {"only", 1, "<none>"},
        {"a,,c", 1, ""}, {"a,,c", 2, "c"}, {"a,", 1, ""}, {"", 0, ""}, {"", 1, "<none>"},
        // "凸線,凹線" in code page 932: no trail byte can be a comma (0x2C).
        {"\x93\xCA\x90\xFC,\x89\x9A\x90\xFC", 1, "\x89\x9A\x90\xFC"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Item, Item(c.List, c.N)) << c.List << " item " << c.N;
    EXPECT_EQ(nullptr, CutListItem(nullptr, 0));
}

}  // namespace
