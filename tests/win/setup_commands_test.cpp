/*
 * The setup window's commands with their questions answered both ways,
 * the internal clipboard, what paste refuses, the depth limit, and file
 * drops as the shell delivers them (WM_DROPFILES with a drop built in
 * memory): onto an entry row, a submenu row and the ".." row, with three
 * files, cancelled, with a path too long for an entry.
 */
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "setup_support.h"
#include "test_window.h"

namespace {

const char kEntryDialog[] = "ｱﾌﾟﾘｹｰｼｮﾝの登録";
const char kKeyDialog[] = "ｷｰ割り当て";

// The test menu, and a chain of submenus on key A below "A" down to the
// deepest level, "A" x 15.
class SetupCommandTest : public SetupTest {
protected:
    void SetUp() override
    {
        SetupTest::SetUp();
        PutMenu();
        for (std::string path = "A"; path.size() < 15; path += 'A')
            Put(path.c_str(), 1, "Deep", "-1");
        Open();
    }

    // Runs a command on the selected row while the driver answers.
    void Command(const char* keyPath, int slot, int command, DialogDriver& driver)
    {
        Select(keyPath, slot);
        Send(WM_COMMAND, command);
        EXPECT_TRUE(driver.Done()) << "command " << command << " at " << keyPath << "/" << slot;
        EXPECT_TRUE(driver.Unexpected.empty()) << driver.Unexpected.front();
    }
};

TEST_F(SetupCommandTest, DeleteAsksOnceForAnEntryAndTwiceForASubmenu)
{
    const std::string submenu =
        Ansi("Bravoはｻﾌﾞﾒﾆｭｰです。\nｻﾌﾞﾒﾆｭｰの内容も削除されますがよろしいですか?");
    const struct {
        int Slot;
        std::vector<int> Answers;
        const char* After;
    } rows[] = {
        {1, {IDCANCEL}, "Alpha|alpha.exe"}, {2, {IDOK, IDCANCEL}, "Bravo|-1"},
        {5, {}, ""},  // an empty key: no question
        {1, {IDOK}, ""},                    {2, {IDOK, IDOK}, ""},
    };
    for (const auto& r : rows) {
        DialogDriver driver;
        for (int answer : r.Answers)
            driver.Press("Tav", answer);
        Send(WM_COMMAND, IDM_CLEAR_CLIPBOARD);
        Select("", 19);
        Send(WM_COMMAND, IDM_COPY);
        Command("", r.Slot, IDM_DELETE, driver);
        std::vector<std::string> asked;
        if (!r.Answers.empty())
            asked.push_back(Ansi(r.Slot == 1 ? "Alphaを削除します。" : "Bravoを削除します。"));
        if (r.Answers.size() > 1)
            asked.push_back(submenu);
        EXPECT_EQ(asked, driver.Texts);
        EXPECT_EQ(r.After, Stored("", r.Slot)) << "slot " << r.Slot;
        EXPECT_EQ(r.Answers.empty() || r.Answers.back() == IDCANCEL, Session()->HasClipboard)
            << "a delete empties the clipboard";
    }
    EXPECT_EQ("", Stored("BE", 27)) << "the submenu went with all below it";
    EXPECT_STREQ("", Session()->View.Titles[2]);
}

// Commands in turn on one menu: where, what, the answer to "上書きしますか?"
// when it is asked, and then the key's content and whether the clipboard
// is set.
TEST_F(SetupCommandTest, CopyPastesAgainAndAgainCutMovesOnce)
{
    const struct {
        const char* Path;
        int Slot, Command, Answer;
        const char* After;
        bool Clipboard;
    } steps[] = {
        {"", 5, IDM_COPY, 0, "", false},  // nothing to copy
        {"", 5, IDM_PASTE, 0, "", false},
        {"", 1, IDM_COPY, 0, "Alpha|alpha.exe", true},
        {"", 5, IDM_PASTE, 0, "Alpha|alpha.exe", true},
        {"", 6, IDM_PASTE, 0, "Alpha|alpha.exe", true},
        {"B", 4, IDM_PASTE, IDCANCEL, "Delta|delta.exe", true},
        {"", 2, IDM_CUT, 0, "Bravo|-1", true},
        {"S", 3, IDM_PASTE, 0, "Bravo|-1", false},  // the whole submenu moves
        {"SC", 5, IDM_PASTE, 0, "Echo|-1", false},
        {"", 2, IDM_PASTE, 0, "", false},
        {"SCE", 27, IDM_CUT, 0, "Zero|zero.exe", true},
        {"", 1, IDM_PASTE, IDOK, "Zero|zero.exe", false},
        {"SCE", 27, IDM_PASTE, 0, "", false},
        {"", 6, IDM_COPY, 0, "Alpha|alpha.exe", true},
        {"", 6, IDM_CLEAR_CLIPBOARD, 0, "Alpha|alpha.exe", false},  // Esc
    };
    for (const auto& s : steps) {
        DialogDriver driver;
        if (s.Answer != 0)
            driver.Press("Tav", s.Answer);
        Command(s.Path, s.Slot, s.Command, driver);
        EXPECT_EQ(s.Answer != 0 ? std::vector<std::string>{Ansi("上書きしますか?")} : std::vector<std::string>{},
                  driver.Texts);
        EXPECT_EQ(s.After, Stored(s.Path, s.Slot)) << s.Path << "/" << s.Slot << " command " << s.Command;
        EXPECT_EQ(s.Clipboard, Session()->HasClipboard) << s.Path << "/" << s.Slot;
    }
    EXPECT_EQ("Delta|delta.exe", Stored("SC", 4));
    EXPECT_STREQ("Zero", Session()->View.Titles[1]) << "the level shown anew";
}

// What paste refuses before it writes anything, with the notice it shows;
// the source, the target and the clipboard stay.
TEST_F(SetupCommandTest, PasteRefusesWhatWouldDamageTheTree)
{
    const std::string level14(14, 'A'), level15(15, 'A');
    const char* intoItself = "ｻﾌﾞﾒﾆｭｰをそれ自身の中には貼り付けられません。";
    const char* ontoHolder = "切り取った項目を、それを含むｻﾌﾞﾒﾆｭｰの上には貼り付けられません。";
    const char* tooDeep = "ｻﾌﾞﾒﾆｭｰの階層が深くなりすぎるため貼り付けられません。";
    const struct {
        const char* Source;
        int SourceSlot, Command;
        std::string Target;
        int TargetSlot;
        const char* Notice;  // nullptr: none, and the paste is made
        bool Made;
    } rows[] = {
        {"", 19, IDM_CUT, "", 19, nullptr, false},  // onto itself: nothing at all
        {"", 2, IDM_COPY, "BE", 3, intoItself, false},
        {"B", 5, IDM_CUT, "", 2, ontoHolder, false},
        {"B", 4, IDM_CUT, "", 2, ontoHolder, false},
        {"", 2, IDM_COPY, level15, 3, tooDeep, false},
        {"", 19, IDM_COPY, level15, 4, tooDeep, false},
        {"", 19, IDM_COPY, level14, 4, nullptr, true},  // its children's KeyPath: 15 keys
        {"B", 4, IDM_COPY, level15, 5, nullptr, true},  // an entry fits the deepest level
    };
    for (const auto& r : rows) {
        Send(WM_COMMAND, IDM_CLEAR_CLIPBOARD);
        DialogDriver driver;
        if (r.Notice != nullptr)
            driver.Press("Tav", IDOK);
        Select(r.Source, r.SourceSlot);
        Send(WM_COMMAND, r.Command);
        const std::string source = Stored(r.Source, r.SourceSlot);
        const std::string target = Stored(r.Target.c_str(), r.TargetSlot);
        Command(r.Target.c_str(), r.TargetSlot, IDM_PASTE, driver);
        EXPECT_EQ(r.Notice != nullptr ? std::vector<std::string>{Ansi(r.Notice)} : std::vector<std::string>{},
                  driver.Texts);
        EXPECT_EQ(r.Made ? source : target, Stored(r.Target.c_str(), r.TargetSlot)) << r.Target;
        EXPECT_EQ(source, Stored(r.Source, r.SourceSlot));
        EXPECT_TRUE(Session()->HasClipboard);
    }
    EXPECT_EQ("Zero|zero.exe", Stored("BE", 27));
}

// The store changed outside under the level shown, then a command on a
// top-level key (the clipboard set from key A first): the questions name
// what is stored then, Cancel keeps it, and the level shown follows.
TEST_F(SetupCommandTest, CommandsAskAboutWhatTheStoreHoldsWhenTheyRun)
{
    const std::string overwrite = Ansi("上書きしますか?");
    const std::string contents =
        Ansi("Importedはｻﾌﾞﾒﾆｭｰです。\nｻﾌﾞﾒﾆｭｰの内容も削除され、貼り付ける項目に置き換わりますがよろしいですか?");
    const struct {
        void (*Outside)();
        int Clip, Slot, Command;
        std::vector<int> Answers;
        std::vector<std::string> Asked;
        const char *After, *Below;  // at the key; at its first child, or the top level's key A
        bool Clipboard;
    } rows[] = {
        {[] { Put("", 3, "Imported", "-1"), Put("C", 1, "One", "1"), Put("C", 2, "Two", "2"); }, IDM_COPY, 3,
         IDM_PASTE, {IDOK, IDCANCEL}, {overwrite, contents}, "Imported|-1", "One|1", true},
        {nullptr, IDM_COPY, 3, IDM_PASTE, {IDOK, IDOK}, {overwrite, contents}, "Alpha|alpha.exe", "", true},
        {nullptr, IDM_COPY, 19, IDM_PASTE, {IDOK}, {overwrite}, "Alpha|alpha.exe", "", true},
        {[] { Put("", 4, "Imported", "-1"), Put("D", 1, "In", "in"); }, 0, 4, IDM_DELETE, {IDOK, IDCANCEL},
         {Ansi("Importedを削除します。"), Ansi("Importedはｻﾌﾞﾒﾆｭｰです。\nｻﾌﾞﾒﾆｭｰの内容も削除されますがよろしいですか?")},
         "Imported|-1", "In|in", false},
        {[] { Put("", 5, "Put", "put"); }, 0, 5, IDM_NEW_SUBMENU, {}, {}, "Put|put", "", false},
        // The cut entry changed: the cut moves nothing and is forgotten.
        {[] { Put("", 1, "Alpha", "new"); }, IDM_CUT, 6, IDM_PASTE, {}, {}, "", "Alpha|new", false},
    };
    for (const auto& r : rows) {
        Send(WM_COMMAND, IDM_CLEAR_CLIPBOARD);
        Select("", 1);
        Send(WM_COMMAND, r.Clip);
        Select("", r.Slot);
        if (r.Outside != nullptr)
            r.Outside();
        DialogDriver driver;
        for (int answer : r.Answers)
            driver.Press("Tav", answer);
        Post(WM_COMMAND, r.Command);
        EXPECT_EQ(r.Asked, driver.Texts) << r.Slot;
        const char child[2] = {KeyChar(r.Slot - 1), '\0'};
        EXPECT_EQ(r.After, Stored("", r.Slot)) << r.Slot;
        EXPECT_EQ(r.Below, Stored(r.Slot == 6 ? "" : child, 1)) << r.Slot;
        EXPECT_EQ(r.Clipboard, Session()->HasClipboard) << r.Slot;
        const std::string after = r.After;
        EXPECT_EQ(after.substr(0, after.find('|')), Session()->View.Titles[r.Slot]) << r.Slot;
    }
    // The submenu shown goes with its contents: its parent shows, on its key.
    Select("B", 4);
    const EntryLocation bravo = {2, ""};
    DeleteSubtree(&bravo, 1);
    EXPECT_TRUE(PumpUntil([this] { return Session()->Cursor.KeyPath[0] == '\0' && Session()->Cursor.Slot == 2; }));
}

TEST_F(SetupCommandTest, SubmenusReachFifteenLevelsAndNoFurther)
{
    for (int keys : {14, 15}) {
        const std::string level(keys, 'A');
        DialogDriver driver;
        if (keys == 15) {
            driver.Press("Tav", IDOK);
        } else {
            driver.Then("ｻﾌﾞﾒﾆｭｰ作成・変更", [](HWND dialog) {
                SetDlgItemTextA(dialog, IDC_SUBMENU_NAME, "Fifteen");
                PostCommand(dialog, IDOK);
            });
        }
        Select(level.c_str(), 2);
        Post(WM_COMMAND, IDM_NEW_SUBMENU);
        EXPECT_EQ(keys == 15 ? std::vector<std::string>{Ansi("これ以上ｻﾌﾞﾒﾆｭｰを作成できません。")}
                             : std::vector<std::string>{},
                  driver.Texts);
        EXPECT_EQ(keys == 15 ? "" : "Fifteen|-1", Stored(level.c_str(), 2));
    }
}

// The entry dialog as a drop opens it: its title, program and folder noted,
// then OK.
DialogDriver::Action NoteAndOk(std::vector<std::string>* seen)
{
    return [seen](HWND dialog) {
        seen->push_back(ItemText(dialog, IDC_ENTRY_TITLE) + "|" + ItemText(dialog, IDC_ENTRY_PROGRAM) + "|"
                        + ItemText(dialog, IDC_ENTRY_FOLDER));
        PostCommand(dialog, IDOK);
    };
}

// The key-assignment dialog's answer: list item, or -1 for Cancel.
DialogDriver::Action ChooseKey(int item)
{
    return [item](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_KEY_LIST, CB_SETCURSEL, item, 0);
        PostCommand(dialog, item < 0 ? IDCANCEL : IDOK);
    };
}

