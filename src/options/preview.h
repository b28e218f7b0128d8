/*
 * The preview in the options dialog: a child window (class "Tav Prev") that
 * paints a made-up menu level with the settings the dialog is editing,
 * over the wallpaper that lies behind it, through the launcher's own
 * painting (PAINT_PREVIEW).  It paints when the dialog invalidates it:
 * after a change of the look and when the dialog moves.
 */
#ifndef TAV_OPTIONS_PREVIEW_H
#define TAV_OPTIONS_PREVIEW_H

#include <windows.h>

#include "base/launcher_state.h"

// Where the preview sits in the dialog's client area, in pixels at 96 DPI
// (scaled to the dialog's DPI, as the dialog's own controls are).
constexpr int kPreviewX = 10;
constexpr int kPreviewY = 37;
constexpr int kPreviewWidth = 120;
constexpr int kPreviewHeight = 150;

// Clears the slot table of state (titles, submenu flags, LineCount 0) and
// writes the sample level: "Tav", the version (string 1), an empty slot 2,
// the computer name (or string 27) and the user name (or string 28).
void FillPreviewSample(LauncherState* state);

// Registers class "Tav Prev" anew (the class of an earlier opening is
// still registered) and creates the preview in dialog at state's Dpi,
// drawing from state, which must outlive the window.  Null when the class
// cannot be registered: the dialog then works without a preview.  When the
// dialog moves to a monitor of another DPI the preview sets state's Dpi,
// measures it again and takes its place and size at that DPI.
HWND CreatePreviewWindow(HWND dialog, LauncherState* state);

// The settings a preview draws from (CreatePreviewWindow's state), kept
// with the window (GWLP_USERDATA); null before its WM_NCCREATE.
LauncherState* PreviewState(HWND preview);

#endif
