/*
 * Placement on desktops of one, two and three monitors: which monitor a
 * pointer or a window is on, docking and dialogs on the pointer's monitor,
 * and windows brought back from monitors that are gone.
 */
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "draw/portable/monitors.h"

namespace {

using Point = std::pair<int, int>;

// Work areas lose a 40-pixel taskbar at the bottom.
MonitorArea Monitor(int left, int top, int right, int bottom)
{
    return MonitorArea{{left, top, right, bottom}, {left, top, right, bottom - 40}};
}

struct Desk {
    const char* Name;
    std::vector<MonitorArea> Monitors;
};

const Desk kOne = {"one", {Monitor(0, 0, 1024, 768)}};
const Desk kSideBySide = {"side by side", {Monitor(0, 0, 1920, 1080), Monitor(1920, 0, 3200, 1024)}};
const Desk kStacked = {"stacked", {Monitor(0, 0, 1920, 1080), Monitor(0, -900, 1600, 0)}};
const Desk kLeftOfPrimary = {"left of the primary",
                             {Monitor(0, 0, 1920, 1080), Monitor(-1280, 100, 0, 1124)}};
const Desk kThree = {"three",
                     {Monitor(0, 0, 1920, 1080), Monitor(-1920, 0, 0, 1080), Monitor(1920, -200, 3000, 1720)}};

TEST(Monitors, WhichMonitorAPointOrAWindowIsOn)
{
    const struct {
        const Desk& D;
        Point Pointer;
        int Expected;
    } points[] = {
        {kOne, {1000, 740}, 0},        {kOne, {5000, -50}, 0},
        {kSideBySide, {1919, 5}, 0},   {kSideBySide, {1920, 5}, 1},
        {kSideBySide, {2500, 1050}, 1},  // below the smaller monitor: nearest
        {kStacked, {10, -1}, 1},       {kLeftOfPrimary, {-1, 500}, 1},
        {kLeftOfPrimary, {-5000, 0}, 1}, {kThree, {-10, 10}, 1},
        {kThree, {2500, -150}, 2},
    };
    for (const auto& c : points)
        EXPECT_EQ(c.Expected, MonitorAtPoint(c.D.Monitors.data(), static_cast<int>(c.D.Monitors.size()),
                                             c.Pointer.first, c.Pointer.second))
            << c.D.Name << " at " << c.Pointer.first << "," << c.Pointer.second;

    // A window across two monitors belongs to the one that shows more of it.
    const LayoutRect across = {1800, 10, 2000, 50};  // 120 px left, 80 px right
    EXPECT_EQ(0, MonitorOfRect(kSideBySide.Monitors.data(), 2, across));
    const LayoutRect acrossRight = {1880, 10, 2080, 50};
    EXPECT_EQ(1, MonitorOfRect(kSideBySide.Monitors.data(), 2, acrossRight));
    EXPECT_EQ(-1, MonitorAtPoint(nullptr, 0, 0, 0));
}

TEST(Monitors, DockingAndDialogsUseThePointersMonitor)
{
    const LayoutRect window = {100, 200, 300, 260};  // 200 x 60
    const struct {
        const Desk& D;
        Point Pointer;
        int PosType;
        Point Docked;
        Point Dialog;  // a 200 x 100 dialog, centred in a quarter of the work area
    } cases[] = {
        {kOne, {1000, 740}, 4, {824, 0}, {668, 496}},
        {kSideBySide, {2000, 100}, 4, {3000, 0}, {2140, 196}},
        {kSideBySide, {100, 1000}, 1, {0, 200}, {380, 730}},
        {kStacked, {800, -100}, 3, {100, -900}, {300, -305}},
        {kLeftOfPrimary, {-1000, 200}, 2, {-1280, 100}, {-1060, 296}},
        {kThree, {-100, 900}, 5, {-200, 200}, {-580, 730}},
        {kThree, {2999, -200}, 4, {2800, -200}, {2630, 220}},
    };
    for (const auto& c : cases) {
        const int n = static_cast<int>(c.D.Monitors.size());
        Point docked, dialog;
        DockOnMonitors(c.D.Monitors.data(), n, c.Pointer.first, c.Pointer.second, window, c.PosType,
                       &docked.first, &docked.second);
        PlaceDialogOnMonitors(c.D.Monitors.data(), n, c.Pointer.first, c.Pointer.second, 200, 100,
                              &dialog.first, &dialog.second);
        EXPECT_EQ(c.Docked, docked) << c.D.Name << " PosType " << c.PosType;
        EXPECT_EQ(c.Dialog, dialog) << c.D.Name;
    }
}

TEST(Monitors, ADockedLauncherStaysOnThePointersMonitorAFreeOneWhereItIs)
{
    // A 200 x 60 launcher with its corner at Corner; Monitor is the one it
    // shows on, which gives its DPI.
    const struct {
        const Desk& D;
        Point Pointer;
        Point Corner;
        int PosType;
        Point Expected;
        int Monitor;
    } cases[] = {
        // Docked left on the smaller monitor at a height it does not have:
        // brought into its work area.
        {kSideBySide, {2500, 500}, {100, 1030}, 1, {1920, 924}, 1},
        // Still partly on it: the height stays.
        {kSideBySide, {2500, 500}, {100, 1000}, 1, {1920, 1000}, 1},
        {kStacked, {800, -100}, {1700, 300}, 3, {1400, -900}, 1},
        // Free (and unknown types): where it is, on whichever monitor that is.
        {kSideBySide, {2500, 500}, {100, 1000}, 0, {100, 1000}, 0},
        {kThree, {10, 10}, {-700, 500}, 6, {-700, 500}, 1},
        {kSideBySide, {10, 10}, {5000, 5000}, 0, {3000, 924}, 1},
    };
    for (const auto& c : cases) {
        const int n = static_cast<int>(c.D.Monitors.size());
        const LayoutRect window = {c.Corner.first, c.Corner.second, c.Corner.first + 200,
                                   c.Corner.second + 60};
        Point p;
        DockOnMonitors(c.D.Monitors.data(), n, c.Pointer.first, c.Pointer.second, window, c.PosType,
                       &p.first, &p.second);
        EXPECT_EQ(c.Expected, p) << c.D.Name << " PosType " << c.PosType;
        EXPECT_EQ(c.Monitor, DockMonitor(c.D.Monitors.data(), n, c.Pointer.first, c.Pointer.second,
                                         window, c.PosType))
            << c.D.Name << " PosType " << c.PosType;
    }
}

TEST(Monitors, AWindowOnAMonitorThatIsGoneComesBack)
{
    const struct {
        const Desk& D;
        LayoutRect Window;
        Point Expected;
    } cases[] = {
        {kOne, {10, 10, 210, 70}, {10, 10}},              // on screen: stays
        {kOne, {1020, 700, 1220, 760}, {1020, 700}},      // partly on screen: stays
        {kOne, {2500, 300, 2700, 360}, {824, 300}},       // the right monitor was unplugged
        {kOne, {-900, -500, -700, -440}, {0, 0}},
        {kLeftOfPrimary, {-1500, 50, -1300, 110}, {-1280, 100}},
        {kStacked, {100, -1200, 300, -1140}, {100, -900}},
        {kThree, {5000, 3000, 5200, 3060}, {2800, 1620}},
        {kOne, {0x7FFFFF00, 0x7FFFFF00, 0x7FFFFFF0, 0x7FFFFFF0}, {784, 488}},  // hand-edited
    };
    for (const auto& c : cases) {
        Point p;
        KeepOnMonitors(c.D.Monitors.data(), static_cast<int>(c.D.Monitors.size()), c.Window, &p.first,
                       &p.second);
        EXPECT_EQ(c.Expected, p) << c.D.Name << " window at " << c.Window.Left << "," << c.Window.Top;
    }
}

}  // namespace
