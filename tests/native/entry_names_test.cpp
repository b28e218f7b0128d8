/*
 * Key strings, value names and the copy rules of the entry tree.
 */
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/portable/entry_names.h"

namespace {

// What a call left in its output buffer, "<none>" when it refused; a refusal
// must leave "" there, not whatever the buffer held.
template <typename Call>
std::string Made(Call call)
{
    char out[kValueNameSize];
    std::memset(out, 'x', sizeof out);
    const int done = call(out);
    EXPECT_EQ(done != 0, out[0] != '\0');
    return done ? out : "<none>";
}

std::string KeyString(const std::string& keyPath, int slot)
{
    return Made([&](char* out) { return MakeKeyString(out, keyPath.c_str(), slot); });
}

std::string ValueName(int field, const std::string& keyString)
{
    return Made([&](char* out) { return MakeValueName(out, static_cast<EntryField>(field), keyString.c_str()); });
}

std::string Rebase(const std::string& keyString, const std::string& from, const std::string& to)
{
    return Made([&](char* out) { return RebaseKeyString(out, keyString.c_str(), from.c_str(), to.c_str()); });
}

TEST(MakeKeyString, IsTheLevelsKeyPathAndTheSlotsKeyForLocationsOnly)
{
    const std::string deepest(kKeyPathMax, 'Q');
    EXPECT_EQ("A", KeyString("", 1));
    EXPECT_EQ("BD9", KeyString("BD", 36));
    EXPECT_EQ(deepest + "Z", KeyString(deepest, 26)) << "16 characters fit";
    for (int slot : {0, 37})
        EXPECT_EQ("<none>", KeyString("", slot));
    EXPECT_EQ("<none>", KeyString(deepest + "Q", 1));
    EXPECT_EQ("<none>", KeyString("s", 1));
}

TEST(MakeValueName, PrefixThenKeyStringForKeyStringsOnly)
{
    EXPECT_EQ("TitleA", ValueName(ENTRY_TITLE, "A"));
    EXPECT_EQ("SoundS1", ValueName(ENTRY_SOUND, "S1"));
    EXPECT_EQ("HotKeyS1", ValueName(ENTRY_HOTKEY, "S1"));
    const std::string longest(kKeyStringSize - 1, '9');
    EXPECT_EQ("Folder" + longest, ValueName(ENTRY_FOLDER, longest)) << "the longest name fills the buffer";

    EXPECT_EQ("<none>", ValueName(ENTRY_TITLE, "")) << "the top level is no entry";
    EXPECT_EQ("<none>", ValueName(ENTRY_TITLE, longest + "9"));
    EXPECT_EQ("<none>", ValueName(ENTRY_TITLE, "A%s"));
    EXPECT_EQ("<none>", ValueName(6, "A"));
    EXPECT_EQ("<none>", ValueName(-1, "A"));
    // Seventeen key characters and no terminator: nothing past them is read.
    std::vector<char> unterminated(kKeyStringSize, 'A');
    EXPECT_EQ("<none>", Made([&](char* out) { return MakeValueName(out, ENTRY_EXEC, unterminated.data()); }));
}

TEST(EntryNames, SubmenuMarkerAndSubtrees)
{
    EXPECT_EQ(1, IsSubmenuMarker("-1"));
    for (const char* program : {"-10", " -1", "-", ""})
        EXPECT_EQ(0, IsSubmenuMarker(program)) << program;

    EXPECT_EQ(1, IsInSubtree("S", "S"));
    EXPECT_EQ(1, IsInSubtree("S", "SAB"));
    EXPECT_EQ(0, IsInSubtree("SA", "S"));
    EXPECT_EQ(0, IsInSubtree("SA", "SB"));
    EXPECT_EQ(0, IsInSubtree("S", "AS"));
}

TEST(CopyAllowed, NeverIntoItsOwnSubtreeAndNoKeyPathBeyondFifteen)
{
    const std::string d13(13, 'D'), d14(14, 'D'), d15(15, 'D'), d16(16, 'D');
    const struct {
        std::string Source, Destination;
        int Deepest, Allowed;
    } cases[] = {
        {"S", "S", -1, 0}, {"S", "S1", 0, 0}, {"S", "SAB", 2, 0},    // into its own subtree
        {"S", "T", 2, 1}, {"SAB", "S", 0, 1}, {"SAB", "SA1", 0, 1},  // beside or above it
        {"A", d16, -1, 1}, {"A", d15, 0, 1}, {"A", d16, 0, 0},       // a submenu needs a key string of 15
        {"A", d13, 2, 1}, {"A", d14, 2, 0}, {d15, "B", 0, 1},        // only the depth below the source counts
        {"", "B", -1, 0}, {"A", "", -1, 0}, {"A", d16 + "B", -1, 0},  // no key strings
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Allowed, CopyAllowed(c.Source.c_str(), c.Destination.c_str(), c.Deepest))
            << c.Source << " to " << c.Destination << ", " << c.Deepest;
}

TEST(RebaseKeyString, MovesAnEntryOfTheSubtreeToTheDestination)
{
    const std::string x15(15, 'X');
    EXPECT_EQ("T", Rebase("S", "S", "T"));
    EXPECT_EQ("X2AB", Rebase("SAB", "S", "X2"));
    EXPECT_EQ("A1", Rebase("SAB1", "SAB", "A"));
    EXPECT_EQ(x15 + "B", Rebase("SB", "S", x15));
    EXPECT_EQ("<none>", Rebase("TAB", "S", "X")) << "not below the source";
    EXPECT_EQ("<none>", Rebase("SAB", "S", x15)) << "17 characters";
}

}  // namespace
