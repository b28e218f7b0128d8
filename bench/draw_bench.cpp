/*
 * How long the launcher's drawing work takes on the way from a key press to
 * the screen: sizing (text measurement and the registry reads), docking and
 * copying the screen under the window, and one paint of a 37-line level with
 * gradient, alpha blending and text shadow.  Prints median, 95th percentile
 * and worst case in milliseconds over many runs.
 *
 * The program runs with HKEY_CURRENT_USER redirected to a scratch key, so it
 * never touches the user's settings; run it on a display (under Wine: Xvfb).
 *
 *   draw_bench.exe [runs [output file]]
 *
 * Under Wine, run it inside a virtual desktop (scripts/draw-bench.sh does):
 * on a bare X display without a window manager, hiding a shown top-level
 * window again and again can block in ShowWindow(SW_HIDE).
 */
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/launcher_state.h"
#include "core/optional_apis.h"
#include "draw/geometry.h"
#include "draw/paint.h"
#include "store/settings.h"

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Report(const char* what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    size_t n = times.size();
    std::printf("%-52s median %6.3f ms  p95 %6.3f ms  max %6.3f ms\n", what, times[n / 2],
                times[std::min(n - 1, n * 95 / 100)], times[n - 1]);
    std::fflush(stdout);
}

// Times work() after prepare(), which is not counted.
template <typename Prepare, typename Work>
void Measure(const char* what, int runs, Prepare prepare, Work work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        double start = Now();
        work();
        GdiFlush();
        times.push_back(Now() - start);
    }
    Report(what, times);
}

template <typename Work>
void Measure(const char* what, int runs, Work work)
{
    Measure(what, runs, [] {}, work);
}

// HKEY_CURRENT_USER redirected to a volatile scratch key while it lives.
struct ScratchRoot {
    HKEY Key = nullptr;
    ScratchRoot()
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\TavDrawBench", 0, nullptr,
                        REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &Key, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, Key);
    }
    ~ScratchRoot()
    {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(Key);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TavDrawBench");
    }
};

// Hands Wine the window's pending messages and X events, as the program's
// message loop does between two showings.
void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

LRESULT CALLBACK BenchWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::atoi(argv[1]) : 300;
    if (runs < 1)
        runs = 1;
    // Started inside a Wine virtual desktop (explorer /desktop=...) the
    // program has no console to print to: the figures go to a file then.
    if (argc > 2 && std::freopen(argv[2], "w", stdout) == nullptr)
        return 1;
    ScratchRoot scratch;
    LoadOptionalApis();

    // The defaults: gradient, alpha blending, DrawShadowText, raised frame,
    // every key shown: 37 lines.
    static LauncherState state;
    LoadSettings(&state);
    lstrcpynA(state.Titles[0], "Tav Ver2.55", kTitleSize);
    for (int slot = 1; slot < kSlotCount; slot += 2)
        lstrcpynA(state.Titles[slot], "Application title", kTitleSize);
    state.LineCount = kSlotCount;
    std::printf("gradient+alpha %d, DrawShadowText %d, UseGrad %d, UseAlphaBlend %d, Smooth %d\n",
                HasAlphaGradient(), HasShadowText(), state.UseGrad, state.UseAlphaBlend,
                state.Smooth);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = BenchWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = "TavDrawBench";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "TavDrawBench", "Tav", WS_POPUP,
                                  0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    SizeLauncherWindow(window, &state, "");
    PlaceLauncherWindow(window, POS_TOP_LEFT);
    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("window %ld x %ld, line height %d, %d runs\n", rect.right - rect.left,
                rect.bottom - rect.top, state.LineHeight, runs);

    Measure("SizeLauncherWindow (top level)", runs,
            [&] { SizeLauncherWindow(window, &state, ""); });
    Measure("SizeLauncherWindow (submenu)", runs, [&] { SizeLauncherWindow(window, &state, "A"); });

    // While hidden, as ShowLauncher does it.
    Measure("GetDockedPosition + move + CaptureBackground", runs, [&] {
        int x, y;
        GetDockedPosition(window, POS_TOP_LEFT, &x, &y);
        MoveWindow(window, x, y, rect.right - rect.left, rect.bottom - rect.top, TRUE);
        CaptureBackground(window, &state.BackgroundCapture);
    });

    ShowWindow(window, SW_SHOWNOACTIVATE);
    HDC dc = GetDC(window);
    Measure("PaintLauncher, 37 lines, DrawShadowText", runs, [&] {
        PaintLauncher(&state, window, dc, state.BackgroundCapture.MemDC, 1, PAINT_LAUNCHER);
    });
    LauncherState plain = state;
    plain.Smooth = 0;
    Measure("PaintLauncher, 37 lines, two-pass shadow", runs, [&] {
        PaintLauncher(&plain, window, dc, plain.BackgroundCapture.MemDC, 1, PAINT_LAUNCHER);
    });
    Measure("submenu: SizeLauncherWindow + PaintLauncher", runs, [&] {
        SizeLauncherWindow(window, &state, "A");
        PaintLauncher(&state, window, dc, state.BackgroundCapture.MemDC, 1, PAINT_LAUNCHER);
    });
    LauncherState empty = state;
    std::memset(empty.Titles, 0, sizeof empty.Titles);
    empty.ShowAllKey = 0;
    Measure("PaintLauncher, no lines (layer and frame)", runs, [&] {
        PaintLauncher(&empty, window, dc, empty.BackgroundCapture.MemDC, 1, PAINT_LAUNCHER);
    });

    Measure(
        "ShowWindow alone (not drawing)", runs, [&] {
            ShowWindow(window, SW_HIDE);
            PumpMessages();
        },
        [&] { ShowWindow(window, SW_SHOWNOACTIVATE); });

    // ShowLauncher's part of the road from the launcher key to the screen:
    // dock and move the hidden window, copy the screen under it, show it,
    // paint it.
    Measure(
        "show path: dock, move, capture, show, paint", runs,
        [&] {
            ShowWindow(window, SW_HIDE);
            PumpMessages();
        },
        [&] {
            int x, y;
            GetDockedPosition(window, POS_TOP_LEFT, &x, &y);
            MoveWindow(window, x, y, rect.right - rect.left, rect.bottom - rect.top, TRUE);
            CaptureBackground(window, &state.BackgroundCapture);
            ShowWindow(window, SW_SHOWNOACTIVATE);
            PaintLauncher(&state, window, dc, state.BackgroundCapture.MemDC, 1, PAINT_LAUNCHER);
        });
    ReleaseDC(window, dc);

    ReleaseBackground(&state.BackgroundCapture);
    DestroyWindow(window);
    FreeOptionalApis();
    return 0;
}
