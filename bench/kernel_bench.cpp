// Timings of the kernel routines on the dummy driver's canvas. (Each
// program's frames are timed by its own <program>_frames.)
//
// Besides single long lines, bands and fills, a few workloads stand for
// figures drawn deep and enlarged: meshes of tiles a few pixels across, each
// outlined with three lines (or bands of width 0 or 1) and filled from its
// centroid, where most of the time goes into the calls' own set-up; and
// fills nested level inside level, which fill every pixel several times.
#include "raster.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

Uint32 white, ink, black;
Uint32 TILE_COLOURS[4];

void BM_Line799Pixels(benchmark::State &state)
{
    for (auto _ : state)
        draw_line(0, 100, 598, 300, ink);
}
BENCHMARK(BM_Line799Pixels);

void BM_LineFarOutside(benchmark::State &state)
{
    for (auto _ : state)
        draw_line(-1000000, -5000, 1000000, -4000, ink);
}
BENCHMARK(BM_LineFarOutside);

void BM_FloodFillEmptyCanvas(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        clear_canvas(white);
        state.ResumeTiming();
        flood_fill(400, 300, ink, 0);
    }
}
BENCHMARK(BM_FloodFillEmptyCanvas)->Unit(benchmark::kMillisecond);

// A band of width 0, 1 or 3 across the canvas.
void BM_ThickLine(benchmark::State &state)
{
    const int width = static_cast<int>(state.range(0));
    for (auto _ : state)
        draw_thick_line(100, 100, 700, 500, width, ink);
}
BENCHMARK(BM_ThickLine)->Arg(0)->Arg(1)->Arg(3)->Unit(benchmark::kMicrosecond);

void BM_Disk(benchmark::State &state)
{
    fill_disk(400, 300, 250, ink);
    for (auto _ : state)
        fill_disk(400, 300, 250, ink);
}
BENCHMARK(BM_Disk)->Unit(benchmark::kMicrosecond);

// A mesh of triangles over the whole canvas, as a split drawn deep and
// enlarged gives: the corners of a grid of `cell` pixels, each moved by a
// fixed pseudo-random amount of up to a quarter of a cell, every cell cut
// along a diagonal into two triangles. Shared edges are drawn once by each tile,
// in opposite directions, as the figures draw them.
struct Tile {
    int x[3], y[3];
};

std::vector<Tile> mesh(int cell)
{
    const int columns = SCREEN_W / cell + 1, rows = SCREEN_H / cell + 1;
    std::vector<int> px, py;
    unsigned seed = 12345;
    auto jitter = [&] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(cell / 4 + 1));
    };
    for (int j = 0; j <= rows; ++j)
        for (int i = 0; i <= columns; ++i) {
            px.push_back(i * cell - jitter());
            py.push_back(j * cell - jitter());
        }
    auto corner = [&](int i, int j) { return j * (columns + 1) + i; };
    std::vector<Tile> tiles;
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i) {
            const int a = corner(i, j), b = corner(i + 1, j), c = corner(i, j + 1),
                      d = corner(i + 1, j + 1);
            tiles.push_back({{px[a], px[b], px[d]}, {py[a], py[b], py[d]}});
            tiles.push_back({{px[a], px[d], px[c]}, {py[a], py[d], py[c]}});
        }
    return tiles;
}

// Edge kinds: lines, or bands of width 0 or 1.
enum EdgeKind { LINES, BAND_0, BAND_1 };

void outline(const Tile &t, EdgeKind kind)
{
    for (int k = 0; k < 3; ++k) {
        const int x0 = t.x[k], y0 = t.y[k], x1 = t.x[(k + 1) % 3], y1 = t.y[(k + 1) % 3];
        if (kind == LINES)
            draw_line(x0, y0, x1, y1, black);
        else
            draw_thick_line(x0, y0, x1, y1, kind == BAND_0 ? 0 : 1, black);
    }
}

// The centroid's column or row, rounded: inside the tile or on its outline.
int centroid(const int (&v)[3])
{
    const int sum = v[0] + v[1] + v[2];
    return sum >= 0 ? (sum + 1) / 3 : -((1 - sum) / 3);
}

// Every tile outlined and filled from its centroid, one after the other:
// with cells of 2 to 4 pixels most seeds land on an outline.
void tiny_tiles(benchmark::State &state, EdgeKind kind, bool fill)
{
    const std::vector<Tile> tiles = mesh(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        clear_canvas(white);
        state.ResumeTiming();
        for (size_t n = 0; n < tiles.size(); ++n) {
            const Tile &t = tiles[n];
            outline(t, kind);
            if (fill)
                flood_fill(centroid(t.x), centroid(t.y), TILE_COLOURS[n % 4], black);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * tiles.size()));
}

void BM_TinyTilesLinesFilled(benchmark::State &state) { tiny_tiles(state, LINES, true); }
BENCHMARK(BM_TinyTilesLinesFilled)->Arg(2)->Arg(4)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_TinyTilesBand0Filled(benchmark::State &state) { tiny_tiles(state, BAND_0, true); }
BENCHMARK(BM_TinyTilesBand0Filled)->Arg(2)->Arg(4)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_TinyTilesBand1(benchmark::State &state) { tiny_tiles(state, BAND_1, false); }
BENCHMARK(BM_TinyTilesBand1)->Arg(2)->Arg(4)->Arg(10)->Unit(benchmark::kMillisecond);

// Fills whose seed lies on the border colour: the calls return at once.
void BM_FillSeedOnBorder(benchmark::State &state)
{
    clear_canvas(white);
    draw_line(0, 300, SCREEN_W - 1, 300, black);
    int x = 0;
    for (auto _ : state) {
        flood_fill(x, 300, ink, black);
        x = x == SCREEN_W - 1 ? 0 : x + 1;
    }
}
BENCHMARK(BM_FillSeedOnBorder);

// Nested fills, parents first, as the size classes are drawn: the canvas
// cut into 2 x 2, 4 x 4, ... 64 x 64 rectangles, each level's outlines
// drawn over the last level's fills and every rectangle filled again, so
// that each pixel is filled six times in a frame.
void BM_NestedFills(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        clear_canvas(white);
        state.ResumeTiming();
        for (int level = 1; level <= 6; ++level) {
            const int parts = 1 << level;
            for (int k = 0; k <= parts; ++k) {
                const int x = k * (SCREEN_W - 1) / parts, y = k * (SCREEN_H - 1) / parts;
                draw_line(x, 0, x, SCREEN_H - 1, black);
                draw_line(0, y, SCREEN_W - 1, y, black);
            }
            for (int j = 0; j < parts; ++j)
                for (int i = 0; i < parts; ++i)
                    flood_fill((2 * i + 1) * (SCREEN_W - 1) / (2 * parts),
                               (2 * j + 1) * (SCREEN_H - 1) / (2 * parts),
                               TILE_COLOURS[(i + j + level) % 4], black);
        }
    }
}
BENCHMARK(BM_NestedFills)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    open_canvas();
    white = map_rgb(255, 255, 255);
    ink = map_rgb(200, 30, 30);
    black = map_rgb(0, 0, 0);
    TILE_COLOURS[0] = map_rgb(255, 0, 0);
    TILE_COLOURS[1] = map_rgb(250, 250, 0);
    TILE_COLOURS[2] = map_rgb(100, 220, 250);
    TILE_COLOURS[3] = map_rgb(20, 20, 20);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
