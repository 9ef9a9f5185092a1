// fivesplit_child_colours_zoom's leaves against the recording kernel.
#include "five_split_figures.h"
#include "recording_kernel.h"

#include <gtest/gtest.h>

namespace {

// The program's palette, view and seeds.
void set_up()
{
    kernel_calls.clear();
    map_five_split_palette();
    five_view = {8, -101, 799};
    child_seeds = PIXEL_THIRDS;
}

TEST(ChildColoursZoom, LeafIsOutlinedThenFilledFromAThirdOfItsPixelSums)
{
    set_up();
    child_coloured_triangle(20, 30, 40, 30, 0.7f, 2, 0);
    EXPECT_EQ(kernel_calls, (std::vector<std::string>{
                                "draw_line(59, 559, 219, 559, 0)",
                                "draw_line(59, 559, 59, 447, 0)",
                                "draw_line(59, 447, 219, 559, 0)",
                                "flood_fill(112, 521, 255, 0)",
                            }));
}

TEST(ChildColoursZoom, OnlySeedsInsideTheFrameAreFilled)
{
    // A leaf shrunk to the one pixel (column, row): its seed is a third of
    // three times the pixel, times 0.99999, so one less in each (0 stays 0).
    struct Case {
        int column, row;
        const char *fill; // nullptr: not filled
    } cases[] = {
        {1, 300, nullptr},   {2, 300, "flood_fill(1, 299, 0, 0)"},
        {799, 300, "flood_fill(798, 299, 0, 0)"}, {800, 300, nullptr},
        {400, 1, nullptr},   {400, 2, "flood_fill(399, 1, 0, 0)"},
        {400, 599, "flood_fill(399, 598, 0, 0)"}, {400, 600, nullptr},
        {-500, -500, nullptr},
    };
    set_up();
    for (const Case &c : cases) {
        kernel_calls.clear();
        CHILD_COLOURS[0] = 0;
        const float x = (c.column + 101) / 8.0f, y = (799 - c.row) / 8.0f;
        child_coloured_triangle(x, y, x, y, 0, 0, 0);
        const std::vector<std::string> fills = calls_named("flood_fill");
        EXPECT_EQ(fills, c.fill ? std::vector<std::string>{c.fill} : std::vector<std::string>{})
            << c.column << ", " << c.row;
    }
}

} // namespace
