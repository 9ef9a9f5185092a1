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

// The leaf's corners' pixels.
static void leaf_pixels(double x1, double y1, double x2, double y2, double x3, double y3,
                        int px[3], int py[3])
{
    px[0] = view_column(x1);
    px[1] = view_column(x2);
    px[2] = view_column(x3);
    py[0] = view_row(y1);
    py[1] = view_row(y2);
    py[2] = view_row(y3);
}

// Whether the model point's unrounded pixel lies strictly inside the
// window's frame (seed_in_window), and then that pixel, truncated.
static bool view_seed(double x, double y, int &sx, int &sy)
{
    const double px = x * triangle_view.scale, py = y * triangle_view.scale;
    double column, row;
    if (WHOLES_IN_DOUBLE && between_wholes(px, px + triangle_view.left, column) &&
        between_wholes(py, triangle_view.base - py, row)) {
        // Strictly inside (0, SCREEN_W - 1) and (0, SCREEN_H - 1).
        if (column < 0 || column > SCREEN_W - 2 || row < 0 || row > SCREEN_H - 2)
            return false;
        sx = static_cast<int>(column);
        sy = static_cast<int>(row);
        return true;
    }
    const extended cx = view_x(x), cy = view_y(y);
    if (!seed_in_window(cx, cy))
        return false;
    sx = trunc_int(cx);
    sy = trunc_int(cy);
    return true;
}

// leaf_seed with the leaf's pixels known.
static bool seed_of(double x1, double y1, double x2, double y2, double x3, double y3,
                    const int px[3], const int py[3], int &sx, int &sy)
{
    if (view_seed(centroid_of(x1, x2, x3), centroid_of(y1, y2, y3), sx, sy))
        return !(fills_inside_tiles && seed_outside(px, py, sx, sy));
    return fill_cut_tiles && seed_on_canvas(px, py, 3, sx, sy);
}

bool leaf_seed(double x1, double y1, double x2, double y2, double x3, double y3, int &sx, int &sy)
{
    int px[3], py[3];
    leaf_pixels(x1, y1, x2, y2, x3, y3, px, py);
    return seed_of(x1, y1, x2, y2, x3, y3, px, py, sx, sy);
}

void draw_shaded_leaf(double x1, double y1, double x2, double y2, double x3, double y3,
                      bool equilateral)
{
    int px[3], py[3];
    leaf_pixels(x1, y1, x2, y2, x3, y3, px, py);
    draw_line(px[0], py[0], px[1], py[1], leaf_outline);
    draw_line(px[1], py[1], px[2], py[2], leaf_outline);
    draw_line(px[2], py[2], px[0], py[0], leaf_outline);

    int sx, sy;
    if (seed_of(x1, y1, x2, y2, x3, y3, px, py, sx, sy))
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
