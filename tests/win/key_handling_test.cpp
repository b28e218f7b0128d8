/*
 * Key handling through the real launcher window: every row of the key
 * table, the arrow wrap and skip rules with and without ShowAllKey, the way
 * back to the submenu just left, the deepest level, and real starts of a
 * program through the shell (with and without a usable sound).
 */
#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "core/launcher_window.h"
#include "store/entry_tree.h"
#include "launcher_fixture.h"

namespace {

// Closes the shell's error boxes (dialog class "#32770") that appear in this
// process while it runs, and counts them.
class ErrorBoxCloser {
public:
    ErrorBoxCloser() : thread_([this] { Run(); }) {}
    ~ErrorBoxCloser()
    {
        stop_ = true;
        thread_.join();
    }
    int Closed() const { return closed_; }

private:
    static BOOL CALLBACK CloseIfErrorBox(HWND window, LPARAM self)
    {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char name[16] = "";
        GetClassNameA(window, name, sizeof name);
        if (process == GetCurrentProcessId() && std::strcmp(name, "#32770") == 0
            && IsWindowVisible(window)) {
            PostMessageA(window, WM_COMMAND, IDOK, 0);
            ++reinterpret_cast<ErrorBoxCloser*>(self)->closed_;
        }
        return TRUE;
    }
    void Run()
    {
        while (!stop_) {
            EnumWindows(CloseIfErrorBox, reinterpret_cast<LPARAM>(this));
            Sleep(50);
        }
    }

