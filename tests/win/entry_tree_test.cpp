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
#include <vector>

#include <gtest/gtest.h>

#include "base/launcher_state.h"
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
    char name[256];
    BYTE data[1024];
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name, dataSize = sizeof data;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, nullptr, data, &dataSize) != ERROR_SUCCESS)
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

// The values of the entry with key string k, as a written entry stores them.
void PutEntry(const std::string& k, const std::string& title, const std::string& program)
{
    Put("Title" + k, title);
    Put("Exec" + k, program);
}

EntryLocation Location(int slot, const std::string& keyPath)
{
    EntryLocation location;
    std::memset(&location, 0, sizeof location);
    location.Slot = slot;
    lstrcpynA(location.KeyPath, keyPath.c_str(), sizeof location.KeyPath);
    return location;
}

const EntryLocation kS = Location(19, "");

std::string Fields(const EntryRecord& record)
{
    return std::string(record.Title) + "|" + record.Program + "|" + record.Folder + "|" + record.Parameters
           + "|" + record.Sound;
}

// What ReadEntry gives, as Fields; "<none>" when it reports no entry, which
// must come with an all-empty record.
std::string Read(const std::string& keyPath, int slot)
{
    EntryRecord record;
    std::memset(&record, 'x', sizeof record);
    if (ReadEntry(keyPath.c_str(), slot, &record))
        return Fields(record);
    const EntryRecord empty = Record("", "");
    EXPECT_EQ(0, std::memcmp(&empty, &record, sizeof record));
    return "<none>";
}

// What LoadLevel shows, loaded over a slot table full of leftovers: the
// LineCount, then every slot with a title or a submenu flag ("+" marks a
// submenu, "?" any other flag value).
std::string Level(const std::string& keyPath, int showAll = 0)
{
    LauncherState state;
    std::memset(&state, 'x', sizeof state);
    LoadLevel(&state, keyPath.c_str(), showAll);
    std::string shown = std::to_string(state.LineCount) + ":";
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string title(state.Titles[slot], strnlen(state.Titles[slot], kTitleSize));
        const int flag = state.IsSubmenu[slot];
        if (!title.empty() || flag != 0)
            shown += (slot ? ", " : " ") + std::to_string(slot) + (flag == 1 ? "+" : flag ? "?" : " ") + title;
    }
    return shown;
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

// before without the values below key string k; k's own values stay unless
// withSelf.
Values Without(const Values& before, const std::string& k, int withSelf)
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

// before, with what stood at and below key string to replaced by the values
// below key string from, copied there.
Values WithCopy(const Values& before, const std::string& from, const std::string& to)
{
    Values expected = Without(before, to, 1);
    for (const auto& [name, text] : Rebased(before, from, to))
        expected[name] = text;
    return expected;
}

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
    PutEntry("T", "Old", "old.exe");  // with TZ below it, hidden while T is no submenu
    Put("FolderT", "X:\\");
    PutEntry("TZ", "Stays", "stays.exe");
}

using EntryTreeTest = RegistryTest;

// --- LoadLevel -----------------------------------------------------------

TEST_F(EntryTreeTest, EmptyLevelsShowTheirFirstLineOnly)
{
    EXPECT_EQ("2: 0 Tav Ver2.55, 1 (No Menu Items!)", Level(""));
    EXPECT_EQ("37: 0 Tav Ver2.55", Level("", 1)) << "no (No Menu Items!) when every key is listed";
    EXPECT_FALSE(KeyExists(kLaunch)) << "loading creates nothing";

    PutEntry("B", "Tools", "-1");
    EXPECT_EQ("1: 0 ..(Parent)", Level("B"));
    EXPECT_EQ("37: 0 ..(Parent)", Level("B", 1));
    // A KeyPath too long to be one names no level.
    const std::string p16(16, 'A');
    PutEntry(p16 + "A", "Too deep", "x.exe");
    EXPECT_EQ("1: 0 ..(Parent)", Level(p16));
}

