/*
 * The launcher window as the program runs it: created by
 * CreateLauncherWindow over an arranged (scratch) registry, fed the messages
 * the system sends (UM_SHOWLAUNCHER, WM_KEYDOWN, WM_HOTKEY, WM_TIMER) and
 * run the way the message loop would run them, with real mouse input for
 * the move and sizing loops.
 *
 * Key handling: every row of the key table, the arrow wrap and skip rules
 * with and without ShowAllKey, the way back to the submenu just left,
 * hiding with and without SaveCursor, the deepest level.  The window:
 * showing and hiding, the launcher key while shown, without a hot key and
 * in setup mode, applying settings while a screen copy is held, resizing and
 * moving, the first-run check and the exit command.  And real starts of a
 * program through the shell, with and without a usable program or sound.
 */
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "core/launcher_window.h"
#include "base/optional_apis.h"
#include "core/tray.h"
#include "dialog_driver.h"
#include "entry_record.h"
#include "launch/level_cache.h"
#include "hook/tav_hook.h"
#include "key_watch.h"
#include "launcher_fixture.h"
#include "res/resource.h"
#include "scratch_registry.h"
#include "store/settings_file.h"
#include "store/entry_tree.h"
#include "store/settings.h"
#include "test_window.h"

namespace {

const char kWindowKey[] = "Software\\orrel\\Tav\\Window";

DWORD ReadWindowDword(const char* name)
{
    DWORD type = 0;
    std::string data;
    if (!GetRawValue(kWindowKey, name, &type, &data) || data.size() != 4)
        return 0xDEADBEEF;
    return *reinterpret_cast<const DWORD*>(data.data());
}

// Runs action while closing the shell's error boxes (dialog class
// "#32770") that this process shows meanwhile; returns how many it closed.
int WithErrorBoxesClosed(const std::function<void()>& action)
{
    std::atomic<bool> done{false};
    std::atomic<int> closed{0};
    std::thread closer([&] {
        for (; !done; Sleep(50)) {
            HWND box = nullptr;
            while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
                DWORD process = 0;
                GetWindowThreadProcessId(box, &process);
                if (process == GetCurrentProcessId() && IsWindowVisible(box)) {
                    PostMessageA(box, WM_COMMAND, IDOK, 0);
                    ++closed;
                }
            }
        }
    });
    action();
    done = true;
    closer.join();
    return closed;
}

