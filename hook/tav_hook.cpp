/*
 * Tav.dll: watches the keyboard for the launcher key that the program hands
 * over in library mode (変換 or 無変換 pressed alone), and activates windows
 * that flash in the taskbar.
 *
 * How, and why this way:
 * - Everything runs on a thread of the library's own, started by SetHook and
 *   ended and joined by FreeHook, with its own message loop.  The key is
 *   watched by a low-level keyboard hook (WH_KEYBOARD_LL), which the system
 *   calls on the thread that installed it, through that thread's message
 *   loop, for every keystroke of the session, and the session's keys wait
 *   until it returns.  On the program's thread the hook would wait for
 *   whatever that thread is doing: a modal loop, a slow ShellExecuteExA, a
 *   Sleep.  A hook that misses the system's time-out is skipped, and on later
 *   systems removed without notice.  The library's thread does nothing but
 *   answer the hook and the shell, and it only ever posts to the launcher
 *   window, so nothing the program does can hold the keyboard.
 * - The hook is installed only while a window is set and a key is set: in
 *   hot-key mode, and while the program has taken the key back (setup mode),
 *   the library stays out of the way.  Installing and removing happen on the
 *   library's thread (a low-level hook belongs to the thread that installs
 *   it); SetKey waits until that is done, so a key set is a key watched.
 * - Nothing is injected into other processes and no data is shared between
 *   processes; the keys of 32-bit and 64-bit programs arrive alike.
 * - Whether the IME is open is asked of the IME itself: the default IME window
 *   of the foreground thread answers WM_IME_CONTROL/IMC_GETOPENSTATUS for the
 *   focused window's input context, across processes and bitness.  That query
 *   is the hook's only wait; it happens only for the launcher key and gives up
 *   after kImeQueryTimeout, well inside the time the system grants a
 *   low-level hook.
 * - Windows that flash in the taskbar are reported by the shell to a window
 *   registered with RegisterShellHookWindow: the registered message
 *   "SHELLHOOK" with HSHELL_FLASH and the flashing window.  The library keeps
 *   a hidden window of its own for that, on its thread, so the launcher
 *   window needs to know nothing of it.  Activation attaches to the
 *   foreground thread's input first, because SetForegroundWindow is refused
 *   to a thread that does not share the foreground's input.
 *
 * - Type-ahead: a user types the launcher key and an entry's keys as one
 *   burst, before the launcher can be in front.  From the launcher key's
 *   key-down (the watched key, or the hot key that SetCaptureKey names: the
 *   hook sees its key-down before the system makes WM_HOTKEY of it) the hook
 *   swallows the keys the launcher acts on and keeps them, in order.  When
 *   the launcher is in front it calls DeliverHeldKeys, and the keys are
 *   posted to it as UM_HELDKEY and the capture ends, on this thread, between
 *   two key events: the next key reaches the launcher through the input
 *   queue, which its thread reads only after the posted messages, so the
 *   order typed is kept.  Posting to the window (rather than injecting the
 *   keys again) needs the launcher to be in front for nothing and cannot be
 *   caught by another program's hook or sent to the wrong window; the
 *   launcher itself hands on the keys it no longer wants.  Without
 *   DeliverHeldKeys the capture ends after kCaptureLimit, and the keys are
 *   posted all the same, so nothing stays swallowed.
 * - The system removes a low-level hook that missed its time-out, without
 *   notice.  A watch timer compares the last input of the session
 *   (GetLastInputInfo) with the last event the hook saw: input that the hook
 *   did not see for a while means the hook is gone, and it is installed
 *   again.  (Mouse input alone also looks so; installing again costs little.)
 *   It is installed again after the session is unlocked and after resume too.
 * - Activating a flashing window runs on a short thread of its own:
 *   SetForegroundWindow may wait for a hung program in front, and on this
 *   thread every key of the session would wait with it.
 *
 * The press that opens the launcher is swallowed, with its auto-repeats and
 * its release: the user pressed 無変換 to open the launcher, and the program
 * in front should not also act on it (with the IME closed some IMEs and key
 * tools give 無変換 a meaning of their own).  A press that the library leaves
 * alone (IME open, a modifier held, or the launcher window gone) passes on
 * whole, release included.  A release can be lost (another program's hook
 * ate it, the secure desktop took the keyboard); a key-down after a pause
 * longer than the keyboard's repeat delay is then a new press, not a repeat.
 */
