/*
 * Holding the optional drawing modules: both queries follow the rule that
 * DrawShadowText counts only where msimg32 offers both of its functions.
 * And functions bound at first use come from the system folder only.
 */
#include <windows.h>
#include <commdlg.h>

#include <string>

#include <gtest/gtest.h>

#include "base/late_import.h"
#include "base/optional_apis.h"
#include "scratch_folder.h"

namespace {

class OptionalApisTest : public ::testing::Test {
protected:
    void TearDown() override { FreeOptionalApis(); }
};

TEST_F(OptionalApisTest, TheSystemModulesAreHeldAndTheirFunctionsFound)
{
    LoadOptionalApis();
    ASSERT_EQ(1, HasAlphaGradient());
    ASSERT_EQ(1, HasShadowText());
    EXPECT_NE(nullptr, GetProcAddress(AlphaGradientModule(), "GradientFill"));
    EXPECT_NE(nullptr, GetProcAddress(AlphaGradientModule(), "AlphaBlend"));
    EXPECT_NE(nullptr, GetProcAddress(ShadowTextModule(), "DrawShadowText"));

    FreeOptionalApis();
    EXPECT_EQ(0, HasAlphaGradient());
    EXPECT_EQ(0, HasShadowText());
    EXPECT_EQ(nullptr, AlphaGradientModule());
    EXPECT_EQ(nullptr, ShadowTextModule());
    FreeOptionalApis();  // twice is harmless
}

TEST_F(OptionalApisTest, WithoutMsimg32NeitherModuleIsHeld)
{
    LoadOptionalApisFrom("tav-no-such-module.dll", "ComCtl32.dll");
    EXPECT_EQ(0, HasAlphaGradient());
    EXPECT_EQ(0, HasShadowText());

    // A module without AlphaBlend and GradientFill counts as missing too.
    LoadOptionalApisFrom("kernel32.dll", "ComCtl32.dll");
    EXPECT_EQ(0, HasAlphaGradient());
    EXPECT_EQ(0, HasShadowText());
}

TEST_F(OptionalApisTest, ShadowTextNeedsItsOwnFunction)
{
    LoadOptionalApisFrom("msimg32.dll", "kernel32.dll");
    EXPECT_EQ(1, HasAlphaGradient());
    EXPECT_EQ(0, HasShadowText());

    LoadOptionalApisFrom("msimg32.dll", "tav-no-such-module.dll");
    EXPECT_EQ(1, HasAlphaGradient());
    EXPECT_EQ(0, HasShadowText());
}

// A module of the name in the current folder is what a bare LoadLibraryA
// would load; LateImport does not take it.  (The planted module is a copy
// of the hook library.)
TEST(LateImport, BindsFromTheSystemFolderOnly)
{
    EXPECT_NE(nullptr, LateImport<decltype(&ChooseColorA)>("comdlg32.dll", "ChooseColorA"));
    EXPECT_EQ(nullptr, LateImport<FARPROC>("comdlg32.dll", "TavNoSuchFunction"));

    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    std::string hookLibrary(program);
    hookLibrary.replace(hookLibrary.rfind('\\') + 1, std::string::npos, "Tav.dll");
    ScratchFolder folder;
    ASSERT_TRUE(CopyFileA(hookLibrary.c_str(), folder.Path("tav-planted.dll").c_str(), TRUE));
    char before[MAX_PATH];
    GetCurrentDirectoryA(sizeof before, before);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Folder().c_str()));
    FARPROC bound = LateImport<FARPROC>("tav-planted.dll", "SetHook");
    HMODULE planted = LoadLibraryA("tav-planted.dll");
    SetCurrentDirectoryA(before);
    EXPECT_EQ(nullptr, bound);
    EXPECT_NE(nullptr, planted);  // the plant would have been found by its bare name
    if (planted != nullptr)
        FreeLibrary(planted);
}

}  // namespace
