/*
 * Monitor choice for placement (see monitors.h).
 */
#include "draw/portable/monitors.h"

#include <climits>
#include <cstdint>

namespace {

// Distance along one axis from value to the span [low, high).
std::int64_t SpanDistance(std::int64_t value, std::int64_t low, std::int64_t high)
{
    if (value < low)
        return low - value;
    if (value >= high)
        return value - high + 1;
    return 0;
}

// Squared distance between two rectangles (0 when they overlap), in 64 bits:
// a hand-edited position can be anywhere in the 32-bit range.
std::int64_t Distance2(const LayoutRect& a, const LayoutRect& b)
{
    std::int64_t dx = 0, dy = 0;
    if (a.Right <= b.Left)
        dx = std::int64_t{b.Left} - a.Right + 1;
    else if (b.Right <= a.Left)
        dx = std::int64_t{a.Left} - b.Right + 1;
    if (a.Bottom <= b.Top)
        dy = std::int64_t{b.Top} - a.Bottom + 1;
    else if (b.Bottom <= a.Top)
        dy = std::int64_t{a.Top} - b.Bottom + 1;
    return dx * dx + dy * dy;
}

std::int64_t Overlap(const LayoutRect& a, const LayoutRect& b)
{
    std::int64_t w = std::int64_t{a.Right < b.Right ? a.Right : b.Right}
                     - (a.Left > b.Left ? a.Left : b.Left);
    std::int64_t h = std::int64_t{a.Bottom < b.Bottom ? a.Bottom : b.Bottom}
                     - (a.Top > b.Top ? a.Top : b.Top);
    return w > 0 && h > 0 ? w * h : 0;
}

LayoutRect AtLeastOnePixel(const LayoutRect& rect)
{
    LayoutRect r = rect;
    if (r.Right <= r.Left)
        r.Right = r.Left + 1;
    if (r.Bottom <= r.Top)
        r.Bottom = r.Top + 1;
    return r;
}

// rect moved to have its top-left corner at x, y; in 64 bits, held within
// int, since a hand-edited place can be anywhere.
LayoutRect MovedTo(const LayoutRect& rect, int x, int y)
{
    std::int64_t right = std::int64_t{x} + rect.Right - rect.Left;
    std::int64_t bottom = std::int64_t{y} + rect.Bottom - rect.Top;
    auto held = [](std::int64_t v) {
        return static_cast<int>(v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : v));
    };
    return LayoutRect{x, y, held(right), held(bottom)};
}

int Nearest(const MonitorArea* monitors, int count, const LayoutRect& rect)
{
    int best = -1;
    std::int64_t bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        std::int64_t d = Distance2(rect, monitors[i].Monitor);
        if (best == -1 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

}  // namespace

int MonitorAtPoint(const MonitorArea* monitors, int count, int x, int y)
{
    for (int i = 0; i < count; ++i) {
        const LayoutRect& m = monitors[i].Monitor;
        if (SpanDistance(x, m.Left, m.Right) == 0 && SpanDistance(y, m.Top, m.Bottom) == 0)
            return i;
    }
    return Nearest(monitors, count, AtLeastOnePixel(LayoutRect{x, y, x, y}));
}

int MonitorOfRect(const MonitorArea* monitors, int count, const LayoutRect& rect)
{
    LayoutRect r = AtLeastOnePixel(rect);
    int best = -1;
    std::int64_t bestOverlap = 0;
    for (int i = 0; i < count; ++i) {
        std::int64_t overlap = Overlap(r, monitors[i].Monitor);
        if (overlap > bestOverlap) {
            best = i;
            bestOverlap = overlap;
        }
    }
    return best != -1 ? best : Nearest(monitors, count, r);
}

void KeepOnMonitors(const MonitorArea* monitors, int count, const LayoutRect& rect, int* x,
                    int* y)
{
    *x = rect.Left;
    *y = rect.Top;
    LayoutRect r = AtLeastOnePixel(rect);
    for (int i = 0; i < count; ++i)
        if (Overlap(r, monitors[i].Monitor) > 0)
            return;
    int nearest = Nearest(monitors, count, r);
    if (nearest != -1)
        BringIntoArea(rect, monitors[nearest].Work, x, y);
}

// Whether posType docks to edges of a work area (POS_LEFT .. POS_RIGHT).
static bool IsDockedType(int posType)
{
    return posType >= 1 && posType <= 5;
}

void DockOnMonitors(const MonitorArea* monitors, int count, int pointerX, int pointerY,
                    const LayoutRect& window, int posType, int* x, int* y)
{
    if (!IsDockedType(posType)) {
        KeepOnMonitors(monitors, count, window, x, y);
        return;
    }
    int monitor = MonitorAtPoint(monitors, count, pointerX, pointerY);
    if (monitor == -1) {
        *x = window.Left;
        *y = window.Top;
        return;
    }
    DockedPosition(window, monitors[monitor].Work, posType, x, y);
    LayoutRect docked = MovedTo(window, *x, *y);
    if (Overlap(AtLeastOnePixel(docked), monitors[monitor].Monitor) == 0)
        BringIntoArea(docked, monitors[monitor].Work, x, y);
}

int DockMonitor(const MonitorArea* monitors, int count, int pointerX, int pointerY,
                const LayoutRect& window, int posType)
{
    if (IsDockedType(posType))
        return MonitorAtPoint(monitors, count, pointerX, pointerY);
    int x, y;
    KeepOnMonitors(monitors, count, window, &x, &y);
    return MonitorOfRect(monitors, count, MovedTo(window, x, y));
}

void PlaceDialogOnMonitors(const MonitorArea* monitors, int count, int pointerX, int pointerY,
                           int width, int height, int* x, int* y)
{
    int monitor = MonitorAtPoint(monitors, count, pointerX, pointerY);
    if (monitor == -1) {
        *x = 0;
        *y = 0;
        return;
    }
    DialogPosition(monitors[monitor].Work, pointerX, pointerY, width, height, x, y);
}
