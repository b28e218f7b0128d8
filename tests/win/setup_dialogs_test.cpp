/*
 * The setup window's dialogs as they run: each template's controls read
 * back from the running dialog (class, id, text, place, style, tab order,
 * caption, font); the entry dialog's limits, its required fields, what OK
 * writes and removes, drops onto its program and sound fields, the title
 * from a dropped file; renaming a submenu.  The key-assignment dialog's
 * answers are those of the drops onto submenus (setup commands).
 */
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "entry_record.h"
#include "res/resource.h"
#include "setup/entry_dialog.h"
#include "setup/submenu_dialogs.h"
#include "setup_support.h"
#include "test_window.h"

namespace {

const char kEntryDialog[] = "ｱﾌﾟﾘｹｰｼｮﾝの登録";
const char kNameDialog[] = "ｻﾌﾞﾒﾆｭｰ作成・変更";
const char kKeyDialog[] = "ｷｰ割り当て";

struct ControlRow {
    int Id;
    const char* Class;
    const char* Text;  // UTF-8
    RECT Units;        // x, y, width, height in dialog units
    LONG Style;        // WS_TABSTOP, WS_GROUP and the low byte of the class's style
};

constexpr LONG kEdit = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr LONG kLabel = SS_LEFT | WS_GROUP;
constexpr LONG kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr LONG kDefault = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr int kLabelId = 0xFFFF;

const ControlRow kEntryControls[] = {
    {kLabelId, "static", "ﾀｲﾄﾙ(&T):", {5, 3, 27, 10}, kLabel},
    {IDC_ENTRY_TITLE, "edit", "", {5, 13, 173, 12}, kEdit},
    {kLabelId, "static", "起動ﾌｧｲﾙ(&P):", {5, 31, 100, 10}, kLabel},
    {IDC_ENTRY_PROGRAM, "edit", "", {5, 41, 159, 12}, kEdit},
    {IDC_BROWSE_PROGRAM, "button", "...", {166, 41, 12, 12}, kButton},
    {kLabelId, "static", "起動時のﾌｫﾙﾀﾞ(&F):", {5, 59, 100, 10}, kLabel},
    {IDC_ENTRY_FOLDER, "edit", "", {5, 69, 159, 12}, kEdit},
    {IDC_BROWSE_FOLDER, "button", "...", {166, 69, 12, 12}, kButton},
    {kLabelId, "static", "起動ﾊﾟﾗﾒｰﾀ(P):", {5, 87, 68, 10}, kLabel},
    {IDC_ENTRY_PARAMETERS, "edit", "", {5, 97, 172, 12}, kEdit},
    {kLabelId, "static", "ｻｳﾝﾄﾞ(&S):", {5, 115, 100, 8}, kLabel},
    {IDC_ENTRY_SOUND, "edit", "", {5, 125, 138, 12}, kEdit},
    {IDC_BROWSE_SOUND, "button", "...", {145, 125, 12, 12}, kButton},
    {IDC_PLAY_SOUND, "button", "再生", {159, 125, 19, 12}, kButton},
    {IDOK, "button", "OK", {74, 143, 50, 14}, kDefault},
    {IDCANCEL, "button", "ｷｬﾝｾﾙ", {128, 144, 50, 14}, kButton},
};
const ControlRow kNameControls[] = {
    {kLabelId, "static", "ｻﾌﾞﾒﾆｭｰ名(&M):", {4, 5, 47, 10}, kLabel},
    {IDC_SUBMENU_NAME, "edit", "", {51, 3, 127, 12}, kEdit},
    {IDOK, "button", "OK", {75, 21, 50, 14}, kDefault},
    {IDCANCEL, "button", "ｷｬﾝｾﾙ", {128, 21, 50, 14}, kButton},
};
// The list's height is its dropped-down height: only its top, left and
// width show as the window.
const ControlRow kKeyControls[] = {
    {IDOK, "button", "OK", {46, 24, 50, 14}, kDefault},
    {IDCANCEL, "button", "ｷｬﾝｾﾙ", {98, 24, 50, 14}, kButton},
    {IDC_KEY_LIST, "combobox", "A", {49, 5, 29, 88}, CBS_DROPDOWNLIST | WS_TABSTOP},
    {kLabelId, "static", "ｻﾌﾞﾒﾆｭｰ内の", {5, 8, 41, 12}, kLabel},
    {kLabelId, "static", "に割り当てる", {82, 7, 64, 12}, kLabel},
};

// One control as "id class text left,top,right,bottom style": the place in
// pixels of the dialog's client area (a list's bottom is its own: its
// template height is the dropped-down one).
std::string Describe(int id, const char* name, const std::string& text, RECT r, LONG style)
{
    char line[256];
    std::snprintf(line, sizeof line, "%d %s %s %ld,%ld,%ld,%ld %lx", id, name, text.c_str(), r.left,
                  r.top, r.right, r.bottom, style);
    return line;
}

// Compares the running dialog with its template: caption, style, client
// size and font, then each control in tab order.  The dialog base has
// placed it at the centre of the pointer's quarter of the 1024 x 768 display.
void CheckTemplate(HWND dialog, const char* caption, SIZE units, const ControlRow* rows, size_t count)
{
    SCOPED_TRACE(caption);
    EXPECT_EQ(Ansi(caption), WindowText(dialog));
    RECT placed;
    GetWindowRect(dialog, &placed);
    EXPECT_NEAR(768, (placed.left + placed.right) / 2, 1);
    EXPECT_NEAR(576, (placed.top + placed.bottom) / 2, 1);
    const LONG dialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    EXPECT_EQ(dialogStyle, GetWindowLongA(dialog, GWL_STYLE) & dialogStyle);
    RECT size = {0, 0, units.cx, units.cy}, client;
    MapDialogRect(dialog, &size);
    GetClientRect(dialog, &client);
    EXPECT_TRUE(EqualRect(&size, &client));
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(Ansi("ＭＳ Ｐゴシック"), font.lfFaceName);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(-MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72), font.lfHeight) << "9 points";
    ReleaseDC(nullptr, screen);

