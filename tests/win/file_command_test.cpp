/*
 * The tray's settings-file commands inside the running launcher window:
 * their dialogs run nested message loops in which the tray menu still
 * works.  Exit chosen meanwhile must wait for the dialog, and a second file
 * command must not start over the first.
 */
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "core/launcher_window.h"
#include "base/optional_apis.h"
#include "res/resource.h"
#include "scratch_registry.h"
#include "store/settings.h"

namespace {

HWND Launcher_;
int DialogsSeen;
bool LauncherAliveUnderDialog;

// Finds a visible common dialog of this thread that was not seen before.
BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    char name[16];
    GetClassNameA(window, name, sizeof name);
    if (IsWindowVisible(window) && std::string(name) == "#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Runs inside the save dialog's loop: the first tick chooses exit and a
// second export from the launcher, as the tray menu would; the next tick
// looks at the outcome and cancels the dialog.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    if (++DialogsSeen == 1) {
        PostMessageA(Launcher_, WM_COMMAND, IDM_EXIT, 0);
        PostMessageA(Launcher_, WM_COMMAND, IDM_EXPORT, 0);
        return;
    }
    LauncherAliveUnderDialog = IsWindow(Launcher_) != FALSE;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

class FileCommandTest : public RegistryTest {};

TEST_F(FileCommandTest, ExitDuringAFileDialogWaitsForItAndASecondCommandDoesNotStart)
{
    LoadOptionalApis();
    LoadSettings(&Launcher);
    Launcher_ = LauncherWindow = CreateLauncherWindow(&Launcher);
    ASSERT_NE(nullptr, Launcher_);

    UINT_PTR timer = SetTimer(nullptr, 0, 100, Tick);
    SendMessageA(Launcher_, WM_COMMAND, IDM_EXPORT, 0);
    KillTimer(nullptr, timer);

    EXPECT_TRUE(LauncherAliveUnderDialog) << "exit must not destroy the dialog's owner";
    EXPECT_EQ(2, DialogsSeen) << "one dialog, seen on two ticks; no second dialog";
    EXPECT_FALSE(IsWindow(Launcher_)) << "the exit chosen meanwhile happens afterwards";
    MSG message;
    bool quit = false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        quit = quit || message.message == WM_QUIT;
    EXPECT_TRUE(quit);
    FreeOptionalApis();
}

}  // namespace
