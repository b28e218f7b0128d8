/*
 * Helpers for the tests of the setup editor: shell drops built in memory,
 * and the setup window over a scratch registry.
 */
#ifndef TAV_TESTS_SETUP_SUPPORT_H
#define TAV_TESTS_SETUP_SUPPORT_H

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "scratch_registry.h"
#include "setup/setup_session.h"

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
    SetupSession* Session() const { return SetupSessionOf(window_); }
    void Select(const char* keyPath, int slot);  // as if walked to
    void Send(UINT message, WPARAM wParam = 0);  // sent, then the queue run
    void Post(UINT message, WPARAM wParam = 0);  // posted, run until idle
    POINT RowPoint(int slot) const;              // 20 pixels into row slot

    HWND window_ = nullptr;
};

#endif
