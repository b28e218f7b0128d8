/*
 * Size and place of the launcher window against real windows, real text
 * measurement and the real (redirected) registry: the width rule with
 * "Width" and "TextHeight", the height per line count, every position type,
 * and settings or stored values that would otherwise give an unusable or
 * invisible window.
 */
#include <windows.h>

#include <array>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "draw/desktop.h"
#include "draw/geometry.h"
#include "draw_support.h"
#include "scratch_registry.h"
#include "store/registry.h"

namespace {

const char kWindow[] = "Software\\orrel\\Tav\\Window";

using Box = std::array<LONG, 4>;  // left, top, width, height

Box BoxOf(const PopupWindow& window)
{
    RECT r = {0, 0, 0, 0};
    GetWindowRect(window.get(), &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

SIZE Extent(const LOGFONTA& logFont, const std::string& text)
{
    tav::WindowDc screen(nullptr);
    tav::UniqueHFont font(CreateFontIndirectA(&logFont));
    tav::SelectGuard select(screen.get(), font.get());
    SIZE size = {0, 0};
    GetTextExtentPoint32A(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

int Stored(const char* name)
{
    int value = 0;
    StoreReadDword(name, kWindow, &value, -1);
    return value;
}

class GeometryTest : public RegistryTest {
protected:
    void SetUp() override
    {
        state_ = TestState();
        lstrcpynA(state_.Titles[0], "Tav Ver2.55", kTitleSize);
        lstrcpynA(state_.Titles[1], "WWWWWWWWWWWWWWWW", kTitleSize);  // the widest
        lstrcpynA(state_.Titles[2], "Editor", kTitleSize);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area_, 0);
    }

    int ComputedWidth() const { return state_.PrefixWidth + state_.TitleWidth + 10; }

    LauncherState state_;
    RECT area_;
};

TEST_F(GeometryTest, MeasuresThePrefixAndTheWidestTitleInAUsableFont)
{
    PopupWindow window = MakePopup(0, 0, 100, 50);
    state_.LineGap = 7;
    MeasureLauncherText(window.get(), &state_);
    const SIZE prefix = Extent(state_.Font, "M> ");
    EXPECT_EQ(prefix.cy, state_.LineHeight);
    EXPECT_EQ(prefix.cx, state_.PrefixWidth);
    EXPECT_EQ(Extent(state_.Font, state_.Titles[1]).cx, state_.TitleWidth);
    EXPECT_EQ(0, state_.LineGap);

    // No titles: no title width.  A title filling its whole field without a
    // terminator is measured within the field (here in the screen DC).
    std::memset(state_.Titles, 0, sizeof state_.Titles);
    MeasureLauncherText(window.get(), &state_);
    EXPECT_EQ(0, state_.TitleWidth);
    std::memset(state_.Titles[36], 'W', kTitleSize);
    MeasureLauncherText(nullptr, &state_);
    EXPECT_EQ(Extent(state_.Font, std::string(kTitleSize, 'W')).cx, state_.TitleWidth);

    // Absurd font sizes from a damaged setting measure as the default height
    // (18); an absurd width as the font's own.
    LauncherState reference = state_;
    reference.Font.lfHeight = 18;
    MeasureLauncherText(nullptr, &reference);
    for (LONG height : {0L, 100000L, -100000L}) {
        LauncherState odd = reference;
        odd.Font.lfHeight = height;
        MeasureLauncherText(nullptr, &odd);
        EXPECT_EQ(reference.LineHeight, odd.LineHeight) << "lfHeight " << height;
    }
    LauncherState wide = reference;
    wide.Font.lfWidth = 1000;
    MeasureLauncherText(nullptr, &wide);
    EXPECT_EQ(reference.TitleWidth, wide.TitleWidth);
}

TEST_F(GeometryTest, SizeFollowsTheLinesAndTheWidthRule)
{
    PopupWindow window = MakePopup(10, 20, 400, 50);
    auto widthAt = [&](const char* keyPath) {
        SizeLauncherWindow(window.get(), &state_, keyPath);
        return BoxOf(window)[2];
    };

    // Top level, nothing stored: the computed width, pitch x lines + 8 high,
    // not moved; "TextHeight" is written, "Width" is not.
    for (int lines : {1, 2, 37}) {
        state_.LineCount = lines;
        SizeLauncherWindow(window.get(), &state_, "");
        EXPECT_EQ((Box{10, 20, ComputedWidth(), state_.LineHeight * lines + 8}), BoxOf(window));
    }
    EXPECT_EQ(state_.LineHeight, Stored("TextHeight"));
    EXPECT_EQ(-1, Stored("Width"));

    // A submenu keeps the current width, whatever its titles; null is the top.
    SetWindowPos(window.get(), nullptr, 0, 0, 150, 50, SWP_NOZORDER | SWP_NOMOVE);
    lstrcpynA(state_.Titles[3], "WWWWWWWWWWWWWWWWWWWWWWWW", kTitleSize);
    EXPECT_EQ(150, widthAt("AB"));
    const int top = widthAt(nullptr);
    EXPECT_EQ(ComputedWidth(), top);
    EXPECT_GT(top, 150);

    // A stored width applies at every level while "TextHeight" matches.
    StoreWriteDword("Width", kWindow, 250);
    EXPECT_EQ(250, widthAt(""));
    EXPECT_EQ(250, widthAt("K"));

    // After a font change the first sizing writes "TextHeight" and uses the
    // computed width; the next uses "Width" again.
    const int oldLineHeight = state_.LineHeight;
    state_.Font.lfHeight = 24;
    const int afterFontChange = widthAt("");
    ASSERT_NE(oldLineHeight, state_.LineHeight);
    EXPECT_EQ(ComputedWidth(), afterFontChange);
    EXPECT_EQ(state_.LineHeight, Stored("TextHeight"));
    EXPECT_EQ(250, widthAt(""));

    // Held to 12 .. screen width; what is stored stays as it is.
    const struct {
        DWORD Stored;
        int Expected;
    } cases[] = {{0, 12}, {100000, GetSystemMetrics(SM_CXSCREEN)}, {static_cast<DWORD>(-40), 12}};
    for (const auto& c : cases) {
        StoreWriteDword("Width", kWindow, c.Stored);
        EXPECT_EQ(c.Expected, widthAt("")) << "Width " << c.Stored;
        EXPECT_EQ(c.Stored, static_cast<DWORD>(Stored("Width")));
    }
}

// Sizing through a cache of measured levels gives the metrics and the box
// that measuring every time gives, through a run of font and level changes
// and returns to levels measured before (the top level after a submenu).
TEST_F(GeometryTest, SizingFromKeptMetricsEqualsMeasuringAgain)
{
    PopupWindow cachedWindow = MakePopup(10, 20, 100, 50), freshWindow = MakePopup(10, 20, 100, 50);
    MeasureCache cache;
    const struct {
        const char* What;
        LONG FontHeight;
        const char* Title;  // slot 1's
    } steps[] = {
        {"first", 16, "WWWWWWWWWWWWWWWW"},
        {"another level", 16, "Editor"},
        {"the first level again", 16, "WWWWWWWWWWWWWWWW"},
        {"another font", 24, "WWWWWWWWWWWWWWWW"},
        {"back to the first font", 16, "WWWWWWWWWWWWWWWW"},
        {"more levels than are kept", 16, "a"}, {"", 16, "ab"}, {"", 16, "abc"}, {"", 16, "abcd"},
        {"the first level after them", 16, "WWWWWWWWWWWWWWWW"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.What);
        state_.Font.lfHeight = step.FontHeight;
        lstrcpynA(state_.Titles[1], step.Title, kTitleSize);
        LauncherState fresh = state_;
        SizeLauncherWindow(cachedWindow.get(), &state_, "", &cache);
        SizeLauncherWindow(freshWindow.get(), &fresh, "");
        EXPECT_EQ(fresh.LineHeight, state_.LineHeight);
        EXPECT_EQ(fresh.TitleWidth, state_.TitleWidth);
        EXPECT_EQ(fresh.PrefixWidth, state_.PrefixWidth);
        EXPECT_EQ(0, state_.LineGap);
        EXPECT_EQ(BoxOf(freshWindow), BoxOf(cachedWindow));
    }
}

TEST_F(GeometryTest, TheDesktopIsTheMonitorWithItsWorkAreaAndThePointer)
{
    // Wine has no desktop icon list: the monitor's own work area counts.
    ASSERT_EQ(nullptr, FindWindowA("Progman", "Program Manager"));
    Desktop desktop;
    ReadDesktop(&desktop);
    ASSERT_EQ(1, desktop.Count);
    const LayoutRect& work = desktop.Areas[0].Work;
    EXPECT_EQ((Box{area_.left, area_.top, area_.right, area_.bottom}),
              (Box{work.Left, work.Top, work.Right, work.Bottom}));
    EXPECT_EQ(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTONULL), desktop.Handles[0]);
    POINT pointer;
    GetCursorPos(&pointer);
    EXPECT_EQ(pointer.x, desktop.Pointer.x);
    EXPECT_EQ(pointer.y, desktop.Pointer.y);
}

TEST_F(GeometryTest, EveryPositionTypeAndPlacesOffEveryMonitor)
{
    // The window takes the size of state_'s lines first; placing keeps it.
    PopupWindow window = MakePopup(0, 0, 10, 10);
    SizeLauncherWindow(window.get(), &state_, "");
    const LONG w = BoxOf(window)[2], h = BoxOf(window)[3];
    const struct {
        int Left, Top, PosType;
        LONG X, Y;
    } cases[] = {
        {100, 120, POS_FREE, 100, 120},
        {100, 120, POS_LEFT, area_.left, 120},
        {100, 120, POS_TOP_LEFT, area_.left, area_.top},
        {100, 120, POS_TOP, 100, area_.top},
        {100, 120, POS_TOP_RIGHT, area_.right - w, area_.top},
        {100, 120, POS_RIGHT, area_.right - w, 120},
        {100, 120, 6, 100, 120},
        {100, 120, -1, 100, 120},
        // Off every monitor: brought back, also when docked in x only.
        {-5000, 90000, POS_FREE, area_.left, area_.bottom - h},
        {-5000, 90000, POS_RIGHT, area_.right - w, area_.bottom - h},
        {-150, 30, POS_FREE, -150, 30},  // partly on a monitor: left there
    };
    for (const auto& c : cases) {
        StoreWriteDword("Left", kWindow, static_cast<DWORD>(c.Left));
        StoreWriteDword("Top", kWindow, static_cast<DWORD>(c.Top));
        state_.PosType = c.PosType;
        SizeAndPlaceLauncherWindow(window.get(), &state_, "");
        EXPECT_EQ((Box{c.X, c.Y, w, h}), BoxOf(window))
            << "PosType " << c.PosType << " at " << c.Left << ", " << c.Top;
        EXPECT_EQ(c.Left, Stored("Left"));  // what is stored stays
        EXPECT_EQ(c.Top, Stored("Top"));
    }

    // A free launcher that was moved off every monitor shows on one again.
    MoveWindow(window.get(), 3000, 3000, w, h, FALSE);
    state_.PosType = POS_FREE;
    int x = 0, y = 0;
    FitForShowing(window.get(), &state_, "", nullptr, &x, &y);
    EXPECT_EQ(area_.right - w, x);
    EXPECT_EQ(area_.bottom - h, y);
}

TEST_F(GeometryTest, SavedPositionIsTheWindowsCornerAndSignedValuesSurvive)
{
    PopupWindow window = MakePopup(-30, 40, 200, 60);
    SaveLauncherPosition(window.get());
    EXPECT_EQ(-30, Stored("Left"));
    EXPECT_EQ(40, Stored("Top"));
    PopupWindow other = MakePopup(0, 0, 200, 60);
    state_.PosType = POS_FREE;
    SizeAndPlaceLauncherWindow(other.get(), &state_, "");
    EXPECT_EQ(-30, BoxOf(other)[0]);
    EXPECT_EQ(40, BoxOf(other)[1]);

    // Nothing stored: the origin.
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kWindow, "Left");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kWindow, "Top");
    SizeAndPlaceLauncherWindow(other.get(), &state_, "");
    EXPECT_EQ(0, BoxOf(other)[0]);
    EXPECT_EQ(0, BoxOf(other)[1]);
}

}  // namespace
