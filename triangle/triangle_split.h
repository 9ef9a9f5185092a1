// The split rules of the equilateral-triangle subdivisions, and the one
// drawing of their leaves.
//
// A triangle is six doubles x1, y1, x2, y2, x3, y3 (vertices P1, P2, P3);
// the order matters: split_thirds keeps P1 as the apex and trisects the
// edge P2 -> P3. Sums, thirds, midpoints and the pixel mappings are
// evaluated in extended precision, and every vertex is held as a double.
//
// Each routine splits while depth > 0 and hands the triangle to
// draw_triangle_leaf at depth 0; or, with a tile sink set (tile_sink.h), it
// hands each triangle it meets to the sink instead, each leaf as
// draw_triangle_leaf would draw it (class 0 for an equilateral triangle, 1
// for a 30-30-120 one). A triangle whose corners all lie beyond
// one edge of the canvas is passed over with everything inside it: its
// leaves would write nothing.
//
// What each program sets before it splits:
//
//   program              triangle_leaves   middle_by_midpoints   triangle_view
//   tri_axis_edges       AXIS_EDGES        false                 3000, -400, 700
//   tri_shaded_steps     SHADED_LEAVES     false                 650, 10, 590
//   tri_shaded_zoom      SHADED_LEAVES     false                 4000, -400, 700
//   tri_midpoint_steps   SHADED_LEAVES     true                  650, 10, 595
#ifndef TRIANGLE_SPLIT_H
#define TRIANGLE_SPLIT_H

#include "model_view.h"
#include "raster.h"
#include "tile_sink.h"

#include <cmath>
#include <type_traits>

// How the leaves are drawn: outlined in black and filled grey by their
// shape (shaded_leaf.cpp), or only their horizontal and vertical edges
// (axis_leaf.cpp).
enum TriangleLeaves { SHADED_LEAVES, AXIS_EDGES };

// The view: the model point (x, y) lands on the pixel
// (x * scale + left, base - y * scale), truncated toward zero.
extern ModelView triangle_view;
extern TriangleLeaves triangle_leaves;
// Which rule splits the middle triangle of split_thirds: split_midpoints
// if true, else split_centroid.
extern bool middle_by_midpoints;

// Splits about the centroid G into split_thirds(G, P1, P2),
// split_thirds(G, P2, P3), split_thirds(G, P3, P1).
void split_centroid(double x1, double y1, double x2, double y2, double x3, double y3, int depth);
// Splits at the edge midpoints M12, M23, M13 into the corner triangles
// split_midpoints(M12, P2, M23) and split_midpoints(M13, M23, P3), and the
// two halves of the rhombus at P1, split_thirds(M12, M23, P1) and
// split_thirds(M13, P1, M23).
void split_midpoints(double x1, double y1, double x2, double y2, double x3, double y3, int depth);
// Trisects P2 -> P3 at A (a third of the way) and B (two thirds) into the
// middle triangle (P1, A, B), then split_thirds(A, P1, P2) and
// split_thirds(B, P3, P1).
void split_thirds(double x1, double y1, double x2, double y2, double x3, double y3, int depth);

// Draws one leaf as triangle_leaves says. `equilateral` is true for the
// leaves of split_centroid and split_midpoints, false for those of
// split_thirds (30-30-120 triangles).
void draw_triangle_leaf(double x1, double y1, double x2, double y2, double x3, double y3,
                        bool equilateral);
// The two leaf steps.
void draw_shaded_leaf(double x1, double y1, double x2, double y2, double x3, double y3,
                      bool equilateral);
void draw_axis_edges(double x1, double y1, double x2, double y2, double x3, double y3);
// What each leaf step would draw, as a tile record's outline and fill.
void describe_shaded_leaf(double x1, double y1, double x2, double y2, double x3, double y3,
                          bool equilateral, TileRecord &record);
void describe_axis_edges(double x1, double y1, double x2, double y2, double x3, double y3,
                         TileRecord &record);

// The unrounded pixel column and row of a model point.
inline extended view_x(double x)
{
    return static_cast<extended>(x) * triangle_view.scale + triangle_view.left;
}

inline extended view_y(double y)
{
    return triangle_view.base - static_cast<extended>(y) * triangle_view.scale;
}

// Whether a view's mapping of a model value, x * scale added to a double,
// lies strictly between two whole numbers, judged from its double form:
// `product` the double product, `sum` the double sum. Each of them is
// within half a unit in its last place of the exact value, and the
// extended form within far less, so where no whole number lies within
// (|product| + |sum|) / 2^50 of `sum` the extended value lies between the
// same two whole numbers; `below` is the lower. Elsewhere (and beyond
// 2^30, or not finite) only the extended value can tell.
inline bool between_wholes(double product, double sum, double &below)
{
    const double margin = (std::fabs(product) + std::fabs(sum)) * 0x1p-50;
    if (!(std::fabs(sum) < 0x1p30))
        return false;
    // Floors by way of the integer conversion (well within its range).
    const auto floor_of = [](double v) {
        const double t = static_cast<double>(static_cast<int>(v));
        return t > v ? t - 1 : t;
    };
    below = floor_of(sum - margin);
    return below == floor_of(sum + margin) && below != sum - margin;
}

// A value strictly between `below` and `below` + 1, truncated.
inline int truncated_between(double below)
{
    return static_cast<int>(below < 0 ? below + 1 : below);
}

// Whether the double test is worth making: the x87 forms its extended
// value faster, and a pair of doubles or a binary128 far slower.
constexpr bool WHOLES_IN_DOUBLE = !std::is_same_v<extended, long double>;

// trunc_int(view_x(x)) and trunc_int(view_y(y)), found in double where
// that can tell (between_wholes).
inline int view_column(double x)
{
    const double product = x * triangle_view.scale;
    double below;
    if (WHOLES_IN_DOUBLE && between_wholes(product, product + triangle_view.left, below))
        return truncated_between(below);
    return trunc_int(view_x(x));
}

inline int view_row(double y)
{
    const double product = y * triangle_view.scale;
    double below;
    if (WHOLES_IN_DOUBLE && between_wholes(product, triangle_view.base - product, below))
        return truncated_between(below);
    return trunc_int(view_y(y));
}

// (a + b + c) / 3, the sum taken left to right.
double centroid_of(double a, double b, double c);
// a + (b - a) / 3 and a + ((b - a) + (b - a)) / 3.
double one_third(double a, double b);
double two_thirds(double a, double b);
// (a + b) * 0.5.
double midpoint_of(double a, double b);

#endif
