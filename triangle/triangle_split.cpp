#include "triangle_split.h"

#include "extended.h"

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

void split_centroid(double x1, double y1, double x2, double y2, double x3, double y3, int depth)
{
    if (off_canvas(x1, y1, x2, y2, x3, y3))
        return;
    if (depth == 0) {
        draw_triangle_leaf(x1, y1, x2, y2, x3, y3, true);
        return;
    }
    const double gx = centroid_of(x1, x2, x3);
    const double gy = centroid_of(y1, y2, y3);
    split_thirds(gx, gy, x1, y1, x2, y2, depth - 1);
    split_thirds(gx, gy, x2, y2, x3, y3, depth - 1);
    split_thirds(gx, gy, x3, y3, x1, y1, depth - 1);
}

void split_midpoints(double x1, double y1, double x2, double y2, double x3, double y3, int depth)
{
    if (off_canvas(x1, y1, x2, y2, x3, y3))
        return;
    if (depth == 0) {
        draw_triangle_leaf(x1, y1, x2, y2, x3, y3, true);
        return;
    }
    const double x23 = midpoint_of(x2, x3), y23 = midpoint_of(y2, y3);
    const double x13 = midpoint_of(x1, x3), y13 = midpoint_of(y1, y3);
    const double x12 = midpoint_of(x1, x2), y12 = midpoint_of(y1, y2);
    split_midpoints(x12, y12, x2, y2, x23, y23, depth - 1);
    split_midpoints(x13, y13, x23, y23, x3, y3, depth - 1);
    split_thirds(x12, y12, x23, y23, x1, y1, depth - 1);
    split_thirds(x13, y13, x1, y1, x23, y23, depth - 1);
}

void split_thirds(double x1, double y1, double x2, double y2, double x3, double y3, int depth)
{
    if (off_canvas(x1, y1, x2, y2, x3, y3))
        return;
    if (depth == 0) {
        draw_triangle_leaf(x1, y1, x2, y2, x3, y3, false);
        return;
    }
    const double ax = one_third(x2, x3), ay = one_third(y2, y3);
    const double bx = two_thirds(x2, x3), by = two_thirds(y2, y3);
    if (middle_by_midpoints)
        split_midpoints(x1, y1, ax, ay, bx, by, depth - 1);
    else
        split_centroid(x1, y1, ax, ay, bx, by, depth - 1);
    split_thirds(ax, ay, x1, y1, x2, y2, depth - 1);
    split_thirds(bx, by, x3, y3, x1, y1, depth - 1);
}
