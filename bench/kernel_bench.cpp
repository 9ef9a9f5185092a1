// Timings of the kernel routines on the dummy driver's canvas. (Each
// program's frames are timed by its own <program>_frames.)
#include "raster.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

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
