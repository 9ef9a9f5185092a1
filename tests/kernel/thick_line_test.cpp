#include "kernel_tests.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

PixelSet thick(int x0, int y0, int x1, int y1, int width)
{
    fresh_canvas();
    draw_thick_line(x0, y0, x1, y1, width, ink());
    return pixels_of(ink());
}

TEST(ThickLine, ZeroLengthIsOnePixel)
{
    EXPECT_EQ(thick(50, 60, 50, 60, 5), (PixelSet{{50, 60}}));
}

TEST(ThickLine, HorizontalBandStopsShortOfTheEnd)
{
    // 1,001 samples, the last at t just under 1: columns 0 to 99 get rows 98
    // to 102, column 100 only its centre-line pixel.
    const PixelSet band = thick(0, 100, 100, 100, 2);
    EXPECT_EQ(band.size(), 501u);
    for (int x = 0; x < 100; ++x)
        for (int y = 98; y <= 102; ++y)
            ASSERT_EQ(band.count({x, y}), 1u) << x << ", " << y;
    EXPECT_EQ(band.count({100, 100}), 1u);
    EXPECT_EQ(band.count({100, 99}), 0u);
}

TEST(ThickLine, WidthZeroAddsTheTruncatedSamplePoints)
{
    fresh_canvas();
    draw_line(0, 0, 10, 3, ink());
    PixelSet expected = pixels_of(ink());
    ASSERT_EQ(expected.size(), 14u);
    expected.insert({3, 1});
    expected.insert({6, 2});
    EXPECT_EQ(thick(0, 0, 10, 3, 0), expected);
}

TEST(ThickLine, SlantedBandHasNoHoles)
{
    const PixelSet band = thick(100, 100, 300, 220, 3);
    // Every pixel well inside the band, away from its ends, is painted.
    for (int x = 120; x <= 280; ++x) {
        const double centre = 100 + (x - 100) * 120.0 / 200.0;
        for (int y = static_cast<int>(centre) - 2; y <= static_cast<int>(centre) + 2; ++y)
            ASSERT_EQ(band.count({x, y}), 1u) << x << ", " << y;
    }
}

TEST(ThickLine, FarApartEndsAreSafe)
{
    // Long enough to sample every few hundredths of a pixel: the band is
    // complete across the canvas.
    const PixelSet across = thick(-100000, 300, 100000, 300, 2);
    EXPECT_EQ(across.size(), size_t(5 * SCREEN_W));
    EXPECT_EQ(across.count({0, 298}), 1u);
    EXPECT_EQ(across.count({799, 302}), 1u);
    // So long that the float parameter stops growing long before the
    // canvas: the routine ends, with only the centre line on the canvas.
    const PixelSet row = thick(INT_MIN, 300, INT_MAX, 300, 3);
    EXPECT_EQ(row.size(), size_t(SCREEN_W));
    EXPECT_EQ(row.count({400, 300}), 1u);
    // Huge widths and ends are clipped without harm.
    EXPECT_FALSE(thick(400, 300, 410, 300, INT_MAX).empty());
    EXPECT_FALSE(thick(INT_MAX, INT_MAX, 400, 300, INT_MIN).empty());
}

} // namespace
