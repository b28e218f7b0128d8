/*
 * Keys and slots.
 */
#include <gtest/gtest.h>

#include "launch/key_table.h"

namespace {

TEST(KeyTable, LettersThenDigits)
{
    EXPECT_STREQ("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", KeyTable);
    EXPECT_EQ('A', KeyChar(0));
    EXPECT_EQ('Z', KeyChar(25));
    EXPECT_EQ('0', KeyChar(26));
    EXPECT_EQ('9', KeyChar(35));
    EXPECT_EQ(0, KeyChar(36));
    EXPECT_EQ(0, KeyChar(-1));
}

TEST(SlotFromKey, EveryByteCode)
{
    for (int code = 0; code < 256; ++code) {
        int expected = -1;
        if (code >= 'A' && code <= 'Z')
            expected = code - 'A' + 1;
        else if (code >= '0' && code <= '9')
            expected = code - '0' + 27;
        else if (code >= 96 && code <= 105)  // numeric keypad digits
            expected = code - 96 + 27;
        EXPECT_EQ(expected, SlotFromKey(code)) << "code " << code;
    }
    EXPECT_EQ(32, SlotFromKey(0x65));  // VK_NUMPAD5 acts as key 5
}

TEST(SlotFromKey, EachSlotMapsBackToItsKey)
{
    for (int slot = 1; slot <= 36; ++slot)
        EXPECT_EQ(slot, SlotFromKey(KeyChar(slot - 1)));
}

}  // namespace
