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
#ifndef TAV_LAUNCH_KEY_TABLE_H
#define TAV_LAUNCH_KEY_TABLE_H

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

#endif
