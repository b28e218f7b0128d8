/*
 * Timing for the window benchmarks.
 */
#include "bench_support.h"

#include <algorithm>
#include <cstdio>

namespace {

WNDPROC Wrapped;
double PaintEnd;
int Paints;

}  // namespace

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

PaintClock::PaintClock(HWND window) : window_(window)
{
    Wrapped = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Timed)));
}

PaintClock::~PaintClock()
{
    if (IsWindow(window_))
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Wrapped));
}

LRESULT CALLBACK PaintClock::Timed(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallWindowProcA(Wrapped, window, message, wParam, lParam);
    if (message == WM_PAINT) {
        PaintEnd = Now();
        ++Paints;
    }
    return result;
}

double PaintClock::UntilPainted(double start)
{
    int before = Paints;
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

void PrintLatency(const char* what, std::vector<double> samples)
{
    const double frameMs = 1000.0 / 60.0;
    std::sort(samples.begin(), samples.end());
    size_t n = samples.size();
    if (n == 0) {
        std::printf("%-46s no runs\n", what);
        return;
    }
    double median = samples[n / 2];
    double p95 = samples[std::min(n, (n * 95 + 99) / 100) - 1];  // nearest rank
    std::printf("%-46s %4zu runs  median %6.2f ms (%.2f frame)  p95 %6.2f ms (%.2f frame)\n", what,
                n, median, median / frameMs, p95, p95 / frameMs);
}
