/*
 * Benchmark of the resident launcher, measured inside the real launcher
 * window: the program's own start-up code, window procedure, painting and
 * store, driven by the messages the system would send, each figure beside a
 * floor measured in the same run, so that figures from a busy machine can
 * still be compared.  Prints:
 *
 *  - launcher key (a queued WM_HOTKEY) to the end of the first WM_PAINT of
 *    the shown launcher, 37 lines with gradient and alpha blending, against
 *    the floor: a bare popup window of the launcher's size and place that a
 *    queued message brings to the foreground and shows, and that paints
 *    itself in one colour.  Launcher and floor are shown in turn, each time
 *    from a window of another thread in the foreground, as when the user
 *    works in another program; once with that window as it was at the last
 *    show, once with it painted in another colour before each show (what
 *    lies under the launcher then differs from the last time);
 *  - the same show taken step by step (foreground, move, screen copy, show
 *    and focus, paint), over a changed screen, beside the floor's
 *    foreground, show and paint;
 *  - a submenu key (a queued WM_KEYDOWN) to the end of the WM_PAINT of the
 *    new level, and Backspace back to the top level, against the floor's
 *    show;
 *  - process start to the tray icon being added: Tav's start-up (this
 *    program started again as "launcher_bench start", an empty registry, as
 *    the program's first start; the moment its Shell_NotifyIconA call
 *    returns, and the end of the launcher window's creation) against
 *    tray_floor.exe, a program that only adds a tray icon; the two are
 *    started in turn;
 *  - private memory and GDI/USER object counts after start and after 1,000
 *    show/hide cycles.  Private memory is the committed private part of the
 *    address space, summed region by region with VirtualQuery, as Windows
 *    counts private bytes: under Wine PrivateUsage reads 0 (it is printed
 *    beside it).  scripts/bench.sh adds the Wine process's resident set.
 *
 * Latencies are given as median and 95th percentile over 300 runs each (15
 * starts), in milliseconds, with their ratio to the floor's median and 95th
 * percentile.
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
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "core/launcher_window.h"
#include "base/optional_apis.h"
#include "draw/geometry.h"
#include "draw/paint.h"
#include "process_age.h"
#include "res/resource.h"
#include "store/entry_tree.h"
#include "store/registry.h"
#include "store/res_string.h"
#include "store/settings.h"
#include "preview_bench.h"
#include "setup_window_bench.h"

namespace {

const int kRuns = 300;
const int kWarmUp = 20;
const int kCycles = 1000;
const int kStarts = 15;

LARGE_INTEGER Frequency;

double Now()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(Frequency.QuadPart);
}

// ---- painting, timed: the launcher's window procedure and the floor's
// both mark the start and the end of each WM_PAINT they handle.

double PaintStart;
double PaintEnd;
int Paints;

LRESULT CALLBACK TimedWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
        PaintStart = Now();
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

// Runs the thread's messages until done() holds (1) or a second has passed
// (0).
template <typename Done>
int PumpUntil(Done done)
{
    double start = Now();
    for (;;) {
        Pump(done);
        if (done())
            return 1;
        if (Now() - start > 1000.0)
            return 0;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Runs the thread's messages until a WM_PAINT has been handled (1) or a
// second has passed without one (0).
int PumpUntilPainted()
{
    int before = Paints;
    return PumpUntil([before] { return Paints != before; });
}

// ---- the floor: the least any program does to show such a window

const UINT kFloorShow = WM_APP + 1;
HBRUSH FloorBrush;

LRESULT CALLBACK FloorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kFloorShow:
        SetForegroundWindow(window);
        ShowWindow(window, SW_SHOW);
        return 0;
    case WM_PAINT: {
        PaintStart = Now();
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT all;
        GetClientRect(window, &all);
        FillRect(dc, &all, FloorBrush);
        EndPaint(window, &paint);
        PaintEnd = Now();
        ++Paints;
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// A popup window of a class of its own, which erases nothing: its window
// procedure paints every pixel.
HWND CreatePopup(const char* className, WNDPROC proc, DWORD exStyle, DWORD style, const RECT& rect)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(exStyle, className, "", WS_POPUP | style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

// A hidden popup tool window at the launcher's place and of its size.
HWND CreateFloorWindow(HWND launcher)
{
    FloorBrush = CreateSolidBrush(RGB(0, 0, 160));
    RECT rect;
    GetWindowRect(launcher, &rect);
    return CreatePopup("TavBenchFloor", FloorWndProc, WS_EX_TOOLWINDOW, 0, rect);
}

// ---- another program's window in front: a screen-sized window of a thread
// of its own, with its own message loop, which changes its colour on request
// (what lies under the launcher is then not what it was at the last show)

class DeskWindow {
public:
    DeskWindow() : thread_([this] { Run(); })
    {
        while (window_.load() == nullptr)
            Sleep(1);
    }
    ~DeskWindow()
    {
        PostMessageA(window_.load(), WM_CLOSE, 0, 0);
        thread_.join();
    }
    DeskWindow(const DeskWindow&) = delete;
    DeskWindow& operator=(const DeskWindow&) = delete;

    // Before a show: optionally paints the desk in its other colour (and
    // gives Wine a moment to hand the pixels to the X server), then makes it
    // the foreground window again, as the user's program is before the
    // launcher key, and waits until it is.
    void Prepare(bool change)
    {
        HWND desk = window_.load();
        if (change) {
            SendMessageA(desk, kChange, 0, 0);
            Sleep(30);
        }
        if (GetForegroundWindow() == desk)
            return;
        SetForegroundWindow(desk);
        PumpUntil([desk] { return GetForegroundWindow() == desk; });
    }

private:
    static const UINT kChange = WM_APP + 2;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case kChange:
            // Three colours in turn: launcher and floor each change it, and the
            // launcher must find another colour than at its own last show.
            SetWindowLongPtrA(window, GWLP_USERDATA, (GetWindowLongPtrA(window, GWLP_USERDATA) + 1) % 3);
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            static const COLORREF kColours[3] = {RGB(200, 200, 200), RGB(90, 120, 200),
                                                 RGB(60, 150, 90)};
            HBRUSH brush = CreateSolidBrush(kColours[GetWindowLongPtrA(window, GWLP_USERDATA) % 3]);
            FillRect(dc, &paint.rcPaint, brush);
            DeleteObject(brush);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            break;
        default:
            break;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void Run()
    {
        const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        window_.store(CreatePopup("TavBenchDesk", Proc, 0, WS_VISIBLE, screen));
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0)
            DispatchMessageA(&message);
    }

    std::atomic<HWND> window_{nullptr};
    std::thread thread_;
};

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

// One row: median and p95, and their ratios to the floor's (none for a row
// of the floor itself).
void PrintRow(const char* what, const std::vector<double>& samples, const Figures* floor = nullptr,
              const char* floorName = "")
{
    Figures f = Summarize(samples);
    std::printf("%-44s median %6.2f ms  p95 %6.2f ms", what, f.Median, f.P95);
    if (floor != nullptr && floor->Median > 0 && floor->P95 > 0)
        std::printf("  x%.2f / x%.2f %s", f.Median / floor->Median, f.P95 / floor->P95, floorName);
    std::printf("\n");
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

// ---- start-up

// The process's age when Shell_NotifyIconA first added an icon.
double TrayIconAddedMs = -1;
using NotifyIconProc = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
NotifyIconProc RealNotifyIcon;

BOOL WINAPI TimedNotifyIcon(DWORD message, PNOTIFYICONDATAA data)
{
    BOOL done = RealNotifyIcon(message, data);
    if (message == NIM_ADD && TrayIconAddedMs < 0)
        TrayIconAddedMs = ProcessAgeMs();
    return done;
}

// Points this program's import of Shell_NotifyIconA (through which the tray
// code adds its icon) at TimedNotifyIcon.
bool TimeTrayIcon()
{
    auto base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; imports.VirtualAddress != 0 && module->Name != 0; ++module) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + module->Name), "shell32.dll") != 0)
            continue;
        auto names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
        auto slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(name->Name), "Shell_NotifyIconA") != 0)
                continue;
            DWORD protection;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
            RealNotifyIcon = reinterpret_cast<NotifyIconProc>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(&TimedNotifyIcon);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return true;
        }
    }
    return false;
}

// "launcher_bench start": the program's start-up as WinMain runs it, with
// an empty registry, up to the end of the launcher window's creation;
// prints the process's age when the tray icon was added (in WM_CREATE,
// before the level is loaded and measured) and at the end.
int RunStartUp()
{
    bool timed = TimeTrayIcon();
    RedirectCurrentUser();
    LoadOptionalApis();
    LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDA_SETUP));
    HWND window = StartLauncher();
    double ms = ProcessAgeMs();
    std::printf("%.3f %.3f\n", window != nullptr && timed ? TrayIconAddedMs : -1.0,
                window != nullptr ? ms : -1.0);
    std::fflush(stdout);
    if (window != nullptr)
        StopLauncher(window);
    FreeOptionalApis();
    RestoreCurrentUser();
    return 0;
}

// Runs a program of this folder with arguments and returns the numbers it
// prints (milliseconds of its start-up); -1 for each it does not.
std::vector<double> RunChild(const char* program, const char* arguments, size_t count)
{
    std::vector<double> numbers(count, -1.0);
    char self[MAX_PATH];
    std::string path(self, GetModuleFileNameA(nullptr, self, sizeof self));
    path = path.substr(0, path.find_last_of('\\') + 1) + program;
    std::string command = "\"" + path + "\" " + arguments;

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return numbers;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                                  nullptr, &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    char buffer[256];
    DWORD got = 0;
    while (started && ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
        output.append(buffer, got);
    CloseHandle(readEnd);
    if (!started)
        return numbers;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    const char* text = output.c_str();
    for (double& number : numbers) {
        char* end = nullptr;
        double value = std::strtod(text, &end);
        if (end == text)
            break;
        number = value;
        text = end;
    }
    return numbers;
}

// ---- showing, whole and step by step

// Shows the launcher by the queued hot key and hides it with Esc; the time
// to the end of the first paint, or -1 when no paint came.
double ShowLauncherOnce(HWND window, DeskWindow& desk, bool changeScreen)
{
    desk.Prepare(changeScreen);
    double start = Now();
    PostMessageA(window, WM_HOTKEY, HotKeyAtom, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'T'));
    int painted = PumpUntilPainted();
    double latency = PaintEnd - start;
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpAll();
    return painted ? latency : -1;
}

// The same for the floor, hidden again with SW_HIDE.
double ShowFloorOnce(HWND floor, DeskWindow& desk, bool changeScreen)
{
    desk.Prepare(changeScreen);
    double start = Now();
    PostMessageA(floor, kFloorShow, 0, 0);
    int painted = PumpUntilPainted();
    double latency = PaintEnd - start;
    ShowWindow(floor, SW_HIDE);
    PumpAll();
    return painted ? latency : -1;
}

// The timed parts of one show; a row of samples each.
struct Breakdown {
    std::vector<double> Foreground, Move, Copy, Show, Paint, Total;
};

// ShowLauncher's steps one by one, in its order, then the first paint;
// hidden again with Esc.
void ShowLauncherStepByStep(HWND window, DeskWindow& desk, Breakdown* b)
{
    desk.Prepare(true);
    double t0 = Now();
    ForceForeground(window);
    double t1 = Now();
    MoveToShowPosition(window, &Launcher);
    double t2 = Now();
    CaptureBackground(window, &Launcher.BackgroundCapture);
    double t3 = Now();
    ShowAndFocus(window);
    double t4 = Now();
    SetTimer(window, LAUNCHER_TIMER_ID, LAUNCHER_TIMER_PERIOD, nullptr);
    if (PumpUntilPainted()) {
        b->Foreground.push_back(t1 - t0);
        b->Move.push_back(t2 - t1);
        b->Copy.push_back(t3 - t2);
        b->Show.push_back(t4 - t3);
        b->Paint.push_back(PaintEnd - PaintStart);
        b->Total.push_back(PaintEnd - t0);
    }
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpAll();
}

void ShowFloorStepByStep(HWND floor, DeskWindow& desk, Breakdown* b)
{
    desk.Prepare(true);
    double t0 = Now();
    SetForegroundWindow(floor);
    double t1 = Now();
    ShowWindow(floor, SW_SHOW);
    double t2 = Now();
    if (PumpUntilPainted()) {
        b->Foreground.push_back(t1 - t0);
        b->Show.push_back(t2 - t1);
        b->Paint.push_back(PaintEnd - PaintStart);
        b->Total.push_back(PaintEnd - t0);
    }
    ShowWindow(floor, SW_HIDE);
    PumpAll();
}

}  // namespace

int main(int argc, char** argv)
{
    QueryPerformanceFrequency(&Frequency);
    if (argc > 1 && std::strcmp(argv[1], "start") == 0)
        return RunStartUp();

    // 1. Start-up against the floor program, in turn.
    std::vector<double> tavTray, tavReady, floorStart;
    for (int i = 0; i < kStarts; ++i) {
        std::vector<double> tav = RunChild("launcher_bench.exe", "start", 2);
        double floor = RunChild("tray_floor.exe", "", 1)[0];
        if (tav[0] > 0 && tav[1] > 0 && floor > 0) {
            tavTray.push_back(tav[0]);
            tavReady.push_back(tav[1]);
            floorStart.push_back(floor);
        }
    }

    // 2. The benchmark's menu, the launcher started over it, the floor
    // beside it and another program's window in front.
    RedirectCurrentUser();
    LoadOptionalApis();
    LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDA_SETUP));
    PrepareMenu();
    HWND window = StartLauncher();
    if (window == nullptr) {
        std::printf("the launcher window could not be created\n");
        RestoreCurrentUser();
        return 1;
    }
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimedWndProc));
    PumpAll();
    DeskWindow desk;
    std::printf("Tav launcher benchmark (in-process, real launcher window)\n");
    PrintFootprint("after start", Measure());

    // The floor takes the place and size the launcher has when shown.
    ShowLauncherOnce(window, desk, false);
    HWND floor = CreateFloorWindow(window);

    // Shown over the same screen as the last time, and over a changed one.
    std::vector<double> show[2], floorShow[2];
    int unpainted = 0;
    for (int changed = 0; changed < 2; ++changed) {
        for (int i = 0; i < kWarmUp + kRuns; ++i) {
            double latency = ShowLauncherOnce(window, desk, changed != 0);
            double floorLatency = ShowFloorOnce(floor, desk, changed != 0);
            if (latency < 0 || floorLatency < 0)
                ++unpainted;
            else if (i >= kWarmUp) {
                show[changed].push_back(latency);
                floorShow[changed].push_back(floorLatency);
            }
        }
    }
    Breakdown steps, floorSteps;
    for (int i = 0; i < kRuns; ++i) {
        ShowLauncherStepByStep(window, desk, &steps);
        ShowFloorStepByStep(floor, desk, &floorSteps);
    }

    // A submenu key and Backspace on the shown launcher.  Should the timer
    // hide it (another window in front), it is shown again and the run
    // does not count.
    std::vector<double> descend;
    std::vector<double> ascend;
    int reshown = 0;
    PostMessageA(window, WM_HOTKEY, HotKeyAtom, 0);
    PumpUntilPainted();
    for (int i = 0; i < kRuns + kWarmUp; ++i) {
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
        if (i >= kWarmUp && painted && inSubmenu && IsWindowVisible(window)) {
            descend.push_back(down);
            ascend.push_back(up);
        }
    }
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpAll();

    Footprint before = Measure();
    PrintFootprint("before 1,000 show/hide cycles", before);
    for (int i = 0; i < kCycles; ++i)
        ShowLauncherOnce(window, desk, false);
    Footprint after = Measure();
    PrintFootprint("after 1,000 show/hide cycles", after);

    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("\nShowing, %d runs each, launcher and floor in turn; the floor is a bare %ld x %ld\n"
                "popup shown, brought to the foreground and filled with one colour\n",
                kRuns, rect.right - rect.left, rect.bottom - rect.top);
    Figures floorFigures = Summarize(floorShow[0]);
    Figures floorChanged = Summarize(floorShow[1]);
    PrintRow("floor: message to end of paint", floorShow[0]);
    PrintRow("launcher key to end of first paint", show[0], &floorFigures, "floor");
    PrintRow("floor, screen changed before each show", floorShow[1]);
    PrintRow("the same, screen changed before each show", show[1], &floorChanged, "floor");
    PrintRow("submenu key to end of repaint (37 lines)", descend, &floorFigures, "floor");
    PrintRow("Backspace to end of repaint (37 lines)", ascend, &floorFigures, "floor");
    if (unpainted || reshown)
        std::printf("(runs without a paint: %d; launcher shown again: %d)\n", unpainted, reshown);

    std::printf("\nOne show step by step, screen changed before each (ratios: to the floor's same\n"
                "step, else to its whole show)\n");
    Figures floorTotal = Summarize(floorSteps.Total);
    Figures floorForeground = Summarize(floorSteps.Foreground);
    Figures floorShowStep = Summarize(floorSteps.Show);
    Figures floorPaint = Summarize(floorSteps.Paint);
    PrintRow("floor: foreground", floorSteps.Foreground);
    PrintRow("floor: show", floorSteps.Show);
    PrintRow("floor: paint (one colour)", floorSteps.Paint);
    PrintRow("floor: whole show", floorSteps.Total);
    PrintRow("launcher: foreground", steps.Foreground, &floorForeground, "foreground");
    PrintRow("launcher: move", steps.Move, &floorTotal, "floor");
    PrintRow("launcher: screen copy", steps.Copy, &floorTotal, "floor");
    PrintRow("launcher: show and focus", steps.Show, &floorShowStep, "show");
    PrintRow("launcher: paint", steps.Paint, &floorPaint, "paint");
    PrintRow("launcher: whole show", steps.Total, &floorTotal, "floor");

    Figures floorStartFigures = Summarize(floorStart);
    std::printf("\nProcess start to tray icon, %zu starts each, in turn (empty registry)\n",
                tavTray.size());
    PrintRow("floor program (tray icon only)", floorStart);
    PrintRow("Tav: to the tray icon added", tavTray, &floorStartFigures, "floor");
    PrintRow("Tav: to the launcher window created", tavReady, &floorStartFigures, "floor");

    int leaked = (after.GdiObjects != before.GdiObjects) || (after.UserObjects != before.UserObjects);
    std::printf("object growth over the cycles: GDI %+d, USER %+d%s\n",
                after.GdiObjects - before.GdiObjects, after.UserObjects - before.UserObjects,
                leaked ? "  <-- LEAK" : "");

    DestroyWindow(floor);
    DeleteObject(FloorBrush);
    StopLauncher(window);
    RunSetupWindowBench();
    FreeOptionalApis();
    RunPreviewBenchmark();
    RestoreCurrentUser();
    return leaked ? 1 : 0;
}
