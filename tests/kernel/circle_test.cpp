#include "kernel_tests.h"
#include "literal_forms.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

PixelSet drawn(int cx, int cy, int r, bool disk)
{
    fresh_canvas();
    if (disk)
        fill_disk(cx, cy, r, ink());
    else
        draw_circle(cx, cy, r, ink());
    return pixels_of(ink());
}

PixelSet reference(int cx, int cy, int r, bool disk)
{
    fresh_canvas();
    literal_circle(cx, cy, r, disk, ink());
    return pixels_of(ink());
}

TEST(Circle, SmallRadiiGiveTheirPixelCounts)
{
    const int radii[] = {0, 1, 2, 3, 5};
    const size_t circle[] = {1, 5, 16, 24, 40};
    const size_t disk[] = {1, 5, 21, 37, 97};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(drawn(100, 100, radii[i], false).size(), circle[i]) << "r = " << radii[i];
        EXPECT_EQ(drawn(100, 100, radii[i], true).size(), disk[i]) << "r = " << radii[i];
    }
    EXPECT_EQ(drawn(100, 100, 1, false),
              (PixelSet{{100, 100}, {100, 101}, {100, 99}, {101, 100}, {99, 100}}));
    PixelSet square;
    for (int y = 98; y <= 102; ++y)
        for (int x = 98; x <= 102; ++x)
            if ((x == 98 || x == 102) + (y == 98 || y == 102) < 2)
                square.insert({x, y});
    EXPECT_EQ(drawn(100, 100, 2, true), square);
    // A negative radius plots only the four extreme points.
    EXPECT_EQ(drawn(100, 100, -3, false), (PixelSet{{100, 97}, {100, 103}, {97, 100}, {103, 100}}));
    EXPECT_EQ(drawn(100, 100, -3, true), (PixelSet{{100, 97}, {100, 103}, {97, 100}, {103, 100}}));
}

TEST(Circle, MatchesTheStepByStepWalkIncludingAtTheEdges)
{
    const int centres[][2] = {{400, 300}, {3, 4}, {797, 598}, {-20, 300}, {400, 640}, {810, -15}};
    for (const auto &c : centres)
        for (int r = 0; r <= 90; r += (r < 12 ? 1 : 13))
            for (bool disk : {false, true})
                ASSERT_EQ(drawn(c[0], c[1], r, disk), reference(c[0], c[1], r, disk))
                    << (disk ? "disk" : "circle") << " at (" << c[0] << ", " << c[1]
                    << ") r = " << r;
}

TEST(Circle, IsSymmetricAboutItsCentre)
{
    for (int r : {7, 33, 120}) {
        const PixelSet pixels = drawn(400, 300, r, false);
        for (const Pixel &p : pixels) {
            ASSERT_EQ(pixels.count({800 - p.first, p.second}), 1u);
            ASSERT_EQ(pixels.count({p.first, 600 - p.second}), 1u);
        }
    }
}

TEST(Circle, HugeRadiiAreSafe)
{
    // A disk larger than the canvas covers all of it.
    EXPECT_EQ(drawn(400, 300, INT_MAX, true).size(), size_t(SCREEN_W) * SCREEN_H);
    EXPECT_TRUE(drawn(0, 0, INT_MAX, false).empty());
    // The left end of a circle of radius INT_MAX whose centre lies far to
    // the right: a thin arc through (0, 300), symmetric about row 300.
    const PixelSet arc = drawn(INT_MAX, 300, INT_MAX, false);
    ASSERT_EQ(arc.count({0, 300}), 1u);
    for (const Pixel &p : arc) {
        EXPECT_LE(p.first, 1);
        EXPECT_EQ(arc.count({p.first, 600 - p.second}), p.second == 0 ? 0u : 1u);
    }
    // The top of a huge circle through (400, 300): nothing above row 300.
    const PixelSet top = drawn(400, 300 + (INT_MAX - 300), INT_MAX - 300, false);
    ASSERT_EQ(top.count({400, 300}), 1u);
    for (const Pixel &p : top)
        EXPECT_GE(p.second, 300);
    EXPECT_EQ(drawn(INT_MIN, INT_MIN, INT_MAX, true).size(), 0u);
}

} // namespace
