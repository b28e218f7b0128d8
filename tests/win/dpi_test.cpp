/*
 * The launcher, the setup window, the options preview and the font dialog
 * at the DPI of the Wine prefix the program runs in: 96 in the shared
 * prefix, 144 and 192 in prefixes of their own (run-own-prefix.sh sets their
 * LogPixels, and TAV_TEST_DPI here).  One row of figures per DPI: a run
 * checks its own row through the DPI the system reports, and every row
 * through WM_DPICHANGED, which has to give the same figures whatever DPI
 * the system has.
 */
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "draw/desktop.h"
#include "draw/paint.h"
#include "draw_support.h"
#include "entry_record.h"
#include "launcher_fixture.h"
#include "options/options_dialog.h"
#include "options/preview.h"
#include "res/options_dialogs.h"

namespace {

const char kWindowKey[] = "Software\\orrel\\Tav\\Window";
const char kOptions[] = "Tav動作設定";

using Box = std::array<LONG, 4>;  // left, top, right, bottom

Box BoxOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The launcher of the table is PutSampleLauncher's: three lines in
// 11-point Tahoma (-15 at 96 DPI), bold, without smoothing.
struct Figures {
    int Dpi;
    int Pitch;               // LineHeight
    int Width, Height;       // the launcher window
    int InkLeft, InkTop;     // the leftmost and the topmost pixel of text
    int SelectedInkTop;      // the topmost pixel of line 1, the selected one
    int SetupHeight;         // the setup window: 37 rows
    Box Preview;             // in the options dialog's client area
    int ChosenFontPitch;     // the preview's LineHeight after 12-point IPA明朝 is chosen
    std::array<int, 3> PromptInkTops;  // the key-capture prompt's lines, black ink
    int SubmenuWidth;        // a submenu from a top level of 136 at 96 DPI
};

const Figures kFigures[] = {
    {96, 16, 136, 56, 5, 5, 21, 600, {10, 37, 130, 187}, 18, {8, 27, 43}, 136},
    {144, 23, 183, 81, 8, 7, 30, 863, {15, 56, 195, 281}, 26, {10, 40, 64}, 204},
    {192, 32, 244, 112, 11, 11, 43, 1200, {20, 74, 260, 374}, 35, {13, 53, 85}, 272},
};

// The DPI the prefix was made with: TAV_TEST_DPI, else the shared prefix's 96.
int PrefixDpi()
{
    const char* dpi = std::getenv("TAV_TEST_DPI");
    return dpi != nullptr ? std::atoi(dpi) : 96;
}

const Figures& FiguresAt(int dpi)
{
    for (const Figures& f : kFigures)
        if (f.Dpi == dpi)
            return f;
    ADD_FAILURE() << "no figures for " << dpi << " DPI";
    return kFigures[0];
}

class DpiTest : public LauncherWindowTest {
protected:
    void SetUp() override
    {
        LauncherWindowTest::SetUp();
        SetCursorPos(200, 200);
        PutSampleLauncher();
    }

    RECT WindowRect() const
    {
        RECT r = {0, 0, 0, 0};
        GetWindowRect(window_, &r);
        return r;
    }

    // The launcher told that its monitor now has dpi, with the system's
    // suggestion of a place.
    void ChangeDpi(int dpi, int x, int y)
    {
        RECT suggested = {x, y, x + 100, y + 100};
        SendMessageA(window_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    }
};

// The DPI Wine gives the prefix, read through the system; pitch, width and
// height at it as created; then at every DPI of the table as a move to
// another monitor gives it, placed where the system suggests, "TextHeight"
// keeping the figure at 96 DPI all along; and at the system's DPI again
// when it is shown.
TEST_F(DpiTest, TheLaunchersPitchAndSizeFollowTheDpi)
{
    const int dpi = PrefixDpi();
    EXPECT_EQ(dpi, SystemDpi());
    EXPECT_EQ(dpi, MonitorDpi(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY)));
    Start();
    EXPECT_EQ(dpi, WindowDpi(window_));
    const Figures& own = FiguresAt(dpi);
    EXPECT_EQ(own.Dpi, Launcher.Dpi);
    EXPECT_EQ(own.Pitch, Launcher.LineHeight);
    EXPECT_EQ((Box{0, 0, own.Width, own.Height}), BoxOf(WindowRect()));
    const int textHeight = kFigures[0].Pitch;

