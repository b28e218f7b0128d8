/*
 * Placement on a desktop of two monitors under Wine (run-own-prefix.sh
 * two-monitors): the primary from (0, 0) to (800, 600) and another left of
 * it, from (-640, 0) to (0, 480), both without taskbars, as the program
 * lists them: the launcher docked on the pointer's monitor and dialogs in
 * the pointer's quarter of its monitor.  (Stored places off every monitor
 * are brought back by the same monitor list; the native tests hold the
 * cases.)
 */
#include <windows.h>

#include <array>
#include <cstdlib>

#include <gtest/gtest.h>

#include "draw/geometry.h"
#include "draw_support.h"
#include "launcher_fixture.h"
#include "ui/dialog_placement.h"

namespace {

using Corner = std::array<LONG, 2>;

constexpr LONG kWidth = 200, kHeight = 56;  // the launcher: "Width", three lines

class TwoMonitorTest : public LauncherWindowTest {
protected:
    void SetUp() override
    {
        ASSERT_STREQ("2", std::getenv("TAV_TEST_MONITORS")) << "run through run-own-prefix.sh";
        LauncherWindowTest::SetUp();
        PutSampleLauncher();
        // A width chosen for the font's line height (16 at 96 DPI).
        PutDword("Window", "Width", kWidth);
        PutDword("Window", "TextHeight", 16);
    }

    Corner CornerOf(HWND window) const
    {
        RECT r = {0, 0, 0, 0};
        GetWindowRect(window, &r);
        EXPECT_EQ((std::array<LONG, 2>{kWidth, kHeight}),
                  (std::array<LONG, 2>{r.right - r.left, r.bottom - r.top}));
        return {r.left, r.top};
    }
};

// Shown with the pointer on a monitor, the launcher docks in that monitor's
// work area, and a dialog opens centred in the pointer's quarter of it.
TEST_F(TwoMonitorTest, TheLauncherAndDialogsGoToThePointersMonitor)
{
    Start();
    const struct {
        Corner Pointer;
        int PosType;
        Corner From, Docked;
        Corner Dialog;  // of 200 x 100
    } cases[] = {
        {{-100, 100}, POS_TOP_RIGHT, {300, 200}, {-200, 0}, {-260, 70}},
        {{400, 300}, POS_TOP_RIGHT, {300, 200}, {600, 0}, {100, 100}},
        // Docked left on the lower monitor at a height it does not have.
        {{-100, 100}, POS_LEFT, {300, 500}, {-640, 424}, {-260, 70}},
        // Docked to the top: the x it keeps lies on the other monitor.
        {{-639, 479}, POS_TOP, {300, 200}, {-200, 0}, {-580, 310}},
        {{700, 500}, POS_FREE, {-600, 50}, {-600, 50}, {500, 400}},
    };
    PopupWindow dialog = MakePopup(0, 0, 200, 100);
    for (const auto& c : cases) {
        SetCursorPos(c.Pointer[0], c.Pointer[1]);
        Launcher.PosType = c.PosType;
        SetWindowPos(window_, nullptr, c.From[0], c.From[1], 0, 0, SWP_NOZORDER | SWP_NOSIZE);
        MoveToShowPosition(window_, &Launcher, KeyPath);
        EXPECT_EQ(c.Docked, CornerOf(window_)) << "PosType " << c.PosType;
        PlaceDialog(dialog.get());
        RECT r;
        GetWindowRect(dialog.get(), &r);
        EXPECT_EQ(c.Dialog, (Corner{r.left, r.top}))
            << "pointer at " << c.Pointer[0] << ", " << c.Pointer[1];
    }
}

}  // namespace
