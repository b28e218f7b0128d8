/*
 * Launcher painting, checked pixel by pixel: a real popup window gives the
 * size, PaintLauncher draws into a memory DC over a 32-bit DIB section, and
 * the tests read the pixels back.  Frame styles, the colour layer (opaque,
 * blended, gradient, and without msimg32), the backgrounds of the paint
 * modes, which line is drawn where and in which colours, where the shadow
 * falls on both text paths, the inverted outline and the screen copy.
 */
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "base/gdi_check.h"
#include "base/optional_apis.h"
#include "draw/geometry.h"
#include "draw/paint.h"
#include "draw_support.h"

namespace {

using PixelSet = std::set<std::pair<int, int>>;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kScreen = RGB(10, 200, 30);  // what the screen copy shows

// Each channel within tolerance: blending and gradients round.
::testing::AssertionResult SameColour(COLORREF expected, COLORREF actual, int tolerance = 0)
{
    auto off = [&](int shift) {
        const int want = expected >> shift & 0xFF, got = actual >> shift & 0xFF;
        return std::abs(want - got);
    };
    if (std::max({off(0), off(8), off(16)}) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not 0x" << expected
                                         << " (0xBBGGRR)";
}

// The pixels of one colour in the whole canvas.
PixelSet PixelsOf(const DibCanvas& canvas, COLORREF colour)
{
    PixelSet found;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Pixel(x, y) == colour)
                found.insert({x, y});
    return found;
}

// Where the shadow of text drawn offset pixels right and down shows: the
// text moved by the offset, less what the text covers and what lies left of
// or above the canvas.
PixelSet ShadowOf(const PixelSet& text, int offset)
{
    PixelSet shadow;
    for (const auto& p : text) {
        const std::pair<int, int> moved(p.first + offset, p.second + offset);
        if (moved.first >= 0 && moved.second >= 0 && !text.count(moved))
            shadow.insert(moved);
    }
    return shadow;
}

class PaintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadOptionalApis();
        state_ = TestState();
    }
    void TearDown() override { LoadOptionalApis(); }

    // Paints state_ for a window as large as the canvas.
    void Paint(DibCanvas& canvas, PaintMode mode, int selected = 1, HDC background = nullptr)
    {
        PopupWindow window = MakePopup(0, 0, canvas.Width(), canvas.Height());
        MeasureLauncherText(window.get(), &state_);
        PaintLauncher(&state_, canvas.dc(), canvas.Width(), canvas.Height(), background, selected, mode);
    }

    // What each of the 37 rows shows, two characters a row, the key prefix's
    // part and the title's: 't' the text and shadow colours, 's' the
    // selection's two, '.' none of the four, '?' any other mix.
    std::string RowColours(const DibCanvas& canvas) const
    {
        const COLORREF colours[] = {state_.TextColor, state_.ShadowColor, state_.SelectTxtColor,
                                    state_.SelectShadowColor};
        const int pitch = state_.LineHeight + state_.LineGap;
        std::vector<int> seen(2 * kSlotCount);  // bit i: colours[i] is there
        for (int y = 4; y < 4 + kSlotCount * pitch && y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                for (int i = 0; i < 4; ++i)
                    if (canvas.Pixel(x, y) == colours[i])
                        seen[(y - 4) / pitch * 2 + (x >= 5 + state_.PrefixWidth)] |= 1 << i;
        std::string rows;
        for (size_t cell = 0; cell < seen.size(); ++cell) {
            rows += seen[cell] == 0 ? '.' : seen[cell] == 3 ? 't' : seen[cell] == 12 ? 's' : '?';
            if (cell % 2 == 1 && cell + 1 < seen.size())
                rows += ' ';
        }
        return rows;
    }

    PaintCache& PaintCacheUnderTest() { return cache_; }

    LauncherState state_;
    PaintCache cache_;
};

