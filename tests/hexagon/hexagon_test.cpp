// The five-fold hexagon patch, the calls its two programs' figure routines
// make (against the recording kernel), and the programs' frames.
#include "frames.h"
#include "hexagon_patch.h"
#include "raster.h"
#include "recording_kernel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

// From the programs' own files.
extern Uint32 tile_outline, strap_black, strap_dark_grey, strap_light_grey;
void draw_hexagon_tile(double r, double alpha, double beta);
void draw_reference_tile();
void draw_strap_tile(double r, double alpha, double beta);

namespace {

using Line = std::array<int, 6>; // x0, y0, x1, y1, width, colour

std::vector<Placement> patch()
{
    Placement tiles[PATCH_TILES];
    EXPECT_EQ(lay_patch(tiles), PATCH_TILES);
    return std::vector<Placement>(tiles, tiles + PATCH_TILES);
}

// The calls `draw` records with black 1, dark grey 2, light grey 3.
template <typename Draw> std::vector<std::string> calls_of(Draw draw)
{
    kernel_calls.clear();
    tile_outline = strap_black = 1;
    strap_dark_grey = 2;
    strap_light_grey = 3;
    draw();
    return kernel_calls;
}

// The thick lines among the calls, as numbers.
std::vector<Line> lines_of(const std::vector<std::string> &calls)
{
    std::vector<Line> lines;
    for (const std::string &call : calls) {
        Line l{};
        if (std::sscanf(call.c_str(), "draw_thick_line(%d, %d, %d, %d, %d, %d)", &l[0], &l[1],
                        &l[2], &l[3], &l[4], &l[5]) == 6)
            lines.push_back(l);
    }
    return lines;
}

bool same(ModelPoint a, ModelPoint b) { return std::hypot(a.x - b.x, a.y - b.y) < 1e-9; }

// Five turns per row (theta ends exactly on 2 pi); the tiles meet edge to
// edge (of 480 edges 400 are the 200 that two tiles share, 80 are on the
// rim); a turn of 72 degrees maps the placed vertices onto themselves.
TEST(HexagonPatch, FiveTurnsPerRowEdgeToEdgeAndFiveFold)
{
    const std::vector<Placement> tiles = patch();
    const double thetas[5] = {0, 1.2566370614359172, 2.5132741228718345, 3.7699111843077517,
                              5.026548245743669};
    for (int turn = 0; turn < 5; ++turn)
        EXPECT_EQ(tiles[turn].alpha, thetas[turn]);
    std::vector<ModelPoint> vertices;
    for (const Placement &t : tiles) {
        ModelPoint p[6];
        place_vertices(place_tile(t.r, t.alpha, t.beta), p);
        for (const auto &e : TILE_EDGES)
            vertices.insert(vertices.end(), {p[e[0]], p[e[1]]});
    }
    int rim = 0;
    for (size_t i = 0; i < vertices.size(); i += 2) {
        long copies = 0;
        for (size_t j = 0; j < vertices.size(); j += 2)
            copies += (same(vertices[i], vertices[j]) && same(vertices[i + 1], vertices[j + 1])) ||
                      (same(vertices[i], vertices[j + 1]) && same(vertices[i + 1], vertices[j]));
        ASSERT_LE(copies, 2);
        rim += copies == 1;
    }
    EXPECT_EQ(rim, 80);
    const double c = std::cos(TWO_PI_5), s = std::sin(TWO_PI_5);
    for (const ModelPoint &v : vertices) {
        const ModelPoint turned = {c * v.x - s * v.y, s * v.x + c * v.y};
        ASSERT_TRUE(std::any_of(vertices.begin(), vertices.end(),
                                [&](ModelPoint w) { return same(w, turned); }));
    }
}

TEST(HexagonTiling, FirstTilesOfRowsOneAndTwo)
{
    // Vertex pixels P0..P5 of the first tile of row 1 and of row 2; the
    // outline runs P0-P1-P2-P3, then P0-P4-P5-P3.
    const int p[2][6][2] = {
        {{400, 300}, {440, 329}, {490, 329}, {530, 300}, {440, 270}, {490, 270}},
        {{440, 270}, {490, 270}, {530, 241}, {546, 193}, {455, 223}, {496, 193}}};
    const int edges[6][2] = {{0, 1}, {1, 2}, {2, 3}, {0, 4}, {4, 5}, {5, 3}};
    const std::vector<Placement> tiles = patch();
    for (int row = 0; row < 2; ++row) {
        std::vector<Line> expected;
        for (const auto &[a, b] : edges)
            expected.push_back({p[row][a][0], p[row][a][1], p[row][b][0], p[row][b][1], 1, 1});
        const Placement &t = tiles[5 * row];
        EXPECT_EQ(lines_of(calls_of([&] { draw_hexagon_tile(t.r, t.alpha, t.beta); })), expected)
            << "row " << row + 1;
    }
}

TEST(HexagonStrapwork, ReferenceTileFirstStrapTileAndFillSeeds)
{
    // Outline black, width 1; straps dark grey, width 2. M lies at u = 2
    // exactly: column 480.
    const std::vector<Line> reference = {
        {400, 300, 432, 323, 1, 1}, {432, 323, 472, 323, 1, 1}, {472, 323, 504, 300, 1, 1},
        {400, 300, 432, 276, 1, 1}, {432, 276, 472, 276, 1, 1}, {472, 276, 504, 300, 1, 1},
        {424, 300, 416, 311, 2, 2}, {424, 300, 416, 288, 2, 2}, {480, 300, 488, 311, 2, 2},
        {480, 300, 488, 288, 2, 2}, {452, 308, 424, 300, 2, 2}, {452, 308, 480, 300, 2, 2},
        {452, 291, 424, 300, 2, 2}, {452, 291, 480, 300, 2, 2}};
    const std::vector<Line> first = {
        {416, 311, 424, 300, 1, 1}, {416, 288, 424, 300, 1, 1}, {488, 311, 480, 300, 1, 1},
        {488, 288, 480, 300, 1, 1}, {424, 300, 452, 308, 1, 1}, {480, 300, 452, 308, 1, 1},
        {452, 323, 452, 308, 1, 1}, {424, 300, 452, 291, 1, 1}, {480, 300, 452, 291, 1, 1},
        {452, 276, 452, 291, 1, 1}};
    EXPECT_EQ(lines_of(calls_of(draw_reference_tile)), reference);
    EXPECT_EQ(kernel_calls.size(), reference.size());
    const std::vector<Placement> tiles = patch();
    const Placement &t0 = tiles[0];
    EXPECT_EQ(lines_of(calls_of([&] { draw_strap_tile(t0.r, t0.alpha, t0.beta); })), first);
    EXPECT_EQ(kernel_calls.back(), "flood_fill(452, 300, 3, 1)");
    // Each tile: ten straps, then a fill seeded on the canvas.
    int box[4] = {SCREEN_W, SCREEN_H, -1, -1};
    for (const Placement &t : tiles) {
        const std::vector<std::string> calls =
            calls_of([&] { draw_strap_tile(t.r, t.alpha, t.beta); });
        int x, y;
        ASSERT_EQ(calls.size(), 11u);
        ASSERT_EQ(std::sscanf(calls[10].c_str(), "flood_fill(%d, %d, 3, 1)", &x, &y), 2);
        box[0] = std::min(box[0], x), box[1] = std::min(box[1], y);
        box[2] = std::max(box[2], x), box[3] = std::max(box[3], y);
    }
    EXPECT_EQ(std::vector<int>(box, box + 4), (std::vector<int>{140, 21, 669, 578}));
}

TEST(HexagonPrograms, FramesAndTheirColours)
{
    const CapturedRun tiling = capture_frames("penta_hexagon_tiling");
    EXPECT_EQ(tiling.status, 0);
    ASSERT_EQ(tiling.frames.size(), 1u);
    EXPECT_EQ(colours_used(tiling.frames[0]), (std::vector<uint32_t>{BLACK, WHITE}));
    const CapturedRun strapwork = capture_frames("penta_hexagon_strapwork");
    EXPECT_EQ(strapwork.status, 0);
    ASSERT_EQ(strapwork.frames.size(), 2u);
    // No white is left after the recolouring: only black and the greys.
    EXPECT_EQ(colours_used(strapwork.frames[1]),
              (std::vector<uint32_t>{BLACK, 0x646464, 0xc8c8c8}));
}

} // namespace