#include "hook/tav_hook.h"

#include <imm.h>
#include <wtsapi32.h>

#include <atomic>

#include "base/messages.h"

// The image of this library (the linker's symbol for its own base address).
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// WM_IME_CONTROL command: the open status of the input context (imm.h of the
// Windows SDK; not in every mingw-w64 imm.h).
constexpr WPARAM kImcGetOpenStatus = 0x0005;
constexpr UINT kImeQueryTimeout = 50;  // ms

// Messages of the library's window: install or remove the hook to match the
// key (sent by SetKey), and end the thread's message loop (from FreeHook).
constexpr UINT kUpdateHookMessage = WM_APP + 1;
constexpr UINT kQuitMessage = WM_APP + 2;
// DeliverHeldKeys, and the test seam that drops the hook.
constexpr UINT kDeliverMessage = WM_APP + 3;
constexpr UINT kDropHookMessage = WM_APP + 4;

// Timers of the library's window: the capture's time limit, and the watch
// for a hook that the system removed.
constexpr UINT_PTR kCaptureTimer = 1;
constexpr UINT_PTR kWatchTimer = 2;
constexpr UINT kCaptureLimit = 1000;  // ms
constexpr UINT kWatchPeriod = 1000;   // ms
// Input this much newer than the last event the hook saw: the hook is gone.
constexpr DWORD kUnseenInput = 1500;  // ms
// How long FreeHook waits for an activation that a hung program holds up.
constexpr DWORD kActivationWait = 2000;  // ms
// Keys held at most in one capture; a longer burst ends the capture.
constexpr int kMaxHeldKeys = 64;

// Auto-repeats follow the press after the repeat delay, and each other after
// the (shorter) repeat period; a timer's jitter may add a little.  This much
// beyond the delay, a key-down can no longer be a repeat.
constexpr DWORD kRepeatJitter = 100;  // ms

// Set by the program's thread (SetKey, SetForeground, any time), read by the
// library's thread.
std::atomic<DWORD> WatchedKey;        // 0: none
std::atomic<DWORD> ActivateFlashing;  // 1: activate flashing windows
std::atomic<DWORD> CaptureKey;        // 0: none
std::atomic<DWORD> CaptureModifiers;  // MOD_* flags

// Set by SetHook before the library's thread starts and cleared by FreeHook
// after it ended: constant while the thread runs.
HWND LauncherWindow;
HANDLE HookThread;
HWND LibraryWindow;     // the thread's window: shell notifications, SetKey

// Owned by the library's thread.
HHOOK KeyboardHook;     // while WatchedKey is set
UINT ShellHookMessage;  // "SHELLHOOK"
// The watched key is down: key-downs are auto-repeats, unless one comes
// after a pause (see IsNewPress).  KeySwallowed: the press was swallowed, so
// its repeats and release are too.
int KeyHeld;
int KeySwallowed;
DWORD LastKeyDownTime;  // KBDLLHOOKSTRUCT time of the last key-down
DWORD HeldRepeatDelay;  // RepeatDelay when the held press came
DWORD LastHookEvent;    // GetTickCount when the hook was last called
HANDLE ActivationThread;

// The capture: while Capturing, the keys in Held wait for the launcher.
// DownHeld marks the keys whose key-down was held, so that their release is
// held too (a release whose press went to the program in front goes there).
struct HeldKey {
    BYTE Key;
    BYTE Up;
};
int Capturing;
HeldKey Held[kMaxHeldKeys];
int HeldCount;
bool DownHeld[256];

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

// The keyboard's repeat delay in ms: setting 0 (about 250 ms) to 3 (about
// 1 s).  Read at each new press, since the user may change it while Tav
// runs, and kept for the press: its auto-repeats come many times a second,
// and the hook answers each of them.
DWORD RepeatDelay()
{
    int setting = 1;  // the system's default, should the query fail
    SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &setting, 0);
    if (setting < 0 || setting > 3)
        setting = 1;
    return 250 * static_cast<DWORD>(setting + 1);
}

