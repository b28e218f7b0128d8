/*
 * Real windows, real keys and the message pump for the tests of the
 * resident parts.
 *
 * TestWindow is a visible top-level window that records what the launcher
 * window would act on (UM_SHOWLAUNCHER, WM_HOTKEY, UM_HELDKEY, WM_COMMAND) and presses
 * queued keys while a menu it owns waits for input.  Keys go through
 * SendInput, which Wine routes through the low-level keyboard hooks and hot
 * keys even on a bare X display.  Keys and hot keys are global: programs
 * using these run alone (RUN_SERIAL).
 */
#ifndef TAV_TESTS_TEST_WINDOW_H
#define TAV_TESTS_TEST_WINDOW_H

#include <windows.h>

#include <deque>
#include <functional>
#include <vector>

class TestWindow {
public:
    TestWindow();
    ~TestWindow() { DestroyWindow(window_); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND get() const { return window_; }

    int ShowLauncherCount = 0;
    std::vector<WPARAM> HotKeyIds;
    std::vector<int> HeldKeys;  // UM_HELDKEY in order: the key, negated for a release
    std::vector<WORD> Commands;
    std::deque<WORD> MenuKeys;  // one pressed per WM_ENTERIDLE; then the menu ends

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_;
};

// Dispatches this thread's messages until done() or the timeout; returns
// done().  PumpFor(0) runs what is queued now, as the message loop would.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 2000);
void PumpFor(DWORD ms);

void SendKey(WORD vk, bool up);
// The same with the event's time stamp (GetTickCount's clock) set by the caller.
void SendKeyAt(WORD vk, bool up, DWORD time);
void PressKey(WORD vk, WORD modifier = 0);  // down and up, the modifier held around them

// Makes window the foreground window with the keyboard focus (waits up to 5 s).
bool BringToFront(HWND window);

// Presses the left button at (x, y) over window, which must be hit there
// as hit, through the system's input queue and, from another thread while
// the window's move or sizing loop runs, drags the pointer by dx and
// releases the button.  Returns the window's rectangle afterwards.
RECT DragFrom(HWND window, int x, int y, int hit, int dx);

// Waits (up to 5 s) for the shell's notification area, which the desktop
// process makes a little after the session's first window; false when there
// is none.
bool WaitForNotificationArea();

#endif
