/*
 * What reaches the low-level keyboard hooks that come after the library's,
 * and how soon.
 *
 * KeyWatch installs a low-level keyboard hook on a thread of its own and
 * counts the key events that reach it.  The system calls the hook installed
 * last first, so a KeyWatch made before SetHook sees exactly what the
 * library passes on; on its own thread it goes on seeing keys while the
 * test's thread (the launcher's thread, for the library) does not run its
 * messages.  One KeyWatch at a time.
 */
#ifndef TAV_TESTS_KEY_WATCH_H
#define TAV_TESTS_KEY_WATCH_H

#include <windows.h>

#include <atomic>
#include <vector>

class KeyWatch {
public:
    KeyWatch();   // returns once the hook is installed, or could not be
    ~KeyWatch();  // removes it and ends the thread
    // Whether the hook is in place: without it every count stays 0, which
    // would pass any test that expects a key to be swallowed.
    bool Installed() const { return installed_; }
    KeyWatch(const KeyWatch&) = delete;
    KeyWatch& operator=(const KeyWatch&) = delete;

    int Downs(BYTE vk) const { return downs_[vk]; }
    int Ups(BYTE vk) const { return ups_[vk]; }

    // Sends one event of vk from the calling thread; returns the time in ms
    // until it reached the hook, or -1 when it did not within timeoutMs.
    // lead, when not 0, is pressed (down and up) just before, and the time
    // counts from it: the system hands key events to the hooks in order, so
    // a lead that a hook holds up holds up vk too.
    double Deliver(BYTE vk, bool up, DWORD timeoutMs, BYTE lead = 0);

    // Presses vk (down and up) presses times from another thread while this
    // thread blocks for blockMs without running its messages (block false:
    // while it runs them); then runs them until the presses are done.
    // lead, when not 0, leads the first press (a key that the library
    // swallows, see Deliver).  Returns each event's Deliver time.
    std::vector<double> DeliverWhileBlocked(BYTE vk, int presses, DWORD blockMs, bool block = true,
                                            BYTE lead = 0);

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam);
    static DWORD WINAPI Main(void* self);

    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HANDLE ready_;
    HANDLE arrived_;
    std::atomic<int> downs_[256] = {};
    std::atomic<int> ups_[256] = {};
    std::atomic<bool> installed_{false};
    std::atomic<int> awaited_{-1};  // vk | 0x100 for a release; -1: none
    std::atomic<LONGLONG> arrival_{0};
};

#endif