TEST_F(EntryTreeTest, AFullLevelOf36Entries)
{
    std::string expected = "37: 0 ..(Parent)";
    for (int slot = 1; slot < kSlotCount; ++slot) {
        const std::string key(1, KeyChar(slot - 1));
        const std::string title = "Entry " + key, program = slot == 36 ? "-1" : "C:\\bin\\" + key + ".exe";
        const EntryRecord record = Record(title.c_str(), program.c_str());
        WriteEntry("M", slot, &record);
        expected += ", " + std::to_string(slot) + (slot == 36 ? "+" : " ") + title;
    }
    EXPECT_EQ(expected, Level("M"));
    EXPECT_EQ("Entry 5|C:\\bin\\5.exe|||", Read("M", 32));
    EXPECT_EQ(72u, StoredValues().size()) << "a title and a program per entry, nothing else";
}

TEST_F(EntryTreeTest, ALevelListsItsTitledEntriesAndSubmenusAndNoValueTooLongForItsField)
{
    const std::string t32(32, 'T');
    PutEntry("A", t32, "a.exe");
    PutEntry("B", t32 + '\0', "b.exe");  // the system stored a terminator
    PutEntry("C", t32 + "T", "c.exe");
    PutEntry("D", "Long program", std::string(260, 'p'));
    PutEntry("E", "Longest program", std::string(259, 'p'));
    Put("ExecQ", "-1");  // a marker without a title still marks its slot
    PutEntry("S", "Tools", "-1");
    PutEntry("SA", "Inside", "inside.exe");

    EXPECT_EQ("6: 0 Tav Ver2.55, 1 " + t32 + ", 2 " + t32 + ", 4 Long program, 5 Longest program, 17+, 19+Tools",
              Level(""));
    EXPECT_EQ("2: 0 ..(Parent), 1 Inside", Level("S"));
    EXPECT_EQ(t32 + "|b.exe|||", Read("", 2));
    EXPECT_EQ("<none>", Read("", 3)) << "33 bytes do not fit: no entry";
    EXPECT_EQ("Long program||||", Read("", 4)) << "260 bytes do not fit a 260-byte field with its terminator";
    EXPECT_EQ("Longest program|" + std::string(259, 'p') + "|||", Read("", 5));
}

// --- ReadEntry and WriteEntry --------------------------------------------

TEST_F(EntryTreeTest, JapaneseEntriesRoundTripAtSeveralDepths)
{
    // Code page 932: double-byte characters, half-width katakana, and trail
    // bytes of 0x5C ("表", "ソ", "能") that are not backslashes.
    const char title32[] = "\x93\xFA\x96{\x8C\xEA\x82\xCC\xC0\xB2\xC4\xD9\x95\\\x8E\xA6\xBF\xCC\xC4"
                           "\x8F\\\x93\xF1\xB1\xD2\xC6\xAD\xB0\x88\xEA\x97\x97";  // 日本語のﾀｲﾄﾙ表示ｿﾌﾄ十二ｱﾒﾆｭｰ一覧
    ASSERT_EQ(32u, std::strlen(title32));
    // C:\ﾌﾟﾛｸﾞﾗﾑ\ソフト\表計算.exe, D:\作業\能力, /表示 ｵﾌﾟｼｮﾝ, C:\音声\ﾋﾟｰ.wav, ﾒﾓ帳ｴﾃﾞｨﾀ
    const char program[] = "C:\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\\x83\\\x83t\x83g\\\x95\\\x8Cv\x8EZ.exe";
    const char folder[] = "D:\\\x8D\xEC\x8B\xC6\\\x94\\\x97\xCD";
    const char parameters[] = "/\x95\\\x8E\xA6 \xB5\xCC\xDF\xBC\xAE\xDD";
    const char sound[] = "C:\\\x89\xB9\x90\xBA\\\xCB\xDF\xB0.wav";
    const char katakana[] = "\xD2\xD3\x92\xA0\xB4\xC3\xDE\xA8\xC0";
    const EntryRecord full = Record(title32, program, folder, parameters, sound);
    const EntryRecord menu = Record(katakana, "-1");
    for (const std::string keyPath : {"", "S", "S1", "KKKKKKKKKKKKKK", "777777777777777"}) {
        SCOPED_TRACE("level \"" + keyPath + "\"");
        ScratchRegistry scratch;
        WriteEntry(keyPath.c_str(), 1, &full);
        WriteEntry(keyPath.c_str(), 36, &menu);
        const std::string a = keyPath + "A", nine = keyPath + "9";
        EXPECT_EQ((Values{{"Title" + a, title32}, {"Exec" + a, program}, {"Folder" + a, folder},
                          {"Option" + a, parameters}, {"Sound" + a, sound},
                          {"Title" + nine, katakana}, {"Exec" + nine, "-1"}}),
                  StoredValues());
        EXPECT_EQ(Fields(full), Read(keyPath, 1));
        EXPECT_EQ(Fields(menu), Read(keyPath, 36));
        // On the deepest level a submenu marker marks no submenu.
        EXPECT_EQ(std::string("3: 0 ") + (keyPath.empty() ? "Tav Ver2.55" : "..(Parent)") + ", 1 " + title32
                      + (keyPath.size() < 15 ? ", 36+" : ", 36 ") + katakana,
                  Level(keyPath));
    }
}

