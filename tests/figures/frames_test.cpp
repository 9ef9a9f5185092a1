// The window programs run whole, headless: every frame they present, as
// the window would show it.
#include "frames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr uint32_t RED = 0xff0000, GREEN = 0x00ff00, BLUE = 0x0000ff, YELLOW = 0xffff00;

// Black pixels of `before` that are not black in `after`.
long black_lost(const Picture &before, const Picture &after)
{
    long lost = 0;
    for (size_t i = 0; i < before.rgb.size(); ++i)
        lost += before.rgb[i] == BLACK && after.rgb[i] != BLACK;
    return lost;
}

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Box bounds_of(const Picture &p, uint32_t rgb)
{
    Box box;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (pixel_at(p, x, y) == rgb) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

TEST(Programs, EachShowsOneFramePerWaitAndEndsWithStatusZero)
{
    const std::pair<const char *, size_t> programs[] = {
        {"chair_colour_tiling", 1}, {"tri_axis_edges", 1}, {"fivesplit_pinwheel", 5}};
    for (const auto &[name, waits] : programs) {
        const CapturedRun run = capture_frames(name);
        EXPECT_EQ(run.status, 0) << name;
        ASSERT_EQ(run.frames.size(), waits) << name;
        for (const Picture &frame : run.frames) {
            EXPECT_EQ(frame.width, 800) << name;
            EXPECT_EQ(frame.height, 600) << name;
        }
    }
}

TEST(Programs, WithoutAVideoDeviceSayWhyAndFail)
{
    const CapturedRun run = capture_frames("tri_axis_edges", {"SDL_VIDEODRIVER=no_such_driver"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.frames.empty());
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
    EXPECT_NE(run.errors.find("tri_axis_edges: cannot start the video system"), std::string::npos)
        << run.errors;
}

// Runs the window build of a program with `environment` (NAME=VALUE, or
// NAME alone to remove it) and standard input empty; gives its exit status,
// or -1 if it still runs after two seconds (it is then stopped), and what
// it wrote on standard output and standard error.
int run_window_program(const std::string &name, const std::vector<std::string> &environment,
                       std::string &output)
{
    const std::string folder = make_temp_folder();
    const std::string out = folder + "/output.txt";
    const std::string path = std::string(PROGRAM_DIR) + "/" + name;
    const pid_t pid = fork();
    if (pid == 0) {
        for (const std::string &setting : environment) {
            const size_t equals = setting.find('=');
            if (equals == std::string::npos)
                unsetenv(setting.c_str());
            else
                setenv(setting.substr(0, equals).c_str(), setting.substr(equals + 1).c_str(), 1);
        }
        if (!freopen("/dev/null", "r", stdin) || !freopen(out.c_str(), "w", stdout) ||
            dup2(fileno(stdout), 2) < 0)
            _exit(126);
        execl(path.c_str(), path.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0, result = -1;
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            result = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (result < 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    std::ifstream in(out);
    output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::filesystem::remove_all(folder);
    return result;
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
        std::string output;
        EXPECT_EQ(run_window_program("chair_colour_tiling", {display, "SDL_VIDEODRIVER"}, output),
                  1)
            << display;
        EXPECT_EQ(output, message) << display;
    }
    // Asked for by name, the text driver is used: the program draws and
    // waits for a key (its silent output keeps this test's terminal clean).
    std::string output;
    EXPECT_EQ(run_window_program("chair_colour_tiling",
                                 {"DISPLAY", "SDL_VIDEODRIVER=caca", "CACA_DRIVER=null"}, output),
              -1)
        << output;
}

TEST(ChairColourTiling, SixtyFourLeavesColouredByOrientation)
{
    const CapturedRun run = capture_frames("chair_colour_tiling");
    ASSERT_EQ(run.frames.size(), 1u);
    const Picture &frame = run.frames[0];
    EXPECT_EQ(colours_used(frame), (std::vector<uint32_t>{BLACK, BLUE, GREEN, RED, YELLOW, WHITE}));
    // Each leaf's inside: the 63 x 63 inner points of its square less the
    // 32 x 32 of its notch.
    const std::pair<uint32_t, size_t> leaves[] = {{RED, 20}, {GREEN, 16}, {BLUE, 12}, {YELLOW, 16}};
    for (const auto &[colour, count] : leaves)
        EXPECT_EQ(region_sizes(frame, colour), std::vector<long>(count, 2945)) << std::hex << colour;
    EXPECT_EQ(count_colour(frame, BLACK), 9153);
    // Everything coloured lies in the square x 20..532, y 58..570; its
    // top-right quarter, the notch, is white but for the two outline edges
    // it shares with the chair.
    const Box box = bounds_of(frame, BLACK);
    EXPECT_EQ(box.left, 20);
    EXPECT_EQ(box.right, 532);
    EXPECT_EQ(box.top, 58);
    EXPECT_EQ(box.bottom, 570);
    for (int y = 58; y < 314; ++y)
        for (int x = 277; x <= 532; ++x)
            ASSERT_EQ(pixel_at(frame, x, y), WHITE) << x << ", " << y;
    EXPECT_EQ(count_colour(frame, WHITE), 800 * 600 - (513 * 513 - 256 * 256));
}

TEST(TriAxisEdges, FramedBlackOnWhiteAtExtendedPrecision)
{
    const CapturedRun run = capture_frames("tri_axis_edges");
    ASSERT_EQ(run.frames.size(), 1u);
    const Picture &frame = run.frames[0];
    EXPECT_EQ(colours_used(frame), (std::vector<uint32_t>{BLACK, WHITE}));
    for (int x = 0; x < 800; ++x)
        ASSERT_TRUE(pixel_at(frame, x, 0) == BLACK && pixel_at(frame, x, 599) == BLACK) << x;
    for (int y = 0; y < 600; ++y)
        ASSERT_TRUE(pixel_at(frame, 0, y) == BLACK && pixel_at(frame, 799, y) == BLACK) << y;
    // Every line is horizontal or vertical: no black pixel has black
    // neighbours both beside it and above or below it unless it is a
    // junction of two axis-parallel lines, so no 2 x 2 block is all black.
    for (int y = 0; y + 1 < 600; ++y)
        for (int x = 0; x + 1 < 800; ++x)
            ASSERT_FALSE(pixel_at(frame, x, y) == BLACK && pixel_at(frame, x + 1, y) == BLACK &&
                         pixel_at(frame, x, y + 1) == BLACK &&
                         pixel_at(frame, x + 1, y + 1) == BLACK)
                << x << ", " << y;
    // The vertical lines at x = 1/3 fall on column 599, not 600.
    long column599 = 0, column600 = 0;
    for (int y = 1; y < 599; ++y) {
        column599 += pixel_at(frame, 599, y) == BLACK;
        column600 += pixel_at(frame, 600, y) == BLACK;
    }
    EXPECT_GT(column599, 100);
    EXPECT_LT(column600, 10);
}

TEST(FivesplitPinwheel, EachDepthDrawnOverTheOneBefore)
{
    const CapturedRun run = capture_frames("fivesplit_pinwheel");
    ASSERT_EQ(run.frames.size(), 5u);
    for (size_t n = 0; n < 5; ++n) {
        const Picture &frame = run.frames[n];
        EXPECT_EQ(colours_used(frame), (std::vector<uint32_t>{BLACK, WHITE})) << "frame " << n + 1;
        if (n > 0) {
            EXPECT_EQ(black_lost(run.frames[n - 1], frame), 0) << "frame " << n + 1;
        }
        // The strokes reach one pixel past the rectangle's corners
        // (10, 240) and (710, 590), and one depth-4 vertex lands on
        // column 9.
        const Box box = bounds_of(frame, BLACK);
        EXPECT_EQ(box.left, n >= 3 ? 8 : 9) << "frame " << n + 1;
        EXPECT_EQ(box.right, 711) << "frame " << n + 1;
        EXPECT_EQ(box.top, 239) << "frame " << n + 1;
        EXPECT_EQ(box.bottom, 591) << "frame " << n + 1;
    }
    EXPECT_EQ(run.frames[4].rgb, run.frames[3].rgb);
    // Depth 1 shows the ten triangles (five and their reflections), depth 2
    // fifty.
    // (The bands leave single white pixels in some acute corners.)
    auto triangles = [](const Picture &frame) {
        const std::vector<long> sizes = region_sizes(frame, WHITE);
        return std::count_if(sizes.begin(), sizes.end(), [](long s) { return s > 100; }) - 1;
    };
    EXPECT_EQ(triangles(run.frames[0]), 10);
    EXPECT_EQ(triangles(run.frames[1]), 50);
}

} // namespace
