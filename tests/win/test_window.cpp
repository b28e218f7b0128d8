/*
 * Real windows, real keys and the message pump for the tests.
 */
#include "test_window.h"

#include <thread>

#include <gtest/gtest.h>

#include "base/messages.h"
#include "core/launcher_window.h"

TestWindow::TestWindow()
{
    static ATOM registered = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TavTestWindow";
        return RegisterClassA(&windowClass);
    }();
    window_ = CreateWindowExA(0, MAKEINTATOM(registered), "Tav test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              40, 40, 240, 160, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Under Wine a new window that takes the focus gets the X server's key
    // state, which knows nothing of SendInput's keys: a modifier pressed
    // before that is forgotten.  Let it settle first.
    PumpFor(50);
}

LRESULT CALLBACK TestWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case UM_SHOWLAUNCHER:
        ++self->ShowLauncherCount;
        return 0;
    case WM_HOTKEY:
        self->HotKeyIds.push_back(wParam);
        return 0;
    case UM_HELDKEY:
        self->HeldKeys.push_back(static_cast<int>(lParam ? -wParam : wParam));
        return 0;
    case WM_COMMAND:
        self->Commands.push_back(LOWORD(wParam));
        return 0;
    case WM_ENTERIDLE:
        if (wParam == MSGF_MENU && self->MenuKeys.empty()) {
            EndMenu();
        } else if (wParam == MSGF_MENU) {
            PressKey(self->MenuKeys.front());
            self->MenuKeys.pop_front();
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

void SendKey(WORD vk, bool up)
{
    SendKeyAt(vk, up, 0);  // 0: the system stamps the event
}

void SendKeyAt(WORD vk, bool up, DWORD time)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.ki.time = time;
    SendInput(1, &input, sizeof input);
}

void PressKey(WORD vk, WORD modifier)
{
    if (modifier != 0)
        SendKey(modifier, false);
    SendKey(vk, false);
    SendKey(vk, true);
    if (modifier != 0)
        SendKey(modifier, true);
}

bool BringToFront(HWND window)
{
    SetForegroundWindow(window);
    SetFocus(window);
    bool done = PumpUntil(
        [window] { return GetForegroundWindow() == window && GetFocus() == window; }, 5000);
    // Wine's X11 driver sets the keyboard state from the X server's when the
    // focus arrives there, a little after the window has it: keys held down
    // with SendInput before that (a hot key's modifiers) would be let go.
    PumpFor(100);
    return done;
}

bool WaitForNotificationArea()
{
    for (int wait = 0; wait < 100 && FindWindowA("Shell_TrayWnd", nullptr) == nullptr; ++wait)
        Sleep(50);
    return FindWindowA("Shell_TrayWnd", nullptr) != nullptr;
}

RECT DragFrom(HWND window, int x, int y, int hit, int dx)
{
    SetCursorPos(x, y);
    EXPECT_EQ(hit, EdgeHitTest(window));
    auto mouse = [](DWORD flags, int px, int py) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
        input.mi.dx = px * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = py * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        SendInput(1, &input, sizeof input);
    };
    std::thread release([=] {
        Sleep(150);
        mouse(MOUSEEVENTF_MOVE, x + dx, y);
        Sleep(150);
        mouse(MOUSEEVENTF_LEFTUP, x + dx, y);
    });
    mouse(MOUSEEVENTF_LEFTDOWN, x, y);
    PumpFor(600);
    release.join();
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}
