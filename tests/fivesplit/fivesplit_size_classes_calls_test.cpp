// fivesplit_size_classes's whole run against the recording kernel.
#include "recording_kernel.h"

#include <gtest/gtest.h>

int fivesplit_size_classes_main(int, char **);

namespace {

TEST(SizeClasses, EveryTriangleOutlinedAndFilledTwiceTheSmallestInClassFive)
{
    kernel_calls.clear();
    fivesplit_size_classes_main(0, nullptr);
    const std::string grey = ", 0, 3289650)", red = "16711680";
    // The top call: the triangle, then its reflection, each filled red.
    EXPECT_EQ(std::vector<std::string>(kernel_calls.begin(), kernel_calls.begin() + 10),
              (std::vector<std::string>{
                  "open_canvas()", "clear_canvas(16777215)",
                  "draw_thick_line(10, 590, 710, 590" + grey,
                  "draw_thick_line(10, 590, 10, 30" + grey,
                  "draw_thick_line(10, 30, 710, 590" + grey,
                  "flood_fill(243, 403, " + red + ", 3289650)",
                  "draw_thick_line(710, 30, 10, 30" + grey,
                  "draw_thick_line(710, 30, 710, 590" + grey,
                  "draw_thick_line(710, 590, 10, 30" + grey,
                  "flood_fill(476, 216, " + red + ", 3289650)"}));
    EXPECT_EQ(kernel_calls.back(), "wait_key()");

    // 3,906 triangles; the first-child path keeps class 0 (red) at all six
    // depths, and the 4^5 leaves that took only small steps are class 5,
    // in each half.
    const std::vector<std::string> fills = calls_named("flood_fill");
    EXPECT_EQ(fills.size(), 2u * 3906);
    EXPECT_EQ(calls_named("draw_thick_line").size(), 6u * 3906);
    auto count = [&](const std::string &colour) {
        return std::count_if(fills.begin(), fills.end(), [&](const std::string &f) {
            return f.find(", " + colour + ", ") != std::string::npos;
        });
    };
    EXPECT_EQ(count(red), 2 * 6);
    EXPECT_EQ(count("1315860"), 2 * 1024);
}

} // namespace