// The file's content once it appears (running the thread's messages
// meanwhile; "" when it does not within 10 s), then deletes it.
std::string WaitFor(const std::string& file)
{
    PumpUntil([&] { return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000);
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    DeleteFileA(file.c_str());
    return text.str();
}

// tav_marker.exe, beside the test program.
std::string MarkerProgram()
{
    char path[MAX_PATH];
    std::string self(path, GetModuleFileNameA(nullptr, path, sizeof path));
    return self.substr(0, self.find_last_of('\\') + 1) + "tav_marker.exe";
}

// The temporary folder without its final backslash, and a file of this
// process in it.
std::string TempFolder()
{
    char path[MAX_PATH];
    return std::string(path, GetTempPathA(sizeof path, path) - 1);
}
std::string TempFile(const char* name)
{
    return TempFolder() + "\\tav-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

// Writes a WAV file of seconds of silence (8 kHz, 8-bit mono).
void WriteSilence(const std::string& file, int seconds)
{
    const DWORD rate = 8000, samples = rate * seconds, riff = 36 + samples;
    const WORD pcm = 1, channels = 1, blockAlign = 1, bits = 8;
    const DWORD formatSize = 16;
    std::ofstream out(file, std::ios::binary);
    auto put = [&out](const void* data, size_t size) { out.write(static_cast<const char*>(data), size); };
    put("RIFF", 4), put(&riff, 4), put("WAVEfmt ", 8), put(&formatSize, 4);
    put(&pcm, 2), put(&channels, 2), put(&rate, 4), put(&rate, 4), put(&blockAlign, 2), put(&bits, 2);
    put("data", 4), put(&samples, 4);
    out << std::string(samples, '\x80');
}

struct KeyRow {
    int showAll;
    int saveCursor;
    std::vector<int> keys;  // pressed on the launcher shown at the top level, slot 1
    const char* keyPath;    // then: the level, the selection, shown or not
    int selection;
    bool shown;
};

class LauncherTest : public LauncherWindowTest {
protected:
    void SetUp() override
    {
        LauncherWindowTest::SetUp();
        // A saved position keeps CheckFirstRun quiet.
        PutDword("Window", "Top", 0);
    }

    // Arranging, before Start: an entry.
    static void PutEntry(const char* keyPath, int slot, const char* title, const char* program,
                         const char* folder = "", const char* parameters = "", const char* sound = "")
    {
        EntryRecord entry = Record(title, program, folder, parameters, sound);
        WriteEntry(keyPath, slot, &entry);
    }

    // Top level: A entry, B submenu (with D submenu inside), S submenu
    // holding 0, key 5 an empty submenu.
    static void PutMenu()
    {
        PutEntry("", 1, "Alpha", "no-such-program-a.exe");
        PutEntry("", 2, "Bravo", SUBMENU_MARKER);
        PutEntry("B", 4, "Delta", SUBMENU_MARKER);
        PutEntry("", 19, "Sierra", SUBMENU_MARKER);
        PutEntry("S", 27, "Zero", "no-such-program-0.exe");
        PutEntry("", 32, "Five", SUBMENU_MARKER);
    }

    // Sends one key-down, or UM_SHOWLAUNCHER, and runs what it queued.
    void Key(int virtualKey)
    {
        SendMessageA(window_, WM_KEYDOWN, virtualKey, 0);
        PumpFor(0);
    }
    void Show()
    {
        SendMessageA(window_, UM_SHOWLAUNCHER, 0, 0);
        PumpFor(0);
    }
    bool Visible() const { return IsWindowVisible(window_) != FALSE; }

    // Shows the top level, slot 1, with the row's flags, presses its keys and
    // checks where that left the launcher.
    void Run(const KeyRow& row)
    {
        Launcher.ShowAllKey = row.showAll;
        Launcher.SaveCursor = 0;
        HideLauncher(window_, &Launcher, KeyPath, 1);  // the top level, loaded anew
        Launcher.SaveCursor = row.saveCursor;
        Selection = 1;
        Show();
        ASSERT_TRUE(Visible());
        // On a loaded machine the show's timer may fire within a row before
        // the launcher has the foreground, and hide it: the rows are about keys.
        KillTimer(window_, LAUNCHER_TIMER_ID);
        for (int key : row.keys)
            Key(key);
        EXPECT_STREQ(row.keyPath, KeyPath);
        EXPECT_EQ(row.selection, Selection);
        EXPECT_EQ(row.shown, Visible());
        // The slot table holds the level KeyPath names, loaded with the flag as 0 or 1.
        LauncherState level = {};
        LoadLevel(&level, KeyPath, row.showAll != 0 ? 1 : 0);
        EXPECT_EQ(0, std::memcmp(level.Titles, Launcher.Titles, sizeof level.Titles));
        EXPECT_EQ(0, std::memcmp(level.IsSubmenu, Launcher.IsSubmenu, sizeof level.IsSubmenu));
        EXPECT_EQ(level.LineCount, Launcher.LineCount);
    }
};

TEST_F(LauncherTest, EveryRowOfTheKeyTable)
{
    const KeyRow rows[] = {
        // All keys shown: the arrows wrap past the title line and stop on empty slots.
        {1, 0, {VK_UP}, "", 36, true},
        {1, 0, {VK_UP, VK_DOWN, VK_DOWN, VK_DOWN}, "", 3, true},
        // Any non-zero ShowAllKey (a hand-edited 2) shows every line.
        {2, 0, {'S', VK_DOWN}, "S", 1, true},
        // Only assigned keys: the arrows pass over empty slots; in a submenu
        // ".." is a stop, in an empty one the only stop.
        {0, 0, {VK_DOWN, VK_DOWN}, "", 19, true},
        {0, 0, {VK_UP}, "", 32, true},
        {0, 0, {VK_UP, VK_DOWN}, "", 1, true},
        {0, 0, {'S', VK_DOWN}, "S", 27, true},
        {0, 0, {'S', VK_DOWN, VK_DOWN}, "S", 0, true},
        {0, 0, {'S', VK_UP}, "S", 27, true},
        {0, 0, {VK_NUMPAD5, VK_DOWN}, "5", 0, true},  // the keypad acts as the digit row
        {0, 0, {VK_NUMPAD5, VK_UP}, "5", 0, true},
        // Backspace and ".." select the submenu just left; Backspace at the
        // top level hides and selects the title line.
        {0, 0, {'B', 'D'}, "BD", 0, true},
        {0, 0, {'B', 'D', VK_BACK}, "B", 4, true},
        {0, 0, {'B', 'D', VK_RETURN}, "B", 4, true},
        {0, 0, {'B', VK_BACK}, "", 2, true},
        {0, 0, {VK_BACK}, "", 0, false},
        {0, 0, {VK_DOWN, VK_RETURN}, "B", 0, true},  // Enter on a submenu enters it
        // The IME keys do nothing while shown.
        {0, 0, {VK_DOWN, VK_CONVERT, VK_NONCONVERT}, "", 2, true},
        // Enter or a key on an empty slot hides, selecting that slot.
        {1, 0, {VK_DOWN, VK_DOWN, VK_RETURN}, "", 3, false},
        {0, 0, {'Q'}, "", 17, false},
        {0, 0, {VK_NUMPAD7}, "", 34, false},
        // Hiding keeps the selection at the top level; from a submenu it
        // returns to the top level, slot 1, unless SaveCursor keeps both.
        {0, 0, {VK_DOWN, VK_DOWN, VK_ESCAPE}, "", 19, false},
        {0, 0, {'S', VK_DOWN, VK_ESCAPE}, "", 1, false},
        {0, 1, {'S', VK_DOWN, VK_ESCAPE}, "S", 27, false},
    };
    PutMenu();
    Start();
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        SCOPED_TRACE(i);
        Run(rows[i]);
    }
    // Every other key hides.
    for (int key : {VK_ESCAPE, VK_SPACE, VK_LEFT, VK_RIGHT, VK_SHIFT, VK_F1, VK_OEM_1, 0xE5, 0xFF}) {
        SCOPED_TRACE(key);
        Run({0, 0, {key}, "", 1, false});
    }
}

TEST_F(LauncherTest, ArrowsOnAnUnloadedSlotTableLeaveTheSelection)
{
    PutMenu();
    Start();
    // What LoadSettings leaves before a level is loaded: no title at all.
    std::memset(Launcher.Titles, 0, sizeof Launcher.Titles);
    Selection = 3;
    Key(VK_DOWN);
    Key(VK_UP);
    EXPECT_EQ(3, Selection);
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, window_, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
}

TEST_F(LauncherTest, TheDeepestLevelIsEnteredButNeverPassed)
{
    const char parent[] = "ABCDEFGHIJKLMN";  // 14 keys
    PutEntry(parent, 15, "Deepest", SUBMENU_MARKER);
    PutEntry("ABCDEFGHIJKLMNO", 16, "Too deep", SUBMENU_MARKER);  // stored data may go on
    Start();
    std::strcpy(KeyPath, parent);
    LoadLevel(&Launcher, KeyPath, Launcher.ShowAllKey);
    Show();
    Key('O');
    EXPECT_STREQ("ABCDEFGHIJKLMNO", KeyPath);
    EXPECT_EQ(0, Selection);
    EXPECT_TRUE(Visible());

    Launcher.SaveCursor = 1;  // keep the level to look at it afterwards
    // The marker "-1" handed to the shell would fail with an error box.
    EXPECT_EQ(0, WithErrorBoxesClosed([this] { Key('P'); })) << "nothing was started";
    EXPECT_STREQ("ABCDEFGHIJKLMNO", KeyPath);
    EXPECT_EQ('\0', KeyPath[kKeyPathMax]);
    EXPECT_FALSE(Visible());
}

TEST_F(LauncherTest, ShowingCopiesTheScreenAndHidingFreesIt)
{
    PutMenu();
    Start();  // default launcher key: 無変換 through the hook library, no hot key
    ASSERT_EQ(0, HotKeyAtom);
    SendMessageA(window_, WM_HOTKEY, 0, 0);
    PumpFor(0);
    EXPECT_FALSE(Visible()) << "no hot key is registered";
    EXPECT_EQ(nullptr, Launcher.BackgroundCapture.MemDC);

    Show();
    ASSERT_TRUE(Visible());
    HDC copy = Launcher.BackgroundCapture.MemDC;
    HBITMAP bitmap = Launcher.BackgroundCapture.Bitmap;
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(GetFocus(), window_);

    // The launcher key on a shown launcher changes nothing.
    Show();
    EXPECT_TRUE(Visible());
    EXPECT_EQ(copy, Launcher.BackgroundCapture.MemDC);

    // The timer hides it once another window is in front.
    SendMessageA(window_, WM_TIMER, LAUNCHER_TIMER_ID, 0);
    if (GetForegroundWindow() == window_) {
        EXPECT_TRUE(Visible());
    }
    TestWindow other;
    ASSERT_TRUE(BringToFront(other.get()));
    SendMessageA(window_, WM_TIMER, LAUNCHER_TIMER_ID, 0);
    EXPECT_FALSE(Visible());
    EXPECT_EQ(nullptr, Launcher.BackgroundCapture.MemDC);
    EXPECT_EQ(0u, GetObjectType(bitmap)) << "the copy's bitmap is deleted";

    // The show starts the timer itself: a click elsewhere hides the launcher.
    Show();
    ASSERT_TRUE(BringToFront(other.get()));
    EXPECT_TRUE(PumpUntil([this] { return !Visible(); }, 3000)) << "no timer runs";
}

// What the shown launcher window holds, pixel by pixel.
std::vector<COLORREF> WindowPixels(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    std::vector<COLORREF> pixels;
    HDC dc = GetWindowDC(window);
    HDC copy = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, w, h, dc, 0, 0, SRCCOPY);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels.push_back(GetPixel(copy, x, y));
    SelectObject(copy, old);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(window, dc);
    return pixels;
}

