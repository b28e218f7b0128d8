/*
 * Timing for the window benchmarks that run at the end of launcher_bench:
 * a clock in milliseconds, the end of a window's next paint, and the
 * figures printed as the README quotes them.
 */
#ifndef TAV_BENCH_BENCH_SUPPORT_H
#define TAV_BENCH_BENCH_SUPPORT_H

#include <windows.h>

#include <vector>

// Milliseconds from the performance counter.
double Now();

// Watches one window's paints by wrapping its window procedure (one window
// at a time); the procedure is given back when the clock goes.
class PaintClock {
public:
    explicit PaintClock(HWND window);
    ~PaintClock();
    PaintClock(const PaintClock&) = delete;
    PaintClock& operator=(const PaintClock&) = delete;

    // Runs the thread's messages, as a message loop would, until the window
    // has painted once more: the time from start to the end of that paint,
    // or -1 after a second without one.
    double UntilPainted(double start);

private:
    static LRESULT CALLBACK Timed(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_;
};

// "<what>  <n> runs  median … ms (… frame)  p95 … ms (… frame)", a frame
// being one 60 Hz frame; "no runs" without samples.
void PrintLatency(const char* what, std::vector<double> samples);

#endif