TEST_F(EntryTreeTest, WriteEntryRemovesEmptyOptionalFieldsAndStaysInsideEachField)
{
    EntryRecord record = Record("Editor", "notepad.exe", "C:\\", "-n", "a.wav");
    WriteEntry("", 1, &record);
    record = Record("Editor", "notepad.exe");
    WriteEntry("", 1, &record);
    EXPECT_EQ((Values{{"TitleA", "Editor"}, {"ExecA", "notepad.exe"}}), StoredValues());

    record = Record("", "");
    WriteEntry("", 1, &record);
    EXPECT_EQ((Values{{"TitleA", ""}, {"ExecA", ""}}), StoredValues()) << "title and program stay, even empty";
    EXPECT_EQ("<none>", Read("", 1));

    // Fields without a terminator are written as far as a read gives them back.
    std::memset(record.Title, 'T', sizeof record.Title);
    std::memset(record.Sound, 'w', sizeof record.Sound);
    WriteEntry("", 1, &record);
    EXPECT_EQ(std::string(32, 'T') + "||||" + std::string(259, 'w'), Read("", 1));
}

TEST_F(EntryTreeTest, LocationsThatAreNoneAreIgnored)
{
    const EntryRecord record = Record("Editor", "notepad.exe");
    const std::string p16(16, 'A');
    WriteEntry("", 0, &record);
    WriteEntry("", 37, &record);
    WriteEntry(p16.c_str(), 1, &record);
    WriteEntry("a", 1, &record);
    DeleteSubtree(&kS, 1);
    EXPECT_FALSE(KeyExists(kLaunch)) << "nothing written, and a delete creates no key";

    PutThreeLevels();
    Put("ExecC", "c.exe");  // a program without a title is no entry
    Put("FolderC", "C:\\");
    const Values before = StoredValues();
    for (int slot : {0, 3, 5, 37, -1})
        EXPECT_EQ("<none>", Read("", slot)) << "slot " << slot;
    EXPECT_EQ("<none>", Read(p16, 1)) << "no KeyPath";
    for (const EntryLocation& location : {Location(0, ""), Location(37, ""), Location(1, "s")}) {
        EXPECT_EQ(0, CopySubtree(&kS, &location));
        EXPECT_EQ(0, CopySubtree(&location, &kS));
        DeleteSubtree(&location, 1);
    }
    EXPECT_EQ(before, StoredValues());
}

// --- CopySubtree ----------------------------------------------------------

TEST_F(EntryTreeTest, ACopyRebuildsTheWholeSubtreeAtItsDestination)
{
    const struct {
        EntryLocation From, To;
        const char *FromKey, *ToKey;
        std::size_t Copied;
    } copies[] = {
        {kS, Location(20, ""), "S", "T", 18},                // over another entry: seven entries
        {kS, Location(29, "B"), "S", "B2", 18},              // to another level
        {Location(28, "S"), Location(30, "B"), "S1", "B3", 5},  // a plain entry
    };
    for (const auto& copy : copies) {
        SCOPED_TRACE(copy.ToKey);
        ScratchRegistry scratch;
        PutThreeLevels();
        const Values before = StoredValues();
        ASSERT_EQ(1, CanCopySubtree(&copy.From, &copy.To));
        EXPECT_EQ(before, StoredValues()) << "asking writes nothing";
        ASSERT_EQ(1, CopySubtree(&copy.From, &copy.To));
        EXPECT_EQ(copy.Copied, Rebased(before, copy.FromKey, copy.ToKey).size());
        EXPECT_EQ(WithCopy(before, copy.FromKey, copy.ToKey), StoredValues());
    }
}

