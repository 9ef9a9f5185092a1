// tri_axis_edges's split against the recording kernel: only axis-parallel
// edges, at the pixels extended precision gives.
#include "axis_leaf.h"
#include "raster.h"
#include "recording_kernel.h"
#include "triangle_split.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

// tri_axis_edges's settings.
void start_recording()
{
    kernel_calls.clear();
    edge_colour = 5;
    triangle_view = {3000, -400, 700};
    triangle_leaves = AXIS_EDGES;
    middle_by_midpoints = false;
}

TEST(AxisEdgeCalls, DepthZeroDrawsOnlyTheBaseBelowTheWindow)
{
    start_recording();
    split_centroid(0.5, 0.8660254037844386, 0, 0, 1, 0, 0);
    EXPECT_EQ(kernel_calls, std::vector<std::string>{"draw_line(-400, 700, 2600, 700, 5)"});
}

TEST(AxisEdgeCalls, NineLevelsDrawOneAxisParallelEdgePerLeafInView)
{
    start_recording();
    split_centroid(0.5, 0.8660254037844386, 0, 0, 1, 0, 9);
    // Of the 19,683 leaves, those with a corner on or near the canvas.
    EXPECT_EQ(kernel_calls.size(), 2528u);
    for (const std::string &call : kernel_calls) {
        int x0, y0, x1, y1;
        ASSERT_EQ(std::sscanf(call.c_str(), "draw_line(%d, %d, %d, %d", &x0, &y0, &x1, &y1), 4);
        ASSERT_TRUE(x0 == x1 || y0 == y1) << call;
    }
}

TEST(AxisEdgeCalls, PixelsTruncateTowardZeroInExtendedPrecision)
{
    start_recording();
    // A horizontal edge from px = -0.6 and a vertical edge from py = -0.6:
    // both start on the canvas's first column or row, not at -1.
    draw_triangle_leaf(399.4 / 3000, 0.125, 0.2, 0.125, 0.3, 0.2, false);
    draw_triangle_leaf(0.2, 700.6 / 3000, 0.2, 0.125, 0.3, 0.15, true);
    // x = 1/3, held as the double just below it, scales to just under 1000
    // in extended precision: column 599.
    draw_triangle_leaf(1.0 / 3, 0.125, 1.0 / 3, 0.15, 0.3, 0.12, false);
    EXPECT_EQ(kernel_calls, (std::vector<std::string>{"draw_line(0, 325, 200, 325, 5)",
                                                      "draw_line(200, 0, 200, 325, 5)",
                                                      "draw_line(599, 325, 599, 250, 5)"}));
}

// Where the double test says a mapped value lies between two whole
// numbers, it truncates as the extended mapping does; it declines the
// values on or within rounding of a whole number. The views are
// tri_axis_edges's and two of the explorer's, the second zoomed far in,
// where the product's rounding is far coarser than the sum's.
TEST(AxisEdgeCalls, TheDoubleTestTruncatesAsExtendedPrecisionWhereItAnswers)
{
    const ModelView views[] = {
        {3000, -400, 700}, {5000.0 / 3, -600.3, 1000}, {7.5e9, -3.1e9 + 0.37, 2.4e9}};
    unsigned seed = 1;
    const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) / 4294967296.0; };
    int answered = 0;
    for (const ModelView &v : views) {
        triangle_view = v;
        for (int i = 0; i < 20000; ++i) {
            // Model points over the canvas's columns and a hundred either
            // side, half of them a few units in the last place from the
            // point of a whole column.
            const double column = std::floor(next() * 1000) - 100 + (i % 2 ? 0 : next());
            double x = (column - v.left) / v.scale;
            for (int steps = i % 2 ? i % 7 : 0; steps > 0; --steps)
                x = std::nextafter(x, i % 4 == 1 ? 0.0 : 2.0);
            const double product = x * v.scale;
            double below;
            if (!between_wholes(product, product + v.left, below))
                continue;
            ++answered;
            ASSERT_EQ(truncated_between(below), trunc_int(view_x(x))) << x;
            ASSERT_NE(below, static_cast<double>(view_x(x))) << x;
        }
    }
    EXPECT_GT(answered, 20000);
}

} // namespace
