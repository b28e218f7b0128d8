/*
 * LauncherState: everything the launcher draws from, in one plain record.
 *
 * The process keeps one of these for the launcher window; the options dialog
 * and the setup window each load a heap copy of their own.  LoadSettings
 * zeroes the whole record before it reads the settings, so every member is a
 * plain value for which all-zero bytes are a valid "empty" state.
 */
#ifndef TAV_BASE_LAUNCHER_STATE_H
#define TAV_BASE_LAUNCHER_STATE_H

#include <windows.h>

#include "base/portable/key_table.h"

// The copy of the screen under the shown launcher (null members: no copy).
struct ScreenCapture {
    HDC MemDC;
    HBITMAP Bitmap;
    HGDIOBJ OldBitmap;  // what MemDC held before Bitmap was selected
};

struct LauncherState {
    // Settings, in record order; each field bears its registry value's name.
    COLORREF MainColor;
    COLORREF GradColor;
    BYTE AlphaBlend;
    int UseGrad;
    int VGrad;
    int UseAlphaBlend;
    COLORREF TextColor;
    COLORREF ShadowColor;
    COLORREF SelectTxtColor;
    COLORREF SelectShadowColor;
    int ShadowOffset;
    int ShowAllKey;
    int SaveCursor;
    int Foreground;
    LOGFONTA Font;
    int EdgeType;
    int PosType;
    int OpenHotKey;
    int OpenHotKeyEx;
    int CheckIME;
    int Smooth;

    // Slot table: the menu level that the launcher's KeyPath names.
    char Titles[kSlotCount][kTitleSize];
    int IsSubmenu[kSlotCount];
    int LineCount;

    // Text metrics in the launcher font, measured before every sizing.
    int LineHeight;
    int TitleWidth;
    int LineGap;
    int PrefixWidth;
    // The DPI the metrics are measured and the lines drawn at: the DPI of
    // the monitor the window shows on (0 counts as 96).  Font and margins
    // are figures at 96 DPI, scaled to it (draw/portable/dpi_scale.h).
    int Dpi;

    ScreenCapture BackgroundCapture;
    int Dragging;  // 1 from a left-button press on the launcher until it hides
};

#endif
