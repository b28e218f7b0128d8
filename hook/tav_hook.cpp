/*
 * Tav.dll: watches the keyboard for the launcher key that the program hands
 * over in library mode (変換 or 無変換 pressed alone), and activates windows
 * that flash in the taskbar.
 *
 * How, and why this way:
 * - The key is watched by a low-level keyboard hook (WH_KEYBOARD_LL).  The
 *   system calls it on the thread that installed it, through that thread's
 *   message loop, so nothing is injected into other processes, no data is
 *   shared between processes, and the keys of 32-bit and 64-bit programs
 *   arrive alike.  The hook is installed only while a window is set and a key
 *   is set: every keystroke of the session waits for a low-level hook, so in
 *   hot-key mode the library stays out of the way.
 * - Whether the IME is open is asked of the IME itself: the default IME window
 *   of the foreground thread answers WM_IME_CONTROL/IMC_GETOPENSTATUS for the
 *   focused window's input context, across processes and bitness.  That query
 *   is the hook's only wait; it happens only for the launcher key and gives up
 *   after kImeQueryTimeout, well inside the time the system grants a
 *   low-level hook before it skips (and on later systems removes) it.
 * - Windows that flash in the taskbar are reported by the shell to a window
 *   registered with RegisterShellHookWindow: the registered message
 *   "SHELLHOOK" with HSHELL_FLASH and the flashing window.  The library keeps
 *   a hidden window of its own for that, so the launcher window needs to know
 *   nothing of it.  Activation attaches to the foreground thread's input
 *   first, as the launcher does for itself, because SetForegroundWindow is
 *   refused to a process that does not own the foreground.
 *
 * The press that opens the launcher is swallowed, with its auto-repeats and
 * its release: the user pressed 無変換 to open the launcher, and the program
 * in front should not also act on it (with the IME closed some IMEs and key
 * tools give 無変換 a meaning of their own).  A press that the library leaves
 * alone (IME open, a modifier held, or the launcher window gone) passes on
 * whole, release included.
 *
 * The message is posted, never sent: a hook must not wait for the launcher.
 */
#include "hook/tav_hook.h"

#include <imm.h>

#include "base/messages.h"

// The image of this library (the linker's symbol for its own base address).
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// WM_IME_CONTROL command: the open status of the input context (imm.h of the
// Windows SDK; not in every mingw-w64 imm.h).
constexpr WPARAM kImcGetOpenStatus = 0x0005;
constexpr UINT kImeQueryTimeout = 50;  // ms

HWND LauncherWindow;      // from SetHook; null while no hook is installed
DWORD WatchedKey;         // from SetKey; 0: none
DWORD ActivateFlashing;   // from SetForeground
HHOOK KeyboardHook;       // while LauncherWindow and WatchedKey are set
HWND ShellWindow;         // the library's own window, SetHook to FreeHook
UINT ShellHookMessage;    // "SHELLHOOK", registered by SetHook

// The watched key is down (further key-downs are auto-repeats), and whether
// its press was swallowed, so that repeats and release go the same way.
int KeyHeld;
int KeySwallowed;

HINSTANCE LibraryModule()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

int IsModifierDown()
{
    static const int modifiers[] = {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN};
    for (int key : modifiers) {
        if (GetAsyncKeyState(key) & 0x8000)
            return 1;
    }
    return 0;
}

// 1 when the IME of the focused window of the foreground thread is open.  A
// window without an IME, or one that does not answer in time, counts as
// closed: the launcher then opens, which is what the user pressed the key for.
int IsForegroundImeOpen()
{
    HWND foreground = GetForegroundWindow();
    if (foreground == nullptr)
        return 0;
    HWND target = foreground;
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) && info.hwndFocus)
        target = info.hwndFocus;
    HWND imeWindow = ImmGetDefaultIMEWnd(target);
    if (imeWindow == nullptr)
        return 0;
    // SMTO_BLOCK: no other sent message (a nested hook call among them) is
    // handled on this thread while it waits.
    DWORD_PTR open = 0;
    if (!SendMessageTimeoutA(imeWindow, WM_IME_CONTROL, kImcGetOpenStatus, 0,
                             SMTO_BLOCK | SMTO_ABORTIFHUNG, kImeQueryTimeout, &open))
        return 0;
    return open != 0;
}

