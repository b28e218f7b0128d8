/*
 * The hook library against real key presses (SendInput through the
 * low-level hook chain), a real IME input context and the real foreground.
 *
 * What cannot be reached here: the shell does not announce flashing windows
 * under Wine (RegisterShellHookWindow is a stub there), so the tests hand the
 * library's window the shell's message themselves.
 */
#include <windows.h>
#include <imm.h>

#include <gtest/gtest.h>

#include "core/messages.h"
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
    KeyObserver observer_;  // installed before the library's hook: sees what it passes on
};

TEST_F(HookTest, APressOfTheKeyAloneShowsTheLauncherAndIsSwallowed)
{
    SetKey(VK_NONCONVERT);
    SetHook(window_.get());
    PressKey(VK_NONCONVERT);
    EXPECT_TRUE(ShowsArrive(1));
    PressKey(VK_NONCONVERT);
    EXPECT_TRUE(ShowsArrive(2));
    EXPECT_EQ(0, observer_.Downs(VK_NONCONVERT));
    EXPECT_EQ(0, observer_.Ups(VK_NONCONVERT));
}

TEST_F(HookTest, AHeldKeyShowsOnceAndItsRepeatsAndReleaseAreSwallowed)
{
    SetKey(VK_CONVERT);
    SetHook(window_.get());
    for (int i = 0; i < 4; ++i)
        SendKey(VK_CONVERT, false);
    SendKey(VK_CONVERT, true);
    EXPECT_TRUE(ShowsArrive(1));
    EXPECT_EQ(0, observer_.Downs(VK_CONVERT));
    EXPECT_EQ(0, observer_.Ups(VK_CONVERT));
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

TEST_F(HookTest, FreeHookRemovesEverythingAndKeepsTheKey)
{
    SetKey(VK_NONCONVERT);
    SetHook(window_.get());
    ASSERT_NE(nullptr, FindWindowA(TAV_HOOK_WINDOW_CLASS, nullptr));
    FreeHook();
    EXPECT_EQ(nullptr, FindWindowA(TAV_HOOK_WINDOW_CLASS, nullptr));
    PressKey(VK_NONCONVERT);
    EXPECT_TRUE(ShowsArrive(0));
    EXPECT_EQ(1, observer_.Downs(VK_NONCONVERT));

    // The key set before is still there for the next SetHook.
    SetHook(window_.get());
    PressKey(VK_NONCONVERT);
    EXPECT_TRUE(ShowsArrive(1));
}

TEST_F(HookTest, ASecondSetHookReplacesTheFirst)
{
    TestWindow other;
    SetKey(VK_NONCONVERT);
    SetHook(other.get());
    SetHook(window_.get());
    PressKey(VK_NONCONVERT);
    EXPECT_TRUE(ShowsArrive(1));
    EXPECT_EQ(0, other.ShowLauncherCount);
}

// ImmSetOpenStatus on the focused window's own context is what an IME does
// when the user opens it; the library must see it through the default IME
// window, as it does for other programs.  (Wine's default IME window goes on
// reporting "open" once a context was opened, so the way back to closed is
// not observable here.)
TEST_F(HookTest, TheKeyIsLeftToAnOpenIme)
{
    ASSERT_TRUE(BringToFront(window_.get()));
    SetKey(VK_NONCONVERT);
    SetHook(window_.get());
    PressKey(VK_NONCONVERT);
    ASSERT_TRUE(ShowsArrive(1));

    HIMC context = ImmGetContext(window_.get());
    ASSERT_NE(nullptr, context);
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
    // What the shell posts to a shell-hook window when target flashes.
    void AnnounceFlash(HWND target)
    {
        HWND library = FindWindowA(TAV_HOOK_WINDOW_CLASS, nullptr);
        ASSERT_NE(nullptr, library);
        PostMessageA(library, RegisterWindowMessageA("SHELLHOOK"), HSHELL_FLASH,
                     reinterpret_cast<LPARAM>(target));
        PumpFor(200);
    }

    TestWindow flashing_;
};

TEST_F(FlashTest, AFlashingWindowIsActivatedWhileTheOptionIsOn)
{
    SetForeground(1);  // before SetHook, as at start-up
    SetHook(window_.get());
    ASSERT_TRUE(BringToFront(window_.get()));
    AnnounceFlash(flashing_.get());
    EXPECT_EQ(flashing_.get(), GetForegroundWindow());

    // A minimised one is restored as well.
    ASSERT_TRUE(BringToFront(window_.get()));
    ShowWindow(flashing_.get(), SW_MINIMIZE);
    AnnounceFlash(flashing_.get());
    PumpUntil([&] { return !IsIconic(flashing_.get()); }, 1000);
    EXPECT_FALSE(IsIconic(flashing_.get()));
    EXPECT_EQ(flashing_.get(), GetForegroundWindow());
}

TEST_F(FlashTest, NothingIsActivatedWhileTheOptionIsOffOrTheWindowHidden)
{
    SetHook(window_.get());
    ASSERT_TRUE(BringToFront(window_.get()));
    AnnounceFlash(flashing_.get());
    EXPECT_EQ(window_.get(), GetForegroundWindow());

    SetForeground(1);
    ShowWindow(flashing_.get(), SW_HIDE);
    AnnounceFlash(flashing_.get());
    EXPECT_EQ(window_.get(), GetForegroundWindow());

    // Other shell notifications are not flashes.
    ShowWindow(flashing_.get(), SW_SHOWNOACTIVATE);
    HWND library = FindWindowA(TAV_HOOK_WINDOW_CLASS, nullptr);
    PostMessageA(library, RegisterWindowMessageA("SHELLHOOK"), HSHELL_REDRAW,
                 reinterpret_cast<LPARAM>(flashing_.get()));
    PumpFor(200);
    EXPECT_EQ(window_.get(), GetForegroundWindow());
}

}  // namespace
