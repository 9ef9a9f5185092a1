// tilings_explore: the tilings of the other programs opened up: the chair,
// the equilateral triangle and the five-way split of a right triangle at
// any depth, zoom and leg ratio, in each of their colourings, drawn by the
// programs' own routines, so that at a program's settings (a preset) the
// picture is that program's frame, pixel for pixel.
// PageDown or ] goes one level deeper and PageUp or [ one up, + or = zooms
// in twice and - out, the arrows and dragging move the view, the mouse
// wheel zooms about the pointer, Home goes back to the family's home view,
// and Escape, Q or closing the window ends the program.
//
// About[fr]: Les pavages des autres programmes, ouverts à l'exploration : la
// chaise, le triangle équilatéral et le découpage en cinq d'un triangle
// rectangle, à toute profondeur, tout grossissement et tout rapport des
// côtés, dans chacune de leurs colorations, tracés par les routines mêmes
// des programmes, si bien qu'aux réglages d'un programme (un préréglage)
// l'image est exactement celle de ce programme.
//
// Title: The tilings explorer
// Title[fr]: L'explorateur de pavages
//
//   tilings_explore [STATE]             in a window
//   tilings_explore OUTPUT... [STATE]   the view written to files, no window:
//     --png FILE       the picture, as PNG
//     --svg FILE       the tiles as an SVG picture
//     --outline FILE   the cut lines, as SVG: every edge once, for a laser
//                      cutter or a pen plotter
//     --csv FILE       the tiles' data: id, parent, level, class, corners
//     --pdf FILE       one landscape page, on --paper A4 (the default), A3
//                      or A2
//   tilings_explore --presets           the presets, as JSON
//
// STATE is the explorer's query string, as in its web page's address, e.g.
// 'family=fivesplit&colour=child&ratio=0.7&depth=7' or
// 'preset=tri_shaded_zoom'; --preset NAME [--frame N] before it starts from
// that program's frame. A state that cannot be read as it stands is drawn
// as the nearest valid one, and standard error says in one line what was
// changed. A file that cannot be written is left as it was, with one line
// on standard error, and the program ends with status 1.
#include "canvas_picture.h"
#include "explore.h"
#include "export.h"
#include "raster.h"
#include "whole_file.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char *const NAME = "tilings_explore";

int usage()
{
    std::fprintf(stderr,
                 "usage: %s [--preset NAME [--frame N]] [STATE]\n"
                 "       %s [--preset NAME [--frame N]] [--paper A4|A3|A2]\n"
                 "              (--png|--svg|--outline|--csv|--pdf FILE)... [STATE]\n"
                 "       %s --presets\n",
                 NAME, NAME, NAME);
    return 2;
}

ExploreState read_state(const std::string &query)
{
    std::string problems;
    const ExploreState state = parse_state(query, problems);
    if (!problems.empty())
        std::fprintf(stderr, "%s: %s\n", NAME, problems.c_str());
    return state;
}

// A file asked for on the command line: the option and the path.
struct Output {
    std::string option, path;
};

// Writes each file whole, or leaves it as it was and says why.
int write_outputs(const std::vector<Output> &outputs, const ExploreState &state, Paper paper)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    open_canvas();
    int status = 0;
    for (const Output &o : outputs) {
        std::string error;
        bool written;
        if (o.option == "--png") {
            draw_state(state);
            written = write_picture(part_path(o.path), canvas_picture(), error) &&
                      move_into_place(o.path, error);
            if (!written)
                std::remove(part_path(o.path).c_str());
        } else {
            const std::string bytes = o.option == "--svg"       ? export_svg(state)
                                      : o.option == "--outline" ? export_outline(state)
                                      : o.option == "--csv"     ? export_csv(state)
                                                                : export_pdf(state, paper);
            written = write_whole_file(o.path, bytes, error);
        }
        if (!written) {
            std::fprintf(stderr, "%s: cannot write %s\n", NAME, error.c_str());
            status = 1;
        }
    }
    return status;
}

// A value for the address: what could end or change a setting escaped.
std::string address_value(const std::string &value)
{
    std::string out;
    for (const char c : value) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.') {
            out += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
            out += escaped;
        }
    }
    return out;
}

// The window's title names the figure and the state, in the user's
// language.
void show(const ExploreState &state)
{
    draw_state(state);
    present();
    const char *const languages[] = {"en", "fr"};
    const std::string language = languages[user_language(languages, 2)];
    const std::string title = (language == "fr" ? "L'explorateur de pavages : "
                                                : "The tilings explorer: ") +
                              state_words(state, language);
    name_window(title.c_str(), nullptr, nullptr);
}

// The wheel zooms by a quarter of a doubling a notch.
const double WHEEL_STEP = std::pow(2.0, 0.25);

