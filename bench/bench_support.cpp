/*
 * What the benchmark programs share.
 */
#include "bench_support.h"

#include <algorithm>
#include <cstdio>

namespace {

const char kClockProperty[] = "TavBenchPaintClock";

}  // namespace

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool PumpUntil(const std::function<bool()>& done)
{
    const double start = Now();
    for (;;) {
        MSG message;
        while (!done() && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done())
            return true;
        if (Now() - start > 1000.0)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

PaintClock::PaintClock(HWND window) : window_(window)
{
    SetPropA(window, kClockProperty, this);
    wrapped_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Timed)));
}

PaintClock::~PaintClock()
{
    if (IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wrapped_));
        RemovePropA(window_, kClockProperty);
    }
}

LRESULT CALLBACK PaintClock::Timed(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* clock = static_cast<PaintClock*>(GetPropA(window, kClockProperty));
    if (message == WM_PAINT)
        clock->start_ = Now();
    LRESULT result = CallWindowProcA(clock->wrapped_, window, message, wParam, lParam);
    if (message == WM_PAINT) {
        clock->end_ = Now();
        ++clock->paints_;
    }
    return result;
}

double PaintClock::UntilPainted(double start)
{
    const int before = paints_;
    return PumpUntil([&] { return paints_ != before; }) ? end_ - start : -1;
}

Figures Summarize(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    if (n == 0)
        return {0, 0};
    return {samples[n / 2], samples[std::min(n, (n * 95 + 99) / 100) - 1]};
}

void PrintLatency(const char* what, const std::vector<double>& samples)
{
    const double frameMs = 1000.0 / 60.0;
    if (samples.empty()) {
        std::printf("%-46s no runs\n", what);
        return;
    }
    const Figures f = Summarize(samples);
    std::printf("%-46s %4zu runs  median %6.2f ms (%.2f frame)  p95 %6.2f ms (%.2f frame)\n", what,
                samples.size(), f.Median, f.Median / frameMs, f.P95, f.P95 / frameMs);
}