// The window keeps measured levels and drawn pictures between shows; a show
// or a level change drawn from them must look exactly like one drawn by a
// launcher that has just been started (default look: gradient, blending,
// smoothed text with shadows).
TEST_F(LauncherTest, AShowFromKeptLevelsLooksLikeAFreshOne)
{
    PutMenu();
    // Away from the corner where Wine shows its notification area, so that
    // the screen under the launcher stays as it is.
    PutDword("Window", "Left", 400);
    PutDword("Window", "Top", 100);
    Start();
    Show();
    const std::vector<COLORREF> fresh = WindowPixels(window_);
    ASSERT_GT(std::set<COLORREF>(fresh.begin(), fresh.end()).size(), 20u) << "a painted window";
    Key(VK_ESCAPE);
    Show();
    EXPECT_TRUE(fresh == WindowPixels(window_)) << "shown again over the same screen";

    // Into a submenu and back: the top level with the submenu's line selected.
    Key('S');
    Key(VK_BACK);
    ASSERT_EQ(19, Selection);
    const std::vector<COLORREF> back = WindowPixels(window_);
    Key(VK_ESCAPE);
    DestroyWindow(window_);
    PumpFor(0);
    UnregisterClassA("Tav", GetModuleHandleA(nullptr));
    Start();
    Selection = 19;
    Show();
    EXPECT_TRUE(back == WindowPixels(window_)) << "a new launcher, shown with the same selection";
}

