/*
 * Figures at 96 DPI scaled to the DPI drawn at: the rounding, font heights
 * at a DPI and from the font dialog, and where a line lies at 96, 144 and
 * 192 DPI.
 */
#include <gtest/gtest.h>

#include <array>

#include "draw/portable/dpi_scale.h"
#include "draw/portable/layout.h"

namespace {

TEST(DpiScale, NearestPixelHalvesAwayFromZeroAndNothingMovesAt96)
{
    // 0 (not known) and a nonsense DPI draw at 96.
    const int dpis[] = {96, 0, 5000, 120, 144, 192};
    const struct {
        int Value;
        std::array<int, 6> Scaled;  // at each of dpis
    } cases[] = {
        {5, {5, 5, 5, 6, 8, 10}},
        {10, {10, 10, 10, 13, 15, 20}},
        {-3, {-3, -3, -3, -4, -5, -6}},
        {2147483647, {2147483647, 2147483647, 2147483647, 2147483647, 2147483647, 2147483647}},
    };
    for (const auto& c : cases)
        for (size_t i = 0; i < c.Scaled.size(); ++i)
            EXPECT_EQ(c.Scaled[i], ScaleToDpi(c.Value, dpis[i])) << c.Value << " at " << dpis[i];

    // Back to 96 DPI: a dragged width of 301 pixels at 144 DPI is 201.
    EXPECT_EQ(201, ScaleFromDpi(301, 144));
    EXPECT_EQ(-15, ScaleFromDpi(-30, 192));
}

TEST(DpiScale, FontHeightsAtADpiAndFromTheFontDialog)
{
    // Whole point sizes at 96 DPI stay the same point size; other heights
    // are scaled; at 96 DPI nothing changes either way.
    const struct {
        int Stored, Dpi, AtDpi;
    } to[] = {
        {-15, 144, -22},  // 11 points; scaled it would be -23, shown as 12
        {-15, 96, -15},   {-13, 120, -17},  // 10 points
        {-14, 144, -21},  // 10.5 points: no whole size, scaled
        {-14, 96, -14},   {18, 144, 27},    // a cell height (the default font)
    };
    for (const auto& c : to)
        EXPECT_EQ(c.AtDpi, FontHeightAtDpi(c.Stored, c.Dpi)) << c.Stored << " at " << c.Dpi;

    const struct {
        int Height, PointTenths, Dpi, Stored;
    } from[] = {
        {-22, 110, 144, -15}, {-21, 105, 144, -14},
        {-23, 0, 144, -15},  // no size reported: the height scaled back
        {27, 110, 144, 18},  // a cell height
        {-14, 110, 96, -14},  // at 96 DPI the dialog's own height
    };
    for (const auto& c : from)
        EXPECT_EQ(c.Stored, FontHeightFromDialog(c.Height, c.PointTenths, c.Dpi))
            << c.Height << " (" << c.PointTenths << ") at " << c.Dpi;
}

TEST(DpiScale, ALineLiesAtTheScaledMarginsWithItsShadow)
{
    const struct {
        int Row, Pitch, ShadowOffset, Dpi;
        std::array<int, 4> Expected;  // text x and y, shadow, DrawShadowText's shadow
    } lines[] = {
        {0, 16, 0, 96, {5, 4, 0, 1}},
        {2, 24, 2, 144, {8, 54, 3, 5}},
        {1, 32, -3, 192, {10, 40, -6, -4}},
        {0, 16, 100000, 96, {5, 4, 99, 100}},
    };
    for (const auto& c : lines) {
        LineGeometry g = LineAt(c.Row, c.Pitch, c.ShadowOffset, c.Dpi);
        EXPECT_EQ(c.Expected, (std::array<int, 4>{g.TextX, g.TextY, g.Shadow, g.SoftShadow}))
            << "row " << c.Row << " at " << c.Dpi;
    }
}

}  // namespace
