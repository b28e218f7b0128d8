/*
 * The entry tree: the launcher's menu, stored flat as REG_SZ values in the
 * Launch key (string 4).  An entry's values are named by a prefix and the
 * entry's key string, its level's KeyPath followed by its own key character:
 * "Title%s%c", "Exec%s%c", "Folder%s%c", "Option%s%c", "Sound%s%c", and
 * the REG_DWORD "HotKey%s%c" when the entry has a key of its own.  A
 * program of exactly "-1" marks a submenu.
 *
 * No operation builds a KeyPath of more than 15 characters, whatever is
 * stored.  A submenu marker on a level whose KeyPath already holds 15
 * characters (an imported file can put one there) marks no submenu:
 * LoadLevel reports IsSubmenu 0 for it, so the launcher shows it as an
 * ordinary entry line; ReadEntry gives its program "-1", which is never a
 * program to start (IsSubmenuMarker), so choosing it starts nothing.
 * Reading, loading, copying and deleting all stop at that level; values
 * stored deeper are never reached.
 *
 * Every operation also refuses a location that is no location (a slot
 * outside 1..36, a KeyPath that is too long or holds other characters): it
 * reads nothing, writes nothing and deletes nothing.
 */
#ifndef TAV_STORE_ENTRY_TREE_H
#define TAV_STORE_ENTRY_TREE_H

#include <windows.h>

#include <vector>

#include "base/launcher_state.h"
#include "base/portable/key_table.h"
#include "store/portable/entry_names.h"

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
// passes 1).  Opens the Launch key once.
void LoadLevel(LauncherState* state, const char* keyPath, int showAll);

// Reads the entry at slot 1..36 of level keyPath; returns 0 with an all-empty
// record when it has no title (and for slot 0).  Opens the Launch key once.
int ReadEntry(const char* keyPath, int slot, EntryRecord* record);

// Writes the entry; folder, parameters and sound values are removed when empty.
void WriteEntry(const char* keyPath, int slot, const EntryRecord* record);

// 1 when CopySubtree(source, destination) would be carried out: the source
// exists, the destination is not the source or inside its subtree, and no
// copied KeyPath would grow beyond 15 characters.
int CanCopySubtree(const EntryLocation* source, const EntryLocation* destination);

// Copies the entry and, for a submenu, everything below it; 0 (and nothing
// written) when CanCopySubtree says no.  What stood at the destination is
// replaced whole: everything below it is deleted (as DeleteSubtree with
// withSelf 0) and the destination's own values are overwritten.  The whole
// source is read before the first delete or write, so a destination above
// the source copies what the source held before the copy; the source itself
// is gone then unless the copy wrote it again.
int CopySubtree(const EntryLocation* source, const EntryLocation* destination);

// The subtree at location as stored now: the number of its entries, itself
// included (0 when it does not exist; more than 1 for a submenu that holds
// entries), and in *fingerprint a hash of their key strings and values,
// which differs once any of them is changed, added or removed.
int SummarizeSubtree(const EntryLocation* location, unsigned long long* fingerprint);

// The cut's paste: copies as CopySubtree does, the entries' own keys
// with them, then deletes the source with everything below it.  0 (and
// nothing changed) when the copy is refused or the destination holds the
// source.  A plain copy comes without the keys: two entries never share one.
int MoveSubtree(const EntryLocation* source, const EntryLocation* destination);

// The entry's own key (value "HotKey%s%c"), 0 when it has none.
DWORD ReadEntryHotKey(const char* keyPath, int slot);
// Stores it; 0 (or anything that is no key, see IsEntryKey) removes it.
void WriteEntryHotKey(const char* keyPath, int slot, DWORD hotKey);

// An entry's own key and where the entry stands.
struct EntryHotKey {
    char KeyString[kKeyStringSize];
    DWORD HotKey;
};

// Every entry's own key, found in one enumeration of the Launch key: only
// entries that exist (they have a title) and that the launcher reaches
// (every level above is a submenu), in the registry's value order.
std::vector<EntryHotKey> ReadEntryHotKeys();

// Deletes everything below the entry, and the entry itself when withSelf is
// 1.  Children are found by their program values, level by level, as far as
// KeyPaths reach; whatever the entry's own program is.
void DeleteSubtree(const EntryLocation* location, int withSelf);

// Deletes the values of the entry (its own key too) with key string keyString (1 to 16
// KeyTable characters; nothing is deleted for anything else).
void DeleteEntryValues(HKEY launchKey, const char* keyString);

#endif
