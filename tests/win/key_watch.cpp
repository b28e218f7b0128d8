/*
 * A low-level keyboard hook on a thread of its own, counting and timing the
 * key events that reach it.
 */
#include "key_watch.h"

#include "test_window.h"

namespace {

KeyWatch* Current;

LONGLONG Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Milliseconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

KeyWatch::KeyWatch()
    : ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      arrived_(CreateEventA(nullptr, FALSE, FALSE, nullptr))
{
    Current = this;
    thread_ = CreateThread(nullptr, 0, Main, this, 0, &threadId_);
    WaitForSingleObject(ready_, 5000);
}

KeyWatch::~KeyWatch()
{
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    CloseHandle(ready_);
    CloseHandle(arrived_);
    Current = nullptr;
}

DWORD WINAPI KeyWatch::Main(void* self)
{
    auto* watch = static_cast<KeyWatch*>(self);
    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, Proc, GetModuleHandleA(nullptr), 0);
    watch->installed_ = hook != nullptr;
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue, for WM_QUIT
    SetEvent(watch->ready_);
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    UnhookWindowsHookEx(hook);
    return 0;
}

LRESULT CALLBACK KeyWatch::Proc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && Current != nullptr) {
        LONGLONG now = Now();
        BYTE vk = static_cast<BYTE>(reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->vkCode);
        bool up = wParam == WM_KEYUP || wParam == WM_SYSKEYUP;
        ++(up ? Current->ups_ : Current->downs_)[vk];
        if (Current->awaited_ == (vk | (up ? 0x100 : 0))) {
            Current->arrival_ = now;
            SetEvent(Current->arrived_);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

double KeyWatch::Deliver(BYTE vk, bool up, DWORD timeoutMs, BYTE lead)
{
    ResetEvent(arrived_);
    awaited_ = vk | (up ? 0x100 : 0);
    LONGLONG sent = Now();
    if (lead != 0)
        PressKey(lead);
    SendKey(vk, up);
    bool arrived = WaitForSingleObject(arrived_, timeoutMs) == WAIT_OBJECT_0;
    awaited_ = -1;
    return arrived ? Milliseconds(arrival_ - sent) : -1;
}

namespace {

struct Presses {
    KeyWatch* watch;
    BYTE vk;
    int count;
    BYTE lead;
    std::vector<double> times;
};

DWORD WINAPI SendPresses(void* parameter)
{
    auto* presses = static_cast<Presses*>(parameter);
    for (int i = 0; i < presses->count; ++i) {
        BYTE lead = i == 0 ? presses->lead : 0;
        presses->times.push_back(presses->watch->Deliver(presses->vk, false, 500, lead));
        presses->times.push_back(presses->watch->Deliver(presses->vk, true, 500));
    }
    return 0;
}

}  // namespace

std::vector<double> KeyWatch::DeliverWhileBlocked(BYTE vk, int presses, DWORD blockMs, bool block,
                                                  BYTE lead)
{
    Presses run = {this, vk, presses, lead, {}};
    HANDLE sender = CreateThread(nullptr, 0, SendPresses, &run, 0, nullptr);
    auto done = [sender] { return WaitForSingleObject(sender, 0) == WAIT_OBJECT_0; };
    if (block)
        WaitForSingleObject(sender, blockMs);  // what a Sleep(blockMs) would do, but no longer
    else
        PumpUntil(done, blockMs);
    // The events that waited for this thread's hooks, if any, go on now;
    // run.times is written until the sender ends (each event waits 500 ms
    // at most).
    while (!done())
        PumpUntil(done, 1000);
    CloseHandle(sender);
    return run.times;
}
