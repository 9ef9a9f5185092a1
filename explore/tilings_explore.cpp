// tilings_explore: the tilings of the other programs opened up: the chair,
// the equilateral triangle and the five-way split at any depth, zoom and
// leg ratio, drawn by the same routines, so that at a program's settings
// (a preset) the picture is that program's frame, pixel for pixel.
// Keys: PageDown or ] one level deeper, PageUp or [ one up; + or = zooms
// in twice, - out; the arrows move by an eighth of the view; Home goes back
// to the family's home view; Escape or Q, or closing the window, quits.
// The mouse wheel zooms about the pointer, and dragging moves the view.
//
// Title: The tilings explorer
//
//   tilings_explore [STATE]             in a window
//   tilings_explore --png FILE [STATE]  the picture as a PNG file, no window
//   tilings_explore --presets           the presets, as JSON
//
// STATE is the explorer's query string, as in its web page's address, e.g.
// 'family=fivesplit&colour=child&ratio=0.7&depth=7' or
// 'preset=tri_shaded_zoom'. A state that cannot be read as it stands is
// drawn as the nearest valid one, and standard error says in one line what
// was changed.
#include "explore.h"
#include "picture.h"
#include "raster.h"
#include "whole_file.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char *const NAME = "tilings_explore";

int usage()
{
    std::fprintf(stderr,
                 "usage: %s [STATE]\n"
                 "       %s --png FILE [STATE]\n"
                 "       %s --presets\n",
                 NAME, NAME, NAME);
    return 2;
}

ExploreState read_state(const char *query)
{
    std::string problems;
    const ExploreState state = parse_state(query ? query : "", problems);
    if (!problems.empty())
        std::fprintf(stderr, "%s: %s\n", NAME, problems.c_str());
    return state;
}

// The canvas as a picture.
Picture canvas_picture()
{
    Picture p;
    p.width = SCREEN_W;
    p.height = SCREEN_H;
    p.rgb.resize(SCREEN_W * SCREEN_H);
    for (int y = 0; y < SCREEN_H; ++y)
        for (int x = 0; x < SCREEN_W; ++x) {
            Uint8 r, g, b;
            SDL_GetRGB(get_pixel(x, y), screen->format, &r, &g, &b);
            p.rgb[y * SCREEN_W + x] = uint32_t(r) << 16 | uint32_t(g) << 8 | b;
        }
    return p;
}

int write_png(const char *path, const char *query)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    const ExploreState state = read_state(query);
    open_canvas();
    draw_state(state);
    std::string error;
    if (!write_picture(part_path(path), canvas_picture(), error) ||
        !move_into_place(path, error)) {
        std::remove(part_path(path).c_str());
        std::fprintf(stderr, "%s: cannot write %s\n", NAME, error.c_str());
        return 1;
    }
    return 0;
}

void show(const ExploreState &state)
{
    draw_state(state);
    present();
    const std::string title = "The tilings explorer: " + state_words(state);
    SDL_WM_SetCaption(title.c_str(), "tilings_explore");
}

// The wheel zooms by a quarter of a doubling a notch.
const double WHEEL_STEP = std::pow(2.0, 0.25);

int run_window(const char *query)
{
    ExploreState state = read_state(query);
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
    if (argc >= 2 && std::strcmp(argv[1], "--png") == 0) {
        if (argc < 3 || argc > 4)
            return usage();
        return write_png(argv[2], argc == 4 ? argv[3] : nullptr);
    }
    if (argc > 2 || (argc == 2 && argv[1][0] == '-'))
        return usage();
    return run_window(argc == 2 ? argv[1] : nullptr);
}
