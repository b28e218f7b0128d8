/*
 * Size and place of the launcher window against real windows, real text
 * measurement and the real (redirected) registry: the width rule with
 * "Width" and "TextHeight", the height per line count, every position type,
 * and settings or stored values that would otherwise give an unusable or
 * invisible window.
 */
#include <windows.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "draw/geometry.h"
#include "draw_support.h"
#include "scratch_registry.h"
#include "store/registry.h"

namespace {

const char kWindow[] = "Software\\orrel\\Tav\\Window";

SIZE Extent(const LOGFONTA& logFont, const char* text)
{
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontIndirectA(&logFont);
    HGDIOBJ old = SelectObject(screen, font);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(screen, text, static_cast<int>(std::strlen(text)), &size);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return size;
}

int StoredInt(const char* name, int fallback)
{
    int value = 0;
    StoreReadDword(name, kWindow, &value, fallback);
    return value;
}

int WidthOf(const PopupWindow& window)
{
    RECT rect = window.Rect();
    return rect.right - rect.left;
}

int HeightOf(const PopupWindow& window)
{
    RECT rect = window.Rect();
    return rect.bottom - rect.top;
}

POINT CornerOf(const PopupWindow& window)
{
    RECT rect = window.Rect();
    return POINT{rect.left, rect.top};
}

class GeometryTest : public RegistryTest {
protected:
    void SetUp() override
    {
        state_ = TestState();
        lstrcpynA(state_.Titles[0], "Tav Ver2.55", kTitleSize);
        lstrcpynA(state_.Titles[1], "Editor", kTitleSize);
        lstrcpynA(state_.Titles[2], "WWWWWWWWWWWWWWWW", kTitleSize);
        state_.LineCount = 3;
    }

