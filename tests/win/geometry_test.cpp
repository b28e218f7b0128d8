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

int WidthOf(const TestWindow& window)
{
    RECT rect = window.Rect();
    return rect.right - rect.left;
}

int HeightOf(const TestWindow& window)
{
    RECT rect = window.Rect();
    return rect.bottom - rect.top;
}

POINT CornerOf(const TestWindow& window)
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
    TestWindow window(0, 0, 100, 50);
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

TEST_F(GeometryTest, TopLevelWidthFollowsTheTitlesAndRecordsTheTextHeight)
{
    TestWindow window(10, 20, 400, 50);
    SizeLauncherWindow(window.get(), &state_, "");
    EXPECT_EQ(state_.PrefixWidth + state_.TitleWidth + 10, WidthOf(window));
    EXPECT_EQ(state_.LineHeight, StoredInt("TextHeight", -1));
    DWORD type;
    std::string data;
    EXPECT_FALSE(GetRawValue(kWindow, "Width", &type, &data));
    // Sizing never moves the window.
    EXPECT_EQ(10, CornerOf(window).x);
    EXPECT_EQ(20, CornerOf(window).y);

    // A null key path counts as the top level.
    SetWindowPos(window.get(), nullptr, 0, 0, 77, 50, SWP_NOZORDER | SWP_NOMOVE);
    SizeLauncherWindow(window.get(), &state_, nullptr);
    EXPECT_EQ(state_.PrefixWidth + state_.TitleWidth + 10, WidthOf(window));
}

TEST_F(GeometryTest, SubmenuKeepsTheCurrentWidth)
{
    TestWindow window(0, 0, 333, 50);
    SizeLauncherWindow(window.get(), &state_, "A");
    EXPECT_EQ(333, WidthOf(window));
    lstrcpynA(state_.Titles[3], "A much wider title than before", kTitleSize);
    SizeLauncherWindow(window.get(), &state_, "AB");
    EXPECT_EQ(333, WidthOf(window));
}

TEST_F(GeometryTest, StoredWidthAppliesAtEveryLevelWhileTheTextHeightMatches)
{
    TestWindow window(0, 0, 333, 50);
    MeasureLauncherText(window.get(), &state_);
    StoreWriteDword("TextHeight", kWindow, static_cast<DWORD>(state_.LineHeight));
    StoreWriteDword("Width", kWindow, 250);
    SizeLauncherWindow(window.get(), &state_, "");
    EXPECT_EQ(250, WidthOf(window));
    SizeLauncherWindow(window.get(), &state_, "K");
    EXPECT_EQ(250, WidthOf(window));
}

TEST_F(GeometryTest, AfterAFontChangeTheComputedWidthAppliesOnce)
{
    TestWindow window(0, 0, 333, 50);
    StoreWriteDword("TextHeight", kWindow, 999);
    StoreWriteDword("Width", kWindow, 250);
    SizeLauncherWindow(window.get(), &state_, "");
    EXPECT_EQ(state_.PrefixWidth + state_.TitleWidth + 10, WidthOf(window));
    EXPECT_EQ(state_.LineHeight, StoredInt("TextHeight", -1));
    EXPECT_EQ(250, StoredInt("Width", -1));

    SizeLauncherWindow(window.get(), &state_, "");
    EXPECT_EQ(250, WidthOf(window));
}

TEST_F(GeometryTest, StoredWidthIsHeldToTwelvePixelsAndTheScreenWidth)
{
    TestWindow window(0, 0, 333, 50);
    MeasureLauncherText(window.get(), &state_);
    StoreWriteDword("TextHeight", kWindow, static_cast<DWORD>(state_.LineHeight));
    const struct {
        DWORD Stored;
        int Expected;
    } cases[] = {
        {0, 12},
        {100000, GetSystemMetrics(SM_CXSCREEN)},
        {static_cast<DWORD>(-40), 12},
    };
    for (const auto& c : cases) {
        StoreWriteDword("Width", kWindow, c.Stored);
        SizeLauncherWindow(window.get(), &state_, "");
        EXPECT_EQ(c.Expected, WidthOf(window)) << "Width " << c.Stored;
        // What is stored stays; only what is used is held in range.
        EXPECT_EQ(c.Stored, static_cast<DWORD>(StoredInt("Width", -1)));
    }
}

TEST_F(GeometryTest, HeightIsPitchTimesLinesPlusEight)
{
    TestWindow window(0, 0, 100, 10);
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
    TestWindow window(200, 200, 100, 50);
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
        TestWindow window(0, 0, w, h);
        PlaceLauncherWindow(window.get(), c.PosType);
        EXPECT_EQ(c.X, CornerOf(window).x) << "PosType " << c.PosType;
        EXPECT_EQ(c.Y, CornerOf(window).y) << "PosType " << c.PosType;
        EXPECT_EQ(w, WidthOf(window));
        EXPECT_EQ(h, HeightOf(window));
    }
}

TEST_F(PlacementTest, DockingStartsFromWhereTheWindowIs)
{
    TestWindow window(300, 400, 200, 60);
    int x = 0, y = 0;
    GetDockedPosition(window.get(), POS_TOP_RIGHT, &x, &y);
    EXPECT_EQ(area_.right - 200, x);
    EXPECT_EQ(area_.top, y);
    GetDockedPosition(window.get(), POS_LEFT, &x, &y);
    EXPECT_EQ(area_.left, x);
    EXPECT_EQ(400, y);
    GetDockedPosition(window.get(), POS_FREE, &x, &y);
    EXPECT_EQ(300, x);
    EXPECT_EQ(400, y);
}

TEST_F(PlacementTest, APlaceOffEveryMonitorIsBroughtBackButNotRewritten)
{
    StoreWriteDword("Left", kWindow, static_cast<DWORD>(-5000));
    StoreWriteDword("Top", kWindow, 90000);
    TestWindow window(0, 0, 200, 60);
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
    TestWindow window(-30, 40, 200, 60);
    SaveLauncherPosition(window.get());
    EXPECT_EQ(-30, StoredInt("Left", 0));
    EXPECT_EQ(40, StoredInt("Top", 0));

    TestWindow other(0, 0, 200, 60);
    PlaceLauncherWindow(other.get(), POS_FREE);
    EXPECT_EQ(-30, CornerOf(other).x);
    EXPECT_EQ(40, CornerOf(other).y);
}

TEST_F(PlacementTest, NoStoredPositionMeansTheOrigin)
{
    StoreDeleteValue(kWindow, "Left");
    StoreDeleteValue(kWindow, "Top");
    TestWindow window(300, 300, 200, 60);
    PlaceLauncherWindow(window.get(), POS_FREE);
    EXPECT_EQ(0, CornerOf(window).x);
    EXPECT_EQ(0, CornerOf(window).y);
}

}  // namespace
