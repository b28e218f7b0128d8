/*
 * The hook library against real key presses (SendInput through the
 * low-level hook chain), a real IME input context and the real foreground.
 * A KeyWatch, installed before the library's hook, is called after it, so it
 * counts exactly the events the library passes on; it runs on a thread of
 * its own, so it goes on counting while the test's thread, which stands for
 * the launcher's, is blocked.  The shell does not announce flashing windows
 * under Wine (RegisterShellHookWindow is a stub there), so the tests post the
 * shell's message to the library's window themselves.
 */
#include <windows.h>
#include <imm.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "hook/tav_hook.h"
#include "key_watch.h"
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

// Set when the library's thread takes the marker from its queue.
std::atomic<bool> MarkerTaken{false};
UINT MarkerMessage;

LRESULT CALLBACK WatchLibraryQueue(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE
        && reinterpret_cast<const MSG*>(lParam)->message == MarkerMessage)
        MarkerTaken = true;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Posts what the shell posts to a shell-hook window, and returns once the
// library's thread has handled it: a marker posted after the notice leaves
// that thread's queue only when the notice's handler has returned.
bool PostShellNotice(WPARAM code, HWND window)
{
    HWND library = FindWindowA(TAV_HOOK_WINDOW_CLASS, nullptr);
    MarkerMessage = RegisterWindowMessageA("TavTestMarker");
    HHOOK watch = SetWindowsHookExA(WH_GETMESSAGE, WatchLibraryQueue, nullptr,
                                    GetWindowThreadProcessId(library, nullptr));
    MarkerTaken = false;
    PostMessageA(library, RegisterWindowMessageA("SHELLHOOK"), code, reinterpret_cast<LPARAM>(window));
    PostMessageA(library, MarkerMessage, 0, 0);
    bool handled = watch != nullptr && PumpUntil([] { return MarkerTaken.load(); }, 10000);
    UnhookWindowsHookEx(watch);
    return handled;
}

class HookTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(watch_.Installed()); }
    void TearDown() override
    {
        SetKey(0);
        SetForeground(0);
        FreeHook();
    }

    KeyWatch watch_;
    TestWindow window_;
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
    EXPECT_EQ(0, watch_.Downs(VK_NONCONVERT));
    EXPECT_EQ(0, watch_.Ups(VK_NONCONVERT));

    DeliverHeldKeys();  // as the shown launcher does: the capture ends
    PressKey(VK_CONVERT);
    PressKey('A');
    PressKey(VK_NONCONVERT, VK_CONTROL);
    PressKey(VK_NONCONVERT, VK_SHIFT);
    PressKey(VK_NONCONVERT, VK_MENU);
    EXPECT_TRUE(ShowsArrive(window_, 2));
    EXPECT_EQ(1, watch_.Downs(VK_CONVERT));
    EXPECT_EQ(1, watch_.Downs('A'));
    EXPECT_EQ(3, watch_.Downs(VK_NONCONVERT));
    EXPECT_EQ(3, watch_.Ups(VK_NONCONVERT));

    // ImmSetOpenStatus on the focused window's context is what an IME does
    // when the user opens it; the library sees it through the default IME
    // window, as for other programs.  Wine's IME stays "open" for the rest of
    // the thread's life: a thread of its own keeps it from the later tests.
    std::thread([this] {
        TestWindow front;
        ASSERT_TRUE(BringToFront(front.get()));
        HIMC context = ImmGetContext(front.get());
        ASSERT_TRUE(ImmSetOpenStatus(context, TRUE));
        PressKey(VK_NONCONVERT);
        PumpFor(300);
        EXPECT_EQ(4, watch_.Downs(VK_NONCONVERT));
        EXPECT_EQ(4, watch_.Ups(VK_NONCONVERT));
        ImmSetOpenStatus(context, FALSE);
        ImmReleaseContext(front.get(), context);
    }).join();
    EXPECT_TRUE(ShowsArrive(window_, 2));
}