    HWND control = GetWindow(dialog, GW_CHILD);
    for (size_t i = 0; i < count; ++i, control = GetWindow(control, GW_HWNDNEXT)) {
        const ControlRow& row = rows[i];
        ASSERT_NE(nullptr, control);
        // The dialog manager converts x, y, width and height one by one.
        RECT expected = row.Units, actual;
        MapDialogRect(dialog, &expected);
        expected.right += expected.left;
        expected.bottom += expected.top;
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        if (row.Id == IDC_KEY_LIST)
            expected.bottom = actual.bottom;
        char name[32];
        GetClassNameA(control, name, sizeof name);
        CharLowerA(name);
        EXPECT_EQ(Describe(row.Id, row.Class, Ansi(row.Text), expected, row.Style),
                  Describe(GetDlgCtrlID(control), name, WindowText(control), actual,
                           GetWindowLongA(control, GWL_STYLE) & (WS_TABSTOP | WS_GROUP | 0xFF)));
    }
    EXPECT_EQ(nullptr, control) << "no more controls";
}

class SetupDialogTest : public SetupTest {
protected:
    EntryLocation At(const char* keyPath, int slot)
    {
        EntryLocation location = {};
        location.Slot = slot;
        lstrcpynA(location.KeyPath, keyPath, sizeof location.KeyPath);
        return location;
    }
    char pending_[kPathSize] = "";
};

