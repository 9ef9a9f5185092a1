// The chair programs run whole, headless: their frames against the counts
// and extents that define them, and against pictures drawn here with
// draw_chair.
#include "chair.h"
#include "frames.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr uint32_t GREYS[4] = {0x464646, 0x787878, 0xb4b4b4, 0xe6e6e6};
constexpr uint32_t COLOURS[4] = {0xff0000, 0x00ff00, 0x0000ff, 0xffff00};

// Checks that the frame holds counts[o] regions of colours[o], each of
// `area` pixels: one per leaf, each leaf's inside exactly filled.
void expect_leaves(const Picture &frame, const uint32_t (&colours)[4], const std::array<size_t, 4> &counts,
                   long area, const std::string &what)
{
    for (int o = 0; o < 4; ++o)
        EXPECT_EQ(region_sizes(frame, colours[o]), std::vector<long>(counts[o], area))
            << what << ", colour " << o;
}

// The number of pixels of `rgb` in the box x0..x1, y0..y1 (inclusive), and
// of those outside it.
std::pair<long, long> count_in_box(const Picture &p, uint32_t rgb, int x0, int y0, int x1, int y1)
{
    long in = 0, out = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (pixel_at(p, x, y) == rgb)
                ++(x >= x0 && x <= x1 && y >= y0 && y <= y1 ? in : out);
    return {in, out};
}

// A canvas of 0xRRGGBB words drawn by the real kernel, in the middle of a
// buffer whose margin of GUARD words on every side holds SENTINEL, so that
// a write outside the canvas shows.
constexpr int GUARD = 16, STRIDE = SCREEN_W + 2 * GUARD;
constexpr Uint32 SENTINEL = 0x5a5a5a;
std::vector<Uint32> guarded((SCREEN_H + 2 * GUARD) * STRIDE);

void open_guarded_canvas()
{
    std::fill(guarded.begin(), guarded.end(), SENTINEL);
    static SDL_Surface *surface =
        SDL_CreateRGBSurfaceFrom(&guarded[GUARD * STRIDE + GUARD], SCREEN_W, SCREEN_H, 32,
                                 STRIDE * 4, 0xff0000, 0x00ff00, 0x0000ff, 0);
    set_canvas(surface);
    clear_canvas(0xffffff);
    chair_outline = 0;
}

Picture canvas_picture()
{
    Picture p;
    p.width = SCREEN_W;
    p.height = SCREEN_H;
    for (int y = 0; y < SCREEN_H; ++y)
        for (int x = 0; x < SCREEN_W; ++x)
            p.rgb.push_back(get_pixel(x, y));
    return p;
}

long guard_words_changed()
{
    long changed = 0;
    for (int row = 0; row < SCREEN_H + 2 * GUARD; ++row)
        for (int column = 0; column < STRIDE; ++column) {
            const bool inside = row >= GUARD && row < GUARD + SCREEN_H && column >= GUARD &&
                                column < GUARD + SCREEN_W;
            changed += !inside && guarded[row * STRIDE + column] != SENTINEL;
        }
    return changed;
}

TEST(ChairPrograms, EachShowsOneFramePerWaitAndEndsWithStatusZero)
{
    const std::pair<const char *, size_t> programs[] = {
        {"chair_grey_square", 7}, {"chair_growth", 7}, {"chair_grey_zoom", 1}, {"chair_grid_steps", 5}};
    for (const auto &[name, waits] : programs) {
        const CapturedRun run = capture_frames(name);
        EXPECT_EQ(run.status, 0) << name;
        EXPECT_EQ(run.frames.size(), waits) << name;
        EXPECT_EQ(run.errors, "") << name;
    }
}

TEST(ChairGreySquare, NotchFilledStepByStepWithLeavesOfSixteen)
{
    const CapturedRun run = capture_frames("chair_grey_square");
    ASSERT_EQ(run.frames.size(), 7u);
    // Leaves by orientation in each picture: the 1,024 of the large chair,
    // then 256, 64, 16, 4 and 1 more of the chairs of orientation 2 added
    // in the notch; each leaf's inside is 15 x 15 less its 8 x 8 notch.
    const std::array<size_t, 4> leaves[7] = {
        {272, 256, 240, 256}, {328, 320, 312, 320}, {340, 336, 332, 336}, {342, 340, 338, 340},
        {342, 341, 340, 341}, {342, 341, 341, 341}, {342, 341, 341, 341},
    };
    for (size_t n = 0; n < 7; ++n)
        expect_leaves(run.frames[n], GREYS, leaves[n], 161, "picture " + std::to_string(n + 1));
    // The 7 x 7 inside of the 8 x 8 hole at (276..284, 306..314) is the only
    // white left in the 512 square.
    const Picture &last = run.frames[6];
    EXPECT_EQ(count_in_box(last, WHITE, 20, 58, 532, 570).first, 49);
    EXPECT_EQ(count_in_box(last, WHITE, 277, 307, 283, 313).first, 49);
    EXPECT_EQ(last.rgb, run.frames[5].rgb);
}

