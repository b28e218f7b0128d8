/*
 * Selection movement.
 */
#include "launch/portable/selection.h"

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
