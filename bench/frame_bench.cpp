// The frame times of one window program, compiled in with its main renamed
// program_main. Every run calls program_main whole, on SDL's dummy driver;
// wait_key only marks the time. A frame's time runs from the end of the
// previous wait (for the first frame, from the start of main, which opens
// the canvas and clears it) to the wait that follows its present, so it
// holds exactly the drawing of that frame and its present.
//
// Frames are timed on the thread's CPU clock, which counts the drawing
// alone however loaded the machine is (the drawing neither sleeps nor waits
// for anything, so on an idle machine it is also the time on the wall
// clock). Google Benchmark reports the slowest frame of each run; after the
// runs a summary gives the median of every frame over all runs and names
// the slowest, against one refresh at 240 Hz, with the wall-clock median
// beside it.
#undef main

#include "raster.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <time.h>
#include <vector>

int program_main(int argc, char **argv);

namespace {

using Clock = std::chrono::steady_clock;

struct Mark {
    double cpu_ms, wall_ms;
};

Mark now()
{
    timespec cpu;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    const double wall = std::chrono::duration<double, std::milli>(
                            Clock::now().time_since_epoch()).count();
    return {cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6, wall};
}

constexpr double REFRESH_MS = 1000.0 / 240;
// Runs per benchmark: manual times would otherwise make Google Benchmark
// run a program whose fast frames take microseconds thousands of times.
constexpr int RUNS = 20;

Mark frame_start;
std::vector<double> frame_ms;                // this run's frames, CPU time
std::vector<double> frame_wall_ms;           // the same on the wall clock
std::vector<std::vector<double>> all_runs;   // every run's frames, for the summary
std::vector<std::vector<double>> all_walls;
char program_name[] = PROGRAM_NAME;
char *program_argv[] = {program_name, nullptr};

void run_program()
{
    frame_ms.clear();
    frame_wall_ms.clear();
    frame_start = now();
    program_main(1, program_argv);
    all_runs.push_back(frame_ms);
    all_walls.push_back(frame_wall_ms);
}

void slowest_frame(benchmark::State &state)
{
    for (auto _ : state) {
        run_program();
        state.SetIterationTime(*std::max_element(frame_ms.begin(), frame_ms.end()) / 1000);
    }
    state.counters["frames"] = static_cast<double>(frame_ms.size());
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The median of each frame over all runs.
std::vector<double> frame_medians(const std::vector<std::vector<double>> &runs)
{
    std::vector<double> medians(runs.front().size());
    for (size_t f = 0; f < medians.size(); ++f) {
        std::vector<double> times;
        for (const std::vector<double> &run : runs)
            times.push_back(run.at(f));
        medians[f] = median(times);
    }
    return medians;
}

void print_summary()
{
    const std::vector<double> medians = frame_medians(all_runs);
    const std::vector<double> walls = frame_medians(all_walls);
    const size_t slowest = std::max_element(medians.begin(), medians.end()) - medians.begin();
    std::printf("%s: %zu frame%s, slowest frame %zu: median %.2f ms CPU (%.2f ms wall) over %zu "
                "runs; one refresh is %.1f ms%s\n",
                PROGRAM_NAME, medians.size(), medians.size() == 1 ? "" : "s", slowest + 1, medians[slowest], walls[slowest],
                all_runs.size(), REFRESH_MS, medians[slowest] <= REFRESH_MS ? "" : "  OVER BUDGET");
    std::printf("%s: median of each frame, ms CPU:", PROGRAM_NAME);
    for (double m : medians)
        std::printf(" %.2f", m);
    std::printf("\n");
}

} // namespace

void wait_key()
{
    const Mark end = now();
    frame_ms.push_back(end.cpu_ms - frame_start.cpu_ms);
    frame_wall_ms.push_back(end.wall_ms - frame_start.wall_ms);
    frame_start = now();
}

int main(int argc, char **argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    benchmark::RegisterBenchmark((std::string(PROGRAM_NAME) + "/slowest_frame").c_str(),
                                 slowest_frame)
        ->UseManualTime()
        ->Iterations(RUNS)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    print_summary();
    return 0;
}
