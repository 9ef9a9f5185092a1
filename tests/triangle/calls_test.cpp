// The shaded step programs' recursion with the recording kernel, as
// tri_shaded_steps and tri_midpoint_steps set it up.
#include "recording_kernel.h"
#include "shaded_leaf.h"
#include "triangle_split.h"

#include <gtest/gtest.h>

namespace {

TEST(ShadedCalls, LeavesPerDepthAndTheStartTriangle)
{
    leaf_outline = 1;
    dark_grey = 2;
    light_grey = 3;
    triangle_leaves = SHADED_LEAVES;
    const size_t by_centroid[] = {1, 3, 9, 27, 81, 243, 729, 2187};
    const size_t by_midpoints[] = {1, 4, 14, 48, 164, 560, 1912};
    const std::vector<std::string> start[2] = {
        {"draw_line(335, 27, 10, 590, 1)", "draw_line(10, 590, 660, 590, 1)",
         "draw_line(660, 590, 335, 27, 1)", "flood_fill(335, 402, 2, 1)"},
        {"draw_line(335, 32, 10, 595, 1)", "draw_line(10, 595, 660, 595, 1)",
         "draw_line(660, 595, 335, 32, 1)", "flood_fill(335, 407, 2, 1)"}};
    for (const bool midpoints : {false, true})
    for (int depth = 0; depth <= (midpoints ? 6 : 7); ++depth) {
        kernel_calls.clear();
        middle_by_midpoints = midpoints;
        triangle_view = {650, 10, midpoints ? 595.0 : 590.0};
        if (midpoints)
            split_midpoints(0.5, 0.8660254037844386, 0, 0, 1, 0, depth);
        else
            split_centroid(0.5, 0.8660254037844386, 0, 0, 1, 0, depth);
        // Every leaf lies on the canvas: three edges and a fill each.
        const size_t leaves = (midpoints ? by_midpoints : by_centroid)[depth];
        EXPECT_EQ(calls_named("draw_line").size(), 3 * leaves) << "depth " << depth;
        EXPECT_EQ(calls_named("flood_fill").size(), leaves) << "depth " << depth;
        // Depth 0: the start triangle, filled dark grey from its centroid.
        if (depth == 0) {
            EXPECT_EQ(kernel_calls, start[midpoints]);
        }
    }
}

TEST(ShadedCalls, SeedsOnTheCanvasEdgeRowsAndColumnsAreNotUsed)
{
    const struct {
        extended cx, cy;
        bool used;
    } seeds[] = {{0, 300, false},     {799, 300, false},     {400, 0, false},
                 {400, 599, false},   {-0.5, 300, false},   {1e-9, 300, true},
                 {798.99, 1, true},  {1, 598.99, true},    {400, 1e-9, true}};
    for (const auto &seed : seeds)
        EXPECT_EQ(seed_in_window(seed.cx, seed.cy), seed.used) << seed.cx << ", " << seed.cy;
}

} // namespace