// Levels kept by the launcher window against LoadLevel, after each change
// of the entry tree: what the cache gives must be what the registry holds.
TEST_F(LauncherTest, KeptLevelsFollowEveryChangeOfTheEntryTree)
{
    const char launch[] = "Software\\orrel\\Tav\\Launch";
    PutMenu();
    LevelCache levels;
    const struct {
        const char* What;
        std::function<void()> Change;
        const char* KeyPath;
        int ShowAll;
    } steps[] = {
        {"the top level", [] {}, "", 0},
        {"a submenu", [] {}, "S", 0},
        {"the top level again", [] {}, "", 0},
        {"all keys shown", [] {}, "", 1},
        {"an entry added", [] { PutEntry("", 5, "Echo", "e.exe"); }, "", 0},
        {"a title changed", [] { PutEntry("S", 27, "Null", "n.exe"); }, "S", 0},
        {"a submenu made an entry", [] { PutEntry("", 2, "Bravo", "b.exe"); }, "", 0},
        {"a title removed", [&] { RegDeleteKeyValueA(HKEY_CURRENT_USER, launch, "TitleA"); }, "", 0},
        {"the entry tree deleted", [&] { RegDeleteTreeA(HKEY_CURRENT_USER, launch);
                                         RegDeleteKeyA(HKEY_CURRENT_USER, launch); }, "", 0},
        {"an entry in a new tree", [] { PutEntry("", 3, "Charlie", "c.exe"); }, "", 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.What);
        step.Change();
        LauncherState kept = {}, fresh = {};
        levels.Load(&kept, step.KeyPath, step.ShowAll);
        LoadLevel(&fresh, step.KeyPath, step.ShowAll);
        EXPECT_EQ(0, std::memcmp(fresh.Titles, kept.Titles, sizeof fresh.Titles));
        EXPECT_EQ(0, std::memcmp(fresh.IsSubmenu, kept.IsSubmenu, sizeof fresh.IsSubmenu));
        EXPECT_EQ(fresh.LineCount, kept.LineCount);
    }
}

