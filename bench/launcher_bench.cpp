/*
 * Benchmark of the resident launcher, measured inside the real launcher
 * window: the program's own start-up code, window procedure, painting and
 * store, driven by the messages the system would send.  Prints:
 *
 *  - the time from process start to the tray icon being added (a start with
 *    an empty registry, as the program's first start);
 *  - launcher key (a queued WM_HOTKEY) to the end of the first WM_PAINT of
 *    the shown launcher, 37 lines with gradient and alpha blending;
 *  - a submenu key (a queued WM_KEYDOWN) to the end of the WM_PAINT of the
 *    new level, and Backspace back to the top level;
 *  - private memory and GDI/USER object counts after start and after 1,000
 *    show/hide cycles.  Private memory is the committed private part of the
 *    address space, summed region by region with VirtualQuery, as Windows
 *    counts private bytes: under Wine PrivateUsage reads 0 (it is printed
 *    beside it).  scripts/bench.sh adds the Wine process's resident set.
 *
 * Latencies are given as median and 95th percentile over 300 runs each, in
 * milliseconds and as a fraction of one 60 Hz frame (16.7 ms).
 *
 * HKEY_CURRENT_USER is redirected to a scratch key for the whole run, so
 * the benchmark never touches a user's settings.
 *
 * Object counts: GetGuiResources reads 0 under Wine, so the benchmark
 * probes the handle tables instead.  GDI handles carry their table index in
 * the low 16 bits and the system accepts an index alone, so GetObjectType
 * over the 65,536 indices counts the live GDI objects of the process
 * (stock objects included, a constant).  USER handles work the same way:
 * IsWindow and IsMenu over the 16-bit values count the windows of this
 * process and the menus.
 */
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/launcher_window.h"
#include "base/optional_apis.h"
#include "res/resource.h"
#include "store/entry_tree.h"
#include "store/registry.h"
#include "store/res_string.h"
#include "store/settings.h"
#include "preview_bench.h"
#include "setup_window_bench.h"

namespace {

const int kRuns = 300;
const int kCycles = 1000;
const double kFrameMs = 1000.0 / 60.0;

LARGE_INTEGER Frequency;

double Now()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(Frequency.QuadPart);
}

// ---- the window, timed

double PaintEnd;  // when the last WM_PAINT handling returned
int Paints;

LRESULT CALLBACK TimedWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = LauncherWndProc(window, message, wParam, lParam);
    if (message == WM_PAINT) {
        PaintEnd = Now();
        ++Paints;
    }
    return result;
}