// A key-down is a new press when the key was up, or when the key-down before
// it came longer ago than any auto-repeat could: the release between them
// never reached the library.
int IsNewPress(DWORD time)
{
    return !KeyHeld || time - LastKeyDownTime > HeldRepeatDelay + kRepeatJitter;
}

// The modifiers held now, as MOD_* flags.
DWORD ModifiersDown()
{
    DWORD mods = 0;
    if (GetAsyncKeyState(VK_MENU) & 0x8000)
        mods |= MOD_ALT;
    if (GetAsyncKeyState(VK_CONTROL) & 0x8000)
        mods |= MOD_CONTROL;
    if (GetAsyncKeyState(VK_SHIFT) & 0x8000)
        mods |= MOD_SHIFT;
    if ((GetAsyncKeyState(VK_LWIN) | GetAsyncKeyState(VK_RWIN)) & 0x8000)
        mods |= MOD_WIN;
    return mods;
}

void StartCapture()
{
    if (Capturing)
        return;
    Capturing = 1;
    HeldCount = 0;
    SetTimer(LibraryWindow, kCaptureTimer, kCaptureLimit, nullptr);
}

// Posts the held keys to the launcher, in order, and ends the capture.
void EndCapture()
{
    if (!Capturing)
        return;
    KillTimer(LibraryWindow, kCaptureTimer);
    for (int i = 0; i < HeldCount; ++i)
        PostMessageA(LauncherWindow, UM_HELDKEY, Held[i].Key, Held[i].Up);
    HeldCount = 0;
    Capturing = 0;
}

// Modifier and lock keys are not the launcher's: they pass on, so that the
// program in front never sees a modifier stuck or a lock toggled unseen.
int IsHeldKind(DWORD key)
{
    switch (key) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT:
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL:
    case VK_MENU: case VK_LMENU: case VK_RMENU:
    case VK_LWIN: case VK_RWIN:
    case VK_CAPITAL: case VK_NUMLOCK: case VK_SCROLL:
        return 0;
    default:
        return key < 256;
    }
}

// Decides one event of another key during a capture; returns 1 to hold it.
int HoldKey(DWORD key, int up)
{
    if (!IsHeldKind(key))
        return 0;
    if (up) {
        if (!DownHeld[key])
            return 0;
        DownHeld[key] = false;
    } else {
        if (ModifiersDown() & (MOD_ALT | MOD_CONTROL | MOD_WIN))
            return 0;
        DownHeld[key] = true;
    }
    Held[HeldCount].Key = static_cast<BYTE>(key);
    Held[HeldCount].Up = static_cast<BYTE>(up);
    if (++HeldCount == kMaxHeldKeys)
        EndCapture();
    return 1;
}

