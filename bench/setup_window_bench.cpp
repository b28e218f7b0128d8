/*
 * Benchmark of the setup window, measured inside the real window over
 * launcher_bench's menu (36 entries at the top level and 36 in the submenu
 * on key S, gradient and alpha blending on): Enter on the submenu row and
 * Backspace back (queued WM_KEYDOWNs), each to the end of the WM_PAINT of
 * the level's 37 rows, and a hover change (the pointer over another row,
 * the hover timer's WM_TIMER queued) to the end of the repaint.  Median and
 * 95th percentile of 300 runs each.
 */
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "base/messages.h"
#include "bench_support.h"
#include "setup/setup_session.h"
#include "setup/setup_window.h"

void RunSetupWindowBench()
{
    const int kRuns = 300, kWarmUp = 20;
    HWND window = CreateSetupWindow(nullptr);
    if (window == nullptr) {
        std::printf("the setup window could not be created\n");
        return;
    }
    PaintClock clock(window);
    SetupSession* session = SetupSessionOf(window);
    auto timed = [&](UINT message, WPARAM wParam) {
        double start = Now();
        PostMessageA(window, message, wParam, 0);
        return clock.UntilPainted(start);
    };
    int failed = 0;
    std::vector<double> descend, ascend, hover;
    for (int i = 0; i < kRuns + kWarmUp; ++i) {
        session->Cursor.Slot = 19;
        double down = timed(WM_KEYDOWN, VK_RETURN);
        bool inSubmenu = std::strcmp(session->Cursor.KeyPath, "S") == 0;
        double up = timed(WM_KEYDOWN, VK_BACK);
        if (down < 0 || up < 0 || !inSubmenu) {
            ++failed;
        } else if (i >= kWarmUp) {
            descend.push_back(down);
            ascend.push_back(up);
        }
    }
    // The pointer between rows 5 and 6, one hover tick each time.
    RECT rect;
    GetWindowRect(window, &rect);
    const int pitch = session->View.LineHeight + session->View.LineGap;
    for (int i = 0; i < kRuns + kWarmUp; ++i) {
        int row = 5 + i % 2;
        SetCursorPos(rect.left + 30, rect.top + 4 + row * pitch + pitch / 2);
        double time = timed(WM_TIMER, SETUP_HOVER_TIMER_ID);
        if (time < 0 || session->Cursor.Slot != row)
            ++failed;
        else if (i >= kWarmUp)
            hover.push_back(time);
    }
    std::printf("Tav setup window benchmark (in-process, real setup window)\n");
    PrintLatency("Enter on a submenu to end of paint (37 rows)", descend);
    PrintLatency("Backspace to end of paint (37 rows)", ascend);
    PrintLatency("hover tick on a new row to end of repaint", hover);
    if (failed)
        std::printf("(runs that did not paint or land: %d)\n", failed);
    DestroyWindow(window);
}
