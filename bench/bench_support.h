/*
 * What the benchmark programs share: a clock in milliseconds, the age of
 * the process, a message pump, the end of a window's next paint, and the
 * figures printed as the README quotes them.  The window benchmarks that
 * run at the end of launcher_bench are declared here too.
 */
#ifndef TAV_BENCH_BENCH_SUPPORT_H
#define TAV_BENCH_BENCH_SUPPORT_H

#include <windows.h>

#include <cstdio>
#include <functional>
#include <vector>

// How long the calling process has existed, in milliseconds: from the
// creation time the system recorded for it to now, on the precise clock
// where the system has one (Windows 8 and later, Wine).  Inline, for
// tray_floor and hook_bench, which link nothing else of this.
inline double ProcessAgeMs()
{
    using PreciseTime = VOID(WINAPI*)(LPFILETIME);
    static const PreciseTime precise = reinterpret_cast<PreciseTime>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME now, created, exited, kernel, user;
    if (precise != nullptr)
        precise(&now);
    else
        GetSystemTimeAsFileTime(&now);
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER from = {{created.dwLowDateTime, created.dwHighDateTime}};
    ULARGE_INTEGER to = {{now.dwLowDateTime, now.dwHighDateTime}};
    return static_cast<double>(to.QuadPart - from.QuadPart) / 10000.0;
}

// A hidden popup tool window of a class of its own with the default window
// procedure.  Inline, as above.
inline HWND CreateHiddenWindow(const char* className)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(WS_EX_TOOLWINDOW, className, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

// HKEY_CURRENT_USER redirected to a scratch key of the process's own, so
// that a benchmark never touches the user's settings, and given back with
// the scratch key deleted.  RedirectCurrentUser fails when the redirection
// cannot be made; the benchmark must then stop before it writes anything.
// Inline, as above.
struct ScratchUser {
    HKEY Root = nullptr;
    char Name[64] = "";
};

inline bool RedirectCurrentUser(ScratchUser* user)
{
    std::snprintf(user->Name, sizeof user->Name, "Software\\TavBench-%lu", GetCurrentProcessId());
    if (RegCreateKeyExA(HKEY_CURRENT_USER, user->Name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &user->Root, nullptr)
        != ERROR_SUCCESS)
        return false;
    if (RegOverridePredefKey(HKEY_CURRENT_USER, user->Root) == ERROR_SUCCESS)
        return true;
    RegCloseKey(user->Root);
    RegDeleteKeyA(HKEY_CURRENT_USER, user->Name);
    return false;
}

inline void RestoreCurrentUser(ScratchUser* user)
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(user->Root);
    RegDeleteTreeA(HKEY_CURRENT_USER, user->Name);
    RegDeleteKeyA(HKEY_CURRENT_USER, user->Name);
}

// Milliseconds from the performance counter.
double Now();

// Runs the thread's messages, as a message loop would, until done() holds
// (true) or a second has passed (false).
bool PumpUntil(const std::function<bool()>& done);
inline void PumpAll()
{
    PumpUntil([] { return true; });
}

// Watches one window's paints by wrapping its window procedure; the
// procedure is given back when the clock goes.
class PaintClock {
public:
    explicit PaintClock(HWND window);
    ~PaintClock();
    PaintClock(const PaintClock&) = delete;
    PaintClock& operator=(const PaintClock&) = delete;

    // Runs the thread's messages until the window has painted once more: the
    // time from start to the end of that paint, or -1 after a second
    // without one.
    double UntilPainted(double start);
    double LastPaintMs() const { return end_ - start_; }  // the WM_PAINT alone

private:
    static LRESULT CALLBACK Timed(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_;
    WNDPROC wrapped_;
    int paints_ = 0;
    double start_ = 0, end_ = 0;
};

struct Figures {
    double Median;
    double P95;  // nearest rank
};
Figures Summarize(std::vector<double> samples);

// "<what>  <n> runs  median … ms (… frame)  p95 … ms (… frame)", a frame
// being one 60 Hz frame; "no runs" without samples.
void PrintLatency(const char* what, const std::vector<double>& samples);

// Opening a level of the setup window and a hover change; the options
// dialog's preview after a change of the transparency and of a colour.
// Both over the menu in the (redirected) registry.
void RunSetupWindowBench();
void RunPreviewBenchmark();

#endif