    // Told of the DPI it is measured for, it stays as it is.
    ChangeDpi(own.Dpi, 300, 200);
    EXPECT_EQ((Box{0, 0, own.Width, own.Height}), BoxOf(WindowRect()));

    ChangeDpi(120, 0, 0);  // a monitor at 125 %, so that each row is a change
    for (const Figures& f : kFigures) {
        ChangeDpi(f.Dpi, 300, 200);
        EXPECT_EQ(f.Pitch, Launcher.LineHeight) << f.Dpi;
        EXPECT_EQ((Box{300, 200, 300 + f.Width, 200 + f.Height}), BoxOf(WindowRect())) << f.Dpi;
        DWORD type = 0;
        std::string stored;
        ASSERT_TRUE(GetRawValue(kWindowKey, "TextHeight", &type, &stored));
        EXPECT_EQ(textHeight, *reinterpret_cast<const int*>(stored.data())) << f.Dpi;
    }

    // Shown again, it is measured for its monitor, where it is.
    MoveToShowPosition(window_, &Launcher, KeyPath);
    EXPECT_EQ(own.Dpi, Launcher.Dpi);
    EXPECT_EQ((Box{300, 200, 300 + own.Width, 200 + own.Height}), BoxOf(WindowRect()));
}

// The text starts at the scaled margins, and line 1 a scaled pitch below
// line 0: the first pixels of text and of the selected line 1, as
// PaintLauncher draws the launcher's state.
TEST_F(DpiTest, TextIsDrawnAtTheScaledPlaces)
{
    Start();
    for (const Figures& f : kFigures) {
        ChangeDpi(f.Dpi, 0, 0);
        DibCanvas canvas(f.Width, f.Height);
        PaintLauncher(&Launcher, canvas.dc(), f.Width, f.Height, nullptr, 1, PAINT_MOVED);
        int inkLeft = f.Width, inkTop = f.Height, selectedTop = f.Height;
        for (int y = 0; y < f.Height; ++y)
            for (int x = 0; x < f.Width; ++x) {
                COLORREF pixel = canvas.Pixel(x, y);
                if (pixel == Launcher.TextColor || pixel == Launcher.SelectTxtColor) {
                    inkLeft = std::min(inkLeft, x);
                    inkTop = std::min(inkTop, y);
                }
                if (pixel == Launcher.SelectTxtColor)
                    selectedTop = std::min(selectedTop, y);
            }
        EXPECT_EQ((std::array<int, 3>{f.InkLeft, f.InkTop, f.SelectedInkTop}),
                  (std::array<int, 3>{inkLeft, inkTop, selectedTop}))
            << f.Dpi;
    }
}

// A submenu without a stored width keeps its width in proportion to a new
// DPI; a width dragged at the system's DPI is the width shown again.
TEST_F(DpiTest, WidthsFollowTheDpiInASubmenuAndAfterADrag)
{
    const EntryRecord submenu = Record("Charlie", "-1"), entry = Record("Alpha", "tav_marker.exe");
    WriteEntry("", 3, &submenu);
    WriteEntry("C", 1, &entry);
    Start();
    SendMessageA(window_, UM_SHOWLAUNCHER, 0, 0);
    ChangeDpi(96, 0, 0);  // the top level measured at 96 DPI, whatever the prefix's
    SendMessageA(window_, WM_KEYDOWN, 'C', 0);
    for (const Figures& f : kFigures) {
        ChangeDpi(f.Dpi, 0, 0);
        EXPECT_EQ(f.SubmenuWidth, WindowRect().right - WindowRect().left) << f.Dpi;
    }
    ChangeDpi(PrefixDpi(), 0, 0);
    SendMessageA(window_, WM_KEYDOWN, VK_BACK, 0);
    RECT before = WindowRect();
    RECT dragged = DragFrom(window_, before.right - 2, (before.top + before.bottom) / 2, HTRIGHT, 40);
    EXPECT_GT(dragged.right, before.right);
    SendMessageA(window_, UM_SHOWLAUNCHER, 0, 0);
    EXPECT_EQ(dragged.right - dragged.left, WindowRect().right - WindowRect().left);
}

// The setup window opens at the launcher's DPI, with 37 rows of its pitch;
// the preview sits at the scaled place in the options dialog.
TEST_F(DpiTest, TheSetupWindowAndThePreviewFollowTheDpi)
{
    Start();
    const Figures& own = FiguresAt(PrefixDpi());
    SendMessageA(window_, UM_SETUPMODE, 1, 0);
    ASSERT_NE(nullptr, SetupWindow);
    RECT setup;
    GetWindowRect(SetupWindow, &setup);
    EXPECT_EQ((Box{0, 0, own.Width, own.SetupHeight}), BoxOf(setup));
    DestroyWindow(SetupWindow);
    PumpFor(0);

    OptionsDialog dialog;
    Box preview = {};
    int copyDpi = 0;
    DialogDriver driver;
    driver.Then(kOptions, [&](HWND d) {
        RECT r;
        HWND previewWindow = FindWindowExA(d, nullptr, "Tav Prev", nullptr);
        GetWindowRect(previewWindow, &r);
        MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&r), 2);
        preview = BoxOf(r);
        copyDpi = PreviewState(previewWindow)->Dpi;
        PostCommand(d, IDCANCEL);
    });
    dialog.Show(window_);
    EXPECT_EQ(own.Preview, preview);
    EXPECT_EQ(own.Dpi, copyDpi);
}