TEST_F(PaintTest, FrameStylesOnA100By50Window)
{
    const COLORREF layer = state_.MainColor;
    const COLORREF light = RGB(232, 232, 232), silver = RGB(192, 192, 192);
    const COLORREF grey = RGB(128, 128, 128);
    const struct {
        int EdgeType;
        COLORREF Lines[4];  // outer top and left, outer bottom and right, the same inside
    } cases[] = {
        {0, {layer, layer, layer, layer}},
        {1, {kBlack, kBlack, layer, layer}},
        {2, {light, kBlack, silver, grey}},
        {3, {kWhite, kBlack, kBlack, kWhite}},
        {4, {grey, kWhite, silver, kBlack}},
        {5, {layer, layer, layer, layer}},  // no such style: no frame
        {-1, {layer, layer, layer, layer}},
    };
    // Two pixels on each line of cases[].Lines, then the middle.
    const POINT probes[] = {{50, 0}, {0, 25}, {99, 25}, {50, 49}, {50, 1},
                            {1, 25}, {98, 25}, {50, 48}, {50, 25}};
    for (const auto& c : cases) {
        state_.EdgeType = c.EdgeType;
        DibCanvas canvas(100, 50);
        Paint(canvas, PAINT_SETUP);
        for (int i = 0; i < 9; ++i)
            EXPECT_TRUE(SameColour(i < 8 ? c.Lines[i / 2] : layer,
                                   canvas.Pixel(probes[i].x, probes[i].y)))
                << "EdgeType " << c.EdgeType << " at " << probes[i].x << "," << probes[i].y;
        // The single line runs round the whole edge, corners included.
        for (int x = 0; x < 100 && c.EdgeType == FRAME_LINE; ++x)
            ASSERT_TRUE(canvas.Pixel(x, 0) == kBlack && canvas.Pixel(x, 49) == kBlack) << x;
        for (int y = 0; y < 50 && c.EdgeType == FRAME_LINE; ++y)
            ASSERT_TRUE(canvas.Pixel(0, y) == kBlack && canvas.Pixel(99, y) == kBlack) << y;
    }
}

// The layer over the screen copy is opaque, blended or invisible; without
// msimg32 nothing blends and a transparent layer is AND-ed with the screen.
// Moved and setup paints lay it over white instead, and so does a launcher
// paint where no copy reaches (none, or one shorter than the window: a
// taller submenu), never over what a new bitmap happened to hold.
TEST_F(PaintTest, LayerOverTheBackgroundOfEachMode)
{
    const COLORREF main = state_.MainColor, mixed = RGB(0x0F, 0xF0, 0xFF);
    const struct {
        bool Msimg32;
        PaintMode Mode;
        int CopyHeight;  // of the screen copy under the 100 x 50 window; 0: none
        int UseAlphaBlend;
        BYTE AlphaBlend;
        COLORREF MainColor;
        POINT Probe;
        COLORREF Expected;
        int Tolerance;
    } cases[] = {
        {true, PAINT_LAUNCHER, 50, 0, 0, main, {50, 25}, main, 0},  // AlphaBlend not read
        {true, PAINT_LAUNCHER, 50, 1, 255, main, {50, 25}, main, 0},
        {true, PAINT_LAUNCHER, 50, 1, 0, main, {50, 25}, kScreen, 0},
        {true, PAINT_LAUNCHER, 50, 1, 128, main, {50, 25}, RGB(5, 150, 115), 2},  // half way
        {false, PAINT_LAUNCHER, 50, 1, 128, mixed, {50, 25}, RGB(10 & 0x0F, 200 & 0xF0, 30), 0},
        {true, PAINT_MOVED, 50, 1, 0, main, {50, 25}, kWhite, 0},
        {true, PAINT_SETUP, 50, 1, 0, main, {0, 0}, kWhite, 0},
        {true, PAINT_LAUNCHER, 0, 1, 0, main, {50, 25}, kWhite, 0},
        {true, PAINT_LAUNCHER, 20, 1, 0, main, {50, 10}, kScreen, 0},
        {true, PAINT_LAUNCHER, 20, 1, 0, main, {50, 40}, kWhite, 0},
    };
    for (const auto& c : cases) {
        if (!c.Msimg32)
            LoadOptionalApisFrom("tav-no-such-module.dll", "ComCtl32.dll");
        state_.UseAlphaBlend = c.UseAlphaBlend;
        state_.AlphaBlend = c.AlphaBlend;
        state_.MainColor = c.MainColor;
        DibCanvas screen(100, c.CopyHeight > 0 ? c.CopyHeight : 1), canvas(100, 50);
        screen.Fill(kScreen);
        Paint(canvas, c.Mode, 1, c.CopyHeight > 0 ? screen.dc() : nullptr);
        EXPECT_TRUE(SameColour(c.Expected, canvas.Pixel(c.Probe.x, c.Probe.y), c.Tolerance))
            << "case " << &c - cases;
        LoadOptionalApis();
    }
}