TEST_F(EntryTreeTest, ACopyReplacesEverythingThatStoodAtItsDestination)
{
    const struct {
        EntryLocation From, To;
        const char* ToKey;
        Values Below;  // what stands at and below ToKey afterwards
    } copies[] = {
        // A submenu onto a submenu: S1, SA and SA's subtree go.
        {Location(2, ""), kS, "S",
         {{"TitleS", "Games"}, {"ExecS", "-1"}, {"TitleS1", "Solitaire"}, {"ExecS1", "sol.exe"}}},
        // A plain entry onto a submenu leaves nothing hidden below it.
        {Location(1, ""), kS, "S", {{"TitleS", "Editor"}, {"ExecS", "notepad.exe"}}},
        // A submenu onto a plain entry: TZ, hidden below it, does not show up.
        {Location(2, ""), Location(20, ""), "T",
         {{"TitleT", "Games"}, {"ExecT", "-1"}, {"TitleT1", "Solitaire"}, {"ExecT1", "sol.exe"}}},
    };
    for (const auto& copy : copies) {
        SCOPED_TRACE(testing::Message() << &copy - copies);
        ScratchRegistry scratch;
        PutThreeLevels();
        Values expected = Without(StoredValues(), copy.ToKey, 1);
        ASSERT_EQ(1, CopySubtree(&copy.From, &copy.To));
        expected.insert(copy.Below.begin(), copy.Below.end());
        EXPECT_EQ(expected, StoredValues());
    }
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
    // AB's children land one level up: ABB on AB, ABBC on ABC and ABC on AC,
    // as they stood before the copy cleared A.  Nothing else stays below A.
    const Values expected = {
        {"TitleA", "Middle"}, {"ExecA", "-1"},         {"TitleAB", "Inner"},    {"ExecAB", "-1"},
        {"TitleABC", "Deep"}, {"ExecABC", "deep.exe"}, {"TitleAC", "Original"}, {"ExecAC", "orig.exe"},
    };
    EXPECT_EQ(expected, StoredValues());
}

TEST_F(EntryTreeTest, RefusedCopiesWriteNothingAndCopiesAtTheLimitFit)
{
    PutThreeLevels();  // the deepest submenu below S is SAB, two levels down
    PutEntry("E", "Empty submenu", "-1");
    Put("ExecSE", "-1");  // a marker without a title is no entry
    PutEntry("SEA", "Orphan", "orphan.exe");
    const Values before = StoredValues();
    const std::string p12(12, 'Q'), p13(13, 'Q'), p15(15, 'Q');
    const struct {
        EntryLocation From, To;
    } refused[] = {
        {kS, kS},                               // onto itself
        {kS, Location(5, "S")},                 // a free key of its own submenu
        {kS, Location(28, "SA")},               // a filled key two levels down
        {kS, Location(3, "SAB")},               // onto its deepest leaf
        {kS, Location(9, "SABC")},              // below a leaf of the subtree
        {Location(1, ""), Location(1, "")},     // a plain entry onto itself
        {kS, Location(1, p13)},                 // SAB would land on a key string of 16
        {Location(5, ""), Location(1, p15)},    // not even an empty submenu on the deepest level
        {Location(5, "S"), Location(20, "")},   // no entry to copy
    };
    for (const auto& copy : refused) {
        SCOPED_TRACE(&copy - refused);
        EXPECT_EQ(0, CanCopySubtree(&copy.From, &copy.To));
        EXPECT_EQ(0, CopySubtree(&copy.From, &copy.To));
        EXPECT_EQ(before, StoredValues());
    }

    // One level higher S fits exactly: its leaves stand on a KeyPath of 15.
    const EntryLocation fits = Location(1, p12);
    ASSERT_EQ(1, CopySubtree(&kS, &fits));
    EXPECT_EQ("3: 0 ..(Parent), 3 Leaf, 36 Other leaf", Level(p12 + "AAB"));
    // A plain entry fits on the deepest level.
    const EntryLocation b1 = Location(28, "B"), deepest = Location(1, p15);
    ASSERT_EQ(1, CopySubtree(&b1, &deepest));
    EXPECT_EQ("Solitaire|sol.exe|||", Read(p15, 1));
}

