/*
 * Key handling of the shown launcher: arrows move the selection, Enter acts
 * on it, Backspace goes up a level, a letter or digit acts on its slot at
 * once, any other key hides the launcher.  Acting on a slot opens its
 * submenu, returns to the parent, or starts its entry through the shell.
 *
 * Key handling decides and the launcher window acts: these functions change
 * the slot table and KeyPath, and report in a KeyOutcome what the window
 * still has to do (fit itself to a new level, repeat an arrow, hide, start
 * an entry).  They never touch the window.
 */
#ifndef TAV_LAUNCH_KEY_HANDLING_H
#define TAV_LAUNCH_KEY_HANDLING_H

#include <windows.h>

#include "base/launcher_state.h"
#include "launch/level_cache.h"
#include "store/entry_tree.h"

// What the launcher window does after a key, in this order: fit itself to
// the level now in the slot table (LevelChanged), post RepeatKey to itself
// as a key-down, hide (Hide: HideLauncher with Selection, whose result is
// the new selection), and after hiding start Entry when it names a program
// (StartEntry).
struct KeyOutcome {
    int Selection;      // the new selection, 0..36
    int LevelChanged;   // 1: another level was loaded into the slot table
    int RepeatKey;      // an arrow's key code to handle once more, or 0
    int Hide;           // 1: hide the launcher
    EntryRecord Entry;  // the entry to start after hiding (Program "" for none)
};

// Handles one WM_KEYDOWN (key: the low byte of wParam).  An arrow that
// lands on a hidden empty slot asks for the same key again, so the
// selection moves on one slot per message with the window repainted in
// between.  Levels are loaded through levels when given.
KeyOutcome HandleLauncherKey(LauncherState* state, char* keyPath, int selection, int key,
                             LevelCache* levels = nullptr);

// Loads the level keyPath names into the slot table.  Any non-zero
// ShowAllKey shows all 37 lines, as painting and the arrow keys take it: a
// hand-edited 2 must not give a window of a few lines over which all 37
// are drawn.  Through levels when given: a level loaded before is taken
// from it while the registry has not changed.
void LoadLauncherLevel(LauncherState* state, const char* keyPath, LevelCache* levels = nullptr);

// Starts playing a WAV file and returns at once; a missing or unplayable
// file is left to the system (winmm, loaded with the first sound).
void PlayEntrySound(const char* sound);

// Starts the entry's program through the shell, owned by window, after its
// sound has been started.  An entry without a program, or with the submenu
// marker of a submenu too deep to enter, starts nothing.
void StartEntry(HWND window, const EntryRecord* entry);

#endif
