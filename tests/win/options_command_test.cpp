/*
 * Tray commands 110 and 120 on the real launcher window: setup mode and
 * the launcher key around the options dialog and the about box, the new
 * settings and the new key in force after OK (proven with a real key
 * press), the old ones after Cancel, a refused key reported once, exit
 * waiting for the dialog, and the first start opening the options.
 */
#include <windows.h>

#include <gtest/gtest.h>

#include "dialog_script.h"
#include "launcher_fixture.h"
#include "res/options_dialogs.h"
#include "res/resource.h"

namespace {

// In the capture dialog: Ctrl+Alt+K, with real keys.
void CaptureCtrlAltK(HWND dialog, Seen*)
{
    PumpUntil([dialog] { return GetForegroundWindow() == dialog; }, 1000);
    SendKey(VK_CONTROL, false);
    SendKey(VK_MENU, false);
    SendKey('K', false);
    SendKey('K', true);
    SendKey(VK_MENU, true);
    SendKey(VK_CONTROL, true);
}

class OptionsCommandTest : public LauncherWindowTest {
protected:
    void SetUp() override
    {
        LauncherWindowTest::SetUp();
        PutDword("Key", "OpenHotKey", VK_F9);
        PutDword("Key", "OpenHotKeyEx", MOD_CONTROL | MOD_ALT);
    }

    // Whether another window could take the hot key now.
    bool HotKeyFree(UINT modifiers, UINT key)
    {
        if (!RegisterHotKey(other_.get(), 1, modifiers, key))
            return false;
        UnregisterHotKey(other_.get(), 1);
        return true;
    }

    // While a dialog of the command runs: setup mode, no launcher key.
    void ExpectSetupMode()
    {
        EXPECT_EQ(1, SetupMode);
        EXPECT_EQ(0, HotKeyAtom);
        SendMessageA(window_, UM_SHOWLAUNCHER, 0, 0);
        EXPECT_FALSE(IsWindowVisible(window_));
    }

    // Presses Ctrl+Alt+key over another window: true when the launcher
    // showed.  The modifiers' key-downs reach that window first, as they
    // would reach another program: the hot key's message is posted, and
    // would otherwise overtake them to the shown launcher, which hides on
    // any key.
    bool KeyShowsLauncher(WORD key)
    {
        BringToFront(other_.get());
        SendKey(VK_CONTROL, false);
        SendKey(VK_MENU, false);
        PumpFor(50);
        PressKey(key);
        bool shown = PumpUntil([this] { return IsWindowVisible(window_) != FALSE; }, 1000);
        SendKey(VK_MENU, true);
        SendKey(VK_CONTROL, true);
        PumpFor(50);
        SendMessageA(window_, WM_KEYDOWN, VK_ESCAPE, 0);
        PumpFor(0);
        return shown;
    }

