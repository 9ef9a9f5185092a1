// The explorer's writers timed natively: for each view, the size of each
// format and the median time of RUNS writes (on the thread's CPU clock;
// each write enumerates the tiles afresh, as the program does), beside the
// number of tiles. The views: every preset, each colouring's home view at
// its deepest depth, and views of 100,000 tiles and more.
//
//   build/bench/export_bench [STATE...]      (the views above by default)
#include "bench_states.h"
#include "explore.h"
#include "export.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int RUNS = 5;

struct Timed {
    size_t bytes;
    double ms;
};

Timed time_writer(const std::function<std::string()> &writer)
{
    std::vector<double> runs;
    size_t bytes = 0;
    for (int i = 0; i < RUNS; ++i) {
        const double start = cpu_ms();
        bytes = writer().size();
        runs.push_back(cpu_ms() - start);
    }
    std::sort(runs.begin(), runs.end());
    return {bytes, runs[RUNS / 2]};
}

NamedStates default_states()
{
    NamedStates states = presets_and_home_views();
    const char *const large[] = {
        "family=chair&colour=orientation&depth=9&zoom=2.3&x=0.5&y=0.5",
        "family=triangle&colour=shaded&depth=11&zoom=2.6&x=0.5&y=0.3",
        "family=fivesplit&colour=child&ratio=0.5&depth=8&zoom=2.6",
        "family=fivesplit&colour=size&ratio=0.5&depth=7&zoom=1.9&x=50&y=25",
        "family=fivesplit&colour=levels&ratio=0.5&x=61.80339887498949&y=14.142135623730951&"
        "zoom=1e9&depth=32",
    };
    for (const char *q : large) {
        std::string problems;
        states.push_back({std::string("large: ") + q, parse_state(q, problems)});
    }
    return states;
}

} // namespace

int main(int argc, char **argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    open_canvas();
    const NamedStates states = argc > 1 ? argument_states(argc, argv) : default_states();
    std::printf("| view | depth | tiles | SVG KB, ms | cut lines KB, ms | CSV KB, ms | PDF KB, ms |\n"
                "|---|---|---|---|---|---|---|\n");
    for (const auto &[name, s] : states) {
        const size_t tiles = state_tiles(s).size();
        std::printf("| %s | %d | %zu |", name.c_str(), s.depth, tiles);
        const std::function<std::string()> writers[] = {
            [&] { return export_svg(s); }, [&] { return export_outline(s); },
            [&] { return export_csv(s); }, [&] { return export_pdf(s, PAPER_A4); }};
        for (const auto &writer : writers) {
            const Timed t = time_writer(writer);
            std::printf(" %.0f, %.0f |", t.bytes / 1024.0, t.ms);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    return 0;
}
