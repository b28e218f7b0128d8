/*
 * Benchmark of the options dialog's preview, measured inside the real
 * dialog: the program's template, dialog procedure, preview window and
 * painting, over the settings in the (scratch) registry, gradient and
 * alpha blending on.  Prints, as median and 95th percentile over 300 runs
 * each, in milliseconds and as a fraction of one 60 Hz frame:
 *
 *  - a change of the transparency: a queued key-down on the trackbar (one
 *    step), through the trackbar's WM_HSCROLL and the dialog's handling, to
 *    the end of the preview's WM_PAINT;
 *  - a change of a colour: what the colour button does once the colour
 *    dialog has returned (the new colour into the working copy, the preview
 *    invalidated), to the end of the preview's WM_PAINT.  The colour
 *    dialog itself is the user's time and is left out.
 *
 * Called at the end of launcher_bench's main, while HKEY_CURRENT_USER is
 * redirected to its scratch key.
 */
#include "preview_bench.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "base/optional_apis.h"
#include "bench_support.h"
#include "options/options_dialog.h"
#include "res/options_dialogs.h"

namespace {

const int kPreviewRuns = 300;

OptionsDialog* Dialog;
std::vector<double> AlphaTimes;
std::vector<double> ColourTimes;

void Measure(HWND dialog)
{
    HWND preview = Dialog->Preview();
    HWND slider = GetDlgItem(dialog, IDC_ALPHA_SLIDER);
    PaintClock clock(preview);
    UpdateWindow(preview);
    // The working copy, as the colour button changes it.
    auto* copy = const_cast<LauncherState*>(Dialog->WorkingCopy());
    for (int i = 0; i < kPreviewRuns + 20; ++i) {
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

BOOL CALLBACK FindOptions(HWND window, LPARAM found)
{
    if (IsWindowVisible(window) && window == Dialog->Window()) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK Start(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOptions, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    KillTimer(nullptr, timer);
    Measure(dialog);
}

}  // namespace

void RunPreviewBenchmark()
{
    LoadOptionalApis();
    OptionsDialog dialog;
    Dialog = &dialog;
    SetTimer(nullptr, 0, 100, Start);
    dialog.Show(nullptr);
    FreeOptionalApis();
    std::printf("Tav options preview benchmark (in-process, real options dialog)\n");
    PrintLatency("transparency step to end of preview repaint", AlphaTimes);
    PrintLatency("colour change to end of preview repaint", ColourTimes);
}
