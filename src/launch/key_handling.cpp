/*
 * Key handling and launching.
 */
#include "launch/key_handling.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstring>

#include "base/late_import.h"
#include "launch/portable/selection.h"

// Key codes as they arrive, taken as signed 8-bit values.
enum {
    KEY_BACKSPACE = 8,
    KEY_ENTER = 13,
    KEY_CONVERT = 28,     // 変換
    KEY_NONCONVERT = 29,  // 無変換
    KEY_UP = 38,
    KEY_DOWN = 40,
};

static KeyOutcome Outcome(int selection)
{
    KeyOutcome outcome;
    std::memset(&outcome, 0, sizeof outcome);
    outcome.Selection = selection;
    return outcome;
}

// One arrow press.  When it lands on an empty slot that is not shown, the
// same key-down is asked for again: queued input is handled in between, and
// the window repaints after each step.  A level without any slot to stop on
// (only possible while the slot table does not hold a loaded level) keeps
// the selection instead, so the repeating always ends.
static KeyOutcome MoveSelection(const LauncherState* state, const char* keyPath, int selection,
                                ArrowDirection direction, int key)
{
    int atTop = keyPath[0] == '\0' ? 1 : 0;
    if (!LevelHasArrowStop(state->Titles, state->ShowAllKey, atTop))
        return Outcome(selection);
    KeyOutcome outcome = Outcome(StepSelection(selection, direction, atTop));
    if (ArrowPassesOver(state->Titles, outcome.Selection, state->ShowAllKey))
        outcome.RepeatKey = key;
    return outcome;
}

// Acts on slot 0..36 of the level keyPath names.  keyPath is a kKeyPathSize
// buffer and never grows beyond kKeyPathMax keys: a submenu below the
// deepest level acts as an entry without a program.
static KeyOutcome ActivateSlot(LauncherState* state, char* keyPath, int slot,
                               LevelCache* levels)
{
    if (slot == 0 && keyPath[0] != '\0') {
        KeyOutcome outcome = Outcome(KeyPathRemoveLast(keyPath));
        LoadLauncherLevel(state, keyPath, levels);
        outcome.LevelChanged = 1;
        return outcome;
    }
    int inRange = slot >= 0 && slot < kSlotCount;
    if (inRange && state->IsSubmenu[slot] && KeyPathAppend(keyPath, slot)) {
        KeyOutcome outcome = Outcome(0);
        LoadLauncherLevel(state, keyPath, levels);
        outcome.LevelChanged = 1;
        return outcome;
    }

    // Read now: hiding may take keyPath back to the top level.
    KeyOutcome outcome = Outcome(inRange ? slot : 0);
    outcome.Hide = 1;
    if (inRange && slot > 0)
        ReadEntry(keyPath, slot, &outcome.Entry);
    return outcome;
}

KeyOutcome HandleLauncherKey(LauncherState* state, char* keyPath, int selection, int key,
                             LevelCache* levels)
{
    switch (static_cast<signed char>(key & 0xFF)) {
    case KEY_BACKSPACE:
        return ActivateSlot(state, keyPath, 0, levels);
    case KEY_ENTER:
        return ActivateSlot(state, keyPath, selection, levels);
    case KEY_CONVERT:
    case KEY_NONCONVERT:
        // The IME launcher key, held or repeated, does not act on the menu.
        return Outcome(selection);
    case KEY_UP:
        return MoveSelection(state, keyPath, selection, ARROW_UP, KEY_UP);
    case KEY_DOWN:
        return MoveSelection(state, keyPath, selection, ARROW_DOWN, KEY_DOWN);
    default:
        break;
    }
    int slot = SlotFromKey(key);
    if (slot == -1) {
        KeyOutcome outcome = Outcome(selection);
        outcome.Hide = 1;
        return outcome;
    }
    return ActivateSlot(state, keyPath, slot, levels);
}

void LoadLauncherLevel(LauncherState* state, const char* keyPath, LevelCache* levels)
{
    const int showAll = state->ShowAllKey != 0 ? 1 : 0;
    if (levels != nullptr)
        levels->Load(state, keyPath, showAll);
    else
        LoadLevel(state, keyPath, showAll);
}

void PlayEntrySound(const char* sound)
{
    static const auto playSound = LateImport<decltype(&sndPlaySoundA)>("winmm.dll", "sndPlaySoundA");
    if (playSound != nullptr)
        playSound(sound, SND_ASYNC);
}

// The shell reports a failed start itself; nothing is tested.
void StartEntry(HWND window, const EntryRecord* entry)
{
    // A submenu too deep to enter carries the marker as its program: it is
    // never handed to the shell.
    if (entry->Program[0] == '\0' || IsSubmenuMarker(entry->Program))
        return;
    if (entry->Sound[0] != '\0')
        PlayEntrySound(entry->Sound);
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
