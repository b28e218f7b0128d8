/*
 * The entry tree against the real (redirected) registry: which values each
 * operation reads, writes and deletes in the Launch key, what a level shows,
 * and that the stored tree stays intact when a copy is refused or the stored
 * data holds submenu markers deeper than any KeyPath can reach.
 */
#include <windows.h>

#include <cstring>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "core/launcher_state.h"
#include "entry_record.h"
#include "scratch_registry.h"
#include "store/entry_tree.h"
#include "store/registry.h"

namespace {

const char kLaunch[] = "Software\\orrel\\Tav\\Launch";
const char* const kPrefixes[] = {"Title", "Exec", "Folder", "Option", "Sound"};

// Every value of the Launch key: name -> text (a stored terminator dropped).
using Values = std::map<std::string, std::string>;

Values StoredValues()
{
    Values values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kLaunch, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        char name[256];
        BYTE data[1024];
        DWORD nameSize = sizeof name, dataSize = sizeof data;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, nullptr, data, &dataSize)
            != ERROR_SUCCESS)
            break;
        std::string text(reinterpret_cast<const char*>(data), dataSize);
        if (!text.empty() && text.back() == '\0')
            text.pop_back();
        values[name] = text;
    }
    RegCloseKey(key);
    return values;
}

void Put(const std::string& name, const std::string& text)
{
    PutRawValue(kLaunch, name.c_str(), REG_SZ, text.data(), static_cast<DWORD>(text.size()));
}

EntryLocation Location(int slot, const char* keyPath)
{
    EntryLocation location;
    std::memset(&location, 0, sizeof location);
    location.Slot = slot;
    lstrcpynA(location.KeyPath, keyPath, sizeof location.KeyPath);
    return location;
}

// The values of the entry with key string k, as a written entry stores them.
void PutEntry(const std::string& k, const std::string& title, const std::string& program)
{
    Put("Title" + k, title);
    Put("Exec" + k, program);
}

void ExpectSameRecord(const EntryRecord& expected, const EntryRecord& actual)
{
    EXPECT_STREQ(expected.Title, actual.Title);
    EXPECT_STREQ(expected.Program, actual.Program);
    EXPECT_STREQ(expected.Folder, actual.Folder);
    EXPECT_STREQ(expected.Parameters, actual.Parameters);
    EXPECT_STREQ(expected.Sound, actual.Sound);
}

// The values below key string from, renamed to stand below key string to.
Values Rebased(const Values& values, const std::string& from, const std::string& to)
{
    Values result;
    for (const auto& [name, text] : values) {
        for (const char* prefix : kPrefixes) {
            const std::string p = prefix + from;
            if (name.compare(0, p.size(), p) == 0)
                result[prefix + to + name.substr(p.size())] = text;
        }
    }
    return result;
}

class EntryTreeTest : public RegistryTest {
protected:
    LauncherState state_{};
};

// --- LoadLevel -----------------------------------------------------------

TEST_F(EntryTreeTest, AnEmptyTopLevelShowsTheTitleAndNoMenuItems)
{
    LoadLevel(&state_, "", 0);
    EXPECT_STREQ("Tav Ver2.55", state_.Titles[0]);
    EXPECT_STREQ("(No Menu Items!)", state_.Titles[1]);
    EXPECT_EQ(2, state_.LineCount);
    for (int slot = 2; slot < kSlotCount; ++slot)
        EXPECT_STREQ("", state_.Titles[slot]);

    LoadLevel(&state_, "", 1);
    EXPECT_STREQ("Tav Ver2.55", state_.Titles[0]);
    EXPECT_STREQ("", state_.Titles[1]) << "no (No Menu Items!) when every key is listed";
    EXPECT_EQ(37, state_.LineCount);
    EXPECT_FALSE(KeyExists(kLaunch)) << "loading creates nothing";
}

TEST_F(EntryTreeTest, AnEmptySubmenuShowsOnlyTheParentLine)
{
    PutEntry("B", "Tools", "-1");
    LoadLevel(&state_, "B", 0);
    EXPECT_STREQ("..(Parent)", state_.Titles[0]);
    EXPECT_EQ(1, state_.LineCount);
    for (int slot = 1; slot < kSlotCount; ++slot)
        EXPECT_STREQ("", state_.Titles[slot]);
    LoadLevel(&state_, "B", 1);
    EXPECT_EQ(37, state_.LineCount);
}