// Runs the thread's queued messages, as the message loop would; stops early
// once stop() holds.
template <typename Stop>
void Pump(Stop stop)
{
    MSG message;
    while (!stop() && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void PumpAll()
{
    Pump([] { return false; });
}

// Runs the thread's messages until a WM_PAINT has been handled (1) or a
// second has passed without one (0).
int PumpUntilPainted()
{
    int before = Paints;
    double start = Now();
    for (;;) {
        Pump([before] { return Paints != before; });
        if (Paints != before)
            return 1;
        if (Now() - start > 1000.0)
            return 0;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// ---- what the process holds

struct Footprint {
    double PrivateMb;       // committed private memory, summed with VirtualQuery
    double PrivateUsageMb;  // PROCESS_MEMORY_COUNTERS_EX.PrivateUsage
    int GdiObjects;
    int UserObjects;
};

int CountGdiObjects()
{
    int count = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0)
            ++count;
    }
    return count;
}

int CountUserObjects()
{
    int count = 0;
    DWORD self = GetCurrentProcessId();
    for (ULONG_PTR value = 0x20; value < 0x10000; value += 2) {
        HWND window = reinterpret_cast<HWND>(value);
        DWORD owner = 0;
        if (IsWindow(window) && GetWindowThreadProcessId(window, &owner) && owner == self)
            ++count;
        else if (IsMenu(reinterpret_cast<HMENU>(value)))
            ++count;
    }
    return count;
}

// Committed private pages of the process's address space, as Windows counts
// "private bytes".  Under Wine PrivateUsage is not filled in (it reads 0),
// so the regions are summed here.
double PrivateCommitMb()
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const char* address = static_cast<const char*>(system.lpMinimumApplicationAddress);
    const char* end = static_cast<const char*>(system.lpMaximumApplicationAddress);
    unsigned long long bytes = 0;
    MEMORY_BASIC_INFORMATION region;
    while (address < end && VirtualQuery(address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            bytes += region.RegionSize;
        address = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    }
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

Footprint Measure()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    Footprint footprint;
    footprint.PrivateMb = PrivateCommitMb();
    footprint.PrivateUsageMb = static_cast<double>(counters.PrivateUsage) / (1024.0 * 1024.0);
    footprint.GdiObjects = CountGdiObjects();
    footprint.UserObjects = CountUserObjects();
    return footprint;
}

// Prints the footprint, then holds still for a moment: scripts/bench.sh
// reads the Wine process's resident set from outside when it sees the line
// (inside, /proc/self would be the Wine server that opens the file).
void PrintFootprint(const char* when, const Footprint& f)
{
    std::printf("%-46s private %.2f MB (PrivateUsage %.2f MB), GDI %d, USER %d\n", when,
                f.PrivateMb, f.PrivateUsageMb, f.GdiObjects, f.UserObjects);
    std::fflush(stdout);
    Sleep(1500);
}

// ---- figures

struct Figures {
    double Median;
    double P95;
};

Figures Summarize(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    size_t n = samples.size();
    if (n == 0)
        return {0, 0};
    size_t p95 = (n * 95 + 99) / 100;  // nearest-rank
    return {samples[n / 2], samples[std::min(n, p95) - 1]};
}

void PrintLatency(const char* what, const std::vector<double>& samples)
{
    Figures f = Summarize(samples);
    std::printf("%-46s %4zu runs  median %6.2f ms (%.2f frame)  p95 %6.2f ms (%.2f frame)\n", what,
                samples.size(), f.Median, f.Median / kFrameMs, f.P95, f.P95 / kFrameMs);
}

// ---- the scratch registry

HKEY ScratchRoot;
char ScratchName[64];

void RedirectCurrentUser()
{
    HKEY software;
    RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &software);
    std::snprintf(ScratchName, sizeof ScratchName, "TavBench-%lu", GetCurrentProcessId());
    RegCreateKeyExA(software, ScratchName, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &ScratchRoot,
                    nullptr);
    RegCloseKey(software);
    RegOverridePredefKey(HKEY_CURRENT_USER, ScratchRoot);
}

void RestoreCurrentUser()
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(ScratchRoot);
    HKEY software;
    RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &software);
    RegDeleteTreeA(software, ScratchName);
    RegDeleteKeyA(software, ScratchName);
    RegCloseKey(software);
}

// 36 entries at the top level, "S" a submenu of 36 entries; all 37 lines
// shown, gradient and alpha blending on (the defaults), hot key Ctrl+Alt+T.
void PrepareMenu()
{
    std::string window = ResString(IDS_KEY_WINDOW);
    std::string key = ResString(IDS_KEY_KEY);
    StoreWriteDword("ShowAllKey", window.c_str(), 1);
    StoreWriteDword("UseGrad", window.c_str(), 1);
    StoreWriteDword("UseAlphaBlend", window.c_str(), 1);
    StoreWriteDword("Left", window.c_str(), 200);
    StoreWriteDword("Top", window.c_str(), 50);
    StoreWriteDword("OpenHotKey", key.c_str(), 'T');
    StoreWriteDword("OpenHotKeyEx", key.c_str(), MOD_CONTROL | MOD_ALT);
    StoreWriteDword("CheckIME", key.c_str(), 0);

    for (int level = 0; level < 2; ++level) {
        const char* keyPath = level == 0 ? "" : "S";
        for (int slot = 1; slot < kSlotCount; ++slot) {
            EntryRecord entry;
            std::memset(&entry, 0, sizeof entry);
            std::snprintf(entry.Title, sizeof entry.Title, "%s program number %02d",
                          level == 0 ? "Top" : "Sub", slot);
            std::snprintf(entry.Program, sizeof entry.Program, "C:\\Programs\\program%02d.exe",
                          slot);
            if (level == 0 && slot == 19) {
                std::strcpy(entry.Title, "Submenu");
                std::strcpy(entry.Program, SUBMENU_MARKER);
            }
            WriteEntry(keyPath, slot, &entry);
        }
    }
}

// The program's start-up up to the tray icon: WM_CREATE adds it.
HWND StartLauncher()
{
    LoadSettings(&Launcher);
    Selection = 1;
    KeyPath[0] = '\0';
    HotKeyAtom = 0;
    HWND window = CreateLauncherWindow(&Launcher);
    LauncherWindow = window;
    return window;
}

