/*
 * The launcher window: a hidden, borderless tool window that the launcher
 * key shows over the screen.  Its window procedure is the hub of the
 * program: it shows and hides the launcher, feeds key-downs to key
 * handling, lets the user move the window or drag its width, and carries
 * out the tray menu's commands.
 */
#include "core/launcher_window.h"

#include <imm.h>

#include <memory>
#include <new>

#include "base/window_class.h"
#include "core/portable/edge_hit.h"
#include "core/entry_keys.h"
#include "core/launcher_key.h"
#include "core/settings_file_ui.h"
#include "core/tray.h"
#include "draw/geometry.h"
#include "draw/paint.h"
#include "draw/portable/dpi_scale.h"
#include "draw/portable/layout.h"
#include "hook/tav_hook.h"
#include "launch/key_handling.h"
#include "options/about_dialog.h"
#include "options/key_capture_dialog.h"
#include "options/launcher_key_text.h"
#include "options/options_dialog.h"
#include "res/resource.h"
#include "setup/setup_window.h"
#include "store/settings.h"
#include "store/window_position.h"
#include "ui/message_box.h"

LauncherState Launcher;
int Selection = 1;
int SetupMode = 0;
ATOM HotKeyAtom = 0;
char KeyPath[kKeyPathSize] = "";
HWND LauncherWindow = nullptr;
HWND SetupWindow = nullptr;

// What the launcher window keeps for itself: handed over by
// CreateLauncherWindow through lpCreateParams, kept with the window
// (GWLP_USERDATA) from WM_NCCREATE and freed at WM_NCDESTROY.
struct LauncherWindowRecord {
    LauncherState* State;  // what it shows: the process-wide Launcher in the program

    // What the window keeps between sizings and paints, so that showing it
    // and changing levels do again only what has changed.  Both compare
    // everything they were made from, and are cleared when the system's
    // fonts or display settings change, which can alter what GDI draws for
    // the same input.
    MeasureCache Measured;
    PaintCache Painted;

    // The levels loaded before, kept while the registry's entry tree does
    // not change.
    LevelCache Levels;

    // File name shared by the export and import commands; keeps the last
    // chosen name while the window lives.
    char IniPath[MAX_PATH] = "";

    // The commands that run modal dialogs (the settings-file commands'
    // common dialogs and message boxes, the options dialog, the about box)
    // run nested message loops, which keep the tray menu working meanwhile.
    // WM_CLOSE (exit) waits until every one of them has returned: destroying
    // the owner of a running dialog would end the process inside the
    // dialog's loop, and the command would go on with a destroyed window and
    // a freed record.  A second
    // settings-file command while one runs is ignored (both share the path
    // buffer and the dialogs' records).
    int ModalCommandsRunning = 0;

    // Shown by a submenu's own key: the modifiers of that key may still be
    // held, and their key-downs (a repeat, or the keyboard state handed over
    // with the focus) must not hide the launcher.  Until the first other key.
    bool IgnoreModifiers = false;
    int FileCommandRunning = 0;
    int ExitPending = 0;
};

// The window's record; null before WM_NCCREATE (the first
// WM_GETMINMAXINFO) and after WM_NCDESTROY.
static LauncherWindowRecord* RecordOf(HWND window)
{
    return WindowRecord<LauncherWindowRecord>(window);
}