TEST_F(EntryTreeTest, ALevelListsItsTitlesAndSubmenus)
{
    PutEntry("A", "Editor", "notepad.exe");
    PutEntry("S", "Tools", "-1");
    PutEntry("5", "Five", "five.exe");
    Put("ExecQ", "-1");  // a marker without a title still marks its slot
    PutEntry("SA", "Inside", "inside.exe");

    // Whatever the slot table held before is cleared.
    std::memset(state_.Titles, 'x', sizeof state_.Titles);
    for (int& flag : state_.IsSubmenu)
        flag = 7;
    LoadLevel(&state_, "", 0);
    EXPECT_STREQ("Tav Ver2.55", state_.Titles[0]);
    EXPECT_STREQ("Editor", state_.Titles[1]);
    EXPECT_STREQ("Tools", state_.Titles[19]);
    EXPECT_STREQ("Five", state_.Titles[32]);
    EXPECT_STREQ("", state_.Titles[17]);
    EXPECT_EQ(4, state_.LineCount) << "the title line and three entries";
    for (int slot = 0; slot < kSlotCount; ++slot) {
        int expected = (slot == 19 || slot == 17) ? 1 : 0;
        EXPECT_EQ(expected, state_.IsSubmenu[slot]) << "slot " << slot;
        if (slot != 0 && slot != 1 && slot != 19 && slot != 32) {
            EXPECT_STREQ("", state_.Titles[slot]) << "slot " << slot;
        }
    }
    LoadLevel(&state_, "", 1);
    EXPECT_EQ(37, state_.LineCount);

    LoadLevel(&state_, "S", 0);
    EXPECT_STREQ("..(Parent)", state_.Titles[0]);
    EXPECT_STREQ("Inside", state_.Titles[1]);
    EXPECT_EQ(2, state_.LineCount);
}

TEST_F(EntryTreeTest, AFullLevelOf36Entries)
{
    for (int slot = 1; slot < kSlotCount; ++slot) {
        std::string title = std::string("Entry ") + KeyChar(slot - 1);
        std::string program = std::string("C:\\bin\\") + KeyChar(slot - 1) + ".exe";
        EntryRecord record = Record(title.c_str(), slot == 36 ? "-1" : program.c_str());
        WriteEntry("M", slot, &record);
    }
    LoadLevel(&state_, "M", 0);
    EXPECT_EQ(37, state_.LineCount);
    for (int slot = 1; slot < kSlotCount; ++slot) {
        EXPECT_EQ(std::string("Entry ") + KeyChar(slot - 1), state_.Titles[slot]);
        EXPECT_EQ(slot == 36 ? 1 : 0, state_.IsSubmenu[slot]);
        EntryRecord read;
        ASSERT_EQ(1, ReadEntry("M", slot, &read));
        EXPECT_STREQ(state_.Titles[slot], read.Title);
    }
    EXPECT_EQ(72u, StoredValues().size()) << "a title and a program per entry, nothing else";
}

TEST_F(EntryTreeTest, OverLongValuesReadAsEmpty)
{
    const std::string t32(32, 'T'), t33(33, 'T');
    PutEntry("A", t32, "a.exe");
    // A 32-byte title that the system stored with a terminator.
    PutRawValue(kLaunch, "TitleB", REG_SZ, (t32 + '\0').c_str(), 33);
    Put("ExecB", "b.exe");
    PutEntry("C", t33, "c.exe");
    PutEntry("D", "Long program", std::string(260, 'p'));
    PutEntry("E", "Longest program", std::string(259, 'p'));

    LoadLevel(&state_, "", 0);
    EXPECT_EQ(t32, state_.Titles[1]);
    EXPECT_EQ(t32, state_.Titles[2]);
    EXPECT_STREQ("", state_.Titles[3]) << "33 bytes do not fit: the slot reads as empty";
    EXPECT_EQ(5, state_.LineCount);

    EntryRecord record;
    EXPECT_EQ(0, ReadEntry("", 3, &record));
    EXPECT_STREQ("", record.Program);
    ASSERT_EQ(1, ReadEntry("", 2, &record));
    EXPECT_EQ(t32, record.Title);
    ASSERT_EQ(1, ReadEntry("", 4, &record));
    EXPECT_STREQ("", record.Program) << "260 bytes do not fit a 260-byte field with its terminator";
    ASSERT_EQ(1, ReadEntry("", 5, &record));
    EXPECT_EQ(std::string(259, 'p'), record.Program);
}