// Each drop: where it lands (the pointer rests over row 7 meanwhile), the
// key-assignment dialog's answers (an item, -1 for Cancel), then what the
// entry dialog showed, where the cursor ends and what is stored there.
TEST_F(SetupCommandTest, ADroppedFileBecomesAnEntryWhereverItLands)
{
    POINT p = RowPoint(7);
    SetCursorPos(p.x, p.y);
    PumpFor(100);
    const std::string editor = "C:\\Tools\\Editor.exe";
    const struct {
        const char* Path;
        int Slot;
        std::vector<std::string> Files;
        std::vector<int> Keys;
        const char* Shown;  // "" for no entry dialog
        const char* Cursor;
        const char* After;
    } rows[] = {
        {"", 1, {editor, "C:\\b.exe", "C:\\c.exe"}, {}, "Editor|C:\\Tools\\Editor.exe|", "/1",
         "Editor|C:\\Tools\\Editor.exe"},
        // Into submenu B; key E (item 4) is a submenu: into it, key 0 there.
        {"", 2, {"C:\\Calc.exe"}, {4, 26}, "Calc|C:\\Calc.exe|", "BE/27", "Calc|C:\\Calc.exe"},
        {"B", 0, {"C:\\Hotel.exe"}, {7}, "Hotel|C:\\Hotel.exe|", "/8", "Hotel|C:\\Hotel.exe"},
        {"", 19, {editor}, {-1}, "", "S/0", ""},  // cancelled: nothing written
        {"", 5, {"C:\\" + std::string(257, 'x')}, {}, "", "/5", ""},  // 260 characters
        {"", 0, {editor}, {}, "", "/0", ""},  // the title line takes nothing
    };
    for (const auto& r : rows) {
        std::vector<std::string> shown;
        DialogDriver driver;
        for (int key : r.Keys)
            driver.Then(kKeyDialog, ChooseKey(key));
        if (r.Shown[0] != '\0')
            driver.Then(kEntryDialog, NoteAndOk(&shown));
        const bool tooLong = r.Files.front().size() >= 260;
        if (tooLong)
            driver.Press("Tav", IDOK);
        Select(r.Path, r.Slot);
        Post(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(r.Files)));
        EXPECT_EQ(r.Shown[0] != '\0' ? std::vector<std::string>{r.Shown} : std::vector<std::string>{}, shown);
        EXPECT_EQ(tooLong ? std::vector<std::string>{Ansi("ﾌｧｲﾙのﾊﾟｽが長すぎるため登録できません。")}
                          : std::vector<std::string>{},
                  driver.Texts);
        const SetupSession* s = Session();
        EXPECT_EQ(r.Cursor, std::string(s->Cursor.KeyPath) + "/" + std::to_string(s->Cursor.Slot));
        EXPECT_EQ(r.After, Stored(s->Cursor.KeyPath, s->Cursor.Slot));
        EXPECT_STREQ("", s->PendingPath) << "a drop's path is used once or forgotten";
    }
    EXPECT_EQ("missing", StoredValue("Software\\orrel\\Tav\\Launch", "FolderA"));

    // After the cancelled drop the entry dialog shows what a key holds.
    std::vector<std::string> shown;
    DialogDriver driver;
    driver.Then(kEntryDialog, NoteAndOk(&shown));
    Select("B", 4);
    Post(WM_COMMAND, IDM_EDIT);
    EXPECT_EQ(std::vector<std::string>{"Delta|delta.exe|"}, shown);
}

}  // namespace
