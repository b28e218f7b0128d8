/*
 * Plays the user on the modal windows a test opens on its own thread:
 * dialogs and message boxes (class "#32770") by caption, "*" for any, and
 * context menus (class "#32768") as "menu".  A thread timer looks every
 * 30 ms, also inside the modal loops of dialogs and menus, and hands the
 * window that has the input (visible and enabled) to the next step.  A step
 * may open a further modal window itself (a button that runs a dialog): the
 * timer goes on inside it and the next step plays it.  A window whose step
 * still runs, or that was played last, is not taken again.  Texts holds the
 * message of every message box (caption "Tav") played.  A window that no
 * step expects is closed after two seconds and noted in Unexpected, so a
 * failing test never hangs; the driver's end fails the test for it, and for
 * any step not played.
 */
#ifndef TAV_TESTS_DIALOG_DRIVER_H
#define TAV_TESTS_DIALOG_DRIVER_H

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// The UTF-8 text in the ANSI code page (932 under the tests).
std::string Ansi(const char* utf8);
std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);
// Posts WM_COMMAND id to the dialog, as a click on its button would.
void PostCommand(HWND dialog, int id);

class DialogDriver {
public:
    using Action = std::function<void(HWND window)>;

    DialogDriver();
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    DialogDriver& Then(const char* captionUtf8, Action action);
    DialogDriver& Press(const char* captionUtf8, int id);
    bool Done() const { return steps_.empty(); }

    std::vector<std::string> Texts;
    std::vector<std::string> Unexpected;

private:
    struct Step {
        std::string Caption;  // ANSI
        Action Run;
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Look();

    std::deque<Step> steps_;
    std::vector<HWND> running_;  // windows whose step runs now, outermost first
    HWND last_ = nullptr;        // the window played last
    HWND stranger_ = nullptr;
    DWORD strangerSince_ = 0;
    UINT_PTR timer_ = 0;
};

#endif
