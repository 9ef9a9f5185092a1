// fivesplit_pinwheel's triangles against the recording kernel.
#include "five_split_figures.h"
#include "recording_kernel.h"

#include <gtest/gtest.h>

namespace {

// The program's view.
void start_recording()
{
    kernel_calls.clear();
    forget_edges();
    black = 1;
    five_view = {7, 10, 590};
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
    // Five leaves, each drawn with its reflection: 30 edges, of which two
    // are met again from the same end and drawn once, each with its image:
    // S -> T, the first edge of children 2 and 3, and (430, 450) ->
    // (360, 590), an edge of children 1 and 4.
    ASSERT_EQ(kernel_calls.size(), 26u);
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
