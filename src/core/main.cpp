/*
 * Program entry.  For now Tav starts, takes its single-instance mutex, loads
 * the optional drawing functions and the settings, and ends: the resident
 * launcher window is built on top of this.
 */
#include <windows.h>

#include "core/launcher_state.h"
#include "core/optional_apis.h"
#include "store/settings.h"

static LauncherState State;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Created owned and never released: it ends with the process.  A second
    // copy ends silently.
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "Tav");
    if (mutex == nullptr || GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;

    LoadOptionalApis();
    LoadSettings(&State);
    FreeOptionalApis();
    return 0;
}
