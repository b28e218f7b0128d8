/*
 * The setup editor's end-to-end test acts inside the Wine desktop through
 * this program, beside tav_probe (which watches the launcher).
 *
 *   setup_probe tray-click               the shell's message for a click on the
 *                                        tray icon: the tray menu opens
 *   setup_probe wait <class> <ms> [text] a visible window of the class (and
 *                                        caption); prints "x y w h"
 *   setup_probe gone <class> <ms>        no window of the class is left
 *   setup_probe clipboard <text>         the text on the clipboard
 *
 * Texts are UTF-8 given as "hex:" and their bytes in hexadecimal: Wine
 * turns non-ASCII arguments into Unicode with the Unix locale, which a
 * machine without that locale lacks.  Exit code 0 when done or met, 1 on
 * timeout or failure, 2 on bad usage.
 */
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/messages.h"

namespace {

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

HWND FindVisible(const char* className, const char* caption)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, caption)) != nullptr && !IsWindowVisible(window)) {
    }
    return window;
}

// Polls every 20 ms until found() holds or ms have passed.
template <typename Found>
bool WaitUntil(DWORD ms, Found found)
{
    for (DWORD start = GetTickCount(); !found(); Sleep(20)) {
        if (GetTickCount() - start > ms)
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "tray-click") == 0) {
        HWND launcher = FindWindowA("Tav", "Tav");
        return launcher != nullptr && PostMessageA(launcher, UM_TRAYICON, 0, WM_RBUTTONDOWN) ? 0 : 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "clipboard") == 0) {
        std::string text = Argument(argv[2]);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        bool set = OpenClipboard(nullptr) && EmptyClipboard() && SetClipboardData(CF_TEXT, memory);
        CloseClipboard();
        return set ? 0 : 1;
    }
    if (argc < 4)
        return 2;
    DWORD ms = static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10));
    if (std::strcmp(argv[1], "gone") == 0)
        return WaitUntil(ms, [&] { return FindWindowA(argv[2], nullptr) == nullptr; }) ? 0 : 1;
    if (std::strcmp(argv[1], "wait") != 0)
        return 2;
    std::string caption = argc > 4 ? Argument(argv[4]) : "";
    HWND found = nullptr;
    if (!WaitUntil(ms, [&] {
            return (found = FindVisible(argv[2], argc > 4 ? caption.c_str() : nullptr)) != nullptr;
        }))
        return 1;
    RECT r;
    GetWindowRect(found, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}