// Around the options dialog: setup mode, the settings applied, setup mode left.
TEST_F(LauncherTest, SetupModeAndApplyingSettingsEndAtTheTopLevel)
{
    PutMenu();
    PutDword("Window", "SaveCursor", 1);
    Start();
    Show();
    Key('S');
    Key(VK_ESCAPE);
    ASSERT_STREQ("S", KeyPath);
    SendMessageA(window_, UM_SETUPMODE, 1, 0);
    EXPECT_EQ(1, SetupMode);
    EXPECT_TRUE(IsWindowVisible(SetupWindow)) << "the setup window opens";
    Show();
    EXPECT_FALSE(Visible()) << "the launcher key is inert in setup mode";
    // Closing the setup window leaves it, and drops the remembered level all
    // the same.
    SendMessageA(SetupWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, SetupMode);
    EXPECT_STREQ("", KeyPath);
    EXPECT_STREQ("Sierra", Launcher.Titles[19]);

    // Applied while shown in a submenu: the screen copy is freed, not lost.
    Show();
    Key('S');
    HBITMAP bitmap = Launcher.BackgroundCapture.Bitmap;
    ASSERT_NE(nullptr, bitmap);
    PutDword("Window", "ShowAllKey", 1);
    ApplySettings(window_, &Launcher, KeyPath);
    EXPECT_EQ(0u, GetObjectType(bitmap));
    EXPECT_EQ(nullptr, Launcher.BackgroundCapture.MemDC);
    EXPECT_FALSE(Visible());
    EXPECT_STREQ("", KeyPath);
    EXPECT_EQ(37, Launcher.LineCount);
    Show();
    EXPECT_TRUE(Visible());
}

// The default launcher key, 無変換, watched by the hook library, pressed for
// real.  In setup mode it goes on to the window in front, where it keeps its
// usual meaning; otherwise it shows the launcher and is swallowed, and so it
// is while the launcher is shown (where a second press changes nothing).
TEST_F(LauncherTest, InSetupModeTheLibraryKeyGoesOnToTheWindowInFront)
{
    KeyWatch watch;  // sees what the library passes on
    ASSERT_TRUE(watch.Installed());
    Start();
    SetHook(window_);
    auto press = [] {
        PressKey(VK_NONCONVERT);
        PumpFor(300);
    };
    SendMessageA(window_, UM_SETUPMODE, 1, 0);
    press();
    EXPECT_FALSE(Visible());
    EXPECT_EQ(1, watch.Downs(VK_NONCONVERT));
    EXPECT_EQ(1, watch.Ups(VK_NONCONVERT));

    SendMessageA(window_, UM_SETUPMODE, 0, 0);
    press();
    EXPECT_TRUE(Visible());
    press();
    EXPECT_TRUE(Visible());
    EXPECT_EQ(1, watch.Downs(VK_NONCONVERT));
    EXPECT_EQ(1, watch.Ups(VK_NONCONVERT));
}

// Settings applied by OK or by an import reach the hook library at once.
TEST_F(LauncherTest, ApplyingSettingsHandsTheForegroundOptionToTheLibrary)
{
    PutDword("Window", "Foreground", 0);
    Start();
    SetForeground(0);
    SetHook(window_);
    PutDword("Window", "Foreground", 1);
    ApplySettings(window_, &Launcher, KeyPath);
    TestWindow flashing;
    ASSERT_TRUE(BringToFront(window_));
    PostMessageA(FindWindowA(TAV_HOOK_WINDOW_CLASS, nullptr), RegisterWindowMessageA("SHELLHOOK"),
                 HSHELL_FLASH, reinterpret_cast<LPARAM>(flashing.get()));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == flashing.get(); }, 5000));
    SetForeground(0);
}