TEST_F(PaintTest, GradientRunsAcrossOrDownOrNotAtAllWithoutMsimg32)
{
    // VGrad 0 runs across; any other value down (a vertical rectangle fill).
    state_.UseGrad = 1;
    for (int vGrad : {0, 1, 2}) {
        state_.VGrad = vGrad;
        const int w = vGrad != 0 ? 60 : 200, h = vGrad != 0 ? 200 : 60;
        DibCanvas canvas(w, h);
        Paint(canvas, PAINT_SETUP);
        const POINT start = vGrad != 0 ? POINT{w / 2, 0} : POINT{0, h / 2};
        const POINT end = vGrad != 0 ? POINT{w / 2, h - 1} : POINT{w - 1, h / 2};
        EXPECT_TRUE(SameColour(state_.MainColor, canvas.Pixel(start.x, start.y), 3)) << vGrad;
        EXPECT_TRUE(SameColour(state_.GradColor, canvas.Pixel(end.x, end.y), 3)) << vGrad;
    }

    // Without msimg32: flat MainColor to the very edges.
    LoadOptionalApisFrom("tav-no-such-module.dll", "ComCtl32.dll");
    DibCanvas canvas(200, 60);
    Paint(canvas, PAINT_SETUP);
    for (POINT p : {POINT{0, 0}, POINT{199, 59}, POINT{100, 30}})
        EXPECT_TRUE(SameColour(state_.MainColor, canvas.Pixel(p.x, p.y))) << p.x << "," << p.y;
}

TEST_F(PaintTest, WhichSlotIsDrawnOnWhichRowInWhichColours)
{
    const struct {
        PaintMode Mode;
        int ShowAllKey;
        std::vector<int> Titled;  // the slots with a title
        int Selected;
        const char* Rows;  // the first rows (see RowColours)
        const char* Rest;  // each row after them
    } cases[] = {
        // Only titled slots take a row; slot 0, the header, has no prefix.
        {PAINT_LAUNCHER, 0, {0, 5, 9}, 0, ".s tt tt", ".."},
        {PAINT_LAUNCHER, 0, {0, 1, 2}, 2, ".t tt ss", ".."},
        // The same without the screen copy; a hidden selected slot
        // highlights nothing.
        {PAINT_MOVED, 0, {0, 1, 2}, 5, ".t tt tt", ".."},
        // Every slot shown, with its prefix.
        {PAINT_LAUNCHER, 1, {1}, 99, ".. tt", "t."},
        // The setup list: every slot on the row of its number, none selected.
        {PAINT_SETUP, 0, {5}, 5, ".. t. t. t. t. tt", "t."},
        // The preview: packed, with slot 0 selected and lettered whatever
        // is asked for.
        {PAINT_PREVIEW, 0, {0, 1, 3}, 3, "ss tt tt", ".."},
    };
    state_.ShadowOffset = 2;
    MeasureLauncherText(nullptr, &state_);
    const int allRowsHeight = kSlotCount * state_.LineHeight + 8;
    const LauncherState base = state_;
    for (const auto& c : cases) {
        state_ = base;
        state_.ShowAllKey = c.ShowAllKey;
        for (int slot : c.Titled)
            lstrcpynA(state_.Titles[slot], "WW", kTitleSize);
        DibCanvas canvas(200, allRowsHeight);
        Paint(canvas, c.Mode, c.Selected);
        std::string expected = c.Rows;
        for (int row = static_cast<int>(expected.size() + 1) / 3; row < kSlotCount; ++row)
            expected += std::string(" ") + c.Rest;
        EXPECT_EQ(expected, RowColours(canvas)) << "mode " << c.Mode << " selected " << c.Selected;
    }
}

