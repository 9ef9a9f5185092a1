// svg_agreement: how far a rendering of the explorer's SVG agrees with its
// canvas.
//
//   svg_agreement RENDERED.png STATE
//
// Draws STATE on the canvas (SDL's dummy driver) and compares it with
// RENDERED.png, the state's SVG (tilings_explore --svg) rasterised at
// 800 x 600, on the pixels two or more pixels from any outline: there the
// canvas's truncated lines and the renderer's smoothed strokes have no say,
// and each pixel is the colour of the tile it lies in, or white. Prints the
// share that agree (each channel within AGREE of the canvas's) and ends
// with status 1 if it is below 99.5%, 2 if the picture cannot be read.
#include "explore.h"
#include "picture.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int AGREE = 8;
constexpr double WANTED = 99.5;

bool near(uint32_t a, uint32_t b)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>(a >> shift & 255) - static_cast<int>(b >> shift & 255)) > AGREE)
            return false;
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: svg_agreement RENDERED.png STATE\n");
        return 2;
    }
    Picture rendered;
    std::string error, problems;
    if (!read_picture(argv[1], rendered, error) || rendered.width != SCREEN_W ||
        rendered.height != SCREEN_H) {
        std::fprintf(stderr, "svg_agreement: %s\n",
                     error.empty() ? "the picture is not 800 x 600" : error.c_str());
        return 2;
    }
    const ExploreState state = parse_state(argv[2], problems);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    open_canvas();
    draw_state(state);

    // The outlines' colours, and the border's.
    std::vector<uint32_t> outline_colours;
    for (const TileRecord &tile : state_tiles(state))
        if (tile.drawn && tile.edges)
            outline_colours.push_back(tile.outline);
    if (state.border)
        outline_colours.push_back(map_rgb(0, 0, 0));
    std::vector<char> near_outline(SCREEN_W * SCREEN_H, 0);
    for (int y = 0; y < SCREEN_H; ++y)
        for (int x = 0; x < SCREEN_W; ++x) {
            bool outline = false;
            for (const uint32_t c : outline_colours)
                outline = outline || get_pixel(x, y) == c;
            if (!outline)
                continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (on_canvas(x + dx, y + dy))
                        near_outline[(y + dy) * SCREEN_W + x + dx] = 1;
        }
    long counted = 0, agreeing = 0;
    for (int y = 0; y < SCREEN_H; ++y)
        for (int x = 0; x < SCREEN_W; ++x) {
            if (near_outline[y * SCREEN_W + x])
                continue;
            Uint8 r, g, b;
            SDL_GetRGB(get_pixel(x, y), screen->format, &r, &g, &b);
            ++counted;
            agreeing += near(uint32_t(r) << 16 | uint32_t(g) << 8 | b, rendered.rgb[y * SCREEN_W + x]);
        }
    const double share = counted ? 100.0 * agreeing / counted : 100;
    std::printf("%.2f%% of %ld pixels agree\n", share, counted);
    return share >= WANTED ? 0 : 1;
}