// --- ReadEntry and WriteEntry --------------------------------------------

TEST_F(EntryTreeTest, EntriesRoundTripAtSeveralDepths)
{
    const std::string deep14(14, 'K'), deep15(15, '7');
    for (const std::string& keyPath : {std::string(), std::string("S"), std::string("S1"), deep14, deep15}) {
        SCOPED_TRACE("level \"" + keyPath + "\"");
        const EntryRecord full = Record("Calculator", "calc.exe", "C:\\Windows", "/x", "ding.wav");
        const EntryRecord menu = Record("Tools", "-1");
        WriteEntry(keyPath.c_str(), 1, &full);
        WriteEntry(keyPath.c_str(), 36, &menu);

        Values values = StoredValues();
        const std::string a = keyPath + "A", nine = keyPath + "9";
        EXPECT_EQ("Calculator", values["Title" + a]);
        EXPECT_EQ("calc.exe", values["Exec" + a]);
        EXPECT_EQ("C:\\Windows", values["Folder" + a]);
        EXPECT_EQ("/x", values["Option" + a]);
        EXPECT_EQ("ding.wav", values["Sound" + a]);
        EXPECT_EQ("Tools", values["Title" + nine]);
        EXPECT_EQ("-1", values["Exec" + nine]);
        EXPECT_EQ(0u, values.count("Folder" + nine) + values.count("Option" + nine)
                          + values.count("Sound" + nine))
            << "a submenu has a title and a program only";

        EntryRecord read;
        ASSERT_EQ(1, ReadEntry(keyPath.c_str(), 1, &read));
        ExpectSameRecord(full, read);
        ASSERT_EQ(1, ReadEntry(keyPath.c_str(), 36, &read));
        ExpectSameRecord(menu, read);
    }
}

TEST_F(EntryTreeTest, EmptyOptionalFieldsAreRemoved)
{
    EntryRecord record = Record("Editor", "notepad.exe", "C:\\", "-n", "a.wav");
    WriteEntry("", 1, &record);
    record = Record("Editor", "notepad.exe");
    WriteEntry("", 1, &record);
    EXPECT_EQ((Values{{"TitleA", "Editor"}, {"ExecA", "notepad.exe"}}), StoredValues());

    // Title and program are written even when empty.
    record = Record("", "");
    WriteEntry("", 1, &record);
    EXPECT_EQ((Values{{"TitleA", ""}, {"ExecA", ""}}), StoredValues());
    EntryRecord read;
    EXPECT_EQ(0, ReadEntry("", 1, &read));
}

TEST_F(EntryTreeTest, FieldsWithoutATerminatorAreWrittenAsFarAsAReadGivesThemBack)
{
    EntryRecord record = Record("", "");
    std::memset(record.Title, 'T', sizeof record.Title);
    std::memset(record.Sound, 'w', sizeof record.Sound);
    WriteEntry("", 1, &record);
    EntryRecord read;
    ASSERT_EQ(1, ReadEntry("", 1, &read));
    EXPECT_EQ(std::string(32, 'T'), read.Title);
    EXPECT_EQ(std::string(259, 'w'), read.Sound);
}

TEST_F(EntryTreeTest, ReadEntryGivesAnEmptyRecordForNoEntry)
{
    PutEntry("A", "Editor", "notepad.exe");
    Put("ExecB", "b.exe");  // a program without a title is no entry
    Put("FolderB", "C:\\");
    EntryRecord read;
    const EntryRecord empty = Record("", "");
    for (int slot : {0, 2, 3, 37, -1}) {
        std::memset(&read, 'x', sizeof read);
        EXPECT_EQ(0, ReadEntry("", slot, &read)) << "slot " << slot;
        EXPECT_EQ(0, std::memcmp(&empty, &read, sizeof read)) << "slot " << slot;
    }
    std::memset(&read, 'x', sizeof read);
    EXPECT_EQ(0, ReadEntry(std::string(16, 'A').c_str(), 1, &read)) << "no KeyPath";
    EXPECT_EQ(0, std::memcmp(&empty, &read, sizeof read));
}

