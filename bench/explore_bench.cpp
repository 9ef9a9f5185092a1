// The explorer's pictures timed natively, on SDL's dummy driver: every
// preset, each family's home view (every colouring) at the deepest depth
// it offers, and views a billion times closer, at their deepest depth.
// Each picture is drawn RUNS times and timed on the thread's CPU clock
// (the drawing neither sleeps nor waits, so on an idle machine that is its
// time on the wall clock too); a table gives the median, against one
// refresh at 240 Hz (4.2 ms).
//
//   build/bench/explore_bench [STATE...]     (the states above by default)
#include "bench_states.h"
#include "explore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int RUNS = 15;
constexpr double REFRESH_MS = 1000.0 / 240;

struct Timed {
    std::string name, query;
    long tiles;
    double ms;
};

Timed time_state(const std::string &name, const ExploreState &s)
{
    std::vector<double> runs;
    long tiles = 0;
    for (int i = 0; i < RUNS; ++i) {
        const double start = cpu_ms();
        tiles = draw_state(s);
        runs.push_back(cpu_ms() - start);
    }
    std::sort(runs.begin(), runs.end());
    return {name, state_query(s), tiles, runs[RUNS / 2]};
}

NamedStates default_states()
{
    NamedStates states = presets_and_home_views();
    const char *const deep[] = {
        "family=chair&colour=orientation&x=0.3141592653589793&y=0.2718281828459045",
        "family=triangle&colour=shaded&x=0.4142135623730951&y=0.3183098861837907",
        "family=fivesplit&colour=child&ratio=0.5&x=222.22222222222223&y=111.11111111111111",
        "family=fivesplit&colour=levels&ratio=0.5&x=61.80339887498949&y=14.142135623730951",
    };
    for (const char *q : deep) {
        std::string problems;
        ExploreState s = parse_state(std::string(q) + "&zoom=1e9", problems);
        s.depth = deepest_depth(s);
        states.push_back({std::string("1e9, deepest: ") + COLOURINGS[s.colouring].name, s});
    }
    return states;
}

} // namespace

int main(int argc, char **argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    open_canvas();
    const NamedStates states = argc > 1 ? argument_states(argc, argv) : default_states();
    std::printf("| picture | depth | tiles drawn | native ms (median of %d) |\n|---|---|---|---|\n",
                RUNS);
    double slowest = 0;
    std::string slowest_name;
    for (const auto &[name, s] : states) {
        const Timed t = time_state(name, s);
        std::printf("| %s | %d | %ld | %.2f%s |\n", t.name.c_str(), s.depth, t.tiles, t.ms,
                    t.ms > REFRESH_MS ? " (over 4.2)" : "");
        if (t.ms > slowest) {
            slowest = t.ms;
            slowest_name = t.name;
        }
        std::fflush(stdout);
    }
    std::printf("slowest: %s, %.2f ms\n", slowest_name.c_str(), slowest);
    return 0;
}