// Decides one event of the watched key; returns 1 to swallow it.
int OnWatchedKey(WPARAM message, DWORD time)
{
    if (message == WM_KEYUP || message == WM_SYSKEYUP) {
        int swallowed = KeySwallowed;
        KeyHeld = 0;
        KeySwallowed = 0;
        return swallowed;
    }
    int newPress = IsNewPress(time);
    KeyHeld = 1;
    LastKeyDownTime = time;
    if (!newPress)
        return KeySwallowed;
    HeldRepeatDelay = RepeatDelay();
    // Posted, never sent: the launcher's thread may be busy for a long time.
    KeySwallowed = !IsModifierDown() && !IsForegroundImeOpen()
                   && PostMessageA(LauncherWindow, UM_SHOWLAUNCHER, 0, 0);
    if (KeySwallowed)
        StartCapture();
    return KeySwallowed;
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        LastHookEvent = GetTickCount();
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        int up = wParam == WM_KEYUP || wParam == WM_SYSKEYUP;
        DWORD key = WatchedKey.load();
        // A non-zero result keeps the event from every later hook and window.
        if (key != 0 && event->vkCode == key)
            return OnWatchedKey(wParam, event->time) ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
        DWORD hotKey = CaptureKey.load();
        if (hotKey != 0 && event->vkCode == hotKey) {
            // The hot key passes on: the system makes WM_HOTKEY of it.
            if (!up && ModifiersDown() == CaptureModifiers.load())
                StartCapture();
        } else if (Capturing && HoldKey(event->vkCode, up)) {
            return 1;
        } else if (up && event->vkCode < 256 && DownHeld[event->vkCode]) {
            // The press reached the launcher, held; so does its release.
            DownHeld[event->vkCode] = false;
            PostMessageA(LauncherWindow, UM_HELDKEY, event->vkCode, 1);
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Installs or removes the keyboard hook to match WatchedKey, on the library's
// thread.  A set key re-installs it, which also recovers a hook that the
// system removed after a time-out.
void UpdateKeyboardHook()
{
    if (KeyboardHook != nullptr) {
        UnhookWindowsHookEx(KeyboardHook);
        KeyboardHook = nullptr;
    }
    KeyHeld = 0;
    KeySwallowed = 0;
    EndCapture();
    if (WatchedKey.load() != 0 || CaptureKey.load() != 0)
        KeyboardHook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProc, LibraryModule(), 0);
    LastHookEvent = GetTickCount();
}

// Installs a hook that the system may have removed again, keeping what it
// knew of the keys held.
void ReinstallKeyboardHook()
{
    if (KeyboardHook == nullptr)
        return;
    UnhookWindowsHookEx(KeyboardHook);
    KeyboardHook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProc, LibraryModule(), 0);
    LastHookEvent = GetTickCount();
}

// Input of the session that the hook did not see: the hook is gone.
void WatchKeyboardHook()
{
    LASTINPUTINFO input = {};
    input.cbSize = sizeof input;
    if (KeyboardHook != nullptr && GetLastInputInfo(&input)
        && static_cast<int>(input.dwTime - LastHookEvent) > static_cast<int>(kUnseenInput))
        ReinstallKeyboardHook();
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

DWORD WINAPI ActivationThreadMain(void* target)
{
    // A thread's input state comes with its message queue: without one,
    // there is nothing to attach to the foreground thread's.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    ActivateFlashingWindow(static_cast<HWND>(target));
    return 0;
}

// Activates target on a thread of its own.  One at a time: while an earlier
// activation still waits for a hung program, later flashes are left alone.
void StartActivation(HWND target)
{
    if (ActivationThread != nullptr) {
        if (WaitForSingleObject(ActivationThread, 0) == WAIT_TIMEOUT)
            return;
        CloseHandle(ActivationThread);
    }
    ActivationThread = CreateThread(nullptr, 0, ActivationThreadMain, target, 0, nullptr);
}

LRESULT CALLBACK LibraryWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kUpdateHookMessage) {
        UpdateKeyboardHook();
        return 0;
    }
    if (message == kQuitMessage) {
        PostQuitMessage(0);
        return 0;
    }
    if (message == kDeliverMessage) {
        EndCapture();
        return 0;
    }
    if (message == kDropHookMessage) {
        UnhookWindowsHookEx(KeyboardHook);  // the handle is kept, as the system would
        return 0;
    }
    if (message == WM_TIMER) {
        if (wParam == kCaptureTimer)
            EndCapture();
        else if (wParam == kWatchTimer)
            WatchKeyboardHook();
        return 0;
    }
    if ((message == WM_WTSSESSION_CHANGE && wParam == WTS_SESSION_UNLOCK)
        || (message == WM_POWERBROADCAST
            && (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND))) {
        ReinstallKeyboardHook();
        return message == WM_POWERBROADCAST ? TRUE : 0;
    }
    if (message == ShellHookMessage && message != 0) {
        if (wParam == HSHELL_FLASH && ActivateFlashing.load())
            StartActivation(reinterpret_cast<HWND>(lParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A hidden top-level window (shell notifications go to top-level windows),
// registered for the shell's notifications.
HWND CreateLibraryWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = LibraryWindowProc;
    windowClass.hInstance = LibraryModule();
    windowClass.lpszClassName = TAV_HOOK_WINDOW_CLASS;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, TAV_HOOK_WINDOW_CLASS, "", WS_POPUP,
                                  0, 0, 0, 0, nullptr, nullptr, LibraryModule(), nullptr);
    if (window != nullptr) {
        ShellHookMessage = RegisterWindowMessageA("SHELLHOOK");
        RegisterShellHookWindow(window);
        WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION);
        SetTimer(window, kWatchTimer, kWatchPeriod, nullptr);
    }
    return window;
}

