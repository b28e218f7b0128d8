/*
 * The launcher window procedure: showing and hiding (with and without
 * SaveCursor), the launcher key in setup mode, applying settings while a
 * screen copy is held, the resize limits and the stored width, the
 * first-run check and the exit command.
 */
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "core/launcher_window.h"
#include "launcher_fixture.h"
#include "res/resource.h"

namespace {

const char kWindowKey[] = "Software\\orrel\\Tav\\Window";

DWORD ReadWindowDword(const char* name)
{
    DWORD type = 0;
    std::string data;
    if (!GetRawValue(kWindowKey, name, &type, &data) || data.size() != 4)
        return 0xDEADBEEF;
    return *reinterpret_cast<const DWORD*>(data.data());
}

class LauncherWindowTest : public LauncherTest {
protected:
    void PutMenu()
    {
        PutWindowDword("ShowAllKey", 0);
        PutEntry("", 1, "Alpha", "no-such-program.exe");
        PutSubmenu("", 19, "Sierra");
        PutEntry("S", 3, "Charlie", "no-such-program.exe");
        PutEntry("", 20, "Tango", "no-such-program.exe");
    }

    // Presses the left button at (x, y) through the system's input queue and,
    // from another thread while the window's move or sizing loop runs, drags
    // the pointer by dx and releases the button.
    void PressAndDrag(int x, int y, int dx)
    {
        SetCursorPos(x, y);
        auto mouse = [](DWORD flags, int px, int py) {
            INPUT input = {};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
            input.mi.dx = px * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
            input.mi.dy = py * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
            SendInput(1, &input, sizeof input);
        };
        std::thread release([=] {
            Sleep(150);
            mouse(MOUSEEVENTF_MOVE, x + dx, y);
            Sleep(150);
            mouse(MOUSEEVENTF_LEFTUP, x + dx, y);
        });
        mouse(MOUSEEVENTF_LEFTDOWN, x, y);
        DWORD start = GetTickCount();
        while (GetTickCount() - start < 600) {
            Pump();
            Sleep(10);
        }
        release.join();
    }
};

TEST_F(LauncherWindowTest, ShowingCopiesTheScreenAndHidingFreesIt)
{
    PutMenu();
    Start();
    EXPECT_FALSE(Visible());
    EXPECT_EQ(nullptr, Launcher.BackgroundCapture.MemDC);
    Show();
    ASSERT_TRUE(Visible());
    HDC copy = Launcher.BackgroundCapture.MemDC;
    HBITMAP bitmap = Launcher.BackgroundCapture.Bitmap;
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(GetFocus(), window_);

    // The launcher key on a shown launcher changes nothing.
    Show();
    EXPECT_TRUE(Visible());
    EXPECT_EQ(copy, Launcher.BackgroundCapture.MemDC);

    Key(VK_ESCAPE);
    EXPECT_FALSE(Visible());
    EXPECT_EQ(nullptr, Launcher.BackgroundCapture.MemDC);
    EXPECT_EQ(0u, GetObjectType(bitmap)) << "the copy's bitmap is deleted";
}

TEST_F(LauncherWindowTest, WithoutSaveCursorHidingReturnsToTheTopLevel)
{
    PutMenu();
    Start();
    Show();
    Key(VK_DOWN);
    Key(VK_DOWN);
    ASSERT_EQ(20, Selection);
    Key(VK_ESCAPE);
    Show();
    EXPECT_EQ(20, Selection) << "closed at the top level: the selection stays";

    Key('S');
    Key(VK_DOWN);
    ASSERT_EQ(3, Selection);
    Key(VK_ESCAPE);
    EXPECT_STREQ("", KeyPath);
    EXPECT_EQ(1, Selection);
    EXPECT_STREQ("Tav Ver2.55", Launcher.Titles[0]);
    EXPECT_EQ(4, Launcher.LineCount);
}

TEST_F(LauncherWindowTest, WithSaveCursorHidingKeepsLevelAndSelection)
{
    PutMenu();
    PutWindowDword("SaveCursor", 1);
    Start();
    Show();
    Key('S');
    Key(VK_DOWN);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Visible());
    EXPECT_STREQ("S", KeyPath);
    EXPECT_EQ(3, Selection);
    EXPECT_STREQ("Charlie", Launcher.Titles[3]);