// After the shell restarts ("TaskbarCreated") the icon is added again: a
// second add of the same icon is then refused.
TEST_F(LauncherTest, TheTrayIconComesBackWhenTheShellRestarts)
{
    if (!WaitForNotificationArea())
        GTEST_SKIP() << "no notification area on this display";
    Start();
    NOTIFYICONDATAA icon;
    FillTrayIconData(&icon, window_);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon));
    SendMessageA(window_, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &icon));
}

// The launcher key and an entry's keys typed before the launcher shows: the
// entry starts, and only the key after the entry's reaches the window in front.
class BurstTest : public LauncherTest {
protected:
    void Burst(WORD key, WORD shift)
    {
        std::string started = TempFile("burst.txt");
        PutEntry("", 19, "Sierra", SUBMENU_MARKER);
        PutEntry("S", 28, "One", MarkerProgram().c_str(), "", ("\"" + started + "\"").c_str());
        PutDword("Key", "OpenHotKey", key);
        PutDword("Key", "OpenHotKeyEx", shift ? MOD_SHIFT : 0);
        KeyWatch watch;
        ASSERT_TRUE(watch.Installed());
        Start();
        SetHook(window_);
        PressKey(key, shift);
        PressKey('S');
        PressKey('1');
        PressKey('X');
        EXPECT_NE("", WaitFor(started));
        EXPECT_FALSE(Visible());
        EXPECT_TRUE(PumpUntil([&] { return watch.Ups('X') == 1; }));
        EXPECT_EQ(0, watch.Downs('S') + watch.Ups('S') + watch.Downs('1') + watch.Ups('1'));
        EXPECT_EQ(1, watch.Downs('X'));
    }
};

TEST_F(BurstTest, WithTheLibraryKey)
{
    Burst(VK_NONCONVERT, 0);
}

TEST_F(BurstTest, WithAHotKey)
{
    Burst(VK_F9, VK_SHIFT);
}

TEST_F(LauncherTest, ADragOnASideStripStoresTheWidthElsewhereItMoves)
{
    PutMenu();
    Start();
    Show();
    RECT before;
    GetWindowRect(window_, &before);
    const int height = before.bottom - before.top;
    MINMAXINFO limits = {};
    SendMessageA(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(12, limits.ptMinTrackSize.x);
    EXPECT_EQ(height, limits.ptMinTrackSize.y);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), limits.ptMaxTrackSize.x);
    EXPECT_EQ(height, limits.ptMaxTrackSize.y);
    SendMessageA(window_, WM_GETMINMAXINFO, 0, 0);  // no record: nothing to fill

    // Away from the strips: a move, which stores no width.
    RECT moved = DragFrom(window_, (before.left + before.right) / 2, before.top + 3, HTCLIENT, 30);
    EXPECT_FALSE(Visible()) << "every left click hides the launcher";
    EXPECT_GT(moved.left, before.left);
    EXPECT_EQ(before.right - before.left, moved.right - moved.left);
    EXPECT_EQ(0xDEADBEEF, ReadWindowDword("Width"));

    // The right strip dragged 40 pixels to the right: a wider window, same height.
    Show();
    GetWindowRect(window_, &before);
    RECT after = DragFrom(window_, before.right - 2, (before.top + before.bottom) / 2, HTRIGHT, 40);
    EXPECT_FALSE(Visible());
    EXPECT_EQ(before.left, after.left);
    EXPECT_GT(after.right, before.right);
    EXPECT_EQ(height, after.bottom - after.top);
    EXPECT_EQ(static_cast<DWORD>(after.right - after.left), ReadWindowDword("Width"));
    EXPECT_EQ(0, Launcher.Dragging);
}

TEST_F(LauncherTest, TheFirstRunOpensTheOptionsUntilAPositionIsSaved)
{
    TestWindow launcher;  // records the commands
    LauncherWindow = launcher.get();
    CheckFirstRun();  // "Top" 0 is saved
    PutDword("Window", "Top", static_cast<DWORD>(-999));
    CheckFirstRun();
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kWindowKey, "Top");
    CheckFirstRun();
    EXPECT_EQ(std::vector<WORD>(2, IDM_OPTIONS), launcher.Commands);
}

