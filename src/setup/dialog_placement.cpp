/*
 * Placing a dialog in the pointer's quarter of the work area of the
 * pointer's monitor.
 */
#include "setup/dialog_placement.h"

#include "draw/desktop.h"
#include "draw/portable/monitors.h"

namespace {

// Moves the dialog for its present size; false when it has none.
bool MoveForSize(HWND dialog, const Desktop& desktop, SIZE* size)
{
    RECT rect;
    if (!GetWindowRect(dialog, &rect))
        return false;
    size->cx = rect.right - rect.left;
    size->cy = rect.bottom - rect.top;
    int x = 0, y = 0;
    PlaceDialogOnMonitors(desktop.Areas, desktop.Count, desktop.Pointer.x, desktop.Pointer.y,
                          size->cx, size->cy, &x, &y);
    SetWindowPos(dialog, HWND_NOTOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return true;
}

}  // namespace

void PlaceDialog(HWND dialog)
{
    Desktop desktop;
    ReadDesktop(&desktop);
    SIZE before, after;
    if (!MoveForSize(dialog, desktop, &before))
        return;
    // Moved onto a monitor of another DPI, the dialog has been scaled for it
    // (WM_DPICHANGED, sent during the move): centred again at its new size.
    RECT rect;
    if (GetWindowRect(dialog, &rect)
        && (rect.right - rect.left != before.cx || rect.bottom - rect.top != before.cy))
        MoveForSize(dialog, desktop, &after);
}
