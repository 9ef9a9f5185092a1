#include "chair.h"

#include "tile_sink.h"

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

ModelView view;
bool fill_inside_frame;

int column(double x)
{
    return trunc_int(view.left + view.scale * x);
}

int row(double y)
{
    return trunc_int(view.base - view.scale * y);
}

// Whether the square between the model points (x, y) and (x + e, y + d)
// shows on no pixel of the canvas. Columns grow with x and rows fall as y
// grows, so its pixels lie between those of its corners.
bool off_canvas(double x, double y, double e, double d)
{
    const double x0 = e < 0 ? x + e : x, x1 = e < 0 ? x : x + e;
    const double y0 = d < 0 ? y + d : y, y1 = d < 0 ? y : y + d;
    return column(x1) < 0 || column(x0) >= SCREEN_W || row(y0) < 0 || row(y1) >= SCREEN_H;
}

// The corners V0..V5 of the chair with corner (x, y) and extents e, d.
void chair_corners(double x, double y, double e, double d, double (&corners)[6][2])
{
    const double c[6][2] = {{x, y},         {x + e, y},         {x + e, y + d / 2},
                            {x + e / 2, y + d / 2}, {x + e / 2, y + d}, {x, y + d}};
    for (int i = 0; i < 6; ++i) {
        corners[i][0] = c[i][0];
        corners[i][1] = c[i][1];
    }
}

// Hands the chair to the tile sink: a leaf as it would be drawn, or a
// chair passed through. Returns its id.
long hand_chair(double x, double y, double e, double d, int o, int level, long parent, bool leaf,
                bool filled)
{
    TileRecord r = {};
    double corners[6][2];
    chair_corners(x, y, e, d, corners);
    for (int i = 0; i < 6; ++i) {
        r.x[i] = corners[i][0];
        r.y[i] = corners[i][1];
    }
    r.corners = 6;
    r.level = level;
    r.tile_class = o;
    r.id = next_tile_id++;
    r.parent = parent;
    r.drawn = leaf;
    r.edges = leaf ? 63 : 0;
    r.outline = chair_outline;
    r.filled = leaf && filled;
    r.fill = CHAIR_COLOURS[o];
    tile_sink(r);
    return r.id;
}

// A leaf: the outline V0..V5 in the model, each corner mapped on its own,
// then the fill from the centre of its corner quarter; or HANDING, handed
// to the sink.
template <bool HANDING>
void draw_leaf(double x, double y, double e, double d, int o, int level, long parent)
{
    ++tiles_drawn;
    double corners[6][2];
    chair_corners(x, y, e, d, corners);
    int px[6], py[6];
    for (int i = 0; i < 6; ++i) {
        px[i] = column(corners[i][0]);
        py[i] = row(corners[i][1]);
    }
    int sx = column(x + e / 4);
    int sy = row(y + d / 4);
    bool filled =
        !fill_inside_frame || (sx >= 1 && sx <= SCREEN_W - 2 && sy >= 1 && sy <= SCREEN_H - 2);
    if (filled && !on_canvas(sx, sy))
        filled = fill_cut_tiles && seed_on_canvas(px, py, 6, sx, sy);
    if (HANDING) {
        hand_chair(x, y, e, d, o, level, parent, true, filled);
        return;
    }
    for (int i = 0; i < 6; ++i)
        draw_line(px[i], py[i], px[(i + 1) % 6], py[(i + 1) % 6], chair_outline);
    if (filled)
        flood_fill(sx, sy, CHAIR_COLOURS[o], chair_outline);
}

// The chair with corner (x, y), side `size` and orientation o, in the
// model (y upwards, so ey = +1 means up), `level` splits below the first.
// (Compiled apart for HANDING, so that the drawing carries none of it.)
template <bool HANDING>
void subdivide(double x, double y, double size, int o, int depth, int level, long parent)
{
    const int ex = 1 - 2 * (((o + 1) / 2) % 2);
    const int ey = 1 - 2 * (o / 2);
    const double e = ex * size;
    const double d = ey * size;
    if (off_canvas(x, y, e, d))
        return;
    if (depth == 0) {
        draw_leaf<HANDING>(x, y, e, d, o, level, parent);
        return;
    }
    const long id = HANDING ? hand_chair(x, y, e, d, o, level, parent, false, false) : -1;
    const double h = size / 2;
    subdivide<HANDING>(x, y, h, o, depth - 1, level + 1, id);
    subdivide<HANDING>(x + e / 4, y + d / 4, h, o, depth - 1, level + 1, id);
    subdivide<HANDING>(x + e, y, h, (5 - o) % 4, depth - 1, level + 1, id);
    subdivide<HANDING>(x, y + d, h, (7 - o) % 4, depth - 1, level + 1, id);
}

} // namespace

void draw_chair_view(const ModelView &chair_view, int orientation, int depth, bool inside_frame)
{
    view = chair_view;
    fill_inside_frame = inside_frame;
    if (tile_sink)
        subdivide<true>(0, 0, 1, orientation, depth, 0, -1);
    else
        subdivide<false>(0, 0, 1, orientation, depth, 0, -1);
}

void draw_chair(int x, int y, int size, int o, int depth)
{
    draw_chair_view({static_cast<double>(size), static_cast<double>(x), static_cast<double>(y)}, o,
                    depth, false);
}

void draw_chair_clipped(int x, int y, int size, int o, int depth)
{
    draw_chair_view({static_cast<double>(size), static_cast<double>(x), static_cast<double>(y)}, o,
                    depth, true);
}
