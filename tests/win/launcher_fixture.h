/*
 * The launcher window as start-up creates it, over an arranged (scratch)
 * registry, for the tests that drive it: the process-wide state reset,
 * the settings loaded, the window created, and all of it undone afterwards.
 */
#ifndef TAV_TESTS_LAUNCHER_FIXTURE_H
#define TAV_TESTS_LAUNCHER_FIXTURE_H

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "base/optional_apis.h"
#include "core/launcher_window.h"
#include "hook/tav_hook.h"
#include "scratch_registry.h"
#include "store/settings.h"
#include "test_window.h"

class LauncherWindowTest : public RegistryTest {
protected:
    void SetUp() override { LoadOptionalApis(); }
    void TearDown() override
    {
        FreeHook();
        if (IsWindow(window_))
            DestroyWindow(window_);
        PumpFor(0);
        UnregisterClassA("Tav", GetModuleHandleA(nullptr));
        LauncherWindow = nullptr;
        FreeOptionalApis();
    }

    // Arranging, before Start: a value of Tav's key ("Window", "Key").
    static void PutDword(const char* key, const char* name, DWORD value)
    {
        ::PutDword((std::string("Software\\orrel\\Tav\\") + key).c_str(), name, value);
    }

    // Loads the settings into the process-wide record and creates the window.
    void Start()
    {
        LoadSettings(&Launcher);
        Selection = 1;
        SetSetupMode(0);
        HotKeyAtom = 0;
        KeyPath[0] = '\0';
        window_ = CreateLauncherWindow(&Launcher);
        ASSERT_NE(nullptr, window_);
        LauncherWindow = window_;
        PumpFor(0);
    }

    HWND window_ = nullptr;
};

#endif
