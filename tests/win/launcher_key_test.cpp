/*
 * The launcher key against the real hot-key table, the real global atom
 * table and the hook library: a hot key is proven registered by another
 * window failing to register the same key (and by a real press reaching
 * WM_HOTKEY), a library key by a real press reaching UM_SHOWLAUNCHER.
 */
#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

#include "core/launcher_key.h"
#include "hook/tav_hook.h"
#include "scratch_registry.h"
#include "store/settings.h"
#include "test_window.h"

namespace {

TEST(LauncherKeyMode, OnlyTheImeKeysAloneWithTheWatchOnGoToTheLibrary)
{
    // OpenHotKey, OpenHotKeyEx, CheckIME, library mode
    const int cases[][4] = {
        {VK_NONCONVERT, 0, 1, 1},         {VK_CONVERT, 0, 1, 1},
        {VK_NONCONVERT, 0, 0, 0},         {VK_NONCONVERT, 0, 2, 0},
        {VK_CONVERT, MOD_CONTROL, 1, 0},  {VK_NONCONVERT, MOD_SHIFT, 1, 0},
        {VK_F9, 0, 1, 0},
    };
    for (const auto& c : cases) {
        LauncherState state = {};
        state.OpenHotKey = c[0];
        state.OpenHotKeyEx = c[1];
        state.CheckIME = c[2];
        EXPECT_EQ(c[3], IsLibraryKeyMode(&state)) << c[0] << " " << c[1] << " " << c[2];
    }
}

class LauncherKeyTest : public RegistryTest {
protected:
    void SetUp() override
    {
        LoadSettings(&state_);
        SetHook(window_.get());
    }
    void TearDown() override
    {
        ReleaseLauncherKey(atom_, window_.get(), &state_);
        FreeHook();
    }

    // 1 when a hot key (vk, modifiers) is free: another window may take it.
    int HotKeyIsFree(int vk, int modifiers)
    {
        if (!RegisterHotKey(other_.get(), 1, modifiers, vk))
            return 0;
        UnregisterHotKey(other_.get(), 1);
        return 1;
    }

    void UseHotKeyMode(int vk, int modifiers, int checkIme = 0)
    {
        state_.OpenHotKey = vk;
        state_.OpenHotKeyEx = modifiers;
        state_.CheckIME = checkIme;
    }

    int ShowsAfterPress(WORD vk)
    {
        int before = window_.ShowLauncherCount;
        PressKey(vk);
        PumpFor(300);
        return window_.ShowLauncherCount - before;
    }

    LauncherState state_ = {};
    TestWindow window_;
    TestWindow other_;
    ATOM atom_ = 0;
};

// By default 無変換 goes to the library: no hot key, no atom.  Without the
// IME watch it is a hot key, and so is 変換 with Ctrl even with the watch
// on, with exactly their modifiers, its id the global atom "Tav".  A
// registration over one still held, and a release, free either kind, and the
// atom's reference count returns to where it was (another holder keeps it).
TEST_F(LauncherKeyTest, EachModeHoldsItsKindOfKeyUntilReleased)
{
    ATOM held = GlobalAddAtomA("Tav");
    ASSERT_NE(0, held);
    const int cases[][4] = {  // OpenHotKey, OpenHotKeyEx, CheckIME, library mode
        {VK_NONCONVERT, 0, 1, 1}, {VK_NONCONVERT, 0, 0, 0}, {VK_CONVERT, MOD_CONTROL, 1, 0}};
    ASSERT_EQ(VK_NONCONVERT, state_.OpenHotKey);
    ASSERT_EQ(1, state_.CheckIME);
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0] + c[2]);
        UseHotKeyMode(c[0], c[1], c[2]);
        atom_ = RegisterLauncherKey(0, window_.get(), &state_);
        atom_ = RegisterLauncherKey(atom_, window_.get(), &state_);
        EXPECT_EQ(c[3] ? 0 : held, atom_);
        EXPECT_EQ(c[3], HotKeyIsFree(c[0], c[1]));
        EXPECT_EQ(1, HotKeyIsFree(c[0], c[1] ^ MOD_CONTROL));
        if (c[1] == 0) {
            // A press shows through the library, or reaches the window as
            // WM_HOTKEY with the atom.
            window_.HotKeyIds.clear();
            EXPECT_EQ(c[3], ShowsAfterPress(c[0]));
            EXPECT_EQ(c[3] ? std::vector<WPARAM>{} : std::vector<WPARAM>{atom_}, window_.HotKeyIds);
        }

        atom_ = ReleaseLauncherKey(atom_, window_.get(), &state_);
        EXPECT_EQ(1, HotKeyIsFree(c[0], c[1]));
        EXPECT_EQ(0, ShowsAfterPress(c[0]));
    }
    GlobalDeleteAtom(held);
    EXPECT_EQ(0, GlobalFindAtomA("Tav"));
}

// Switching modes releases in whatever settings hold by then: an INI import
// changes them without a release, so a release must free what the earlier
// settings registered, and leave nothing of the earlier mode.
TEST_F(LauncherKeyTest, AReleaseFreesTheEarlierModesKeyWhateverTheSettingsSayNow)
{
    UseHotKeyMode(VK_F9, MOD_CONTROL);
    atom_ = RegisterLauncherKey(0, window_.get(), &state_);
    LoadSettings(&state_);  // imported: library mode
    atom_ = ReleaseLauncherKey(atom_, window_.get(), &state_);
    EXPECT_EQ(1, HotKeyIsFree(VK_F9, MOD_CONTROL));
    EXPECT_EQ(0, GlobalFindAtomA("Tav"));

    atom_ = RegisterLauncherKey(atom_, window_.get(), &state_);
    EXPECT_EQ(0, atom_);
    EXPECT_EQ(1, ShowsAfterPress(VK_NONCONVERT));
    UseHotKeyMode(VK_F9, MOD_CONTROL);  // imported: hot-key mode
    atom_ = ReleaseLauncherKey(atom_, window_.get(), &state_);
    EXPECT_EQ(0, ShowsAfterPress(VK_NONCONVERT));

    atom_ = RegisterLauncherKey(atom_, window_.get(), &state_);
    EXPECT_EQ(0, HotKeyIsFree(VK_F9, MOD_CONTROL));
    EXPECT_EQ(0, ShowsAfterPress(VK_NONCONVERT));
}

}  // namespace
