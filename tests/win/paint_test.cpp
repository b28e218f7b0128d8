/*
 * Launcher painting, checked pixel by pixel: a real popup window gives the
 * size, PaintLauncher draws into a memory DC over a 32-bit DIB section, and
 * the tests read the pixels back.  Frame styles, the colour layer (opaque,
 * blended, gradient, and without msimg32), the four paint modes, which line
 * is drawn where and in which colours, and where the shadow falls on both
 * text paths.
 */
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "core/optional_apis.h"
#include "draw/geometry.h"
#include "draw/paint.h"
#include "draw_support.h"

namespace {

using PixelSet = std::set<std::pair<int, int>>;

std::string ColourText(COLORREF colour)
{
    char text[32];
    std::snprintf(text, sizeof text, "RGB(%d,%d,%d)", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

// Each channel within tolerance: blending and gradients round.
::testing::AssertionResult Near(COLORREF expected, COLORREF actual, int tolerance)
{
    if (std::abs(GetRValue(expected) - GetRValue(actual)) <= tolerance
        && std::abs(GetGValue(expected) - GetGValue(actual)) <= tolerance
        && std::abs(GetBValue(expected) - GetBValue(actual)) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << ColourText(actual) << " is not within " << tolerance << " of " << ColourText(expected);
}

COLORREF Blend(COLORREF source, COLORREF destination, int alpha)
{
    auto channel = [alpha](int s, int d) { return (s * alpha + d * (255 - alpha)) / 255; };
    return RGB(channel(GetRValue(source), GetRValue(destination)),
               channel(GetGValue(source), GetGValue(destination)),
               channel(GetBValue(source), GetBValue(destination)));
}

// The pixels of one colour inside [left, right) x [top, bottom).
PixelSet PixelsOf(const DibCanvas& canvas, COLORREF colour, int left, int top, int right,
                  int bottom)
{
    PixelSet found;
    for (int y = top < 0 ? 0 : top; y < bottom && y < canvas.Height(); ++y)
        for (int x = left < 0 ? 0 : left; x < right && x < canvas.Width(); ++x)
            if (canvas.Pixel(x, y) == colour)
                found.insert({x, y});
    return found;
}

PixelSet PixelsOf(const DibCanvas& canvas, COLORREF colour)
{
    return PixelsOf(canvas, colour, 0, 0, canvas.Width(), canvas.Height());
}

PixelSet Shifted(const PixelSet& pixels, int dx, int dy)
{
    PixelSet moved;
    for (const auto& p : pixels)
        moved.insert({p.first + dx, p.second + dy});
    return moved;
}

bool Contains(const PixelSet& outer, const PixelSet& inner)
{
    return std::includes(outer.begin(), outer.end(), inner.begin(), inner.end());
}

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kScreen = RGB(10, 200, 30);  // what the screen copy shows

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
        PopupWindow window(0, 0, canvas.Width(), canvas.Height());
        MeasureLauncherText(window.get(), &state_);
        PaintLauncher(&state_, window.get(), canvas.dc(), background, selected, mode);
    }

    // The layer's colour in the middle of a w x h launcher over kScreen.
    COLORREF LayerOverScreen(int w = 100, int h = 50)
    {
        DibCanvas screen(w, h), canvas(w, h);
        screen.Fill(kScreen);
        Paint(canvas, PAINT_LAUNCHER, 1, screen.dc());
        return canvas.Pixel(w / 2, h / 2);
    }

    int Pitch() const { return state_.LineHeight + state_.LineGap; }
    int RowTop(int row) const { return 4 + row * Pitch(); }

    // The pixels of a colour in one row's band: all of it, the prefix's
    // part (left of where titles start) or the title's part.
    PixelSet InRow(const DibCanvas& canvas, COLORREF colour, int row)
    {
        return PixelsOf(canvas, colour, 0, RowTop(row), canvas.Width(), RowTop(row + 1));
    }
    PixelSet InPrefix(const DibCanvas& canvas, COLORREF colour, int row)
    {
        return PixelsOf(canvas, colour, 0, RowTop(row), 5 + state_.PrefixWidth, RowTop(row + 1));
    }
    PixelSet InTitle(const DibCanvas& canvas, COLORREF colour, int row)
    {
        return PixelsOf(canvas, colour, 5 + state_.PrefixWidth, RowTop(row), canvas.Width(),
                        RowTop(row + 1));
    }
    // Height of a window that shows all 37 rows.
    int AllRowsHeight()
    {
        MeasureLauncherText(nullptr, &state_);
        return 37 * Pitch() + 8;
    }

    LauncherState state_;
};

// --- frame ---------------------------------------------------------------

TEST_F(PaintTest, FrameStylesOnA100By50Window)
{
    const COLORREF layer = state_.MainColor;
    const COLORREF light = RGB(232, 232, 232), silver = RGB(192, 192, 192), grey = RGB(128, 128, 128);
    const struct {
        int EdgeType;
        COLORREF OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight;
    } cases[] = {
        {0, layer, layer, layer, layer},
        {1, kBlack, kBlack, layer, layer},
        {2, light, kBlack, silver, grey},
        {3, kWhite, kBlack, kBlack, kWhite},
        {4, grey, kWhite, silver, kBlack},
        {5, layer, layer, layer, layer},  // no such style: no frame
        {-1, layer, layer, layer, layer},
        {1000, layer, layer, layer, layer},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("EdgeType " + std::to_string(c.EdgeType));
        state_.EdgeType = c.EdgeType;
        DibCanvas canvas(100, 50);
        Paint(canvas, PAINT_SETUP);
        EXPECT_EQ(ColourText(c.OuterTopLeft), ColourText(canvas.Pixel(50, 0)));
        EXPECT_EQ(ColourText(c.OuterTopLeft), ColourText(canvas.Pixel(0, 25)));
        EXPECT_EQ(ColourText(c.OuterBottomRight), ColourText(canvas.Pixel(99, 25)));
        EXPECT_EQ(ColourText(c.OuterBottomRight), ColourText(canvas.Pixel(50, 49)));
        EXPECT_EQ(ColourText(c.InnerTopLeft), ColourText(canvas.Pixel(50, 1)));
        EXPECT_EQ(ColourText(c.InnerTopLeft), ColourText(canvas.Pixel(1, 25)));
        EXPECT_EQ(ColourText(c.InnerBottomRight), ColourText(canvas.Pixel(98, 25)));
        EXPECT_EQ(ColourText(c.InnerBottomRight), ColourText(canvas.Pixel(50, 48)));
        EXPECT_EQ(ColourText(layer), ColourText(canvas.Pixel(50, 25)));
        if (c.EdgeType == FRAME_LINE) {
            // Black lines on x = 0, x = 99, y = 0 and y = 49, corners included.
            for (int x = 0; x < 100; ++x)
                ASSERT_TRUE(canvas.Pixel(x, 0) == kBlack && canvas.Pixel(x, 49) == kBlack) << x;
            for (int y = 0; y < 50; ++y)
                ASSERT_TRUE(canvas.Pixel(0, y) == kBlack && canvas.Pixel(99, y) == kBlack) << y;
        }
    }
}

// --- colour layer --------------------------------------------------------

TEST_F(PaintTest, LayerIsOpaqueBlendedOrInvisible)
{
    EXPECT_EQ(ColourText(state_.MainColor), ColourText(LayerOverScreen()));  // no blending

    state_.UseAlphaBlend = 1;
    state_.AlphaBlend = 255;
    EXPECT_EQ(ColourText(state_.MainColor), ColourText(LayerOverScreen()));
    state_.AlphaBlend = 0;
    EXPECT_EQ(ColourText(kScreen), ColourText(LayerOverScreen()));
    state_.AlphaBlend = 128;
    EXPECT_TRUE(Near(Blend(state_.MainColor, kScreen, 128), LayerOverScreen(), 2));
}

TEST_F(PaintTest, GradientRunsAcrossOrDown)
{
    state_.UseGrad = 1;
    DibCanvas across(200, 60);
    Paint(across, PAINT_SETUP);
    EXPECT_TRUE(Near(state_.MainColor, across.Pixel(0, 30), 3));
    EXPECT_TRUE(Near(state_.GradColor, across.Pixel(199, 30), 3));
    EXPECT_TRUE(Near(Blend(state_.MainColor, state_.GradColor, 128), across.Pixel(100, 30), 4));
    EXPECT_EQ(across.Pixel(100, 2), across.Pixel(100, 57));

    state_.VGrad = 1;
    DibCanvas down(60, 200);
    Paint(down, PAINT_SETUP);
    EXPECT_TRUE(Near(state_.MainColor, down.Pixel(30, 0), 3));
    EXPECT_TRUE(Near(state_.GradColor, down.Pixel(30, 199), 3));
    EXPECT_EQ(down.Pixel(2, 100), down.Pixel(57, 100));

    // Any VGrad but 0 is a vertical rectangle fill.
    state_.VGrad = 2;
    DibCanvas odd(60, 200);
    Paint(odd, PAINT_SETUP);
    EXPECT_EQ(down.Pixel(30, 100), odd.Pixel(30, 100));

    // UseGrad 0: flat MainColor, whatever GradColor is.
    state_.UseGrad = 0;
    DibCanvas flat(200, 60);
    Paint(flat, PAINT_SETUP);
    EXPECT_EQ(state_.MainColor, flat.Pixel(0, 30));
    EXPECT_EQ(state_.MainColor, flat.Pixel(199, 30));
}

TEST_F(PaintTest, WithoutMsimg32TransparencyIsAnAndWithTheScreen)
{
    LoadOptionalApisFrom("tav-no-such-module.dll", "ComCtl32.dll");
    ASSERT_EQ(0, HasAlphaGradient());
    state_.UseAlphaBlend = 1;
    state_.AlphaBlend = 128;  // has no effect here

    state_.MainColor = kWhite;
    EXPECT_EQ(ColourText(kScreen), ColourText(LayerOverScreen()));
    state_.MainColor = kBlack;
    EXPECT_EQ(ColourText(kBlack), ColourText(LayerOverScreen()));
    state_.MainColor = RGB(0x0F, 0xF0, 0xFF);
    EXPECT_EQ(ColourText(RGB(10 & 0x0F, 200 & 0xF0, 30)), ColourText(LayerOverScreen()));

    // Opaque: flat MainColor to the very edges, and no gradient.
    state_.UseAlphaBlend = 0;
    state_.UseGrad = 1;
    state_.MainColor = RGB(0, 100, 200);
    DibCanvas canvas(200, 60);
    Paint(canvas, PAINT_SETUP);
    EXPECT_EQ(state_.MainColor, canvas.Pixel(0, 0));
    EXPECT_EQ(state_.MainColor, canvas.Pixel(199, 59));
    EXPECT_EQ(state_.MainColor, canvas.Pixel(100, 30));
}

// --- modes and backgrounds -----------------------------------------------

TEST_F(PaintTest, MovedAndSetupModesLayTheLayerOverWhite)
{
    state_.UseAlphaBlend = 1;
    state_.AlphaBlend = 0;
    DibCanvas screen(100, 50);
    screen.Fill(kScreen);
    for (PaintMode mode : {PAINT_MOVED, PAINT_SETUP}) {
        DibCanvas canvas(100, 50);
        Paint(canvas, mode, 1, screen.dc());  // the background DC is not read
        EXPECT_EQ(ColourText(kWhite), ColourText(canvas.Pixel(50, 25))) << "mode " << mode;
        EXPECT_EQ(ColourText(kWhite), ColourText(canvas.Pixel(0, 0))) << "mode " << mode;
    }
}

TEST_F(PaintTest, AScreenCopyThatDoesNotCoverTheWindowLeavesWhiteNotGarbage)
{
    state_.UseAlphaBlend = 1;
    state_.AlphaBlend = 0;
    DibCanvas canvas(100, 80);
    canvas.Fill(RGB(1, 2, 3));
    Paint(canvas, PAINT_LAUNCHER, 1, nullptr);
    EXPECT_EQ(ColourText(kWhite), ColourText(canvas.Pixel(50, 40)));

    // The window grew since the copy was taken (a taller submenu).
    DibCanvas shortCopy(100, 30);
    shortCopy.Fill(kScreen);
    Paint(canvas, PAINT_LAUNCHER, 1, shortCopy.dc());
    EXPECT_EQ(ColourText(kScreen), ColourText(canvas.Pixel(50, 10)));
    EXPECT_EQ(ColourText(kWhite), ColourText(canvas.Pixel(50, 60)));
}

// --- lines ---------------------------------------------------------------

TEST_F(PaintTest, SelectedLineIsDrawnInTheSelectionColours)
{
    lstrcpynA(state_.Titles[0], "WWW", kTitleSize);
    lstrcpynA(state_.Titles[1], "WWW", kTitleSize);
    lstrcpynA(state_.Titles[2], "WWW", kTitleSize);
    state_.ShadowOffset = 2;
    DibCanvas canvas(200, 100);
    Paint(canvas, PAINT_LAUNCHER, 2);
    for (int row : {0, 1}) {
        EXPECT_FALSE(InRow(canvas, state_.TextColor, row).empty()) << "row " << row;
        EXPECT_FALSE(InRow(canvas, state_.ShadowColor, row).empty()) << "row " << row;
        EXPECT_TRUE(InRow(canvas, state_.SelectTxtColor, row).empty()) << "row " << row;
        EXPECT_TRUE(InRow(canvas, state_.SelectShadowColor, row).empty()) << "row " << row;
    }
    EXPECT_FALSE(InRow(canvas, state_.SelectTxtColor, 2).empty());
    EXPECT_FALSE(InRow(canvas, state_.SelectShadowColor, 2).empty());
    EXPECT_TRUE(InRow(canvas, state_.TextColor, 2).empty());

    // The same in PAINT_MOVED; a hidden selected slot highlights nothing.
    DibCanvas moved(200, 100);
    Paint(moved, PAINT_MOVED, 5);
    EXPECT_TRUE(PixelsOf(moved, state_.SelectTxtColor).empty());
    EXPECT_FALSE(InRow(moved, state_.TextColor, 2).empty());
}

TEST_F(PaintTest, HiddenSlotsTakeNoRowAndHeaderHasNoPrefix)
{
    lstrcpynA(state_.Titles[0], "W", kTitleSize);
    lstrcpynA(state_.Titles[5], "W", kTitleSize);
    lstrcpynA(state_.Titles[9], "W", kTitleSize);
    DibCanvas canvas(200, 120);
    Paint(canvas, PAINT_LAUNCHER, 0);
    // Slot 0 (selected here) has no prefix: its text starts where titles do.
    EXPECT_TRUE(InPrefix(canvas, state_.SelectTxtColor, 0).empty());
    EXPECT_FALSE(InTitle(canvas, state_.SelectTxtColor, 0).empty());
    // Slots 5 and 9 on rows 1 and 2, each with its prefix; nothing below.
    for (int row : {1, 2}) {
        EXPECT_FALSE(InPrefix(canvas, state_.TextColor, row).empty()) << "row " << row;
        EXPECT_FALSE(InTitle(canvas, state_.TextColor, row).empty()) << "row " << row;
    }
    EXPECT_TRUE(PixelsOf(canvas, state_.TextColor, 0, RowTop(3), 200, 120).empty());
}

TEST_F(PaintTest, ShowAllKeyGivesEveryOneOf37RowsItsPrefix)
{
    state_.ShowAllKey = 1;
    lstrcpynA(state_.Titles[1], "W", kTitleSize);
    DibCanvas canvas(200, AllRowsHeight());
    Paint(canvas, PAINT_LAUNCHER, 99);
    EXPECT_TRUE(InRow(canvas, state_.TextColor, 0).empty());  // empty header, no prefix
    for (int row = 1; row < 37; ++row)
        EXPECT_FALSE(InPrefix(canvas, state_.TextColor, row).empty()) << "row " << row;
    EXPECT_FALSE(InTitle(canvas, state_.TextColor, 1).empty());
    EXPECT_TRUE(InTitle(canvas, state_.TextColor, 2).empty());
}

TEST_F(PaintTest, SetupListPutsEverySlotOnItsOwnRowUnselected)
{
    lstrcpynA(state_.Titles[5], "W", kTitleSize);
    DibCanvas canvas(200, AllRowsHeight());
    Paint(canvas, PAINT_SETUP, 5);
    EXPECT_TRUE(PixelsOf(canvas, state_.SelectTxtColor).empty());
    EXPECT_FALSE(InTitle(canvas, state_.TextColor, 5).empty());
    EXPECT_FALSE(InPrefix(canvas, state_.TextColor, 1).empty());  // a bare prefix
    EXPECT_TRUE(InTitle(canvas, state_.TextColor, 1).empty());
}

TEST_F(PaintTest, PreviewShowsSlotZeroSelectedWithItsLetter)
{
    lstrcpynA(state_.Titles[0], "Tav", kTitleSize);
    lstrcpynA(state_.Titles[1], "Ver2.55", kTitleSize);
    lstrcpynA(state_.Titles[3], "HOST", kTitleSize);
    DibCanvas canvas(120, 150);
    Paint(canvas, PAINT_PREVIEW, 3);
    // Slot 0 in the selection colours, with the prefix "A> " in front.
    EXPECT_FALSE(InPrefix(canvas, state_.SelectTxtColor, 0).empty());
    EXPECT_TRUE(InRow(canvas, state_.TextColor, 0).empty());
    // Rows are packed: slot 3 on row 2, not selected although asked for.
    EXPECT_FALSE(InRow(canvas, state_.TextColor, 2).empty());
    EXPECT_TRUE(InRow(canvas, state_.SelectTxtColor, 2).empty());
    EXPECT_TRUE(InRow(canvas, state_.TextColor, 3).empty());
}

// --- shadow --------------------------------------------------------------

class ShadowTest : public PaintTest {
protected:
    // Text and shadow pixels of one title line painted with the given offset.
    void PaintLine(int offset, PixelSet* text, PixelSet* shadow)
    {
        state_.ShadowOffset = offset;
        lstrcpynA(state_.Titles[1], "Wave", kTitleSize);
        DibCanvas canvas(300, 160);
        Paint(canvas, PAINT_LAUNCHER, 0);
        *text = PixelsOf(canvas, state_.TextColor);
        *shadow = PixelsOf(canvas, state_.ShadowColor);
    }
};

TEST_F(ShadowTest, PlainShadowLiesOffsetPixelsAwayAndTheTextStaysPut)
{
    PixelSet reference, none;
    PaintLine(0, &reference, &none);
    ASSERT_FALSE(reference.empty());
    EXPECT_TRUE(none.empty());  // offset 0: no shadow on the plain path

    // Offsets beyond -99..99 (a hand-edited value) are drawn as 99 or -99.
    const struct {
        int Stored, Drawn;
    } cases[] = {{3, 3}, {-3, -3}, {1, 1}, {100000, 99}};
    for (const auto& c : cases) {
        SCOPED_TRACE("ShadowOffset " + std::to_string(c.Stored));
        const int offset = c.Drawn;
        PixelSet text, shadow;
        PaintLine(c.Stored, &text, &shadow);
        EXPECT_EQ(reference, text);  // text at x = 5 whatever the offset
        ASSERT_FALSE(shadow.empty());
        // Every shadow pixel is a glyph pixel moved by the offset; every
        // glyph pixel moved by the offset is shadow unless text covers it.
        EXPECT_TRUE(Contains(text, Shifted(shadow, -offset, -offset)));
        PixelSet covered = shadow;
        covered.insert(text.begin(), text.end());
        EXPECT_TRUE(Contains(covered, Shifted(text, offset, offset)));
    }
    PixelSet text, shadow;
    PaintLine(-2147483647 - 1, &text, &shadow);  // drawn as -99: off the window
    EXPECT_EQ(reference, text);
}

TEST_F(ShadowTest, SmoothWithoutShadowTextDrawsThePlainShadow)
{
    LoadOptionalApisFrom("msimg32.dll", "tav-no-such-module.dll");
    ASSERT_EQ(0, HasShadowText());
    state_.Smooth = 1;
    PixelSet text, shadow;
    PaintLine(0, &text, &shadow);
    EXPECT_FALSE(text.empty());
    EXPECT_TRUE(shadow.empty());
}

bool RunningOnWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// DrawShadowText is asked for its shadow offset + 1 pixels away, so offset 0
// still shows one.  Wine's DrawShadowText ignores the offsets it is given
// and always draws the text once more, in the shadow colour, 1 pixel right
// and down; Windows draws a soft shadow at the offsets given.
TEST_F(ShadowTest, ShadowTextPathKeepsTheTextInPlaceAndDrawsAShadow)
{
    ASSERT_EQ(1, HasShadowText());
    PixelSet reference, none;
    PaintLine(0, &reference, &none);

    state_.Smooth = 1;
    for (int offset : {0, 2, -3}) {
        SCOPED_TRACE("ShadowOffset " + std::to_string(offset));
        PixelSet text, shadow;
        PaintLine(offset, &text, &shadow);
        EXPECT_EQ(reference, text);
        ASSERT_FALSE(shadow.empty());
        if (RunningOnWine()) {
            EXPECT_TRUE(Contains(text, Shifted(shadow, -1, -1)));
        }
    }
}

// --- inverted outline, screen copy ---------------------------------------

TEST_F(PaintTest, InvertedOutlineTwiceRestoresThePixels)
{
    DibCanvas canvas(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            canvas.SetPixelAt(x, y, RGB(x * 6, y * 8, (x + y) * 3));
    DibCanvas original(40, 30);
    BitBlt(original.dc(), 0, 0, 40, 30, canvas.dc(), 0, 0, SRCCOPY);

    const RECT rect = {5, 4, 30, 20};
    DrawInvertedRect(canvas.dc(), &rect);
    auto inverted = [&](int x, int y) { return original.Pixel(x, y) ^ 0x00FFFFFF; };
    EXPECT_EQ(inverted(5, 4), canvas.Pixel(5, 4));
    EXPECT_EQ(inverted(30, 4), canvas.Pixel(30, 4));
    EXPECT_EQ(inverted(30, 20), canvas.Pixel(30, 20));
    EXPECT_EQ(inverted(17, 20), canvas.Pixel(17, 20));
    EXPECT_EQ(inverted(5, 12), canvas.Pixel(5, 12));
    EXPECT_EQ(original.Pixel(17, 12), canvas.Pixel(17, 12));
    EXPECT_EQ(original.Pixel(31, 21), canvas.Pixel(31, 21));

    DrawInvertedRect(canvas.dc(), &rect);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(original.Pixel(x, y), canvas.Pixel(x, y)) << x << "," << y;
}

TEST_F(PaintTest, ScreenCopyCoversTheWindowAndIsReleasedOnce)
{
    PopupWindow window(50, 60, 80, 40);
    ScreenCapture capture = {};
    ReleaseBackground(&capture);  // nothing held: nothing happens
    CaptureBackground(window.get(), &capture);
    ASSERT_NE(nullptr, capture.MemDC);
    ASSERT_NE(nullptr, capture.Bitmap);
    BITMAP info;
    ASSERT_TRUE(GetObjectA(capture.Bitmap, sizeof info, &info));
    EXPECT_EQ(80, info.bmWidth);
    // Down to the monitor's bottom, so a taller submenu still has a background.
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - 60, info.bmHeight);
    EXPECT_EQ(capture.Bitmap, GetCurrentObject(capture.MemDC, OBJ_BITMAP));

    HDC firstDc = capture.MemDC;
    CaptureBackground(window.get(), &capture);  // replaces the copy
    ASSERT_NE(nullptr, capture.MemDC);
    if (capture.MemDC != firstDc) {
        EXPECT_EQ(0u, GetObjectType(firstDc));
    }

    HDC dc = capture.MemDC;
    HBITMAP bitmap = capture.Bitmap;
    ReleaseBackground(&capture);
    EXPECT_EQ(nullptr, capture.MemDC);
    EXPECT_EQ(nullptr, capture.Bitmap);
    EXPECT_EQ(nullptr, capture.OldBitmap);
    EXPECT_EQ(0u, GetObjectType(dc));
    EXPECT_EQ(0u, GetObjectType(bitmap));
    ReleaseBackground(&capture);
}

TEST_F(PaintTest, ScreenCopyHoldsWhatLiesUnderTheWindow)
{
    // Something on the screen at a known place, in a known colour.
    PopupWindow shown(200, 150, 120, 90);
    SetWindowPos(shown.get(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    HDC dc = GetDC(shown.get());
    RECT all = {0, 0, 120, 90};
    HBRUSH brush = CreateSolidBrush(kScreen);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    ReleaseDC(shown.get(), dc);
    GdiFlush();
    // Wine hands a window's pixels to the X server from its message loop.
    for (int i = 0; i < 20; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }

    PopupWindow hidden(210, 160, 50, 40);
    ScreenCapture capture = {};
    CaptureBackground(hidden.get(), &capture);
    ASSERT_NE(nullptr, capture.MemDC);
    EXPECT_EQ(ColourText(kScreen), ColourText(GetPixel(capture.MemDC, 0, 0)));
    EXPECT_EQ(ColourText(kScreen), ColourText(GetPixel(capture.MemDC, 49, 39)));
    ReleaseBackground(&capture);
}

}  // namespace