TEST_F(HookTest, DeliveryFollowsSetKeyAndSetHookAndEndsWithFreeHook)
{
    SetKey(VK_NONCONVERT);
    SetHook(window_.get());
    SetKey(0);
    PressKey(VK_NONCONVERT);
    EXPECT_TRUE(ShowsArrive(window_, 0));
    EXPECT_EQ(1, watch_.Downs(VK_NONCONVERT));

    SetKey(VK_CONVERT);
    PressKey(VK_NONCONVERT);
    PressKey(VK_CONVERT);
    EXPECT_TRUE(ShowsArrive(window_, 1));
    EXPECT_EQ(2, watch_.Downs(VK_NONCONVERT));

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
    EXPECT_EQ(1, watch_.Downs(VK_CONVERT));
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
    // The notice with the launcher in front: once the library has handled
    // it, whether the expected window comes to the front, not minimized (the
    // restore is posted to this thread, and the activation may follow it).
    auto inFrontAfterNotice = [&](WPARAM code, HWND expected) {
        EXPECT_TRUE(BringToFront(launcher));
        EXPECT_TRUE(PostShellNotice(code, target));
        return PumpUntil([&] { return GetForegroundWindow() == expected && !IsIconic(expected); }, 5000);
    };
    SetForeground(1);  // before SetHook, as at start-up
    SetHook(launcher);
    EXPECT_TRUE(inFrontAfterNotice(HSHELL_FLASH, target));
    ShowWindow(target, SW_MINIMIZE);
    EXPECT_TRUE(inFrontAfterNotice(HSHELL_FLASH, target));

    SetForeground(0);
    EXPECT_TRUE(inFrontAfterNotice(HSHELL_FLASH, launcher));
    SetForeground(1);
    EXPECT_TRUE(inFrontAfterNotice(HSHELL_REDRAW, launcher));
    ShowWindow(target, SW_HIDE);
    EXPECT_TRUE(inFrontAfterNotice(HSHELL_FLASH, launcher));
    ShowWindow(target, SW_SHOW);
    EXPECT_TRUE(inFrontAfterNotice(HSHELL_FLASH, target));
}

// Auto-repeats follow a press after the keyboard's repeat delay (setting 0:
// about 250 ms, 3: about 1 s) and then each other faster.  A key-down after
// a longer pause follows a release that the library never saw (another
// program's hook ate it, the secure desktop took the keyboard): a new press.
// The events carry their own time stamps, as the keyboard gives them.
TEST_F(HookTest, AKeyDownAfterALostReleaseIsANewPressRepeatsAreNot)
{
    // The system's setting as it was, whatever way the test ends.
    struct SavedDelay {
        int Setting = 1;
        SavedDelay() { SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &Setting, 0); }
        ~SavedDelay() { SystemParametersInfoA(SPI_SETKEYBOARDDELAY, Setting, nullptr, 0); }
    } saved;
    struct {
        int delaySetting;
        std::vector<DWORD> gaps;  // between the key-downs, in ms; no release between
        int shows;
    } const rows[] = {
        {0, {250, 33, 33}, 1},
        {0, {700}, 2},
        {3, {1000, 33}, 1},
        {3, {700}, 1},
        {3, {1300}, 2},
        {1, {2000, 33, 500}, 2},
    };
    SetKey(VK_NONCONVERT);
    SetHook(window_.get());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.delaySetting * 10000 + row.gaps[0]);
        ASSERT_TRUE(SystemParametersInfoA(SPI_SETKEYBOARDDELAY, row.delaySetting, nullptr, 0));
        int shows = window_.ShowLauncherCount + row.shows;
        DWORD time = GetTickCount();
        SendKeyAt(VK_NONCONVERT, false, time);
        for (DWORD gap : row.gaps)
            SendKeyAt(VK_NONCONVERT, false, time += gap);
        SendKeyAt(VK_NONCONVERT, true, time + 20);
        EXPECT_TRUE(ShowsArrive(window_, shows));
    }
    EXPECT_EQ(0, watch_.Downs(VK_NONCONVERT));
    EXPECT_EQ(0, watch_.Ups(VK_NONCONVERT));
}

