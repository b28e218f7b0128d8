/*
 * The setup window itself: what opens (class, place, all 37 rows of the top
 * level, key A), the keys and their wrap rules at the top level and in a
 * submenu, descending and climbing, hover tracking and its pause around
 * modal work, the context menu's greying, painting (the cursor outline and
 * the clipboard frame, pixel by pixel), and its life inside the launcher:
 * tray command 100 to setup mode, closing back to the launcher's top level.
 */
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/launcher_window.h"
#include "draw/paint.h"
#include "draw_support.h"
#include "res/resource.h"
#include "setup/setup_window.h"
#include "setup_support.h"
#include "store/settings.h"
#include "test_window.h"

namespace {

// A, an entry; B, a submenu holding D; S, a submenu.
void PutMenu()
{
    SetupTest::Put("", 1, "Alpha", "alpha.exe");
    SetupTest::PutSubmenu("", 2, "Bravo");
    SetupTest::Put("B", 4, "Delta", "delta.exe");
    SetupTest::PutSubmenu("", 19, "Sierra");
}

class SetupWindowTest : public SetupTest {};

TEST_F(SetupWindowTest, OpensAtTheTopLevelWithEveryRowAndKeyA)
{
    Open();
    char name[64];
    GetClassNameA(window_, name, sizeof name);
    EXPECT_STREQ(SETUP_WINDOW_CLASS, name);
    EXPECT_EQ(static_cast<DWORD>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS),
              GetClassLongPtrA(window_, GCL_STYLE));
    EXPECT_EQ(static_cast<LONG_PTR>(WS_POPUP | WS_VISIBLE),
              GetWindowLongPtrA(window_, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    EXPECT_EQ(static_cast<LONG_PTR>(WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES),
              GetWindowLongPtrA(window_, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES));
    EXPECT_EQ("Tav", WindowText(window_));

    // An empty registry: 36 empty key rows under the title line, and no
    // "(No Menu Items!)"; the show-all flag is this window's own.
    const SetupSession* s = Session();
    EXPECT_EQ(1, s->Cursor.Slot);
    EXPECT_STREQ("", s->Cursor.KeyPath);
    EXPECT_STREQ("Tav Ver2.55", s->View.Titles[0]);
    EXPECT_STREQ("", s->View.Titles[1]);
    EXPECT_EQ(37, s->View.LineCount);
    EXPECT_EQ("missing", StoredValue("Software\\orrel\\Tav\\Window", "ShowAllKey"));

    RECT rect;
    GetWindowRect(window_, &rect);
    EXPECT_EQ(100, rect.left);
    EXPECT_EQ(10, rect.top);
    EXPECT_EQ(37 * (s->View.LineHeight + s->View.LineGap) + 8, rect.bottom - rect.top);
}

TEST_F(SetupWindowTest, KeysSelectOpenAndWrap)
{
    PutMenu();
    Open();
    const struct {
        const char* FromPath;
        int FromSlot, Key;
        const char* Path;
        int Slot;
    } rows[] = {
        {"", 1, VK_UP, "", 36},      {"", 36, VK_DOWN, "", 1},  // the title line is passed over
        {"B", 0, VK_UP, "B", 36},    {"B", 36, VK_DOWN, "B", 0},
        {"B", 5, VK_UP, "B", 4},     {"", 1, 'C', "", 3},
        {"", 1, '0', "", 27},        {"", 1, VK_NUMPAD9, "", 36},
        {"", 1, 'B', "", 2},         // a submenu's key only selects it
        {"", 5, VK_F1, "", 5},       {"", 5, VK_OEM_1, "", 5},  // no slot: nothing
        {"", 5, VK_BACK, "", 5},     // nothing above the top level
        {"", 2, VK_RETURN, "B", 0},  // Enter on a submenu descends to ".."
        {"B", 0, VK_RETURN, "", 2},  // ".." climbs to the submenu just left
        {"B", 7, VK_BACK, "", 2},    {"", 19, VK_RETURN, "S", 0},
    };
    for (const auto& r : rows) {
        Select(r.FromPath, r.FromSlot);
        Key(r.Key);
        EXPECT_STREQ(r.Path, Session()->Cursor.KeyPath) << r.FromPath << "/" << r.FromSlot << " key " << r.Key;
        EXPECT_EQ(r.Slot, Session()->Cursor.Slot) << r.FromPath << "/" << r.FromSlot << " key " << r.Key;
    }
    EXPECT_STREQ("..(Parent)", Session()->View.Titles[0]);
}

TEST_F(SetupWindowTest, TheSelectionFollowsAMovingPointerOnlyOutsideModalWork)
{
    PutMenu();
    Open();
    auto slotIs = [this](int slot) {
        return PumpUntil([this, slot] { return Session()->Cursor.Slot == slot; }, 1000);
    };
    POINT p = RowPoint(5);
    SetCursorPos(p.x, p.y);
    EXPECT_TRUE(slotIs(5));
    Key('C');
    PumpFor(150);
    EXPECT_EQ(3, Session()->Cursor.Slot) << "a pointer at rest leaves a key's choice";
    p = RowPoint(0);
    SetCursorPos(p.x, p.y);
    PumpFor(150);
    EXPECT_EQ(3, Session()->Cursor.Slot) << "the title line is never selected";

    // While the entry dialog runs the pointer moves over row 9: nothing
    // changes, then or after it, until the pointer moves again.
    int slotUnderDialog = -1;
    DialogDriver driver;
    driver.Then("ｱﾌﾟﾘｹｰｼｮﾝの登録", [&](HWND dialog) {
        POINT q = RowPoint(9);
        SetCursorPos(q.x, q.y);
        PumpFor(150);
        slotUnderDialog = Session()->Cursor.Slot;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    PostMessageA(window_, UM_EDITENTRY, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return driver.Done() && Session()->Busy == 0; }, 5000));
    EXPECT_EQ(3, slotUnderDialog);
    PumpFor(150);
    EXPECT_EQ(3, Session()->Cursor.Slot);
    p = RowPoint(12);
    SetCursorPos(p.x, p.y);
    EXPECT_TRUE(slotIs(12));
    EXPECT_TRUE(driver.Unexpected.empty());
}

TEST_F(SetupWindowTest, TheContextMenuGreysWhatCannotActOnTheRow)
{
    PutMenu();
    Open();
    const UINT ids[] = {IDM_EDIT, IDM_NEW_SUBMENU, IDM_CUT, IDM_COPY, IDM_PASTE, IDM_DELETE, IDM_EXIT};
    const struct {
        int Slot;
        bool Clipboard;
        std::vector<UINT> Greyed;
    } rows[] = {
        {5, false, {IDM_CUT, IDM_COPY, IDM_PASTE, IDM_DELETE}},  // an empty key
        {5, true, {IDM_CUT, IDM_COPY, IDM_DELETE}},
        {1, true, {IDM_NEW_SUBMENU}},                              // an entry
        {2, false, {IDM_NEW_SUBMENU, IDM_PASTE}},                  // a submenu
    };
    for (const auto& r : rows) {
        Select("", 1);
        Command(IDM_CLEAR_CLIPBOARD);
        if (r.Clipboard)
            Command(IDM_COPY);
        Select("", r.Slot);
        std::vector<UINT> greyed;
        DialogDriver driver;
        driver.Then("menu", [&](HWND menuWindow) {
            HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
            for (UINT id : ids)
                if (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED)
                    greyed.push_back(id);
            EndMenu();
        });
        Run(WM_CONTEXTMENU);
        EXPECT_TRUE(driver.Done()) << "slot " << r.Slot;
        EXPECT_EQ(r.Greyed, greyed) << "slot " << r.Slot;
    }

    // A right click selects the row under the pointer first; on ".." it
    // shows no menu.
    DialogDriver driver;
    driver.Then("menu", [](HWND) { EndMenu(); });
    POINT p = RowPoint(4);
    SetCursorPos(p.x, p.y);
    Run(WM_RBUTTONDOWN);
    EXPECT_EQ(4, Session()->Cursor.Slot);
    EXPECT_TRUE(driver.Done());
    Select("B", 0);
    Run(WM_CONTEXTMENU);
    PumpFor(100);
    EXPECT_TRUE(driver.Unexpected.empty());
}

// Painting: the level as PaintLauncher draws it in PAINT_SETUP, with the
// cursor row's outline inverted, every pixel of it once; the clipboard's
// source row framed only while its level is shown.
TEST_F(SetupWindowTest, PaintsTheCursorOutlineAndTheClipboardFrame)
{
    PutMenu();
    Open();
    RECT rect;
    GetWindowRect(window_, &rect);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    const int pitch = Session()->View.LineHeight + Session()->View.LineGap;
    auto onOutline = [&](int slot, int x, int y) {
        int top = 4 + slot * pitch, bottom = top + pitch, left = 5, right = w - 5;
        bool across = (y == top || y == bottom) && x >= left && x <= right;
        bool down = (x == left || x == right) && y >= top && y <= bottom;
        return across || down;
    };
    // The differences from the plain level: (inverted, other) pixel counts,
    // every inverted one on the cursor's outline.
    auto differences = [&](int cursor, int* framed) {
        DibCanvas plain(w, h), painted(w, h);
        PaintLauncher(&Session()->View, plain.dc(), w, h, nullptr, 0, PAINT_SETUP);
        PaintSetupWindow(Session(), painted.dc(), w, h);
        int inverted = 0;
        *framed = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                COLORREF a = plain.Pixel(x, y), b = painted.Pixel(x, y);
                if (onOutline(cursor, x, y) && b == (a ^ 0xFFFFFF))
                    ++inverted;
                else if (a != b)
                    ++*framed;
            }
        }
        return inverted;
    };
    int framed = 0;
    Select("", 3);
    const int outline = 2 * (w - 10) + 2 * pitch;
    EXPECT_EQ(outline, differences(3, &framed));
    EXPECT_EQ(0, framed);