int run_window(ExploreState state)
{
    open_canvas();
    SDL_EnableKeyRepeat(SDL_DEFAULT_REPEAT_DELAY, SDL_DEFAULT_REPEAT_INTERVAL);
    show(state);
    bool dragging = false;
    for (;;) {
        SDL_Event event;
        if (SDL_WaitEvent(&event) == 0)
            return 0;
        // The events waiting are taken together, and the view drawn once
        // for all of them.
        bool changed = false;
        do {
            const ExploreState before = state;
            switch (event.type) {
            case SDL_QUIT:
                return 0;
            case SDL_KEYDOWN:
                switch (event.key.keysym.sym) {
                case SDLK_ESCAPE:
                case SDLK_q:
                    return 0;
                case SDLK_PAGEDOWN:
                case SDLK_RIGHTBRACKET:
                    step_depth(state, 1);
                    break;
                case SDLK_PAGEUP:
                case SDLK_LEFTBRACKET:
                    step_depth(state, -1);
                    break;
                case SDLK_PLUS:
                case SDLK_EQUALS:
                case SDLK_KP_PLUS:
                    zoom_about(state, 2, SCREEN_W / 2, SCREEN_H / 2);
                    break;
                case SDLK_MINUS:
                case SDLK_KP_MINUS:
                    zoom_about(state, 0.5, SCREEN_W / 2, SCREEN_H / 2);
                    break;
                case SDLK_LEFT:
                    pan_by(state, SCREEN_W / 8, 0);
                    break;
                case SDLK_RIGHT:
                    pan_by(state, -SCREEN_W / 8, 0);
                    break;
                case SDLK_UP:
                    pan_by(state, 0, SCREEN_H / 8);
                    break;
                case SDLK_DOWN:
                    pan_by(state, 0, -SCREEN_H / 8);
                    break;
                case SDLK_HOME:
                    go_home(state);
                    break;
                default:
                    break;
                }
                break;
            case SDL_MOUSEBUTTONDOWN:
                if (event.button.button == SDL_BUTTON_WHEELUP)
                    zoom_about(state, WHEEL_STEP, event.button.x, event.button.y);
                else if (event.button.button == SDL_BUTTON_WHEELDOWN)
                    zoom_about(state, 1 / WHEEL_STEP, event.button.x, event.button.y);
                else if (event.button.button == SDL_BUTTON_LEFT)
                    dragging = true;
                break;
            case SDL_MOUSEBUTTONUP:
                if (event.button.button == SDL_BUTTON_LEFT)
                    dragging = false;
                break;
            case SDL_MOUSEMOTION:
                if (dragging && (event.motion.state & SDL_BUTTON(SDL_BUTTON_LEFT)))
                    pan_by(state, event.motion.xrel, event.motion.yrel);
                break;
            case SDL_VIDEOEXPOSE:
                changed = true;
                break;
            default:
                break;
            }
            changed = changed || state_query(state) != state_query(before);
        } while (SDL_PollEvent(&event));
        if (changed)
            show(state);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--presets") == 0) {
        if (argc != 2)
            return usage();
        std::printf("%s\n", presets_json().c_str());
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }
    std::vector<Output> outputs;
    std::string preset, frame, paper_name, query;
    bool has_query = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool file_option = arg == "--png" || arg == "--svg" || arg == "--outline" ||
                                 arg == "--csv" || arg == "--pdf";
        const bool value_option = arg == "--preset" || arg == "--frame" || arg == "--paper";
        if (file_option || value_option) {
            const bool given = i + 1 < argc && argv[i + 1][0] != '\0' &&
                               std::strncmp(argv[i + 1], "--", 2) != 0;
            if (!given) {
                std::fprintf(stderr, "%s: %s needs %s\n", NAME, arg.c_str(),
                             file_option ? "the file to write" : "a value");
                return file_option ? 1 : usage();
            }
            const std::string value = argv[++i];
            if (file_option)
                outputs.push_back({arg, value});
            else
                (arg == "--preset" ? preset : arg == "--frame" ? frame : paper_name) = value;
        } else if (arg.size() > 1 && arg[0] == '-' && !has_query) {
            return usage();
        } else if (!has_query) {
            query = arg;
            has_query = true;
        } else {
            return usage();
        }
    }
    Paper paper = PAPER_A4;
    if (!paper_name.empty() && !read_paper(paper_name, paper)) {
        std::fprintf(stderr, "%s: --paper is A4, A3 or A2, not %s\n", NAME, paper_name.c_str());
        return 2;
    }
    if (!frame.empty() && preset.empty()) {
        std::fprintf(stderr, "%s: --frame is read only with --preset\n", NAME);
        return 2;
    }
    // The preset first: the settings given beside it change it.
    if (!preset.empty())
        query = "preset=" + address_value(preset) +
                (frame.empty() ? "" : "&frame=" + address_value(frame)) +
                (query.empty() ? "" : "&" + query);
    const ExploreState state = read_state(query);
    if (outputs.empty())
        return run_window(state);
    return write_outputs(outputs, state, paper);
}