/*
 * Figures at 96 DPI scaled to the DPI drawn at: the rounding, font heights
 * at a DPI and from the font dialog, and where lines, setup rows and the
 * resizing strips lie at 96, 144 and 192 DPI.
 */
#include <gtest/gtest.h>

#include <array>

#include "core/portable/edge_hit.h"
#include "draw/portable/dpi_scale.h"
#include "draw/portable/layout.h"
#include "setup/portable/setup_rows.h"

namespace {

TEST(DpiScale, NearestPixelHalvesAwayFromZeroAndNothingMovesAt96)
{
    // DPI 0 (not known) and nonsense DPIs draw at 96.
    const int dpis[] = {96, 0, 20, 5000, 120, 144, 192};
    const struct {
        int Value;
        std::array<int, 7> Scaled;  // at each of dpis
    } cases[] = {
        {4, {4, 4, 4, 4, 5, 6, 8}},
        {5, {5, 5, 5, 5, 6, 8, 10}},
        {10, {10, 10, 10, 10, 13, 15, 20}},
        {-3, {-3, -3, -3, -3, -4, -5, -6}},
        {18, {18, 18, 18, 18, 23, 27, 36}},
        {2147483647, {2147483647, 2147483647, 2147483647, 2147483647, 2147483647,
                      2147483647, 2147483647}},
    };
    for (const auto& c : cases)
        for (size_t i = 0; i < c.Scaled.size(); ++i)
            EXPECT_EQ(c.Scaled[i], ScaleToDpi(c.Value, dpis[i])) << c.Value << " at " << dpis[i];

    // Back to 96 DPI: a dragged width of 301 pixels at 144 DPI is 201.
    EXPECT_EQ(201, ScaleFromDpi(301, 144));
    EXPECT_EQ(10, ScaleFromDpi(13, 120));
    EXPECT_EQ(-15, ScaleFromDpi(-30, 192));
    EXPECT_EQ(301, ScaleFromDpi(301, 0));
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
        {-16, 192, -32},  // 12 points
        {-14, 144, -21},  // 10.5 points: no whole size, scaled
        {-14, 96, -14},   {18, 144, 27},    // a cell height (the default font)
        {0, 144, 0},
    };
    for (const auto& c : to)
        EXPECT_EQ(c.AtDpi, FontHeightAtDpi(c.Stored, c.Dpi)) << c.Stored << " at " << c.Dpi;

    const struct {
        int Height, PointTenths, Dpi, Stored;
    } from[] = {
        {-22, 110, 144, -15}, {-17, 100, 120, -13}, {-21, 105, 144, -14},
        {-23, 0, 144, -15},  // no size reported: the height scaled back
        {27, 110, 144, 18},  // a cell height
        {-15, 110, 96, -15}, {-14, 110, 96, -14},  // at 96 DPI the dialog's own height
    };
    for (const auto& c : from)
        EXPECT_EQ(c.Stored, FontHeightFromDialog(c.Height, c.PointTenths, c.Dpi))
            << c.Height << " (" << c.PointTenths << ") at " << c.Dpi;
}

TEST(DpiScale, LinesSetupRowsAndStripsLieAtTheScaledMargins)
{
    const struct {
        int Row, Pitch, ShadowOffset, Dpi;
        LineGeometry Expected;
    } lines[] = {
        {0, 16, 0, 96, {5, 4, 0, 1}},
        {3, 16, 2, 96, {5, 52, 2, 3}},
        {2, 24, 2, 144, {8, 54, 3, 5}},
        {1, 32, -3, 192, {10, 40, -6, -4}},
        {0, 16, 100000, 96, {5, 4, 99, 100}},
    };
    for (const auto& c : lines) {
        LineGeometry g = LineAt(c.Row, c.Pitch, c.ShadowOffset, c.Dpi);
        EXPECT_EQ((std::array<int, 4>{c.Expected.TextX, c.Expected.TextY, c.Expected.Shadow,
                                      c.Expected.SoftShadow}),
                  (std::array<int, 4>{g.TextX, g.TextY, g.Shadow, g.SoftShadow}))
            << "row " << c.Row << " at " << c.Dpi;
    }

    // The setup window's rows: the rectangle of row 1 of a 200-pixel-wide
    // window, and the rows just above and at its top.
    const LayoutRect window = {0, 0, 200, 1000};
    const struct {
        int Pitch, Dpi;
        LayoutRect Row1;
        int RowAtTopMinus1, RowAtTop;
    } rows[] = {
        {16, 96, {5, 20, 195, 36}, 0, 1},
        {24, 144, {8, 30, 192, 54}, 0, 1},
        {32, 192, {10, 40, 190, 72}, 0, 1},
    };
    for (const auto& c : rows) {
        LayoutRect r = SetupRowRect(1, c.Pitch, 200, c.Dpi);
        EXPECT_EQ((std::array<int, 4>{c.Row1.Left, c.Row1.Top, c.Row1.Right, c.Row1.Bottom}),
                  (std::array<int, 4>{r.Left, r.Top, r.Right, r.Bottom}))
            << c.Dpi;
        EXPECT_EQ(c.RowAtTopMinus1, SetupRowAt(window, 50, c.Row1.Top - 1, c.Pitch, false, c.Dpi));
        EXPECT_EQ(c.RowAtTop, SetupRowAt(window, 50, c.Row1.Top, c.Pitch, false, c.Dpi));
    }

    // The resizing strips: 5, 8 and 10 pixels wide.
    const struct {
        int Dpi, X;
        EdgeHit Expected;
    } strips[] = {
        {96, 96, EDGE_RIGHT}, {96, 95, EDGE_NONE},   {144, 93, EDGE_RIGHT}, {144, 92, EDGE_NONE},
        {192, 91, EDGE_RIGHT}, {192, 90, EDGE_NONE}, {192, 9, EDGE_LEFT},   {192, 10, EDGE_NONE},
    };
    for (const auto& c : strips)
        EXPECT_EQ(c.Expected, ClassifyEdge(0, 100, c.X, c.Dpi)) << c.X << " at " << c.Dpi;
}

}  // namespace