    Select("", 1);
    Command(IDM_COPY);
    Select("", 3);
    EXPECT_EQ(outline, differences(3, &framed));
    EXPECT_GT(framed, w - 10) << "the dotted frame on row A";
    Select("B", 3);
    EXPECT_EQ(outline, differences(3, &framed));
    EXPECT_EQ(0, framed) << "another level: no frame";
}

// Tray command 100 of the real launcher window: setup mode while the setup
// window exists; closing it returns the launcher to its (changed) top level.
TEST_F(SetupWindowTest, LivesInSetupModeFromTheTrayCommandUntilClosed)
{
    PutMenu();
    LoadSettings(&Launcher);
    Selection = 1;
    SetSetupMode(0);
    KeyPath[0] = '\0';
    HWND launcher = CreateLauncherWindow(&Launcher);
    ASSERT_NE(nullptr, launcher);
    LauncherWindow = launcher;
    lstrcpyA(KeyPath, "B");
    LoadLevel(&Launcher, KeyPath, 0);

    SendMessageA(launcher, WM_COMMAND, IDM_SETUP, 0);
    PumpFor(0);
    ASSERT_TRUE(IsWindowVisible(SetupWindow));
    window_ = SetupWindow;
    EXPECT_EQ(1, SetupMode);
    SendMessageA(launcher, UM_SHOWLAUNCHER, 0, 0);
    EXPECT_FALSE(IsWindowVisible(launcher)) << "the launcher key is inert";
    SendMessageA(launcher, WM_COMMAND, IDM_SETUP, 0);
    EXPECT_EQ(SetupWindow, window_) << "one setup window at a time";

    Put("", 3, "Charlie", "c.exe");  // as the setup window would write it
    Select("B", 4);
    Command(IDM_COPY);
    Command(IDM_EXIT);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(nullptr, Session());
    EXPECT_EQ(0, SetupMode);
    EXPECT_STREQ("", KeyPath);
    EXPECT_STREQ("Charlie", Launcher.Titles[3]);

    // The next opening starts afresh: top level, key A, no clipboard.
    SendMessageA(launcher, WM_COMMAND, IDM_SETUP, 0);
    window_ = SetupWindow;
    ASSERT_NE(nullptr, Session());
    EXPECT_EQ(1, Session()->Cursor.Slot);
    EXPECT_STREQ("", Session()->Cursor.KeyPath);
    EXPECT_FALSE(Session()->HasClipboard);
    DestroyWindow(window_);
    EXPECT_EQ(0, SetupMode);
    DestroyWindow(launcher);
    PumpFor(0);
    UnregisterClassA("Tav", GetModuleHandleA(nullptr));
    LauncherWindow = nullptr;
}

}  // namespace
