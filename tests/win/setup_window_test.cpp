/*
 * The setup window itself: tray command 100 and closing back to the
 * launcher's top level (setup mode around it is the launcher tests'), the
 * keys and their wrap rules, hover tracking and its pause around a dialog,
 * the context menu's greying, and painting checked pixel by pixel.
 */
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/launcher_window.h"
#include "draw/paint.h"
#include "draw_support.h"
#include "res/resource.h"
#include "setup_support.h"
#include "store/settings.h"
#include "test_window.h"

namespace {

class SetupWindowTest : public SetupTest {
protected:
    void SetUp() override
    {
        SetupTest::SetUp();
        PutMenu();
    }
};

// Tray command 100 of the real launcher window (which stands in submenu B)
// opens one setup window at a time, afresh each time, at the stored place
// with all 37 rows of the top level and key A; closing it shows the
// launcher's changed top level.  Its view never saves ShowAllKey.
TEST_F(SetupWindowTest, OpensFromTheTrayCommandAfreshAndClosesToTheChangedTopLevel)
{
    LoadSettings(&Launcher);
    SetSetupMode(0);
    HWND launcher = LauncherWindow = CreateLauncherWindow(&Launcher);
    ASSERT_NE(nullptr, launcher);
    lstrcpyA(KeyPath, "B");
    for (int round = 0; round < 2; ++round) {
        SendMessageA(launcher, WM_COMMAND, IDM_SETUP, 0);
        window_ = SetupWindow;
        ASSERT_NE(nullptr, Session());
        RECT r;
        GetWindowRect(window_, &r);
        EXPECT_EQ("100,10 37 /1", std::to_string(r.left) + "," + std::to_string(r.top) + " "
                                      + std::to_string(Session()->View.LineCount) + " " + Session()->Cursor.KeyPath
                                      + "/" + std::to_string(Session()->Cursor.Slot));
        EXPECT_FALSE(Session()->HasClipboard) << "every opening starts afresh";
        SendMessageA(launcher, WM_COMMAND, IDM_SETUP, 0);
        EXPECT_EQ(window_, SetupWindow) << "one setup window at a time";
        Put("", 3, "Charlie", "c.exe");
        Send(WM_COMMAND, IDM_COPY);
        Send(WM_COMMAND, IDM_EXIT);
        EXPECT_FALSE(IsWindow(window_));
        EXPECT_STREQ("Charlie", Launcher.Titles[3]);
    }
    DestroyWindow(launcher);
    PumpFor(0);
    UnregisterClassA("Tav", GetModuleHandleA(nullptr));
    LauncherWindow = nullptr;
    EXPECT_EQ("missing", StoredValue("Software\\orrel\\Tav\\Window", "ShowAllKey"));
}

TEST_F(SetupWindowTest, KeysSelectOpenAndWrap)
{
    Open();
    const struct {
        const char* FromPath;
        int FromSlot, Key;
        const char* Path;
        int Slot;
    } rows[] = {
        {"", 1, VK_UP, "", 36},      {"", 36, VK_DOWN, "", 1},  // past the title line
        {"B", 0, VK_UP, "B", 36},    {"B", 36, VK_DOWN, "B", 0},  {"B", 5, VK_UP, "B", 4},
        {"", 1, 'C', "", 3},         {"", 1, '0', "", 27},        {"", 1, VK_NUMPAD9, "", 36},
        {"", 1, 'B', "", 2},         // a submenu's key selects it only
        {"", 5, VK_F1, "", 5},       {"", 5, VK_OEM_1, "", 5},    {"", 5, VK_BACK, "", 5},
        {"", 2, VK_RETURN, "B", 0},  {"B", 0, VK_RETURN, "", 2},  {"B", 7, VK_BACK, "", 2},
    };
    for (const auto& r : rows) {
        Select(r.FromPath, r.FromSlot);
        Send(WM_KEYDOWN, r.Key);
        EXPECT_EQ(std::string(r.Path) + "/" + std::to_string(r.Slot),
                  std::string(Session()->Cursor.KeyPath) + "/" + std::to_string(Session()->Cursor.Slot))
            << "from " << r.FromPath << "/" << r.FromSlot << " key " << r.Key;
    }
}

TEST_F(SetupWindowTest, TheSelectionFollowsAMovingPointerOnlyOutsideModalWork)
{
    Open();
    auto pointAt = [this](int row) {
        POINT p = RowPoint(row);
        SetCursorPos(p.x, p.y);
        PumpFor(150);
        return Session()->Cursor.Slot;
    };
    EXPECT_EQ(5, pointAt(5));
    Send(WM_KEYDOWN, 'C');
    PumpFor(150);
    EXPECT_EQ(3, Session()->Cursor.Slot) << "a pointer at rest leaves a key's choice";
    EXPECT_EQ(3, pointAt(0)) << "the title line is never selected";
    int underDialog = -1;
    DialogDriver driver;
    driver.Then("ｱﾌﾟﾘｹｰｼｮﾝの登録", [&](HWND dialog) {
        underDialog = pointAt(9);
        PostCommand(dialog, IDCANCEL);
    });
    Post(UM_EDITENTRY);
    EXPECT_EQ(3, underDialog);
    PumpFor(150);
    EXPECT_EQ(3, Session()->Cursor.Slot) << "the pointer has not moved since the dialog";
    EXPECT_EQ(12, pointAt(12));
}

TEST_F(SetupWindowTest, TheContextMenuGreysWhatCannotActOnTheRow)
{
    Open();
    const UINT ids[] = {IDM_EDIT, IDM_NEW_SUBMENU, IDM_CUT, IDM_COPY, IDM_PASTE, IDM_DELETE, IDM_EXIT};
    const struct {
        int Slot;
        bool Clipboard;
        std::vector<UINT> Greyed;
    } rows[] = {
        {5, false, {IDM_CUT, IDM_COPY, IDM_PASTE, IDM_DELETE}},  // an empty key
        {5, true, {IDM_CUT, IDM_COPY, IDM_DELETE}},
        {1, true, {IDM_NEW_SUBMENU}},  // an entry
        {2, false, {IDM_NEW_SUBMENU, IDM_PASTE}},  // a submenu
    };
    for (const auto& r : rows) {
        Select("", 1);
        Send(WM_COMMAND, r.Clipboard ? IDM_COPY : IDM_CLEAR_CLIPBOARD);
        // A right click selects the row under the pointer first.
        POINT p = RowPoint(r.Slot);
        SetCursorPos(p.x, p.y);
        std::vector<UINT> greyed;
        DialogDriver driver;
        driver.Then("menu", [&](HWND menuWindow) {
            HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
            for (UINT id : ids)
                if (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED)
                    greyed.push_back(id);
            EndMenu();
        });
        Send(WM_RBUTTONDOWN);
        EXPECT_EQ(r.Slot, Session()->Cursor.Slot);
        EXPECT_EQ(r.Greyed, greyed) << "slot " << r.Slot;
    }
    DialogDriver driver;  // on "..": no menu at all
    Select("B", 0);
    Send(WM_CONTEXTMENU);
    PumpFor(100);
    EXPECT_TRUE(driver.Unexpected.empty());
}

// The level as PaintLauncher draws it in PAINT_SETUP, with the cursor row's
// outline inverted, each of its pixels once; the clipboard's source framed
// only while its level is shown.
TEST_F(SetupWindowTest, PaintsTheCursorOutlineAndTheClipboardFrame)
{
    Open();
    RECT rect;
    GetWindowRect(window_, &rect);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    const int pitch = Session()->View.LineHeight + Session()->View.LineGap;
    // "inverted pixels on row 3's outline, whether row A's frame shows,
    // pixels changed elsewhere".
    auto differences = [&] {
        DibCanvas plain(w, h), painted(w, h);
        PaintLauncher(&Session()->View, plain.dc(), w, h, nullptr, 0, PAINT_SETUP);
        PaintSetupWindow(Session(), painted.dc(), w, h);
        int inverted = 0, onA = 0, elsewhere = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                COLORREF a = plain.Pixel(x, y), b = painted.Pixel(x, y);
                auto onOutline = [&](int slot) {
                    int top = 4 + slot * pitch, bottom = top + pitch;
                    return ((y == top || y == bottom) && x >= 5 && x <= w - 5)
                           || ((x == 5 || x == w - 5) && y >= top && y <= bottom);
                };
                if (onOutline(3) && b == (a ^ 0xFFFFFF))
                    ++inverted;
                else if (a != b)
                    ++(onOutline(1) ? onA : elsewhere);
            }
        }
        return std::to_string(inverted) + (onA > 0 ? " framed " : " plain ") + std::to_string(elsewhere);
    };
    const std::string outline = std::to_string(2 * (w - 10) + 2 * pitch);
    Select("", 3);
    EXPECT_EQ(outline + " plain 0", differences());
    Select("", 1);
    Send(WM_COMMAND, IDM_COPY);
    Select("", 3);
    EXPECT_EQ(outline + " framed 0", differences());
    Select("B", 3);
    EXPECT_EQ(outline + " plain 0", differences()) << "another level: no frame";
}

}  // namespace
