/*
 * How soon a key reaches the next low-level keyboard hook after the hook
 * library's: with the launcher's thread blocked (as by a slow
 * ShellExecuteExA, a modal loop or the pause after the tray menu) and with
 * it idle, running its messages.  The library watches 無変換 for a window of
 * this thread; the keys are 'A', which the library passes on, sent from
 * another thread and timed by the tests' KeyWatch.  Printed, not checked
 * (scripts/bench.sh hook).
 */
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_support.h"
#include "hook/tav_hook.h"
#include "key_watch.h"

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
    return 0;
}
