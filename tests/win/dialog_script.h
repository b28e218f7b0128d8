/*
 * Plays the user on the dialogs a test opens: a script of steps, run from a
 * thread timer inside the dialogs' own message loops.  Each new visible
 * dialog (class "#32770": dialogs, common dialogs, message boxes) of the
 * thread gets the next step, which may read it, press its buttons, type
 * into it or press keys.  A step may itself open a dialog (a button that
 * runs one modally): the timer keeps running inside that dialog's loop,
 * and the next step plays it.
 */
#ifndef TAV_TESTS_DIALOG_SCRIPT_H
#define TAV_TESTS_DIALOG_SCRIPT_H

#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

// What a step saw of its dialog.
struct Seen {
    std::string Caption;
    std::string Text;  // a message box's text, or what the step noted
    std::string Filter;
};

// One step per new visible dialog, in order.  A dialog beyond the steps is
// cancelled and counted, so a wrong flow fails instead of waiting for a
// user.
class DialogScript {
public:
    using Step = std::function<void(HWND dialog, Seen* seen)>;

    explicit DialogScript(std::vector<Step> steps);
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    std::deque<Seen> seen;  // one for each step played (stable while steps nest)
    int unexpected = 0;

private:
    static BOOL CALLBACK FindDialog(HWND window, LPARAM found);
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    static DialogScript* current_;
    std::vector<Step> steps_;
    std::set<HWND> handled_;
    UINT_PTR timer_ = 0;
};

// Posts a button's BN_CLICKED, as a click would.
void Press(HWND dialog, int id);

// In a message box: note its text, then press the button.
DialogScript::Step Answer(int button);

#endif
