// The two split rules of the equilateral-triangle subdivisions.
//
// A triangle is six doubles x1, y1, x2, y2, x3, y3 (vertices P1, P2, P3);
// the order matters: split_thirds keeps P1 as the apex and trisects the
// edge P2 -> P3. Sums, thirds and the pixel mappings are evaluated in
// extended precision, and every vertex is held as a double.
#ifndef TRIANGLE_SPLIT_H
#define TRIANGLE_SPLIT_H

// Splits about the centroid G into split_thirds(G, P1, P2),
// split_thirds(G, P2, P3), split_thirds(G, P3, P1) while depth > 0.
void split_centroid(double x1, double y1, double x2, double y2, double x3, double y3, int depth);
// Trisects P2 -> P3 at A (a third of the way) and B (two thirds) into
// split_centroid(P1, A, B), split_thirds(A, P1, P2), split_thirds(B, P3, P1)
// while depth > 0.
void split_thirds(double x1, double y1, double x2, double y2, double x3, double y3, int depth);

// Draws one leaf; supplied by each program that uses these rules.
// `from_centroid` tells whether the leaf was made by split_centroid.
void draw_triangle_leaf(double x1, double y1, double x2, double y2, double x3, double y3,
                        bool from_centroid);

// (a + b + c) / 3, the sum taken left to right.
double centroid_of(double a, double b, double c);
// a + (b - a) / 3 and a + ((b - a) + (b - a)) / 3.
double one_third(double a, double b);
double two_thirds(double a, double b);

#endif
