/*
 * Figures at the DPI the launcher is drawn at.
 *
 * Every figure the program keeps or names is a figure at 96 DPI, where one
 * is one pixel: the font's height and width in the stored "Font", a "Width"
 * the user dragged (and the "TextHeight" it was chosen for), the shadow
 * offset, the margins around the lines, the resizing strips and the
 * preview's place in the options dialog.  They are scaled to the DPI of the
 * monitor when the launcher is measured and drawn, and scaled back when the
 * user sets one at another DPI.  At 96 DPI each figure is its own pixel
 * count, so nothing changes there; and stored settings read alike on every
 * monitor, as the settings of a program that Windows scaled as a bitmap
 * always did.  Screen positions ("Left", "Top") are pixels of the desktop
 * and are not scaled; neither are frame lines, which stay one pixel wide as
 * the system's own edges of these styles do.
 *
 * Platform-free: no <windows.h>, so it is also built and tested natively.
 */
#ifndef TAV_DRAW_PORTABLE_DPI_SCALE_H
#define TAV_DRAW_PORTABLE_DPI_SCALE_H

// The DPI at which a figure is a pixel.
constexpr int kBaseDpi = 96;

// The DPI to draw at: dpi itself from 48 (50 %) up to 960 (1000 %), else
// 96: 0 stands for "not known", and a system that reports nonsense still
// gets a usable launcher.
int UsableDpi(int dpi);

// A figure at 96 DPI as pixels at dpi (UsableDpi), to the nearest pixel,
// halves away from zero as MulDiv rounds them; exactly value at 96.
int ScaleToDpi(int value, int dpi);

// Pixels at dpi as a figure at 96 DPI, rounded the same way.  Scaling a
// figure up and back gives it again (dpi of 96 and above); pixels scaled
// back and up may come out a pixel off, since not every pixel count is a
// whole figure at 96 DPI.
int ScaleFromDpi(int value, int dpi);

// A stored font height at dpi.  Fonts are chosen in whole points: a
// character height (negative) that is a whole point size at 96 DPI is that
// point size at dpi, as a program that measures in points would draw it
// (11 points, -15 at 96 DPI, is -22 at 144, where scaling the figure would
// give -22.5, drawn a pixel larger and shown by the font dialog as 12
// points); any other height is scaled.  The launcher's font and the font
// dialog (at the DPI it measures with) take their heights from this.
int FontHeightAtDpi(int stored, int dpi);

// The height to store for what the font dialog returned at pickerDpi: the
// size it reports (pointTenths, tenths of a point) as a character height
// at 96 DPI when it gave a character height and a size, else its height
// scaled back.  At 96 DPI the dialog's height as it is.
int FontHeightFromDialog(int height, int pointTenths, int pickerDpi);

#endif
