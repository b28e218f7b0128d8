/*
 * The launcher key against the real hot-key table, the real global atom
 * table and the hook library: a hot key is proven registered by another
 * window failing to register the same key (and by a real press reaching
 * WM_HOTKEY), a library key by a real press reaching UM_SHOWLAUNCHER.
 */
#include <windows.h>

#include <gtest/gtest.h>

#include "core/launcher_key.h"
#include "hook/tav_hook.h"
#include "scratch_registry.h"
#include "store/settings.h"
#include "test_window.h"

namespace {

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

    void UseHotKeyMode(int vk, int modifiers)
    {
        state_.OpenHotKey = vk;
        state_.OpenHotKeyEx = modifiers;
        state_.CheckIME = 0;
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

TEST_F(LauncherKeyTest, DefaultSettingsHandNonconvertToTheLibrary)
{
    ASSERT_EQ(VK_NONCONVERT, state_.OpenHotKey);
    atom_ = RegisterLauncherKey(0, window_.get(), &state_);
    EXPECT_EQ(0, atom_);
    EXPECT_EQ(0, GlobalFindAtomA("Tav"));
    EXPECT_EQ(1, HotKeyIsFree(VK_NONCONVERT, 0));
    EXPECT_EQ(1, ShowsAfterPress(VK_NONCONVERT));

    EXPECT_EQ(0, ReleaseLauncherKey(atom_, window_.get(), &state_));
    EXPECT_EQ(0, ShowsAfterPress(VK_NONCONVERT));
}

TEST_F(LauncherKeyTest, NonconvertWithoutTheImeWatchIsAHotKeyWithoutModifiers)
{
    state_.CheckIME = 0;
    atom_ = RegisterLauncherKey(0, window_.get(), &state_);
    ASSERT_NE(0, atom_);
    EXPECT_EQ(atom_, GlobalFindAtomA("Tav"));
    EXPECT_EQ(0, HotKeyIsFree(VK_NONCONVERT, 0));
    EXPECT_EQ(1, HotKeyIsFree(VK_NONCONVERT, MOD_CONTROL));
    // A press reaches the window as WM_HOTKEY with the atom, not through the library.
    EXPECT_EQ(0, ShowsAfterPress(VK_NONCONVERT));
    ASSERT_EQ(1u, window_.HotKeyIds.size());
    EXPECT_EQ(atom_, window_.HotKeyIds[0]);

    EXPECT_EQ(0, ReleaseLauncherKey(atom_, window_.get(), &state_));
    EXPECT_EQ(0, GlobalFindAtomA("Tav"));
    EXPECT_EQ(1, HotKeyIsFree(VK_NONCONVERT, 0));
}

TEST_F(LauncherKeyTest, ConvertWithCtrlIsAHotKeyEvenWithTheImeWatchOn)
{
    state_.OpenHotKey = VK_CONVERT;
    state_.OpenHotKeyEx = MOD_CONTROL;
    ASSERT_EQ(1, state_.CheckIME);
    atom_ = RegisterLauncherKey(0, window_.get(), &state_);
    ASSERT_NE(0, atom_);
    EXPECT_EQ(0, HotKeyIsFree(VK_CONVERT, MOD_CONTROL));
    EXPECT_EQ(1, HotKeyIsFree(VK_CONVERT, 0));
    ReleaseLauncherKey(atom_, window_.get(), &state_);
    EXPECT_EQ(1, HotKeyIsFree(VK_CONVERT, MOD_CONTROL));
}

TEST_F(LauncherKeyTest, TheAtomsReferenceCountReturnsToWhereItWas)
{
    ATOM held = GlobalAddAtomA("Tav");  // another holder of the name
    ASSERT_NE(0, held);
    UseHotKeyMode(VK_F9, MOD_ALT);
    for (int i = 0; i < 3; ++i) {
        atom_ = RegisterLauncherKey(0, window_.get(), &state_);
        EXPECT_EQ(held, atom_);
        atom_ = ReleaseLauncherKey(atom_, window_.get(), &state_);
        EXPECT_EQ(held, GlobalFindAtomA("Tav"));
    }
    // A registration over one still held releases that one first.
    atom_ = RegisterLauncherKey(0, window_.get(), &state_);
    atom_ = RegisterLauncherKey(atom_, window_.get(), &state_);
    atom_ = ReleaseLauncherKey(atom_, window_.get(), &state_);
    EXPECT_EQ(1, HotKeyIsFree(VK_F9, MOD_ALT));
    EXPECT_EQ(held, GlobalFindAtomA("Tav"));

    GlobalDeleteAtom(held);
    EXPECT_EQ(0, GlobalFindAtomA("Tav"));
}

// Around the options dialog: release in the old settings, register in the new.
TEST_F(LauncherKeyTest, SwitchingModesLeavesNothingOfTheEarlierMode)
{
    UseHotKeyMode(VK_NONCONVERT, 0);
    atom_ = RegisterLauncherKey(0, window_.get(), &state_);
    atom_ = ReleaseLauncherKey(atom_, window_.get(), &state_);
    LoadSettings(&state_);  // back to the defaults: library mode
    atom_ = RegisterLauncherKey(atom_, window_.get(), &state_);
    EXPECT_EQ(0, atom_);
    EXPECT_EQ(0, GlobalFindAtomA("Tav"));
    EXPECT_EQ(1, HotKeyIsFree(VK_NONCONVERT, 0));
    EXPECT_EQ(1, ShowsAfterPress(VK_NONCONVERT));

    atom_ = ReleaseLauncherKey(atom_, window_.get(), &state_);
    UseHotKeyMode(VK_F9, 0);
    atom_ = RegisterLauncherKey(atom_, window_.get(), &state_);
    EXPECT_EQ(0, ShowsAfterPress(VK_NONCONVERT));
    EXPECT_EQ(0, HotKeyIsFree(VK_F9, 0));
}

// An INI import changes the settings without a release; the next release
// must still free what the earlier settings registered.
TEST_F(LauncherKeyTest, AReleaseAfterTheModeChangedUnderneathFreesTheEarlierKey)
{
    UseHotKeyMode(VK_F9, MOD_CONTROL);
    atom_ = RegisterLauncherKey(0, window_.get(), &state_);
    LoadSettings(&state_);  // imported: library mode
    atom_ = ReleaseLauncherKey(atom_, window_.get(), &state_);
    EXPECT_EQ(1, HotKeyIsFree(VK_F9, MOD_CONTROL));
    EXPECT_EQ(0, GlobalFindAtomA("Tav"));

    atom_ = RegisterLauncherKey(atom_, window_.get(), &state_);  // library mode
    UseHotKeyMode(VK_F9, MOD_CONTROL);                           // imported: hot-key mode
    atom_ = ReleaseLauncherKey(atom_, window_.get(), &state_);
    EXPECT_EQ(0, ShowsAfterPress(VK_NONCONVERT));
}

}  // namespace