// The library's thread: its window and hook, then its message loop until
// FreeHook ends it.  ready is set once LibraryWindow is known (null
// when it could not be created; the thread then ends at once).
DWORD WINAPI HookThreadMain(void* ready)
{
    LibraryWindow = CreateLibraryWindow();
    if (LibraryWindow != nullptr)
        UpdateKeyboardHook();
    SetEvent(static_cast<HANDLE>(ready));
    if (LibraryWindow == nullptr)
        return 0;

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);

    if (KeyboardHook != nullptr) {
        UnhookWindowsHookEx(KeyboardHook);
        KeyboardHook = nullptr;
    }
    EndCapture();
    if (ActivationThread != nullptr) {
        WaitForSingleObject(ActivationThread, kActivationWait);
        CloseHandle(ActivationThread);
        ActivationThread = nullptr;
    }
    WTSUnRegisterSessionNotification(LibraryWindow);
    DeregisterShellHookWindow(LibraryWindow);
    DestroyWindow(LibraryWindow);
    UnregisterClassA(TAV_HOOK_WINDOW_CLASS, LibraryModule());
    return 0;
}

}  // namespace

TAV_HOOK_API BOOL SetHook(HWND window)
{
    FreeHook();
    if (window == nullptr)
        return TRUE;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (ready == nullptr)
        return TRUE;
    LauncherWindow = window;
    DWORD threadId = 0;
    HookThread = CreateThread(nullptr, 0, HookThreadMain, ready, 0, &threadId);
    if (HookThread != nullptr) {
        // Until the thread has its window, SetKey could not reach it.
        HANDLE waits[] = {ready, HookThread};
        WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    }
    CloseHandle(ready);
    return TRUE;
}

TAV_HOOK_API BOOL FreeHook(void)
{
    if (HookThread != nullptr) {
        // A thread that could not make its window has ended by itself.
        if (LibraryWindow != nullptr)
            PostMessageA(LibraryWindow, kQuitMessage, 0, 0);
        WaitForSingleObject(HookThread, INFINITE);
        CloseHandle(HookThread);
        HookThread = nullptr;
    }
    LibraryWindow = nullptr;
    LauncherWindow = nullptr;
    return TRUE;
}

TAV_HOOK_API BOOL SetKey(DWORD key)
{
    WatchedKey.store(key);
    // Sent, so that the hook matches the key when SetKey returns.  The
    // library's thread never waits for the program's, so this cannot lock.
    if (LibraryWindow != nullptr)
        SendMessageA(LibraryWindow, kUpdateHookMessage, 0, 0);
    return TRUE;
}

TAV_HOOK_API BOOL SetForeground(DWORD on)
{
    ActivateFlashing.store(on);
    return TRUE;
}

TAV_HOOK_API BOOL SetCaptureKey(DWORD key, DWORD modifiers)
{
    CaptureModifiers.store(modifiers & (MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN));
    CaptureKey.store(key);
    if (LibraryWindow != nullptr)
        SendMessageA(LibraryWindow, kUpdateHookMessage, 0, 0);
    return TRUE;
}

TAV_HOOK_API BOOL DeliverHeldKeys(void)
{
    // Sent: the held keys are in the launcher's queue when this returns.
    if (LibraryWindow != nullptr)
        SendMessageA(LibraryWindow, kDeliverMessage, 0, 0);
    return TRUE;
}

TAV_HOOK_API BOOL TestSeamDropHook(void)
{
    if (LibraryWindow != nullptr)
        SendMessageA(LibraryWindow, kDropHookMessage, 0, 0);
    return TRUE;
}