TEST_F(SetupDialogTest, TemplatesAreAsDesigned)
{
    SetCursorPos(1000, 740);
    PumpFor(100);
    EntryLocation location = At("", 1);
    DialogDriver driver;
    driver.Then(kEntryDialog, [](HWND dialog) {
        CheckTemplate(dialog, kEntryDialog, {181, 161}, kEntryControls, std::size(kEntryControls));
        PostCommand(dialog, IDCANCEL);
    });
    driver.Then(kNameDialog, [](HWND dialog) {
        CheckTemplate(dialog, kNameDialog, {183, 39}, kNameControls, std::size(kNameControls));
        PostCommand(dialog, IDCANCEL);
    });
    driver.Then(kKeyDialog, [](HWND dialog) {
        CheckTemplate(dialog, kKeyDialog, {153, 43}, kKeyControls, std::size(kKeyControls));
        PostCommand(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, RunEntryDialog(nullptr, &location, pending_));
    EXPECT_EQ(0, RunSubmenuNameDialog(nullptr, &location));
    EXPECT_EQ(-1, RunAssignKeyDialog(nullptr));
}

// One run of the entry dialog on a stored entry: its five texts shown; the
// limits; OK refused without a title, then without a program, then with a
// program of 200 Japanese characters, 400 bytes, that no field holds; then
// OK with the folder and sound emptied writes the entry and removes those.
TEST_F(SetupDialogTest, EntryDialogNeedsTitleAndProgramAndWritesWhatIsFilledIn)
{
    EntryRecord old = Record("Old", "old.exe", "C:\\Old", "-o", "old.wav");
    WriteEntry("B", 3, &old);
    EntryLocation location = At("B", 3);
    std::vector<std::string> shown;
    std::vector<LRESULT> limits;
    DialogDriver driver;
    driver.Then(kEntryDialog, [&](HWND dialog) {
        for (int id : {IDC_ENTRY_TITLE, IDC_ENTRY_PROGRAM, IDC_ENTRY_FOLDER, IDC_ENTRY_PARAMETERS,
                       IDC_ENTRY_SOUND}) {
            shown.push_back(ItemText(dialog, id));
            limits.push_back(SendDlgItemMessageA(dialog, id, EM_GETLIMITTEXT, 0, 0));
            SetDlgItemTextA(dialog, id, "");
        }
        PostCommand(dialog, IDOK);
    });
    driver.Press("Tav", IDOK);
    driver.Then(kEntryDialog, [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_ENTRY_TITLE, "New");
        PostCommand(dialog, IDOK);
    });
    driver.Press("Tav", IDOK);
    std::string longPath;
    for (int i = 0; i < 200; ++i)
        longPath += Ansi("あ");
    driver.Then(kEntryDialog, [&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_ENTRY_PROGRAM, longPath.c_str());
        PostCommand(dialog, IDOK);
    });
    driver.Press("Tav", IDOK);
    std::string storedMeanwhile;
    driver.Then(kEntryDialog, [&](HWND dialog) {
        storedMeanwhile = Stored("B", 3);
        SetDlgItemTextA(dialog, IDC_ENTRY_PROGRAM, "new.exe");
        SetDlgItemTextA(dialog, IDC_ENTRY_PARAMETERS, "-n");
        PostCommand(dialog, IDOK);
    });
    EXPECT_EQ(1, RunEntryDialog(nullptr, &location, pending_));
    EXPECT_EQ((std::vector<std::string>{"Old", "old.exe", "C:\\Old", "-o", "old.wav"}), shown);
    EXPECT_EQ((std::vector<LRESULT>{31, 259, 259, 259, 259}), limits);
    EXPECT_EQ((std::vector<std::string>{Ansi("ﾀｲﾄﾙを入力してください。"),
                                        Ansi("起動ﾌｧｲﾙを入力してください。"),
                                        Ansi("ﾌｧｲﾙのﾊﾟｽが長すぎるため登録できません。")}),
              driver.Texts);
    EXPECT_EQ("Old|old.exe", storedMeanwhile) << "nothing written while OK is refused";
    const char* key = "Software\\orrel\\Tav\\Launch";
    EXPECT_EQ(Typed(REG_SZ, "New"), StoredValue(key, "TitleBC"));
    EXPECT_EQ(Typed(REG_SZ, "new.exe"), StoredValue(key, "ExecBC"));
    EXPECT_EQ(Typed(REG_SZ, "-n"), StoredValue(key, "OptionBC"));
    EXPECT_EQ("missing", StoredValue(key, "FolderBC"));
    EXPECT_EQ("missing", StoredValue(key, "SoundBC"));
}

