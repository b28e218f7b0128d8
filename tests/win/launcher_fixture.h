/*
 * A real launcher window for the window-level tests: the process-wide
 * launcher state loaded from an arranged (scratch) registry, the window
 * created by CreateLauncherWindow, and helpers that send it keys and run
 * its messages the way the message loop would.
 */
#ifndef TAV_TESTS_LAUNCHER_FIXTURE_H
#define TAV_TESTS_LAUNCHER_FIXTURE_H

#include <windows.h>

#include <string>

#include "scratch_registry.h"

class LauncherTest : public RegistryTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Arranging, before Start: settings values and entries.
    static void PutWindowDword(const char* name, DWORD value);
    static void PutKeyDword(const char* name, DWORD value);
    static void PutEntry(const char* keyPath, int slot, const char* title, const char* program,
                         const char* folder = "", const char* parameters = "",
                         const char* sound = "");
    static void PutSubmenu(const char* keyPath, int slot, const char* title);

    // Loads the settings into the process-wide record and creates the window.
    void Start();

    // Runs every queued message of the thread, as the message loop would
    // (WM_QUIT is noted, not acted on).
    void Pump();
    // Sends one key-down and runs what it queued.
    void Key(int virtualKey);
    // Sends UM_SHOWLAUNCHER and runs what it queued.
    void Show();
    bool Visible() const { return IsWindowVisible(window_) != FALSE; }

    HWND window_ = nullptr;
    bool quitPosted_ = false;
};

// Marker files written by tav_marker.exe, in a fresh folder per test.
class MarkerFolder {
public:
    MarkerFolder();
    ~MarkerFolder();
    MarkerFolder(const MarkerFolder&) = delete;
    MarkerFolder& operator=(const MarkerFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const char* name) const { return path_ + "\\" + name; }
    // Waits up to timeoutMs for the file, running the thread's messages
    // meanwhile; its content, or "" when it did not appear.
    std::string WaitFor(const std::string& file, DWORD timeoutMs) const;

private:
    std::string path_;
};

// The full path of tav_marker.exe, beside the test program.
std::string MarkerProgram();

#endif