// The launcher window's cache: each paint through it, after one change,
// against PaintLauncher drawing the same from nothing.  The steps run in
// order, each on what the steps before left in the cache, so every kind of
// change has to reach every part the cache keeps.
TEST_F(PaintTest, ACachedPaintDrawsWhatAFreshOneDraws)
{
    state_ = LauncherState();
    state_.MainColor = RGB(0, 100, 200);
    state_.GradColor = RGB(250, 150, 50);
    state_.UseGrad = 1;
    state_.UseAlphaBlend = 1;
    state_.AlphaBlend = 127;
    state_.TextColor = RGB(255, 255, 255);
    state_.SelectTxtColor = RGB(255, 0, 0);
    state_.ShadowOffset = 1;
    state_.Smooth = 1;
    state_.EdgeType = FRAME_RAISED_LINE;
    state_.Font.lfHeight = 18;
    state_.Font.lfQuality = ANTIALIASED_QUALITY;  // smoothed edges: blended into the background
    lstrcpynA(state_.Font.lfFaceName, "Tahoma", LF_FACESIZE);
    lstrcpynA(state_.Titles[0], "Tav Ver2.55", kTitleSize);
    lstrcpynA(state_.Titles[1], "Editor", kTitleSize);
    lstrcpynA(state_.Titles[19], "Sierra", kTitleSize);
    state_.IsSubmenu[19] = 1;

    DibCanvas screen(120, 200), other(120, 200), same(120, 200);
    auto pattern = [](DibCanvas& canvas, int seed) {
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                SetPixel(canvas.dc(), x, y, RGB(x * 2 + seed, y + seed, (x ^ y) & 0xFF));
    };
    pattern(screen, 0);
    pattern(other, 90);
    pattern(same, 0);

    struct Step {
        const char* What;
        std::function<void()> Change;
        PaintMode Mode;
    };
    HDC background = screen.dc();
    int selected = 1;
    int width = 110, height = 70;
    const Step steps[] = {
        {"first paint", [] {}, PAINT_LAUNCHER},
        {"the same again", [] {}, PAINT_LAUNCHER},
        {"another selection", [&] { selected = 19; }, PAINT_LAUNCHER},
        {"another level", [&] { lstrcpynA(state_.Titles[1], "Mail", kTitleSize); }, PAINT_LAUNCHER},
        {"a taller window", [&] { height = 150; }, PAINT_LAUNCHER},
        {"another background", [&] { background = other.dc(); }, PAINT_LAUNCHER},
        {"another DC with the first pixels", [&] { background = same.dc(); }, PAINT_LAUNCHER},
        {"the pixels changed in place",
         [&] { pattern(same, 40); PaintCacheUnderTest().ForgetBackground(); }, PAINT_LAUNCHER},
        {"no background", [&] { background = nullptr; }, PAINT_LAUNCHER},
        {"a copy shorter than the window", [&] { background = screen.dc(); height = 210; },
         PAINT_LAUNCHER},
        {"moved", [&] { height = 150; }, PAINT_MOVED},
        {"moved, opaque", [&] { state_.UseAlphaBlend = 0; }, PAINT_MOVED},
        {"back over the screen", [&] { state_.UseAlphaBlend = 1; }, PAINT_LAUNCHER},
        {"blend", [&] { state_.AlphaBlend = 200; }, PAINT_LAUNCHER},
        {"gradient", [&] { state_.GradColor = RGB(10, 250, 10); state_.VGrad = 1; }, PAINT_LAUNCHER},
        {"opaque", [&] { state_.UseAlphaBlend = 0; }, PAINT_LAUNCHER},
        {"opaque over another background", [&] { background = other.dc(); }, PAINT_LAUNCHER},
        {"transparent again", [&] { state_.UseAlphaBlend = 1; }, PAINT_LAUNCHER},
        {"text colours", [&] { state_.TextColor = RGB(0, 0, 0); state_.SelectShadowColor = RGB(9, 9, 9); },
         PAINT_LAUNCHER},
        {"shadow", [&] { state_.ShadowOffset = 3; }, PAINT_LAUNCHER},
        {"plain text path", [&] { state_.Smooth = 0; }, PAINT_LAUNCHER},
        {"font", [&] { state_.Font.lfHeight = 22; state_.Font.lfWeight = FW_BOLD; }, PAINT_LAUNCHER},
        {"frame", [&] { state_.EdgeType = FRAME_3D; }, PAINT_LAUNCHER},
        {"all keys", [&] { state_.ShowAllKey = 1; }, PAINT_LAUNCHER},
        {"submenu flag", [&] { state_.IsSubmenu[1] = 1; }, PAINT_LAUNCHER},
        {"smooth text again", [&] { state_.Smooth = 1; }, PAINT_LAUNCHER},
        {"without DrawShadowText",
         [] { LoadOptionalApisFrom("msimg32.dll", "tav-no-such-module.dll"); }, PAINT_LAUNCHER},
        {"without msimg32", [] { LoadOptionalApisFrom("tav-no-such-module.dll", "ComCtl32.dll"); },
         PAINT_LAUNCHER},
        {"with both again", [] { LoadOptionalApis(); }, PAINT_LAUNCHER},
        {"after Clear", [&] { PaintCacheUnderTest().Clear(); }, PAINT_LAUNCHER},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.What);
        step.Change();
        PopupWindow window = MakePopup(0, 0, width, height);
        MeasureLauncherText(window.get(), &state_);
        DibCanvas cached(width, height), fresh(width, height);
        cached.Fill(kBlack);
        fresh.Fill(kWhite);
        PaintLauncher(&state_, cached.dc(), width, height, background, selected, step.Mode,
                      &PaintCacheUnderTest());
        PaintLauncher(&state_, fresh.dc(), width, height, background, selected, step.Mode);
        int differing = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                differing += cached.Pixel(x, y) != fresh.Pixel(x, y);
        EXPECT_EQ(0, differing);
    }
}

