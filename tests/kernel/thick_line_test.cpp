#include "kernel_tests.h"
#include "literal_forms.h"
#include "sample_schedule.h"

#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <cstring>
#include <random>
#include <vector>

namespace {

std::vector<Uint32> canvas_words()
{
    std::vector<Uint32> words(SCREEN_W * SCREEN_H);
    for (int y = 0; y < SCREEN_H; ++y)
        std::memcpy(&words[y * SCREEN_W], canvas_row(y), SCREEN_W * sizeof(Uint32));
    return words;
}

// The band and its reverse, each against the literal walk.
void expect_literal_both_ways(int x0, int y0, int x1, int y1, int width)
{
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
            << "(" << x0 << ", " << y0 << ") to (" << x1 << ", " << y1 << "), width " << width;
    }
}

// The schedule of a length against the recurrence, sample by sample: each
// sample's t, the count, and the first sample at or after each t and just
// above it. Returns the number of runs.
int expect_schedule_follows_the_recurrence(float length)
{
    static SampleSchedule s;
    lay_out_samples(s, length);
    const extended step = static_cast<extended>(0.1) / static_cast<extended>(static_cast<double>(length));
    float t = 0, found = -1;
    long long n = 0;
    int run = 0; // looked up from the run of the t before, and from run 0
    for (;; ++n) {
        EXPECT_EQ(sample_t(s, n), t) << "length " << length << ", sample " << n;
        int from_start = 0;
        EXPECT_EQ(first_sample_from(s, -1, t, found, from_start), n) << "length " << length << ", t " << t;
        EXPECT_EQ(found, t);
        EXPECT_EQ(first_sample_from(s, n - 1, std::nextafter(static_cast<double>(t), -1.0), found, run), n);
        EXPECT_EQ(first_sample_from(s, -1, std::nextafter(static_cast<double>(t), 2.0), found, run), n + 1);
        if (::testing::Test::HasFailure())
            return 0;
        const float next = static_cast<float>(t + step);
        if (next == t || !(next <= 1.0f))
            break;
        t = next;
    }
    EXPECT_EQ(s.samples, n + 1) << "length " << length;
    return s.runs;
}

TEST(SampleSchedule, FollowsTheRecurrence)
{
    // Every length of a segment up to 40 pixels each way, many up to the
    // reach of the crossing walk, and long ones, some 20,000,000 samples:
    // at a length of 4,000,000 pixels a group of one sample once sent the
    // search for the samples near the canvas back to the start.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> any(0, 4094);
    std::vector<float> lengths;
    for (int dx = 0; dx <= 40; ++dx)
        for (int dy = dx == 0 ? 1 : 0; dy <= dx; ++dy)
            lengths.push_back(static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy))));
    for (int i = 0; i < 300; ++i) {
        const long long dx = any(random), dy = any(random);
        lengths.push_back(static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy + 1))));
    }
    for (const float length : {4000000.0f, 2097152.0f})
        lengths.push_back(length);
    // Lengths whose samples land on t = 1 exactly, the last sample: the
    // samples once went on past it, to t = 2.
    for (const double squares : {202.0 * 202 + 62 * 62, 535.0 * 535 + 64 * 64})
        lengths.push_back(static_cast<float>(std::sqrt(squares)));
    int most_runs = 0;
    for (const float length : lengths) {
        most_runs = std::max(most_runs, expect_schedule_follows_the_recurrence(length));
        if (HasFailure())
            return;
    }
    EXPECT_LE(most_runs, MAX_SAMPLE_RUNS);
}

TEST(SampleSchedule, LongestSegmentFitsItsRuns)
{
    // The longest segment the ints allow stops growing t early; its runs
    // fit, with the last sample where the recurrence stops.
    static SampleSchedule s;
    const float length = static_cast<float>(std::sqrt(2.0) * 4294967295.0);
    lay_out_samples(s, length);
    EXPECT_LT(s.runs, MAX_SAMPLE_RUNS);
    const extended step = static_cast<extended>(0.1) / static_cast<extended>(static_cast<double>(length));
    const float last = sample_t(s, s.samples - 1);
    EXPECT_EQ(static_cast<float>(last + step), last);
    EXPECT_LT(sample_t(s, s.samples - 2), last);
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
        expect_literal_both_ways(x0, y0, x1, y1, i % 17 == 0 ? wide(random) : narrow(random));
        if (HasFatalFailure())
            return;
    }
    // A band whose last sample lands on t = 1 exactly.
    expect_literal_both_ways(300, 300, 502, 362, 1);
}

TEST(ThickLine, BandsDrawnAgainElsewhereKeepTheirOwnPixels)
{
    // Short bands of widths -1 to 1, each drawn at starts all over the
    // canvas (in binades of the columns and rows from 2^3 to 2^9, across
    // their bounds, and at the edges) after it was drawn once: each time
    // the same pixels as the literal walk at that start.
    const int segments[][2] = {{4, 3}, {-3, 4}, {5, 0}, {0, -7}, {40, 17}};
    for (const auto &d : segments)
        for (int width = -1; width <= 1; ++width)
            for (const int x0 : {3, 8, 45, 126, 150, 300, 509, 600, 796})
                for (const int y0 : {2, 8, 150, 250, 300, 520, 597}) {
                    expect_literal_both_ways(x0, y0, x0 + d[0], y0 + d[1], width);
                    if (HasFatalFailure())
                        return;
                }
}

TEST(ThickLine, FarEndsWalkOnlyTheSamplesNearTheCanvas)
{
    // Segments reaching far beyond the canvas: the same pixels as the
    // literal walk, with strokes of every width, held at the int range too.
    const int segments[][5] = {
        {-100000, 250, 100000, 350, 3},       {-60000, -45000, 60000, 45000, 40},
        {400, -100000, 420, 100000, INT_MAX}, {-100000, 600, 100000, 0, INT_MIN},
        {2100, -80000, 2100, 80000, 2000},    {-70000, 2000, 90000, 1900, -1500},
    };
    for (const auto &s : segments) {
        expect_literal_both_ways(s[0], s[1], s[2], s[3], s[4]);
        if (HasFatalFailure())
            return;
    }
    // Whatever the ends, a band costs about the canvas's worth of samples:
    // these took seconds each when every sample was walked.
    const std::clock_t start = std::clock();
    for (int i = 0; i < 8; ++i) {
        draw_thick_line(INT_MIN + i, INT_MAX - 7 * i, INT_MAX, INT_MIN + 300 * i, 1000 + i, ink());
        draw_thick_line(-2000000 + i, 300, 2000000, 200 + i, 3, ink());
        draw_thick_line(i, INT_MAX, -1, 346, i, ink());
    }
    EXPECT_LT(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC, 1.0);
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