// A dropped file's name, 40 characters, fills the title selected; OK
// stores the first 31.  Files dropped onto the fields: the first of several
// onto the program; a WAV file (in any case) onto the sound, nothing else;
// a path too long for the field is refused with a notice.
TEST_F(SetupDialogTest, EntryDialogTakesDroppedFiles)
{
    const std::string name(40, 'n');
    lstrcpyA(pending_, ("C:\\Tools\\" + name + ".exe").c_str());
    EntryLocation location = At("", 7);
    std::vector<std::string> seen;
    DWORD selection = 0;
    DialogDriver driver;
    driver.Then(kEntryDialog, [&](HWND dialog) {
        seen.push_back(ItemText(dialog, IDC_ENTRY_TITLE));
        selection = static_cast<DWORD>(SendDlgItemMessageA(dialog, IDC_ENTRY_TITLE, EM_GETSEL, 0, 0));
        for (int id : {IDC_ENTRY_PROGRAM, IDC_ENTRY_FOLDER, IDC_ENTRY_SOUND})
            seen.push_back(std::to_string(GetWindowLongA(GetDlgItem(dialog, id), GWL_EXSTYLE)
                                          & WS_EX_ACCEPTFILES ? 1 : 0));
        auto drop = [dialog](int id, std::vector<std::string> paths) {
            PostMessageA(GetDlgItem(dialog, id), WM_DROPFILES,
                         reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
        };
        drop(IDC_ENTRY_PROGRAM, {"C:\\x\\first.exe", "C:\\second.exe"});
        drop(IDC_ENTRY_SOUND, {"C:\\Sounds\\Song.Wav"});
        drop(IDC_ENTRY_SOUND, {"C:\\Sounds\\Song.mp3"});
        drop(IDC_ENTRY_PROGRAM, {"C:\\" + std::string(300, 'x')});
    });
    driver.Press("Tav", IDOK);
    driver.Then(kEntryDialog, [&](HWND dialog) {
        seen.push_back(ItemText(dialog, IDC_ENTRY_PROGRAM));
        seen.push_back(ItemText(dialog, IDC_ENTRY_SOUND));
        PostCommand(dialog, IDOK);
    });
    EXPECT_EQ(1, RunEntryDialog(nullptr, &location, pending_));
    EXPECT_STREQ("", pending_) << "the dropped path is used once";
    EXPECT_EQ((std::vector<std::string>{name, "1", "0", "1", "C:\\x\\first.exe", "C:\\Sounds\\Song.Wav"}),
              seen);
    EXPECT_EQ(MAKELONG(0, 40), selection) << "the title is selected";
    EXPECT_EQ(std::vector<std::string>{Ansi("ﾌｧｲﾙのﾊﾟｽが長すぎるため登録できません。")}, driver.Texts);
    EXPECT_EQ(name.substr(0, 31) + "|C:\\x\\first.exe", Stored("", 7));
}

// The submenu-name dialog: OK without a name does nothing; a new name
// renames the submenu and keeps what is below it; the edit holds 31 bytes.
TEST_F(SetupDialogTest, RenamingASubmenuKeepsItsContents)
{
    Put("", 2, "Bravo", "-1");
    Put("B", 4, "Delta", "delta.exe");
    EntryLocation location = At("", 2);
    std::vector<std::string> seen;
    DialogDriver driver;
    driver.Then(kNameDialog, [&](HWND dialog) {
        seen.push_back(ItemText(dialog, IDC_SUBMENU_NAME));
        seen.push_back(std::to_string(SendDlgItemMessageA(dialog, IDC_SUBMENU_NAME, EM_GETLIMITTEXT, 0, 0)));
        SetDlgItemTextA(dialog, IDC_SUBMENU_NAME, "");
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        seen.push_back(IsWindowVisible(dialog) ? "open" : "closed");
        SetDlgItemTextA(dialog, IDC_SUBMENU_NAME, "Brave");
        PostCommand(dialog, IDOK);
    });
    EXPECT_EQ(1, RunSubmenuNameDialog(nullptr, &location));
    EXPECT_EQ((std::vector<std::string>{"Bravo", "31", "open"}), seen);
    EXPECT_EQ("Brave|-1", Stored("", 2));
    EXPECT_EQ("Delta|delta.exe", Stored("B", 4));
}

}  // namespace
