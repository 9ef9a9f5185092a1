#include "shaded_leaf.h"

#include "model_view.h"
#include "triangle_split.h"

Uint32 leaf_outline, dark_grey, light_grey;

Uint32 map_shaded_palette()
{
    const Uint32 white = map_rgb(255, 255, 255);
    leaf_outline = map_rgb(0, 0, 0);
    dark_grey = map_rgb(100, 100, 100);
    light_grey = map_rgb(200, 200, 200);
    return white;
}

bool seed_in_window(extended cx, extended cy)
{
    return 0 < cx && cx < SCREEN_W - 1 && 0 < cy && cy < SCREEN_H - 1;
}

bool leaf_seed(double x1, double y1, double x2, double y2, double x3, double y3, int &sx, int &sy)
{
    const extended cx = view_x(centroid_of(x1, x2, x3));
    const extended cy = view_y(centroid_of(y1, y2, y3));
    const int px[3] = {trunc_int(view_x(x1)), trunc_int(view_x(x2)), trunc_int(view_x(x3))};
    const int py[3] = {trunc_int(view_y(y1)), trunc_int(view_y(y2)), trunc_int(view_y(y3))};
    if (seed_in_window(cx, cy)) {
        sx = trunc_int(cx);
        sy = trunc_int(cy);
        return !(fills_inside_tiles && seed_outside(px, py, sx, sy));
    }
    return fill_cut_tiles && seed_on_canvas(px, py, 3, sx, sy);
}

void draw_shaded_leaf(double x1, double y1, double x2, double y2, double x3, double y3,
                      bool equilateral)
{
    const int px1 = trunc_int(view_x(x1)), py1 = trunc_int(view_y(y1));
    const int px2 = trunc_int(view_x(x2)), py2 = trunc_int(view_y(y2));
    const int px3 = trunc_int(view_x(x3)), py3 = trunc_int(view_y(y3));
    draw_line(px1, py1, px2, py2, leaf_outline);
    draw_line(px2, py2, px3, py3, leaf_outline);
    draw_line(px3, py3, px1, py1, leaf_outline);

    int sx, sy;
    if (leaf_seed(x1, y1, x2, y2, x3, y3, sx, sy))
        flood_fill(sx, sy, equilateral ? dark_grey : light_grey, leaf_outline);
}

void describe_shaded_leaf(double x1, double y1, double x2, double y2, double x3, double y3,
                          bool equilateral, TileRecord &r)
{
    r.edges = 7;
    r.outline = leaf_outline;
    int sx, sy;
    r.filled = leaf_seed(x1, y1, x2, y2, x3, y3, sx, sy);
    r.fill = equilateral ? dark_grey : light_grey;
}
