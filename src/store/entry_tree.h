/*
 * The entry tree: the launcher's menu, stored flat as REG_SZ values in the
 * Launch key (string 4).  An entry's values are named by a prefix and the
 * entry's key string, its level's KeyPath followed by its own key character:
 * "Title%s%c", "Exec%s%c", "Folder%s%c", "Option%s%c", "Sound%s%c".  A
 * program of exactly "-1" marks a submenu.
 */
#ifndef TAV_STORE_ENTRY_TREE_H
#define TAV_STORE_ENTRY_TREE_H

#include <windows.h>

#include "core/launcher_state.h"
#include "launch/key_table.h"

// The submenu marker stored as a submenu's program.
#define SUBMENU_MARKER "-1"

// One entry, 1073 bytes of zero-terminated code page 932 text.
struct EntryRecord {
    char Title[kTitleSize];
    char Program[kPathSize];
    char Folder[kPathSize];
    char Parameters[kPathSize];
    char Sound[kPathSize];
};

// Where an entry stands: slot 1..36 on the level named by KeyPath.
struct EntryLocation {
    int Slot;
    char KeyPath[kKeyPathSize];
};

// Fills the slot table (Titles, IsSubmenu, LineCount) of state with the level
// named by keyPath; showAll is the ShowAllKey setting (the setup window
// passes 1).
void LoadLevel(LauncherState* state, const char* keyPath, int showAll);

// Reads the entry at slot 1..36 of level keyPath; returns 0 with an all-empty
// record when it has no title (and for slot 0).
int ReadEntry(const char* keyPath, int slot, EntryRecord* record);

// Writes the entry; folder, parameters and sound values are removed when empty.
void WriteEntry(const char* keyPath, int slot, const EntryRecord* record);

// 1 when CopySubtree(source, destination) would be carried out: the source
// exists, the destination is not the source or inside its subtree, and no
// copied KeyPath would grow beyond 15 characters.
int CanCopySubtree(const EntryLocation* source, const EntryLocation* destination);

// Copies the entry and, for a submenu, everything below it; 0 (and nothing
// written) when CanCopySubtree says no.
int CopySubtree(const EntryLocation* source, const EntryLocation* destination);

// Deletes everything below the entry, and the entry itself when withSelf is 1.
void DeleteSubtree(const EntryLocation* location, int withSelf);

// Deletes the five values of the entry with key string keyString.
void DeleteEntryValues(HKEY launchKey, const char* keyString);

#endif