TEST_F(EntryTreeTest, JapaneseTitlesAndPathsSurviveUnchanged)
{
    // Code page 932: double-byte characters, half-width katakana, and trail
    // bytes of 0x5C ("表", "ソ", "能") that are not backslashes.
    const char title32[] = "\x93\xFA\x96{\x8C\xEA\x82\xCC\xC0\xB2\xC4\xD9\x95\\\x8E\xA6\xBF\xCC\xC4"
                           "\x8F\\\x93\xF1\xB1\xD2\xC6\xAD\xB0\x88\xEA\x97\x97";  // 日本語のﾀｲﾄﾙ表示ｿﾌﾄ十二ｱﾒﾆｭｰ一覧
    ASSERT_EQ(32u, std::strlen(title32));
    const EntryRecord japanese = Record(
        title32,
        "C:\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\\x83\\\x83t\x83g\\\x95\\\x8Cv\x8EZ.exe",  // C:\ﾌﾟﾛｸﾞﾗﾑ\ソフト\表計算.exe
        "D:\\\x8D\xEC\x8B\xC6\\\x94\\\x97\xCD",                                      // D:\作業\能力
        "/\x95\\\x8E\xA6 \xB5\xCC\xDF\xBC\xAE\xDD",                                  // /表示 ｵﾌﾟｼｮﾝ
        "C:\\\x89\xB9\x90\xBA\\\xCB\xDF\xB0.wav");                                   // C:\音声\ﾋﾟｰ.wav
    const EntryRecord katakana = Record("\xD2\xD3\x92\xA0\xB4\xC3\xDE\xA8\xC0", "-1");  // ﾒﾓ帳ｴﾃﾞｨﾀ

    WriteEntry("", 1, &japanese);
    WriteEntry("", 10, &katakana);  // submenu J
    WriteEntry("J", 11, &japanese);

    EntryRecord read;
    ASSERT_EQ(1, ReadEntry("", 1, &read));
    ExpectSameRecord(japanese, read);
    ASSERT_EQ(1, ReadEntry("", 10, &read));
    ExpectSameRecord(katakana, read);
    ASSERT_EQ(1, ReadEntry("J", 11, &read));
    ExpectSameRecord(japanese, read);

    Values values = StoredValues();
    EXPECT_EQ(title32, values["TitleJK"]);
    EXPECT_EQ(japanese.Program, values["ExecJK"]);
    EXPECT_EQ(japanese.Sound, values["SoundJK"]);

    LoadLevel(&state_, "", 0);
    EXPECT_STREQ(title32, state_.Titles[1]);
    EXPECT_STREQ(katakana.Title, state_.Titles[10]);
    EXPECT_EQ(1, state_.IsSubmenu[10]);
    LoadLevel(&state_, "J", 0);
    EXPECT_STREQ(title32, state_.Titles[11]);

    // Copied with its submenu, every text stays as it was.
    const EntryLocation from = Location(10, ""), to = Location(12, "");
    ASSERT_EQ(1, CopySubtree(&from, &to));
    ASSERT_EQ(1, ReadEntry("L", 11, &read));
    ExpectSameRecord(japanese, read);
    ASSERT_EQ(1, ReadEntry("", 12, &read));
    ExpectSameRecord(katakana, read);
}

// --- CopySubtree ----------------------------------------------------------

// Three levels of submenus, S > SA > SAB, with entries on each, and
// neighbours that nothing done to S may touch.
void PutThreeLevels()
{
    PutEntry("S", "Tools", "-1");
    PutEntry("S1", "Calculator", "calc.exe");
    Put("FolderS1", "C:\\Windows");
    Put("OptionS1", "/s");
    Put("SoundS1", "beep.wav");
    PutEntry("SA", "More", "-1");
    PutEntry("SA1", "Paint", "mspaint.exe");
    PutEntry("SAB", "Deepest", "-1");
    PutEntry("SABC", "Leaf", "leaf.exe");
    Put("FolderSABC", "D:\\");
    PutEntry("SAB9", "Other leaf", "other.exe");

    PutEntry("A", "Editor", "notepad.exe");
    PutEntry("AS", "Not below S", "as.exe");
    PutEntry("B", "Games", "-1");
    PutEntry("B1", "Solitaire", "sol.exe");
}

const EntryLocation kS = Location(19, "");

// before, with the values below key string from copied to key string to.
Values WithCopy(const Values& before, const std::string& from, const std::string& to)
{
    Values expected = before;
    for (const auto& [name, text] : Rebased(before, from, to))
        expected[name] = text;
    return expected;
}