bool RunningOnWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The plain path draws the shadow as the text once more, ShadowOffset pixels
// right and down (left and up when negative), and none for offset 0.
// DrawShadowText is asked for its shadow offset + 1 pixels away, so offset 0
// still shows one.  Wine's DrawShadowText ignores the offsets it is given
// and always draws the text once more, in the shadow colour, 1 pixel right
// and down; Windows draws a soft shadow at the offsets given.
TEST_F(PaintTest, ShadowLiesOffsetPixelsAwayAndTheTextStaysPut)
{
    const struct {
        int Smooth;
        bool ShadowText;  // DrawShadowText is at hand
        int Stored, Drawn;
    } cases[] = {
        {0, true, 0, 0},  // first: where the text lies in every case
        {0, true, 3, 3}, {0, true, -3, -3},
        {0, true, 100000, 99}, {0, true, -2147483647 - 1, -99},  // held to -99..99
        {1, false, 0, 0},  // smooth text without DrawShadowText: the plain path
        {1, true, 0, 1}, {1, true, 2, 1}, {1, true, -3, 1},
    };
    lstrcpynA(state_.Titles[1], "Wave", kTitleSize);
    PixelSet reference;
    for (const auto& c : cases) {
        SCOPED_TRACE("Smooth " + std::to_string(c.Smooth) + " ShadowOffset "
                     + std::to_string(c.Stored));
        if (c.ShadowText)
            LoadOptionalApis();
        else
            LoadOptionalApisFrom("msimg32.dll", "tav-no-such-module.dll");
        state_.Smooth = c.Smooth;
        state_.ShadowOffset = c.Stored;
        DibCanvas canvas(300, 160);
        Paint(canvas, PAINT_LAUNCHER, 0);
        const PixelSet text = PixelsOf(canvas, state_.TextColor);
        const PixelSet shadow = PixelsOf(canvas, state_.ShadowColor);
        ASSERT_FALSE(text.empty());
        if (reference.empty())
            reference = text;
        EXPECT_EQ(reference, text);
        if (c.Smooth == 0 || !c.ShadowText || RunningOnWine()) {
            EXPECT_EQ(ShadowOf(text, c.Drawn), shadow);
        } else {
            EXPECT_FALSE(shadow.empty());
        }
    }
}

