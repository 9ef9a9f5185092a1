#include "kernel_tests.h"
#include "literal_forms.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace {

// The step-by-step walk's pixels on the canvas.
PixelSet literal_pixels(int x0, int y0, int x1, int y1)
{
    fresh_canvas();
    literal_line(x0, y0, x1, y1, ink());
    return pixels_of(ink());
}

PixelSet line_pixels(int x0, int y0, int x1, int y1)
{
    fresh_canvas();
    draw_line(x0, y0, x1, y1, ink());
    return pixels_of(ink());
}

TEST(Line, ShapesFollowTheLateMinorStepRule)
{
    EXPECT_EQ(line_pixels(5, 5, 5, 5), (PixelSet{{5, 5}}));
    EXPECT_EQ(line_pixels(0, 0, 4, 1), (PixelSet{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 1}}));
    EXPECT_EQ(line_pixels(4, 1, 0, 0), (PixelSet{{4, 1}, {3, 1}, {2, 1}, {1, 1}, {0, 1}, {0, 0}}));
    EXPECT_EQ(line_pixels(0, 0, 3, 2), (PixelSet{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {3, 1}, {3, 2}}));
    EXPECT_EQ(line_pixels(0, 0, 2, 2), (PixelSet{{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 2}}));
}

TEST(Line, ClipsPixelByPixelAtEveryEdge)
{
    PixelSet expected;
    for (int x = 0; x <= 10; ++x)
        expected.insert({x, 3});
    EXPECT_EQ(line_pixels(-10, 3, 10, 3), expected);

    expected.clear();
    for (int x = 790; x <= 799; ++x)
        expected.insert({x, 3});
    EXPECT_EQ(line_pixels(790, 3, 820, 3), expected);

    expected.clear();
    for (int y = 0; y < SCREEN_H; ++y)
        expected.insert({0, y});
    EXPECT_EQ(line_pixels(0, 0, 0, 599), expected);
    EXPECT_EQ(line_pixels(0, 599, 0, 0), expected);
    EXPECT_EQ(line_pixels(0, -50, 0, 700), expected);

    EXPECT_TRUE(line_pixels(-100, -5, 900, -1).empty());
    EXPECT_TRUE(line_pixels(-5, -100, -1, 900).empty());
    EXPECT_TRUE(line_pixels(810, 700, 2000, 650).empty());
}

TEST(Line, MatchesTheStepByStepWalkWhereverItsEndsLie)
{
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> near(-1500, 2300);
    std::uniform_int_distribution<int> far(-600000, 600000);
    std::uniform_int_distribution<int> column(0, SCREEN_W - 1), row(0, SCREEN_H - 1);
    for (int i = 0; i < 400; ++i) {
        std::uniform_int_distribution<int> &d = i % 4 == 3 ? far : near;
        int x0 = d(random), y0 = d(random), x1 = d(random), y1 = d(random);
        if (i % 4 == 2) { // wholly on the canvas
            x0 = column(random), y0 = row(random), x1 = column(random), y1 = row(random);
        }
        ASSERT_EQ(line_pixels(x0, y0, x1, y1), literal_pixels(x0, y0, x1, y1))
            << "line (" << x0 << ", " << y0 << ") to (" << x1 << ", " << y1 << ")";
    }
}

TEST(Line, ExtremeEndsAreSafeAndExact)
{
    PixelSet row0;
    for (int x = 0; x < SCREEN_W; ++x)
        row0.insert({x, 0});
    EXPECT_EQ(line_pixels(INT_MIN, 0, INT_MAX, 0), row0);
    EXPECT_EQ(line_pixels(INT_MAX, 0, INT_MIN, 0), row0);

    // The exact diagonal steps x first: pixels (j, j) and (j, j - 1).
    PixelSet diagonal;
    for (int j = 0; j < SCREEN_H; ++j)
        diagonal.insert({j, j});
    for (int j = 1; j <= SCREEN_H; ++j)
        diagonal.insert({j, j - 1});
    EXPECT_EQ(line_pixels(INT_MIN, INT_MIN, INT_MAX, INT_MAX), diagonal);

    // Steep and shallow lines spanning the whole int range stay
    // 4-connected where they cross the canvas.
    for (const PixelSet &crossing :
         {line_pixels(INT_MIN, INT_MIN / 2, INT_MAX, INT_MAX / 2 + 600),
          line_pixels(-3, INT_MIN, 805, INT_MAX), line_pixels(INT_MAX, 1, INT_MIN, 598)}) {
        ASSERT_FALSE(crossing.empty());
        for (const Pixel &p : crossing) {
            const int neighbours = crossing.count({p.first + 1, p.second}) +
                                   crossing.count({p.first - 1, p.second}) +
                                   crossing.count({p.first, p.second + 1}) +
                                   crossing.count({p.first, p.second - 1});
            EXPECT_GE(neighbours, 1);
        }
    }
}

TEST(Rect, FromEitherCornerGivesTheSameOutline)
{
    fresh_canvas();
    draw_rect(10, 10, 20, 15, ink());
    const PixelSet forward = pixels_of(ink());
    EXPECT_EQ(forward.size(), 30u);
    EXPECT_EQ(forward.count({15, 12}), 0u);
    fresh_canvas();
    draw_rect(20, 15, 10, 10, ink());
    EXPECT_EQ(pixels_of(ink()), forward);
}

} // namespace