TEST_F(EntryTreeTest, CopyingASubmenuToAnotherKeyRebuildsItsWholeSubtree)
{
    PutThreeLevels();
    const Values before = StoredValues();
    const EntryLocation t = Location(20, "");
    ASSERT_EQ(1, CanCopySubtree(&kS, &t));
    EXPECT_EQ(before, StoredValues()) << "asking writes nothing";

    ASSERT_EQ(1, CopySubtree(&kS, &t));
    const Values expected = WithCopy(before, "S", "T");
    EXPECT_EQ(18u, expected.size() - before.size()) << "seven entries, four optional values";
    EXPECT_EQ(expected, StoredValues());

    LoadLevel(&state_, "TAB", 0);
    EXPECT_STREQ("Leaf", state_.Titles[3]);
    EXPECT_STREQ("Other leaf", state_.Titles[36]);
    EXPECT_EQ(3, state_.LineCount);
}

TEST_F(EntryTreeTest, CopyingASubmenuToAnotherLevel)
{
    PutThreeLevels();
    const Values before = StoredValues();
    const EntryLocation b2 = Location(29, "B");  // key 2
    ASSERT_EQ(1, CopySubtree(&kS, &b2));
    EXPECT_EQ(WithCopy(before, "S", "B2"), StoredValues());

    LoadLevel(&state_, "B", 0);
    EXPECT_STREQ("Tools", state_.Titles[29]);
    EXPECT_EQ(1, state_.IsSubmenu[29]);
    EntryRecord read;
    ASSERT_EQ(1, ReadEntry("B2AB", 3, &read));
    ExpectSameRecord(Record("Leaf", "leaf.exe", "D:\\"), read);
}

TEST_F(EntryTreeTest, CopyingAPlainEntryCopiesItsFiveValues)
{
    PutThreeLevels();
    const Values before = StoredValues();
    const EntryLocation s1 = Location(28, "S"), b3 = Location(30, "B");  // keys 1 and 3
    ASSERT_EQ(1, CopySubtree(&s1, &b3));
    Values expected = before;
    for (const char* prefix : kPrefixes)
        expected[std::string(prefix) + "B3"] = before.at(std::string(prefix) + "S1");
    EXPECT_EQ(expected, StoredValues());
}

TEST_F(EntryTreeTest, CopyOverwritesTheDestinationButDoesNotClearIt)
{
    PutThreeLevels();
    PutEntry("T", "Old", "old.exe");
    Put("FolderT", "X:\\");
    PutEntry("TZ", "Stays", "stays.exe");
    const Values before = StoredValues();
    const EntryLocation t = Location(20, "");
    ASSERT_EQ(1, CopySubtree(&kS, &t));

    Values expected = WithCopy(before, "S", "T");
    expected.erase("FolderT");  // the submenu has no folder
    EXPECT_EQ(expected, StoredValues());
    EXPECT_EQ("Stays", StoredValues()["TitleTZ"]);
}

TEST_F(EntryTreeTest, CopyingToAnAncestorCopiesTheSourceAsItWasBefore)
{
    PutEntry("A", "Top", "-1");
    PutEntry("AB", "Middle", "-1");
    PutEntry("ABB", "Inner", "-1");
    PutEntry("ABBC", "Deep", "deep.exe");
    PutEntry("ABC", "Original", "orig.exe");
    const EntryLocation ab = Location(2, "A"), a = Location(1, "");
    ASSERT_EQ(1, CopySubtree(&ab, &a));
    // AB's children land one level up: ABB on AB and ABC on AC.  AC gets the
    // ABC that stood there before the copy wrote ABBC's copy over it.
    const Values expected = {
        {"TitleA", "Middle"},  {"ExecA", "-1"},        {"TitleAB", "Inner"},  {"ExecAB", "-1"},
        {"TitleABB", "Inner"}, {"ExecABB", "-1"},      {"TitleABBC", "Deep"}, {"ExecABBC", "deep.exe"},
        {"TitleABC", "Deep"},  {"ExecABC", "deep.exe"}, {"TitleAC", "Original"}, {"ExecAC", "orig.exe"},
    };
    EXPECT_EQ(expected, StoredValues());
}

