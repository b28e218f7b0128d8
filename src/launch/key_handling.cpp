/*
 * Key handling and launching.
 */
#include "launch/key_handling.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstring>

#include "core/launcher_window.h"
#include "draw/geometry.h"
#include "launch/selection.h"
#include "store/entry_tree.h"

// Key codes as they arrive, taken as signed 8-bit values.
enum {
    KEY_BACKSPACE = 8,
    KEY_ENTER = 13,
    KEY_CONVERT = 28,     // 変換
    KEY_NONCONVERT = 29,  // 無変換
    KEY_UP = 38,
    KEY_DOWN = 40,
};

// One arrow press.  When it lands on an empty slot that is not shown, the
// same key-down is posted again: queued input is handled in between, and
// the window repaints after each step.  A level without any slot to stop on
// (only possible while the slot table does not hold a loaded level) keeps
// the selection instead, so the posting always ends.
static int MoveSelection(HWND window, const LauncherState* state, const char* keyPath,
                         int selection, ArrowDirection direction, WPARAM key)
{
    int atTop = keyPath[0] == '\0' ? 1 : 0;
    if (!LevelHasArrowStop(state->Titles, state->ShowAllKey, atTop))
        return selection;
    int s = StepSelection(selection, direction, atTop);
    if (ArrowPassesOver(state->Titles, s, state->ShowAllKey))
        PostMessageA(window, WM_KEYDOWN, key, 0);
    return s;
}

int HandleLauncherKey(HWND window, LauncherState* state, char* keyPath, int selection, int key)
{
    switch (static_cast<signed char>(key & 0xFF)) {
    case KEY_BACKSPACE:
        return ActivateSlot(window, state, keyPath, 0);
    case KEY_ENTER:
        return ActivateSlot(window, state, keyPath, selection);
    case KEY_CONVERT:
    case KEY_NONCONVERT:
        // The IME launcher key, held or repeated, does not act on the menu.
        return selection;
    case KEY_UP:
        return MoveSelection(window, state, keyPath, selection, ARROW_UP, KEY_UP);
    case KEY_DOWN:
        return MoveSelection(window, state, keyPath, selection, ARROW_DOWN, KEY_DOWN);
    default:
        break;
    }
    int slot = SlotFromKey(key);
    if (slot == -1)
        return HideLauncher(window, state, keyPath, selection);
    int result = ActivateSlot(window, state, keyPath, slot);
    InvalidateRect(window, nullptr, FALSE);
    return result;
}

// Starts the entry's program through the shell after its sound has been
// started.  The shell reports a failed start itself; nothing is tested.
static void StartEntry(HWND window, const EntryRecord* entry)
{
    if (entry->Sound[0] != '\0') {
        // SND_ASYNC: returns at once; a missing or unplayable file is left
        // to sndPlaySoundA.
        sndPlaySoundA(entry->Sound, SND_ASYNC);
    }
    SHELLEXECUTEINFOA info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    info.hwnd = window;
    info.lpFile = entry->Program;
    info.lpParameters = entry->Parameters;
    info.lpDirectory = entry->Folder;
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExA(&info);
}

void ShowLevel(HWND window, LauncherState* state, const char* keyPath)
{
    LoadLevel(state, keyPath, state->ShowAllKey != 0 ? 1 : 0);
    SizeLauncherWindow(window, state, keyPath);
}

int ActivateSlot(HWND window, LauncherState* state, char* keyPath, int slot)
{
    if (slot == 0 && keyPath[0] != '\0') {
        int parentSlot = KeyPathRemoveLast(keyPath);
        ShowLevel(window, state, keyPath);
        return parentSlot;
    }
    int inRange = slot >= 0 && slot < kSlotCount;
    if (inRange && state->IsSubmenu[slot] && KeyPathAppend(keyPath, slot)) {
        ShowLevel(window, state, keyPath);
        return 0;
    }

    // Read before hiding: hiding may take keyPath back to the top level.
    EntryRecord entry;
    std::memset(&entry, 0, sizeof entry);
    if (inRange && slot > 0)
        ReadEntry(keyPath, slot, &entry);
    int result = HideLauncher(window, state, keyPath, inRange ? slot : 0);

    // A submenu too deep to enter carries the marker as its program: it is
    // never handed to the shell.
    if (entry.Program[0] == '\0' || IsSubmenuMarker(entry.Program))
        return result;
    StartEntry(window, &entry);
    return result;
}
