/*
 * The tray icon and menu: the record handed to the shell, the real
 * Shell_NotifyIconA of Wine's tray, the menu as loaded and greyed, and the
 * tracked menu driven by real key presses.
 *
 * Only Windows can show what the shell makes of the record (the tip on
 * screen, the icon after an Explorer restart).
 */
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "core/tray.h"
#include "res/resource.h"
#include "test_window.h"

namespace {

TEST(TrayIcon, TheRecordCarriesIconTipAndCallback)
{
    TestWindow window;
    NOTIFYICONDATAA data;
    std::memset(&data, 0xCC, sizeof data);
    FillTrayIconData(&data, window.get());
    EXPECT_EQ(NOTIFYICONDATAA_V1_SIZE, data.cbSize);
    EXPECT_EQ(window.get(), data.hWnd);
    EXPECT_EQ(1u, data.uID);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), data.uFlags);
    EXPECT_EQ(32868u, data.uCallbackMessage);
    ASSERT_NE(nullptr, data.hIcon);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), "TAV"), data.hIcon);
    EXPECT_STREQ("Tav Ver2.55", data.szTip);

    EXPECT_EQ(1, IsTaskbarCreatedMessage(RegisterWindowMessageA("TaskbarCreated")));
    EXPECT_EQ(0, IsTaskbarCreatedMessage(RegisterWindowMessageA("SHELLHOOK")));
    EXPECT_EQ(0, IsTaskbarCreatedMessage(0));
}

TEST(TrayIcon, TheShellTakesTheIconOnceAndGivesItBack)
{
    // The desktop process that owns the notification area starts with the
    // first window of the session, and its tray window a little later.
    TestWindow window;
    if (!WaitForNotificationArea())
        GTEST_SKIP() << "no notification area on this display";
    ASSERT_EQ(1, AddTrayIcon(window.get()));
    // The same window and id again: the shell already has it.
    NOTIFYICONDATAA again;
    FillTrayIconData(&again, window.get());
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &again));
    EXPECT_EQ(1, DeleteTrayIcon());
    EXPECT_EQ(0, DeleteTrayIcon());
}

TEST(TrayMenu, SetupModeGreysTheCommandsThatOpenTheProgramsWindows)
{
    const UINT all[] = {IDM_OPTIONS, IDM_SETUP, IDM_IMPORT, IDM_EXPORT, IDM_ABOUT, IDM_EXIT};
    for (int setupMode : {0, 1}) {
        tav::UniqueHMenu menu = LoadTrayMenu(setupMode);
        ASSERT_TRUE(menu);
        for (UINT command : all) {
            bool opensWindow = command == IDM_SETUP || command == IDM_OPTIONS || command == IDM_ABOUT;
            bool grey = (GetMenuState(menu.get(), command, MF_BYCOMMAND) & MF_GRAYED) != 0;
            EXPECT_EQ(setupMode == 1 && opensWindow, grey) << setupMode << " " << command;
        }
    }
}

// The menu runs modally inside ShowTrayMenu; the window presses a mnemonic
// while the menu waits for input.  A greyed item's mnemonic closes the menu
// without a command.
TEST(TrayMenu, AChosenItemReachesTheWindowUnlessGreyed)
{
    struct {
        int setupMode;
        WORD key;
        std::vector<WORD> commands;
    } const cases[] = {{0, 'S', {IDM_OPTIONS}}, {1, 'S', {}}, {1, 'X', {IDM_EXIT}}};
    for (const auto& c : cases) {
        TestWindow window;
        window.MenuKeys = {c.key};
        ShowTrayMenu(window.get(), c.setupMode);
        PumpFor(50);
        EXPECT_EQ(c.commands, window.Commands) << c.setupMode << " " << c.key;
    }
}

}  // namespace
