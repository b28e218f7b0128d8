/*
 * Keys and slots.
 */
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/portable/key_table.h"

namespace {

TEST(KeyTable, LettersThenDigitsAndEachSlotMapsBackToItsKey)
{
    EXPECT_STREQ("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", KeyTable);
    for (int slot = 1; slot <= 36; ++slot)
        EXPECT_EQ(slot, SlotFromKey(KeyChar(slot - 1)));
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
}

TEST(KeyChars, OnlyTheCharactersOfTheTableUpToTheLimit)
{
    for (int c = -128; c < 256; ++c)
        EXPECT_EQ(c > 0 && c < 128 && std::strchr(KeyTable, c) != nullptr, IsKeyChar(c) != 0) << "code " << c;

    EXPECT_EQ(0, KeyCharsLength("", 0));
    EXPECT_EQ(-1, KeyCharsLength("A", 0));
    EXPECT_EQ(3, KeyCharsLength("S1Z", 3));
    EXPECT_EQ(-1, KeyCharsLength("S1Z", 2));
    EXPECT_EQ(-1, KeyCharsLength("S1z", 3));
    // Three key characters and no terminator: a limit of 2 reads no further.
    std::vector<char> unterminated(3, 'Q');
    EXPECT_EQ(-1, KeyCharsLength(unterminated.data(), 2));
}

TEST(IsKeyPath, UpToFifteenKeyCharacters)
{
    for (const char* keyPath : {"", "B", "S1Z9", "ABCDEFGHIJKLMNO"})
        EXPECT_EQ(1, IsKeyPath(keyPath)) << keyPath;
    // "`" and "a" are the key codes of VK_NUMPAD0 and VK_NUMPAD1, not key characters.
    for (const char* keyPath : {"ABCDEFGHIJKLMNOP", "`", "a", "A B", "A\x83"})
        EXPECT_EQ(0, IsKeyPath(keyPath)) << keyPath;

    EXPECT_EQ(1, LevelHoldsSubmenus(""));
    EXPECT_EQ(1, LevelHoldsSubmenus(std::string(14, 'Z').c_str()));
    EXPECT_EQ(0, LevelHoldsSubmenus(std::string(15, 'Z').c_str()))
        << "children of a submenu here would need a KeyPath of 16";
    EXPECT_EQ(0, LevelHoldsSubmenus("x"));

    // Sixteen key characters and no terminator: the sanitizer would report
    // any read of a seventeenth byte.
    std::vector<char> unterminated(kKeyPathSize, 'A');
    EXPECT_EQ(0, IsKeyPath(unterminated.data()));
    EXPECT_EQ(0, LevelHoldsSubmenus(unterminated.data()));
    EXPECT_EQ(0, KeyPathAppend(unterminated.data(), 1));
    EXPECT_EQ(-1, KeyPathRemoveLast(unterminated.data()));
    EXPECT_EQ(std::string(kKeyPathSize, 'A'), std::string(unterminated.begin(), unterminated.end()));
}

TEST(KeyPathAppend, DescendsToFifteenCharactersAndNoFurther)
{
    char keyPath[kKeyPathSize] = "";
    for (int slot : {0, 37, -1})
        EXPECT_EQ(0, KeyPathAppend(keyPath, slot)) << "slot " << slot;
    std::string expected;
    for (int depth = 1; depth <= kKeyPathMax; ++depth) {
        int slot = (depth * 7) % 36 + 1;
        ASSERT_EQ(1, KeyPathAppend(keyPath, slot)) << "depth " << depth;
        expected += KeyChar(slot - 1);
        EXPECT_EQ(expected, keyPath);
    }
    EXPECT_EQ(0, KeyPathAppend(keyPath, 1));
    EXPECT_EQ(expected, keyPath) << "unchanged at the limit";
}

TEST(KeyPathRemoveLast, GivesTheSubmenuJustLeftForEverySlot)
{
    for (int slot = 1; slot <= 36; ++slot) {
        char keyPath[kKeyPathSize] = "S1";
        ASSERT_EQ(1, KeyPathAppend(keyPath, slot));
        EXPECT_EQ(slot, KeyPathRemoveLast(keyPath));
        EXPECT_STREQ("S1", keyPath);
    }
    char keyPath[kKeyPathSize] = "B";
    EXPECT_EQ(2, KeyPathRemoveLast(keyPath));
    EXPECT_EQ(-1, KeyPathRemoveLast(keyPath)) << "the top level has no parent";
    EXPECT_STREQ("", keyPath);
    char odd[kKeyPathSize] = "Ab";
    EXPECT_EQ(-1, KeyPathRemoveLast(odd));
    EXPECT_STREQ("Ab", odd);
}

}  // namespace
