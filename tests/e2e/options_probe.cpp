/*
 * The options end-to-end test's eyes inside the Wine desktop where Tav.exe
 * runs: it finds Tav's options dialog, key capture dialog and about box,
 * tells where they and their controls are (for xdotool's clicks and the
 * screenshots), reads a control's text, and sends the launcher window a
 * tray command.
 *
 *   options_probe wait <ms> <dialog>          shown; prints "x y w h"
 *   options_probe wait-gone <ms> <dialog>     no longer there
 *   options_probe center <dialog> <id>        prints the control's centre "x y"
 *   options_probe text <dialog> <id>          prints the control's text
 *   options_probe command <id>                posts the tray command to Tav
 *
 * <dialog> is options, capture or about.  Exit code 0 when the condition
 * was met, 1 when not (or on timeout), 2 on bad usage.
 */
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Search {
    DWORD Process;
    const char* Title;
    HWND Found;
};

BOOL CALLBACK Match(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    char name[16] = "", title[64] = "";
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, title, sizeof title);
    if (process == search->Process && IsWindowVisible(window) && std::strcmp(name, "#32770") == 0
        && std::strcmp(title, search->Title) == 0) {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

// The dialog of Tav's process with that name's title, or null.
HWND FindDialog(const char* dialog)
{
    const char* title = nullptr;
    if (std::strcmp(dialog, "options") == 0)
        title = "Tav\x93\xAE\x8D\xEC\x90\xDD\x92\xE8";  // Tav動作設定
    else if (std::strcmp(dialog, "about") == 0)
        title = "Tav\x82\xC9\x82\xC2\x82\xA2\x82\xC4";  // Tavについて
    else if (std::strcmp(dialog, "capture") == 0)
        title = "";
    HWND launcher = FindWindowA("Tav", "Tav");
    if (title == nullptr || launcher == nullptr)
        return nullptr;
    Search search = {0, title, nullptr};
    GetWindowThreadProcessId(launcher, &search.Process);
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

template <typename Condition>
bool WaitUntil(DWORD timeoutMs, Condition condition)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const char* command = argv[1];
    if (std::strcmp(command, "command") == 0) {
        HWND launcher = FindWindowA("Tav", "Tav");
        return launcher != nullptr
                       && PostMessageA(launcher, WM_COMMAND, std::strtoul(argv[2], nullptr, 10), 0)
                   ? 0
                   : 1;
    }
    if (argc < 4)
        return 2;
    if (std::strcmp(command, "wait") == 0 || std::strcmp(command, "wait-gone") == 0) {
        bool gone = command[4] != '\0';
        HWND dialog = nullptr;
        bool met = WaitUntil(std::strtoul(argv[2], nullptr, 10), [&] {
            dialog = FindDialog(argv[3]);
            return (dialog == nullptr) == gone;
        });
        RECT rect = {};
        if (met && !gone) {
            Sleep(300);  // drawn
            GetWindowRect(dialog, &rect);
            std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top);
        }
        return met ? 0 : 1;
    }
    HWND dialog = FindDialog(argv[2]);
    HWND control = dialog != nullptr ? GetDlgItem(dialog, std::atoi(argv[3])) : nullptr;
    if (control == nullptr)
        return 1;
    if (std::strcmp(command, "center") == 0) {
        RECT rect;
        GetWindowRect(control, &rect);
        std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        return 0;
    }
    if (std::strcmp(command, "text") == 0) {
        char text[256] = "";
        GetWindowTextA(control, text, sizeof text);
        std::printf("%s\n", text);
        return 0;
    }
    return 2;
}
