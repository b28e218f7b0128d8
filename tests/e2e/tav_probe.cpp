/*
 * The end-to-end test's eyes and hands inside the Wine desktop where
 * Tav.exe runs: it finds the launcher window, waits for it to show, hide or
 * go away, tells the size the launcher should have for a level of the
 * stored menu, and asks Tav to exit through its tray command.
 *
 *   tav_probe wait-ready <ms>           start-up has ended: the hook library's
 *                                       window exists (SetHook is its last step)
 *   tav_probe wait-shown <ms> [w h]     shown (with that size); prints "x y w h"
 *   tav_probe wait-hidden <ms>          created and hidden
 *   tav_probe expect-size <keyPath>     prints "w h" for that level ("" = top)
 *   tav_probe exit <ms>                 command 130, then the window is gone
 *   tav_probe flash <ms>                a window of the probe flashes while
 *                                       another is in front, and comes to the
 *                                       front
 *
 * Exit code 0 when the condition was met, 1 on timeout, 2 on bad usage.
 */
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/launcher_state.h"
#include "base/optional_apis.h"
#include "draw/geometry.h"
#include "hook/tav_hook.h"
#include "res/resource.h"
#include "store/entry_tree.h"
#include "store/settings.h"

namespace {

HWND FindLauncher() { return FindWindowA("Tav", "Tav"); }

// Polls condition every 20 ms until it holds or timeoutMs has passed.
template <typename Condition>
bool WaitUntil(DWORD timeoutMs, Condition condition)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
}

// The launcher's size for a level of the stored menu: at the top level the
// widest title after the key prefix plus 10 pixels (no "Width" is stored in
// the test's registry), and one line pitch per shown line plus 8.
int ExpectSize(const char* keyPath)
{
    static LauncherState state;
    LoadOptionalApis();
    LoadSettings(&state);
    LoadLevel(&state, keyPath, state.ShowAllKey);
    MeasureLauncherText(nullptr, &state);
    std::printf("%d %d\n", state.PrefixWidth + state.TitleWidth + 10,
                (state.LineHeight + state.LineGap) * state.LineCount + 8);
    return 0;
}

// Runs this thread's messages for up to timeoutMs, until condition holds.
template <typename Condition>
bool PumpUntil(DWORD timeoutMs, Condition condition)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        if (condition())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// A window that asks for attention while another window is in front.  The
// shell tells the hook library with HSHELL_FLASH; Wine's shell hook is a
// stub, so the probe also posts what the shell would post, to the library's
// window.  Met when the flashing window is the foreground window: the
// library activated it, which it does only after SetForeground(1).
int Flash(DWORD timeoutMs)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TavProbe";
    RegisterClassA(&windowClass);
    auto open = [](const char* title, int x) {
        return CreateWindowExA(0, "TavProbe", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, 400, 200,
                               120, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    };
    HWND flashing = open("Flashing", 100);
    HWND front = open("In front", 400);
    SetForegroundWindow(front);
    if (!PumpUntil(timeoutMs, [front] { return GetForegroundWindow() == front; }))
        return 1;
    FLASHWINFO flash = {sizeof flash, flashing, FLASHW_ALL, 3, 0};
    FlashWindowEx(&flash);
    PostMessageA(FindWindowA(TAV_HOOK_WINDOW_CLASS, nullptr), RegisterWindowMessageA("SHELLHOOK"),
                 HSHELL_FLASH, reinterpret_cast<LPARAM>(flashing));
    return PumpUntil(timeoutMs, [flashing] { return GetForegroundWindow() == flashing; }) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const char* command = argv[1];
    if (std::strcmp(command, "expect-size") == 0)
        return ExpectSize(argv[2]);

    DWORD timeout = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
    if (std::strcmp(command, "wait-ready") == 0) {
        return WaitUntil(timeout, [] {
            return FindLauncher() != nullptr
                   && FindWindowA(TAV_HOOK_WINDOW_CLASS, nullptr) != nullptr;
        }) ? 0 : 1;
    }

    if (std::strcmp(command, "wait-shown") == 0) {
        long width = argc > 4 ? std::strtol(argv[3], nullptr, 10) : -1;
        long height = argc > 4 ? std::strtol(argv[4], nullptr, 10) : -1;
        RECT rect = {};
        bool met = WaitUntil(timeout, [&] {
            HWND window = FindLauncher();
            if (window == nullptr || !GetWindowRect(window, &rect) || !IsWindowVisible(window))
                return false;
            return width < 0 || (rect.right - rect.left == width && rect.bottom - rect.top == height);
        });
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top);
        return met ? 0 : 1;
    }

    if (std::strcmp(command, "wait-hidden") == 0) {
        return WaitUntil(timeout, [] {
            HWND window = FindLauncher();
            return window != nullptr && !IsWindowVisible(window);
        }) ? 0 : 1;
    }

    if (std::strcmp(command, "flash") == 0)
        return Flash(timeout);

    if (std::strcmp(command, "exit") == 0) {
        HWND window = FindLauncher();
        if (window == nullptr)
            return 1;
        PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
        return WaitUntil(timeout, [] { return FindLauncher() == nullptr; }) ? 0 : 1;
    }
    return 2;
}
