/*
 * The end-to-end tests' eyes and hands inside the Wine desktop where
 * Tav.exe runs.
 *
 *   tav_probe wait-ready <ms>           start-up has ended: the hook library's
 *                                       window exists (SetHook is its last step)
 *   tav_probe wait-shown <ms> [w h]     the launcher shown (with that size);
 *                                       prints "x y w h"
 *   tav_probe wait-hidden <ms>          the launcher created and hidden
 *   tav_probe expect-size <keyPath>     prints "w h" for that level ("" = top)
 *   tav_probe exit <ms>                 command 130, then the window is gone
 *   tav_probe flash <ms>                a window of the probe flashes while
 *                                       another is in front, and comes to the
 *                                       front
 *   tav_probe command <id>              posts the tray command id to Tav
 *   tav_probe tray-menu                 the tray icon's right click: the menu
 *   tav_probe wait <ms> <class> [text]  a visible window of Tav's of the class
 *                                       (and caption); prints "x y w h"
 *   tav_probe gone <ms> <class> [text]  no such window any more
 *   tav_probe center <text> <id>        the centre "x y" of control id in Tav's
 *                                       dialog of that caption
 *   tav_probe clipboard <text>          the text on the clipboard
 *
 * Texts are UTF-8 given as "hex:" and their bytes in hexadecimal: Wine
 * turns non-ASCII arguments into Unicode with the Unix locale, which a
 * machine without that locale lacks.  Exit code 0 when the condition was
 * met, 1 on timeout, 2 on bad usage.
 */
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/launcher_state.h"
#include "base/messages.h"
#include "base/optional_apis.h"
#include "draw/geometry.h"
#include "hook/tav_hook.h"
#include "res/resource.h"
#include "store/entry_tree.h"
#include "store/settings.h"

namespace {

HWND FindLauncher() { return FindWindowA("Tav", "Tav"); }

// A "hex:" argument as text in the ANSI code page, as Tav's windows hold it.
std::string Argument(const char* text)
{
    if (std::strncmp(text, "hex:", 4) != 0)
        return text;
    std::string utf8;
    for (const char* p = text + 4; p[0] != '\0' && p[1] != '\0'; p += 2)
        utf8 += static_cast<char>(std::strtol(std::string(p, 2).c_str(), nullptr, 16));
    wchar_t wide[512] = L"";
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, 512);
    char ansi[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, nullptr, nullptr);
    return ansi;
}

