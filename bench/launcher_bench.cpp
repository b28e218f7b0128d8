/*
 * Benchmark of the resident launcher inside the real launcher window (the
 * program's start-up code, window procedure, painting and store, driven by
 * the messages the system would send), each figure beside a floor measured
 * in turn in the same run: a bare popup of the launcher's size and place
 * that a queued message brings to the foreground and shows and that fills
 * itself with one colour.  Before each show a screen-sized window of
 * another thread comes to the front, in one series painted anew first.
 * What it prints, and how memory and objects are counted under Wine, is in
 * the README ("Speed and footprint").  HKEY_CURRENT_USER is redirected to
 * a scratch key for the whole run.
 */
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "base/optional_apis.h"
#include "bench_support.h"
#include "core/launcher_window.h"
#include "draw/geometry.h"
#include "draw/paint.h"
#include "res/resource.h"
#include "store/entry_tree.h"
#include "store/registry.h"
#include "store/res_string.h"
#include "store/settings.h"

namespace {

const int kRuns = 300;
const int kWarmUp = 20;
const int kCycles = 1000;
const int kStarts = 15;

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

// Paints the window's update region with the brush.
void Fill(HWND window, HBRUSH brush)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    FillRect(dc, &paint.rcPaint, brush);
    EndPaint(window, &paint);
}

// ---- the floor: the least any program does to show such a window

const UINT kFloorShow = WM_APP + 1;

LRESULT CALLBACK FloorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kFloorShow:
        SetForegroundWindow(window);
        ShowWindow(window, SW_SHOW);
        return 0;
    case WM_PAINT: {
        static const HBRUSH kBrush = CreateSolidBrush(RGB(0, 0, 160));
        Fill(window, kBrush);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// ---- another program's window in front: a screen-sized window of a thread
// of its own, which changes its colour on request

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

    // Before a show: optionally paints the desk in its next colour (and
    // gives Wine a moment to hand the pixels to the X server), then makes it
    // the foreground window again and waits until it is.
    void Prepare(bool change)
    {
        HWND desk = window_.load();
        if (change) {
            SendMessageA(desk, kChange, 0, 0);
            Sleep(30);
        }
        if (GetForegroundWindow() != desk) {
            SetForegroundWindow(desk);
            PumpUntil([desk] { return GetForegroundWindow() == desk; });
        }
    }

private:
    static const UINT kChange = WM_APP + 2;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        // Three colours in turn: launcher and floor each change it, and the
        // launcher must find another colour than at its own last show.
        static const COLORREF kColours[3] = {RGB(200, 200, 200), RGB(90, 120, 200), RGB(60, 150, 90)};
        static int colour;
        switch (message) {
        case kChange:
            colour = (colour + 1) % 3;
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            return 0;
        case WM_PAINT: {
            HBRUSH brush = CreateSolidBrush(kColours[colour]);
            Fill(window, brush);
            DeleteObject(brush);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
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

Footprint Measure()
{
    Footprint f = {};
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const char* address = static_cast<const char*>(system.lpMinimumApplicationAddress);
    MEMORY_BASIC_INFORMATION region;
    while (address < static_cast<const char*>(system.lpMaximumApplicationAddress) && VirtualQuery(address, &region, sizeof region)) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            f.PrivateMb += static_cast<double>(region.RegionSize) / (1024.0 * 1024.0);
        address = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    }
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    f.PrivateUsageMb = static_cast<double>(counters.PrivateUsage) / (1024.0 * 1024.0);
    const DWORD self = GetCurrentProcessId();
    for (ULONG_PTR value = 1; value < 0x10000; ++value) {
        f.GdiObjects += GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0;
        if (value < 0x20 || value % 2 != 0)
            continue;
        HWND window = reinterpret_cast<HWND>(value);
        DWORD owner = 0;
        f.UserObjects += (IsWindow(window) && GetWindowThreadProcessId(window, &owner) && owner == self)
                         || IsMenu(reinterpret_cast<HMENU>(value));
    }
    return f;
}

// Prints the footprint, then holds still for a moment: scripts/bench.sh
// reads the Wine process's resident set from outside when it sees the line.
void PrintFootprint(const char* when, const Footprint& f)
{
    std::printf("%-46s private %.2f MB (PrivateUsage %.2f MB), GDI %d, USER %d\n", when, f.PrivateMb,
                f.PrivateUsageMb, f.GdiObjects, f.UserObjects);
    std::fflush(stdout);
    Sleep(1500);
}

// One row: median and p95, and their ratios to the floor's (none for a row
// of the floor itself).
void PrintRow(const char* what, const std::vector<double>& samples, const std::vector<double>* floor = nullptr,
              const char* floorName = "floor")
{
    Figures f = Summarize(samples);
    std::printf("%-44s median %6.2f ms  p95 %6.2f ms", what, f.Median, f.P95);
    Figures base = floor != nullptr ? Summarize(*floor) : Figures{0, 0};
    if (base.Median > 0 && base.P95 > 0)
        std::printf("  x%.2f / x%.2f %s", f.Median / base.Median, f.P95 / base.P95, floorName);
    std::printf("\n");
}

// ---- the scratch registry, the menu and the launcher

ScratchUser Scratch;

// 36 entries at the top level, "S" a submenu of 36 entries; all 37 lines
// shown, gradient and alpha blending on (the defaults), hot key Ctrl+Alt+T.
void PrepareMenu()
{
    const std::string window = ResString(IDS_KEY_WINDOW), key = ResString(IDS_KEY_KEY);
    for (const char* name : {"ShowAllKey", "UseGrad", "UseAlphaBlend"})
        StoreWriteDword(name, window.c_str(), 1);
    StoreWriteDword("Left", window.c_str(), 200);
    StoreWriteDword("Top", window.c_str(), 50);
    StoreWriteDword("OpenHotKey", key.c_str(), 'T');
    StoreWriteDword("OpenHotKeyEx", key.c_str(), MOD_CONTROL | MOD_ALT);
    StoreWriteDword("CheckIME", key.c_str(), 0);
    for (const char* keyPath : {"", "S"}) {
        for (int slot = 1; slot < kSlotCount; ++slot) {
            EntryRecord entry = {};
            std::snprintf(entry.Title, sizeof entry.Title, "%s program number %02d", *keyPath ? "Sub" : "Top", slot);
            std::snprintf(entry.Program, sizeof entry.Program, "C:\\Programs\\program%02d.exe", slot);
            if (*keyPath == '\0' && slot == 19) {
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
    return LauncherWindow = CreateLauncherWindow(&Launcher);
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
    auto nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; imports.VirtualAddress != 0 && module->Name != 0; ++module) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + module->Name), "shell32.dll") != 0)
            continue;
        auto names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
        auto slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)
                || std::strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name,
                               "Shell_NotifyIconA") != 0)
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
// 36 x 15 entries, each with a key of its own: slot 1 of every level but
// the deepest a submenu; the 36 key characters' keys with the 15
// combinations of Alt, Ctrl, Shift and Win, one combination per level.
void PutKeyedMenu()
{
    std::string keyPath;
    for (int level = 0; level < 15; ++level, keyPath += 'A')
        for (int slot = 1; slot <= 36; ++slot) {
            EntryRecord entry = {};
            lstrcpynA(entry.Title, "Keyed", sizeof entry.Title);
            lstrcpynA(entry.Program, slot == 1 && level < 14 ? SUBMENU_MARKER : "x.exe",
                      sizeof entry.Program);
            WriteEntry(keyPath.c_str(), slot, &entry);
            WriteEntryHotKey(keyPath.c_str(), slot,
                             MakeEntryKey(static_cast<unsigned char>(KeyChar(slot - 1)), level + 1));
        }
}

