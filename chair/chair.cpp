#include "chair.h"

Uint32 CHAIR_COLOURS[4];
Uint32 chair_outline;

const Uint8 CHAIR_BRIGHT_RGB[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
const Uint8 CHAIR_GREY_RGB[4][3] = {{70, 70, 70}, {120, 120, 120}, {180, 180, 180}, {230, 230, 230}};

void map_chair_palette(const Uint8 (&fills)[4][3])
{
    chair_outline = map_rgb(0, 0, 0);
    for (int o = 0; o < 4; ++o)
        CHAIR_COLOURS[o] = map_rgb(fills[o][0], fills[o][1], fills[o][2]);
}

void draw_chair_outline(int x, int y, int e, int d, Uint32 colour)
{
    draw_line(x, y, x + e, y, colour);
    draw_line(x + e, y, x + e, y - d / 2, colour);
    draw_line(x + e, y - d / 2, x + e / 2, y - d / 2, colour);
    draw_line(x + e / 2, y - d / 2, x + e / 2, y - d, colour);
    draw_line(x + e / 2, y - d, x, y - d, colour);
    draw_line(x, y - d, x, y, colour);
}

namespace {

// The recursion behind draw_chair and draw_chair_clipped; `inside_frame`
// keeps the fill of leaves whose seed is not strictly inside the canvas.
void subdivide(int x, int y, int size, int o, int depth, bool inside_frame)
{
    const int ex = 1 - 2 * (((o + 1) / 2) % 2);
    const int ey = 1 - 2 * (o / 2);
    const int e = ex * size;
    const int d = ey * size;
    if (depth == 0) {
        draw_chair_outline(x, y, e, d, chair_outline);
        // The centre of the leaf's corner quarter.
        const int sx = x + e / 4;
        const int sy = y - d / 4;
        if (!inside_frame || (sx >= 1 && sx <= SCREEN_W - 2 && sy >= 1 && sy <= SCREEN_H - 2))
            flood_fill(sx, sy, CHAIR_COLOURS[o], chair_outline);
        return;
    }
    const int h = size / 2;
    subdivide(x, y, h, o, depth - 1, inside_frame);
    subdivide(x + e / 4, y - d / 4, h, o, depth - 1, inside_frame);
    subdivide(x + e, y, h, (5 - o) % 4, depth - 1, inside_frame);
    subdivide(x, y - d, h, (7 - o) % 4, depth - 1, inside_frame);
}

} // namespace

void draw_chair(int x, int y, int size, int o, int depth)
{
    subdivide(x, y, size, o, depth, false);
}

void draw_chair_clipped(int x, int y, int size, int o, int depth)
{
    subdivide(x, y, size, o, depth, true);
}
