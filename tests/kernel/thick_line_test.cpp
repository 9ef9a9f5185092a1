#include "kernel_tests.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

using ld = long double;

// The band sampled step by step as defined, both strokes drawn at every
// sample.
void literal_thick_line(int x0, int y0, int x1, int y1, int width, Uint32 colour)
{
    draw_line(x0, y0, x1, y1, colour);
    const long long dx = static_cast<long long>(x1) - x0, dy = static_cast<long long>(y1) - y0;
    const float length = static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
    if (length == 0)
        return;
    const double a = static_cast<double>(static_cast<ld>(dx) * width / length);
    const double b = static_cast<float>(static_cast<ld>(dy) * width / length);
    const float k = 1.5707963705062866f;
    const double c = std::cos(static_cast<double>(k)), s = std::sin(static_cast<double>(k));
    const double cm = std::cos(static_cast<double>(-k)), sm = std::sin(static_cast<double>(-k));
    const float p1 = static_cast<float>(static_cast<ld>(c) * a - static_cast<ld>(s) * b);
    const float p2 = static_cast<float>(static_cast<ld>(s) * a + static_cast<ld>(c) * b);
    const float p3 = static_cast<float>(static_cast<ld>(cm) * a - static_cast<ld>(sm) * b);
    const float p4 = static_cast<float>(static_cast<ld>(sm) * a + static_cast<ld>(cm) * b);
    const ld step = static_cast<ld>(0.1) / static_cast<ld>(static_cast<double>(length));
    float t = 0;
    do {
        const float xs = static_cast<float>(static_cast<ld>(x0) * (1 - static_cast<ld>(t)) +
                                            static_cast<ld>(static_cast<float>(x1)) * t);
        const float ys = static_cast<float>(static_cast<ld>(static_cast<float>(y1)) * t +
                                            static_cast<ld>(y0) * (1 - static_cast<ld>(t)));
        const int ix = trunc_int(xs), iy = trunc_int(ys);
        draw_line(ix, iy, trunc_int(static_cast<ld>(xs) - p1), trunc_int(static_cast<ld>(ys) - p2),
                  colour);
        draw_line(ix, iy, trunc_int(static_cast<ld>(xs) - p3), trunc_int(static_cast<ld>(ys) - p4),
                  colour);
        t = static_cast<float>(t + step);
    } while (t <= 1.0f);
}

std::vector<Uint32> canvas_words()
{
    std::vector<Uint32> words(SCREEN_W * SCREEN_H);
    for (int y = 0; y < SCREEN_H; ++y)
        std::memcpy(&words[y * SCREEN_W], canvas_row(y), SCREEN_W * sizeof(Uint32));
    return words;
}

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

TEST(ThickLine, SameAsTheLiteralSampleWalk)
{
    // Random segments of widths 0 to 5 (and a few wide ones), with ends on
    // the canvas, around it, and far off it, in both directions.
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> column(0, SCREEN_W - 1), row(0, SCREEN_H - 1);
    std::uniform_int_distribution<int> around(-2100, 2100), far(-30000, 30000), shift(-40, 40);
    std::uniform_int_distribution<int> narrow(0, 5), wide(6, 1100);
    for (int i = 0; i < 1200; ++i) {
        int x0 = column(random), y0 = row(random), x1 = column(random), y1 = row(random);
        switch (i % 6) {
        case 0: // short segments, where whole-number crossings crowd together
            x1 = x0 + shift(random) / 8, y1 = y0 + shift(random) / 8;
            break;
        case 1: // near-axis segments, whose strokes carry a tiny side term
            x1 = x0 + shift(random) * 5, y1 = y0 + shift(random) / 20;
            break;
        case 2:
            x0 = around(random), y0 = around(random), x1 = around(random), y1 = around(random);
            break;
        case 3:
            if (i % 60 == 3)
                x0 = far(random), y0 = far(random), x1 = around(random), y1 = around(random);
            break;
        }
        const int width = i % 17 == 0 ? wide(random) : narrow(random);
        for (int reversed = 0; reversed < 2; ++reversed) {
            if (reversed) {
                std::swap(x0, x1);
                std::swap(y0, y1);
            }
            fresh_canvas();
            literal_thick_line(x0, y0, x1, y1, width, ink());
            const std::vector<Uint32> expected = canvas_words();
            fresh_canvas();
            draw_thick_line(x0, y0, x1, y1, width, ink());
            ASSERT_TRUE(canvas_words() == expected)
                << "(" << x0 << ", " << y0 << ") to (" << x1 << ", " << y1 << "), width "
                << width;
        }
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
