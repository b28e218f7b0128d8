/*
 * Names in the entry tree: key strings, the value names built from them, the
 * submenu marker, and the rules that keep every KeyPath within its limit
 * when a subtree is copied.
 *
 * An entry's key string is its level's KeyPath followed by its own key
 * character, so it has 1 to 16 KeyTable characters; a submenu's key string is
 * also the KeyPath of its children's level and so has at most 15.
 *
 * Platform-free: no <windows.h>, so it is also built and tested natively.
 */
#ifndef TAV_STORE_PORTABLE_ENTRY_NAMES_H
#define TAV_STORE_PORTABLE_ENTRY_NAMES_H

#include "base/portable/key_table.h"

// The submenu marker stored as a submenu's program.
#define SUBMENU_MARKER "-1"

// A key string buffer: a KeyPath, one key character and a terminator.
constexpr int kKeyStringSize = kKeyPathSize + 1;
// A value name buffer: the longest prefix ("Folder", "Option"), a key string
// and a terminator.
constexpr int kValueNameSize = 6 + kKeyStringSize;

// The values of an entry, in the order they are read, written and deleted;
// each value name is the field's prefix followed by a key string.  The first
// five are strings; the entry's own key ("HotKey") is a REG_DWORD, absent
// when the entry has none.
enum EntryField { ENTRY_TITLE, ENTRY_EXEC, ENTRY_FOLDER, ENTRY_OPTION, ENTRY_SOUND, ENTRY_HOTKEY };
constexpr int kEntryFieldCount = 6;

// An entry's own key as stored: bits 0-7 the virtual key, bits 8-15 the
// modifiers as RegisterHotKey takes them (Alt 1, Ctrl 2, Shift 4, Win 8).
constexpr unsigned kEntryKeyModifierMask = 0x0F;
inline unsigned EntryKeyCode(unsigned long hotKey) { return hotKey & 0xFFu; }
inline unsigned EntryKeyModifiers(unsigned long hotKey) { return (hotKey >> 8) & 0xFFu; }
inline unsigned long MakeEntryKey(unsigned code, unsigned modifiers)
{
    return (code & 0xFFu) | ((modifiers & 0xFFu) << 8);
}

// 1 when hotKey is a key an entry may have: a virtual key 1..254 with at
// least one modifier and no other bits.  Anything else (a hand-edited or
// imported value) is no key.
int IsEntryKey(unsigned long hotKey);

// keyString (kKeyStringSize bytes) := keyPath + KeyChar(slot - 1).  1 when
// done; 0, with keyString "", when keyPath is no KeyPath or slot is not 1..36.
int MakeKeyString(char* keyString, const char* keyPath, int slot);

// name (kValueNameSize bytes) := the field's prefix ("Title", "Exec",
// "Folder", "Option", "Sound") + keyString.  1 when done; 0, with name "",
// when keyString is not 1 to 16 KeyTable characters.
int MakeValueName(char* name, EntryField field, const char* keyString);

// 1 when program is exactly the submenu marker; reads at most 3 bytes.
int IsSubmenuMarker(const char* program);

// 1 when keyString is root itself or stands anywhere below it.
int IsInSubtree(const char* root, const char* keyString);

// Whether the subtree at key string source may be copied to key string
// destination.  deepestSubmenu says how far the source's subtree reaches: by
// how many characters the key string of the deepest submenu to be copied
// extends source (0 when that is the source itself), or -1 when no submenu
// is copied.  Refused (0): a destination that is the source or stands below
// it, since the copy would read what it has just written; and a copy that
// puts a submenu where its children's KeyPath would exceed kKeyPathMax.
int CopyAllowed(const char* source, const char* destination, int deepestSubmenu);

// out (kKeyStringSize bytes) := keyString with its leading from replaced by
// to: where an entry of a copied subtree lands.  1 when done; 0, with out "",
// when keyString is not below from or the result would not be a key string.
int RebaseKeyString(char* out, const char* keyString, const char* from, const char* to);

#endif
