/*
 * Helpers for the tests of the setup editor: texts in the system's code
 * page, a driver that answers the dialogs, message boxes and menus that
 * the code under test opens on this thread, and shell drops built in
 * memory as the shell builds them.
 */
#ifndef TAV_TESTS_SETUP_SUPPORT_H
#define TAV_TESTS_SETUP_SUPPORT_H

#include <windows.h>
#include <shellapi.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "scratch_registry.h"
#include "setup/setup_session.h"

// The UTF-8 text in the ANSI code page (932 under the tests): what the
// program's "A" functions give and take.
std::string Ansi(const char* utf8);

// The text of a control, a window, and a message box's message.
std::string ItemText(HWND dialog, int id);
std::string WindowText(HWND window);
std::string MessageText(HWND box);

// Answers, one after the other, the modal windows that this thread opens:
// dialogs and message boxes (class "#32770") by their caption, context
// menus (class "#32768") by the caption "menu".  A thread timer looks every
// 30 ms, also inside the nested loops of dialogs and menus; an action gets
// the window and must not block (it posts its button presses).  A window
// that no queued step expects is closed after two seconds and counted in
// Unexpected, so a failing test never hangs.
class DialogDriver {
public:
    using Action = std::function<void(HWND window)>;

    DialogDriver();
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Queues an action for the next window with this caption (UTF-8; "*"
    // for any caption).
    DialogDriver& Then(const char* caption, Action action);
    bool Done() const { return steps_.empty(); }

    std::vector<std::string> Unexpected;  // "caption: message" of windows closed unasked

private:
    struct Step {
        std::string Caption;  // ANSI
        Action Run;
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Look();

    std::deque<Step> steps_;
    HWND last_ = nullptr;       // the window acted on last
    HWND stranger_ = nullptr;   // an unexpected window, and since when
    DWORD strangerSince_ = 0;
    UINT_PTR timer_ = 0;
    bool looking_ = false;
};

// Actions: press a button (posts WM_COMMAND with its id); note the message
// of a box and press.
DialogDriver::Action Press(int id);
DialogDriver::Action NoteAndPress(std::vector<std::string>* notes, int id);

// A drop of the given paths (ANSI), as the shell hands it over in
// WM_DROPFILES: a DROPFILES header and the zero-separated paths in global
// memory.  The receiver frees it (DragFinish).
HDROP MakeDrop(const std::vector<std::string>& paths, POINT at = {0, 0});

// The setup window over a scratch registry: opened by CreateSetupWindow
// (with no launcher window: UM_SETUPMODE 0 then goes nowhere), fed the
// messages the system and the message loop would send, its posted messages
// run as the message loop would run them.
class SetupTest : public RegistryTest {
public:
    // Arranging: an entry, or a submenu (program "-1"), at a key.
    static void Put(const char* keyPath, int slot, const char* title, const char* program);
    static void PutSubmenu(const char* keyPath, int slot, const char* title)
    {
        Put(keyPath, slot, title, "-1");
    }
    // The stored title and program of a key, "" when it holds nothing.
    static std::string StoredTitle(const char* keyPath, int slot);
    static std::string StoredProgram(const char* keyPath, int slot);

protected:
    void SetUp() override;
    void TearDown() override;

    void Open();
    SetupSession* Session() const { return CurrentSetup(); }
    // Shows level keyPath with slot selected, as if walked to.
    void Select(const char* keyPath, int slot);
    void Key(int virtualKey);
    void Command(int id);
    void Run(UINT message, WPARAM wParam = 0);  // sent, then the queue run
    // A screen point on row slot, 20 pixels in from the left.
    POINT RowPoint(int slot) const;

    HWND window_ = nullptr;
};

#endif
