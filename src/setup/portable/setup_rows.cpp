/*
 * Row arithmetic of the setup window.
 */
#include "setup/portable/setup_rows.h"

#include "base/portable/key_table.h"

int SetupRowAt(const LayoutRect& window, int x, int y, int pitch, bool topLevel, int dpi)
{
    if (pitch < 1 || x < window.Left || x >= window.Right || y < window.Top || y >= window.Bottom)
        return -1;
    // C++ division truncates toward zero: the points of the top margin,
    // -4..-1 over the pitch, land on row 0 too.
    int row = (y - window.Top - ScaleToDpi(kLineMargin, dpi)) / pitch;
    if (row < 0 || row >= kSlotCount || (row == 0 && topLevel))
        return -1;
    return row;
}

LayoutRect SetupRowRect(int slot, int pitch, int windowWidth, int dpi)
{
    int left = ScaleToDpi(kTextLeft, dpi);
    int margin = ScaleToDpi(kLineMargin, dpi);
    return LayoutRect{left, margin + slot * pitch, windowWidth - left, margin + (slot + 1) * pitch};
}
