/*
 * Deleting bitmaps, with a check for a fault that only Windows shows.
 *
 * A bitmap still selected into a DC is not deleted on Windows: DeleteObject
 * fails and the bitmap lives as long as the process (a screen-sized one per
 * show of the launcher, if ReleaseBackground got its order wrong).  Wine
 * deletes it all the same, later, with the DC, so nothing shows there.
 * Every bitmap of the program is deleted through DeleteBitmap (UniqueHBitmap
 * included); the tests set SelectedBitmapDeleted to turn the fault into a
 * failure.
 */
#ifndef TAV_BASE_GDI_CHECK_H
#define TAV_BASE_GDI_CHECK_H

#include <windows.h>

namespace tav {

// Called, when set, with a bitmap about to be deleted while a DC still holds
// it.  Null in the program: the check then costs nothing.
extern void (*SelectedBitmapDeleted)(HBITMAP bitmap);

// DeleteObject for a bitmap, checked first while SelectedBitmapDeleted is set.
BOOL DeleteBitmap(HBITMAP bitmap);

}  // namespace tav

#endif