TEST_F(LauncherTest, ExitSavesThePositionReleasesTheHotKeyAndEndsTheLoop)
{
    PutDword("Key", "OpenHotKey", VK_F9);
    PutDword("Key", "OpenHotKeyEx", MOD_CONTROL | MOD_ALT);
    Start();
    ASSERT_NE(0, HotKeyAtom);
    SendMessageA(window_, WM_HOTKEY, 12345, 0);  // the id is not compared
    PumpFor(0);
    EXPECT_TRUE(Visible());
    Key(VK_ESCAPE);

    SetWindowPos(window_, nullptr, 123, 45, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    SendMessageA(window_, WM_COMMAND, IDM_EXIT, 0);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(123u, ReadWindowDword("Left"));
    EXPECT_EQ(45u, ReadWindowDword("Top"));
    EXPECT_EQ(0, HotKeyAtom);
    // (Wine keeps class names in the global atom table too.)
    UnregisterClassA("Tav", GetModuleHandleA(nullptr));
    EXPECT_EQ(0, GlobalFindAtomA("Tav")) << "the hot key's atom is deleted";
}

// Wine drops a window's tray icons with the window; Windows leaves a ghost
// icon in the notification area until the pointer passes over it.  So the
// check is made at the window's very end, WM_NCDESTROY, while the window
// still exists: the shell must take the same record again.
NOTIFYICONDATAA LauncherIcon;
WNDPROC LauncherProc;
int IconAddedAtEnd;

LRESULT CALLBACK AddIconAtEnd(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY) {
        IconAddedAtEnd = Shell_NotifyIconA(NIM_ADD, &LauncherIcon) ? 1 : 0;
        Shell_NotifyIconA(NIM_DELETE, &LauncherIcon);
    }
    return CallWindowProcA(LauncherProc, window, message, wParam, lParam);
}

TEST_F(LauncherTest, TheTrayIconIsGoneByTheWindowsEnd)
{
    Start();
    if (!WaitForNotificationArea())
        GTEST_SKIP() << "no notification area on this display";
    FillTrayIconData(&LauncherIcon, window_);
    ASSERT_FALSE(Shell_NotifyIconA(NIM_ADD, &LauncherIcon)) << "the window added its icon";
    IconAddedAtEnd = -1;
    LauncherProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AddIconAtEnd)));
    SendMessageA(window_, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(1, IconAddedAtEnd);
}

// tav_marker.exe, beside the test program, writes the file named by its first
// argument: where (dir=) and with what (args=) it ran.
TEST_F(LauncherTest, EntriesStartTheirProgramsThroughTheShellWhateverFails)
{
    std::string program = MarkerProgram();
    std::string folder = TempFolder();
    std::string started = TempFile("started.txt");
    std::string parameters = "\"" + started + "\" one two";
    std::string missingSound = TempFile("missing-sound.txt");
    std::string foreignSound = TempFile("foreign-sound.txt");
    PutEntry("", 19, "Sierra", SUBMENU_MARKER);
    PutEntry("S", 1, "Marker", program.c_str(), folder.c_str(), parameters.c_str());
    PutEntry("", 1, "Missing", "C:\\no\\such\\program.exe");
    PutEntry("", 2, "No program", "");
    PutEntry("", 3, "Missing sound", program.c_str(), "", missingSound.c_str(),
             "C:\\no\\such\\sound.wav");
    PutEntry("", 4, "Foreign sound", program.c_str(), "", foreignSound.c_str(),
             program.c_str());  // no WAV file
    Start();
    WithErrorBoxesClosed([this] {
        Show();
        Key('A');
        EXPECT_FALSE(Visible());
        PumpFor(0);
        Show();
        Key('B');  // a title without a program starts nothing
        EXPECT_FALSE(Visible());
    });

    // The launcher still works.
    Show();
    Key('S');
    SendMessageA(window_, WM_KEYDOWN, 'A', 0);
    EXPECT_FALSE(Visible()) << "hidden before the program starts";
    EXPECT_EQ("dir=" + folder + "\nargs=one two\n", WaitFor(started));
    // Started from a submenu without SaveCursor: back at the top, slot 1.
    EXPECT_STREQ("", KeyPath);
    EXPECT_EQ(1, Selection);

    for (const std::string& file : {missingSound, foreignSound}) {
        Show();
        Key(file == missingSound ? 'C' : 'D');
        EXPECT_FALSE(Visible());
        EXPECT_NE("", WaitFor(file)) << file;
    }
}