TEST(ChairGrowth, EachStepIsTheRecursiveChairOfTwiceTheSize)
{
    const CapturedRun run = capture_frames("chair_growth");
    ASSERT_EQ(run.frames.size(), 7u);
    open_guarded_canvas();
    for (int o = 0; o < 4; ++o)
        CHAIR_COLOURS[o] = COLOURS[o];
    for (int n = 0; n <= 5; ++n) {
        clear_canvas(0xffffff);
        draw_chair(100, 585, 18 << n, 0, n);
        EXPECT_TRUE(canvas_picture().rgb == run.frames[n].rgb) << "step " << n;
    }
    EXPECT_EQ(run.frames[6].rgb, run.frames[5].rgb);
    // The chair of 576 spans columns 100 to 676 and rows 9 to 585; its
    // 1,024 tiles have 17 x 17 - 9 x 9 inner pixels.
    const Picture &last = run.frames[6];
    EXPECT_EQ(count_in_box(last, BLACK, 100, 9, 676, 585).second, 0);
    EXPECT_TRUE(pixel_at(last, 100, 9) == BLACK && pixel_at(last, 676, 585) == BLACK);
    expect_leaves(last, COLOURS, {272, 256, 240, 256}, 208, "final picture");
}

TEST(ChairGreyZoom, FramedDetailOfTheSevenLevelChair)
{
    const CapturedRun run = capture_frames("chair_grey_zoom");
    ASSERT_EQ(run.frames.size(), 1u);
    const Picture &frame = run.frames[0];
    const size_t filled[4] = {648, 619, 606, 634};
    for (int o = 0; o < 4; ++o)
        EXPECT_EQ(region_sizes(frame, GREYS[o]).size(), filled[o]) << "orientation " << o;
    // White is left only in tiles cut by the frame whose seed lies outside
    // it.
    EXPECT_EQ(count_in_box(frame, WHITE, 10, 10, 789, 589), std::make_pair(0L, 3489L));
    EXPECT_EQ(count_in_box(frame, BLACK, 0, 0, 799, 599).first,
              count_colour(frame, BLACK));
    for (int x = 0; x < 800; ++x)
        ASSERT_TRUE(pixel_at(frame, x, 0) == BLACK && pixel_at(frame, x, 599) == BLACK) << x;
    for (int y = 0; y < 600; ++y)
        ASSERT_TRUE(pixel_at(frame, 0, y) == BLACK && pixel_at(frame, 799, y) == BLACK) << y;

    // Drawn again on a guarded canvas: the same picture, and nothing
    // written around the canvas.
    open_guarded_canvas();
    for (int o = 0; o < 4; ++o)
        CHAIR_COLOURS[o] = GREYS[o];
    draw_frame(0);
    draw_chair_clipped(-200, 970, 2048, 0, 7);
    EXPECT_TRUE(canvas_picture().rgb == frame.rgb);
    EXPECT_EQ(guard_words_changed(), 0);
}

TEST(ChairGridSteps, MarkersMultiplyUntilTheyTileTheChair)
{
    const CapturedRun run = capture_frames("chair_grid_steps");
    ASSERT_EQ(run.frames.size(), 5u);
    // Markers by type in each picture; each marker's inside is 39 x 39 less
    // its 20 x 20 missing square.
    const std::array<size_t, 4> markers[5] = {
        {1, 0, 0, 0}, {2, 1, 0, 1}, {6, 4, 2, 4}, {20, 16, 12, 16}, {20, 16, 12, 16}};
    for (size_t n = 0; n < 5; ++n)
        expect_leaves(run.frames[n], GREYS, markers[n], 1121, "picture " + std::to_string(n + 1));
    EXPECT_EQ(run.frames[4].rgb, run.frames[3].rgb);
    // The final chair: the square x 240..560, y 120..440 but for its
    // top-right quarter beyond the outline (x 401..560, y 120..279). No
    // pixel in it is white and none outside it is anything else.
    const Picture &last = run.frames[4];
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const bool in_chair = x >= 240 && x <= 560 && y >= 120 && y <= 440 && !(x > 400 && y < 280);
            ASSERT_EQ(pixel_at(last, x, y) != WHITE, in_chair) << x << ", " << y;
        }
}

} // namespace
