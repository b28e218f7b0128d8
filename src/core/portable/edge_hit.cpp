/*
 * Edge classification of the launcher window.
 */
#include "core/portable/edge_hit.h"

// Width of the strip at each side edge that resizes the window, at 96 DPI.
static const int kEdgeStrip = 5;

EdgeHit ClassifyEdge(int left, int right, int x, int dpi)
{
    const int strip = ScaleToDpi(kEdgeStrip, dpi);
    // Differences in 64 bits: screen coordinates near INT_MIN/INT_MAX must
    // not overflow.
    long long fromRight = static_cast<long long>(right) - x;
    long long fromLeft = static_cast<long long>(x) - left;
    if (fromRight >= 0 && fromRight < strip)
        return EDGE_RIGHT;
    if (fromLeft >= 0 && fromLeft < strip)
        return EDGE_LEFT;
    return EDGE_NONE;
}
