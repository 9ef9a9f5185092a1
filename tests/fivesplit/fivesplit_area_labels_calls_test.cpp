// fivesplit_area_labels's whole run against the recording kernel, with
// stand-ins for the text calls that record themselves too.
#include "five_split_figures.h"
#include "recording_kernel.h"

#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <unistd.h>

int fivesplit_area_labels_main(int, char **);

namespace {

bool open_fails, render_fails;
SDL_Surface label_surface, canvas;
int font_object;
TTF_Font *const FONT = reinterpret_cast<TTF_Font *>(&font_object);

void record(const std::string &call) { kernel_calls.push_back(call); }

} // namespace

int TTF_Init() { return record("TTF_Init()"), 0; }
void TTF_CloseFont(TTF_Font *font) { record(font == FONT ? "TTF_CloseFont()" : "?"); }
void TTF_Quit() { record("TTF_Quit()"); }
void SDL_FreeSurface(SDL_Surface *s) { record(s == &label_surface ? "SDL_FreeSurface()" : "?"); }

TTF_Font *TTF_OpenFont(const char *file, int size)
{
    record("TTF_OpenFont(" + std::string(file) + ", " + std::to_string(size) + ")");
    SDL_SetError("no such font");
    return open_fails ? nullptr : FONT;
}

SDL_Surface *TTF_RenderText_Solid(TTF_Font *font, const char *text, SDL_Color c)
{
    record("TTF_RenderText_Solid(\"" + std::string(text) + "\", " + std::to_string(c.r + c.g + c.b) +
           (font == FONT ? ")" : "?)"));
    SDL_SetError("no glyphs");
    return render_fails ? nullptr : &label_surface;
}

int SDL_UpperBlit(SDL_Surface *from, SDL_Rect *part, SDL_Surface *to, SDL_Rect *at)
{
    const bool whole = from == &label_surface && part == nullptr && to == screen;
    record("SDL_UpperBlit(" + std::to_string(at->x) + ", " + std::to_string(at->y) +
           (whole ? ")" : "?)"));
    return 0;
}

namespace {

bool contains_run(const std::vector<std::string> &calls, const std::vector<std::string> &run)
{
    return std::search(calls.begin(), calls.end(), run.begin(), run.end()) != calls.end();
}

TEST(AreaLabels, LabelsOrOneLineSayingWhyNotAndTheSameFigure)
{
    const char *const texts[4] = {"0.0150 ", "0.0071 ", "0.0034 ", "0.0016 "};
    const float areas[4] = {0.014981f, 0.0070951f, 0.0033603f, 0.0015915f};
    const std::string red = "16711680", olive = "5614080";
    for (int mode = 0; mode < 3; ++mode) { // fine, no font, labels not rendered
        open_fails = mode == 1;
        render_fails = mode == 2;
        screen = &canvas;
        kernel_calls.clear();
        testing::internal::CaptureStderr();
        fivesplit_area_labels_main(0, nullptr);
        const std::string errors = testing::internal::GetCapturedStderr();

        std::vector<std::string> expected = {"open_canvas()", "clear_canvas(16777215)",
                                             "draw_frame(0)", "TTF_Init()",
                                             "TTF_OpenFont(times.ttf, 20)"};
        // Without times.ttf here (nor a copy beside this test), the system's
        // Liberation Serif, the first of its two places that holds it.
        for (const char *system_font :
             {"/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf",
              "/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf"})
            if (mode == 1 && access(system_font, F_OK) == 0) {
                expected.push_back("TTF_OpenFont(" + std::string(system_font) + ", 20)");
                break;
            }
        for (int p = 0; mode != 1 && p < 4; ++p) {
            expected.push_back("TTF_RenderText_Solid(\"" + std::string(texts[p]) + "\", 0)");
            if (mode == 0) {
                expected.push_back("SDL_UpperBlit(" + std::to_string(300 + 70 * p) + ", 15)");
                expected.push_back("SDL_FreeSurface()");
            }
        }
        for (const char *call : {"present()", "wait_key()", "present()", "wait_key()"})
            expected.push_back(call);
        if (mode != 1)
            expected.push_back("TTF_CloseFont()");
        expected.push_back("TTF_Quit()");
        std::vector<std::string> others, fills;
        for (const std::string &call : kernel_calls)
            if (call.rfind("flood_fill(", 0) == 0)
                fills.push_back(call);
            else if (call.rfind("draw_line(", 0) != 0)
                others.push_back(call);
        EXPECT_EQ(others, expected) << "mode " << mode;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), mode == 0 ? 0 : 1) << errors;
        EXPECT_NE(errors.find(mode == 0 ? "" : mode == 1 ? "no such font" : "no glyphs"),
                  std::string::npos)
            << errors;
        for (int p = 0; p < 4; ++p)
            EXPECT_NEAR(AREAS[p], areas[p], areas[p] * 1e-4) << "mode " << mode << ", p " << p;

        // 125 leaves by class: 1, 12, 48, 64; among them the class-0 leaf,
        // and a class-2 leaf seeded from its model centroid on row 547 (its
        // pixels' centroid is on row 546). That leaf's P2 has y = 4.5e-9, so
        // its outline ends on row 598.
        EXPECT_EQ(kernel_calls.size() - others.size() - fills.size(), 3u * 125);
        const std::pair<std::string, long> classes[] = {
            {red, 1}, {"11162880", 12}, {olive, 48}, {"65280", 64}};
        for (const auto &[colour, count] : classes)
            EXPECT_EQ(std::count_if(fills.begin(), fills.end(), [&](const std::string &f) {
                          return f.find(", " + colour + ", 0)") != std::string::npos;
                      }),
                      count)
                << colour;
        EXPECT_EQ(fills.size(), 125u);
        EXPECT_TRUE(contains_run(kernel_calls, {"draw_line(94, 93, 0, 223, 0)",
                                                "draw_line(94, 93, 0, 25, 0)",
                                                "draw_line(0, 25, 0, 223, 0)",
                                                "flood_fill(31, 113, " + red + ", 0)"}));
        EXPECT_TRUE(contains_run(kernel_calls, {"draw_line(616, 537, 660, 598, 0)",
                                                "draw_line(616, 537, 660, 505, 0)",
                                                "draw_line(660, 505, 660, 598, 0)",
                                                "flood_fill(645, 547, " + olive + ", 0)"}));
    }
    // The whole top triangle matches no area: black.
    kernel_calls.clear();
    area_class_triangle(0, 0, 1, 0, static_cast<float>(std::tan(0.6283185307179586)), 0);
    EXPECT_EQ(kernel_calls, (std::vector<std::string>{
                                "draw_line(0, 599, 790, 599, 0)", "draw_line(0, 599, 0, 25, 0)",
                                "draw_line(0, 25, 790, 599, 0)", "flood_fill(263, 407, 0, 0)"}));
}

} // namespace
