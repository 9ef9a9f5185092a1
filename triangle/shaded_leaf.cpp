#include "shaded_leaf.h"

#include "triangle_split.h"


Uint32 black, dark_grey, light_grey;

Uint32 map_shaded_palette()
{
    const Uint32 white = map_rgb(255, 255, 255);
    black = map_rgb(0, 0, 0);
    dark_grey = map_rgb(100, 100, 100);
    light_grey = map_rgb(200, 200, 200);
    return white;
}

bool seed_in_window(extended cx, extended cy)
{
    return 0 < cx && cx < SCREEN_W - 1 && 0 < cy && cy < SCREEN_H - 1;
}

static extended view_x(double x)
{
    return static_cast<extended>(x) * VIEW_SCALE + VIEW_LEFT;
}

static extended view_y(double y)
{
    return VIEW_BASE - static_cast<extended>(y) * VIEW_SCALE;
}

// Whether three mapped coordinates all truncate to below 0 (each is -1 or
// less) or all to `size` or more.
static bool all_beyond(extended a, extended b, extended c, int size)
{
    return (a <= -1 && b <= -1 && c <= -1) || (a >= size && b >= size && c >= size);
}

void draw_triangle_leaf(double x1, double y1, double x2, double y2, double x3, double y3,
                        bool equilateral)
{
    const extended vx1 = view_x(x1), vx2 = view_x(x2), vx3 = view_x(x3);
    const extended vy1 = view_y(y1), vy2 = view_y(y2), vy3 = view_y(y3);
    // A leaf whose corners all lie beyond one edge of the canvas leaves it
    // untouched: each edge keeps within the box of its two ends, and the
    // centroid maps between the corners, so it fails the seed test too.
    // (Most leaves of a zoomed view are such.)
    if (all_beyond(vx1, vx2, vx3, SCREEN_W) || all_beyond(vy1, vy2, vy3, SCREEN_H))
        return;
    const int px1 = trunc_int(vx1), py1 = trunc_int(vy1);
    const int px2 = trunc_int(vx2), py2 = trunc_int(vy2);
    const int px3 = trunc_int(vx3), py3 = trunc_int(vy3);
    draw_line(px1, py1, px2, py2, black);
    draw_line(px2, py2, px3, py3, black);
    draw_line(px3, py3, px1, py1, black);

    const extended cx = view_x(centroid_of(x1, x2, x3));
    const extended cy = view_y(centroid_of(y1, y2, y3));
    if (seed_in_window(cx, cy))
        flood_fill(trunc_int(cx), trunc_int(cy), equilateral ? dark_grey : light_grey, black);
}
