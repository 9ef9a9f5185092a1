// The chair figures against the recording kernel: what they ask the kernel
// to draw.
#include "chair.h"
#include "recording_kernel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

int chair_grey_zoom_main(int, char **);
int chair_grid_steps_main(int, char **);
void draw_grid_chair(int gx, int gy, int t);

namespace {

// Outline 9, orientations 10 to 13, and an empty record.
void start_recording()
{
    kernel_calls.clear();
    chair_outline = 9;
    for (int o = 0; o < 4; ++o)
        CHAIR_COLOURS[o] = 10 + o;
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

TEST(ChairCalls, ZoomOutlinesTheLeavesInViewAndFillsOnlyFromInsideTheFrame)
{
    kernel_calls.clear();
    chair_grey_zoom_main(0, nullptr);
    EXPECT_EQ(kernel_calls[2], "draw_frame(0)");
    // Of the 16,384 leaves, only those whose bounding square reaches the
    // canvas are drawn: 2,507 filled and 95 not.
    EXPECT_EQ(calls_named("draw_line").size(), 6u * (2507u + 95u));
    const std::vector<std::string> fills = calls_named("flood_fill");
    EXPECT_EQ(fills.size(), 2507u);
    for (const std::string &fill : fills) {
        int sx, sy;
        ASSERT_EQ(std::sscanf(fill.c_str(), "flood_fill(%d, %d", &sx, &sy), 2);
        ASSERT_TRUE(sx >= 1 && sx <= 798 && sy >= 1 && sy <= 598) << fill;
    }
    // Each leaf is six lines, then its fill if its seed lies inside the
    // frame: 95 leaves reach into the window with their bounding square and
    // are left unfilled.
    int unfilled_in_view = 0;
    for (size_t i = 3; kernel_calls[i].rfind("draw_line", 0) == 0;) {
        int left = 1 << 30, right = -(1 << 30), top = 1 << 30, bottom = -(1 << 30);
        for (size_t line = 0; line < 6; ++line, ++i) {
            int x0, y0, x1, y1;
            ASSERT_EQ(std::sscanf(kernel_calls[i].c_str(), "draw_line(%d, %d, %d, %d", &x0, &y0,
                                  &x1, &y1),
                      4)
                << kernel_calls[i];
            left = std::min({left, x0, x1}), right = std::max({right, x0, x1});
            top = std::min({top, y0, y1}), bottom = std::max({bottom, y0, y1});
        }
        const bool filled = i < kernel_calls.size() && kernel_calls[i].rfind("flood_fill", 0) == 0;
        i += filled;
        unfilled_in_view += !filled && right >= 0 && left <= 799 && bottom >= 0 && top <= 599;
    }
    EXPECT_EQ(unfilled_in_view, 95);
}

TEST(ChairCalls, GridMarkersOfTheSecondPictureInOrder)
{
    kernel_calls.clear();
    chair_grid_steps_main(0, nullptr);
    // After the first marker: type 0 at (0, 0) and (-4, -4), type 1 at
    // (4, -4), type 3 at (-4, 4), each filled from the centre of the square
    // opposite its missing one.
    const std::vector<std::string> fills = calls_named("flood_fill");
    ASSERT_EQ(fills.size(), 1u + 4 + 16 + 64);
    EXPECT_EQ(std::vector<std::string>(fills.begin() + 1, fills.begin() + 5),
              (std::vector<std::string>{
                  "flood_fill(390, 290, 4605510, 0)", "flood_fill(310, 370, 4605510, 0)",
                  "flood_fill(490, 370, 7895160, 0)", "flood_fill(310, 190, 15132390, 0)"}));
    // A type outside 0 to 3 draws nothing.
    kernel_calls.clear();
    draw_grid_chair(0, 0, 4);
    draw_grid_chair(0, 0, -1);
    EXPECT_TRUE(kernel_calls.empty());
}

} // namespace
