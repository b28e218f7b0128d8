/*
 * Holding the optional drawing modules.
 */
#include "base/optional_apis.h"

#include "base/late_import.h"

static HMODULE AlphaGradientLibrary;  // msimg32.dll, or null
static HMODULE ShadowTextLibrary;     // ComCtl32.dll, or null

static bool HasProc(HMODULE module, const char* name)
{
    return LateImport<FARPROC>(module, name) != nullptr;
}

void LoadOptionalApisFrom(const char* alphaModule, const char* shadowModule)
{
    FreeOptionalApis();

    HMODULE alpha = LoadSystemModule(alphaModule);
    if (alpha == nullptr)
        return;
    if (!HasProc(alpha, "AlphaBlend") || !HasProc(alpha, "GradientFill")) {
        FreeLibrary(alpha);
        return;
    }
    AlphaGradientLibrary = alpha;

    // DrawShadowText is used only on systems that also offer msimg32.
    // ComCtl32 is the one system module loaded by its bare name: version 6,
    // which has DrawShadowText, lives in the side-by-side store, and only a
    // name without a folder is redirected there by the activation context
    // that the manifest's dependency sets up; the system folder holds
    // version 5, without it.  The name finds the module the program already
    // imports (InitCommonControlsEx, the control subclassing), not a file of
    // that name in the current folder.
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
