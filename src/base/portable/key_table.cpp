/*
 * Key table and the conversions between keys and slots.
 */
#include "base/portable/key_table.h"

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

int KeyCharsLength(const char* text, int max)
{
    int length = 0;
    while (text[length] != '\0') {
        if (length == max || !IsKeyChar(text[length]))
            return -1;
        ++length;
    }
    return length;
}

int IsKeyPath(const char* keyPath)
{
    return KeyCharsLength(keyPath, kKeyPathMax) >= 0;
}

int LevelHoldsSubmenus(const char* keyPath)
{
    int length = KeyCharsLength(keyPath, kKeyPathMax);
    return length >= 0 && length < kKeyPathMax;
}

int KeyPathAppend(char* keyPath, int slot)
{
    char key = KeyChar(slot - 1);
    int length = KeyCharsLength(keyPath, kKeyPathMax);
    if (key == 0 || length < 0 || length == kKeyPathMax)
        return 0;
    keyPath[length] = key;
    keyPath[length + 1] = '\0';
    return 1;
}

int KeyPathRemoveLast(char* keyPath)
{
    int length = KeyCharsLength(keyPath, kKeyPathMax);
    if (length <= 0)
        return -1;
    int slot = SlotFromKey(keyPath[length - 1]);
    keyPath[length - 1] = '\0';
    return slot;
}
