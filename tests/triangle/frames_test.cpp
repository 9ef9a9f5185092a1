// The triangle programs run whole, headless: every frame they present.
#include "frames.h"
#include "raster.h"
#include "shaded_leaf.h"
#include "triangle_split.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr uint32_t DARK = 0x646464, LIGHT = 0xc8c8c8;

// The 4-connected areas of one colour larger than a pixel (a fill reaches
// single pixels in sharp corners diagonally).
long areas_of(const Picture &p, uint32_t rgb)
{
    const std::vector<long> sizes = region_sizes(p, rgb);
    return std::count_if(sizes.begin(), sizes.end(), [](long size) { return size > 1; });
}

// Black pixels on the canvas's outermost rows and columns.
long black_on_edge(const Picture &p)
{
    long n = 0;
    for (int i = 0; i < 800; ++i)
        n += (pixel_at(p, i, 0) == BLACK) + (pixel_at(p, i, 599) == BLACK);
    for (int i = 1; i < 599; ++i)
        n += (pixel_at(p, 0, i) == BLACK) + (pixel_at(p, 799, i) == BLACK);
    return n;
}

TEST(ShadedPrograms, FramesAndTheFirstDepths)
{
    const struct {
        const char *name;
        size_t frames, shown; // shown: the frame of the first depth below
        long dark, light;     // areas of each grey in it
    } programs[] = {{"tri_shaded_steps", 8, 0, 0, 3},   // depth 1
                    {"tri_midpoint_steps", 8, 0, 1, 0}, // depth 0
                    {"tri_midpoint_steps", 8, 1, 2, 2}, // depth 1
                    {"tri_shaded_zoom", 1, 0, 0, 0}};
    for (const auto &program : programs) {
        const CapturedRun run = capture_frames(program.name);
        EXPECT_EQ(run.status, 0) << program.name;
        ASSERT_EQ(run.frames.size(), program.frames) << program.name;
        // The frame lines only in the first picture, and a blank last one.
        EXPECT_EQ(black_on_edge(run.frames[0]), 2 * 800 + 2 * 598) << program.name;
        for (size_t n = 1; n < run.frames.size(); ++n)
            EXPECT_EQ(black_on_edge(run.frames[n]), 0) << program.name << " frame " << n + 1;
        if (program.frames > 1) {
            EXPECT_EQ(colours_used(run.frames.back()), std::vector<uint32_t>{WHITE});
        }
        if (program.dark + program.light > 0) {
            EXPECT_EQ(areas_of(run.frames[program.shown], DARK), program.dark) << program.name;
            EXPECT_EQ(areas_of(run.frames[program.shown], LIGHT), program.light) << program.name;
        }
    }
    // The steps' three leaves meet at the centroid (335, 402); the
    // midpoints' upper rhombus is halved from the apex (335, 32) to the base.
    EXPECT_EQ(pixel_at(capture_frames("tri_shaded_steps").frames[0], 335, 402), BLACK);
    const Picture midpoints = capture_frames("tri_midpoint_steps").frames[1];
    for (int y = 32; y <= 595; ++y)
        ASSERT_EQ(pixel_at(midpoints, 335, y), BLACK) << y;
}

TEST(TriAxisEdges, FramedBlackOnWhiteAtExtendedPrecision)
{
    const CapturedRun run = capture_frames("tri_axis_edges");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.frames.size(), 1u);
    const Picture &frame = run.frames[0];
    EXPECT_EQ(frame.width, 800);
    EXPECT_EQ(frame.height, 600);
    EXPECT_EQ(colours_used(frame), (std::vector<uint32_t>{BLACK, WHITE}));
    EXPECT_EQ(black_on_edge(frame), 2 * 800 + 2 * 598);
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

// tri_shaded_zoom's split in its literal form: every leaf drawn, none
// passed over, whether or not it lies on the canvas.
void literal_thirds(double x1, double y1, double x2, double y2, double x3, double y3, int depth);

void literal_centroid(double x1, double y1, double x2, double y2, double x3, double y3, int depth)
{
    if (depth == 0) {
        draw_shaded_leaf(x1, y1, x2, y2, x3, y3, true);
        return;
    }
    const double gx = centroid_of(x1, x2, x3), gy = centroid_of(y1, y2, y3);
    literal_thirds(gx, gy, x1, y1, x2, y2, depth - 1);
    literal_thirds(gx, gy, x2, y2, x3, y3, depth - 1);
    literal_thirds(gx, gy, x3, y3, x1, y1, depth - 1);
}

void literal_thirds(double x1, double y1, double x2, double y2, double x3, double y3, int depth)
{
    if (depth == 0) {
        draw_shaded_leaf(x1, y1, x2, y2, x3, y3, false);
        return;
    }
    const double ax = one_third(x2, x3), ay = one_third(y2, y3);
    const double bx = two_thirds(x2, x3), by = two_thirds(y2, y3);
    literal_centroid(x1, y1, ax, ay, bx, by, depth - 1);
    literal_thirds(ax, ay, x1, y1, x2, y2, depth - 1);
    literal_thirds(bx, by, x3, y3, x1, y1, depth - 1);
}

} // namespace

namespace {

TEST(TriShadedZoom, AsEveryLeafDrawnInFullWithCutLeavesWhite)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    open_canvas();
    clear_canvas(map_shaded_palette());
    triangle_view = {4000, -400, 700};
    draw_frame(leaf_outline);
    literal_centroid(0.5, 0.8660254037844386, 0, 0, 1, 0, 10);

    const CapturedRun run = capture_frames("tri_shaded_zoom");
    ASSERT_EQ(run.frames.size(), 1u);
    const Picture &frame = run.frames[0];
    long differ = 0, white_by_frame = 0, white_areas_inside = 0;
    for (int y = 0; y < SCREEN_H; ++y)
        for (int x = 0; x < SCREEN_W; ++x) {
            Uint8 r, g, b;
            SDL_GetRGB(get_pixel(x, y), screen->format, &r, &g, &b);
            differ += pixel_at(frame, x, y) != (uint32_t(r) << 16 | uint32_t(g) << 8 | b);
            white_by_frame += (x == 1 || y == 1 || x == 798 || y == 598) &&
                              pixel_at(frame, x, y) == WHITE;
            // Leaves are under 30 pixels across: white further in than
            // that is only single pixels in sharp corners.
            white_areas_inside += x > 30 && y > 30 && x < 769 && y < 569 &&
                                  pixel_at(frame, x, y) == WHITE &&
                                  (pixel_at(frame, x + 1, y) == WHITE ||
                                   pixel_at(frame, x, y + 1) == WHITE);
        }
    EXPECT_EQ(differ, 0);
    EXPECT_GT(white_by_frame, 100);
    EXPECT_EQ(white_areas_inside, 0);
}

} // namespace
