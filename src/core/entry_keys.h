/*
 * The entries' own keys: system hot keys, one per entry that has one
 * (value "HotKey%s%c" of the entry tree), registered on the launcher window
 * beside the launcher key.  They are released while the setup window, the
 * options dialog or the about box is open, and registered again after.
 */
#ifndef TAV_CORE_ENTRY_KEYS_H
#define TAV_CORE_ENTRY_KEYS_H

#include <windows.h>

#include "store/portable/entry_names.h"

// Releases the keys registered before, then registers every entry's key as
// the entry tree holds it now.  Ids run from 1 up, below the atoms' range
// (0xC000 and up) where the launcher key's id lies.  A key the system
// refuses (another program holds it, or it is the launcher key) is left
// unregistered without a word: the setup window shows which are in force.
void RegisterEntryKeys(HWND window);

// Releases every entry key registered, on whichever window holds them.
void ReleaseEntryKeys();

// The key string of the entry whose key has hot-key id id; false when id is
// no entry key's.
bool EntryKeyOfId(int id, char* keyString);

#endif