TEST_F(EntryTreeTest, ACopyOfNothingWritesNothing)
{
    PutThreeLevels();
    Put("ExecSE", "-1");  // a marker without a title is no entry
    PutEntry("SEA", "Orphan", "orphan.exe");
    const Values before = StoredValues();
    const EntryLocation missing = Location(5, "S"), t = Location(20, "");
    EXPECT_EQ(0, CanCopySubtree(&missing, &t));
    EXPECT_EQ(0, CopySubtree(&missing, &t));
    EXPECT_EQ(before, StoredValues());
}

TEST_F(EntryTreeTest, ACopyIntoItsOwnSubtreeIsRefusedBeforeAnyWrite)
{
    PutThreeLevels();
    const Values before = StoredValues();
    const EntryLocation targets[] = {
        kS,                    // onto itself
        Location(5, "S"),      // a free key of the submenu
        Location(28, "SA"),    // a filled key two levels down
        Location(3, "SAB"),    // onto the deepest leaf
        Location(9, "SABC"),   // below a leaf of the subtree
    };
    for (const EntryLocation& target : targets) {
        SCOPED_TRACE(std::string("to ") + target.KeyPath + KeyChar(target.Slot - 1));
        EXPECT_EQ(0, CanCopySubtree(&kS, &target));
        EXPECT_EQ(0, CopySubtree(&kS, &target));
        EXPECT_EQ(before, StoredValues());
    }
    const EntryLocation a = Location(1, "");
    EXPECT_EQ(0, CopySubtree(&a, &a)) << "a plain entry onto itself too";
    EXPECT_EQ(before, StoredValues());
}

TEST_F(EntryTreeTest, ACopyThatWouldExceedFifteenLevelsIsRefused)
{
    PutThreeLevels();  // the deepest submenu below S is SAB, two levels down
    PutEntry("E", "Empty submenu", "-1");
    const Values before = StoredValues();
    const std::string p13(13, 'Q'), p15(15, 'Q');

    // SAB would land on a key string of 16: its children's KeyPath would not fit.
    const EntryLocation tooDeep = Location(1, p13.c_str());
    EXPECT_EQ(0, CanCopySubtree(&kS, &tooDeep));
    EXPECT_EQ(0, CopySubtree(&kS, &tooDeep));
    const EntryLocation e = Location(5, ""), deepest = Location(1, p15.c_str());
    EXPECT_EQ(0, CopySubtree(&e, &deepest)) << "not even an empty submenu on the deepest level";
    EXPECT_EQ(before, StoredValues());

    // One level higher it fits exactly; the copied leaves stand on a KeyPath of 15.
    const EntryLocation fits = Location(1, std::string(12, 'Q').c_str());
    ASSERT_EQ(1, CanCopySubtree(&kS, &fits));
    ASSERT_EQ(1, CopySubtree(&kS, &fits));
    const std::string leaves = std::string(12, 'Q') + "AAB";
    ASSERT_EQ(15u, leaves.size());
    LoadLevel(&state_, leaves.c_str(), 0);
    EXPECT_STREQ("Leaf", state_.Titles[3]);
    EXPECT_EQ(3, state_.LineCount);

    // A plain entry fits on the deepest level.
    const EntryLocation b1 = Location(28, "B");
    ASSERT_EQ(1, CopySubtree(&b1, &deepest));
    EntryRecord read;
    ASSERT_EQ(1, ReadEntry(p15.c_str(), 1, &read));
    EXPECT_STREQ("Solitaire", read.Title);
}

// --- DeleteSubtree ---------------------------------------------------------

// before without the values below key string k; k's own values stay unless
// withSelf.
Values Without(const Values& before, const std::string& k, bool withSelf)
{
    Values expected = before;
    for (const auto& [name, text] : Rebased(before, k, k))
        expected.erase(name);
    for (const char* prefix : kPrefixes) {
        const auto own = before.find(prefix + k);
        if (!withSelf && own != before.end())
            expected.insert(*own);
    }
    return expected;
}

TEST_F(EntryTreeTest, DeletingASubmenuWithItselfRemovesEveryValueBelowIt)
{
    PutThreeLevels();
    const Values before = StoredValues();
    DeleteSubtree(&kS, 1);
    const Values expected = Without(before, "S", true);
    EXPECT_EQ(before.size() - 18, expected.size());
    EXPECT_EQ(expected, StoredValues());
}

