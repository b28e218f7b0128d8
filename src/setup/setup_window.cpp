/*
 * The setup window: its class, its view of one level, selection by mouse
 * and keyboard, descending and climbing, painting, the move loop, and its
 * life from UM_SETUPMODE 1 to UM_SETUPMODE 0.  The editing functions are in
 * setup_commands.cpp.
 */
#include "setup/setup_window.h"

#include <imm.h>

#include <memory>
#include <new>

#include "base/messages.h"
#include "base/unique_handle.h"
#include "base/window_class.h"
#include "draw/desktop.h"
#include "draw/geometry.h"
#include "draw/paint.h"
#include "draw/portable/dpi_scale.h"
#include "launch/portable/selection.h"
#include "setup/portable/setup_rows.h"
#include "setup/setup_session.h"
#include "store/settings.h"

namespace {

int Pitch(const SetupSession* session)
{
    return session->View.LineHeight + session->View.LineGap;
}

bool AtTopLevel(const SetupSession* session)
{
    return session->Cursor.KeyPath[0] == '\0';
}

RECT RowRect(const SetupSession* session, int slot, int width)
{
    LayoutRect row = SetupRowRect(slot, Pitch(session), width, session->View.Dpi);
    return RECT{row.Left, row.Top, row.Right, row.Bottom};
}

// Each entry's own key, right-aligned on its row in the launcher's font.
void PaintEntryKeys(const SetupSession* session, HDC dc, int width)
{
    if (session->Keys.FormatKey == nullptr)
        return;
    LOGFONTA font = session->View.Font;
    font.lfHeight = ScaleToDpi(font.lfHeight, session->View.Dpi);
    tav::UniqueHFont handle(CreateFontIndirectA(&font));
    HGDIOBJ old = SelectObject(dc, handle.get());
    SetBkMode(dc, TRANSPARENT);
    const int margin = ScaleToDpi(4, session->View.Dpi);
    for (int slot = 1; slot < kSlotCount; ++slot) {
        const DWORD key = session->HotKeys[slot];
        if (key == 0)
            continue;
        char text[kSetupKeyTextSize];
        session->Keys.FormatKey(text, static_cast<int>(EntryKeyCode(key)),
                                static_cast<int>(EntryKeyModifiers(key)));
        RECT row = RowRect(session, slot, width);
        row.right -= margin;
        SetTextColor(dc, session->HotKeyTaken[slot] ? RGB(192, 0, 0) : RGB(0, 0, 128));
        DrawTextA(dc, text, -1, &row, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(dc, old);
}

void StorePointer(SetupSession* session)
{
    GetCursorPos(&session->LastPointer);
}

// Selects the row under a screen point, if there is one.
void SelectRowAt(SetupSession* session, POINT point)
{
    int row = SetupRowAtPoint(session, point);
    if (row >= 0 && row != session->Cursor.Slot) {
        session->Cursor.Slot = row;
        RepaintSetup(session);
    }
}

void SelectRowUnderPointer(SetupSession* session)
{
    POINT pointer;
    GetCursorPos(&pointer);
    SelectRowAt(session, pointer);
}

// The selection follows a pointer that moved since it was last seen; a
// pointer at rest leaves a selection made with the keys alone.  Polled, so
// it also follows the pointer while the shell drags files over the window.
void TrackPointer(SetupSession* session)
{
    if (session->Busy > 0)
        return;
    POINT pointer;
    GetCursorPos(&pointer);
    if (pointer.x == session->LastPointer.x && pointer.y == session->LastPointer.y)
        return;
    session->LastPointer = pointer;
    SelectRowAt(session, pointer);
}

// The setup window's own view state: the settings as stored, with every
// row shown (in this copy only; it is never saved), the top level and key A.
void OnCreate(SetupSession* session)
{
    HWND window = session->Window;
    LoadSettings(&session->View);
    session->View.ShowAllKey = 1;
    session->Cursor.Slot = 1;
    // Watched before the first load, so that no change after it is missed.
    session->Watch.Restart();
    LoadLevel(&session->View, session->Cursor.KeyPath, 1);
    SizeAndPlaceLauncherWindow(window, &session->View, session->Cursor.KeyPath);
    // No IME input context: letters and digits arrive as WM_KEYDOWN with
    // their own codes, as in the launcher.
    ImmAssociateContext(window, nullptr);
    DragAcceptFiles(window, TRUE);
    // A pointer resting over the window as it opens does not take the
    // selection from key A; moving it does.
    StorePointer(session);
    SetTimer(window, SETUP_HOVER_TIMER_ID, SETUP_HOVER_TIMER_PERIOD, nullptr);
}

void OnDestroy(const SetupSession* session)
{
    KillTimer(session->Window, SETUP_HOVER_TIMER_ID);
    SendMessageA(session->Launcher, UM_SETUPMODE, 0, 0);
}

void OnPaint(SetupSession* session)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(session->Window, &paint);
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(session->Window, &rect);
    PaintSetupWindow(session, dc, rect.right - rect.left, rect.bottom - rect.top);
    EndPaint(session->Window, &paint);
}

// Keys: Backspace climbs (inside a submenu), Enter opens the selected row,
// the arrows move the selection around the level (past the title line at
// the top level), a letter or digit selects its row without opening it.
void OnKeyDown(SetupSession* session, int key)
{
    const bool top = AtTopLevel(session);
    int& slot = session->Cursor.Slot;
    switch (key) {
    case VK_BACK:
        if (top)
            return;
        slot = 0;
        OpenSelectedRow(session);
        return;
    case VK_RETURN:
        OpenSelectedRow(session);
        return;
    case VK_UP:
        slot = StepSelection(slot, ARROW_UP, top);
        break;
    case VK_DOWN:
        slot = StepSelection(slot, ARROW_DOWN, top);
        break;
    default: {
        int keySlot = SlotFromKey(key);
        if (keySlot < 0)
            return;
        slot = keySlot;
        break;
    }
    }
    RepaintSetup(session);
}

// A left-button press drags the whole window; it never moves entries.  The
// new place is not stored: the next setup window opens where the launcher
// would appear.
void OnLeftButtonDown(SetupSession* session)
{
    BeginModal(session);
    SendMessageA(session->Window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    RepaintSetup(session);
    EndModal(session, true);
}

// Handles a message of the setup window; false when the default handling
// must not follow (a WM_CLOSE that has to wait, a DPI change it has handled).
bool Dispatch(SetupSession* session, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint(session);
        break;
    case WM_MOUSEMOVE:
        TrackPointer(session);
        break;
    case WM_TIMER:
        FollowStore(session);
        TrackPointer(session);
        break;
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(session);
        break;
    case WM_LBUTTONDBLCLK:
        SelectRowUnderPointer(session);
        OpenSelectedRow(session);
        break;
    case WM_RBUTTONDOWN:
        SelectRowUnderPointer(session);
        SendMessageA(session->Window, WM_CONTEXTMENU, 0, 0);
        break;
    case WM_CONTEXTMENU:
        ShowSetupMenu(session);
        break;
    case WM_KEYDOWN:
        OnKeyDown(session, LOBYTE(wParam));
        break;
    case WM_DROPFILES:
        DropFiles(session, reinterpret_cast<HDROP>(wParam));
        break;
    case WM_COMMAND:
        RunSetupCommand(session, LOWORD(wParam));
        break;
    case UM_EDITENTRY:
        OpenEntryDialog(session);
        break;
    case UM_EDITSUBMENU:
        OpenSubmenuNameDialog(session);
        break;
    case UM_ASSIGNKEY:
        OpenAssignKeyDialog(session);
        break;
    case UM_EDITHOTKEY:
        OpenEntryKeyDialog(session);
        break;
    case WM_DPICHANGED:
        // Moved to a monitor of another DPI, or the scaling changed.
        FollowDpiChange(session->Window, &session->View, session->Cursor.KeyPath, wParam,
                        reinterpret_cast<const RECT*>(lParam));
        RepaintSetup(session);
        return false;
    case WM_CLOSE:
        // Destroying the window under a running dialog or command would
        // pull its state away from under it.
        if (session->Busy > 0) {
            session->ClosePending = true;
            return false;
        }
        break;
    default:
        break;
    }
    return true;
}

LRESULT CALLBACK SetupWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        KeepWindowRecord<SetupSession>(window, lParam);
        SetupSessionOf(window)->Window = window;
    }
    SetupSession* session = SetupSessionOf(window);
    if (session == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        OnCreate(session);
        break;
    case WM_DESTROY:
        OnDestroy(session);
        break;
    case WM_NCDESTROY:
        FreeWindowRecord<SetupSession>(window);
        break;
    default:
        if (!Dispatch(session, message, wParam, lParam))
            return 0;
        break;
    }
    // Every message also gets the default handling: WM_CLOSE destroys the
    // window, WM_PAINT has already validated it.
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

SetupSession* SetupSessionOf(HWND window)
{
    return WindowRecord<SetupSession>(window);
}

void BeginModal(SetupSession* session)
{
    ++session->Busy;
}

void EndModal(SetupSession* session, bool storePointer)
{
    if (--session->Busy > 0)
        return;
    if (storePointer)
        StorePointer(session);
    if (session->ClosePending) {
        session->ClosePending = false;
        PostMessageA(session->Window, WM_CLOSE, 0, 0);
    }
}

int SetupRowAtPoint(const SetupSession* session, POINT screen)
{
    RECT rect;
    if (!GetWindowRect(session->Window, &rect))
        return -1;
    return SetupRowAt(ToLayout(rect), screen.x, screen.y, Pitch(session), AtTopLevel(session),
                      session->View.Dpi);
}

void OpenSelectedRow(SetupSession* session)
{
    EntryLocation& cursor = session->Cursor;
    if (cursor.Slot == 0) {
        // ".." selects, in the parent, the submenu just left; the title line
        // of the top level opens nothing.
        int left = KeyPathRemoveLast(cursor.KeyPath);
        if (left < 0)
            return;
        cursor.Slot = left;
        ReloadLevel(session);
        return;
    }
    if (cursor.Slot >= 1 && cursor.Slot < kSlotCount && session->View.IsSubmenu[cursor.Slot]
        && KeyPathAppend(cursor.KeyPath, cursor.Slot)) {
        cursor.Slot = 0;
        ReloadLevel(session);
        return;
    }
    PostMessageA(session->Window, UM_EDITENTRY, 0, 0);
}

void ReloadLevel(SetupSession* session)
{
    LoadLevel(&session->View, session->Cursor.KeyPath, 1);
    constexpr int kProbeId = 1;
    for (int slot = 1; slot < kSlotCount; ++slot) {
        const DWORD key = ReadEntryHotKey(session->Cursor.KeyPath, slot);
        session->HotKeys[slot] = session->View.Titles[slot][0] != '\0' ? key : 0;
        bool taken = false;
        for (int before = 1; before < slot && key != 0; ++before)
            taken = taken || session->HotKeys[before] == key;
        if (session->HotKeys[slot] != 0 && !taken) {
            taken = !RegisterHotKey(session->Window, kProbeId, EntryKeyModifiers(key),
                                    EntryKeyCode(key));
            if (!taken)
                UnregisterHotKey(session->Window, kProbeId);
        }
        session->HotKeyTaken[slot] = taken;
    }
    RepaintSetup(session);
}

void RepaintSetup(const SetupSession* session)
{
    InvalidateRect(session->Window, nullptr, FALSE);
}

void PaintSetupWindow(const SetupSession* session, HDC dc, int width, int height)
{
    PaintLauncher(&session->View, dc, width, height, nullptr, 0, PAINT_SETUP);
    PaintEntryKeys(session, dc, width);
    RECT cursor = RowRect(session, session->Cursor.Slot, width);
    DrawInvertedRect(dc, &cursor);
    const EntryLocation& source = session->Clipboard.Source;
    if (session->HasClipboard && lstrcmpA(source.KeyPath, session->Cursor.KeyPath) == 0) {
        // One pixel more to the right and below: the dotted frame then
        // covers the pixels of the row's outline.
        RECT frame = RowRect(session, source.Slot, width);
        ++frame.right;
        ++frame.bottom;
        DrawFocusRect(dc, &frame);
    }
}

HWND CreateSetupWindow(HWND launcher, const SetupKeyHooks* keys)
{
    // Nothing is erased: painting covers every pixel.
    RegisterProgramClass(SETUP_WINDOW_CLASS, SetupWndProc, nullptr);

    // All zero: no clipboard, no pending path.  WM_NCCREATE takes it.
    std::unique_ptr<SetupSession> session(new (std::nothrow) SetupSession());
    if (!session)
        return nullptr;
    session->Launcher = launcher;
    if (keys != nullptr)
        session->Keys = *keys;
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, SETUP_WINDOW_CLASS, "Tav", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), &session);
    if (window == nullptr)
        return nullptr;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    return window;
}
