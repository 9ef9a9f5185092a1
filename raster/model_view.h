// How a figure's model plane lies on the canvas: the model point (x, y),
// y upwards, lands on the pixel (left + scale x, base - scale y), each
// truncated toward zero. Every figure family draws through one of these:
// a program passes its own constants, the explorer those of the view it
// shows. Each family forms the two sums in the precision its figures are
// defined in.
#ifndef MODEL_VIEW_H
#define MODEL_VIEW_H

#include "clip_polygon.h"
#include "raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

struct ModelView {
    double scale; // pixels per model unit
    double left;  // the column of model x = 0
    double base;  // the row of model y = 0
};

// seed_outside (below), its sides' cross products held in Wide.
template <typename Wide>
inline bool seed_outside_in(const int x[3], const int y[3], int sx, int sy)
{
    Wide sides[3];
    for (int i = 0; i < 3; ++i) {
        const int j = (i + 1) % 3;
        sides[i] = static_cast<Wide>(static_cast<long long>(x[j]) - x[i]) *
                       (static_cast<long long>(sy) - y[i]) -
                   static_cast<Wide>(static_cast<long long>(y[j]) - y[i]) *
                       (static_cast<long long>(sx) - x[i]);
    }
    const bool some_negative = sides[0] < 0 || sides[1] < 0 || sides[2] < 0;
    const bool some_positive = sides[0] > 0 || sides[1] > 0 || sides[2] > 0;
    const bool degenerate = sides[0] == 0 && sides[1] == 0 && sides[2] == 0;
    if (degenerate) // the corners and the seed on one line: outside unless on a corner
        return !((sx == x[0] && sy == y[0]) || (sx == x[1] && sy == y[1]) ||
                 (sx == x[2] && sy == y[2]));
    return some_negative && some_positive;
}

// Whether a fill seed (sx, sy) lies strictly outside the triangle whose
// corners are the pixels (x[i], y[i]). A seed on the triangle or inside it
// stays within the tile's outline (a line passes through every pixel that
// lies on its segment), while one outside it would fill whatever region it
// falls in. The figures' own views never place a seed outside; the
// explorer's tiny tiles can, and it passes over such fills
// (fills_inside_tiles).
inline bool seed_outside(const int x[3], const int y[3], int sx, int sy)
{
    // Differences of ints take 33 bits, their products 66; within 2^30 of
    // the origin (every pixel near the canvas) a difference takes 32 bits
    // and a difference of products 63, so a long long holds them.
    constexpr int NEAR = 1 << 30;
    const auto near = [](int v) { return v > -NEAR && v < NEAR; };
    if (near(x[0]) && near(x[1]) && near(x[2]) && near(y[0]) && near(y[1]) && near(y[2]) &&
        near(sx) && near(sy))
        return seed_outside_in<long long>(x, y, sx, sy);
    return seed_outside_in<__int128>(x, y, sx, sy);
}

// Set by the explorer: the figures then pass over a fill whose seed lies
// outside its tile's pixel triangle. Off for the programs, whose views
// never need it.
inline bool fills_inside_tiles = false;

// Set by the explorer when its view has no black frame along the edge: a
// tile cut by the canvas edge whose own seed falls where the figure does
// not fill from is filled from a pixel of it on the canvas instead
// (seed_on_canvas), so that a view closer than the tiles' size is not left
// white. The programs, and views with the frame, keep their seeds (the
// frame is their window: tiles whose seed lies outside it stay white).
inline bool fill_cut_tiles = false;

// Whether the pixel (px, py) lies strictly inside the polygon whose corners
// are the pixels (x[i], y[i]): inside it by the even-odd rule and on none
// of its edges. Such a pixel is enclosed by the polygon's drawn outline.
inline bool strictly_inside(const int x[], const int y[], int corners, long long px, long long py)
{
    bool inside = false;
    for (int i = 0, j = corners - 1; i < corners; j = i++) {
        const long long xi = x[i], yi = y[i], xj = x[j], yj = y[j];
        const __int128 cross = static_cast<__int128>(xj - xi) * (py - yi) -
                               static_cast<__int128>(yj - yi) * (px - xi);
        if (cross == 0 && std::min(xi, xj) <= px && px <= std::max(xi, xj) &&
            std::min(yi, yj) <= py && py <= std::max(yi, yj))
            return false; // on the edge
        if ((yi > py) != (yj > py) && (cross > 0) == (yj > yi))
            inside = !inside;
    }
    return inside;
}

// A fill seed for a tile cut by the canvas edge: a pixel on the canvas
// strictly inside the polygon (x[i], y[i]). The
// polygon is clipped to the canvas, and the candidates are the middle of
// its part on the canvas and a grid across that part's box, the one nearest
// the middle taken. False when none is found (a sliver thinner than the
// grid).
inline bool seed_on_canvas(const int x[], const int y[], int corners, int &sx, int &sy)
{
    std::vector<Point> polygon;
    for (int i = 0; i < corners; ++i)
        polygon.push_back({static_cast<double>(x[i]), static_cast<double>(y[i])});
    polygon = clip_polygon(polygon, {0, 0, SCREEN_W - 1, SCREEN_H - 1});
    const int n = static_cast<int>(polygon.size());
    if (n == 0)
        return false;
    double left = polygon[0].x, right = polygon[0].x, top = polygon[0].y, bottom = polygon[0].y;
    double mx = 0, my = 0;
    for (const Point &p : polygon) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
        mx += p.x / n;
        my += p.y / n;
    }
    constexpr int STEPS = 8;
    double best = -1;
    for (int i = -1; i <= STEPS; ++i)
        for (int j = 0; j <= STEPS; ++j) {
            // i = -1: the middle of the clipped corners.
            const double cx = i < 0 ? mx : left + (right - left) * i / STEPS;
            const double cy = i < 0 ? my : top + (bottom - top) * j / STEPS;
            const long long rx = static_cast<long long>(cx), ry = static_cast<long long>(cy);
            const double off = std::fabs(cx - mx) + std::fabs(cy - my);
            if ((best < 0 || off < best) && strictly_inside(x, y, corners, rx, ry)) {
                best = off;
                sx = static_cast<int>(rx);
                sy = static_cast<int>(ry);
            }
            if (i < 0)
                break;
        }
    return best >= 0;
}

// The tiles the figures have drawn since this was last set to 0 (a tile
// and its reflection count as two).
inline long tiles_drawn = 0;

#endif
