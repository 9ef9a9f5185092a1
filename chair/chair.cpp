#include "chair.h"

Uint32 CHAIR_COLOURS[4];
Uint32 chair_outline;

void draw_chair_outline(int x, int y, int e, int d, Uint32 colour)
{
    draw_line(x, y, x + e, y, colour);
    draw_line(x + e, y, x + e, y - d / 2, colour);
    draw_line(x + e, y - d / 2, x + e / 2, y - d / 2, colour);
    draw_line(x + e / 2, y - d / 2, x + e / 2, y - d, colour);
    draw_line(x + e / 2, y - d, x, y - d, colour);
    draw_line(x, y - d, x, y, colour);
}

void draw_chair(int x, int y, int size, int o, int depth)
{
    const int ex = 1 - 2 * (((o + 1) / 2) % 2);
    const int ey = 1 - 2 * (o / 2);
    const int e = ex * size;
    const int d = ey * size;
    if (depth == 0) {
        draw_chair_outline(x, y, e, d, chair_outline);
        flood_fill(x + e / 4, y - d / 4, CHAIR_COLOURS[o], chair_outline);
        return;
    }
    const int h = size / 2;
    draw_chair(x, y, h, o, depth - 1);
    draw_chair(x + e / 4, y - d / 4, h, o, depth - 1);
    draw_chair(x + e, y, h, (5 - o) % 4, depth - 1);
    draw_chair(x, y - d, h, (7 - o) % 4, depth - 1);
}
