// tri_axis_edges's split against the recording kernel: only axis-parallel
// edges, at the pixels extended precision gives.
#include "axis_leaf.h"
#include "raster.h"
#include "recording_kernel.h"
#include "triangle_split.h"

#include <gtest/gtest.h>

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

} // namespace