// Decides one event of the watched key; returns 1 to swallow it.
int OnWatchedKey(WPARAM message)
{
    if (message == WM_KEYUP || message == WM_SYSKEYUP) {
        int swallowed = KeySwallowed;
        KeyHeld = 0;
        KeySwallowed = 0;
        return swallowed;
    }
    if (KeyHeld)
        return KeySwallowed;
    KeyHeld = 1;
    KeySwallowed = !IsModifierDown() && !IsForegroundImeOpen()
                   && PostMessageA(LauncherWindow, UM_SHOWLAUNCHER, 0, 0);
    return KeySwallowed;
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && WatchedKey != 0) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        // A non-zero result keeps the event from every later hook and window.
        if (event->vkCode == WatchedKey && OnWatchedKey(wParam))
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Brings a window that asks for attention to the front.
void ActivateFlashingWindow(HWND target)
{
    if (!IsWindow(target) || !IsWindowVisible(target))
        return;
    // Async: the window may belong to a program that does not answer now.
    if (IsIconic(target))
        ShowWindowAsync(target, SW_RESTORE);
    // SetForegroundWindow succeeds for a thread that shares the foreground
    // thread's input state.
    DWORD self = GetCurrentThreadId();
    DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    int attached = foregroundThread != 0 && foregroundThread != self
                   && AttachThreadInput(self, foregroundThread, TRUE);
    SetForegroundWindow(target);
    if (attached)
        AttachThreadInput(self, foregroundThread, FALSE);
}

LRESULT CALLBACK ShellWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ShellHookMessage && message != 0) {
        if (wParam == HSHELL_FLASH && ActivateFlashing)
            ActivateFlashingWindow(reinterpret_cast<HWND>(lParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Installs or removes the keyboard hook to match LauncherWindow and
// WatchedKey.  A set key re-installs it, which also recovers a hook that the
// system removed after a time-out.
void UpdateKeyboardHook()
{
    if (KeyboardHook != nullptr) {
        UnhookWindowsHookEx(KeyboardHook);
        KeyboardHook = nullptr;
    }
    KeyHeld = 0;
    KeySwallowed = 0;
    if (LauncherWindow != nullptr && WatchedKey != 0)
        KeyboardHook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProc, LibraryModule(), 0);
}

// A hidden top-level window (shell notifications go to top-level windows).
void CreateShellWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ShellWindowProc;
    windowClass.hInstance = LibraryModule();
    windowClass.lpszClassName = TAV_HOOK_WINDOW_CLASS;
    RegisterClassA(&windowClass);
    ShellWindow = CreateWindowExA(WS_EX_TOOLWINDOW, TAV_HOOK_WINDOW_CLASS, "", WS_POPUP,
                                  0, 0, 0, 0, nullptr, nullptr, LibraryModule(), nullptr);
    if (ShellWindow == nullptr)
        return;
    ShellHookMessage = RegisterWindowMessageA("SHELLHOOK");
    RegisterShellHookWindow(ShellWindow);
}

void DestroyShellWindow()
{
    if (ShellWindow != nullptr) {
        DeregisterShellHookWindow(ShellWindow);
        DestroyWindow(ShellWindow);
        ShellWindow = nullptr;
    }
    UnregisterClassA(TAV_HOOK_WINDOW_CLASS, LibraryModule());
}

}  // namespace

TAV_HOOK_API BOOL SetHook(HWND window)
{
    FreeHook();
    LauncherWindow = window;
    if (window != nullptr)
        CreateShellWindow();
    UpdateKeyboardHook();
    return TRUE;
}

TAV_HOOK_API BOOL FreeHook(void)
{
    LauncherWindow = nullptr;
    UpdateKeyboardHook();
    DestroyShellWindow();
    return TRUE;
}

TAV_HOOK_API BOOL SetKey(DWORD key)
{
    WatchedKey = key;
    UpdateKeyboardHook();
    return TRUE;
}

TAV_HOOK_API BOOL SetForeground(DWORD on)
{
    ActivateFlashing = on;
    return TRUE;
}