    TestWindow other_;
};

TEST_F(OptionsCommandTest, OkAppliesTheSettingsAndTheNewKeyCancelKeepsTheOld)
{
    Start();
    ASSERT_FALSE(HotKeyFree(MOD_CONTROL | MOD_ALT, VK_F9));

    // Cancel: nothing changes, the old key is back.
    {
        DialogScript script({[&](HWND d, Seen*) {
            ExpectSetupMode();
            EXPECT_TRUE(HotKeyFree(MOD_CONTROL | MOD_ALT, VK_F9)) << "released around the dialog";
            SendMessageA(d, WM_COMMAND, IDC_LAUNCHER_KEY, 0);
            Press(d, IDCANCEL);
        }, CaptureCtrlAltK});
        SendMessageA(window_, WM_COMMAND, IDM_OPTIONS, 0);
        EXPECT_EQ(2u, script.seen.size());
    }
    EXPECT_EQ(0, SetupMode);
    EXPECT_EQ(VK_F9, Launcher.OpenHotKey);
    EXPECT_FALSE(HotKeyFree(MOD_CONTROL | MOD_ALT, VK_F9));
    EXPECT_TRUE(KeyShowsLauncher(VK_F9));

    // OK: the new key and the new look are in force.
    {
        DialogScript script({[&](HWND d, Seen*) {
            SendMessageA(d, WM_COMMAND, IDC_LAUNCHER_KEY, 0);
            SendDlgItemMessageA(d, IDC_HIDE_EMPTY_KEYS, BM_CLICK, 0, 0);
            Press(d, IDOK);
        }, CaptureCtrlAltK});
        SendMessageA(window_, WM_COMMAND, IDM_OPTIONS, 0);
        EXPECT_EQ(0, script.unexpected);
    }
    EXPECT_EQ(0, SetupMode);
    EXPECT_EQ('K', Launcher.OpenHotKey);
    EXPECT_EQ(MOD_CONTROL | MOD_ALT, Launcher.OpenHotKeyEx);
    EXPECT_EQ(0, Launcher.ShowAllKey);
    EXPECT_NE(0, HotKeyAtom);
    EXPECT_TRUE(HotKeyFree(MOD_CONTROL | MOD_ALT, VK_F9));
    EXPECT_TRUE(KeyShowsLauncher('K'));
}

// Another program holds the chosen key: one message after OK, and the
// settings stay saved.
TEST_F(OptionsCommandTest, AKeyTheSystemRefusesIsReportedOnceAfterOk)
{
    Start();
    DialogScript script({[&](HWND d, Seen*) {
        SendMessageA(d, WM_COMMAND, IDC_LAUNCHER_KEY, 0);
        // Taken once captured: held, the key would not reach the capture dialog.
        EXPECT_TRUE(RegisterHotKey(other_.get(), 7, MOD_CONTROL | MOD_ALT, 'K'));
        Press(d, IDOK);
    }, CaptureCtrlAltK, Answer(IDOK)});
    SendMessageA(window_, WM_COMMAND, IDM_OPTIONS, 0);
    UnregisterHotKey(other_.get(), 7);
    ASSERT_EQ(3u, script.seen.size());
    EXPECT_EQ(0, script.unexpected);
    EXPECT_EQ("Tav", script.seen[2].Caption);
    // ﾗﾝﾁｬ起動ｷｰ(CTRL+ALT+K)を登録できませんでした。<newline>他のﾌﾟﾛｸﾞﾗﾑが同じｷｰを使っていないか確認してください。
    EXPECT_EQ("\xD7\xDD\xC1\xAC\x8BN\x93\xAE\xB7\xB0(CTRL+ALT+K)\x82\xF0\x93o\x98^\x82\xC5\x82\xAB\x82\xDC\x82\xB9"
              "\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81" "B\n\x91\xBC\x82\xCC\xCC\xDF\xDB\xB8\xDE\xD7\xD1\x82\xAA\x93\xAF"
              "\x82\xB6\xB7\xB0\x82\xF0\x8Eg\x82\xC1\x82\xC4\x82\xA2\x82\xC8\x82\xA2\x82\xA9\x8Am\x94" "F\x82\xB5\x82"
              "\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B",
              script.seen[2].Text);
    EXPECT_EQ('K', Launcher.OpenHotKey);
    EXPECT_EQ(0, SetupMode);
}

TEST_F(OptionsCommandTest, TheAboutBoxRunsInSetupModeAndExitWaitsForADialog)
{
    Start();
    DialogScript about({[&](HWND d, Seen*) {
        EXPECT_EQ(1, SetupMode);
        Press(d, IDOK);
    }});
    SendMessageA(window_, WM_COMMAND, IDM_ABOUT, 0);
    EXPECT_EQ(1u, about.seen.size());
    EXPECT_EQ(0, SetupMode);

    // Exit from the tray while the options dialog is open: the dialog ends
    // first, then the launcher window.
    DialogScript options({[&](HWND d, Seen*) {
        SendMessageA(window_, WM_COMMAND, IDM_EXIT, 0);
        EXPECT_TRUE(IsWindow(window_));
        EXPECT_TRUE(IsWindow(d));
        Press(d, IDCANCEL);
    }});
    SendMessageA(window_, WM_COMMAND, IDM_OPTIONS, 0);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(0, options.unexpected) << "no message about the key of a closed window";
}

TEST_F(OptionsCommandTest, TheFirstStartOpensTheOptions)
{
    Start();  // no "Top" stored
    DialogScript script({[](HWND d, Seen*) { Press(d, IDCANCEL); }});
    CheckFirstRun();
    ASSERT_EQ(1u, script.seen.size());
    EXPECT_EQ("Tav\x93\xAE\x8D\xEC\x90\xDD\x92\xE8", script.seen[0].Caption);  // Tav動作設定
}

}  // namespace
