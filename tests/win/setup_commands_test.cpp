/*
 * The setup window's commands with their questions answered both ways,
 * the internal clipboard, the refusals of paste, the depth limit, and file
 * drops synthesised as the shell delivers them (WM_DROPFILES with a drop
 * built in memory): onto an entry row, a submenu row and the ".." row, with
 * three files, with a path too long for an entry.
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
const char kNameDialog[] = "ｻﾌﾞﾒﾆｭｰ作成・変更";

class SetupCommandTest : public SetupTest {
protected:
    // A, an entry; B, a submenu holding D (an entry) and E (a submenu
    // holding 1); S, an empty submenu.
    void SetUp() override
    {
        SetupTest::SetUp();
        Put("", 1, "Alpha", "alpha.exe");
        PutSubmenu("", 2, "Bravo");
        Put("B", 4, "Delta", "delta.exe");
        PutSubmenu("B", 5, "Echo");
        Put("BE", 27, "One", "one.exe");
        PutSubmenu("", 19, "Sierra");
        Open();
    }

    // Runs a command while the driver answers what it asks.
    void Answered(int command, DialogDriver& driver)
    {
        Command(command);
        EXPECT_TRUE(driver.Done()) << "command " << command;
        EXPECT_TRUE(driver.Unexpected.empty()) << driver.Unexpected.front();
    }

    // Delivers a drop and runs the dialogs it leads to.
    void Drop(const std::vector<std::string>& paths, DialogDriver& driver)
    {
        PostMessageA(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
        EXPECT_TRUE(PumpUntil([&] { return driver.Done() && Session()->Busy == 0; }, 5000));
        PumpFor(100);
        EXPECT_TRUE(driver.Unexpected.empty()) << driver.Unexpected.front();
    }
};

TEST_F(SetupCommandTest, DeleteAsksOnceForAnEntryAndTwiceForASubmenu)
{
    const std::string askEntry = Ansi("Alphaを削除します。");
    const std::string askSubmenu =
        Ansi("Bravoはｻﾌﾞﾒﾆｭｰです。\nｻﾌﾞﾒﾆｭｰの内容も削除されますがよろしいですか?");
    const struct {
        int Slot;
        std::vector<int> Answers;
        const char* TitleAfter;
    } rows[] = {
        {1, {IDCANCEL}, "Alpha"}, {2, {IDOK, IDCANCEL}, "Bravo"}, {2, {IDCANCEL}, "Bravo"},
        {5, {}, ""},  // an empty key: no question, nothing
        {1, {IDOK}, ""},          {2, {IDOK, IDOK}, ""},
    };
    for (const auto& r : rows) {
        Select("", r.Slot);
        std::vector<std::string> asked;
        DialogDriver driver;
        for (int answer : r.Answers)
            driver.Then("Tav", NoteAndPress(&asked, answer));
        Answered(IDM_DELETE, driver);
        std::vector<std::string> expected;
        if (!r.Answers.empty())
            expected.push_back(r.Slot == 1 ? askEntry : Ansi("Bravoを削除します。"));
        if (r.Answers.size() > 1)
            expected.push_back(askSubmenu);
        EXPECT_EQ(expected, asked) << "slot " << r.Slot;
        EXPECT_EQ(r.TitleAfter, StoredTitle("", r.Slot)) << "slot " << r.Slot;
    }
    // The submenu went with everything below it.
    EXPECT_EQ("", StoredTitle("B", 4));
    EXPECT_EQ("", StoredTitle("BE", 27));
    EXPECT_STREQ("", Session()->View.Titles[2]);
}

TEST_F(SetupCommandTest, CopyPastesAgainAndAgainCutMovesOnce)
{
    Select("", 5);
    Command(IDM_COPY);
    EXPECT_FALSE(Session()->HasClipboard) << "an empty key gives nothing to copy";
    Command(IDM_PASTE);
    EXPECT_EQ("", StoredTitle("", 5)) << "nothing to paste";

    Select("", 1);
    Command(IDM_COPY);
    for (int slot : {5, 6}) {
        Select("", slot);
        Command(IDM_PASTE);
        EXPECT_EQ("alpha.exe", StoredProgram("", slot));
    }
    EXPECT_TRUE(Session()->HasClipboard);
    EXPECT_EQ("Alpha", StoredTitle("", 1));

    // A whole submenu moves into another one; the clipboard is then empty.
    Select("", 2);
    Command(IDM_CUT);
    Select("S", 3);
    Command(IDM_PASTE);
    EXPECT_EQ("Bravo", StoredTitle("S", 3));
    EXPECT_EQ("Delta", StoredTitle("SC", 4));
    EXPECT_EQ("One", StoredTitle("SCE", 27));
    EXPECT_EQ("", StoredTitle("", 2));
    EXPECT_EQ("", StoredTitle("BE", 27));
    EXPECT_FALSE(Session()->HasClipboard);
    EXPECT_STREQ("Bravo", Session()->View.Titles[3]) << "the level is shown anew";
    Select("S", 4);
    Command(IDM_PASTE);
    EXPECT_EQ("", StoredTitle("S", 4));

    // Esc empties the clipboard.
    Select("", 1);
    Command(IDM_COPY);
    Command(IDM_CLEAR_CLIPBOARD);
    EXPECT_FALSE(Session()->HasClipboard);
}

TEST_F(SetupCommandTest, PastingOntoAnEntryAsksFirst)
{
    for (int answer : {IDCANCEL, IDOK}) {
        Select("", 1);
        Command(IDM_CUT);
        Select("B", 4);
        std::vector<std::string> asked;
        DialogDriver driver;
        driver.Then("Tav", NoteAndPress(&asked, answer));
        Answered(IDM_PASTE, driver);
        EXPECT_EQ(std::vector<std::string>{Ansi("上書きしますか?")}, asked);
        EXPECT_EQ(answer == IDOK ? "Alpha" : "Delta", StoredTitle("B", 4));
        EXPECT_EQ(answer == IDOK ? "" : "Alpha", StoredTitle("", 1));
        EXPECT_EQ(answer != IDOK, Session()->HasClipboard);
    }
}

// What paste refuses, before it writes anything: the notice shown, or none.
TEST_F(SetupCommandTest, PasteRefusesWhatWouldDamageTheTree)
{
    // A chain of submenus down to the level "AAAAAAAAAAAAAA" (14 keys) and,
    // inside it, the deepest level "AAAAAAAAAAAAAAA" (15).
    std::string path;
    for (int depth = 0; depth < 15; ++depth, path += 'A')
        PutSubmenu(path.c_str(), 1, "Deep");
    const std::string level14(14, 'A'), level15(15, 'A');
    const struct {
        const char* SourcePath;
        int SourceSlot, Command;
        std::string TargetPath;
        int TargetSlot;
        const char* Notice;  // UTF-8, or nullptr for no notice
        bool Written;
    } rows[] = {
        {"", 19, IDM_CUT, "", 19, nullptr, false},  // onto itself: nothing at all
        {"", 2, IDM_COPY, "BE", 3, "ｻﾌﾞﾒﾆｭｰをそれ自身の中には貼り付けられません。", false},
        {"B", 5, IDM_CUT, "", 2, "切り取った項目を、それを含むｻﾌﾞﾒﾆｭｰの上には貼り付けられません。", false},
        {"", 2, IDM_COPY, level15, 3, "ｻﾌﾞﾒﾆｭｰの階層が深くなりすぎるため貼り付けられません。", false},
        {"", 19, IDM_COPY, level15, 4, "ｻﾌﾞﾒﾆｭｰの階層が深くなりすぎるため貼り付けられません。", false},
        {"", 19, IDM_COPY, level14, 4, nullptr, true},  // its children's KeyPath has 15 keys
        {"B", 4, IDM_COPY, level15, 5, nullptr, true},  // an entry fits at the deepest level
        {"B", 4, IDM_CUT, "", 2, "切り取った項目を、それを含むｻﾌﾞﾒﾆｭｰの上には貼り付けられません。", false},
    };
    for (const auto& r : rows) {
        Command(IDM_CLEAR_CLIPBOARD);
        Select(r.SourcePath, r.SourceSlot);
        Command(r.Command);
        std::string sourceTitle = StoredTitle(r.SourcePath, r.SourceSlot);
        Select(r.TargetPath.c_str(), r.TargetSlot);
        std::string targetTitle = StoredTitle(r.TargetPath.c_str(), r.TargetSlot);
        std::vector<std::string> noted;
        DialogDriver driver;
        if (r.Notice != nullptr)
            driver.Then("Tav", NoteAndPress(&noted, IDOK));
        Answered(IDM_PASTE, driver);
        if (r.Notice != nullptr) {
            EXPECT_EQ(std::vector<std::string>{Ansi(r.Notice)}, noted) << r.TargetPath << r.TargetSlot;
        }
        EXPECT_EQ(r.Written ? sourceTitle : targetTitle,
                  StoredTitle(r.TargetPath.c_str(), r.TargetSlot))
            << r.TargetPath << " " << r.TargetSlot;
        EXPECT_EQ(sourceTitle, StoredTitle(r.SourcePath, r.SourceSlot)) << "the source stays";
        EXPECT_TRUE(Session()->HasClipboard) << "a refused paste keeps the clipboard";
    }
    EXPECT_EQ("Echo", StoredTitle("B", 5));
    EXPECT_EQ("One", StoredTitle("BE", 27));
}

TEST_F(SetupCommandTest, SubmenusReachFifteenLevelsAndNoFurther)
{
    std::string path;
    for (int depth = 0; depth < 15; ++depth, path += 'A')
        PutSubmenu(path.c_str(), 1, "Deep");
    for (int keys : {14, 15}) {
        const std::string level(keys, 'A');
        Select(level.c_str(), 2);
        std::vector<std::string> noted;
        DialogDriver driver;
        if (keys == 15) {
            driver.Then("Tav", NoteAndPress(&noted, IDOK));
        } else {
            driver.Then(kNameDialog, [](HWND dialog) {
                SetDlgItemTextA(dialog, IDC_SUBMENU_NAME, "Fifteen");
                PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            });
        }
        Command(IDM_NEW_SUBMENU);
        EXPECT_TRUE(PumpUntil([&] { return driver.Done() && Session()->Busy == 0; }, 5000));
        EXPECT_TRUE(driver.Unexpected.empty());
        if (keys == 15) {
            EXPECT_EQ(std::vector<std::string>{Ansi("これ以上ｻﾌﾞﾒﾆｭｰを作成できません。")}, noted);
            EXPECT_EQ("", StoredTitle(level.c_str(), 2));
        } else {
            EXPECT_EQ("-1", StoredProgram(level.c_str(), 2));
            EXPECT_EQ(1, Session()->View.IsSubmenu[2]);
        }
    }
}

// The entry dialog's answer to a drop: its title and program as prefilled,
// then OK.
DialogDriver::Action NoteEntryAndOk(std::vector<std::string>* seen)
{
    return [seen](HWND dialog) {
        seen->push_back(ItemText(dialog, IDC_ENTRY_TITLE) + "|" + ItemText(dialog, IDC_ENTRY_PROGRAM)
                        + "|" + ItemText(dialog, IDC_ENTRY_FOLDER));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
}

DialogDriver::Action ChooseKey(int item)
{
    return [item](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_KEY_LIST, CB_SETCURSEL, item, 0);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
}

TEST_F(SetupCommandTest, ADroppedFileBecomesAnEntryWhereverItLands)
{
    const std::string editor = "C:\\Tools\\Editor.exe";
    // Onto an entry row, three files: the first one replaces the entry.
    Select("", 1);
    std::vector<std::string> seen;
    {
        DialogDriver driver;
        driver.Then(kEntryDialog, NoteEntryAndOk(&seen));
        Drop({editor, "C:\\b.exe", "C:\\c.exe"}, driver);
    }
    EXPECT_EQ(std::vector<std::string>{"Editor|" + editor + "|"}, seen);
    EXPECT_EQ(editor, StoredProgram("", 1));
    EXPECT_EQ("missing", StoredValue("Software\\orrel\\Tav\\Launch", "FolderA"));

    // Onto a submenu row: into it, then the key there (item 2, key C); a
    // submenu chosen there (E, item 4) is entered and asked about again.
    seen.clear();
    Select("", 2);
    {
        DialogDriver driver;
        driver.Then(kKeyDialog, ChooseKey(4)).Then(kKeyDialog, ChooseKey(26));
        driver.Then(kEntryDialog, NoteEntryAndOk(&seen));
        Drop({"C:\\Tools\\Calc.exe"}, driver);
    }
    EXPECT_EQ("Calc", StoredTitle("BE", 27));
    EXPECT_STREQ("BE", Session()->Cursor.KeyPath);

    // Onto "..": the parent is shown and the key chosen there.
    Select("B", 0);
    {
        DialogDriver driver;
        driver.Then(kKeyDialog, ChooseKey(7)).Then(kEntryDialog, NoteEntryAndOk(&seen));
        Drop({"C:\\Tools\\Hotel.exe"}, driver);
    }
    EXPECT_EQ("Hotel", StoredTitle("", 8));
    EXPECT_EQ(2u, seen.size());
}

TEST_F(SetupCommandTest, ACancelledKeyChoiceWritesNothingAndForgetsTheFile)
{
    // The pointer rests over row 7; the drop still goes into the selected
    // submenu, and the chosen key decides, not the row under the pointer.
    POINT p = RowPoint(7);
    SetCursorPos(p.x, p.y);
    PumpFor(100);
    Select("", 2);
    {
        DialogDriver driver;
        driver.Then(kKeyDialog, Press(IDCANCEL));
        Drop({"C:\\Tools\\Editor.exe"}, driver);
    }
    EXPECT_STREQ("B", Session()->Cursor.KeyPath);
    EXPECT_EQ(0, Session()->Cursor.Slot);
    EXPECT_STREQ("", Session()->PendingPath);
    // The next entry dialog shows the stored entry, not the dropped file.
    Select("B", 4);
    std::vector<std::string> seen;
    DialogDriver driver;
    driver.Then(kEntryDialog, [&](HWND dialog) {
        seen.push_back(ItemText(dialog, IDC_ENTRY_TITLE));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Command(IDM_EDIT);
    EXPECT_TRUE(PumpUntil([&] { return driver.Done() && Session()->Busy == 0; }, 5000));
    EXPECT_EQ(std::vector<std::string>{"Delta"}, seen);
}

TEST_F(SetupCommandTest, APathTooLongForAnEntryIsRefusedNotCut)
{
    Select("", 5);
    std::vector<std::string> noted;
    DialogDriver driver;
    driver.Then("Tav", NoteAndPress(&noted, IDOK));
    Drop({"C:\\" + std::string(257, 'x')}, driver);  // 260 characters
    EXPECT_EQ(std::vector<std::string>{Ansi("ﾌｧｲﾙのﾊﾟｽが長すぎるため登録できません。")}, noted);
    EXPECT_EQ("", StoredTitle("", 5));
    EXPECT_STREQ("", Session()->PendingPath);
}

}  // namespace
