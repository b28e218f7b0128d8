/*
 * The hook library against real key presses (SendInput through the
 * low-level hook chain), a real IME input context and the real foreground.
 * A low-level hook of the test's own, installed before the library's, is
 * called after it, so it counts exactly the events the library passes on.
 * The shell does not announce flashing windows under Wine
 * (RegisterShellHookWindow is a stub there), so the tests post the shell's
 * message to the library's window themselves.
 */
#include <windows.h>
#include <imm.h>

#include <cstring>

#include <gtest/gtest.h>

#include "hook/tav_hook.h"
#include "test_window.h"

namespace {

// Pumps until the window has seen count shows, and a while longer to see
// that no more come.
bool ShowsArrive(const TestWindow& window, int count)
{
    PumpUntil([&] { return window.ShowLauncherCount >= count; });
    PumpFor(300);
    return window.ShowLauncherCount == count;
}

int PassedDowns[256];
int PassedUps[256];

LRESULT CALLBACK CountPassedKeys(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        DWORD vk = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->vkCode & 0xFF;
        ++(wParam == WM_KEYUP || wParam == WM_SYSKEYUP ? PassedUps : PassedDowns)[vk];
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class HookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::memset(PassedDowns, 0, sizeof PassedDowns);
        std::memset(PassedUps, 0, sizeof PassedUps);
        counter_ = SetWindowsHookExA(WH_KEYBOARD_LL, CountPassedKeys, GetModuleHandleA(nullptr), 0);
        ASSERT_NE(nullptr, counter_);
    }
    void TearDown() override
    {
        SetKey(0);
        SetForeground(0);
        FreeHook();
        UnhookWindowsHookEx(counter_);
    }

    TestWindow window_;
    HHOOK counter_ = nullptr;
};

TEST_F(HookTest, TheKeyAloneShowsOnceAndIsSwallowedWholeOtherwiseItPassesOn)
{
    SetKey(VK_NONCONVERT);
    SetHook(window_.get());
    PressKey(VK_NONCONVERT);
    EXPECT_TRUE(ShowsArrive(window_, 1));
    // Held: the auto-repeats neither show again nor pass on.
    for (int i = 0; i < 4; ++i)
        SendKey(VK_NONCONVERT, false);
    SendKey(VK_NONCONVERT, true);
    EXPECT_TRUE(ShowsArrive(window_, 2));
    EXPECT_EQ(0, PassedDowns[VK_NONCONVERT]);
    EXPECT_EQ(0, PassedUps[VK_NONCONVERT]);

    PressKey(VK_CONVERT);
    PressKey('A');
    PressKey(VK_NONCONVERT, VK_CONTROL);
    PressKey(VK_NONCONVERT, VK_SHIFT);
    PressKey(VK_NONCONVERT, VK_MENU);
    EXPECT_TRUE(ShowsArrive(window_, 2));
    EXPECT_EQ(1, PassedDowns[VK_CONVERT]);
    EXPECT_EQ(1, PassedDowns['A']);
    EXPECT_EQ(3, PassedDowns[VK_NONCONVERT]);
    EXPECT_EQ(3, PassedUps[VK_NONCONVERT]);

    // ImmSetOpenStatus on the focused window's context is what an IME does
    // when the user opens it; the library sees it through the default IME
    // window, as for other programs.  (Wine's default IME window goes on
    // reporting "open" once a context was opened: this comes last.)
    ASSERT_TRUE(BringToFront(window_.get()));
    HIMC context = ImmGetContext(window_.get());
    ASSERT_TRUE(ImmSetOpenStatus(context, TRUE));
    PressKey(VK_NONCONVERT);
    EXPECT_TRUE(ShowsArrive(window_, 2));
    EXPECT_EQ(4, PassedDowns[VK_NONCONVERT]);
    EXPECT_EQ(4, PassedUps[VK_NONCONVERT]);
    ImmSetOpenStatus(context, FALSE);
    ImmReleaseContext(window_.get(), context);
}

TEST_F(HookTest, DeliveryFollowsSetKeyAndSetHookAndEndsWithFreeHook)
{
    SetKey(VK_NONCONVERT);
    SetHook(window_.get());
    SetKey(0);
    PressKey(VK_NONCONVERT);
    EXPECT_TRUE(ShowsArrive(window_, 0));
    EXPECT_EQ(1, PassedDowns[VK_NONCONVERT]);

    SetKey(VK_CONVERT);
    PressKey(VK_NONCONVERT);
    PressKey(VK_CONVERT);
    EXPECT_TRUE(ShowsArrive(window_, 1));
    EXPECT_EQ(2, PassedDowns[VK_NONCONVERT]);

    // A second SetHook replaces the first: one delivery, to the new window.
    TestWindow other;
    SetHook(other.get());
    PressKey(VK_CONVERT);
    EXPECT_TRUE(ShowsArrive(other, 1));
    EXPECT_EQ(1, window_.ShowLauncherCount);

    // FreeHook leaves no library window, however often SetHook ran, and no hook.
    FreeHook();
    EXPECT_EQ(nullptr, FindWindowA(TAV_HOOK_WINDOW_CLASS, nullptr));
    PressKey(VK_CONVERT);
    EXPECT_TRUE(ShowsArrive(other, 1));
    EXPECT_EQ(1, PassedDowns[VK_CONVERT]);
    // The key outlives it.
    SetHook(window_.get());
    PressKey(VK_CONVERT);
    EXPECT_TRUE(ShowsArrive(window_, 2));
}

TEST_F(HookTest, AFlashingWindowIsActivatedAndRestoredOnlyWhileTheOptionIsOn)
{
    TestWindow flashing;
    HWND launcher = window_.get();
    HWND target = flashing.get();
    // Posts what the shell posts to a shell-hook window, with the launcher in
    // front; returns the foreground window afterwards.
    auto afterNotice = [&](WPARAM code) {
        EXPECT_TRUE(BringToFront(launcher));
        PostMessageA(FindWindowA(TAV_HOOK_WINDOW_CLASS, nullptr), RegisterWindowMessageA("SHELLHOOK"),
                     code, reinterpret_cast<LPARAM>(target));
        PumpUntil([&] { return GetForegroundWindow() == target && !IsIconic(target); }, 300);
        return GetForegroundWindow();
    };
    SetForeground(1);  // before SetHook, as at start-up
    SetHook(launcher);
    EXPECT_EQ(target, afterNotice(HSHELL_FLASH));
    ShowWindow(target, SW_MINIMIZE);
    EXPECT_EQ(target, afterNotice(HSHELL_FLASH));
    EXPECT_FALSE(IsIconic(target));

    SetForeground(0);
    EXPECT_EQ(launcher, afterNotice(HSHELL_FLASH));
    SetForeground(1);
    EXPECT_EQ(launcher, afterNotice(HSHELL_REDRAW));
    ShowWindow(target, SW_HIDE);
    EXPECT_EQ(launcher, afterNotice(HSHELL_FLASH));
    ShowWindow(target, SW_SHOW);
    EXPECT_EQ(target, afterNotice(HSHELL_FLASH));
}

}  // namespace
