/*
 * Holding the optional drawing modules: both queries follow the rule that
 * DrawShadowText counts only where msimg32 offers both of its functions.
 */
#include <windows.h>

#include <gtest/gtest.h>

#include "base/optional_apis.h"

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

}  // namespace