    LauncherState state_;
};

TEST_F(GeometryTest, MeasuresThePrefixAndTheWidestTitle)
{
    PopupWindow window(0, 0, 100, 50);
    state_.LineGap = 7;
    MeasureLauncherText(window.get(), &state_);
    SIZE prefix = Extent(state_.Font, "M> ");
    EXPECT_EQ(prefix.cy, state_.LineHeight);
    EXPECT_EQ(prefix.cx, state_.PrefixWidth);
    EXPECT_EQ(Extent(state_.Font, "WWWWWWWWWWWWWWWW").cx, state_.TitleWidth);
    EXPECT_EQ(0, state_.LineGap);

    // Without a window the screen DC measures the same.
    LauncherState screen = state_;
    MeasureLauncherText(nullptr, &screen);
    EXPECT_EQ(state_.LineHeight, screen.LineHeight);
    EXPECT_EQ(state_.TitleWidth, screen.TitleWidth);

    // No titles: no title width.  A title filling its whole field without a
    // terminator is measured within the field.
    std::memset(state_.Titles, 0, sizeof state_.Titles);
    MeasureLauncherText(window.get(), &state_);
    EXPECT_EQ(0, state_.TitleWidth);
    std::memset(state_.Titles[36], 'W', kTitleSize);
    MeasureLauncherText(window.get(), &state_);
    EXPECT_EQ(Extent(state_.Font, std::string(kTitleSize, 'W').c_str()).cx, state_.TitleWidth);
}

TEST_F(GeometryTest, AbsurdFontSizesMeasureAsTheDefaultHeight)
{
    LauncherState reference = state_;
    reference.Font.lfHeight = 18;
    MeasureLauncherText(nullptr, &reference);
    ASSERT_GT(reference.LineHeight, 0);

    for (LONG height : {0L, 100000L, -100000L, 257L}) {
        LauncherState odd = state_;
        odd.Font.lfHeight = height;
        MeasureLauncherText(nullptr, &odd);
        EXPECT_EQ(reference.LineHeight, odd.LineHeight) << "lfHeight " << height;
    }
    LauncherState wide = reference;
    wide.Font.lfWidth = 100000;
    MeasureLauncherText(nullptr, &wide);
    EXPECT_EQ(reference.TitleWidth, wide.TitleWidth);
}

TEST_F(GeometryTest, WidthFollowsTheTitlesAtTheTopAndStaysInSubmenus)
{
    PopupWindow window(10, 20, 400, 50);
    SizeLauncherWindow(window.get(), &state_, "");
    const int computed = state_.PrefixWidth + state_.TitleWidth + 10;
    EXPECT_EQ(computed, WidthOf(window));
    EXPECT_EQ(state_.LineHeight, StoredInt("TextHeight", -1));
    EXPECT_EQ(-1, StoredInt("Width", -1));
    EXPECT_EQ(10, CornerOf(window).x);  // sizing never moves the window
    EXPECT_EQ(20, CornerOf(window).y);

    // A submenu keeps the current width, whatever its titles.
    SetWindowPos(window.get(), nullptr, 0, 0, 333, 50, SWP_NOZORDER | SWP_NOMOVE);
    lstrcpynA(state_.Titles[3], "WWWWWWWWWWWWWWWWWWWWWWWW", kTitleSize);
    SizeLauncherWindow(window.get(), &state_, "AB");
    EXPECT_EQ(333, WidthOf(window));
    SizeLauncherWindow(window.get(), &state_, nullptr);  // null: the top level
    EXPECT_GT(WidthOf(window), computed);
}

TEST_F(GeometryTest, StoredWidthWinsWhileTheTextHeightMatches)
{
    PopupWindow window(0, 0, 333, 50);
    StoreWriteDword("TextHeight", kWindow, 999);  // chosen under another font
    StoreWriteDword("Width", kWindow, 250);
    SizeLauncherWindow(window.get(), &state_, "");
    EXPECT_EQ(state_.PrefixWidth + state_.TitleWidth + 10, WidthOf(window));
    EXPECT_EQ(state_.LineHeight, StoredInt("TextHeight", -1));
    EXPECT_EQ(250, StoredInt("Width", -1));

    // From now on the stored width applies, at every level.
    SizeLauncherWindow(window.get(), &state_, "");
    EXPECT_EQ(250, WidthOf(window));
    SizeLauncherWindow(window.get(), &state_, "K");
    EXPECT_EQ(250, WidthOf(window));

    // Held to 12 .. screen width; what is stored stays as it is.
    const struct {
        DWORD Stored;
        int Expected;
    } cases[] = {{0, 12}, {100000, GetSystemMetrics(SM_CXSCREEN)}, {static_cast<DWORD>(-40), 12}};
    for (const auto& c : cases) {
        StoreWriteDword("Width", kWindow, c.Stored);
        SizeLauncherWindow(window.get(), &state_, "");
        EXPECT_EQ(c.Expected, WidthOf(window)) << "Width " << c.Stored;
        EXPECT_EQ(c.Stored, static_cast<DWORD>(StoredInt("Width", -1)));
    }
}

TEST_F(GeometryTest, HeightIsPitchTimesLinesPlusEight)
{
    PopupWindow window(0, 0, 100, 10);
    for (int lines : {1, 2, 37}) {
        state_.LineCount = lines;
        SizeLauncherWindow(window.get(), &state_, "");
        EXPECT_EQ(state_.LineHeight * lines + 8, HeightOf(window)) << lines << " lines";
    }
}

class PlacementTest : public GeometryTest {
protected:
    void SetUp() override
    {
        GeometryTest::SetUp();
        GetDesktopArea(nullptr, &area_);
        StoreWriteDword("Left", kWindow, 100);
        StoreWriteDword("Top", kWindow, 120);
    }