TEST_F(EntryTreeTest, DeletingASubmenuWithoutItselfKeepsItsOwnValues)
{
    PutThreeLevels();
    const Values before = StoredValues();
    DeleteSubtree(&kS, 0);
    EXPECT_EQ(Without(before, "S", false), StoredValues());
    LoadLevel(&state_, "S", 0);
    EXPECT_EQ(1, state_.LineCount) << "an empty submenu";
    LoadLevel(&state_, "", 0);
    EXPECT_STREQ("Tools", state_.Titles[19]);
    EXPECT_EQ(1, state_.IsSubmenu[19]);
}

TEST_F(EntryTreeTest, DeletingAnEntryRemovesWhatWasLeftBelowIt)
{
    PutThreeLevels();
    PutEntry("AB", "Left over", "-1");  // from an earlier submenu on key A
    PutEntry("ABC", "Left over too", "x.exe");
    PutEntry("CD", "Below an empty key", "y.exe");
    const Values before = StoredValues();

    const EntryLocation a = Location(1, "");
    DeleteSubtree(&a, 1);
    EXPECT_EQ(Without(before, "A", true), StoredValues());
    EXPECT_EQ(0u, StoredValues().count("TitleAS")) << "AS stood below A too";

    const EntryLocation c = Location(3, "");
    const Values beforeC = StoredValues();
    DeleteSubtree(&c, 1);
    EXPECT_EQ(Without(beforeC, "C", true), StoredValues());
    EXPECT_EQ(beforeC.size() - 2, StoredValues().size());
}

TEST_F(EntryTreeTest, DeleteFindsChildrenByTheirProgramValues)
{
    PutThreeLevels();
    Put("TitleS5", "No program");           // not found: it has no program value
    Put("ExecS6", std::string(300, 'p'));   // found, though too long to read
    Put("TitleS6", "Long program");
    DeleteSubtree(&kS, 1);
    const Values after = StoredValues();
    EXPECT_EQ(1u, after.count("TitleS5"));
    EXPECT_EQ(0u, after.count("ExecS6") + after.count("TitleS6"));
    EXPECT_EQ(0u, after.count("TitleS") + after.count("TitleSAB") + after.count("TitleSABC"));
}

TEST_F(EntryTreeTest, DeletingFromAMissingKeyCreatesNothing)
{
    DeleteSubtree(&kS, 1);
    EXPECT_FALSE(KeyExists(kLaunch));
}

TEST_F(EntryTreeTest, DeleteEntryValuesRemovesTheFiveValuesOfOneKeyString)
{
    PutThreeLevels();
    Put("Title", "no key string");
    const Values before = StoredValues();
    tav::UniqueHKey key = StoreOpenKey(kLaunch, KEY_ALL_ACCESS);
    ASSERT_TRUE(key);
    DeleteEntryValues(key.get(), "S1");
    Values expected = before;
    for (const char* name : {"TitleS1", "ExecS1", "FolderS1", "OptionS1", "SoundS1"})
        expected.erase(name);
    EXPECT_EQ(expected, StoredValues());

    DeleteEntryValues(key.get(), "");
    DeleteEntryValues(key.get(), "s1");
    EXPECT_EQ(expected, StoredValues()) << "nothing for what is no key string";
}

// --- Locations that are none -----------------------------------------------

TEST_F(EntryTreeTest, OperationsIgnoreLocationsThatAreNone)
{
    const EntryRecord record = Record("Editor", "notepad.exe");
    const std::string p16(16, 'A');
    WriteEntry("", 0, &record);
    WriteEntry("", 37, &record);
    WriteEntry(p16.c_str(), 1, &record);
    WriteEntry("a", 1, &record);
    EXPECT_FALSE(KeyExists(kLaunch));

    PutThreeLevels();
    const Values before = StoredValues();
    const EntryLocation none[] = {Location(0, ""), Location(37, ""), Location(1, "s")};
    for (const EntryLocation& location : none) {
        EXPECT_EQ(0, CopySubtree(&kS, &location));
        EXPECT_EQ(0, CopySubtree(&location, &kS));
        DeleteSubtree(&location, 1);
    }
    EXPECT_EQ(before, StoredValues());

    // A KeyPath too long to be one names no level: only the ".." line.
    PutEntry(p16 + "A", "Too deep", "x.exe");
    LoadLevel(&state_, p16.c_str(), 0);
    EXPECT_STREQ("..(Parent)", state_.Titles[0]);
    EXPECT_STREQ("", state_.Titles[1]);
    EXPECT_EQ(1, state_.LineCount);
}

