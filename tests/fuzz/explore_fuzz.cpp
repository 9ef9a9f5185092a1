// The explorer's state under a fuzzer. Each input is taken as an address's
// query string: it must give a valid state (its numbers finite and within
// their limits), a problem line of one line at most, and a canonical query
// that reads back as itself without a problem; then the state is drawn on
// a canvas lying between guard words, which must stay as they were, within
// a bounded time. The slowest drawing is printed at the end.
#include "explore.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int GUARD_ROWS = 2;
constexpr int PITCH_WORDS = SCREEN_W + 8;
constexpr int BUFFER_WORDS = (SCREEN_H + 2 * GUARD_ROWS) * PITCH_WORDS;
constexpr Uint32 GUARD = 0xa5c3e10f;
// A drawing slower than this is a finding (under the sanitizers, which
// slow it several times).
constexpr double LIMIT_SECONDS = 5;

Uint32 *buffer;
double slowest = 0;
std::string slowest_query;

void fail(const std::string &query, const char *what)
{
    std::fprintf(stderr, "explore_fuzz: %s\n  query: %s\n", what, query.c_str());
    std::abort();
}

void report()
{
    std::fprintf(stderr, "explore_fuzz: the slowest drawing took %.1f ms: %s\n", slowest * 1000,
                 slowest_query.c_str());
}

void set_up()
{
    buffer = static_cast<Uint32 *>(std::malloc(BUFFER_WORDS * sizeof(Uint32)));
    for (int i = 0; i < BUFFER_WORDS; ++i)
        buffer[i] = GUARD;
    SDL_Surface *surface = SDL_CreateRGBSurfaceFrom(buffer + GUARD_ROWS * PITCH_WORDS, SCREEN_W,
                                                    SCREEN_H, 32, PITCH_WORDS * 4, 0xff0000,
                                                    0xff00, 0xff, 0);
    if (!surface) {
        std::fprintf(stderr, "explore_fuzz: no surface: %s\n", SDL_GetError());
        std::abort();
    }
    set_canvas(surface);
    std::atexit(report);
}

bool guards_intact()
{
    for (int row = 0; row < SCREEN_H + 2 * GUARD_ROWS; ++row)
        for (int x = 0; x < PITCH_WORDS; ++x) {
            const bool inside = row >= GUARD_ROWS && row < SCREEN_H + GUARD_ROWS && x < SCREEN_W;
            if (!inside && buffer[row * PITCH_WORDS + x] != GUARD)
                return false;
        }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!buffer)
        set_up();
    const std::string query(reinterpret_cast<const char *>(data), size);
    std::string problems;
    const ExploreState s = parse_state(query, problems);
    if (problems.find('\n') != std::string::npos)
        fail(query, "the problem line is more than one line");
    if (!(s.zoom >= MIN_ZOOM && s.zoom <= MAX_ZOOM) || !std::isfinite(s.x) ||
        !std::isfinite(s.y) || s.depth < 0 || s.depth > deepest_depth(s) ||
        (s.family == FIVESPLIT_FAMILY &&
         !(std::fabs(s.ratio) >= MIN_RATIO && std::fabs(s.ratio) <= MAX_RATIO)) ||
        COLOURINGS[s.colouring].family != s.family)
        fail(query, "the state is not valid");
    const std::string canonical = state_query(s);
    std::string again;
    if (state_query(parse_state(canonical, again)) != canonical || !again.empty())
        fail(query, ("the canonical query does not read back as itself: " + canonical).c_str());

    const auto start = std::chrono::steady_clock::now();
    draw_state(s);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (seconds > slowest) {
        slowest = seconds;
        slowest_query = canonical;
    }
    if (seconds > LIMIT_SECONDS)
        fail(query, "the drawing took too long");
    if (!guards_intact())
        fail(query, "a guard word beside the canvas changed");
    return 0;
}