// Prints the ages at the tray icon and at the window created, and the time
// the window's creation took (its keys registered); with keys, over the
// keyed menu, which is stored before the clock of the last figure starts.
int RunStartUp(bool keys)
{
    bool timed = TimeTrayIcon();
    if (!RedirectCurrentUser(&Scratch)) {
        std::printf("-1 -1 -1\n");
        return 1;
    }
    if (keys)
        PutKeyedMenu();
    LoadOptionalApis();
    LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDA_SETUP));
    const double before = ProcessAgeMs();
    HWND window = StartLauncher();
    double ms = ProcessAgeMs();
    std::printf("%.3f %.3f %.3f\n", window != nullptr && timed ? TrayIconAddedMs : -1.0,
                window != nullptr ? ms : -1.0, window != nullptr ? ms - before : -1.0);
    std::fflush(stdout);
    if (window != nullptr)
        StopLauncher(window);
    FreeOptionalApis();
    RestoreCurrentUser(&Scratch);
    return 0;
}

// Runs a program of this folder with arguments and returns the numbers it
// prints (milliseconds of its start-up); -1 for each it does not.
std::vector<double> RunChild(const char* program, const char* arguments, size_t count)
{
    std::vector<double> numbers(count, -1.0);
    char self[MAX_PATH];
    std::string path(self, GetModuleFileNameA(nullptr, self, sizeof self));
    std::string command = "\"" + path.substr(0, path.find_last_of('\\') + 1) + program + "\" " + arguments;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return numbers;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    BOOL started =
        CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
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
    char* text = &output[0];
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

struct Windows {
    HWND Launcher, Floor;
    PaintClock& LauncherClock;
    PaintClock& FloorClock;
    DeskWindow& Desk;
};

// Shows the launcher by the queued hot key, or the floor by its message, and
// hides it again; the time to the end of the first paint, or -1.
double ShowOnce(Windows& w, bool floor, bool changeScreen)
{
    w.Desk.Prepare(changeScreen);
    double start = Now();
    if (floor)
        PostMessageA(w.Floor, kFloorShow, 0, 0);
    else
        PostMessageA(w.Launcher, WM_HOTKEY, HotKeyAtom, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'T'));
    double latency = (floor ? w.FloorClock : w.LauncherClock).UntilPainted(start);
    if (floor)
        ShowWindow(w.Floor, SW_HIDE);
    else
        SendMessageA(w.Launcher, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpAll();
    return latency;
}

// The timed parts of one show; a row of samples each.
struct Breakdown {
    std::vector<double> Foreground, Move, Copy, Show, Paint, Total;
};

// ShowLauncher's steps one by one, in its order, then the first paint; the
// floor's foreground, show and paint.  Over a changed screen.
void ShowStepByStep(Windows& w, bool floor, Breakdown* b)
{
    w.Desk.Prepare(true);
    HWND window = floor ? w.Floor : w.Launcher;
    double t[5];
    t[0] = Now();
    if (floor) {
        SetForegroundWindow(window);
        t[1] = t[2] = t[3] = Now();
        ShowWindow(window, SW_SHOW);
    } else {
        ForceForeground(window);
        t[1] = Now();
        MoveToShowPosition(window, &Launcher, KeyPath);
        t[2] = Now();
        CaptureBackground(window, &Launcher.BackgroundCapture);
        t[3] = Now();
        ShowAndFocus(window);
    }
    t[4] = Now();
    if (!floor)
        SetTimer(window, LAUNCHER_TIMER_ID, LAUNCHER_TIMER_PERIOD, nullptr);
    PaintClock& clock = floor ? w.FloorClock : w.LauncherClock;
    double total = clock.UntilPainted(t[0]);
    if (total >= 0) {
        b->Foreground.push_back(t[1] - t[0]);
        b->Move.push_back(t[2] - t[1]);
        b->Copy.push_back(t[3] - t[2]);
        b->Show.push_back(t[4] - t[3]);
        b->Paint.push_back(clock.LastPaintMs());
        b->Total.push_back(total);
    }
    if (floor)
        ShowWindow(window, SW_HIDE);
    else
        SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpAll();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "start") == 0)
        return RunStartUp(argc > 2 && std::strcmp(argv[2], "keys") == 0);

    // 1. Start-up against the floor program, in turn.
    std::vector<double> tavTray, tavReady, floorStart, created, createdWithKeys;
    for (int i = 0; i < kStarts; ++i) {
        std::vector<double> keyed = RunChild("launcher_bench.exe", "start keys", 3);
        if (keyed[2] > 0)
            createdWithKeys.push_back(keyed[2]);
        std::vector<double> tav = RunChild("launcher_bench.exe", "start", 3);
        if (tav[2] > 0)
            created.push_back(tav[2]);
        double floor = RunChild("tray_floor.exe", "", 1)[0];
        if (tav[0] > 0 && tav[1] > 0 && floor > 0) {
            tavTray.push_back(tav[0]);
            tavReady.push_back(tav[1]);
            floorStart.push_back(floor);
        }
    }

    // 2. The benchmark's menu, the launcher started over it, the floor
    // beside it and another program's window in front.
    if (!RedirectCurrentUser(&Scratch)) {
        std::printf("HKEY_CURRENT_USER could not be redirected to a scratch key\n");
        return 1;
    }
    LoadOptionalApis();
    LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDA_SETUP));
    PrepareMenu();
    HWND window = StartLauncher();
    if (window == nullptr) {
        std::printf("the launcher window could not be created\n");
        RestoreCurrentUser(&Scratch);
        return 1;
    }
    PaintClock launcherClock(window);
    PumpAll();
    DeskWindow desk;
    std::printf("Tav launcher benchmark (in-process, real launcher window)\n");
    PrintFootprint("after start", Measure());

    // The floor takes the place and size the launcher has when shown.
    desk.Prepare(false);
    PostMessageA(window, WM_HOTKEY, HotKeyAtom, 0);
    launcherClock.UntilPainted(Now());
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpAll();
    RECT rect;
    GetWindowRect(window, &rect);
    HWND floor = CreatePopup("TavBenchFloor", FloorWndProc, WS_EX_TOOLWINDOW, 0, rect);
    PaintClock floorClock(floor);
    Windows w = {window, floor, launcherClock, floorClock, desk};

    // Shown over the same screen as the last time, and over a changed one.
    std::vector<double> show[2], floorShow[2];
    int unpainted = 0;
    for (int changed = 0; changed < 2; ++changed) {
        for (int i = 0; i < kWarmUp + kRuns; ++i) {
            double latency = ShowOnce(w, false, changed != 0);
            double floorLatency = ShowOnce(w, true, changed != 0);
            if (latency < 0 || floorLatency < 0) {
                ++unpainted;
            } else if (i >= kWarmUp) {
                show[changed].push_back(latency);
                floorShow[changed].push_back(floorLatency);
            }
        }
    }
    Breakdown steps, floorSteps;
    for (int i = 0; i < kRuns; ++i) {
        ShowStepByStep(w, false, &steps);
        ShowStepByStep(w, true, &floorSteps);
    }

    // A submenu key and Backspace on the shown launcher.  Should the
    // timer hide it (another window in front), it is shown again and the
    // run does not count.
    std::vector<double> descend, ascend;
    int reshown = 0;
    auto timed = [&](UINT message, WPARAM wParam) {
        double start = Now();
        PostMessageA(window, message, wParam, 0);
        return launcherClock.UntilPainted(start);
    };
    for (int i = 0; i < kRuns + kWarmUp; ++i) {
        if (!IsWindowVisible(window)) {
            timed(WM_HOTKEY, HotKeyAtom);
            reshown += i > 0;
        }
        double down = timed(WM_KEYDOWN, 'S');
        bool inSubmenu = std::strcmp(KeyPath, "S") == 0 && Launcher.LineCount == kSlotCount;
        double up = timed(WM_KEYDOWN, VK_BACK);
        if (i >= kWarmUp && down >= 0 && up >= 0 && inSubmenu && IsWindowVisible(window)) {
            descend.push_back(down);
            ascend.push_back(up);
        }
    }
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpAll();

    Footprint before = Measure();
    PrintFootprint("before 1,000 show/hide cycles", before);
    for (int i = 0; i < kCycles; ++i)
        ShowOnce(w, false, false);
    Footprint after = Measure();
    PrintFootprint("after 1,000 show/hide cycles", after);

    std::printf("\nShowing, %d runs each, launcher and floor in turn; the floor is a bare %ld x %ld\n"
                "popup shown, brought to the foreground and filled with one colour\n",
                kRuns, rect.right - rect.left, rect.bottom - rect.top);
    PrintRow("floor: message to end of paint", floorShow[0]);
    PrintRow("launcher key to end of first paint", show[0], &floorShow[0]);
    PrintRow("floor, screen changed before each show", floorShow[1]);
    PrintRow("the same, screen changed before each show", show[1], &floorShow[1]);
    PrintRow("submenu key to end of repaint (37 lines)", descend, &floorShow[0]);
    PrintRow("Backspace to end of repaint (37 lines)", ascend, &floorShow[0]);
    if (unpainted || reshown)
        std::printf("(runs without a paint: %d; launcher shown again: %d)\n", unpainted, reshown);

    std::printf("\nOne show step by step, screen changed before each (ratios: to the floor's same\n"
                "step, else to its whole show)\n");
    PrintRow("floor: foreground", floorSteps.Foreground);
    PrintRow("floor: show", floorSteps.Show);
    PrintRow("floor: paint (one colour)", floorSteps.Paint);
    PrintRow("floor: whole show", floorSteps.Total);
    PrintRow("launcher: foreground", steps.Foreground, &floorSteps.Foreground, "foreground");
    PrintRow("launcher: move", steps.Move, &floorSteps.Total);
    PrintRow("launcher: screen copy", steps.Copy, &floorSteps.Total);
    PrintRow("launcher: show and focus", steps.Show, &floorSteps.Show, "show");
    PrintRow("launcher: paint", steps.Paint, &floorSteps.Paint, "paint");
    PrintRow("launcher: whole show", steps.Total, &floorSteps.Total);
    DestroyWindow(floor);

    std::printf("\nProcess start to tray icon, %zu starts each, in turn (empty registry)\n", tavTray.size());
    PrintRow("floor program (tray icon only)", floorStart);
    PrintRow("Tav: to the tray icon added", tavTray, &floorStart);
    PrintRow("Tav: to the launcher window created", tavReady, &floorStart);
    PrintRow("creating the launcher window, empty registry", created);
    PrintRow("creating it with 36 x 15 entry keys registered", createdWithKeys, &created, "empty");

    const bool leaked = after.GdiObjects != before.GdiObjects || after.UserObjects != before.UserObjects;
    std::printf("object growth over the cycles: GDI %+d, USER %+d%s\n", after.GdiObjects - before.GdiObjects,
                after.UserObjects - before.UserObjects, leaked ? "  <-- LEAK" : "");

    StopLauncher(window);
    RunSetupWindowBench();
    FreeOptionalApis();
    RunPreviewBenchmark();
    RestoreCurrentUser(&Scratch);
    return leaked ? 1 : 0;
}