// --- Markers deeper than any KeyPath -----------------------------------------

// A chain of submenu markers 20 levels deep on key D: D, DD, ... D x 20,
// each titled with its depth, as an imported file could hold it.
void PutDeepChain()
{
    for (int depth = 1; depth <= 20; ++depth)
        PutEntry(std::string(depth, 'D'), "Level " + std::to_string(depth), "-1");
    PutEntry("A", "Editor", "notepad.exe");
}

TEST_F(EntryTreeTest, AMarkerOnTheDeepestLevelIsNoSubmenu)
{
    PutDeepChain();
    const std::string d14(14, 'D'), d15(15, 'D'), d16(16, 'D');

    LoadLevel(&state_, d14.c_str(), 0);
    EXPECT_STREQ("Level 15", state_.Titles[4]);
    EXPECT_EQ(1, state_.IsSubmenu[4]) << "its children stand on a KeyPath of 15";

    LoadLevel(&state_, d15.c_str(), 0);
    EXPECT_STREQ("..(Parent)", state_.Titles[0]);
    EXPECT_STREQ("Level 16", state_.Titles[4]) << "shown as an ordinary entry";
    EXPECT_EQ(0, state_.IsSubmenu[4]);
    EXPECT_EQ(2, state_.LineCount);

    // Nothing can descend from there.
    char keyPath[kKeyPathSize];
    lstrcpynA(keyPath, d15.c_str(), sizeof keyPath);
    EXPECT_EQ(0, KeyPathAppend(keyPath, 4));
    EXPECT_EQ(d15, keyPath);

    // Its program is the marker, which is never a program to start.
    EntryRecord read;
    ASSERT_EQ(1, ReadEntry(d15.c_str(), 4, &read));
    EXPECT_STREQ("Level 16", read.Title);
    EXPECT_EQ(1, IsSubmenuMarker(read.Program));
    EXPECT_EQ(0, ReadEntry(d16.c_str(), 4, &read));
}

TEST_F(EntryTreeTest, CopyingADeepChainStopsAtTheDeepestLevel)
{
    PutDeepChain();
    const Values before = StoredValues();

    // From the top the chain holds submenus down to D x 15, 14 levels below D:
    // they fit below a key string of 1, not of 2.
    const EntryLocation d = Location(4, ""), e = Location(5, ""), ba = Location(1, "B");
    EXPECT_EQ(0, CanCopySubtree(&d, &ba));
    EXPECT_EQ(0, CopySubtree(&d, &ba));
    EXPECT_EQ(before, StoredValues());

    ASSERT_EQ(1, CopySubtree(&d, &e));
    Values expected = before;
    for (int depth = 1; depth <= 16; ++depth) {
        const std::string k = "E" + std::string(depth - 1, 'D');
        expected["Title" + k] = "Level " + std::to_string(depth);
        expected["Exec" + k] = "-1";
    }
    EXPECT_EQ(expected, StoredValues()) << "nothing copied below a key string of 16";

    // From one level down the chain reaches one level less deep.
    const EntryLocation dd = Location(4, "D");
    EXPECT_EQ(1, CanCopySubtree(&dd, &ba));
}

TEST_F(EntryTreeTest, DeletingADeepChainStopsAtTheDeepestLevel)
{
    PutDeepChain();
    const EntryLocation d = Location(4, "");
    DeleteSubtree(&d, 1);
    // Values below a key string of 16 are out of every KeyPath's reach and
    // stay; nothing outside the chain is touched.
    Values expected = {{"TitleA", "Editor"}, {"ExecA", "notepad.exe"}};
    for (int depth = 17; depth <= 20; ++depth) {
        expected["Title" + std::string(depth, 'D')] = "Level " + std::to_string(depth);
        expected["Exec" + std::string(depth, 'D')] = "-1";
    }
    EXPECT_EQ(expected, StoredValues());

    PutDeepChain();
    const EntryLocation d16 = Location(4, std::string(15, 'D').c_str());
    DeleteSubtree(&d16, 1);
    const Values after = StoredValues();
    EXPECT_EQ(0u, after.count("Title" + std::string(16, 'D')));
    EXPECT_EQ(1u, after.count("Title" + std::string(15, 'D')));
    EXPECT_EQ(1u, after.count("Title" + std::string(17, 'D')));
}

}  // namespace
