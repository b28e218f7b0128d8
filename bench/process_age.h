/*
 * How long the calling process has existed, for the start-up benchmarks:
 * from the creation time the system recorded for it to now, in
 * milliseconds.  The precise clock where the system has one (Windows 8 and
 * later, Wine), else the plain one (a tick of about 16 ms on older Windows).
 */
#ifndef TAV_BENCH_PROCESS_AGE_H
#define TAV_BENCH_PROCESS_AGE_H

#include <windows.h>

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
    ULARGE_INTEGER from, to;
    from.LowPart = created.dwLowDateTime;
    from.HighPart = created.dwHighDateTime;
    to.LowPart = now.dwLowDateTime;
    to.HighPart = now.dwHighDateTime;
    return static_cast<double>(to.QuadPart - from.QuadPart) / 10000.0;
}

#endif