// --- DeleteSubtree ---------------------------------------------------------

TEST_F(EntryTreeTest, DeleteRemovesTheSubtreeAndNothingOutsideIt)
{
    const struct {
        EntryLocation At;
        int WithSelf;
        const char* Key;
        std::size_t Removed;
    } deletes[] = {
        {kS, 1, "S", 18},
        {kS, 0, "S", 16},              // its own values stay: an empty submenu
        {Location(1, ""), 1, "A", 8},  // a plain entry, and AS, AB, ABC below it
        {Location(3, ""), 1, "C", 2},  // no entry, but CD below it
    };
    for (const auto& d : deletes) {
        SCOPED_TRACE(testing::Message() << d.Key << " with self " << d.WithSelf);
        ScratchRegistry scratch;
        PutThreeLevels();
        PutEntry("AB", "Left over", "-1");  // from an earlier submenu on key A
        PutEntry("ABC", "Left over too", "x.exe");
        PutEntry("CD", "Below an empty key", "y.exe");
        const Values before = StoredValues();
        DeleteSubtree(&d.At, d.WithSelf);
        const Values expected = Without(before, d.Key, d.WithSelf);
        EXPECT_EQ(d.Removed, before.size() - expected.size());
        EXPECT_EQ(expected, StoredValues());
    }
}

TEST_F(EntryTreeTest, DeletionFindsEntriesByTheirKeyStringsAndProgramValues)
{
    PutThreeLevels();
    Put("Title", "no key string");
    Put("TitleS5", "No program");          // not found: it has no program value
    Put("ExecS6", std::string(300, 'p'));  // found, though too long to read
    Put("TitleS6", "Long program");
    const Values before = StoredValues();
    tav::UniqueHKey key = StoreOpenKey(kLaunch, KEY_ALL_ACCESS);
    ASSERT_TRUE(key);
    DeleteEntryValues(key.get(), "");
    DeleteEntryValues(key.get(), "s1");  // value names ignore case; key strings do not
    EXPECT_EQ(before, StoredValues()) << "nothing for what is no key string";
    DeleteEntryValues(key.get(), "S1");
    Values expected = before;
    for (const char* prefix : kPrefixes)
        expected.erase(prefix + std::string("S1"));
    EXPECT_EQ(expected, StoredValues());

    DeleteSubtree(&kS, 1);
    const Values after = StoredValues();
    EXPECT_EQ(1u, after.count("TitleS5"));
    EXPECT_EQ(0u, after.count("ExecS6") + after.count("TitleS6"));
}

// --- Markers deeper than any KeyPath -----------------------------------------

TEST_F(EntryTreeTest, MarkersBelowTheDeepestLevelAreNeverReached)
{
    // A chain of submenu markers 20 levels deep on key D: D, DD, ... D x 20,
    // each titled with its depth, as an imported file could hold it.
    for (int depth = 1; depth <= 20; ++depth)
        PutEntry(std::string(depth, 'D'), "Level " + std::to_string(depth), "-1");
    PutEntry("A", "Editor", "notepad.exe");
    EXPECT_EQ("2: 0 ..(Parent), 4+Level 15", Level(std::string(14, 'D'))) << "its children stand on a KeyPath of 15";
    EXPECT_EQ("2: 0 ..(Parent), 4 Level 16", Level(std::string(15, 'D'))) << "shown as an ordinary entry";

    // From the top the chain holds submenus down to D x 15, 14 levels below D:
    // they fit below a key string of 1, not of 2.
    Values expected = StoredValues();
    const EntryLocation d = Location(4, ""), dd = Location(4, "D"), e = Location(5, ""), ba = Location(1, "B");
    EXPECT_EQ(0, CopySubtree(&d, &ba));
    EXPECT_EQ(expected, StoredValues());
    EXPECT_EQ(1, CanCopySubtree(&dd, &ba)) << "one level down, the chain reaches one level less deep";

    ASSERT_EQ(1, CopySubtree(&d, &e));
    for (int depth = 1; depth <= 16; ++depth) {
        const std::string k = "E" + std::string(depth - 1, 'D');
        expected["Title" + k] = "Level " + std::to_string(depth);
        expected["Exec" + k] = "-1";
    }
    EXPECT_EQ(expected, StoredValues()) << "nothing copied below a key string of 16";

    // Values below a key string of 16 are out of every KeyPath's reach and
    // stay when the chain is deleted.
    DeleteSubtree(&d, 1);
    for (int depth = 1; depth <= 16; ++depth) {
        expected.erase("Title" + std::string(depth, 'D'));
        expected.erase("Exec" + std::string(depth, 'D'));
    }
    EXPECT_EQ(expected, StoredValues());
}