    std::atomic<bool> stop_{false};
    std::atomic<int> closed_{0};
    std::thread thread_;
};

class KeyHandlingTest : public LauncherTest {
protected:
    // Top level: A entry, B submenu (with D submenu inside, E entry), S
    // submenu holding 1, key 5 submenu.
    void PutMenu(int showAll)
    {
        PutWindowDword("ShowAllKey", showAll);
        PutEntry("", 1, "Alpha", "no-such-program-a.exe");
        PutSubmenu("", 2, "Bravo");
        PutSubmenu("B", 4, "Delta");
        PutEntry("B", 5, "Echo", "no-such-program-e.exe");
        PutSubmenu("", 19, "Sierra");
        PutEntry("S", 27, "Zero", "no-such-program-0.exe");
        PutSubmenu("", 32, "Five");
    }
};

TEST_F(KeyHandlingTest, ArrowsWrapOverAllSlotsPassingTheTitleLineAtTheTop)
{
    PutMenu(1);
    Start();
    Show();
    Key(VK_UP);
    EXPECT_EQ(36, Selection);
    Key(VK_DOWN);
    EXPECT_EQ(1, Selection);
    for (int i = 0; i < 40; ++i) {
        Key(VK_DOWN);
        ASSERT_NE(0, Selection);
    }
    Key(VK_DOWN);  // empty slots stop the arrow when all keys are shown
    EXPECT_EQ(6, Selection);
    EXPECT_TRUE(Visible());
}

TEST_F(KeyHandlingTest, WithoutShowAllKeyArrowsStopOnlyOnEntries)
{
    PutMenu(0);
    Start();
    Show();
    ASSERT_EQ(1, Selection);
    Key(VK_DOWN);
    EXPECT_EQ(2, Selection);
    Key(VK_DOWN);
    EXPECT_EQ(19, Selection);
    Key(VK_DOWN);
    EXPECT_EQ(32, Selection);
    Key(VK_DOWN);
    EXPECT_EQ(1, Selection);
    Key(VK_UP);
    EXPECT_EQ(32, Selection);

    Key('S');
    Key(VK_DOWN);
    EXPECT_EQ(27, Selection);
    Key(VK_DOWN);
    EXPECT_EQ(0, Selection);
    EXPECT_TRUE(Visible());
}

TEST_F(KeyHandlingTest, AnEmptySubmenuKeepsItsParentLineUnderTheArrows)
{
    PutMenu(0);
    Start();
    Show();
    Key(VK_NUMPAD5);  // the numeric keypad acts as the digit row
    ASSERT_STREQ("5", KeyPath);
    EXPECT_EQ(1, Launcher.LineCount);
    Key(VK_DOWN);
    EXPECT_EQ(0, Selection);
    Key(VK_UP);
    EXPECT_EQ(0, Selection);
}

TEST_F(KeyHandlingTest, ArrowsOnAnUnloadedSlotTableLeaveTheSelection)
{
    PutMenu(0);
    Start();
    // What LoadSettings leaves before a level is loaded: no title at all.
    std::memset(Launcher.Titles, 0, sizeof Launcher.Titles);
    Selection = 3;
    Key(VK_DOWN);
    Key(VK_UP);
    EXPECT_EQ(3, Selection);
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, window_, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
}

TEST_F(KeyHandlingTest, BackspaceAndTheParentLineSelectTheSubmenuJustLeft)
{
    PutMenu(0);
    Start();
    Show();
    Key('B');
    Key('D');
    ASSERT_STREQ("BD", KeyPath);
    EXPECT_EQ(0, Selection);
    EXPECT_STREQ("..(Parent)", Launcher.Titles[0]);
    Key(VK_BACK);
    EXPECT_STREQ("B", KeyPath);
    EXPECT_EQ(4, Selection);
    EXPECT_STREQ("Delta", Launcher.Titles[4]);

    Key('D');
    Key(VK_RETURN);  // on ".."
    EXPECT_STREQ("B", KeyPath);
    EXPECT_EQ(4, Selection);
    Key(VK_BACK);
    EXPECT_STREQ("", KeyPath);
    EXPECT_EQ(2, Selection);
    EXPECT_TRUE(Visible());
}

TEST_F(KeyHandlingTest, BackspaceAtTheTopLevelHidesAndSelectsTheTitleLine)
{
    PutMenu(0);
    Start();
    Show();
    Key(VK_BACK);
    EXPECT_FALSE(Visible());
    EXPECT_EQ(0, Selection);
}

TEST_F(KeyHandlingTest, ImeKeysDoNothingWhileShown)
{
    PutMenu(0);
    Start();
    Show();
    Key(VK_DOWN);
    Key(VK_CONVERT);
    Key(VK_NONCONVERT);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(2, Selection);
}

TEST_F(KeyHandlingTest, KeysWithoutAnEntryHideTheLauncher)
{
    PutMenu(0);
    Start();
    const int keys[] = {VK_ESCAPE, VK_SPACE, VK_LEFT, VK_RIGHT, VK_SHIFT, VK_F1, 'Q', '7',
                        VK_OEM_1, 0xE5, 0xFF};
    for (int key : keys) {
        SCOPED_TRACE(key);
        Show();
        ASSERT_TRUE(Visible());
        Key(key);
        EXPECT_FALSE(Visible());
    }
    // Enter on an empty slot (shown because all keys are).
    Launcher.ShowAllKey = 1;
    Show();
    Selection = 3;
    Key(VK_RETURN);
    EXPECT_FALSE(Visible());
    EXPECT_EQ(3, Selection);
}

TEST_F(KeyHandlingTest, TheDeepestLevelIsEnteredButNeverPassed)
{
    const char parent[] = "ABCDEFGHIJKLMN";  // 14 keys
    PutSubmenu(parent, 15, "Deepest");
    PutSubmenu("ABCDEFGHIJKLMNO", 16, "Too deep");  // stored data may go on
    Start();
    std::strcpy(KeyPath, parent);
    LoadLevel(&Launcher, KeyPath, Launcher.ShowAllKey);
    Show();
    Key('O');
    EXPECT_STREQ("ABCDEFGHIJKLMNO", KeyPath);
    EXPECT_EQ(0, Selection);
    EXPECT_TRUE(Visible());

    Launcher.SaveCursor = 1;  // keep the level to look at it afterwards
    ErrorBoxCloser closer;    // the marker "-1" handed to the shell would fail
    Key('P');
    EXPECT_STREQ("ABCDEFGHIJKLMNO", KeyPath);
    EXPECT_EQ('\0', KeyPath[kKeyPathMax]);
    EXPECT_FALSE(Visible());
    EXPECT_EQ(0, closer.Closed()) << "nothing was started";
}

class LaunchTest : public LauncherTest {
protected:
    MarkerFolder markers_;
};

TEST_F(LaunchTest, AnEntryStartsItsProgramWithParametersAndFolder)
{
    std::string marker = markers_.File("started.txt");
    std::string parameters = "\"" + marker + "\" one two";
    PutSubmenu("", 19, "Sierra");
    PutEntry("S", 1, "Marker", MarkerProgram().c_str(), markers_.Path().c_str(),
             parameters.c_str());
    Start();
    Show();
    Key('S');
    SendMessageA(window_, WM_KEYDOWN, 'A', 0);
    EXPECT_FALSE(Visible()) << "hidden before the program starts";
    std::string written = markers_.WaitFor(marker, 10000);
    EXPECT_EQ("dir=" + markers_.Path() + "\nargs=one two\n", written);
    // Started from a submenu without SaveCursor: back at the top, slot 1.
    EXPECT_STREQ("", KeyPath);
    EXPECT_EQ(1, Selection);
}

TEST_F(LaunchTest, AMissingOrForeignSoundStillStartsTheProgram)
{
    std::string first = markers_.File("missing-sound.txt");
    std::string second = markers_.File("foreign-sound.txt");
    PutEntry("", 1, "Missing", MarkerProgram().c_str(), "", first.c_str(),
             "C:\\no\\such\\sound.wav");
    // The program itself is no WAV file.
    PutEntry("", 2, "Foreign", MarkerProgram().c_str(), "", second.c_str(),
             MarkerProgram().c_str());
    Start();
    Show();
    Key('A');
    EXPECT_FALSE(Visible());
    EXPECT_NE("", markers_.WaitFor(first, 10000));
    Show();
    ASSERT_TRUE(Visible());
    Key('B');
    EXPECT_FALSE(Visible());
    EXPECT_NE("", markers_.WaitFor(second, 10000));
    Show();
    EXPECT_TRUE(Visible());
    EXPECT_EQ(2, Selection);
}

TEST_F(LaunchTest, AMissingProgramOnlyHidesTheLauncher)
{
    std::string marker = markers_.File("after.txt");
    PutEntry("", 1, "Missing", "C:\\no\\such\\program.exe");
    PutEntry("", 2, "Marker", MarkerProgram().c_str(), "", marker.c_str());
    PutEntry("", 3, "No program", "");
    Start();
    {
        ErrorBoxCloser closer;
        Show();
        Key('A');
        EXPECT_FALSE(Visible());
        Pump();
        Show();
        Key('C');  // a title without a program starts nothing
        EXPECT_FALSE(Visible());
    }
    // The launcher still works.
    Show();
    ASSERT_TRUE(Visible());
    Key('B');
    EXPECT_NE("", markers_.WaitFor(marker, 10000));
}

}  // namespace
