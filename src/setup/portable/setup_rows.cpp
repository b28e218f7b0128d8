/*
 * Row arithmetic of the setup window.
 */
#include "setup/portable/setup_rows.h"

#include "base/portable/key_table.h"

int SetupRowAt(const LayoutRect& window, int x, int y, int pitch, bool topLevel)
{
    if (pitch < 1 || x < window.Left || x >= window.Right || y < window.Top || y >= window.Bottom)
        return -1;
    // C++ division truncates toward zero: the points of the top margin,
    // -4..-1 over the pitch, land on row 0 too.
    int row = (y - window.Top - kLineMargin) / pitch;
    if (row < 0 || row >= kSlotCount || (row == 0 && topLevel))
        return -1;
    return row;
}

LayoutRect SetupRowRect(int slot, int pitch, int windowWidth)
{
    return LayoutRect{kTextLeft, kLineMargin + slot * pitch, windowWidth - kTextLeft,
                      kLineMargin + (slot + 1) * pitch};
}