static int WindowHeight(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

// Loads the level keyPath names and fits the window to it.
static void ShowLevel(HWND window, LauncherState* state, const char* keyPath)
{
    LauncherWindowRecord* record = RecordOf(window);
    LoadLauncherLevel(state, keyPath, &record->Levels);
    SizeLauncherWindow(window, state, keyPath, &record->Measured);
}

// Empties keyPath and shows the top level.
static void ShowTopLevel(HWND window, LauncherState* state, char* keyPath)
{
    keyPath[0] = '\0';
    ShowLevel(window, state, keyPath);
}

// Empties keyPath and fits the window to the top level where the launcher
// shows from now on: at the DPI of the monitor it is placed on.
static void PlaceTopLevel(HWND window, LauncherState* state, char* keyPath)
{
    LauncherWindowRecord* record = RecordOf(window);
    keyPath[0] = '\0';
    LoadLauncherLevel(state, keyPath, &record->Levels);
    SizeAndPlaceLauncherWindow(window, state, keyPath, &record->Measured);
}

void ForceForeground(HWND window)
{
    // The process that received the last input (the launcher key) may set
    // the foreground window itself, and then attaching is only extra work.
    if (SetForegroundWindow(window) && GetForegroundWindow() == window)
        return;
    // SetForegroundWindow is refused to a thread that does not own the
    // input; attached to the foreground thread's input state, it is not.
    DWORD launcherThread = GetWindowThreadProcessId(window, nullptr);
    DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    AttachThreadInput(launcherThread, foregroundThread, TRUE);
    SetForegroundWindow(window);
    AttachThreadInput(launcherThread, foregroundThread, FALSE);
}

void MoveToShowPosition(HWND window, LauncherState* state, const char* keyPath)
{
    // Measured for the monitor it shows on first: a docked launcher's place
    // depends on its size.
    int x = 0;
    int y = 0;
    FitForShowing(window, state, keyPath, &RecordOf(window)->Measured, &x, &y);
    RECT rect;
    GetWindowRect(window, &rect);
    if (x != rect.left || y != rect.top)
        MoveWindow(window, x, y, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void ShowAndFocus(HWND window)
{
    ShowWindow(window, SW_SHOW);
    // The focus is given anew now that the window is visible: a display
    // that can focus only mapped windows (the X server under Wine's virtual
    // desktop) did not take it while the window was hidden, and SetFocus on
    // the window that already has the focus changes nothing.
    SetFocus(nullptr);
    SetFocus(window);
}

// Moves the hidden window, which shows state's level keyPath, to its
// docked or free place, copies the screen under it, shows it and gives it
// the focus.  The caller starts the timer.
static void ShowLauncher(HWND window, LauncherState* state, const char* keyPath)
{
    ForceForeground(window);
    MoveToShowPosition(window, state, keyPath);
    // Still hidden: the copy shows what lies where the window will appear.
    CaptureBackground(window, &state->BackgroundCapture);
    ShowAndFocus(window);
}

int HideLauncher(HWND window, LauncherState* state, char* keyPath, int selection)
{
    ShowWindow(window, SW_HIDE);
    KillTimer(window, LAUNCHER_TIMER_ID);
    if (!state->SaveCursor) {
        if (keyPath[0] != '\0')
            selection = 1;
        ShowTopLevel(window, state, keyPath);
    }
    ReleaseBackground(&state->BackgroundCapture);
    state->Dragging = 0;
    return selection;
}

void ApplySettings(HWND window, LauncherState* state, char* keyPath)
{
    // LoadSettings zeroes the whole record, the screen copy's handles
    // included: free the copy first, and hide a shown launcher, which has
    // nothing left to paint over.
    if (IsWindowVisible(window)) {
        ShowWindow(window, SW_HIDE);
        KillTimer(window, LAUNCHER_TIMER_ID);
    }
    ReleaseBackground(&state->BackgroundCapture);

    LoadSettings(state);
    SetForeground(state->Foreground);
    PlaceTopLevel(window, state, keyPath);
}

int EdgeHitTest(HWND window)
{
    RECT rect;
    POINT cursor;
    GetWindowRect(window, &rect);
    GetCursorPos(&cursor);
    switch (ClassifyEdge(rect.left, rect.right, cursor.x, RecordOf(window)->State->Dpi)) {
    case EDGE_LEFT:
        return HTLEFT;
    case EDGE_RIGHT:
        return HTRIGHT;
    default:
        return HTCLIENT;
    }
}

static void OnCreate(HWND window, LauncherWindowRecord* record)
{
    AddTrayIcon(window);
    PlaceTopLevel(window, record->State, KeyPath);
    HotKeyAtom = RegisterLauncherKey(HotKeyAtom, window, record->State);
    RegisterEntryKeys(window);
}

static void OnDestroy(HWND window, LauncherWindowRecord* record)
{
    SaveLauncherPosition(window);
    DeleteTrayIcon();
    ReleaseBackground(&record->State->BackgroundCapture);
    HotKeyAtom = ReleaseLauncherKey(HotKeyAtom, window, record->State);
    ReleaseEntryKeys();
    PostQuitMessage(0);
}

static void OnPaint(HWND window, LauncherWindowRecord* record)
{
    const LauncherState* state = record->State;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (state->Dragging)
        PaintLauncher(state, dc, w, h, nullptr, Selection, PAINT_MOVED, &record->Painted);
    else
        PaintLauncher(state, dc, w, h, state->BackgroundCapture.MemDC, Selection, PAINT_LAUNCHER,
                      &record->Painted);
    EndPaint(window, &paint);
}

static void OnSetCursor(HWND window)
{
    int hit = EdgeHitTest(window);
    LPCSTR cursor = (hit == HTLEFT || hit == HTRIGHT) ? IDC_SIZEWE : IDC_ARROW;
    SetCursor(LoadCursorA(nullptr, cursor));
}

// Resizing changes the width only, from 12 pixels to the screen width.
static void OnGetMinMaxInfo(HWND window, MINMAXINFO* limits)
{
    if (limits == nullptr)
        return;
    int height = WindowHeight(window);
    limits->ptMinTrackSize.x = kMinLauncherWidth;
    limits->ptMinTrackSize.y = height;
    limits->ptMaxTrackSize.x = GetSystemMetrics(SM_CXSCREEN);
    limits->ptMaxTrackSize.y = height;
}

// Every left click hides the launcher; a press on a side strip first runs
// the system's sizing loop and stores the new width, a press elsewhere its
// move loop (the position is saved with the next SaveLauncherPosition).
// Both loops return when the button is released.
static void OnLeftButtonDown(HWND window, LauncherWindowRecord* record)
{
    LauncherState* state = record->State;
    state->Dragging = 1;  // the screen copy no longer matches: paint over white
    int hit = EdgeHitTest(window);
    InvalidateRect(window, nullptr, FALSE);
    if (hit == HTLEFT || hit == HTRIGHT) {
        SendMessageA(window, WM_NCLBUTTONDOWN, hit, 0);
        RECT rect;
        GetWindowRect(window, &rect);
        // Stored as a figure at 96 DPI, as the font is.
        WriteStoredWidth(ScaleFromDpi(rect.right - rect.left, state->Dpi));
    } else {
        SendMessageA(window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    }
    Selection = HideLauncher(window, state, KeyPath, Selection);
}

// Carries out what key handling decided, in its order: fit the window to a
// new level, repeat an arrow through the queue, hide, then start the entry.
static void OnKeyDown(HWND window, LauncherWindowRecord* record, int key)
{
    LauncherState* state = record->State;
    KeyOutcome outcome = HandleLauncherKey(state, KeyPath, Selection, key, &record->Levels);
    Selection = outcome.Selection;
    if (outcome.LevelChanged)
        SizeLauncherWindow(window, state, KeyPath, &record->Measured);
    if (outcome.RepeatKey != 0)
        PostMessageA(window, WM_KEYDOWN, static_cast<WPARAM>(outcome.RepeatKey), 0);
    if (outcome.Hide) {
        Selection = HideLauncher(window, state, KeyPath, Selection);
        StartEntry(window, &outcome.Entry);
    }
    InvalidateRect(window, nullptr, FALSE);
}

static void OnShowLauncher(HWND window, LauncherWindowRecord* record)
{
    // The launcher key neither shows the launcher in setup mode nor hides a
    // shown one.
    if (SetupMode != 1 && !IsWindowVisible(window)) {
        ShowLauncher(window, record->State, KeyPath);
        SetTimer(window, LAUNCHER_TIMER_ID, LAUNCHER_TIMER_PERIOD, nullptr);
    }
    // In front now (or not showing at all): the keys typed since the
    // launcher key come as UM_HELDKEY, ahead of any typed from now on.
    DeliverHeldKeys();
}

// A key typed after the launcher key, held by the hook library until now.
// The shown launcher takes its key-down as typed here.  Once a key before it
// hid the launcher (it started an entry), the key goes on to the window in
// front, as it would have without the launcher, and so does its release.
static void OnHeldKey(HWND window, LauncherWindowRecord* record, int key, int up)
{
    static bool passedOn[256];
    key &= 0xFF;
    if (!up && IsWindowVisible(window)) {
        OnKeyDown(window, record, key);
        return;
    }
    if (up && !passedOn[key])
        return;  // a release whose press the launcher took
    passedOn[key] = !up;
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key);
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

// An entry's own key (WM_HOTKEY with an entry key's id; false for any
// other id).  A submenu's key shows the launcher at its level, or moves a
// shown launcher there; an entry's starts it at once, as if it had been
// chosen, and the launcher stays as it is.  Nothing in setup mode.
static bool OnEntryKey(HWND window, LauncherWindowRecord* record, int id)
{
    char keyString[kKeyStringSize];
    if (!EntryKeyOfId(id, keyString))
        return false;
    if (SetupMode == 1)
        return true;
    char keyPath[kKeyPathSize];
    const int length = lstrlenA(keyString);
    lstrcpynA(keyPath, keyString, length);  // all but the entry's own key character
    const int slot = SlotFromKey(static_cast<unsigned char>(keyString[length - 1]));
    EntryRecord entry;
    if (!ReadEntry(keyPath, slot, &entry))
        return true;
    if (!IsSubmenuMarker(entry.Program) || !LevelHoldsSubmenus(keyPath)) {
        StartEntry(window, &entry);
        return true;
    }
    lstrcpynA(KeyPath, keyString, sizeof KeyPath);
    Selection = 0;
    record->IgnoreModifiers = true;
    ShowLevel(window, record->State, KeyPath);
    if (IsWindowVisible(window))
        InvalidateRect(window, nullptr, FALSE);
    else
        OnShowLauncher(window, record);
    return true;
}

void SetSetupMode(int mode)
{
    SetupMode = mode;
    // The launcher ignores its key meanwhile; the hook library then passes it
    // on instead of swallowing a press that shows nothing.
    PauseLibraryKey(mode == 1);
    // The entries' keys are let go, so that the capture dialog can try them,
    // and registered again as the entry tree holds them now.
    if (mode == 1)
        ReleaseEntryKeys();
    else
        RegisterEntryKeys(LauncherWindow);
}

// The setup window opens where the launcher would appear: its place is
// saved first, and the setup window reads it back.  A setup window that
// cannot be created leaves setup mode at once, or the launcher key and the
// tray's commands would stay dead until the program is started again.
// Leaving setup mode (the setup window is gone) shows the top level, which
// the setup window may have changed.
static void OnSetupMode(HWND window, LauncherWindowRecord* record, WPARAM enter)
{
    if (enter != 1) {
        SetSetupMode(0);
        ShowTopLevel(window, record->State, KeyPath);
        return;
    }
    if (IsWindow(SetupWindow)) {
        SetForegroundWindow(SetupWindow);
        return;
    }
    if (SetupMode == 1)
        return;  // the options dialog or the about box is open
    SetSetupMode(1);
    SaveLauncherPosition(window);
    static const SetupKeyHooks kKeyHooks = {RunEntryKeyCaptureDialog, FormatHotKeyText};
    SetupWindow = CreateSetupWindow(window, &kKeyHooks);
    if (SetupWindow == nullptr)
        SetSetupMode(0);
}

template <typename Command>
static void RunModalCommand(HWND window, LauncherWindowRecord* record, Command command)
{
    ++record->ModalCommandsRunning;
    command();
    --record->ModalCommandsRunning;
    if (record->ModalCommandsRunning == 0 && record->ExitPending) {
        record->ExitPending = 0;
        SendMessageA(window, WM_CLOSE, 0, 0);
    }
}

// An import changes the registry under the running launcher: settings and
// top level are loaded again, and the entries' keys registered as the file
// gave them.  The launcher key's registration stays; an imported launcher
// key takes effect when the key is next registered.
static void ReloadLauncher(HWND window)
{
    ApplySettings(window, RecordOf(window)->State, KeyPath);
    if (SetupMode == 0)
        RegisterEntryKeys(window);
}

// Commands 210 and 220: the save or open dialog on the shared file name,
// then export or import, and a message box that says how it went.
static void RunFileCommand(HWND window, LauncherWindowRecord* record, int command)
{
    if (record->FileCommandRunning)
        return;
    record->FileCommandRunning = 1;
    RunModalCommand(window, record, [window, record, command] {
        if (command == IDM_EXPORT)
            ExportWithDialog(window, record->IniPath);
        else
            ImportWithDialog(window, record->IniPath, ReloadLauncher);
    });
    record->FileCommandRunning = 0;
}

// Said once, after OK: the settings are saved, and the key can be chosen
// again in the options dialog.
static void ReportUnregisteredKey(HWND window, const LauncherState* state)
{
    char key[kLauncherKeyTextSize];
    FormatLauncherKeyText(key, state->OpenHotKey, state->OpenHotKeyEx, state->CheckIME);
    ShowTavMessage(window, IDS_HOTKEY_FAILED, MB_OK | MB_ICONEXCLAMATION, key);
}

// The key is released while the dialog runs and registered again afterwards
// (the new one after OK, the old one after Cancel).
static void OnOptions(HWND window, LauncherWindowRecord* record)
{
    LauncherState* state = record->State;
    HotKeyAtom = ReleaseLauncherKey(HotKeyAtom, window, state);
    SetSetupMode(1);
    INT_PTR result = RunOptionsDialog(window);
    if (result == 1)
        ApplySettings(window, state, KeyPath);
    SetSetupMode(0);
    bool registered = true;
    HotKeyAtom = RegisterLauncherKey(HotKeyAtom, window, state, &registered);
    SizeLauncherWindow(window, state, KeyPath, &record->Measured);
    if (result == 1 && !registered)
        ReportUnregisteredKey(window, state);
}

static void OnAbout(HWND window)
{
    SetSetupMode(1);
    RunAboutDialog(window);
    SetSetupMode(0);
}

static void OnCommand(HWND window, LauncherWindowRecord* record, int command)
{
    switch (command) {
    case IDM_OPTIONS:
    case IDM_ABOUT:
        // Setup mode is on while the setup window, the options dialog or the
        // about box is open.  A second dialog inside the first would end
        // setup mode and register the launcher key again under it; the tray
        // greys these commands then, and a posted or queued one is ignored.
        if (SetupMode == 1)
            break;
        if (command == IDM_OPTIONS)
            RunModalCommand(window, record, [window, record] { OnOptions(window, record); });
        else
            RunModalCommand(window, record, [window] { OnAbout(window); });
        break;
    case IDM_EXIT:
        SendMessageA(window, WM_CLOSE, 0, 0);
        break;
    case IDM_EXPORT:
    case IDM_IMPORT:
        RunFileCommand(window, record, command);
        break;
    case IDM_SETUP:
        SendMessageA(window, UM_SETUPMODE, 1, 0);
        break;
    default:
        // Other ids are not commands of this window.
        break;
    }
}

static void OnTimer(HWND window, LauncherWindowRecord* record)
{
    if (GetForegroundWindow() != window)
        Selection = HideLauncher(window, record->State, KeyPath, Selection);
}

static void OnTrayIcon(HWND window, LPARAM mouseMessage)
{
    UINT message = LOWORD(mouseMessage);
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)
        ShowTrayMenu(window, SetupMode);
}

static LRESULT CALLBACK LauncherWndProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam)
{
    if (message == WM_NCCREATE)
        KeepWindowRecord<LauncherWindowRecord>(window, lParam);
    LauncherWindowRecord* record = RecordOf(window);
    if (record == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        OnCreate(window, record);
        break;
    case WM_DESTROY:
        OnDestroy(window, record);
        break;
    case WM_NCDESTROY:
        FreeWindowRecord<LauncherWindowRecord>(window);
        break;
    case WM_CLOSE:
        // Exit waits for the modal commands running (RunModalCommand).
        if (record->ModalCommandsRunning > 0) {
            record->ExitPending = 1;
            return 0;
        }
        break;
    case WM_ACTIVATE:
        // No IME input context, ever: letters and digits then arrive as
        // WM_KEYDOWN with their own virtual-key codes.
        ImmAssociateContext(window, nullptr);
        break;
    case WM_PAINT:
        OnPaint(window, record);
        return 0;
    case WM_QUERYENDSESSION:
        SaveLauncherPosition(window);
        break;
    case WM_SETCURSOR:
        OnSetCursor(window);
        return TRUE;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(window, reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case WM_KEYDOWN:
        if (record->IgnoreModifiers
            && (wParam == VK_SHIFT || wParam == VK_CONTROL || wParam == VK_MENU
                || wParam == VK_LWIN || wParam == VK_RWIN))
            break;
        record->IgnoreModifiers = false;
        OnKeyDown(window, record, LOBYTE(wParam));
        break;
    case WM_COMMAND:
        OnCommand(window, record, LOWORD(wParam));
        break;
    case WM_TIMER:
        OnTimer(window, record);
        break;
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(window, record);
        break;
    case WM_RBUTTONUP:
        ShowTrayMenu(window, SetupMode);
        Selection = HideLauncher(window, record->State, KeyPath, Selection);
        Sleep(200);
        break;
    case WM_HOTKEY:
        if (OnEntryKey(window, record, static_cast<int>(wParam)))
            break;
        if (HotKeyAtom != 0)
            SendMessageA(window, UM_SHOWLAUNCHER, 0, 0);
        break;
    case UM_SHOWLAUNCHER:
        OnShowLauncher(window, record);
        break;
    case UM_HELDKEY:
        OnHeldKey(window, record, static_cast<int>(wParam), lParam != 0);
        break;
    case UM_SETUPMODE:
        OnSetupMode(window, record, wParam);
        break;
    case UM_TRAYICON:
        OnTrayIcon(window, lParam);
        break;
    case WM_DPICHANGED:
        // Moved to a monitor of another DPI while shown (dragged), or the
        // user changed the scaling: measured and sized anew.  A hidden
        // launcher is measured for its monitor at every show anyway.
        FollowDpiChange(window, record->State, KeyPath, wParam,
                        reinterpret_cast<const RECT*>(lParam), &record->Measured);
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_FONTCHANGE:
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
    case WM_THEMECHANGED:
        // Fonts, smoothing, colour depth or theme: the same text may now be
        // measured or drawn otherwise.
        record->Measured.Clear();
        record->Painted.Clear();
        break;
    default:
        // The shell has been restarted, so the tray icon has been lost.
        if (IsTaskbarCreatedMessage(message))
            AddTrayIcon(window);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateLauncherWindow(LauncherState* state)
{
    // Nothing is erased: painting covers every pixel.
    if (RegisterProgramClass("Tav", LauncherWndProc, nullptr) == 0)
        return nullptr;

    std::unique_ptr<LauncherWindowRecord> record(new (std::nothrow) LauncherWindowRecord);
    if (!record)
        return nullptr;
    record->State = state;
    // Borderless, no caption, no taskbar button, zero size: WM_CREATE
    // gives it its size and place.  WM_NCCREATE takes the record; if the
    // window is never made, it is freed here.
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "Tav", "Tav", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), &record);
    if (window == nullptr)
        return nullptr;
    ShowWindow(window, SW_HIDE);
    return window;
}

void CheckFirstRun()
{
    if (!HasSavedPosition())
        SendMessageA(LauncherWindow, WM_COMMAND, IDM_OPTIONS, 0);
}
