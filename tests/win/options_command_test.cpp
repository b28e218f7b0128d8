/*
 * Tray commands 110 and 120 on the real launcher window: setup mode and
 * the launcher key released around the options dialog and the about box,
 * the new settings and the new key in force after OK, the old ones after
 * Cancel, a refused key reported once, exit waiting for the dialog.
 */
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "launcher_fixture.h"
#include "res/options_dialogs.h"
#include "res/resource.h"

namespace {

const char kOptions[] = "Tav動作設定";

// In the capture dialog (no title): Ctrl+Alt+K, with real keys.
void CaptureCtrlAltK(DialogDriver& driver)
{
    driver.Then("", [](HWND dialog) {
        PumpUntil([dialog] { return GetForegroundWindow() == dialog; }, 1000);
        SendKey(VK_CONTROL, false);
        PressKey('K', VK_MENU);
        SendKey(VK_CONTROL, true);
    });
}

class OptionsCommandTest : public LauncherWindowTest {
protected:
    void SetUp() override
    {
        LauncherWindowTest::SetUp();
        PutDword("Key", "OpenHotKey", VK_F9);
        PutDword("Key", "OpenHotKeyEx", MOD_CONTROL | MOD_ALT);
        Start();
    }

    // Whether another window could take the hot key now.
    bool HotKeyFree(UINT key)
    {
        if (!RegisterHotKey(other_.get(), 1, MOD_CONTROL | MOD_ALT, key))
            return false;
        UnregisterHotKey(other_.get(), 1);
        return true;
    }

    TestWindow other_;
};

TEST_F(OptionsCommandTest, OkAppliesTheSettingsAndTheNewKeyCancelKeepsTheOld)
{
    ASSERT_FALSE(HotKeyFree(VK_F9));
    for (int button : {IDCANCEL, IDOK}) {
        DialogDriver driver;
        driver.Then(kOptions, [&](HWND d) {
            EXPECT_EQ(1, SetupMode);
            EXPECT_TRUE(HotKeyFree(VK_F9)) << "released around the dialog";
            SendMessageA(window_, UM_SHOWLAUNCHER, 0, 0);
            EXPECT_FALSE(IsWindowVisible(window_));
            SendMessageA(d, WM_COMMAND, IDC_LAUNCHER_KEY, 0);
            SendDlgItemMessageA(d, IDC_HIDE_EMPTY_KEYS, BM_CLICK, 0, 0);
            PostCommand(d, button);
        });
        CaptureCtrlAltK(driver);
        SendMessageA(window_, WM_COMMAND, IDM_OPTIONS, 0);
        EXPECT_EQ(0, SetupMode);
        EXPECT_NE(0, HotKeyAtom);
        const bool ok = button == IDOK;
        EXPECT_EQ(ok ? 'K' : VK_F9, Launcher.OpenHotKey);
        EXPECT_EQ(ok ? 0 : 1, Launcher.ShowAllKey);
        EXPECT_EQ(ok, HotKeyFree(VK_F9));
        EXPECT_EQ(!ok, HotKeyFree('K'));
    }
}

// Another program holds the chosen key: one message after OK, and the
// settings stay saved.
TEST_F(OptionsCommandTest, AKeyTheSystemRefusesIsReportedOnceAfterOk)
{
    DialogDriver driver;
    driver.Then(kOptions, [&](HWND d) {
        SendMessageA(d, WM_COMMAND, IDC_LAUNCHER_KEY, 0);
        // Taken once captured: held, the key would not reach the capture dialog.
        EXPECT_TRUE(RegisterHotKey(other_.get(), 7, MOD_CONTROL | MOD_ALT, 'K'));
        PostCommand(d, IDOK);
    });
    CaptureCtrlAltK(driver);
    driver.Press("Tav", IDOK);
    SendMessageA(window_, WM_COMMAND, IDM_OPTIONS, 0);
    UnregisterHotKey(other_.get(), 7);
    EXPECT_EQ(std::vector<std::string>{Ansi("ﾗﾝﾁｬ起動ｷｰ(CTRL+ALT+K)を登録できませんでした。\n"
                                            "他のﾌﾟﾛｸﾞﾗﾑが同じｷｰを使っていないか確認してください。")},
              driver.Texts);
    EXPECT_EQ('K', Launcher.OpenHotKey);
    EXPECT_EQ(0, SetupMode);
}

TEST_F(OptionsCommandTest, TheAboutBoxRunsInSetupModeAndExitWaitsForADialog)
{
    DialogDriver about;
    about.Then("Tavについて", [&](HWND d) {
        EXPECT_EQ(1, SetupMode);
        // Posted or queued: no dialog and no setup window inside it.
        for (WPARAM command : {IDM_OPTIONS, IDM_ABOUT, IDM_SETUP})
            SendMessageA(window_, WM_COMMAND, command, 0);
        EXPECT_EQ(nullptr, FindWindowA("TavSetupClass", nullptr));
        PostCommand(d, IDOK);
    });
    SendMessageA(window_, WM_COMMAND, IDM_ABOUT, 0);
    EXPECT_EQ(0, SetupMode);

    // Exit from the tray while the options dialog is open: the dialog ends
    // first, then the launcher window.
    DialogDriver options;
    options.Then(kOptions, [&](HWND d) {
        SendMessageA(window_, WM_COMMAND, IDM_ABOUT, 0);
        EXPECT_TRUE(SetupMode == 1 && HotKeyFree(VK_F9)) << "the key stays released";
        SendMessageA(window_, WM_COMMAND, IDM_EXIT, 0);
        EXPECT_TRUE(IsWindow(window_));
        EXPECT_TRUE(IsWindow(d));
        PostCommand(d, IDCANCEL);
    });
    SendMessageA(window_, WM_COMMAND, IDM_OPTIONS, 0);
    EXPECT_FALSE(IsWindow(window_));
}

}  // namespace