// The launcher starts the program while the entry's sound plays, instead of
// freezing until it ends.  The tests' audio device is ALSA's null device
// (alsa-null.conf, for the launcher tests), which Wine feeds four times
// faster than real time: 8 seconds of samples play for about 2 seconds.
TEST_F(LauncherTest, TheProgramStartsWhileTheEntrysSoundStillPlays)
{
    ASSERT_NE(0u, waveOutGetNumDevs()) << "no audio device (under Wine: ALSA_CONFIG_PATH names "
                                          "tests/win/alsa-null.conf)";
    std::string sound = TempFile("long.wav");
    std::string started = TempFile("sound-started.txt");
    WriteSilence(sound, 8);
    PutEntry("", 1, "Sound", MarkerProgram().c_str(), "", ("\"" + started + "\"").c_str(),
             sound.c_str());
    Start();
    Show();
    Key('A');  // hides, starts the sound and the program, and returns
    EXPECT_FALSE(sndPlaySoundA(sound.c_str(), SND_ASYNC | SND_NOSTOP))
        << "the sound had ended before the program was started";
    EXPECT_NE("", WaitFor(started));
    sndPlaySoundA(nullptr, 0);
    DeleteFileA(sound.c_str());
}

// An entry's own key starts it without showing the launcher; a submenu's
// shows its level, from which ".." leads up.  The keys are let go in setup
// mode, and an imported file's keys are in force at once.
TEST_F(LauncherTest, OwnKeysStartEntriesShowSubmenusAndFollowSetupModeAndImports)
{
    const std::string started = TempFile("own-key.txt");
    PutMenu();
    PutEntry("S", 1, "Marker", MarkerProgram().c_str(), "", ("\"" + started + "\"").c_str());
    const DWORD ctrlF7 = 0x0276, ctrlF8 = 0x0277;
    WriteEntryHotKey("", 19, ctrlF7);
    WriteEntryHotKey("S", 1, ctrlF8);
    PutDword("Key", "OpenHotKey", VK_NONCONVERT);  // each section must exist for an export
    Start();
    TestWindow other;
    auto free = [&other](DWORD key) {
        if (!RegisterHotKey(other.get(), 1, key >> 8, key & 0xFF))
            return false;
        UnregisterHotKey(other.get(), 1);
        return true;
    };

    EXPECT_FALSE(free(ctrlF7) || free(ctrlF8)) << "registered at start";
    // The modifier's own key-down goes to the window in front, as it would
    // to another program's.
    ASSERT_TRUE(BringToFront(other.get()));
    PressKey(VK_F7, VK_CONTROL);
    ASSERT_TRUE(PumpUntil([] { return KeyPath[0] == 'S'; })) << Visible();
    EXPECT_TRUE(Visible());
    EXPECT_EQ(0, Selection);
    Key(VK_RETURN);  // ".."
    EXPECT_STREQ("", KeyPath);
    PressKey(VK_F8, VK_CONTROL);
    EXPECT_NE("", WaitFor(started));
    EXPECT_FALSE(Visible());

    SetSetupMode(1);
    EXPECT_TRUE(free(ctrlF7) && free(ctrlF8));
    SetSetupMode(0);
    EXPECT_FALSE(free(ctrlF7) || free(ctrlF8));

    // Exported with the keys, stored without, imported: in force again.
    const std::string file = TempFile("own-keys.ini");
    ASSERT_EQ(1, ExportSettings(file.c_str()));
    std::string text;
    std::getline(std::ifstream(file, std::ios::binary), text, '\0');
    EXPECT_NE(std::string::npos, text.find("D:HotKeyS=630\r\n"));
    WriteEntryHotKey("", 19, 0);
    WriteEntryHotKey("S", 1, 0);
    SetSetupMode(1);
    SetSetupMode(0);
    ASSERT_TRUE(free(ctrlF7));
    DialogDriver driver;
    driver.Then("*", [&file](HWND dialog) {
        SetDlgItemTextA(dialog, 0x47C, file.c_str());  // the file name box
        PostCommand(dialog, IDOK);
    }).Press("Tav", IDOK);
    SendMessageA(window_, WM_COMMAND, IDM_IMPORT, 0);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(ctrlF7, ReadEntryHotKey("", 19));
    EXPECT_FALSE(free(ctrlF7) || free(ctrlF8));
    DeleteFileA(file.c_str());
}

}  // namespace
