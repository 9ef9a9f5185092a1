// The figure routines run against the recording kernel: which lines and
// fills each asks for, in which order.
#include "chair.h"
#include "recording_kernel.h"
#include "five_split.h"
#include "triangle_split.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

// From the programs' own files.
extern Uint32 edge_colour;
void pinwheel_triangle(float x1, float y1, float x2, float y2, float e, int depth);
extern Uint32 black;
extern int frame_depth;

namespace {

// Each test starts from an empty record and the same colours: outline 9,
// orientations 10 to 13; edge colour 5; black 1.
void start_recording()
{
    kernel_calls.clear();
    chair_outline = 9;
    for (int o = 0; o < 4; ++o)
        CHAIR_COLOURS[o] = 10 + o;
    edge_colour = 5;
    black = 1;
}

TEST(ChairCalls, LeafIsSixOutlineLinesThenOneFill)
{
    start_recording();
    draw_chair(100, 200, 64, 2, 0);
    // Orientation 2 extends left and down from its corner.
    EXPECT_EQ(kernel_calls, (std::vector<std::string>{
                                "draw_line(100, 200, 36, 200, 9)",
                                "draw_line(36, 200, 36, 232, 9)",
                                "draw_line(36, 232, 68, 232, 9)",
                                "draw_line(68, 232, 68, 264, 9)",
                                "draw_line(68, 264, 100, 264, 9)",
                                "draw_line(100, 264, 100, 200, 9)",
                                "flood_fill(84, 216, 12, 9)",
                            }));
}

TEST(ChairCalls, DepthOneLeavesComeInChildOrder)
{
    start_recording();
    draw_chair(20, 570, 512, 0, 1);
    ASSERT_EQ(kernel_calls.size(), 4u * 7u);
    // Corner copy (20, 570) and centre copy (148, 442) keep orientation 0;
    // the x-arm copy at (532, 570) turns to 1, the y-arm copy at (20, 58)
    // to 3.
    EXPECT_EQ(calls_named("flood_fill"),
              (std::vector<std::string>{"flood_fill(84, 506, 10, 9)", "flood_fill(212, 378, 10, 9)",
                                        "flood_fill(468, 506, 11, 9)", "flood_fill(84, 122, 13, 9)"}));
    EXPECT_EQ(kernel_calls[7], "draw_line(148, 442, 404, 442, 9)");
    EXPECT_EQ(kernel_calls[14], "draw_line(532, 570, 276, 570, 9)");
    EXPECT_EQ(kernel_calls[21], "draw_line(20, 58, 276, 58, 9)");
}

TEST(AxisEdgeCalls, DepthZeroDrawsOnlyTheBaseBelowTheWindow)
{
    start_recording();
    split_centroid(0.5, 0.8660254037844386, 0, 0, 1, 0, 0);
    EXPECT_EQ(kernel_calls, std::vector<std::string>{"draw_line(-400, 700, 2600, 700, 5)"});
}

TEST(AxisEdgeCalls, NineLevelsDrawOneAxisParallelEdgePerLeaf)
{
    start_recording();
    split_centroid(0.5, 0.8660254037844386, 0, 0, 1, 0, 9);
    EXPECT_EQ(kernel_calls.size(), 19683u);
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

TEST(FiveSplit, PinwheelChildrenAreFiveCongruentTriangles)
{
    RightTriangle children[5];
    split_five({0, 0, 100, 0, 0.5f}, children);
    // (right-angle vertex, long-leg end, third vertex, ratio)
    const float expected[5][7] = {{20, 40, 0, 0, 0, 50, -0.5f},  {60, 20, 100, 0, 50, 0, -0.5f},
                                  {10, 20, 50, 0, 0, 0, -0.5f},  {10, 20, 50, 0, 20, 40, 0.5f},
                                  {60, 20, 20, 40, 50, 0, 0.5f}};
    for (int i = 0; i < 5; ++i) {
        const RightTriangle &c = children[i];
        float x3, y3;
        third_vertex(c, x3, y3);
        const float got[7] = {c.x1, c.y1, c.x2, c.y2, x3, y3, c.e};
        for (int k = 0; k < 7; ++k)
            EXPECT_NEAR(got[k], expected[i][k], 1e-4) << "child " << i << " value " << k;
        const double area = 0.5 * std::hypot(c.x2 - c.x1, c.y2 - c.y1) *
                            std::hypot(x3 - c.x1, y3 - c.y1);
        EXPECT_NEAR(area, 500, 1e-2) << "child " << i;
    }
}

TEST(PinwheelCalls, DepthZeroIsTheRectangleWithItsDiagonalTwice)
{
    start_recording();
    frame_depth = 0;
    pinwheel_triangle(0, 0, 100, 0, 0.5f, 0);
    EXPECT_EQ(kernel_calls, (std::vector<std::string>{
                                "draw_thick_line(10, 590, 710, 590, 1, 1)",
                                "draw_thick_line(10, 590, 10, 240, 1, 1)",
                                "draw_thick_line(10, 240, 710, 590, 1, 1)",
                                "draw_thick_line(710, 240, 10, 240, 1, 1)",
                                "draw_thick_line(710, 240, 710, 590, 1, 1)",
                                "draw_thick_line(710, 590, 10, 240, 1, 1)",
                            }));
}

TEST(PinwheelCalls, LeavesAreDrawnWithTheirReflectionThroughTheTopCentre)
{
    start_recording();
    frame_depth = 1;
    pinwheel_triangle(0, 0, 100, 0, 0.5f, 1);
    // Five leaves, each drawn with its reflection.
    ASSERT_EQ(kernel_calls.size(), 30u);
    // The first child (20, 40), (0, 0), (0, 50), then its image through
    // (50, 25): (80, 10), (100, 50), (100, 0).
    EXPECT_EQ(std::vector<std::string>(kernel_calls.begin(), kernel_calls.begin() + 6),
              (std::vector<std::string>{
                  "draw_thick_line(150, 310, 10, 590, 1, 1)",
                  "draw_thick_line(150, 310, 10, 240, 1, 1)",
                  "draw_thick_line(10, 240, 10, 590, 1, 1)",
                  "draw_thick_line(570, 520, 710, 240, 1, 1)",
                  "draw_thick_line(570, 520, 710, 590, 1, 1)",
                  "draw_thick_line(710, 590, 710, 240, 1, 1)",
              }));
}

} // namespace
