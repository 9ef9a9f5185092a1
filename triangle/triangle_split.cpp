#include "triangle_split.h"

#include "extended.h"
#include "tile_sink.h"

ModelView triangle_view;
TriangleLeaves triangle_leaves = SHADED_LEAVES;
bool middle_by_midpoints = false;

extended view_x(double x)
{
    return static_cast<extended>(x) * triangle_view.scale + triangle_view.left;
}

extended view_y(double y)
{
    return triangle_view.base - static_cast<extended>(y) * triangle_view.scale;
}

double centroid_of(double a, double b, double c)
{
    return static_cast<double>((static_cast<extended>(a) + b + c) / 3);
}

double one_third(double a, double b)
{
    return static_cast<double>(a + (static_cast<extended>(b) - a) / 3);
}

double two_thirds(double a, double b)
{
    const extended span = static_cast<extended>(b) - a;
    return static_cast<double>(a + (span + span) / 3);
}

double midpoint_of(double a, double b)
{
    return static_cast<double>((static_cast<extended>(a) + b) * 0.5);
}

namespace {

// Whether the three values all lie at or below `low`, or all at or above
// `high`.
bool all_beyond(double a, double b, double c, double low, double high)
{
    return (a <= low && b <= low && c <= low) || (a >= high && b >= high && c >= high);
}

// Whether the triangle, and everything split from it (which lies inside
// it), shows on no pixel: its corners all lie beyond one edge of the
// canvas. Mapped in double, with a pixel to spare for the difference from
// the leaves' own mapping, which truncates -0.5 to column 0.
bool off_canvas(double x1, double y1, double x2, double y2, double x3, double y3)
{
    const ModelView &v = triangle_view;
    return all_beyond(x1 * v.scale + v.left, x2 * v.scale + v.left, x3 * v.scale + v.left, -2,
                      SCREEN_W + 1) ||
           all_beyond(v.base - y1 * v.scale, v.base - y2 * v.scale, v.base - y3 * v.scale, -2,
                      SCREEN_H + 1);
}

} // namespace

void draw_triangle_leaf(double x1, double y1, double x2, double y2, double x3, double y3,
                        bool equilateral)
{
    ++tiles_drawn;
    if (triangle_leaves == AXIS_EDGES)
        draw_axis_edges(x1, y1, x2, y2, x3, y3);
    else
        draw_shaded_leaf(x1, y1, x2, y2, x3, y3, equilateral);
}

namespace {

// Hands the triangle to the tile sink: a leaf as its leaf step would draw
// it, or a triangle passed through. Its class is 0 if it is equilateral, 1
// if not. Returns its id.
long hand_triangle(double x1, double y1, double x2, double y2, double x3, double y3,
                   bool equilateral, int level, long parent, bool leaf)
{
    TileRecord r = {{x1, x2, x3}, {y1, y2, y3}, 3, level, equilateral ? 0 : 1, next_tile_id++,
                    parent, leaf, 0, 0, 0, false, 0};
    if (leaf && triangle_leaves == AXIS_EDGES)
        describe_axis_edges(x1, y1, x2, y2, x3, y3, r);
    else if (leaf)
        describe_shaded_leaf(x1, y1, x2, y2, x3, y3, equilateral, r);
    tile_sink(r);
    return r.id;
}

// The splits, `level` splits below the first triangle, handing their
// tiles to the sink (with their parent's id) when it is set.
void centroid_split(double x1, double y1, double x2, double y2, double x3, double y3, int depth,
                    int level, long parent);
void midpoint_split(double x1, double y1, double x2, double y2, double x3, double y3, int depth,
                    int level, long parent);
void thirds_split(double x1, double y1, double x2, double y2, double x3, double y3, int depth,
                  int level, long parent);

// A triangle met by a split: off the canvas, a leaf, or split further
// (false; `id` is then its own id for its children).
bool ends_here(double x1, double y1, double x2, double y2, double x3, double y3, bool equilateral,
               int depth, int level, long parent, long &id)
{
    if (off_canvas(x1, y1, x2, y2, x3, y3))
        return true;
    if (depth == 0) {
        if (tile_sink) {
            ++tiles_drawn;
            hand_triangle(x1, y1, x2, y2, x3, y3, equilateral, level, parent, true);
        } else {
            draw_triangle_leaf(x1, y1, x2, y2, x3, y3, equilateral);
        }
        return true;
    }
    id = tile_sink ? hand_triangle(x1, y1, x2, y2, x3, y3, equilateral, level, parent, false) : -1;
    return false;
}

void centroid_split(double x1, double y1, double x2, double y2, double x3, double y3, int depth,
                    int level, long parent)
{
    long id;
    if (ends_here(x1, y1, x2, y2, x3, y3, true, depth, level, parent, id))
        return;
    const double gx = centroid_of(x1, x2, x3);
    const double gy = centroid_of(y1, y2, y3);
    thirds_split(gx, gy, x1, y1, x2, y2, depth - 1, level + 1, id);
    thirds_split(gx, gy, x2, y2, x3, y3, depth - 1, level + 1, id);
    thirds_split(gx, gy, x3, y3, x1, y1, depth - 1, level + 1, id);
}

void midpoint_split(double x1, double y1, double x2, double y2, double x3, double y3, int depth,
                    int level, long parent)
{
    long id;
    if (ends_here(x1, y1, x2, y2, x3, y3, true, depth, level, parent, id))
        return;
    const double x23 = midpoint_of(x2, x3), y23 = midpoint_of(y2, y3);
    const double x13 = midpoint_of(x1, x3), y13 = midpoint_of(y1, y3);
    const double x12 = midpoint_of(x1, x2), y12 = midpoint_of(y1, y2);
    midpoint_split(x12, y12, x2, y2, x23, y23, depth - 1, level + 1, id);
    midpoint_split(x13, y13, x23, y23, x3, y3, depth - 1, level + 1, id);
    thirds_split(x12, y12, x23, y23, x1, y1, depth - 1, level + 1, id);
    thirds_split(x13, y13, x1, y1, x23, y23, depth - 1, level + 1, id);
}

void thirds_split(double x1, double y1, double x2, double y2, double x3, double y3, int depth,
                  int level, long parent)
{
    long id;
    if (ends_here(x1, y1, x2, y2, x3, y3, false, depth, level, parent, id))
        return;
    const double ax = one_third(x2, x3), ay = one_third(y2, y3);
    const double bx = two_thirds(x2, x3), by = two_thirds(y2, y3);
    if (middle_by_midpoints)
        midpoint_split(x1, y1, ax, ay, bx, by, depth - 1, level + 1, id);
    else
        centroid_split(x1, y1, ax, ay, bx, by, depth - 1, level + 1, id);
    thirds_split(ax, ay, x1, y1, x2, y2, depth - 1, level + 1, id);
    thirds_split(bx, by, x3, y3, x1, y1, depth - 1, level + 1, id);
}

} // namespace

void split_centroid(double x1, double y1, double x2, double y2, double x3, double y3, int depth)
{
    centroid_split(x1, y1, x2, y2, x3, y3, depth, 0, -1);
}

void split_midpoints(double x1, double y1, double x2, double y2, double x3, double y3, int depth)
{
    midpoint_split(x1, y1, x2, y2, x3, y3, depth, 0, -1);
}

void split_thirds(double x1, double y1, double x2, double y2, double x3, double y3, int depth)
{
    thirds_split(x1, y1, x2, y2, x3, y3, depth, 0, -1);
}