    // Leaving setup mode drops the remembered level all the same.
    SendMessageA(window_, UM_SETUPMODE, 1, 0);
    EXPECT_EQ(1, SetupMode);
    SendMessageA(window_, UM_SETUPMODE, 0, 0);
    EXPECT_EQ(0, SetupMode);
    EXPECT_STREQ("", KeyPath);
    EXPECT_STREQ("Sierra", Launcher.Titles[19]);
}

TEST_F(LauncherWindowTest, AnyNonZeroShowAllKeyShowsAllLines)
{
    PutMenu();
    PutWindowDword("ShowAllKey", 2);  // hand-edited
    Start();
    EXPECT_EQ(37, Launcher.LineCount);
    RECT rect;
    GetWindowRect(window_, &rect);
    EXPECT_EQ(37 * (Launcher.LineHeight + Launcher.LineGap) + 8, rect.bottom - rect.top);
    Show();
    Key('S');
    EXPECT_EQ(37, Launcher.LineCount);
    Key(VK_DOWN);
    EXPECT_EQ(1, Selection) << "every line stops the arrow";
}

TEST_F(LauncherWindowTest, TheLauncherKeyIsInertInSetupMode)
{
    PutMenu();
    Start();
    SendMessageA(window_, UM_SETUPMODE, 1, 0);
    Show();
    EXPECT_FALSE(Visible());
    SendMessageA(window_, UM_SETUPMODE, 0, 0);
    Show();
    EXPECT_TRUE(Visible());
}

TEST_F(LauncherWindowTest, HotKeyShowsOnlyWhileAHotKeyIsRegistered)
{
    PutMenu();
    Start();  // default launcher key: 無変換 through the hook library
    ASSERT_EQ(0, HotKeyAtom);
    SendMessageA(window_, WM_HOTKEY, 0, 0);
    Pump();
    EXPECT_FALSE(Visible());
    DestroyWindow(window_);
    UnregisterClassA("Tav", GetModuleHandleA(nullptr));

    PutKeyDword("OpenHotKey", VK_F9);
    PutKeyDword("OpenHotKeyEx", MOD_CONTROL | MOD_ALT);
    Start();
    ASSERT_NE(0, HotKeyAtom);
    SendMessageA(window_, WM_HOTKEY, 12345, 0);  // the id is not compared
    Pump();
    EXPECT_TRUE(Visible());
}

TEST_F(LauncherWindowTest, ApplyingSettingsWhileShownFreesTheScreenCopy)
{
    PutMenu();
    PutWindowDword("SaveCursor", 1);
    Start();
    Show();
    Key('S');
    HBITMAP bitmap = Launcher.BackgroundCapture.Bitmap;
    ASSERT_NE(nullptr, bitmap);
    PutWindowDword("ShowAllKey", 1);

    ApplySettings(window_, &Launcher, KeyPath);
    Pump();
    EXPECT_EQ(0u, GetObjectType(bitmap)) << "the copy was freed, not lost";
    EXPECT_EQ(nullptr, Launcher.BackgroundCapture.MemDC);
    EXPECT_FALSE(Visible());
    EXPECT_STREQ("", KeyPath);
    EXPECT_EQ(37, Launcher.LineCount);
    Show();
    EXPECT_TRUE(Visible());
}

