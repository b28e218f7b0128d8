/*
 * The setup editor's end-to-end test looks and acts inside the Wine desktop
 * through this program, beside tav_probe (which watches the launcher).
 *
 *   setup_probe tray-click                  the shell's message for a click on
 *                                           the tray icon: the tray menu opens
 *   setup_probe wait-window <class> <ms>    a visible window of the class;
 *                                           prints "x y w h"
 *   setup_probe wait-gone <class> <ms>      no window of the class
 *   setup_probe wait-dialog <caption> <ms>  a visible dialog with the caption
 *   setup_probe control-point <caption> <id>  the middle of a control of that
 *                                           dialog, "x y" on the screen
 *   setup_probe row-point <slot>            a point on row slot of the setup
 *                                           window, "x y"
 *   setup_probe set-clipboard <text>        the text on the clipboard
 *   setup_probe stored <keyPath> <slot>     prints "title|program" of the entry
 *
 * Texts on the command line are UTF-8, given as "hex:" and their bytes in
 * hexadecimal (Wine turns non-ASCII arguments into Unicode with the Unix
 * locale, which a machine without that locale does not have); printed
 * texts are UTF-8.  The probe works in the ANSI code page like Tav.  Exit
 * code 0 when done or met, 1 on timeout or failure, 2 on bad usage.
 */
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/messages.h"
#include "base/optional_apis.h"
#include "draw/geometry.h"
#include "store/entry_tree.h"
#include "store/settings.h"

namespace {

// Polls condition every 20 ms until it holds or timeoutMs has passed.
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

std::string Convert(const std::wstring& text, UINT codePage)
{
    char buffer[1024] = "";
    WideCharToMultiByte(codePage, 0, text.c_str(), -1, buffer, sizeof buffer, nullptr, nullptr);
    return buffer;
}

// An argument as text in the ANSI code page: "hex:" and UTF-8 bytes in
// hexadecimal, or plain ASCII.
std::string Argument(const std::string& text)
{
    if (text.compare(0, 4, "hex:") != 0)
        return text;
    std::string utf8;
    for (size_t i = 4; i + 1 < text.size(); i += 2)
        utf8 += static_cast<char>(std::strtol(text.substr(i, 2).c_str(), nullptr, 16));
    wchar_t unicode[1024] = L"";
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, unicode, 1024);
    return Convert(unicode, CP_ACP);
}

std::string AnsiToUtf8(const char* text)
{
    wchar_t wide[1024] = L"";
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 1024);
    return Convert(wide, CP_UTF8);
}

void PrintRect(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
}

HWND FindVisible(const char* className, const char* caption)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, caption)) != nullptr) {
        if (IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

// The row pitch of the setup window: the launcher font's text height.
int RowPitch()
{
    static LauncherState state;
    LoadOptionalApis();
    LoadSettings(&state);
    MeasureLauncherText(nullptr, &state);
    return state.LineHeight + state.LineGap;
}

}  // namespace

int main()
{
    // The arguments in Unicode, as the shell passed them, then in the
    // ANSI code page.
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 0; i < count; ++i)
        args.push_back(Argument(Convert(wide[i], CP_ACP)));
    LocalFree(wide);
    if (args.size() < 2)
        return 2;
    const std::string& command = args[1];
    auto number = [&](size_t i) { return i < args.size() ? std::atol(args[i].c_str()) : 0L; };

    if (command == "tray-click") {
        HWND launcher = FindWindowA("Tav", "Tav");
        return launcher != nullptr && PostMessageA(launcher, UM_TRAYICON, 0, WM_RBUTTONDOWN) ? 0 : 1;
    }
    if (args.size() < 3)
        return 2;
    if (command == "wait-window" || command == "wait-dialog") {
        bool dialog = command == "wait-dialog";
        const char* className = dialog ? "#32770" : args[2].c_str();
        const char* caption = dialog ? args[2].c_str() : nullptr;
        HWND found = nullptr;
        if (!WaitUntil(number(3), [&] { return (found = FindVisible(className, caption)) != nullptr; }))
            return 1;
        PrintRect(found);
        return 0;
    }
    if (command == "wait-gone") {
        return WaitUntil(number(3), [&] { return FindWindowA(args[2].c_str(), nullptr) == nullptr; })
                   ? 0
                   : 1;
    }
    if (command == "control-point") {
        HWND dialog = FindVisible("#32770", args[2].c_str());
        HWND control = dialog != nullptr ? GetDlgItem(dialog, static_cast<int>(number(3))) : nullptr;
        if (control == nullptr)
            return 1;
        RECT r;
        GetWindowRect(control, &r);
        std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return 0;
    }
    if (command == "row-point") {
        HWND setup = FindVisible("TavSetupClass", nullptr);
        if (setup == nullptr)
            return 1;
        RECT r;
        GetWindowRect(setup, &r);
        int pitch = RowPitch();
        std::printf("%ld %ld\n", r.left + 30, r.top + 4 + number(2) * pitch + pitch / 2);
        return 0;
    }
    if (command == "set-clipboard") {
        const std::string& text = args[2];
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        if (!OpenClipboard(nullptr))
            return 1;
        EmptyClipboard();
        bool set = SetClipboardData(CF_TEXT, memory) != nullptr;
        CloseClipboard();
        return set ? 0 : 1;
    }
    if (command == "stored" && args.size() >= 4) {
        EntryRecord entry;
        ReadEntry(args[2].c_str(), static_cast<int>(number(3)), &entry);
        std::printf("%s|%s\n", AnsiToUtf8(entry.Title).c_str(), AnsiToUtf8(entry.Program).c_str());
        return 0;
    }
    return 2;
}
