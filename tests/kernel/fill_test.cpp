#include "kernel_tests.h"
#include "literal_forms.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>

namespace {

// The fill's rules applied seed by seed from a queue: a different order from
// the kernel's, which must not change the picture.
void reference_fill(int x, int y, Uint32 fill, Uint32 edge)
{
    std::deque<Pixel> seeds{{x, y}};
    while (!seeds.empty()) {
        const auto [sx, sy] = seeds.front();
        seeds.pop_front();
        int left, right;
        if (!literal_fill_run(sx, sy, fill, edge, left, right))
            continue;
        for (int i = left; i < right; ++i) {
            if (sy > 1)
                seeds.push_back({i, sy - 1});
            if (sy < SCREEN_H - 1)
                seeds.push_back({i, sy + 1});
        }
    }
}

std::vector<Uint32> snapshot()
{
    std::vector<Uint32> words;
    for (int y = 0; y < SCREEN_H; ++y)
        for (int x = 0; x < SCREEN_W; ++x)
            words.push_back(get_pixel(x, y));
    return words;
}

void restore(const std::vector<Uint32> &words)
{
    for (int y = 0; y < SCREEN_H; ++y)
        for (int x = 0; x < SCREEN_W; ++x)
            put_pixel(x, y, words[y * SCREEN_W + x]);
}

TEST(Fill, SeedOnBorderOrFillColourWritesNothing)
{
    fresh_canvas();
    draw_rect(10, 10, 30, 30, border());
    const std::vector<Uint32> before = snapshot();
    flood_fill(10, 20, ink(), border());
    EXPECT_EQ(snapshot(), before);
    put_pixel(20, 20, ink());
    flood_fill(20, 20, ink(), border());
    EXPECT_EQ(snapshot()[20 * SCREEN_W + 21], white());
    // Seeds off the canvas are ignored.
    flood_fill(-1, 20, ink(), border());
    flood_fill(20, 600, ink(), border());
    flood_fill(INT_MIN, INT_MAX, ink(), border());
    EXPECT_EQ(count_of(ink()), 1);
}

TEST(Fill, FillsExactlyInsideTheOutlinePaintingOverOtherColours)
{
    fresh_canvas();
    draw_rect(100, 50, 140, 80, border());
    const Uint32 other = map_rgb(1, 2, 3);
    for (int x = 110; x < 120; ++x)
        put_pixel(x, 60, other);
    put_pixel(300, 300, other);
    flood_fill(120, 70, ink(), border());
    EXPECT_EQ(count_of(ink()), 39 * 29);
    EXPECT_EQ(count_of(border()), 2 * 41 + 2 * 29);
    EXPECT_EQ(count_of(other), 1);
    EXPECT_EQ(get_pixel(101, 51), ink());
    EXPECT_EQ(get_pixel(139, 79), ink());
    EXPECT_EQ(get_pixel(141, 51), white());

    // Filling again with the same colour changes nothing.
    const std::vector<Uint32> before = snapshot();
    flood_fill(105, 55, ink(), border());
    EXPECT_EQ(snapshot(), before);
}

TEST(Fill, SquaresSharingOneCornerStaySeparate)
{
    for (bool rising : {false, true}) {
        fresh_canvas();
        if (rising) {
            draw_rect(100, 110, 110, 120, border());
            draw_rect(110, 100, 120, 110, border());
        } else {
            draw_rect(100, 100, 110, 110, border());
            draw_rect(110, 110, 120, 120, border());
        }
        flood_fill(105, 105 + (rising ? 10 : 0), ink(), border());
        EXPECT_EQ(count_of(ink()), 81) << (rising ? "rising" : "falling");
        EXPECT_EQ(get_pixel(115, 115 - (rising ? 10 : 0)), white());
    }
}

TEST(Fill, WholeCanvasLeavesRowZero)
{
    fresh_canvas();
    flood_fill(400, 300, ink(), border());
    EXPECT_EQ(count_of(ink()), SCREEN_W * (SCREEN_H - 1));
    for (int x = 0; x < SCREEN_W; ++x)
        ASSERT_EQ(get_pixel(x, 0), white());
    // A seed on row 0 fills its own row too, but for column 0, which the
    // left scan never reaches.
    fresh_canvas();
    flood_fill(5, 0, ink(), border());
    EXPECT_EQ(count_of(ink()), SCREEN_W * SCREEN_H - 1);
    EXPECT_EQ(get_pixel(0, 0), white());
}

TEST(Fill, WindingRegionsFillWithoutExhaustingTheStack)
{
    // Corridors one pixel wide running up and down the canvas: every run is
    // one pixel, so a recursive fill would nest once per pixel, some
    // 240,000 levels deep.
    fresh_canvas();
    for (int x = 1; x < SCREEN_W; x += 2)
        if (x % 4 == 1)
            draw_line(x, 0, x, 597, border());
        else
            draw_line(x, 2, x, 599, border());
    const long walls = count_of(border());
    flood_fill(0, 300, ink(), border());
    // Everything but the walls and row 0, which the fill never enters
    // from row 1.
    long row0_open = 0;
    for (int x = 0; x < SCREEN_W; ++x)
        row0_open += get_pixel(x, 0) != border();
    EXPECT_EQ(row0_open, 600);
    EXPECT_EQ(count_of(ink()), SCREEN_W * SCREEN_H - walls - row0_open);
    const std::vector<Uint32> filled = snapshot();
    restore(filled);
    for (int y = 0; y < SCREEN_H; ++y)
        for (int x = 0; x < SCREEN_W; ++x)
            if (get_pixel(x, y) == ink())
                put_pixel(x, y, white());
    reference_fill(0, 300, ink(), border());
    EXPECT_EQ(snapshot(), filled);
}

TEST(Fill, PictureDoesNotDependOnTheOrderOfSeeds)
{
    std::mt19937 random(99);
    std::uniform_int_distribution<int> coord(-40, 840);
    const Uint32 other = map_rgb(9, 9, 9);
    for (int round = 0; round < 25; ++round) {
        fresh_canvas();
        for (int i = 0; i < 60; ++i)
            draw_line(coord(random), coord(random) * 3 / 4, coord(random), coord(random) * 3 / 4,
                      i % 5 == 0 ? other : border());
        const std::vector<Uint32> start = snapshot();
        const int sx = round * 31 % SCREEN_W, sy = round * 23 % SCREEN_H;
        flood_fill(sx, sy, ink(), border());
        const std::vector<Uint32> mine = snapshot();
        restore(start);
        reference_fill(sx, sy, ink(), border());
        ASSERT_EQ(snapshot(), mine) << "round " << round;
    }
}

} // namespace
