/*
 * The hook library against real key presses (SendInput through the
 * low-level hook chain), a real IME input context and the real foreground.
 * The shell does not announce flashing windows under Wine
 * (RegisterShellHookWindow is a stub there), so the tests post the shell's
 * message to the library's window themselves.
 */
#include <windows.h>
#include <imm.h>

#include <gtest/gtest.h>

#include "hook/tav_hook.h"
#include "test_window.h"

namespace {

class HookTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetKey(0);
        SetForeground(0);
        FreeHook();
    }

    // Pumps until the window has seen count shows, and a while longer to
    // see that no more come.
    bool ShowsArrive(int count)
    {
        PumpUntil([&] { return window_.ShowLauncherCount >= count; });
        PumpFor(300);
        return window_.ShowLauncherCount == count;
    }

    TestWindow window_;
    KeyObserver observer_;  // installed before the library's hook
};

TEST_F(HookTest, EachPressOfTheKeyAloneShowsOnceAndIsSwallowedWhole)
{
    SetKey(VK_NONCONVERT);
    SetHook(window_.get());
    PressKey(VK_NONCONVERT);
    EXPECT_TRUE(ShowsArrive(1));
    // Held: the auto-repeats neither show again nor pass on.
    for (int i = 0; i < 4; ++i)
        SendKey(VK_NONCONVERT, false);
    SendKey(VK_NONCONVERT, true);
    EXPECT_TRUE(ShowsArrive(2));
    EXPECT_EQ(0, observer_.Downs(VK_NONCONVERT));
    EXPECT_EQ(0, observer_.Ups(VK_NONCONVERT));
}

TEST_F(HookTest, OtherKeysAndTheKeyWithAModifierPassOn)
{
    SetKey(VK_NONCONVERT);
    SetHook(window_.get());
    PressKey(VK_CONVERT);
    PressKey('A');
    PressKeyWith(VK_CONTROL, VK_NONCONVERT);
    PressKeyWith(VK_SHIFT, VK_NONCONVERT);
    PressKeyWith(VK_MENU, VK_NONCONVERT);
    EXPECT_TRUE(ShowsArrive(0));
    EXPECT_EQ(1, observer_.Downs(VK_CONVERT));
    EXPECT_EQ(1, observer_.Downs('A'));
    EXPECT_EQ(3, observer_.Downs(VK_NONCONVERT));
    EXPECT_EQ(3, observer_.Ups(VK_NONCONVERT));
}

TEST_F(HookTest, SetKeyZeroStopsDeliveryAndANewKeyResumesIt)
{
    SetKey(VK_NONCONVERT);
    SetHook(window_.get());
    SetKey(0);
    PressKey(VK_NONCONVERT);
    EXPECT_TRUE(ShowsArrive(0));
    EXPECT_EQ(1, observer_.Downs(VK_NONCONVERT));

    SetKey(VK_CONVERT);
    PressKey(VK_NONCONVERT);
    PressKey(VK_CONVERT);
    EXPECT_TRUE(ShowsArrive(1));
    EXPECT_EQ(2, observer_.Downs(VK_NONCONVERT));
}

TEST_F(HookTest, FreeHookRemovesEverythingAndKeepsTheKeyForTheNextSetHook)
{
    SetKey(VK_NONCONVERT);
    SetHook(window_.get());
    ASSERT_NE(nullptr, FindWindowA(TAV_HOOK_WINDOW_CLASS, nullptr));
    FreeHook();
    EXPECT_EQ(nullptr, FindWindowA(TAV_HOOK_WINDOW_CLASS, nullptr));
    PressKey(VK_NONCONVERT);
    EXPECT_TRUE(ShowsArrive(0));
    EXPECT_EQ(1, observer_.Downs(VK_NONCONVERT));

    // A second SetHook replaces the first: one delivery, to the new window.
    TestWindow other;
    SetHook(other.get());
    SetHook(window_.get());
    PressKey(VK_NONCONVERT);
    EXPECT_TRUE(ShowsArrive(1));
    EXPECT_EQ(0, other.ShowLauncherCount);
}

// ImmSetOpenStatus on the focused window's context is what an IME does when
// the user opens it; the library sees it through the default IME window, as
// for other programs.  (Wine's default IME window goes on reporting "open"
// once a context was opened, so the way back is not observable here.)
TEST_F(HookTest, TheKeyIsLeftToAnOpenIme)
{
    ASSERT_TRUE(BringToFront(window_.get()));
    SetKey(VK_NONCONVERT);
    SetHook(window_.get());
    PressKey(VK_NONCONVERT);
    ASSERT_TRUE(ShowsArrive(1));

    HIMC context = ImmGetContext(window_.get());
    ASSERT_TRUE(ImmSetOpenStatus(context, TRUE));
    PressKey(VK_NONCONVERT);
    EXPECT_TRUE(ShowsArrive(1));
    EXPECT_EQ(1, observer_.Downs(VK_NONCONVERT));
    EXPECT_EQ(1, observer_.Ups(VK_NONCONVERT));
    ImmSetOpenStatus(context, FALSE);
    ImmReleaseContext(window_.get(), context);
}

class FlashTest : public HookTest {
protected:
    // Posts what the shell posts to a shell-hook window; returns the
    // foreground window afterwards.
    HWND AfterShellNotice(WPARAM code, HWND target)
    {
        PostMessageA(FindWindowA(TAV_HOOK_WINDOW_CLASS, nullptr),
                     RegisterWindowMessageA("SHELLHOOK"), code, reinterpret_cast<LPARAM>(target));
        PumpUntil([target] { return GetForegroundWindow() == target && !IsIconic(target); }, 300);
        return GetForegroundWindow();
    }

    TestWindow flashing_;
};

TEST_F(FlashTest, AFlashingWindowIsActivatedAndRestoredWhileTheOptionIsOn)
{
    SetForeground(1);  // before SetHook, as at start-up
    SetHook(window_.get());
    ASSERT_TRUE(BringToFront(window_.get()));
    EXPECT_EQ(flashing_.get(), AfterShellNotice(HSHELL_FLASH, flashing_.get()));

    ASSERT_TRUE(BringToFront(window_.get()));
    ShowWindow(flashing_.get(), SW_MINIMIZE);
    EXPECT_EQ(flashing_.get(), AfterShellNotice(HSHELL_FLASH, flashing_.get()));
    EXPECT_FALSE(IsIconic(flashing_.get()));
}

TEST_F(FlashTest, NothingIsActivatedWithTheOptionOffForHiddenWindowsOrOtherNotices)
{
    SetHook(window_.get());
    ASSERT_TRUE(BringToFront(window_.get()));
    EXPECT_EQ(window_.get(), AfterShellNotice(HSHELL_FLASH, flashing_.get()));

    SetForeground(1);
    EXPECT_EQ(window_.get(), AfterShellNotice(HSHELL_REDRAW, flashing_.get()));
    ShowWindow(flashing_.get(), SW_HIDE);
    EXPECT_EQ(window_.get(), AfterShellNotice(HSHELL_FLASH, flashing_.get()));
}

}  // namespace
