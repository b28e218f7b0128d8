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
    EXPECT_EQ(7u, data.uFlags);
    EXPECT_EQ(32868u, data.uCallbackMessage);
    EXPECT_NE(nullptr, data.hIcon);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), "TAV"), data.hIcon);
    EXPECT_STREQ("Tav Ver2.55", data.szTip);
}

TEST(TrayIcon, TheShellTakesTheIconOnceAndGivesItBack)
{
    if (FindWindowA("Shell_TrayWnd", nullptr) == nullptr)
        GTEST_SKIP() << "no notification area on this display";
    TestWindow window;
    ASSERT_EQ(1, AddTrayIcon(window.get()));
    // The same window and id again: the shell already has it.
    NOTIFYICONDATAA again;
    FillTrayIconData(&again, window.get());
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &again));
    EXPECT_EQ(1, DeleteTrayIcon());
    EXPECT_EQ(0, DeleteTrayIcon());
}

TEST(TrayIcon, TheShellsRestartMessageIsRecognised)
{
    EXPECT_EQ(1, IsTaskbarCreatedMessage(RegisterWindowMessageA("TaskbarCreated")));
    EXPECT_EQ(0, IsTaskbarCreatedMessage(RegisterWindowMessageA("SHELLHOOK")));
    EXPECT_EQ(0, IsTaskbarCreatedMessage(0));
}

bool IsGrey(HMENU menu, UINT command)
{
    return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

TEST(TrayMenu, SetupModeGreysTheCommandsThatOpenTheProgramsWindows)
{
    const UINT all[] = {IDM_OPTIONS, IDM_SETUP, IDM_IMPORT, IDM_EXPORT, IDM_ABOUT, IDM_EXIT};
    tav::UniqueHMenu normal = LoadTrayMenu(0);
    ASSERT_TRUE(normal);
    for (UINT command : all)
        EXPECT_FALSE(IsGrey(normal.get(), command)) << command;

    tav::UniqueHMenu setup = LoadTrayMenu(1);
    ASSERT_TRUE(setup);
    for (UINT command : all) {
        bool opensWindow = command == IDM_SETUP || command == IDM_OPTIONS || command == IDM_ABOUT;
        EXPECT_EQ(opensWindow, IsGrey(setup.get(), command)) << command;
    }
}

// The menu runs modally inside ShowTrayMenu; the window presses a mnemonic
// while the menu waits for input.  A greyed item's mnemonic closes the menu
// without a command.
std::vector<WORD> CommandsAfterMnemonic(int setupMode, WORD key)
{
    TestWindow window;
    window.MenuKeys = {key};
    ShowTrayMenu(window.get(), setupMode);
    PumpFor(50);
    return window.Commands;
}

TEST(TrayMenu, AChosenItemReachesTheWindowUnlessGreyed)
{
    using Commands = std::vector<WORD>;
    EXPECT_EQ(Commands{IDM_OPTIONS}, CommandsAfterMnemonic(0, 'S'));
    EXPECT_EQ(Commands{IDM_SETUP}, CommandsAfterMnemonic(0, 'L'));
    EXPECT_EQ(Commands{IDM_ABOUT}, CommandsAfterMnemonic(0, 'A'));
    EXPECT_EQ(Commands{IDM_EXIT}, CommandsAfterMnemonic(0, 'X'));

    EXPECT_EQ(Commands{}, CommandsAfterMnemonic(1, 'S'));
    EXPECT_EQ(Commands{}, CommandsAfterMnemonic(1, 'L'));
    EXPECT_EQ(Commands{}, CommandsAfterMnemonic(1, 'A'));
    EXPECT_EQ(Commands{IDM_EXIT}, CommandsAfterMnemonic(1, 'X'));
}

}  // namespace
