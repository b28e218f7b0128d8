/*
 * Keys, slots and key paths of the launcher menu.
 *
 * A menu level has 37 slots: slot 0 is the title line (top level) or the ".."
 * line (inside a submenu); slots 1..36 belong to the keys A..Z and 0..9, in
 * the order of KeyTable.  A KeyPath names a level by the keys that lead to it
 * from the top ("" is the top level) and holds at most 15 key characters.
 *
 * Platform-free: no <windows.h>, so it is also built and tested natively.
 */
#ifndef TAV_BASE_PORTABLE_KEY_TABLE_H
#define TAV_BASE_PORTABLE_KEY_TABLE_H

// Slots of one level, including slot 0.
constexpr int kSlotCount = 37;
// Title field size: 32 bytes of text and a terminator.
constexpr int kTitleSize = 33;
// A KeyPath buffer: 15 key characters and a terminator.
constexpr int kKeyPathSize = 16;
constexpr int kKeyPathMax = kKeyPathSize - 1;
// Path fields (program, folder, parameters, sound): MAX_PATH bytes.
constexpr int kPathSize = 260;

extern const char KeyTable[];  // "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"

// Slot 1..36 for a virtual-key code or KeyPath character, else -1.  The
// numeric keypad's digits (VK_NUMPAD0..9, 96..105) count as the digit keys.
int SlotFromKey(int code);

// KeyTable character for a key index 0..35 (slot - 1); 0 for anything else.
char KeyChar(int index);

// 1 when c is one of the 36 characters of KeyTable.
int IsKeyChar(int c);

// The length of text when it is at most max KeyTable characters, else -1.
// Reads at most max + 1 bytes, so text need not be terminated beyond that.
int KeyCharsLength(const char* text, int max);

// 1 when keyPath is a KeyPath: at most kKeyPathMax characters, each from
// KeyTable ("" is the top level).  Never reads past kKeyPathSize bytes.
int IsKeyPath(const char* keyPath);

// 1 when the entries of level keyPath can be submenus: the children of a
// submenu stand on the level keyPath + its key character, which must still
// be a KeyPath.  So a level whose KeyPath already holds kKeyPathMax
// characters has no submenus; a submenu marker stored there (an imported
// file can hold markers at any depth) marks an ordinary entry.
int LevelHoldsSubmenus(const char* keyPath);

// Descends into the submenu at slot 1..36: appends KeyChar(slot - 1) to the
// KeyPath in a kKeyPathSize-byte buffer.  1 when done; 0, with the buffer
// unchanged, when the slot is out of range or the level holds no submenus.
int KeyPathAppend(char* keyPath, int slot);

// Ascends: removes the last key character and returns its slot, which is the
// submenu just left, in the parent level.  -1, with the buffer unchanged, at
// the top level or when keyPath is no KeyPath.
int KeyPathRemoveLast(char* keyPath);

#endif
