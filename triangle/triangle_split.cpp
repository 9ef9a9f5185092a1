#include "triangle_split.h"

#include "extended.h"
#include "tile_sink.h"

ModelView triangle_view;
TriangleLeaves triangle_leaves = SHADED_LEAVES;
bool middle_by_midpoints = false;

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

// The splits, `level` splits below the first triangle: drawing their
// leaves, or HANDING each triangle to the sink with its parent's id.
// (Compiled apart, so that the drawing carries none of the handing.)
template <bool HANDING>
void centroid_split(double x1, double y1, double x2, double y2, double x3, double y3, int depth,
                    int level, long parent);
template <bool HANDING>
void midpoint_split(double x1, double y1, double x2, double y2, double x3, double y3, int depth,
                    int level, long parent);
template <bool HANDING>
void thirds_split(double x1, double y1, double x2, double y2, double x3, double y3, int depth,
                  int level, long parent);

// Whether the triangle ends the split here: off the canvas, or a leaf,
// drawn or handed. If not, `id` is its id for its children.
template <bool HANDING>
bool ends_here(double x1, double y1, double x2, double y2, double x3, double y3, bool equilateral,
               int depth, int level, long parent, long &id)
{
    if (off_canvas(x1, y1, x2, y2, x3, y3))
        return true;
    if (depth == 0 && !HANDING) {
        draw_triangle_leaf(x1, y1, x2, y2, x3, y3, equilateral);
        return true;
    }
    if (depth == 0)
        ++tiles_drawn;
    id = HANDING ? hand_triangle(x1, y1, x2, y2, x3, y3, equilateral, level, parent, depth == 0) : -1;
    return depth == 0;
}

template <bool HANDING>
void centroid_split(double x1, double y1, double x2, double y2, double x3, double y3, int depth,
                    int level, long parent)
{
    long id;
    if (ends_here<HANDING>(x1, y1, x2, y2, x3, y3, true, depth, level, parent, id))
        return;
    const double gx = centroid_of(x1, x2, x3);
    const double gy = centroid_of(y1, y2, y3);
    thirds_split<HANDING>(gx, gy, x1, y1, x2, y2, depth - 1, level + 1, id);
    thirds_split<HANDING>(gx, gy, x2, y2, x3, y3, depth - 1, level + 1, id);
    thirds_split<HANDING>(gx, gy, x3, y3, x1, y1, depth - 1, level + 1, id);
}

template <bool HANDING>
void midpoint_split(double x1, double y1, double x2, double y2, double x3, double y3, int depth,
                    int level, long parent)
{
    long id;
    if (ends_here<HANDING>(x1, y1, x2, y2, x3, y3, true, depth, level, parent, id))
        return;
    const double x23 = midpoint_of(x2, x3), y23 = midpoint_of(y2, y3);
    const double x13 = midpoint_of(x1, x3), y13 = midpoint_of(y1, y3);
    const double x12 = midpoint_of(x1, x2), y12 = midpoint_of(y1, y2);
    midpoint_split<HANDING>(x12, y12, x2, y2, x23, y23, depth - 1, level + 1, id);
    midpoint_split<HANDING>(x13, y13, x23, y23, x3, y3, depth - 1, level + 1, id);
    thirds_split<HANDING>(x12, y12, x23, y23, x1, y1, depth - 1, level + 1, id);
    thirds_split<HANDING>(x13, y13, x1, y1, x23, y23, depth - 1, level + 1, id);
}

template <bool HANDING>
void thirds_split(double x1, double y1, double x2, double y2, double x3, double y3, int depth,
                  int level, long parent)
{
    long id;
    if (ends_here<HANDING>(x1, y1, x2, y2, x3, y3, false, depth, level, parent, id))
        return;
    const double ax = one_third(x2, x3), ay = one_third(y2, y3);
    const double bx = two_thirds(x2, x3), by = two_thirds(y2, y3);
    if (middle_by_midpoints)
        midpoint_split<HANDING>(x1, y1, ax, ay, bx, by, depth - 1, level + 1, id);
    else
        centroid_split<HANDING>(x1, y1, ax, ay, bx, by, depth - 1, level + 1, id);
    thirds_split<HANDING>(ax, ay, x1, y1, x2, y2, depth - 1, level + 1, id);
    thirds_split<HANDING>(bx, by, x3, y3, x1, y1, depth - 1, level + 1, id);
}

} // namespace

void split_centroid(double x1, double y1, double x2, double y2, double x3, double y3, int depth)
{
    if (tile_sink)
        centroid_split<true>(x1, y1, x2, y2, x3, y3, depth, 0, -1);
    else
        centroid_split<false>(x1, y1, x2, y2, x3, y3, depth, 0, -1);
}

void split_midpoints(double x1, double y1, double x2, double y2, double x3, double y3, int depth)
{
    if (tile_sink)
        midpoint_split<true>(x1, y1, x2, y2, x3, y3, depth, 0, -1);
    else
        midpoint_split<false>(x1, y1, x2, y2, x3, y3, depth, 0, -1);
}

void split_thirds(double x1, double y1, double x2, double y2, double x3, double y3, int depth)
{
    if (tile_sink)
        thirds_split<true>(x1, y1, x2, y2, x3, y3, depth, 0, -1);
    else
        thirds_split<false>(x1, y1, x2, y2, x3, y3, depth, 0, -1);
}
