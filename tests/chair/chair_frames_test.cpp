// The chair programs run whole, headless: their frames against the counts
// and bounds that define them, and against pictures drawn here with
// draw_chair.
#include "chair.h"
#include "frames.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

namespace {

constexpr uint32_t GREYS[4] = {0x464646, 0x787878, 0xb4b4b4, 0xe6e6e6};
constexpr uint32_t BRIGHT[4] = {0xff0000, 0x00ff00, 0x0000ff, 0xffff00};

const CapturedRun &run_of(const std::string &program)
{
    static std::map<std::string, CapturedRun> runs;
    if (!runs.count(program))
        runs[program] = capture_frames(program);
    return runs[program];
}

// The pixels of `rgb` inside the box x0..x1, y0..y1, and those outside it.
std::pair<long, long> count_in_box(const Picture &p, uint32_t rgb, int x0, int y0, int x1, int y1)
{
    long in = 0, out = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (pixel_at(p, x, y) == rgb)
                ++(x >= x0 && x <= x1 && y >= y0 && y <= y1 ? in : out);
    return {in, out};
}

TEST(ChairPrograms, FramesAndLeavesByColour)
{
    // A program's number of frames, and in its frame n the number of
    // regions of each fill colour (one per leaf), each of `area` pixels (0:
    // leaves cut by the window, of any size).
    struct Row {
        const char *program;
        size_t frames, n;
        const uint32_t *colours;
        std::array<size_t, 4> leaves;
        long area;
    } rows[] = {
        // Leaves of 16: 15 x 15 inner points less the 8 x 8 of the notch.
        // The 1,024 of the large chair, the 256 of the first chair added
        // in its notch, ..., the single leaf of the last one.
        {"chair_grey_square", 7, 1, GREYS, {272, 256, 240, 256}, 161},
        {"chair_grey_square", 7, 2, GREYS, {328, 320, 312, 320}, 161},
        {"chair_grey_square", 7, 5, GREYS, {342, 341, 340, 341}, 161},
        {"chair_grey_square", 7, 6, GREYS, {342, 341, 341, 341}, 161},
        {"chair_growth", 7, 7, BRIGHT, {272, 256, 240, 256}, 17 * 17 - 9 * 9},
        {"chair_grey_zoom", 1, 1, GREYS, {648, 619, 606, 634}, 0},
        // Markers: 39 x 39 inner points less a 20 x 20 square.
        {"chair_grid_steps", 5, 2, GREYS, {2, 1, 0, 1}, 1121},
        {"chair_grid_steps", 5, 5, GREYS, {20, 16, 12, 16}, 1121},
    };
    for (const Row &row : rows) {
        const CapturedRun &run = run_of(row.program);
        EXPECT_EQ(run.status, 0) << row.program;
        ASSERT_EQ(run.frames.size(), row.frames) << row.program;
        for (int o = 0; o < 4; ++o) {
            const std::vector<long> sizes = region_sizes(run.frames[row.n - 1], row.colours[o]);
            EXPECT_EQ(sizes.size(), row.leaves[o]) << row.program << " " << row.n << ", " << o;
            if (row.area) {
                EXPECT_EQ(sizes, std::vector<long>(sizes.size(), row.area)) << row.program << " " << row.n;
            }
        }
    }
}

TEST(ChairPrograms, WhiteLeftWhereTheFiguresDoNotReach)
{
    // The 7 x 7 inside of the hole at (276..284, 306..314) is the only white
    // inside the 512 square; white is left in the zoom only in leaves cut by
    // the frame, within 9 pixels of the edge.
    const Picture &square = run_of("chair_grey_square").frames.back();
    EXPECT_EQ(count_in_box(square, WHITE, 20, 58, 532, 570).first, 49);
    EXPECT_EQ(count_in_box(run_of("chair_grey_zoom").frames[0], WHITE, 10, 10, 789, 589),
              std::make_pair(0L, 3489L));
    // The grid's chair: the square x 240..560, y 120..440 less its
    // top-right quarter beyond the outline; white is exactly outside it.
    const Picture &grid = run_of("chair_grid_steps").frames.back();
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            ASSERT_EQ(pixel_at(grid, x, y) == WHITE,
                      x < 240 || x > 560 || y < 120 || y > 440 || (x > 400 && y < 280))
                << x << ", " << y;
}

TEST(ChairColourTiling, SixtyFourLeavesColouredByOrientation)
{
    const CapturedRun &run = run_of("chair_colour_tiling");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.frames.size(), 1u);
    const Picture &frame = run.frames[0];
    EXPECT_EQ(frame.width, 800);
    EXPECT_EQ(frame.height, 600);
    EXPECT_EQ(colours_used(frame), (std::vector<uint32_t>{BLACK, BRIGHT[2], BRIGHT[1], BRIGHT[0],
                                                          BRIGHT[3], WHITE}));
    // Each leaf's inside: the 63 x 63 inner points of its square less the
    // 32 x 32 of its notch. Red, green, blue, yellow:
    const size_t leaves[4] = {20, 16, 12, 16};
    for (int o = 0; o < 4; ++o)
        EXPECT_EQ(region_sizes(frame, BRIGHT[o]), std::vector<long>(leaves[o], 2945))
            << std::hex << BRIGHT[o];
    EXPECT_EQ(count_colour(frame, BLACK), 9153);
    // Everything coloured lies in the square x 20..532, y 58..570; its
    // top-right quarter, the notch, is white but for the two outline edges
    // it shares with the chair.
    const Bounds box = bounds_of(frame, BLACK);
    EXPECT_EQ(box.left, 20);
    EXPECT_EQ(box.right, 532);
    EXPECT_EQ(box.top, 58);
    EXPECT_EQ(box.bottom, 570);
    for (int y = 58; y < 314; ++y)
        for (int x = 277; x <= 532; ++x)
            ASSERT_EQ(pixel_at(frame, x, y), WHITE) << x << ", " << y;
    EXPECT_EQ(count_colour(frame, WHITE), 800 * 600 - (513 * 513 - 256 * 256));
}

TEST(ChairGrowth, EachStepIsTheRecursiveChairOfTwiceTheSize)
{
    SDL_Surface *canvas = SDL_CreateRGBSurface(0, SCREEN_W, SCREEN_H, 32, 0xff0000, 0xff00, 0xff, 0);
    set_canvas(canvas);
    chair_outline = BLACK;
    std::copy(BRIGHT, BRIGHT + 4, CHAIR_COLOURS);
    const CapturedRun &run = run_of("chair_growth");
    ASSERT_EQ(run.frames.size(), 7u);
    for (int n = 0; n <= 5; ++n) {
        clear_canvas(WHITE);
        draw_chair(100, 585, 18 << n, 0, n);
        const auto *words = static_cast<const uint32_t *>(canvas->pixels);
        EXPECT_TRUE(std::equal(run.frames[n].rgb.begin(), run.frames[n].rgb.end(), words)) << n;
    }
    // The chair of 576 spans columns 100 to 676 and rows 9 to 585.
    EXPECT_EQ(count_in_box(run.frames[6], BLACK, 100, 9, 676, 585).second, 0);
    EXPECT_TRUE(pixel_at(run.frames[6], 100, 9) == BLACK && pixel_at(run.frames[6], 676, 585) == BLACK);
    SDL_FreeSurface(canvas);
}

} // namespace
