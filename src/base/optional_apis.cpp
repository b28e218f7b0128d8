/*
 * Holding the optional drawing modules.
 */
#include "base/optional_apis.h"

static HMODULE AlphaGradientLibrary;  // msimg32.dll, or null
static HMODULE ShadowTextLibrary;     // ComCtl32.dll, or null

static bool HasProc(HMODULE module, const char* name)
{
    return GetProcAddress(module, name) != nullptr;
}

void LoadOptionalApisFrom(const char* alphaModule, const char* shadowModule)
{
    FreeOptionalApis();

    HMODULE alpha = LoadLibraryA(alphaModule);
    if (alpha == nullptr)
        return;
    if (!HasProc(alpha, "AlphaBlend") || !HasProc(alpha, "GradientFill")) {
        FreeLibrary(alpha);
        return;
    }
    AlphaGradientLibrary = alpha;

    // DrawShadowText is used only on systems that also offer msimg32.
    HMODULE shadow = LoadLibraryA(shadowModule);
    if (shadow == nullptr)
        return;
    if (!HasProc(shadow, "DrawShadowText")) {
        FreeLibrary(shadow);
        return;
    }
    ShadowTextLibrary = shadow;
}

void LoadOptionalApis()
{
    LoadOptionalApisFrom("msimg32.dll", "ComCtl32.dll");
}

void FreeOptionalApis()
{
    if (AlphaGradientLibrary != nullptr) {
        FreeLibrary(AlphaGradientLibrary);
        AlphaGradientLibrary = nullptr;
    }
    if (ShadowTextLibrary != nullptr) {
        FreeLibrary(ShadowTextLibrary);
        ShadowTextLibrary = nullptr;
    }
}

int HasAlphaGradient() { return AlphaGradientLibrary != nullptr ? 1 : 0; }
int HasShadowText() { return ShadowTextLibrary != nullptr ? 1 : 0; }
HMODULE AlphaGradientModule() { return AlphaGradientLibrary; }
HMODULE ShadowTextModule() { return ShadowTextLibrary; }