// A burst typed faster than the launcher shows: the keys after the launcher
// key wait in the library, in order, until the launcher takes them, and
// reach nobody else.  Keys with Ctrl and the release of a key pressed
// before the launcher key pass on.
TEST_F(HookTest, KeysTypedAfterTheLauncherKeyWaitInOrderForTheLauncher)
{
    SetKey(VK_NONCONVERT);
    SetHook(window_.get());
    SendKey('Q', false);
    PressKey(VK_NONCONVERT);
    PressKey('S');
    SendKey('Q', true);
    PressKey('1', VK_SHIFT);
    PressKey('C', VK_CONTROL);
    PumpFor(200);
    EXPECT_EQ(1, window_.ShowLauncherCount);
    EXPECT_TRUE(window_.HeldKeys.empty());
    EXPECT_EQ(0, watch_.Downs('S') + watch_.Ups('S') + watch_.Downs('1') + watch_.Ups('1'));
    EXPECT_EQ(1, watch_.Ups('Q'));
    EXPECT_EQ(1, watch_.Downs('C'));
    DeliverHeldKeys();
    PumpFor(0);
    EXPECT_EQ((std::vector<int>{'S', -'S', '1', -'1'}), window_.HeldKeys);
}

// In hot-key mode the hot key itself passes on (the system makes WM_HOTKEY
// of it) and starts the capture only with exactly its modifiers.  A capture
// that nobody ends gives up its keys by itself within about a second.
TEST_F(HookTest, AHotKeyStartsACaptureThatEndsByItself)
{
    SetCaptureKey('T', MOD_CONTROL | MOD_SHIFT);
    SetHook(window_.get());
    PressKey('T', VK_CONTROL);
    PressKey('S');
    SendKey(VK_CONTROL, false);
    PressKey('T', VK_SHIFT);
    SendKey(VK_CONTROL, true);
    PressKey('S');
    EXPECT_EQ(2, watch_.Downs('T'));
    EXPECT_EQ(1, watch_.Downs('S'));
    EXPECT_TRUE(PumpUntil([&] { return window_.HeldKeys.size() == 2; }, 3000));
    EXPECT_EQ((std::vector<int>{'S', -'S'}), window_.HeldKeys);
    PressKey('S');
    EXPECT_EQ(2, watch_.Downs('S'));
}

// The system removes a hook that missed its time-out and says nothing:
// input that the hook does not see brings it back.
TEST_F(HookTest, AHookRemovedBehindTheLibrarysBackComesBack)
{
    SetKey(VK_NONCONVERT);
    SetHook(window_.get());
    TestSeamDropHook();
    PressKey(VK_NONCONVERT);
    PumpFor(100);
    EXPECT_EQ(1, watch_.Downs(VK_NONCONVERT));
    EXPECT_TRUE(PumpUntil([&] {
        PressKey(VK_NONCONVERT);
        PumpFor(250);
        return window_.ShowLauncherCount > 0;
    }, 10000));
}

// This thread stands for the launcher's, blocked as by a slow
// ShellExecuteExA, a modal loop or the pause after the tray menu.  The
// launcher key comes first: it is swallowed at once and shows the launcher
// when the thread runs its messages again, and once the launcher took the
// keys typed after it, keys reach the next hook at once.  (The bound is
// loose on purpose, for a loaded machine;
// a hook on this thread, or one that sent its message, would hold them for
// the whole block.  scripts/bench.sh hook measures it.)
TEST_F(HookTest, KeysGoOnWhileTheLaunchersThreadIsBlocked)
{
    SetKey(VK_NONCONVERT);
    SetHook(window_.get());
    PressKey(VK_NONCONVERT);
    // What the launcher does once shown: keys after this pass on.
    DeliverHeldKeys();
    std::vector<double> times = watch_.DeliverWhileBlocked('A', 10, 1500, true);
    ASSERT_EQ(20u, times.size());
    for (double ms : times) {
        EXPECT_GE(ms, 0) << "not delivered within 500 ms";
        EXPECT_LT(ms, 250);
    }
    std::sort(times.begin(), times.end());
    std::printf("key delivery while the launcher's thread is blocked: median %.2f ms, slowest %.2f ms\n",
                times[times.size() / 2], times.back());
    EXPECT_TRUE(ShowsArrive(window_, 1));
    EXPECT_EQ(0, watch_.Downs(VK_NONCONVERT));
}

}  // namespace
