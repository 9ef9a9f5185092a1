// The split rules of the equilateral-triangle subdivisions.
//
// A triangle is six doubles x1, y1, x2, y2, x3, y3 (vertices P1, P2, P3);
// the order matters: split_thirds keeps P1 as the apex and trisects the
// edge P2 -> P3. Sums, thirds, midpoints and the pixel mappings are
// evaluated in extended precision, and every vertex is held as a double.
//
// Each routine splits while depth > 0 and hands the triangle to
// draw_triangle_leaf at depth 0.
//
// What each program supplies to these rules:
//
//   program              draw_triangle_leaf          MIDDLE_BY_MIDPOINTS
//   tri_axis_edges       its own (axis edges only)   false
//   tri_shaded_steps     shaded_leaf.cpp             false
//   tri_shaded_zoom      shaded_leaf.cpp             false
//   tri_midpoint_steps   shaded_leaf.cpp             true
#ifndef TRIANGLE_SPLIT_H
#define TRIANGLE_SPLIT_H

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
// split_thirds(B, P3, P1). The middle triangle goes to split_midpoints if
// the program's MIDDLE_BY_MIDPOINTS is true, else to split_centroid.
void split_thirds(double x1, double y1, double x2, double y2, double x3, double y3, int depth);

// Supplied by the program: draws one leaf. `equilateral` is true for the
// leaves of split_centroid and split_midpoints, false for those of
// split_thirds (30-30-120 triangles).
void draw_triangle_leaf(double x1, double y1, double x2, double y2, double x3, double y3,
                        bool equilateral);
// Supplied by the program: which rule splits the middle triangle of
// split_thirds.
extern const bool MIDDLE_BY_MIDPOINTS;

// (a + b + c) / 3, the sum taken left to right.
double centroid_of(double a, double b, double c);
// a + (b - a) / 3 and a + ((b - a) + (b - a)) / 3.
double one_third(double a, double b);
double two_thirds(double a, double b);
// (a + b) * 0.5.
double midpoint_of(double a, double b);

#endif
