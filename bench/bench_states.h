// What the explorer's two benchmarks share: the thread's CPU clock, the
// states named on the command line, and the views they both time (every
// preset, and each colouring's home view at its deepest depth).
#ifndef BENCH_STATES_H
#define BENCH_STATES_H

#include "explore.h"

#include <string>
#include <time.h>
#include <utility>
#include <vector>

using NamedStates = std::vector<std::pair<std::string, ExploreState>>;

inline double cpu_ms()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The states given as arguments, each named by its query as given.
inline NamedStates argument_states(int argc, char **argv)
{
    NamedStates states;
    for (int i = 1; i < argc; ++i) {
        std::string problems;
        states.push_back({argv[i], parse_state(argv[i], problems)});
    }
    return states;
}

inline NamedStates presets_and_home_views()
{
    NamedStates states;
    for (int i = 0; i < preset_count(); ++i) {
        const Preset &p = preset_at(i);
        states.push_back({std::string(p.program) + " " + std::to_string(p.frame), p.state});
    }
    for (int c = 0; c < COLOURING_COUNT; ++c) {
        ExploreState s = default_state(COLOURINGS[c].family);
        set_colouring(s, static_cast<ExploreColouring>(c));
        s.depth = deepest_depth(s);
        states.push_back({std::string("home, deepest: ") + COLOURINGS[c].name, s});
    }
    return states;
}

#endif
