/*
 * Placing a dialog in the pointer's quarter of the desktop.
 */
#include "setup/dialog_placement.h"

#include "draw/geometry.h"
#include "draw/portable/layout.h"

void PlaceDialog(HWND dialog)
{
    RECT area;
    GetDesktopArea(nullptr, &area);
    POINT pointer = {0, 0};
    GetCursorPos(&pointer);
    RECT rect;
    if (!GetWindowRect(dialog, &rect))
        return;
    int x = 0, y = 0;
    DialogPosition(LayoutRect{area.left, area.top, area.right, area.bottom}, pointer.x, pointer.y,
                   rect.right - rect.left, rect.bottom - rect.top, &x, &y);
    SetWindowPos(dialog, HWND_NOTOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
