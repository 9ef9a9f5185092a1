#include "five_split.h"

#include "extended.h"


void third_vertex(const RightTriangle &t, float &x3, float &y3)
{
    x3 = static_cast<float>(t.x1 - static_cast<extended>(t.e) * (static_cast<extended>(t.y2) - t.y1));
    y3 = static_cast<float>(t.y1 + static_cast<extended>(t.e) * (static_cast<extended>(t.x2) - t.x1));
}

void split_five(const RightTriangle &t, RightTriangle children[5])
{
    float x3, y3;
    third_vertex(t, x3, y3);
    // Q = P3 + F (P2 - P3), F = |P1 - P3|^2 / |P2 - P3|^2.
    const extended near_x = static_cast<extended>(t.x1) - x3, near_y = static_cast<extended>(t.y1) - y3;
    const extended hyp_x = static_cast<extended>(t.x2) - x3, hyp_y = static_cast<extended>(t.y2) - y3;
    const extended f = (near_x * near_x + near_y * near_y) / (hyp_x * hyp_x + hyp_y * hyp_y);
    const float qx = static_cast<float>(x3 + f * hyp_x);
    const float qy = static_cast<float>(y3 + f * hyp_y);
    const float tx = static_cast<float>((static_cast<extended>(t.x1) + t.x2) * 0.5);
    const float ty = static_cast<float>((static_cast<extended>(t.y1) + t.y2) * 0.5);
    const float rx = static_cast<float>((static_cast<extended>(qx) + t.x2) * 0.5);
    const float ry = static_cast<float>((static_cast<extended>(qy) + t.y2) * 0.5);
    const float sx = static_cast<float>((static_cast<extended>(t.x1) + qx) * 0.5);
    const float sy = static_cast<float>((static_cast<extended>(t.y1) + qy) * 0.5);
    children[0] = {qx, qy, t.x1, t.y1, -t.e};
    children[1] = {rx, ry, t.x2, t.y2, -t.e};
    children[2] = {sx, sy, tx, ty, -t.e};
    children[3] = {sx, sy, tx, ty, t.e};
    children[4] = {rx, ry, qx, qy, t.e};
}