// Runs this thread's messages until condition holds (true) or timeoutMs has
// passed (false).
template <typename Condition>
bool PumpUntil(DWORD timeoutMs, Condition condition)
{
    for (DWORD start = GetTickCount();;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        if (condition())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

void PrintRect(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// The launcher's size for a level of the stored menu: at the top level the
// widest title after the key prefix plus 10 pixels (no "Width" is stored in
// the test's registry), and one line pitch per shown line plus 8.
int ExpectSize(const char* keyPath)
{
    static LauncherState state;
    LoadOptionalApis();
    LoadSettings(&state);
    LoadLevel(&state, keyPath, state.ShowAllKey);
    MeasureLauncherText(nullptr, &state);
    std::printf("%d %d\n", state.PrefixWidth + state.TitleWidth + 10,
                (state.LineHeight + state.LineGap) * state.LineCount + 8);
    return 0;
}

// A window that asks for attention while another window is in front.  The
// shell tells the hook library with HSHELL_FLASH; Wine's shell hook is a
// stub, so the probe also posts what the shell would post, to the library's
// window.  Met when the flashing window is the foreground window: the
// library activated it, which it does only after SetForeground(1).
int Flash(DWORD timeoutMs)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TavProbe";
    RegisterClassA(&windowClass);
    auto open = [](const char* title, int x) {
        return CreateWindowExA(0, "TavProbe", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, 400, 200, 120, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    };
    HWND flashing = open("Flashing", 100);
    HWND front = open("In front", 400);
    SetForegroundWindow(front);
    if (!PumpUntil(timeoutMs, [front] { return GetForegroundWindow() == front; }))
        return 1;
    FLASHWINFO flash = {sizeof flash, flashing, FLASHW_ALL, 3, 0};
    FlashWindowEx(&flash);
    PostMessageA(FindWindowA(TAV_HOOK_WINDOW_CLASS, nullptr), RegisterWindowMessageA("SHELLHOOK"), HSHELL_FLASH,
                 reinterpret_cast<LPARAM>(flashing));
    return PumpUntil(timeoutMs, [flashing] { return GetForegroundWindow() == flashing; }) ? 0 : 1;
}

struct Search {
    DWORD Process;
    const char* Class;
    const char* Caption;  // null: any
    HWND Found;
};

BOOL CALLBACK Match(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    char name[64] = "", caption[256] = "";
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, caption, sizeof caption);
    if (process != search->Process || !IsWindowVisible(window) || std::strcmp(name, search->Class) != 0
        || (search->Caption != nullptr && std::strcmp(caption, search->Caption) != 0))
        return TRUE;
    search->Found = window;
    return FALSE;
}

// A visible top-level window of Tav's process, or null.
HWND FindTavWindow(const char* className, const char* caption)
{
    Search search = {0, className, caption, nullptr};
    HWND launcher = FindLauncher();
    if (launcher == nullptr)
        return nullptr;
    GetWindowThreadProcessId(launcher, &search.Process);
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

int SetClipboard(const std::string& text)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    bool set = OpenClipboard(nullptr) && EmptyClipboard() && SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    return set ? 0 : 1;
}

bool Is(const char* command, const char* name) { return std::strcmp(command, name) == 0; }

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const char* command = argv[1];
    HWND launcher = FindLauncher();
    if (Is(command, "tray-menu"))
        return launcher != nullptr && PostMessageA(launcher, UM_TRAYICON, 0, WM_RBUTTONDOWN) ? 0 : 1;
    if (argc < 3)
        return 2;
    if (Is(command, "expect-size"))
        return ExpectSize(argv[2]);
    if (Is(command, "clipboard"))
        return SetClipboard(Argument(argv[2]));
    if (Is(command, "command"))
        return launcher != nullptr && PostMessageA(launcher, WM_COMMAND, std::strtoul(argv[2], nullptr, 10), 0) ? 0 : 1;
    if (Is(command, "center") && argc > 3) {
        HWND control = GetDlgItem(FindTavWindow("#32770", Argument(argv[2]).c_str()), std::atoi(argv[3]));
        RECT r;
        if (control == nullptr || !GetWindowRect(control, &r))
            return 1;
        std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return 0;
    }

    const DWORD timeout = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
    if (Is(command, "wait-ready"))
        return PumpUntil(timeout, [] {
            return FindLauncher() != nullptr && FindWindowA(TAV_HOOK_WINDOW_CLASS, nullptr) != nullptr;
        }) ? 0 : 1;
    if (Is(command, "wait-shown")) {
        long width = argc > 4 ? std::strtol(argv[3], nullptr, 10) : -1;
        long height = argc > 4 ? std::strtol(argv[4], nullptr, 10) : -1;
        HWND window = nullptr;
        bool met = PumpUntil(timeout, [&] {
            RECT r;
            window = FindLauncher();
            return window != nullptr && GetWindowRect(window, &r) && IsWindowVisible(window)
                   && (width < 0 || (r.right - r.left == width && r.bottom - r.top == height));
        });
        PrintRect(window);
        return met ? 0 : 1;
    }
    if (Is(command, "wait-hidden"))
        return PumpUntil(timeout, [] { return FindLauncher() != nullptr && !IsWindowVisible(FindLauncher()); }) ? 0 : 1;
    if (Is(command, "flash"))
        return Flash(timeout);
    if (Is(command, "exit")) {
        if (launcher == nullptr)
            return 1;
        PostMessageA(launcher, WM_COMMAND, IDM_EXIT, 0);
        return PumpUntil(timeout, [] { return FindLauncher() == nullptr; }) ? 0 : 1;
    }
    if ((Is(command, "wait") || Is(command, "gone")) && argc > 3) {
        const bool wanted = Is(command, "wait");
        const std::string caption = argc > 4 ? Argument(argv[4]) : "";
        HWND found = nullptr;
        if (!PumpUntil(timeout, [&] {
                found = FindTavWindow(argv[3], argc > 4 ? caption.c_str() : nullptr);
                return (found != nullptr) == wanted;
            }))
            return 1;
        if (wanted) {
            Sleep(300);  // drawn
            PrintRect(found);
        }
        return 0;
    }
    return 2;
}
