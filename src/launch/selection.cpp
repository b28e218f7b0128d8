/*
 * Selection movement and KeyPath changes.
 */
#include "launch/selection.h"

#include <cstring>

int StepSelection(int selection, ArrowDirection direction, int atTopLevel)
{
    const int last = kSlotCount - 1;
    if (selection < 0)
        selection = 0;
    if (selection > last)
        selection = last;

    int s = selection + direction;
    if (direction == ARROW_UP) {
        if (s < 0)
            s = last;
        if (s == 0 && atTopLevel)
            s = last;
    } else if (s > last) {
        s = atTopLevel ? 1 : 0;
    }
    return s;
}

int ArrowPassesOver(const char titles[kSlotCount][kTitleSize], int slot, int showAll)
{
    if (showAll)
        return 0;
    if (slot < 0 || slot >= kSlotCount)
        return 1;
    return titles[slot][0] == '\0' ? 1 : 0;
}

int LevelHasArrowStop(const char titles[kSlotCount][kTitleSize], int showAll, int atTopLevel)
{
    for (int slot = atTopLevel ? 1 : 0; slot < kSlotCount; ++slot) {
        if (!ArrowPassesOver(titles, slot, showAll))
            return 1;
    }
    return 0;
}

static int KeyPathLength(const char keyPath[kKeyPathSize])
{
    // The buffer is always terminated; a missing terminator is read as full.
    const void* end = std::memchr(keyPath, '\0', kKeyPathSize);
    return end ? static_cast<int>(static_cast<const char*>(end) - keyPath) : kKeyPathMax;
}

int DescendKeyPath(char keyPath[kKeyPathSize], int slot)
{
    char key = KeyChar(slot - 1);
    int length = KeyPathLength(keyPath);
    if (key == 0 || length >= kKeyPathMax)
        return 0;
    keyPath[length] = key;
    keyPath[length + 1] = '\0';
    return 1;
}

int AscendKeyPath(char keyPath[kKeyPathSize])
{
    int length = KeyPathLength(keyPath);
    if (length == 0)
        return -1;
    int slot = SlotFromKey(static_cast<unsigned char>(keyPath[length - 1]));
    keyPath[length - 1] = '\0';
    return slot;
}
