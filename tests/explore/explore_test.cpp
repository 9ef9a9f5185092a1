// The explorer: its presets against the programs' kept frames, its state
// through the address, what it makes of garbage, and its deepest views.
#include "canvas_picture.h"
#include "explore.h"
#include "frames.h"
#include "window_programs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace {

class Explorer : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        open_canvas();
    }
};

std::string kept_picture(const Preset &p)
{
    for (const std::string &entry : window_program_entries())
        if (std::filesystem::path(entry).filename() == p.program) {
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, "_%02d.png", p.frame);
            return std::string(SOURCE_DIR) + "/" + entry + suffix;
        }
    return "";
}

TEST_F(Explorer, EveryPresetDrawsItsProgramsFrame)
{
    ASSERT_GE(preset_count(), 25);
    const std::string failures = make_temp_folder();
    for (int i = 0; i < preset_count(); ++i) {
        const Preset &p = preset_at(i);
        std::string problems;
        const ExploreState state = parse_state(state_query(p.state), problems);
        EXPECT_EQ(problems, "") << p.program;
        EXPECT_LE(p.state.depth, deepest_depth(p.state)) << p.program;
        draw_state(state);
        const Picture actual = canvas_picture();
        Picture expected;
        std::string error;
        ASSERT_TRUE(read_picture(kept_picture(p), expected, error)) << error;
        if (actual.rgb == expected.rgb)
            continue;
        const std::string stem = failures + "/" + p.program + "_" + std::to_string(p.frame);
        write_picture(stem + ".actual.png", actual, error);
        write_picture(stem + ".diff.png", difference_picture(expected, actual), error);
        ADD_FAILURE() << p.program << " frame " << p.frame << " differs: see " << stem
                      << ".actual.png and .diff.png";
    }
}

TEST_F(Explorer, StatesGoThroughTheAddressUnchanged)
{
    std::vector<ExploreState> states;
    for (int i = 0; i < preset_count(); ++i)
        states.push_back(preset_at(i).state);
    for (int f = 0; f < FAMILY_COUNT; ++f) {
        ExploreState s = default_state(static_cast<ExploreFamily>(f));
        zoom_about(s, 1.7, 123, 456);
        pan_by(s, -37.5, 11);
        step_depth(s, 2);
        states.push_back(s);
        set_ratio(s, -0.73);
        zoom_about(s, 1e9, 400, 300);
        states.push_back(s);
    }
    for (const ExploreState &s : states) {
        std::string problems;
        const std::string query = state_query(s);
        EXPECT_EQ(state_query(parse_state(query, problems)), query);
        EXPECT_EQ(problems, "") << query;
    }
}

TEST_F(Explorer, GarbageGivesAPictureAndOneLineSayingWhatChanged)
{
    const char *const garbage[] = {
        "family=chair&depth=99999999999999999999",
        "family=fivesplit&ratio=nan&zoom=1e999&x=-inf&depth=-4",
        "colour=%3Cscript%3Ealert(1)%3C/script%3E&depth=2.5&border=yes",
        "preset=no_such_program&frame=x&weird=1",
        "family=triangle&colour=size&zoom=0x10&y=1e308",
        "&&==&family==&%zz%&depth=%00",
    };
    for (const char *query : garbage) {
        std::string problems;
        const ExploreState s = parse_state(query, problems);
        EXPECT_NE(problems, "") << query;
        EXPECT_EQ(problems.find('\n'), std::string::npos) << problems;
        EXPECT_EQ(problems.find('<'), std::string::npos) << problems;
        std::string again;
        EXPECT_EQ(state_query(parse_state(state_query(s), again)), state_query(s));
        EXPECT_EQ(again, "");
        EXPECT_GE(draw_state(s), 0);
    }
    // The program says it on standard error in one line, and still draws.
    const std::string out = make_temp_folder() + "/out.png";
    Launch launch;
    launch.command = {std::string(PROGRAM_DIR) + "/tilings_explore", "--png", out,
                      "family=chair&depth=zzz"};
    const Ran run = run_program(launch);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
    EXPECT_TRUE(std::filesystem::exists(out));
}

// The largest region of one colour other than white and the outline's in
// the canvas, and the white pixels away from its edges (where tiles cut by
// the edge keep their seed off the canvas, and so stay white).
void regions(const Picture &p, uint32_t outline, long &largest, long &white)
{
    largest = 0;
    for (const uint32_t colour : colours_used(p))
        if (colour != WHITE && colour != outline) {
            const std::vector<long> sizes = region_sizes(p, colour);
            largest = std::max(largest, *std::max_element(sizes.begin(), sizes.end()));
        }
    white = 0;
    for (int y = 50; y < SCREEN_H - 50; ++y)
        for (int x = 50; x < SCREEN_W - 50; ++x)
            white += pixel_at(p, x, y) == WHITE;
}

// A billion times the home view, far from the figure's corners, one level
// above where the tiles shrink below a hundred pixels: the tiles still
// meet edge to edge, so no fill runs past its tile (no region of one colour
// outgrows a few tiles) and none is left out (hardly a white pixel).
TEST_F(Explorer, TilesMeetEdgeToEdgeAtAZoomOfABillion)
{
    const char *const views[] = {
        "family=chair&colour=orientation&x=0.3141592653589793&y=0.2718281828459045",
        "family=triangle&colour=shaded&x=0.4142135623730951&y=0.3183098861837907",
        "family=fivesplit&colour=child&ratio=0.5&x=222.22222222222223&y=111.11111111111111",
    };
    for (const char *view : views) {
        std::string problems;
        ExploreState s = parse_state(std::string(view) + "&zoom=1e9", problems);
        ASSERT_EQ(problems, "") << view;
        long tiles = 0;
        for (s.depth = deepest_depth(s); s.depth > 0; --s.depth)
            if ((tiles = draw_state(s)) < SCREEN_W * SCREEN_H / 100)
                break;
        const Picture p = canvas_picture();
        long largest, white;
        regions(p, BLACK, largest, white);
        EXPECT_GT(tiles, 500) << view;
        EXPECT_LT(largest, 8 * SCREEN_W * SCREEN_H / tiles) << view;
        EXPECT_LT(white, SCREEN_W * SCREEN_H / 250) << view;
    }
}

// Without the frame, a view closer than its tiles fills the tiles it cuts
// from a pixel of them on the canvas: nothing away from the edges is left
// white (but single pixels in sharp corners), though the tiles' own seeds
// lie off the canvas.
TEST_F(Explorer, AViewCloserThanItsTilesIsFilled)
{
    for (const char *view : {"family=fivesplit&colour=size&ratio=0.8&depth=5&zoom=40&x=30&y=20",
                             "family=chair&colour=greys&depth=2&zoom=12&x=0.3&y=0.4",
                             "family=triangle&colour=shaded&depth=3&zoom=30&x=0.5&y=0.3"}) {
        std::string problems;
        draw_state(parse_state(view, problems));
        long largest, white;
        regions(canvas_picture(), BLACK, largest, white);
        EXPECT_LT(white, 20) << view;
    }
}

} // namespace
