/*
 * Figures at the drawing DPI (see dpi_scale.h).
 */
#include "draw/portable/dpi_scale.h"

#include <climits>
#include <cstdint>

namespace {

constexpr int kMinDpi = 48;
constexpr int kMaxDpi = 960;
constexpr int kPointsPerInch = 72;

// value x numerator / denominator (denominator > 0) to the nearest whole
// number, halves away from zero, in 64 bits and held within int.
int MulDivRound(std::int64_t value, std::int64_t numerator, std::int64_t denominator)
{
    std::int64_t product = value * numerator;
    std::int64_t half = denominator / 2;
    std::int64_t result = product >= 0 ? (product + half) / denominator
                                       : -((-product + half) / denominator);
    if (result > INT_MAX)
        return INT_MAX;
    if (result < INT_MIN)
        return INT_MIN;
    return static_cast<int>(result);
}

}  // namespace

int UsableDpi(int dpi)
{
    return dpi >= kMinDpi && dpi <= kMaxDpi ? dpi : kBaseDpi;
}

int ScaleToDpi(int value, int dpi)
{
    return MulDivRound(value, UsableDpi(dpi), kBaseDpi);
}

int ScaleFromDpi(int value, int dpi)
{
    return MulDivRound(value, kBaseDpi, UsableDpi(dpi));
}

int FontHeightAtDpi(int stored, int dpi)
{
    if (stored < 0) {
        int points = MulDivRound(-static_cast<std::int64_t>(stored), kPointsPerInch, kBaseDpi);
        if (-MulDivRound(points, kBaseDpi, kPointsPerInch) == stored)
            return -MulDivRound(points, UsableDpi(dpi), kPointsPerInch);
    }
    return ScaleToDpi(stored, dpi);
}

int FontHeightFromDialog(int height, int pointTenths, int pickerDpi)
{
    if (UsableDpi(pickerDpi) == kBaseDpi)
        return height;
    if (height < 0 && pointTenths > 0)
        return -MulDivRound(pointTenths, kBaseDpi, 10 * kPointsPerInch);
    return ScaleFromDpi(height, pickerDpi);
}