void StopLauncher(HWND window)
{
    DestroyWindow(window);
    PumpAll();
    UnregisterClassA("Tav", GetModuleHandleA(nullptr));
}

// Shows the launcher by the queued hot key and hides it with Esc; the time
// to the end of the first paint, or -1 when no paint came.
double ShowHideOnce(HWND window)
{
    double start = Now();
    PostMessageA(window, WM_HOTKEY, HotKeyAtom, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'T'));
    int painted = PumpUntilPainted();
    double latency = PaintEnd - start;
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpAll();
    return painted ? latency : -1;
}

}  // namespace

int main()
{
    QueryPerformanceFrequency(&Frequency);
    RedirectCurrentUser();

    // 1. Start-up as the program does it, with an empty registry.
    LoadOptionalApis();
    LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDA_SETUP));
    HWND window = StartLauncher();
    FILETIME created, exited, kernel, user, now;
    GetSystemTimeAsFileTime(&now);
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER from, to;
    from.LowPart = created.dwLowDateTime;
    from.HighPart = created.dwHighDateTime;
    to.LowPart = now.dwLowDateTime;
    to.HighPart = now.dwHighDateTime;
    double startMs = static_cast<double>(to.QuadPart - from.QuadPart) / 10000.0;
    if (window == nullptr) {
        std::printf("the launcher window could not be created\n");
        RestoreCurrentUser();
        return 1;
    }
    StopLauncher(window);

    // 2. The benchmark's menu, and the launcher started again over it.
    PrepareMenu();
    window = StartLauncher();
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimedWndProc));
    PumpAll();
    std::printf("Tav launcher benchmark (in-process, real launcher window)\n");
    std::printf("%-46s %.1f ms\n", "process start to tray icon added", startMs);
    PrintFootprint("after start", Measure());

    for (int i = 0; i < 20; ++i)
        ShowHideOnce(window);

    std::vector<double> show;
    int unpainted = 0;
    for (int i = 0; i < kRuns; ++i) {
        double latency = ShowHideOnce(window);
        if (latency < 0)
            ++unpainted;
        else
            show.push_back(latency);
    }

    // A submenu key and Backspace on the shown launcher.  Should the timer
    // hide it (another window in front), it is shown again and the run
    // does not count.
    std::vector<double> descend;
    std::vector<double> ascend;
    int reshown = 0;
    PostMessageA(window, WM_HOTKEY, HotKeyAtom, 0);
    PumpUntilPainted();
    for (int i = 0; i < kRuns + 20; ++i) {
        if (!IsWindowVisible(window)) {
            PostMessageA(window, WM_HOTKEY, HotKeyAtom, 0);
            PumpUntilPainted();
            ++reshown;
        }
        double start = Now();
        PostMessageA(window, WM_KEYDOWN, 'S', 0);
        int painted = PumpUntilPainted();
        double down = PaintEnd - start;
        bool inSubmenu = std::strcmp(KeyPath, "S") == 0 && Launcher.LineCount == kSlotCount;
        start = Now();
        PostMessageA(window, WM_KEYDOWN, VK_BACK, 0);
        painted &= PumpUntilPainted();
        double up = PaintEnd - start;
        if (i >= 20 && painted && inSubmenu && IsWindowVisible(window)) {
            descend.push_back(down);
            ascend.push_back(up);
        }
    }
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpAll();

    Footprint before = Measure();
    PrintFootprint("before 1,000 show/hide cycles", before);
    for (int i = 0; i < kCycles; ++i)
        ShowHideOnce(window);
    Footprint after = Measure();
    PrintFootprint("after 1,000 show/hide cycles", after);

    PrintLatency("launcher key to end of first paint", show);
    PrintLatency("submenu key to end of repaint (37 lines)", descend);
    PrintLatency("Backspace to end of repaint (37 lines)", ascend);
    if (unpainted || reshown)
        std::printf("(runs without a paint: %d; launcher shown again: %d)\n", unpainted, reshown);
    int leaked = (after.GdiObjects != before.GdiObjects) || (after.UserObjects != before.UserObjects);
    std::printf("object growth over the cycles: GDI %+d, USER %+d%s\n",
                after.GdiObjects - before.GdiObjects, after.UserObjects - before.UserObjects,
                leaked ? "  <-- LEAK" : "");

    StopLauncher(window);
    RunSetupWindowBench();
    FreeOptionalApis();
    RunPreviewBenchmark();
    RestoreCurrentUser();
    return leaked ? 1 : 0;
}
