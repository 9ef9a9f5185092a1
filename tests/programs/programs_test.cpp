// What every window program does where it cannot open its window: it says
// why in one line and ends with status 1, without drawing in the terminal
// unless the text driver is asked for by name. (The kernel opens the
// window, so one program stands for all.)
#include "frames.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(Programs, WithoutAVideoDeviceSayWhyAndFail)
{
    const CapturedRun run = capture_frames("tri_axis_edges", {"SDL_VIDEODRIVER=no_such_driver"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.frames.empty());
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
    EXPECT_NE(run.errors.find("tri_axis_edges: cannot start the video system"), std::string::npos)
        << run.errors;
}

// Runs the window build of chair_colour_tiling with `environment` changed
// and standard input empty, for at most two seconds; what it wrote on
// standard output and standard error, together.
Ran run_window_build(const std::vector<std::string> &environment)
{
    Launch launch;
    launch.command = {std::string(PROGRAM_DIR) + "/chair_colour_tiling"};
    launch.environment = environment;
    launch.errors_with_output = true;
    return run_program(launch, 2);
}

TEST(Programs, WithoutADisplaySayWhyInsteadOfDrawingInTheTerminal)
{
    // No display at all, and one with no server behind it: one line, and
    // status 1, with nothing drawn in the terminal.
    const std::pair<std::string, std::string> cases[] = {
        {"DISPLAY", "chair_colour_tiling: no display could be reached (DISPLAY is not set)\n"},
        {"DISPLAY=:59999",
         "chair_colour_tiling: no display could be reached (DISPLAY is ':59999')\n"}};
    for (const auto &[display, message] : cases) {
        const Ran ran = run_window_build({display, "SDL_VIDEODRIVER"});
        EXPECT_EQ(ran.status, 1) << display;
        EXPECT_EQ(ran.output, message) << display;
    }
    // Asked for by name, the text driver is used: the program draws and
    // waits for a key (its silent output keeps this test's terminal clean),
    // so it still runs when stopped after two seconds.
    const Ran ran = run_window_build({"DISPLAY", "SDL_VIDEODRIVER=caca", "CACA_DRIVER=null"});
    EXPECT_EQ(ran.status, -1) << ran.output << ran.errors;
}

} // namespace
