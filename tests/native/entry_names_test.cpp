/*
 * Key strings, value names and the copy rules of the entry tree.
 */
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/entry_names.h"

namespace {

std::string KeyString(const char* keyPath, int slot)
{
    char keyString[kKeyStringSize];
    std::memset(keyString, 'x', sizeof keyString);
    int done = MakeKeyString(keyString, keyPath, slot);
    EXPECT_EQ(done, keyString[0] != '\0');
    return done ? keyString : "<none>";
}

std::string ValueName(EntryField field, const char* keyString)
{
    char name[kValueNameSize];
    std::memset(name, 'x', sizeof name);
    int done = MakeValueName(name, field, keyString);
    EXPECT_EQ(done, name[0] != '\0');
    return done ? name : "<none>";
}

std::string Rebase(const char* keyString, const char* from, const char* to)
{
    char out[kKeyStringSize];
    std::memset(out, 'x', sizeof out);
    int done = RebaseKeyString(out, keyString, from, to);
    EXPECT_EQ(done, out[0] != '\0');
    return done ? out : "<none>";
}

TEST(MakeKeyString, IsTheLevelsKeyPathAndTheSlotsKey)
{
    EXPECT_EQ("A", KeyString("", 1));
    EXPECT_EQ("S1", KeyString("S", 28));
    EXPECT_EQ("BD9", KeyString("BD", 36));
    const std::string deepest(kKeyPathMax, 'Q');
    EXPECT_EQ(deepest + "Z", KeyString(deepest.c_str(), 26)) << "16 characters fit";
}

TEST(MakeKeyString, RefusesWhatIsNoLocation)
{
    EXPECT_EQ("<none>", KeyString("", 0));
    EXPECT_EQ("<none>", KeyString("", 37));
    EXPECT_EQ("<none>", KeyString(std::string(16, 'Q').c_str(), 1));
    EXPECT_EQ("<none>", KeyString("s", 1));
}

TEST(MakeValueName, PrefixThenKeyString)
{
    EXPECT_EQ("TitleA", ValueName(ENTRY_TITLE, "A"));
    EXPECT_EQ("ExecA", ValueName(ENTRY_EXEC, "A"));
    EXPECT_EQ("FolderS1", ValueName(ENTRY_FOLDER, "S1"));
    EXPECT_EQ("OptionS1", ValueName(ENTRY_OPTION, "S1"));
    EXPECT_EQ("SoundS1", ValueName(ENTRY_SOUND, "S1"));

    // The longest name: 6 + 15 + 1 = 22 characters, and a terminator.
    const std::string longest(kKeyStringSize - 1, '9');
    EXPECT_EQ("Folder" + longest, ValueName(ENTRY_FOLDER, longest.c_str()));
    EXPECT_EQ(22u, ValueName(ENTRY_OPTION, longest.c_str()).size());
}

TEST(MakeValueName, RefusesWhatIsNoKeyString)
{
    EXPECT_EQ("<none>", ValueName(ENTRY_TITLE, "")) << "the top level is no entry";
    EXPECT_EQ("<none>", ValueName(ENTRY_TITLE, std::string(17, 'A').c_str()));
    EXPECT_EQ("<none>", ValueName(ENTRY_TITLE, "A%s"));
    EXPECT_EQ("<none>", ValueName(static_cast<EntryField>(5), "A"));
    EXPECT_EQ("<none>", ValueName(static_cast<EntryField>(-1), "A"));

    // Seventeen key characters and no terminator: nothing past them is read.
    std::vector<char> unterminated(kKeyStringSize, 'A');
    EXPECT_EQ("<none>", ValueName(ENTRY_EXEC, unterminated.data()));
}

TEST(IsSubmenuMarker, ExactlyMinusOne)
{
    EXPECT_EQ(1, IsSubmenuMarker("-1"));
    EXPECT_EQ(0, IsSubmenuMarker("-10"));
    EXPECT_EQ(0, IsSubmenuMarker("-1 "));
    EXPECT_EQ(0, IsSubmenuMarker(" -1"));
    EXPECT_EQ(0, IsSubmenuMarker("-"));
    EXPECT_EQ(0, IsSubmenuMarker(""));
    EXPECT_EQ(0, IsSubmenuMarker("notepad.exe"));
}

TEST(IsInSubtree, TheRootAndEverythingBelowIt)
{
    EXPECT_EQ(1, IsInSubtree("S", "S"));
    EXPECT_EQ(1, IsInSubtree("S", "S1"));
    EXPECT_EQ(1, IsInSubtree("S", "SAB"));
    EXPECT_EQ(1, IsInSubtree("SA", "SAB"));
    EXPECT_EQ(0, IsInSubtree("SA", "S"));
    EXPECT_EQ(0, IsInSubtree("SA", "SB"));
    EXPECT_EQ(0, IsInSubtree("S", "T"));
    EXPECT_EQ(0, IsInSubtree("S", "AS"));
}

TEST(CopyAllowed, NeverIntoTheSourcesOwnSubtree)
{
    EXPECT_EQ(0, CopyAllowed("S", "S", -1)) << "onto itself";
    EXPECT_EQ(0, CopyAllowed("S", "S", 0));
    EXPECT_EQ(0, CopyAllowed("S", "S1", 0));
    EXPECT_EQ(0, CopyAllowed("S", "SAB", 2));
    EXPECT_EQ(1, CopyAllowed("S", "T", 2));
    EXPECT_EQ(1, CopyAllowed("SAB", "S", 0)) << "above the source is allowed";
    EXPECT_EQ(1, CopyAllowed("SAB", "SA1", 0));
}

TEST(CopyAllowed, EveryCopiedSubmenuKeepsItsChildrenWithinFifteen)
{
    const std::string d14(14, 'D'), d15(15, 'D'), d16(16, 'D');
    // A plain entry fits everywhere, even on the deepest level.
    EXPECT_EQ(1, CopyAllowed("A", d16.c_str(), -1));
    // A submenu needs a key string of at most 15.
    EXPECT_EQ(1, CopyAllowed("A", d15.c_str(), 0));
    EXPECT_EQ(0, CopyAllowed("A", d16.c_str(), 0));
    // A submenu two levels deep below the source.
    EXPECT_EQ(1, CopyAllowed("A", "DDDDDDDDDDDDD", 2));
    EXPECT_EQ(0, CopyAllowed("A", d14.c_str(), 2));
    EXPECT_EQ(1, CopyAllowed("A", "B", 14));
    EXPECT_EQ(0, CopyAllowed("A", "B1", 14));
    // Only the depth below the source counts, not where the source stands.
    EXPECT_EQ(1, CopyAllowed(d15.c_str(), "B", 0));
}

TEST(CopyAllowed, RefusesWhatIsNoKeyString)
{
    EXPECT_EQ(0, CopyAllowed("", "B", -1));
    EXPECT_EQ(0, CopyAllowed("A", "", -1));
    EXPECT_EQ(0, CopyAllowed("A", std::string(17, 'B').c_str(), -1));
}

TEST(RebaseKeyString, MovesAnEntryOfTheSubtreeToTheDestination)
{
    EXPECT_EQ("T", Rebase("S", "S", "T"));
    EXPECT_EQ("TAB", Rebase("SAB", "S", "T"));
    EXPECT_EQ("X2AB", Rebase("SAB", "S", "X2"));
    EXPECT_EQ("A1", Rebase("SAB1", "SAB", "A"));
    EXPECT_EQ("<none>", Rebase("TAB", "S", "X")) << "not below the source";
    EXPECT_EQ("<none>", Rebase("SAB", "S", std::string(15, 'X').c_str())) << "17 characters";
    EXPECT_EQ(std::string(15, 'X') + "B", Rebase("SB", "S", std::string(15, 'X').c_str()));
}

}  // namespace