TEST_F(LauncherWindowTest, ResizingKeepsTheHeightAndStoresTheWidth)
{
    PutMenu();
    Start();
    Show();
    RECT before;
    GetWindowRect(window_, &before);
    MINMAXINFO limits = {};
    SendMessageA(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(12, limits.ptMinTrackSize.x);
    EXPECT_EQ(before.bottom - before.top, limits.ptMinTrackSize.y);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), limits.ptMaxTrackSize.x);
    EXPECT_EQ(before.bottom - before.top, limits.ptMaxTrackSize.y);
    SendMessageA(window_, WM_GETMINMAXINFO, 0, 0);  // no record: nothing to fill

    // Dragging the right strip 40 pixels to the right, down and up.
    int y = (before.top + before.bottom) / 2;
    SetCursorPos(before.right - 2, y);
    ASSERT_EQ(HTRIGHT, EdgeHitTest(window_));
    PressAndDrag(before.right - 2, y, 40);
    EXPECT_FALSE(Visible()) << "every left click hides the launcher";
    RECT after;
    GetWindowRect(window_, &after);
    EXPECT_EQ(before.left, after.left);
    EXPECT_GT(after.right, before.right);
    EXPECT_EQ(before.bottom - before.top, after.bottom - after.top);
    EXPECT_EQ(static_cast<DWORD>(after.right - after.left), ReadWindowDword("Width"));
    EXPECT_EQ(0, Launcher.Dragging);
}

TEST_F(LauncherWindowTest, DraggingAwayFromTheEdgesMovesAndHides)
{
    PutMenu();
    Start();
    Show();
    RECT before;
    GetWindowRect(window_, &before);
    int x = (before.left + before.right) / 2;
    SetCursorPos(x, before.top + 3);
    EXPECT_EQ(HTCLIENT, EdgeHitTest(window_));
    PressAndDrag(x, before.top + 3, 30);
    EXPECT_FALSE(Visible());
    RECT after;
    GetWindowRect(window_, &after);
    EXPECT_GT(after.left, before.left);
    EXPECT_EQ(before.right - before.left, after.right - after.left);
    EXPECT_EQ(0xDEADBEEF, ReadWindowDword("Width")) << "a move stores no width";
}

TEST_F(LauncherWindowTest, TheTimerHidesTheLauncherOnceAnotherWindowIsInFront)
{
    PutMenu();
    Start();
    Show();
    SendMessageA(window_, WM_TIMER, LAUNCHER_TIMER_ID, 0);
    if (GetForegroundWindow() == window_) {
        EXPECT_TRUE(Visible());
    }
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    SendMessageA(window_, WM_TIMER, LAUNCHER_TIMER_ID, 0);
    EXPECT_FALSE(Visible());
    DestroyWindow(other);
}

// Records the commands that reach the window.
std::vector<WPARAM> Commands;
WNDPROC Original;
LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        Commands.push_back(wParam);
    return CallWindowProcA(Original, window, message, wParam, lParam);
}

TEST_F(LauncherWindowTest, TheFirstRunOpensTheOptionsUntilAPositionIsSaved)
{
    Start();
    Original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordCommands)));
    Commands.clear();
    CheckFirstRun();  // "Top" 0 is saved
    EXPECT_TRUE(Commands.empty());

    PutWindowDword("Top", static_cast<DWORD>(-999));
    CheckFirstRun();
    ASSERT_EQ(1u, Commands.size());
    EXPECT_EQ(static_cast<WPARAM>(IDM_OPTIONS), Commands[0]);

    RegDeleteKeyValueA(HKEY_CURRENT_USER, kWindowKey, "Top");
    CheckFirstRun();
    EXPECT_EQ(2u, Commands.size());
}

TEST_F(LauncherWindowTest, ExitSavesThePositionAndEndsTheLoop)
{
    PutMenu();
    Start();
    SetWindowPos(window_, nullptr, 123, 45, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    SendMessageA(window_, WM_COMMAND, IDM_EXIT, 0);
    Pump();
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_TRUE(quitPosted_);
    EXPECT_EQ(123u, ReadWindowDword("Left"));
    EXPECT_EQ(45u, ReadWindowDword("Top"));
    EXPECT_EQ(0, HotKeyAtom);
}

}  // namespace
