// Timings of the kernel routines and of each program's whole drawing, on
// the dummy driver's canvas. Each program's frames are drawn as its main
// draws them; presenting and waiting cost nothing here.
#include "chair.h"
#include "raster.h"
#include "triangle_split.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

extern Uint32 edge_colour;
extern Uint32 black;
extern int frame_depth;
void pinwheel_triangle(float x1, float y1, float x2, float y2, float e, int depth);

void wait_key() {}

namespace {

Uint32 white, ink;

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

void BM_ThickLine(benchmark::State &state)
{
    for (auto _ : state)
        draw_thick_line(100, 100, 700, 500, 3, ink);
}
BENCHMARK(BM_ThickLine)->Unit(benchmark::kMicrosecond);

void BM_Disk(benchmark::State &state)
{
    for (auto _ : state)
        fill_disk(400, 300, 250, ink);
}
BENCHMARK(BM_Disk)->Unit(benchmark::kMicrosecond);

void BM_ChairColourTiling(benchmark::State &state)
{
    chair_outline = map_rgb(0, 0, 0);
    for (int o = 0; o < 4; ++o)
        CHAIR_COLOURS[o] = map_rgb(o * 60, 255 - o * 60, 40);
    for (auto _ : state) {
        clear_canvas(white);
        draw_chair(20, 570, 512, 0, 3);
    }
}
BENCHMARK(BM_ChairColourTiling)->Unit(benchmark::kMillisecond);

void BM_TriAxisEdges(benchmark::State &state)
{
    edge_colour = map_rgb(0, 0, 0);
    for (auto _ : state) {
        clear_canvas(white);
        draw_frame(edge_colour);
        split_centroid(0.5, 0.8660254037844386, 0, 0, 1, 0, 9);
    }
}
BENCHMARK(BM_TriAxisEdges)->Unit(benchmark::kMillisecond);

void BM_FivesplitPinwheelFourDepths(benchmark::State &state)
{
    black = map_rgb(0, 0, 0);
    for (auto _ : state) {
        clear_canvas(white);
        for (frame_depth = 1; frame_depth <= 4; ++frame_depth)
            pinwheel_triangle(0, 0, 100, 0, 0.5f, frame_depth);
    }
}
BENCHMARK(BM_FivesplitPinwheelFourDepths)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    open_canvas();
    white = map_rgb(255, 255, 255);
    ink = map_rgb(200, 30, 30);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
