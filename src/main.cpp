/*
 * Program entry: one copy only, the optional drawing functions, the
 * settings, the hidden launcher window, the first-run options dialog, the
 * hook library, and the one message loop of the process.
 */
#include <windows.h>

#include "core/launcher_window.h"
#include "base/optional_apis.h"
#include "hook/tav_hook.h"
#include "res/resource.h"
#include "store/settings.h"

// Accelerators act only while the setup window exists, and their
// WM_COMMAND always goes to it, whichever window the key was meant for.
static int RunMessageLoop(HACCEL setupAccelerators)
{
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsWindow(SetupWindow)
            && TranslateAcceleratorA(SetupWindow, setupAccelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int WINAPI WinMain(HINSTANCE module, HINSTANCE, LPSTR, int)
{
    // Created owned and never released: it ends with the process.  A second
    // copy ends silently, leaving the running one as it is.
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "Tav");
    if (mutex == nullptr || GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;

    LoadOptionalApis();
    HACCEL setupAccelerators = LoadAcceleratorsA(module, MAKEINTRESOURCEA(IDA_SETUP));
    LoadSettings(&Launcher);

    // WM_CREATE adds the tray icon, loads the top level, sizes and places
    // the window and registers the launcher key.
    LauncherWindow = CreateLauncherWindow(&Launcher);
    if (LauncherWindow == nullptr)
        return 0;

    // The first-run options dialog runs before the hook is installed.
    CheckFirstRun();
    SetForeground(Launcher.Foreground);
    SetHook(LauncherWindow);

    int result = RunMessageLoop(setupAccelerators);
    FreeHook();
    FreeOptionalApis();
    return result;
}
