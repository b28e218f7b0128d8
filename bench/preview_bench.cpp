/*
 * Benchmark of the options dialog's preview, measured inside the real
 * dialog (the program's template, dialog procedure, preview window and
 * painting) over the settings in the scratch registry, gradient and alpha
 * blending on: a change of the transparency (a queued key-down on the
 * trackbar, one step, through its WM_HSCROLL and the dialog's handling) and
 * of a colour (what the colour button does once the colour dialog has
 * returned: the new colour in the working copy, the preview invalidated),
 * each to the end of the preview's WM_PAINT.  Median and 95th percentile of
 * 300 runs each.
 */
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "base/optional_apis.h"
#include "bench_support.h"
#include "options/options_dialog.h"
#include "options/preview.h"
#include "res/options_dialogs.h"

namespace {

OptionsDialog* Dialog;
std::vector<double> AlphaTimes;
std::vector<double> ColourTimes;

// Runs inside the dialog's message loop once the dialog shows.
void CALLBACK Measure(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = Dialog->Window();
    if (dialog == nullptr || !IsWindowVisible(dialog))
        return;
    KillTimer(nullptr, timer);
    HWND preview = FindWindowExA(dialog, nullptr, "Tav Prev", nullptr);
    HWND slider = GetDlgItem(dialog, IDC_ALPHA_SLIDER);
    PaintClock clock(preview);
    UpdateWindow(preview);
    LauncherState* copy = PreviewState(preview);
    for (int i = 0; i < 300 + 20; ++i) {
        // One step right, then back: the slider stays in the middle.
        double start = Now();
        PostMessageA(slider, WM_KEYDOWN, i % 2 == 0 ? VK_RIGHT : VK_LEFT, 0);
        double alpha = clock.UntilPainted(start);
        start = Now();
        copy->MainColor = i % 2 == 0 ? RGB(200, 40, 40) : RGB(40, 200, 40);
        InvalidateRect(preview, nullptr, FALSE);
        double colour = clock.UntilPainted(start);
        if (i >= 20 && alpha >= 0 && colour >= 0) {
            AlphaTimes.push_back(alpha);
            ColourTimes.push_back(colour);
        }
    }
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

void RunPreviewBenchmark()
{
    LoadOptionalApis();
    OptionsDialog dialog;
    Dialog = &dialog;
    SetTimer(nullptr, 0, 100, Measure);
    dialog.Show(nullptr);
    FreeOptionalApis();
    std::printf("Tav options preview benchmark (in-process, real options dialog)\n");
    PrintLatency("transparency step to end of preview repaint", AlphaTimes);
    PrintLatency("colour change to end of preview repaint", ColourTimes);
}