// The font dialog measures at the system's DPI in whole points: the stored
// 11 points show as 11, and 12 points chosen there are stored as -16, the
// height of 12 points at 96 DPI, at every DPI.  The preview is measured
// again for the font chosen.  (A face the dialog lists: Wine lists no
// Tahoma.)
TEST_F(DpiTest, TheFontDialogShowsAndGivesWholePoints)
{
    LauncherState look = TestState();
    look.Font.lfHeight = -15;
    lstrcpynA(look.Font.lfFaceName, "IPA\x96\xBE\x92\xA9", LF_FACESIZE);  // IPA明朝
    PutRawValue(kWindowKey, "Font", REG_BINARY, &look.Font, sizeof look.Font);
    OptionsDialog dialog;
    std::string shownSize;
    LONG chosenHeight = 0;
    int pitch = 0;
    DialogDriver driver;
    driver.Then(kOptions, [&](HWND d) {
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_FONT, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_FONT)));
        const LauncherState* copy = PreviewState(FindWindowExA(d, nullptr, "Tav Prev", nullptr));
        chosenHeight = copy->Font.lfHeight;
        pitch = copy->LineHeight;
        PostCommand(d, IDCANCEL);
    });
    driver.Then("*", [&](HWND font) {
        const int sizeBox = 0x472;  // the font dialog's size combo box (cmb3)
        shownSize = ItemText(font, sizeBox);
        SendDlgItemMessageA(font, sizeBox, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>("12"));
        SendMessageA(font, WM_COMMAND, MAKEWPARAM(sizeBox, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(font, sizeBox)));
        PostCommand(font, IDOK);
    });
    dialog.Show(nullptr);
    EXPECT_EQ("11", shownSize);
    EXPECT_EQ(-16, chosenHeight);
    EXPECT_EQ(FiguresAt(PrefixDpi()).ChosenFontPitch, pitch);
}

// The key-capture dialog's three prompt lines keep apart at every DPI:
// the first row of each run of rows with black ink, as the dialog painted
// itself on the screen.
TEST_F(DpiTest, TheKeyCapturePromptLinesKeepApart)
{
    OptionsDialog dialog;
    std::vector<int> inkTops;
    DialogDriver driver;
    driver.Then(kOptions, [&](HWND d) {
        SendMessageA(d, WM_COMMAND, IDC_LAUNCHER_KEY, 0);
        PostCommand(d, IDCANCEL);
    });
    driver.Then("", [&](HWND capture) {
        UpdateWindow(capture);
        RECT client;
        GetClientRect(capture, &client);
        DibCanvas canvas(client.right, client.bottom);
        {
            tav::WindowDc shown(capture);
            BitBlt(canvas.dc(), 0, 0, client.right, client.bottom, shown.get(), 0, 0, SRCCOPY);
        }
        bool inkAbove = false;
        for (int y = 0; y < canvas.Height(); ++y) {
            bool ink = false;
            for (int x = 0; x < canvas.Width() && !ink; ++x)
                ink = canvas.Pixel(x, y) == RGB(0, 0, 0);
            if (ink && !inkAbove)
                inkTops.push_back(y);
            inkAbove = ink;
        }
        PostCommand(capture, IDCANCEL);
    });
    dialog.Show(window_);
    const std::array<int, 3> tops = FiguresAt(PrefixDpi()).PromptInkTops;
    EXPECT_EQ(std::vector<int>(tops.begin(), tops.end()), inkTops);
}

}  // namespace
