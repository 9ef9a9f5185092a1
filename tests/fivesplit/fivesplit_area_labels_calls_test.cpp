// fivesplit_area_labels's whole run against the recording kernel, with
// stand-ins for the text calls that record themselves too.
#include "raster.h"
#include "recording_kernel.h"

#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

int fivesplit_area_labels_main(int, char **);
void area_class_triangle(float x1, float y1, float x2, float y2, float e, int depth);
extern float AREAS[4];

namespace {

bool open_fails, render_fails;
SDL_Surface label_surface, canvas;
int font_object;

} // namespace

int TTF_Init()
{
    kernel_calls.push_back("TTF_Init()");
    return 0;
}

TTF_Font *TTF_OpenFont(const char *file, int size)
{
    kernel_calls.push_back("TTF_OpenFont(" + std::string(file) + ", " + std::to_string(size) + ")");
    SDL_SetError("no such font");
    return open_fails ? nullptr : reinterpret_cast<TTF_Font *>(&font_object);
}

SDL_Surface *TTF_RenderText_Solid(TTF_Font *font, const char *text, SDL_Color c)
{
    EXPECT_EQ(font, reinterpret_cast<TTF_Font *>(&font_object));
    kernel_calls.push_back("TTF_RenderText_Solid(\"" + std::string(text) + "\", " +
                           std::to_string(c.r) + " " + std::to_string(c.g) + " " +
                           std::to_string(c.b) + ")");
    SDL_SetError("no glyphs");
    return render_fails ? nullptr : &label_surface;
}

int SDL_UpperBlit(SDL_Surface *from, SDL_Rect *part, SDL_Surface *to, SDL_Rect *at)
{
    EXPECT_TRUE(from == &label_surface && part == nullptr && to == screen);
    kernel_calls.push_back("SDL_UpperBlit(" + std::to_string(at->x) + ", " +
                           std::to_string(at->y) + ")");
    return 0;
}

void SDL_FreeSurface(SDL_Surface *surface)
{
    EXPECT_EQ(surface, &label_surface);
    kernel_calls.push_back("SDL_FreeSurface()");
}

void TTF_CloseFont(TTF_Font *) { kernel_calls.push_back("TTF_CloseFont()"); }
void TTF_Quit() { kernel_calls.push_back("TTF_Quit()"); }

namespace {

const std::string RED = "16711680", BROWN = "11162880", OLIVE = "5614080", GREEN = "65280";

struct Recorded {
    std::vector<std::string> calls;
    std::string errors;
};

Recorded run_program(bool no_font, bool no_render)
{
    open_fails = no_font;
    render_fails = no_render;
    screen = &canvas;
    kernel_calls.clear();
    testing::internal::CaptureStderr();
    fivesplit_area_labels_main(0, nullptr);
    return {kernel_calls, testing::internal::GetCapturedStderr()};
}

bool contains_run(const std::vector<std::string> &calls, const std::vector<std::string> &run)
{
    return std::search(calls.begin(), calls.end(), run.begin(), run.end()) != calls.end();
}

TEST(AreaLabels, LabelsOrTheirAbsenceAndTheSameFigure)
{
    const char *const texts[4] = {"0.0150 ", "0.0071 ", "0.0034 ", "0.0016 "};
    for (int mode = 0; mode < 3; ++mode) {
        const bool no_font = mode == 1, no_render = mode == 2;
        const Recorded run = run_program(no_font, no_render);

        std::vector<std::string> expected = {"open_canvas()", "clear_canvas(16777215)",
                                             "draw_frame(0)", "TTF_Init()",
                                             "TTF_OpenFont(times.ttf, 20)"};
        for (int p = 0; !no_font && p < 4; ++p) {
            expected.push_back("TTF_RenderText_Solid(\"" + std::string(texts[p]) + "\", 0 0 0)");
            if (!no_render) {
                expected.push_back("SDL_UpperBlit(" + std::to_string(300 + 70 * p) + ", 15)");
                expected.push_back("SDL_FreeSurface()");
            }
        }
        for (const char *call : {"present()", "wait_key()", "present()", "wait_key()"})
            expected.push_back(call);
        if (!no_font)
            expected.push_back("TTF_CloseFont()");
        expected.push_back("TTF_Quit()");
        std::vector<std::string> others;
        for (const std::string &call : run.calls)
            if (call.rfind("draw_line(", 0) != 0 && call.rfind("flood_fill(", 0) != 0)
                others.push_back(call);
        EXPECT_EQ(others, expected) << "mode " << mode;

        // No label, or labels in full, or one line saying why not.
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), mode == 0 ? 0 : 1)
            << run.errors;
        if (mode != 0) {
            EXPECT_NE(run.errors.find(no_font ? "no such font" : "no glyphs"), std::string::npos)
                << run.errors;
        }

        const float areas[4] = {0.014981f, 0.0070951f, 0.0033603f, 0.0015915f};
        for (int p = 0; p < 4; ++p)
            EXPECT_NEAR(AREAS[p], areas[p], areas[p] * 1e-4) << "mode " << mode << ", p " << p;

        // The figure: 125 leaves, by class 1, 12, 48 and 64, and among them
        // the class-0 leaf, and a class-2 leaf seeded from its model
        // centroid at row 547 (its pixels' centroid would be row 546).
        const std::vector<std::string> fills = calls_named("flood_fill");
        EXPECT_EQ(run.calls.size() - others.size() - fills.size(), 3u * 125);
        const std::pair<std::string, long> classes[] = {{RED, 1}, {BROWN, 12}, {OLIVE, 48},
                                                       {GREEN, 64}};
        long total = 0;
        for (const auto &[colour, count] : classes) {
            const long n = std::count_if(fills.begin(), fills.end(), [&](const std::string &f) {
                return f.find(", " + colour + ", 0)") != std::string::npos;
            });
            EXPECT_EQ(n, count) << colour;
            total += n;
        }
        EXPECT_EQ(total, 125);
        EXPECT_TRUE(contains_run(run.calls, {"draw_line(94, 93, 0, 223, 0)",
                                             "draw_line(94, 93, 0, 25, 0)",
                                             "draw_line(0, 25, 0, 223, 0)",
                                             "flood_fill(31, 113, " + RED + ", 0)"}));
        EXPECT_TRUE(contains_run(run.calls, {"draw_line(616, 537, 660, 598, 0)",
                                             "draw_line(616, 537, 660, 505, 0)",
                                             "draw_line(660, 505, 660, 598, 0)",
                                             "flood_fill(645, 547, " + OLIVE + ", 0)"}));
    }
}

TEST(AreaLabels, TopTriangleMatchesNoAreaAndIsFilledBlack)
{
    run_program(false, false);
    kernel_calls.clear();
    area_class_triangle(0, 0, 1, 0, static_cast<float>(std::tan(0.6283185307179586)), 0);
    EXPECT_EQ(kernel_calls, (std::vector<std::string>{
                                "draw_line(0, 599, 790, 599, 0)",
                                "draw_line(0, 599, 0, 25, 0)",
                                "draw_line(0, 25, 790, 599, 0)",
                                "flood_fill(263, 407, 0, 0)",
                            }));
}

} // namespace
