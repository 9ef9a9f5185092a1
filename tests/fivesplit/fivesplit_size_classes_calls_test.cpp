// fivesplit_size_classes's whole run against the recording kernel.
#include "recording_kernel.h"

#include <gtest/gtest.h>

int fivesplit_size_classes_main(int, char **);

namespace {

const std::string GREY = "3289650"; // (50, 50, 50)

class SizeClasses : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        kernel_calls.clear();
        fivesplit_size_classes_main(0, nullptr);
        calls = kernel_calls;
    }
    static std::vector<std::string> calls;
};
std::vector<std::string> SizeClasses::calls;

TEST_F(SizeClasses, TopCallAndItsReflectionAreOutlinedAndFilledRed)
{
    const std::vector<std::string> expected = {
        "open_canvas()",
        "clear_canvas(16777215)",
        "draw_thick_line(10, 590, 710, 590, 0, " + GREY + ")",
        "draw_thick_line(10, 590, 10, 30, 0, " + GREY + ")",
        "draw_thick_line(10, 30, 710, 590, 0, " + GREY + ")",
        "flood_fill(243, 403, 16711680, " + GREY + ")",
        "draw_thick_line(710, 30, 10, 30, 0, " + GREY + ")",
        "draw_thick_line(710, 30, 710, 590, 0, " + GREY + ")",
        "draw_thick_line(710, 590, 10, 30, 0, " + GREY + ")",
        "flood_fill(476, 216, 16711680, " + GREY + ")",
    };
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 10), expected);
    EXPECT_EQ(std::vector<std::string>(calls.end() - 2, calls.end()),
              (std::vector<std::string>{"present()", "wait_key()"}));
}

TEST_F(SizeClasses, ChildrenOfTheTopCallKeepOrRaiseTheClass)
{
    // Each call draws eight things; a depth-4 subtree holds 781 calls.
    // Children's first edges: (39.0244, 48.7805) -> (0, 0),
    // (69.5122, 24.3902) -> (100, 0), (19.5122, 24.3902) -> (50, 0) twice,
    // (69.5122, 24.3902) -> (39.0244, 48.7805); classes 0, 1, 1, 1, 1.
    const std::pair<const char *, const char *> children[5] = {
        {"283, 248, 10, 590", "16711680"}, {"496, 419, 710, 590", "16742480"},
        {"146, 419, 360, 590", "16742480"}, {"146, 419, 360, 590", "16742480"},
        {"496, 419, 283, 248", "16742480"}};
    for (int i = 0; i < 5; ++i) {
        const size_t first = 10 + i * 781 * 8;
        EXPECT_EQ(calls[first], "draw_thick_line(" + std::string(children[i].first) + ", 0, " +
                                    GREY + ")")
            << "child " << i;
        EXPECT_NE(calls[first + 3].find(", " + std::string(children[i].second) + ", "),
                  std::string::npos)
            << "child " << i << ": " << calls[first + 3];
    }
}

TEST_F(SizeClasses, SevenThousandEightHundredTwelveFillsOfWhichTheSmallestAreClassFive)
{
    const std::vector<std::string> fills = calls_named("flood_fill");
    EXPECT_EQ(fills.size(), 7812u);
    EXPECT_EQ(calls_named("draw_thick_line").size(), 6u * 3906);
    // The 4^5 leaves that took only small steps, in each half.
    long class_five = 0, red = 0;
    for (const std::string &fill : fills) {
        class_five += fill.find(", 1315860, ") != std::string::npos;
        red += fill.find(", 16711680, ") != std::string::npos;
    }
    EXPECT_EQ(class_five, 2 * 1024);
    // The first-child path: one red tile per depth in each half.
    EXPECT_EQ(red, 2 * 6);
}

} // namespace
