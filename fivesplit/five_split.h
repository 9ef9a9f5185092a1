// The five-way split of a right triangle.
//
// A triangle is (x1, y1, x2, y2, e): P1 is the vertex of the right angle,
// P2 the far end of the long leg, e the signed ratio of the short leg to
// the long one. The third vertex is P3 = (x1 - e (y2 - y1),
// y1 + e (x2 - x1)): P1 plus e times P1 -> P2 turned a quarter turn
// counter-clockwise, so a negative e gives the mirror-image tile. The
// hypotenuse is P2 P3.
//
// The figures hold every point as floats, each formed in extended precision
// and rounded once. The explorer's deep views hold them as doubles instead,
// formed in double: the same rules, in the precision such a view needs.
#ifndef FIVESPLIT_SPLIT_H
#define FIVESPLIT_SPLIT_H

#include "extended.h"

template <typename Real>
struct RightTriangleOf {
    Real x1, y1, x2, y2, e;
};
using RightTriangle = RightTriangleOf<float>;

// The precision a triangle's points are formed in before they are held.
template <typename Real>
struct FormedIn;
template <>
struct FormedIn<float> {
    using type = extended;
};
template <>
struct FormedIn<double> {
    using type = double;
};

template <typename Real>
void third_vertex(const RightTriangleOf<Real> &t, Real &x3, Real &y3)
{
    using Wide = typename FormedIn<Real>::type;
    x3 = static_cast<Real>(t.x1 - static_cast<Wide>(t.e) * (static_cast<Wide>(t.y2) - t.y1));
    y3 = static_cast<Real>(t.y1 + static_cast<Wide>(t.e) * (static_cast<Wide>(t.x2) - t.x1));
}

// The five children, in drawing order. With Q the foot of the altitude from
// P1 onto the hypotenuse, T the midpoint of P1 P2, R of Q P2 and S of P1 Q:
// (Q, P1, -e), (R, P2, -e), (S, T, -e), (S, T, e), (R, Q, e). The first is
// the triangle Q P1 P3; the other four halve the rest.
template <typename Real>
void split_five(const RightTriangleOf<Real> &t, RightTriangleOf<Real> children[5])
{
    using Wide = typename FormedIn<Real>::type;
    Real x3, y3;
    third_vertex(t, x3, y3);
    // Q = P3 + F (P2 - P3), F = |P1 - P3|^2 / |P2 - P3|^2.
    const Wide near_x = static_cast<Wide>(t.x1) - x3, near_y = static_cast<Wide>(t.y1) - y3;
    const Wide hyp_x = static_cast<Wide>(t.x2) - x3, hyp_y = static_cast<Wide>(t.y2) - y3;
    const Wide f = (near_x * near_x + near_y * near_y) / (hyp_x * hyp_x + hyp_y * hyp_y);
    const Real qx = static_cast<Real>(x3 + f * hyp_x);
    const Real qy = static_cast<Real>(y3 + f * hyp_y);
    const Real tx = static_cast<Real>((static_cast<Wide>(t.x1) + t.x2) * 0.5);
    const Real ty = static_cast<Real>((static_cast<Wide>(t.y1) + t.y2) * 0.5);
    const Real rx = static_cast<Real>((static_cast<Wide>(qx) + t.x2) * 0.5);
    const Real ry = static_cast<Real>((static_cast<Wide>(qy) + t.y2) * 0.5);
    const Real sx = static_cast<Real>((static_cast<Wide>(t.x1) + qx) * 0.5);
    const Real sy = static_cast<Real>((static_cast<Wide>(t.y1) + qy) * 0.5);
    children[0] = {qx, qy, t.x1, t.y1, -t.e};
    children[1] = {rx, ry, t.x2, t.y2, -t.e};
    children[2] = {sx, sy, tx, ty, -t.e};
    children[3] = {sx, sy, tx, ty, t.e};
    children[4] = {rx, ry, qx, qy, t.e};
}

#endif