    RECT area_;
};

TEST_F(PlacementTest, DesktopAreaFallsBackToTheMonitorsWorkArea)
{
    // Wine has no desktop icon list, so the primary monitor's work area is used.
    ASSERT_EQ(nullptr, FindWindowA("Progman", "Program Manager"));
    RECT work;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_TRUE(EqualRect(&work, &area_));
    PopupWindow window(200, 200, 100, 50);
    RECT of;
    GetDesktopArea(window.get(), &of);
    EXPECT_TRUE(EqualRect(&work, &of));
}

TEST_F(PlacementTest, EveryPositionType)
{
    const int w = 200, h = 60;
    const struct {
        int PosType;
        int X, Y;
    } cases[] = {
        {POS_FREE, 100, 120},
        {POS_LEFT, area_.left, 120},
        {POS_TOP_LEFT, area_.left, area_.top},
        {POS_TOP, 100, area_.top},
        {POS_TOP_RIGHT, area_.right - w, area_.top},
        {POS_RIGHT, area_.right - w, 120},
        {6, 100, 120},
        {-1, 100, 120},
    };
    for (const auto& c : cases) {
        PopupWindow window(0, 0, w, h);
        PlaceLauncherWindow(window.get(), c.PosType);
        EXPECT_EQ(c.X, CornerOf(window).x) << "PosType " << c.PosType;
        EXPECT_EQ(c.Y, CornerOf(window).y) << "PosType " << c.PosType;
        EXPECT_EQ(w, WidthOf(window));
        EXPECT_EQ(h, HeightOf(window));
    }
}

TEST_F(PlacementTest, APlaceOffEveryMonitorIsBroughtBackButNotRewritten)
{
    StoreWriteDword("Left", kWindow, static_cast<DWORD>(-5000));
    StoreWriteDword("Top", kWindow, 90000);
    PopupWindow window(0, 0, 200, 60);
    PlaceLauncherWindow(window.get(), POS_FREE);
    EXPECT_EQ(area_.left, CornerOf(window).x);
    EXPECT_EQ(area_.bottom - 60, CornerOf(window).y);
    EXPECT_EQ(-5000, StoredInt("Left", 0));
    EXPECT_EQ(90000, StoredInt("Top", 0));

    // Docked in x only: y is still brought back.
    PlaceLauncherWindow(window.get(), POS_RIGHT);
    EXPECT_EQ(area_.right - 200, CornerOf(window).x);
    EXPECT_EQ(area_.bottom - 60, CornerOf(window).y);

    // Partly on a monitor: left where it is.
    StoreWriteDword("Left", kWindow, static_cast<DWORD>(-150));
    StoreWriteDword("Top", kWindow, 30);
    PlaceLauncherWindow(window.get(), POS_FREE);
    EXPECT_EQ(-150, CornerOf(window).x);
    EXPECT_EQ(30, CornerOf(window).y);

    // A free launcher that was moved off every monitor shows on one again.
    SetWindowPos(window.get(), nullptr, 3000, 3000, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    int x = 0, y = 0;
    GetDockedPosition(window.get(), POS_FREE, &x, &y);
    EXPECT_EQ(area_.right - 200, x);
    EXPECT_EQ(area_.bottom - 60, y);
}

TEST_F(PlacementTest, SavedPositionIsTheWindowsCornerAndSignedValuesSurvive)
{
    PopupWindow window(-30, 40, 200, 60);
    SaveLauncherPosition(window.get());
    EXPECT_EQ(-30, StoredInt("Left", 0));
    EXPECT_EQ(40, StoredInt("Top", 0));
    PopupWindow other(0, 0, 200, 60);
    PlaceLauncherWindow(other.get(), POS_FREE);
    EXPECT_EQ(-30, CornerOf(other).x);
    EXPECT_EQ(40, CornerOf(other).y);

    // Nothing stored: the origin.
    StoreDeleteValue(kWindow, "Left");
    StoreDeleteValue(kWindow, "Top");
    PlaceLauncherWindow(other.get(), POS_FREE);
    EXPECT_EQ(0, CornerOf(other).x);
    EXPECT_EQ(0, CornerOf(other).y);
}

}  // namespace
