// The five-fold hexagon patch, the calls its two programs' figure routines
// make (against the recording kernel), and the programs' frames.
#include "frames.h"
#include "hexagon_patch.h"
#include "raster.h"
#include "recording_kernel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

// From the programs' own files.
extern Uint32 tile_outline;
extern Uint32 strap_black, strap_dark_grey, strap_light_grey;
void draw_hexagon_tile(double r, double alpha, double beta);
void draw_reference_tile();
void draw_strap_tile(double r, double alpha, double beta);

namespace {

constexpr double DEGREE = 0.017453292519943295;

std::vector<Placement> patch()
{
    Placement tiles[PATCH_TILES];
    EXPECT_EQ(lay_patch(tiles), PATCH_TILES);
    return std::vector<Placement>(tiles, tiles + PATCH_TILES);
}

// Records the calls of `draw` with outline 1, dark grey 2, light grey 3.
template <typename Draw> std::vector<std::string> calls_of(Draw draw)
{
    kernel_calls.clear();
    tile_outline = strap_black = 1;
    strap_dark_grey = 2;
    strap_light_grey = 3;
    draw();
    return kernel_calls;
}

std::string thick(int x0, int y0, int x1, int y1, int width, int colour)
{
    char text[80];
    std::snprintf(text, sizeof text, "draw_thick_line(%d, %d, %d, %d, %d, %d)", x0, y0, x1, y1,
                  width, colour);
    return text;
}

TEST(HexagonPatch, RingTableGivesTheStatedRadiiAndAngles)
{
    // R, phi in degrees, psi in degrees.
    const double rows[RING_ROWS][3] = {
        {0, 0, 0},           {1, 36, 36},         {1.902113, 18, 0},    {1.902113, -18, 0},
        {2.869855, 24.181, 36}, {2.869855, 47.819, 36}, {3.804226, 18, 0}, {3.618034, 0, 0},
        {3.804226, -18, 0},  {4.765313, 21.718, 36}, {4.618034, 36, 36}, {4.765313, 50.282, 36},
        {5.706339, 18, 0},   {5.458789, 6.181, 0},   {5.706339, -18, 0}, {5.458789, -6.181, 0}};
    for (int i = 0; i < RING_ROWS; ++i) {
        EXPECT_NEAR(TILE_RINGS[i].r, rows[i][0], 5e-7) << "row " << i + 1;
        EXPECT_NEAR(TILE_RINGS[i].phi / DEGREE, rows[i][1], 5e-4) << "row " << i + 1;
        EXPECT_NEAR(TILE_RINGS[i].psi / DEGREE, rows[i][2], 1e-12) << "row " << i + 1;
    }
    EXPECT_EQ(TILE_RINGS[7].phi, 0.0);
}

TEST(HexagonPatch, EachRowTurnsExactlyFiveTimesBelowTwoPi)
{
    const std::vector<Placement> tiles = patch();
    const double thetas[5] = {0, 1.2566370614359172, 2.5132741228718345, 3.7699111843077517,
                              5.026548245743669};
    for (int row = 0; row < RING_ROWS; ++row)
        for (int turn = 0; turn < 5; ++turn) {
            const Placement &t = tiles[5 * row + turn];
            EXPECT_EQ(t.r, TILE_RINGS[row].r);
            EXPECT_DOUBLE_EQ(t.alpha, thetas[turn] + TILE_RINGS[row].phi) << row << " " << turn;
            EXPECT_DOUBLE_EQ(t.beta, thetas[turn] + TILE_RINGS[row].psi) << row << " " << turn;
        }
    EXPECT_EQ(tiles[4].alpha, 5.026548245743669);
}

bool same_point(ModelPoint a, ModelPoint b) { return std::hypot(a.x - b.x, a.y - b.y) < 1e-9; }

// The tiles meet edge to edge: of the 480 edges 400 are the 200 that two
// tiles share, 80 lie on the rim. A turn of 72 degrees about the centre
// maps the set of placed vertices onto itself.
TEST(HexagonPatch, TilesMeetEdgeToEdgeWithFiveFoldSymmetry)
{
    std::vector<ModelPoint> vertices;
    std::vector<std::pair<ModelPoint, ModelPoint>> edges;
    for (const Placement &t : patch()) {
        ModelPoint p[6];
        place_vertices(place_tile(t.r, t.alpha, t.beta), p);
        vertices.insert(vertices.end(), p, p + 6);
        for (const auto &s : TILE_EDGES)
            edges.push_back({p[s[0]], p[s[1]]});
    }
    int shared = 0, rim = 0;
    for (const auto &[a, b] : edges) {
        const long copies = std::count_if(edges.begin(), edges.end(), [&](const auto &e) {
            return (same_point(a, e.first) && same_point(b, e.second)) ||
                   (same_point(a, e.second) && same_point(b, e.first));
        });
        (copies == 1 ? rim : shared) += 1;
        EXPECT_LE(copies, 2);
    }
    EXPECT_EQ(shared, 400);
    EXPECT_EQ(rim, 80);

    const double c = std::cos(TWO_PI_5), s = std::sin(TWO_PI_5);
    for (const ModelPoint &v : vertices) {
        const ModelPoint turned = {c * v.x - s * v.y, s * v.x + c * v.y};
        EXPECT_TRUE(std::any_of(vertices.begin(), vertices.end(),
                                [&](ModelPoint w) { return same_point(w, turned); }))
            << v.x << ", " << v.y;
    }
}

TEST(HexagonTiling, FirstTilesOfRowsOneAndTwo)
{
    const std::vector<Placement> tiles = patch();
    // Vertex pixels P0..P5 of tile 1 (row 1) and tile 6 (row 2).
    const std::pair<int, int> cases[2][6] = {
        {{400, 300}, {440, 329}, {490, 329}, {530, 300}, {440, 270}, {490, 270}},
        {{440, 270}, {490, 270}, {530, 241}, {546, 193}, {455, 223}, {496, 193}}};
    const int sides[6][2] = {{0, 1}, {1, 2}, {2, 3}, {0, 4}, {4, 5}, {5, 3}};
    for (int n = 0; n < 2; ++n) {
        const Placement &t = tiles[5 * n];
        std::vector<std::string> expected;
        for (const auto &s : sides)
            expected.push_back(thick(cases[n][s[0]].first, cases[n][s[0]].second,
                                     cases[n][s[1]].first, cases[n][s[1]].second, 1, 1));
        EXPECT_EQ(calls_of([&] { draw_hexagon_tile(t.r, t.alpha, t.beta); }), expected)
            << "row " << n + 1;
    }
}

TEST(HexagonStrapwork, ReferenceTileAndFirstStrapTile)
{
    // Outline in black, width 1; straps in dark grey, width 2. M lies at
    // u = 2 exactly: column 480.
    EXPECT_EQ(calls_of(draw_reference_tile),
              (std::vector<std::string>{
                  thick(400, 300, 432, 323, 1, 1), thick(432, 323, 472, 323, 1, 1),
                  thick(472, 323, 504, 300, 1, 1), thick(400, 300, 432, 276, 1, 1),
                  thick(432, 276, 472, 276, 1, 1), thick(472, 276, 504, 300, 1, 1),
                  thick(424, 300, 416, 311, 2, 2), thick(424, 300, 416, 288, 2, 2),
                  thick(480, 300, 488, 311, 2, 2), thick(480, 300, 488, 288, 2, 2),
                  thick(452, 308, 424, 300, 2, 2), thick(452, 308, 480, 300, 2, 2),
                  thick(452, 291, 424, 300, 2, 2), thick(452, 291, 480, 300, 2, 2)}));
    const Placement first = patch()[0];
    EXPECT_EQ(calls_of([&] { draw_strap_tile(first.r, first.alpha, first.beta); }),
              (std::vector<std::string>{
                  thick(416, 311, 424, 300, 1, 1), thick(416, 288, 424, 300, 1, 1),
                  thick(488, 311, 480, 300, 1, 1), thick(488, 288, 480, 300, 1, 1),
                  thick(424, 300, 452, 308, 1, 1), thick(480, 300, 452, 308, 1, 1),
                  thick(452, 323, 452, 308, 1, 1), thick(424, 300, 452, 291, 1, 1),
                  thick(480, 300, 452, 291, 1, 1), thick(452, 276, 452, 291, 1, 1),
                  "flood_fill(452, 300, 3, 1)"}));
}

TEST(HexagonStrapwork, EveryTileFillsItsRhombusFromASeedOnTheCanvas)
{
    int left = SCREEN_W, right = -1, top = SCREEN_H, bottom = -1;
    for (const Placement &t : patch()) {
        const std::vector<std::string> calls =
            calls_of([&] { draw_strap_tile(t.r, t.alpha, t.beta); });
        ASSERT_EQ(calls.size(), 11u);
        int x, y;
        ASSERT_EQ(std::sscanf(calls[10].c_str(), "flood_fill(%d, %d, 3, 1)", &x, &y), 2);
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
    }
    EXPECT_EQ(left, 140);
    EXPECT_EQ(right, 669);
    EXPECT_EQ(top, 21);
    EXPECT_EQ(bottom, 578);
}

TEST(HexagonPrograms, FramesAndTheirColours)
{
    constexpr uint32_t DARK_GREY = 0x646464, LIGHT_GREY = 0xc8c8c8;
    const CapturedRun tiling = capture_frames("penta_hexagon_tiling");
    EXPECT_EQ(tiling.status, 0);
    ASSERT_EQ(tiling.frames.size(), 1u);
    EXPECT_EQ(colours_used(tiling.frames[0]), (std::vector<uint32_t>{BLACK, WHITE}));

    const CapturedRun strapwork = capture_frames("penta_hexagon_strapwork");
    EXPECT_EQ(strapwork.status, 0);
    ASSERT_EQ(strapwork.frames.size(), 2u);
    EXPECT_EQ(colours_used(strapwork.frames[0]), (std::vector<uint32_t>{BLACK, DARK_GREY, WHITE}));
    // No white is left after the recolouring.
    EXPECT_EQ(colours_used(strapwork.frames[1]),
              (std::vector<uint32_t>{BLACK, DARK_GREY, LIGHT_GREY}));
}

} // namespace
