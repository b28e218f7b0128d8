/*
 * Deleting bitmaps, with the check for a bitmap still selected into a DC.
 */
#include "base/gdi_check.h"

namespace tav {

void (*SelectedBitmapDeleted)(HBITMAP bitmap);

// 1 when a DC holds bitmap selected: GDI refuses to select it into another.
static int IsBitmapSelected(HBITMAP bitmap)
{
    BITMAP info;
    if (GetObjectA(bitmap, sizeof info, &info) != sizeof info)
        return 0;
    HDC probe = CreateCompatibleDC(nullptr);
    if (probe == nullptr)
        return 0;
    // A device-dependent bitmap of another depth than the screen's is refused
    // for that alone; monochrome bitmaps and DIB sections fit any memory DC.
    DIBSECTION dib;
    bool fits = GetObjectA(bitmap, sizeof dib, &dib) == sizeof dib || info.bmBitsPixel == 1
                || info.bmBitsPixel == GetDeviceCaps(probe, BITSPIXEL);
    int selected = 0;
    if (fits) {
        HGDIOBJ previous = SelectObject(probe, bitmap);
        if (previous == nullptr)
            selected = 1;
        else
            SelectObject(probe, previous);
    }
    DeleteDC(probe);
    return selected;
}

BOOL DeleteBitmap(HBITMAP bitmap)
{
    if (SelectedBitmapDeleted != nullptr && IsBitmapSelected(bitmap))
        SelectedBitmapDeleted(bitmap);
    return DeleteObject(bitmap);
}

}  // namespace tav
