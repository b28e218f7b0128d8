/*
 * How soon a key reaches the next low-level keyboard hook after the hook
 * library's: with the launcher's thread blocked (as by a slow
 * ShellExecuteExA, a modal loop or the pause after the tray menu) and with
 * it idle, running its messages.  The library watches 無変換 for a window of
 * this thread; the keys are 'A', which the library passes on, sent from
 * another thread and timed by the tests' KeyWatch.
 *
 * Then type-ahead: bursts of the launcher key and two keys (S, 1) with 0, 10
 * and 30 ms between them, in both key modes (無変換 watched by the library;
 * a hot key, Shift+F9, whose key-down starts the capture), with the show
 * taking no time or 100 ms.  The window stands for the launcher: at its
 * show message it waits that long and takes the held keys, as the launcher
 * does once in front.  Counted per mode, gap and show: the keys that reached
 * the launcher, those that reached the next hook (the program in front), and
 * those lost.  Printed, not checked (scripts/bench.sh hook).
 */
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "base/messages.h"
#include "bench_support.h"
#include "hook/tav_hook.h"
#include "key_watch.h"
#include "test_window.h"

namespace {

constexpr int kPresses = 250;  // 500 key events per run

void Report(const char* what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    long late = std::count_if(times.begin(), times.end(), [](double ms) { return ms < 0 || ms >= 20; });
    std::printf("%-34s median %6.2f ms  95th %6.2f ms  slowest %6.2f ms  %ld of %zu at 20 ms or more\n",
                what, times[times.size() / 2], times[times.size() * 95 / 100], times.back(), late,
                times.size());
}

constexpr int kBursts = 6;

// The launcher's stand-in: the keys it received, and how long its show takes.
HWND BurstLauncher;
int ShowDelay;
int KeysTaken;
int KeysTyped;  // of them, those that came as typed (after the capture)

LRESULT CALLBACK LauncherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == UM_SHOWLAUNCHER || message == WM_HOTKEY) {
        Sleep(static_cast<DWORD>(ShowDelay));
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        SetFocus(window);
        DeliverHeldKeys();
        return 0;
    }
    if (window == BurstLauncher && ((message == UM_HELDKEY && lParam == 0) || message == WM_KEYDOWN)) {
        KeysTaken += wParam == 'S' || wParam == '1';
        KeysTyped += message == WM_KEYDOWN && (wParam == 'S' || wParam == '1');
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Bursts of the launcher key (with modifier held, when not 0), S and 1, gap
// ms apart, typed from another thread while this one runs its messages.
void Bursts(const char* mode, WORD key, WORD modifier, const KeyWatch& watch, HWND launcher,
            HWND front)
{
    for (int delay : {0, 100}) {
        for (DWORD gap : {0u, 10u, 30u}) {
            KeysTaken = 0;
            KeysTyped = 0;
            ShowDelay = delay;
            int passedBefore = watch.Downs('S') + watch.Downs('1');
            for (int i = 0; i < kBursts; ++i) {
                std::atomic<bool> typed{false};
                std::thread typist([=, &typed] {
                    PressKey(key, modifier);
                    for (WORD vk : {WORD('S'), WORD('1')}) {
                        Sleep(gap);
                        PressKey(vk);
                    }
                    typed = true;
                });
                while (!typed)
                    PumpFor(0);
                typist.join();
                PumpFor(1500);
                ShowWindow(front, SW_SHOW);
                SetForegroundWindow(front);
                ShowWindow(launcher, SW_HIDE);
                PumpFor(100);
            }
            int passed = watch.Downs('S') + watch.Downs('1') - passedBefore - KeysTyped;
            std::printf("%-9s gap %2lu ms, show +%3d ms: %2d of %d keys to the launcher, %2d to the "
                        "program in front, %2d lost\n",
                        mode, gap, delay, KeysTaken, 2 * kBursts, passed,
                        2 * kBursts - KeysTaken - passed);
        }
    }
}

}  // namespace

int main()
{
    HWND launcher = CreateHiddenWindow("TavHookBench");
    KeyWatch watch;  // installed first: called after the library's hook
    if (!watch.Installed()) {
        std::printf("the watching hook could not be installed\n");
        return 1;
    }
    SetKey(VK_NONCONVERT);
    SetHook(launcher);
    Report("launcher's thread blocked:", watch.DeliverWhileBlocked('A', kPresses, 60000, true));
    Report("launcher's thread idle:", watch.DeliverWhileBlocked('A', kPresses, 60000, false));
    SetKey(0);
    FreeHook();
    DestroyWindow(launcher);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = LauncherProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TavBurstBench";
    RegisterClassA(&windowClass);
    launcher = CreateWindowExA(WS_EX_TOOLWINDOW, "TavBurstBench", "", WS_POPUP, 300, 300, 100, 100,
                               nullptr, nullptr, windowClass.hInstance, nullptr);
    BurstLauncher = launcher;
    SetKey(VK_NONCONVERT);
    SetHook(launcher);
    HWND front = CreateWindowExA(0, "TavBurstBench", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200,
                                 nullptr, nullptr, windowClass.hInstance, nullptr);
    Bursts("library", VK_NONCONVERT, 0, watch, launcher, front);
    SetKey(0);
    RegisterHotKey(launcher, 1, MOD_SHIFT, VK_F9);
    SetCaptureKey(VK_F9, MOD_SHIFT);
    Bursts("hot key", VK_F9, VK_SHIFT, watch, launcher, front);
    SetCaptureKey(0, 0);
    UnregisterHotKey(launcher, 1);
    FreeHook();
    DestroyWindow(front);
    DestroyWindow(launcher);
    return 0;
}