TEST_F(PaintTest, InvertedOutlineTwiceRestoresThePixels)
{
    DibCanvas canvas(40, 30), original(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            SetPixel(canvas.dc(), x, y, RGB(x * 6, y * 8, (x + y) * 3));
    BitBlt(original.dc(), 0, 0, 40, 30, canvas.dc(), 0, 0, SRCCOPY);

    // Once: exactly the pixels of the closed outline, corners included, are
    // inverted.  Twice: none are.
    const RECT rect = {5, 4, 30, 20};
    for (bool inverted : {true, false}) {
        DrawInvertedRect(canvas.dc(), &rect);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                const bool onOutline = ((x == 5 || x == 30) && y >= 4 && y <= 20)
                                       || ((y == 4 || y == 20) && x >= 5 && x <= 30);
                const COLORREF flip = inverted && onOutline ? 0x00FFFFFF : 0;
                ASSERT_EQ(original.Pixel(x, y) ^ flip, canvas.Pixel(x, y)) << x << "," << y;
            }
    }
}

TEST_F(PaintTest, ScreenCopyHoldsTheScreenUnderTheWindowAndIsReleasedOnce)
{
    // Something on the screen at a known place, in a known colour.
    PopupWindow shown = MakePopup(200, 150, 120, 90);
    SetWindowPos(shown.get(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    {
        tav::WindowDc dc(shown.get());
        tav::UniqueHBrush brush(CreateSolidBrush(kScreen));
        const RECT all = {0, 0, 120, 90};
        FillRect(dc.get(), &all, brush.get());
    }
    GdiFlush();
    // Wine hands a window's pixels to the X server from its message loop.
    for (int i = 0; i < 20; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }

    PopupWindow window = MakePopup(210, 160, 50, 40);
    ScreenCapture capture = {};
    ReleaseBackground(&capture);  // nothing held: nothing happens
    CaptureBackground(window.get(), &capture);
    ASSERT_NE(nullptr, capture.MemDC);
    EXPECT_TRUE(SameColour(kScreen, GetPixel(capture.MemDC, 0, 0)));
    EXPECT_TRUE(SameColour(kScreen, GetPixel(capture.MemDC, 49, 39)));
    // Down to the monitor's bottom, so a taller submenu still has a background.
    BITMAP info;
    ASSERT_TRUE(GetObjectA(capture.Bitmap, sizeof info, &info));
    EXPECT_EQ(50, info.bmWidth);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - 160, info.bmHeight);
    EXPECT_EQ(capture.Bitmap, GetCurrentObject(capture.MemDC, OBJ_BITMAP));

    // A second capture replaces the copy and frees the first.
    const ScreenCapture first = capture;
    CaptureBackground(window.get(), &capture);
    ASSERT_NE(nullptr, capture.MemDC);
    EXPECT_TRUE(capture.MemDC == first.MemDC || GetObjectType(first.MemDC) == 0);

    const ScreenCapture second = capture;
    ReleaseBackground(&capture);
    EXPECT_TRUE(capture.MemDC == nullptr && capture.Bitmap == nullptr
                && capture.OldBitmap == nullptr);
    EXPECT_EQ(0u, GetObjectType(second.MemDC));
    EXPECT_EQ(0u, GetObjectType(second.Bitmap));
    ReleaseBackground(&capture);
}

// The check that test_main.cpp turns into a failure: a bitmap deleted while
// a DC still holds it, which Wine deletes anyway and Windows keeps.
TEST(GdiCheck, ABitmapStillSelectedIsReportedOneSelectedOutIsNot)
{
    static HBITMAP reported;
    auto failure = tav::SelectedBitmapDeleted;
    tav::SelectedBitmapDeleted = [](HBITMAP bitmap) { reported = bitmap; };
    tav::WindowDc screen(nullptr);
    tav::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    for (bool selectedOut : {false, true}) {
        HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), 16, 16);
        HGDIOBJ old = SelectObject(dc.get(), bitmap);
        if (selectedOut)
            SelectObject(dc.get(), old);
        reported = nullptr;
        tav::DeleteBitmap(bitmap);
        EXPECT_EQ(selectedOut ? nullptr : bitmap, reported);
        SelectObject(dc.get(), old);
    }
    tav::SelectedBitmapDeleted = failure;
}

}  // namespace
