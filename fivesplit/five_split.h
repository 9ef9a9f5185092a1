// The five-way split of a right triangle.
//
// A triangle is (x1, y1, x2, y2, e), single-precision floats: P1 is the
// vertex of the right angle, P2 the far end of the long leg, e the signed
// ratio of the short leg to the long one. The third vertex is
// P3 = (x1 - e (y2 - y1), y1 + e (x2 - x1)): P1 plus e times P1 -> P2 turned
// a quarter turn counter-clockwise, so a negative e gives the mirror-image
// tile. The hypotenuse is P2 P3. Arithmetic is evaluated in extended
// precision and every point is held as floats.
#ifndef FIVESPLIT_SPLIT_H
#define FIVESPLIT_SPLIT_H

struct RightTriangle {
    float x1, y1, x2, y2, e;
};

void third_vertex(const RightTriangle &t, float &x3, float &y3);

// The five children, in drawing order. With Q the foot of the altitude from
// P1 onto the hypotenuse, T the midpoint of P1 P2, R of Q P2 and S of P1 Q:
// (Q, P1, -e), (R, P2, -e), (S, T, -e), (S, T, e), (R, Q, e). The first is
// the triangle Q P1 P3; the other four halve the rest.
void split_five(const RightTriangle &t, RightTriangle children[5]);

#endif
