/*
 * Placing a dialog in the pointer's quarter of the work area of the
 * pointer's monitor.
 */
#include "ui/dialog_placement.h"

#include "draw/desktop.h"
#include "draw/portable/monitors.h"

namespace {

// The dialog's present size; false when it has none.
bool DialogSize(HWND dialog, SIZE* size)
{
    RECT rect;
    if (!GetWindowRect(dialog, &rect))
        return false;
    size->cx = rect.right - rect.left;
    size->cy = rect.bottom - rect.top;
    return true;
}

// Moves the dialog to where a dialog of that size opens.
void MoveForSize(HWND dialog, const Desktop& desktop, SIZE size)
{
    int x = 0, y = 0;
    PlaceDialogOnMonitors(desktop.Areas, desktop.Count, desktop.Pointer.x, desktop.Pointer.y, size.cx,
                          size.cy, &x, &y);
    SetWindowPos(dialog, HWND_NOTOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

void PlaceDialog(HWND dialog)
{
    Desktop desktop;
    ReadDesktop(&desktop);
    SIZE placed, scaled;
    if (!DialogSize(dialog, &placed))
        return;
    MoveForSize(dialog, desktop, placed);
    // Moved onto a monitor of another DPI, the dialog has been scaled for it
    // (WM_DPICHANGED, sent during the move): centred again at its new size.
    if (DialogSize(dialog, &scaled) && (scaled.cx != placed.cx || scaled.cy != placed.cy))
        MoveForSize(dialog, desktop, scaled);
}