// --- The entries' own keys ---------------------------------------------------

void PutKey(const std::string& k, DWORD hotKey, DWORD type = REG_DWORD)
{
    PutRawValue(kLaunch, ("HotKey" + k).c_str(), type, &hotKey, sizeof hotKey);
}

// The keys of key strings ks as ReadEntryHotKey gives them (0: none).
std::vector<DWORD> Keys(const std::vector<std::string>& ks)
{
    std::vector<DWORD> keys;
    for (const std::string& k : ks)
        keys.push_back(ReadEntryHotKey(k.substr(0, k.size() - 1).c_str(),
                                       SlotFromKey(static_cast<unsigned char>(k.back()))));
    return keys;
}

// A cut moves every key of its subtree with it; a copy comes without them
// and replaces a key that stood at its destination; a delete takes them.
TEST_F(EntryTreeTest, OwnKeysMoveWithACutAndNeverCopyOrOutliveTheirEntry)
{
    PutThreeLevels();
    PutKey("S", 0x0241);     // Ctrl+A
    PutKey("SAB", 0x0C42);   // Win+Shift+B
    PutKey("A", 0x0143);     // Alt+C
    const EntryLocation kU = Location(21, "");
    const EntryLocation kV = Location(22, "");
    const EntryLocation kA = Location(1, "");

    ASSERT_EQ(1, CopySubtree(&kS, &kU));
    EXPECT_EQ((std::vector<DWORD>{0x0241, 0x0C42, 0, 0}), Keys({"S", "SAB", "U", "UAB"}));
    ASSERT_EQ(1, CopySubtree(&kS, &kA));
    EXPECT_EQ((std::vector<DWORD>{0, 0x0241}), Keys({"A", "S"}));

    ASSERT_EQ(1, MoveSubtree(&kS, &kV));
    EXPECT_EQ((std::vector<DWORD>{0, 0, 0x0241, 0x0C42}), Keys({"S", "SAB", "V", "VAB"}));
    EXPECT_EQ("<none>", Read("", 19));
    const EntryLocation kV1 = Location(1, "V");
    EXPECT_EQ(0, MoveSubtree(&kV, &kV1)) << "a cut into its own subtree";

    DeleteSubtree(&kV, 1);
    const Values left = StoredValues();
    EXPECT_EQ(0u, left.count("HotKeyV") + left.count("HotKeyVAB"));
}

// Only keys that are keys, of entries the launcher can reach, are listed.
TEST_F(EntryTreeTest, TheKeyListHoldsOnlyReachableEntriesWithValidKeys)
{
    PutThreeLevels();
    PutKey("S", 0x0241);
    PutKey("SA1", 0x0642);   // Ctrl+Shift+B, below two submenus
    PutKey("TZ", 0x0243);    // below T, which is no submenu
    PutKey("Q", 0x0244);     // no entry Q
    PutKey("B", 0x0045);     // no modifier
    PutKey("B1", 0x0246, REG_BINARY);
    PutKey("A", 0x1247);     // an unknown modifier bit
    std::map<std::string, DWORD> listed;
    for (const EntryHotKey& key : ReadEntryHotKeys())
        listed[key.KeyString] = key.HotKey;
    EXPECT_EQ((std::map<std::string, DWORD>{{"S", 0x0241}, {"SA1", 0x0642}}), listed);
    EXPECT_EQ((std::vector<DWORD>{0, 0, 0}), Keys({"B", "B1", "A"}));
}

}  // namespace
