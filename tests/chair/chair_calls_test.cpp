// The chair programs run against the recording kernel: what their figure
// routines ask the kernel for, and what their tile arrays hold.
#include "chair.h"
#include "recording_kernel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

int chair_growth_main(int, char **);
int chair_grey_zoom_main(int, char **);
int chair_grid_steps_main(int, char **);
extern int chair_x[], chair_y[], chair_orientation[];
extern int grid_x[], grid_y[];
void draw_grid_chair(int gx, int gy, int t);

namespace {

bool is_call(const std::string &call, const char *name)
{
    return call.rfind(std::string(name) + "(", 0) == 0;
}

TEST(ChairGreyZoomCalls, EveryLeafOutlinedAndOnlySeedsInsideTheFrameFilled)
{
    kernel_calls.clear();
    chair_grey_zoom_main(0, nullptr);
    const std::vector<std::string> &calls = kernel_calls;
    ASSERT_GT(calls.size(), 5u);
    EXPECT_EQ(calls[2], "draw_frame(0)");
    EXPECT_EQ(calls[calls.size() - 2], "present()");
    // After the frame, each leaf is six lines, then its fill if its seed
    // lies strictly inside the frame.
    long leaves = 0, filled = 0, unfilled_in_window = 0;
    for (size_t i = 3; i + 2 < calls.size(); ++leaves) {
        int x0, y0, x1, y1, x4, y4;
        ASSERT_EQ(std::sscanf(calls[i].c_str(), "draw_line(%d, %d, %d, %d", &x0, &y0, &x1, &y1), 4)
            << calls[i];
        ASSERT_EQ(std::sscanf(calls[i + 3].c_str(), "draw_line(%*d, %*d, %d, %d", &x4, &y4), 2);
        for (size_t k = i; k < i + 6; ++k)
            ASSERT_TRUE(is_call(calls[k], "draw_line")) << calls[k];
        i += 6;
        if (is_call(calls[i], "flood_fill")) {
            int sx, sy;
            ASSERT_EQ(std::sscanf(calls[i].c_str(), "flood_fill(%d, %d", &sx, &sy), 2);
            ASSERT_TRUE(sx >= 1 && sx <= 798 && sy >= 1 && sy <= 598) << calls[i];
            ++filled;
            ++i;
        } else {
            // The leaf's bounding square runs from its corner (x0, y0) to
            // (x1, y4).
            unfilled_in_window += std::max(x0, x1) >= 0 && std::min(x0, x1) <= 799 &&
                                  std::max(y0, y4) >= 0 && std::min(y0, y4) <= 599;
        }
    }
    EXPECT_EQ(leaves, 16384);
    EXPECT_EQ(filled, 2507);
    EXPECT_EQ(unfilled_in_window, 95);
}

TEST(ChairGridStepsCalls, SecondPictureAndFinalSpread)
{
    kernel_calls.clear();
    chair_grid_steps_main(0, nullptr);
    // The fills between the first and the second wait: type 0 at (0, 0)
    // and (-4, -4), type 1 at (4, -4), type 3 at (-4, 4), each from the
    // centre of the square opposite its missing one.
    const auto first_wait = std::find(kernel_calls.begin(), kernel_calls.end(), "wait_key()");
    const auto second_wait = std::find(first_wait + 1, kernel_calls.end(), "wait_key()");
    std::vector<std::string> fills;
    std::copy_if(first_wait, second_wait, std::back_inserter(fills),
                 [](const std::string &call) { return is_call(call, "flood_fill"); });
    EXPECT_EQ(fills, (std::vector<std::string>{
                         "flood_fill(390, 290, 4605510, 0)", "flood_fill(310, 370, 4605510, 0)",
                         "flood_fill(490, 370, 7895160, 0)", "flood_fill(310, 190, 15132390, 0)"}));
    EXPECT_EQ(std::count(kernel_calls.begin(), kernel_calls.end(), "wait_key()"), 5);
    EXPECT_EQ(*std::min_element(grid_x, grid_x + 64), -7);
    EXPECT_EQ(*std::max_element(grid_x, grid_x + 64), 7);
    EXPECT_EQ(*std::min_element(grid_y, grid_y + 64), -7);
    EXPECT_EQ(*std::max_element(grid_y, grid_y + 64), 7);

    kernel_calls.clear();
    draw_grid_chair(0, 0, 4);
    draw_grid_chair(0, 0, -1);
    EXPECT_TRUE(kernel_calls.empty());
}

TEST(ChairGrowthCalls, FirstStepAddsCentreAndMirrorCopies)
{
    kernel_calls.clear();
    chair_growth_main(0, nullptr);
    const int expected[3][3] = {{109, 576, 0}, {136, 585, 1}, {100, 549, 3}};
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ((std::vector<int>{chair_x[i], chair_y[i], chair_orientation[i]}),
                  (std::vector<int>(expected[i - 1], expected[i - 1] + 3)))
            << "tile " << i;
    EXPECT_EQ(calls_named("flood_fill").size(), 1024u);
}

} // namespace
