/*
 * Key table and the conversions between keys and slots.
 */
#include "launch/key_table.h"

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
