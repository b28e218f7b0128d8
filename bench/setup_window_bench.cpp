/*
 * Benchmark of the setup window, measured inside the real window: its own
 * window procedure, store and painting, driven by the messages the system
 * would send.
 *
 *  - opening a level: Enter on a submenu row (a queued WM_KEYDOWN) to the
 *    end of the WM_PAINT that shows the submenu's 37 rows, and Backspace
 *    back to the top level;
 *  - a hover change: the pointer put over another row and the hover timer's
 *    WM_TIMER queued, to the end of the WM_PAINT that shows the new row.
 *
 * A menu of 36 entries at the top level and 36 in the submenu on key S,
 * gradient and alpha blending on.  Median and 95th percentile over 300 runs
 * each, in milliseconds and as a fraction of one 60 Hz frame.
 */
#include "setup_window_bench.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/messages.h"
#include "res/resource.h"
#include "setup/setup_session.h"
#include "setup/setup_window.h"
#include "store/entry_tree.h"
#include "store/registry.h"
#include "store/res_string.h"

namespace {

const int kRuns = 300;
const int kWarmUp = 20;
const double kFrameMs = 1000.0 / 60.0;

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

WNDPROC SetupProcedure;
double PaintEnd;
int Paints;

LRESULT CALLBACK TimedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallWindowProcA(SetupProcedure, window, message, wParam, lParam);
    if (message == WM_PAINT) {
        PaintEnd = Now();
        ++Paints;
    }
    return result;
}

// Posts the message and runs the thread's messages until a WM_PAINT has been
// handled; the time from the post to the paint's end, or -1 after a second
// without one.
double TimeToPaint(HWND window, UINT message, WPARAM wParam)
{
    int before = Paints;
    double start = Now();
    PostMessageA(window, message, wParam, 0);
    while (Paints == before) {
        MSG m;
        while (Paints == before && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        if (Now() - start > 1000.0)
            return -1;
        if (Paints == before)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return PaintEnd - start;
}

void PrepareMenu()
{
    std::string window = ResString(IDS_KEY_WINDOW);
    StoreWriteDword("UseGrad", window.c_str(), 1);
    StoreWriteDword("UseAlphaBlend", window.c_str(), 1);
    StoreWriteDword("Left", window.c_str(), 200);
    StoreWriteDword("Top", window.c_str(), 20);
    for (const char* keyPath : {"", "S"}) {
        for (int slot = 1; slot < kSlotCount; ++slot) {
            EntryRecord entry;
            std::memset(&entry, 0, sizeof entry);
            std::snprintf(entry.Title, sizeof entry.Title, "%s program number %02d",
                          keyPath[0] == '\0' ? "Top" : "Sub", slot);
            std::snprintf(entry.Program, sizeof entry.Program, "C:\\Programs\\program%02d.exe", slot);
            if (keyPath[0] == '\0' && slot == 19)
                std::strcpy(entry.Program, SUBMENU_MARKER);
            WriteEntry(keyPath, slot, &entry);
        }
    }
}

void Print(const char* what, std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    size_t n = samples.size();
    if (n == 0) {
        std::printf("%-46s no runs\n", what);
        return;
    }
    double median = samples[n / 2];
    double p95 = samples[std::min(n, (n * 95 + 99) / 100) - 1];  // nearest rank
    std::printf("%-46s %4zu runs  median %6.2f ms (%.2f frame)  p95 %6.2f ms (%.2f frame)\n", what,
                n, median, median / kFrameMs, p95, p95 / kFrameMs);
}

}  // namespace

void RunSetupWindowBench()
{
    PrepareMenu();
    HWND window = CreateSetupWindow(nullptr);
    if (window == nullptr) {
        std::printf("the setup window could not be created\n");
        return;
    }
    SetupProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimedProcedure)));
    SetupSession* session = CurrentSetup();
    int failed = 0;

    // Key S selected: Enter opens the submenu, Backspace the top level.
    std::vector<double> descend, ascend;
    for (int i = 0; i < kRuns + kWarmUp; ++i) {
        session->Cursor.Slot = 19;
        double down = TimeToPaint(window, WM_KEYDOWN, VK_RETURN);
        bool inSubmenu = std::strcmp(session->Cursor.KeyPath, "S") == 0;
        double up = TimeToPaint(window, WM_KEYDOWN, VK_BACK);
        if (down < 0 || up < 0 || !inSubmenu) {
            ++failed;
        } else if (i >= kWarmUp) {
            descend.push_back(down);
            ascend.push_back(up);
        }
    }

    // The pointer between rows 5 and 6, one hover tick each time.
    std::vector<double> hover;
    RECT rect;
    GetWindowRect(window, &rect);
    const int pitch = session->View.LineHeight + session->View.LineGap;
    for (int i = 0; i < kRuns + kWarmUp; ++i) {
        int row = 5 + i % 2;
        SetCursorPos(rect.left + 30, rect.top + 4 + row * pitch + pitch / 2);
        double time = TimeToPaint(window, WM_TIMER, SETUP_HOVER_TIMER_ID);
        if (time < 0 || session->Cursor.Slot != row)
            ++failed;
        else if (i >= kWarmUp)
            hover.push_back(time);
    }

    std::printf("Tav setup window benchmark (in-process, real setup window)\n");
    Print("Enter on a submenu to end of paint (37 rows)", descend);
    Print("Backspace to end of paint (37 rows)", ascend);
    Print("hover tick on a new row to end of repaint", hover);
    if (failed)
        std::printf("(runs that did not paint or land: %d)\n", failed);
    DestroyWindow(window);
}
