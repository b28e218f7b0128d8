/*
 * Key table and the conversions between keys and slots.
 */
#include "launch/key_table.h"

#include <cstring>

const char KeyTable[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

int SlotFromKey(int code)
{
    // Key codes arrive as the low byte of WM_KEYDOWN's wParam and are taken
    // as signed 8-bit values, so codes of 128 and above find no slot.
    int c = static_cast<signed char>(code & 0xFF);
    if (c >= 96 && c <= 105)  // VK_NUMPAD0..VK_NUMPAD9 -> '0'..'9'
        c -= 48;
    for (int i = 0; i < kSlotCount - 1; ++i) {
        if (KeyTable[i] == c)
            return i + 1;
    }
    return -1;
}

char KeyChar(int index)
{
    if (index < 0 || index >= kSlotCount - 1)
        return 0;
    return KeyTable[index];
}

int IsKeyChar(int c)
{
    // Not SlotFromKey: that also takes the numeric keypad's codes, which are
    // the characters "`" and "a" to "i", and no KeyPath holds those.
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

int IsKeyPath(const char* keyPath)
{
    int length = 0;
    while (keyPath[length] != '\0') {
        if (length == kKeyPathMax || !IsKeyChar(keyPath[length]))
            return 0;
        ++length;
    }
    return 1;
}

int LevelHoldsSubmenus(const char* keyPath)
{
    return IsKeyPath(keyPath) && std::strlen(keyPath) < static_cast<size_t>(kKeyPathMax);
}

int KeyPathAppend(char* keyPath, int slot)
{
    char key = KeyChar(slot - 1);
    if (key == 0 || !LevelHoldsSubmenus(keyPath))
        return 0;
    size_t length = std::strlen(keyPath);
    keyPath[length] = key;
    keyPath[length + 1] = '\0';
    return 1;
}

int KeyPathRemoveLast(char* keyPath)
{
    if (!IsKeyPath(keyPath) || keyPath[0] == '\0')
        return -1;
    size_t last = std::strlen(keyPath) - 1;
    int slot = SlotFromKey(static_cast<unsigned char>(keyPath[last]));
    keyPath[last] = '\0';
    return slot;
}
