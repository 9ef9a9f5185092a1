// fivesplit_child_colours's leaves against the recording kernel.
#include "five_split_figures.h"
#include "recording_kernel.h"

#include <gtest/gtest.h>

namespace {

// The program's palette, view and seeds.
void set_up()
{
    kernel_calls.clear();
    map_five_split_palette();
    five_view = {1, 0, 480};
    child_seeds = MODEL_THIRDS;
}

RightTriangle top_child(int i)
{
    RightTriangle children[5];
    split_five({0, 1, 799, 1, 0.5f}, children);
    return children[i];
}

TEST(ChildColours, LeafIsFilledFromAThirdOfItsModelSums)
{
    set_up();
    // (479.4, 160.8), (159.8, 320.6), e = 0.5: its third vertex
    // (399.5, 1.0000076) lies on row 478. The model centroid
    // (346.2, 160.8) gives the seed.
    const RightTriangle c = top_child(4);
    child_coloured_triangle(c.x1, c.y1, c.x2, c.y2, c.e, 4, 0);
    EXPECT_EQ(kernel_calls, (std::vector<std::string>{
                                "draw_line(479, 319, 159, 159, 0)",
                                "draw_line(479, 319, 399, 478, 0)",
                                "draw_line(399, 478, 159, 159, 0)",
                                "flood_fill(346, 319, 3644215, 0)",
                            }));
}

TEST(ChildColours, EachChildIsFilledWithTheColourOfItsNumber)
{
    set_up();
    child_coloured_triangle(0, 1, 799, 1, 0.5f, 0, 1);
    // First edges (159.8, 320.6) -> (0, 1), (479.4, 160.8) -> (799, 1),
    // (79.9, 160.8) -> (399.5, 1) twice, (479.4, 160.8) -> (159.8, 320.6).
    const char *edges[5] = {"159, 159, 0, 479", "479, 319, 799, 479", "79, 319, 399, 479",
                            "79, 319, 399, 479", "479, 319, 159, 159"};
    const char *colours[5] = {"16711680", "65280", "255", "16776960", "3644215"};
    ASSERT_EQ(kernel_calls.size(), 20u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(kernel_calls[4 * i], "draw_line(" + std::string(edges[i]) + ", 0)");
        EXPECT_EQ(kernel_calls[4 * i + 3].substr(0, 11), "flood_fill(");
        EXPECT_NE(kernel_calls[4 * i + 3].find(", " + std::string(colours[i]) + ", 0)"),
                  std::string::npos)
            << kernel_calls[4 * i + 3];
    }
}

} // namespace
