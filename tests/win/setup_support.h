/*
 * Helpers for the tests of the setup editor: texts in the system's code
 * page, a driver that answers the dialogs, message boxes and menus that the
 * code under test opens on this thread, shell drops built in memory, and
 * the setup window over a scratch registry.
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

// The UTF-8 text in the ANSI code page (932 under the tests).
std::string Ansi(const char* utf8);
std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);

// Answers, in order, the modal windows this thread opens: dialogs and
// message boxes (class "#32770") by caption, "*" for any, and context menus
// (class "#32768") as "menu".  A thread timer looks every 30 ms, also inside
// the nested loops of dialogs and menus; an action must not block (it posts
// its button presses).  Texts holds the message of every message box
// (caption "Tav") answered.  A window no step expects is closed after two
// seconds and noted in Unexpected, so a failing test never hangs.
class DialogDriver {
public:
    using Action = std::function<void(HWND window)>;

    DialogDriver();
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    DialogDriver& Then(const char* captionUtf8, Action action);
    DialogDriver& Press(const char* captionUtf8, int id);  // posts WM_COMMAND id
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
    HWND last_ = nullptr;  // the window acted on last
    HWND stranger_ = nullptr;
    DWORD strangerSince_ = 0;
    UINT_PTR timer_ = 0;
    bool looking_ = false;
};

// A drop of the given ANSI paths as the shell hands it over in
// WM_DROPFILES: a DROPFILES header and the zero-separated paths in global
// memory, which the receiver frees (DragFinish).
HDROP MakeDrop(const std::vector<std::string>& paths);

// The setup window over a scratch registry, opened by CreateSetupWindow
// with no launcher window, fed the messages the system and the message loop
// would send; what it posts to itself runs as the message loop would run it.
class SetupTest : public RegistryTest {
public:
    static void Put(const char* keyPath, int slot, const char* title, const char* program);
    // A, an entry; B, a submenu holding D (an entry) and E (a submenu
    // holding key 0); S, an empty submenu.
    static void PutMenu();
    // "title|program" of the entry at a key, "" when it holds none.
    static std::string Stored(const char* keyPath, int slot);

protected:
    void SetUp() override;
    void TearDown() override;

    void Open();
    SetupSession* Session() const { return CurrentSetup(); }
    void Select(const char* keyPath, int slot);  // as if walked to
    void Send(UINT message, WPARAM wParam = 0);  // sent, then the queue run
    void Post(UINT message, WPARAM wParam = 0);  // posted, run until idle
    POINT RowPoint(int slot) const;              // 20 pixels into row slot

    HWND window_ = nullptr;
};

#endif
