// The view of the programs that draw a right triangle together with its
// point reflection through the midpoint of its hypotenuse, which completes
// it to a rectangle: 7 pixels per model unit, model origin at pixel
// (10, 590), model y upwards.
#ifndef FIVESPLIT_RECTANGLE_VIEW_H
#define FIVESPLIT_RECTANGLE_VIEW_H

#include "raster.h"

// The pixel column and row of a model point, formed in double precision.
inline int view_x(float x)
{
    return trunc_int(7.0 * x + 10);
}

inline int view_y(float y)
{
    return trunc_int(590 - 7.0 * y);
}

// The midpoint of the hypotenuse P2 P3, held as floats.
inline void hypotenuse_midpoint(float x2, float y2, float x3, float y3, float &mx, float &my)
{
    mx = static_cast<float>((static_cast<extended>(x2) + x3) * 0.5);
    my = static_cast<float>((static_cast<extended>(y2) + y3) * 0.5);
}

// One coordinate of the point reflection of v through `centre`.
inline float reflect(float centre, float v)
{
    return static_cast<float>(2 * static_cast<extended>(centre) - v);
}

#endif
