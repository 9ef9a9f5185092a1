// The kernel's routines in their literal form: every step of every walk
// taken as defined, each pixel plotted where it falls on the canvas and
// skipped where it does not. The kernel's own walks pass over what lies off
// the canvas; their pictures must equal these. Shared by the kernel tests
// and the kernel's fuzz target.
#ifndef LITERAL_FORMS_H
#define LITERAL_FORMS_H

#include "raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

inline void literal_plot(long long x, long long y, Uint32 colour)
{
    if (on_canvas(x, y))
        put_pixel(static_cast<int>(x), static_cast<int>(y), colour);
}

// The line's step-by-step walk: 1 + |dx| + |dy| points.
inline void literal_line(long long x0, long long y0, long long x1, long long y1, Uint32 colour)
{
    literal_plot(x0, y0, colour);
    const long long dx = x1 - x0, dy = y1 - y0;
    const int sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
    const long long adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    long long x = x0, y = y0, err = 0;
    if (adx == 0) {
        for (long long i = 0; i < ady; ++i)
            literal_plot(x, y += sy, colour);
    } else if (ady == 0) {
        for (long long i = 0; i < adx; ++i)
            literal_plot(x += sx, y, colour);
    } else if (adx == ady) {
        for (long long i = 0; i < adx; ++i) {
            literal_plot(x += sx, y, colour);
            literal_plot(x, y += sy, colour);
        }
    } else if (adx > ady) {
        for (long long i = 0; i < adx; ++i) {
            literal_plot(x += sx, y, colour);
            err += ady;
            if (err >= adx) {
                err -= adx;
                literal_plot(x, y += sy, colour);
            }
        }
    } else {
        for (long long i = 0; i < ady; ++i) {
            literal_plot(x, y += sy, colour);
            err += adx;
            if (err >= ady) {
                err -= ady;
                literal_plot(x += sx, y, colour);
            }
        }
    }
}

inline void literal_rect(long long x0, long long y0, long long x1, long long y1, Uint32 colour)
{
    literal_line(x0, y0, x1, y0, colour);
    literal_line(x0, y1, x1, y1, colour);
    literal_line(x0, y0, x0, y1, colour);
    literal_line(x1, y1, x1, y0, colour);
}

// The quarter-circle walk of the circle (disk false) or the disk. A disk
// span's pixels off the canvas are passed over without a visit each.
inline void literal_circle(long long cx, long long cy, long long r, bool disk, Uint32 colour)
{
    literal_plot(cx, cy + r, colour);
    literal_plot(cx, cy - r, colour);
    long long x = cx, y = cy + r, e = 0;
    auto span = [&](long long row) {
        if (row < 0 || row >= SCREEN_H)
            return;
        for (long long i = std::max(2 * cx - x, 0LL); i <= std::min(x, SCREEN_W - 1LL); ++i)
            literal_plot(i, row, colour);
    };
    while (y > cy) {
        const long long eh = e + 2 * (x - cx) + 1, ev = e - 2 * (y - cy) + 1;
        if (std::llabs(eh) < std::llabs(ev)) {
            ++x;
            e = eh;
        } else {
            --y;
            e = ev;
        }
        if (disk) {
            span(y);
            span(2 * cy - y);
        } else {
            literal_plot(x, y, colour);
            literal_plot(x, 2 * cy - y, colour);
            literal_plot(2 * cx - x, y, colour);
            literal_plot(2 * cx - x, 2 * cy - y, colour);
        }
    }
    literal_plot(cx + r, cy, colour);
    literal_plot(cx - r, cy, colour);
}

// The band sampled step by step, both strokes (draw_line calls, as
// defined) drawn at every sample, but for a stroke equal to the one just
// drawn on its side, which would write the same pixels again. Once a step
// no longer moves t, every later sample would repeat the last one, and the
// walk ends there.
inline void literal_thick_line(int x0, int y0, int x1, int y1, int width, Uint32 colour)
{
    draw_line(x0, y0, x1, y1, colour);
    const long long dx = static_cast<long long>(x1) - x0, dy = static_cast<long long>(y1) - y0;
    const __int128 squares = static_cast<__int128>(dx) * dx + static_cast<__int128>(dy) * dy;
    const float length = static_cast<float>(std::sqrt(static_cast<double>(squares)));
    if (length == 0)
        return;
    const double a = static_cast<double>(static_cast<extended>(dx) * width / length);
    const double b = static_cast<float>(static_cast<extended>(dy) * width / length);
    const float k = 1.5707963705062866f;
    const double c = std::cos(static_cast<double>(k)), s = std::sin(static_cast<double>(k));
    const double cm = std::cos(static_cast<double>(-k)), sm = std::sin(static_cast<double>(-k));
    const float p1 = static_cast<float>(static_cast<extended>(c) * a - static_cast<extended>(s) * b);
    const float p2 = static_cast<float>(static_cast<extended>(s) * a + static_cast<extended>(c) * b);
    const float p3 = static_cast<float>(static_cast<extended>(cm) * a - static_cast<extended>(sm) * b);
    const float p4 = static_cast<float>(static_cast<extended>(sm) * a + static_cast<extended>(cm) * b);
    const extended step = static_cast<extended>(0.1) / static_cast<extended>(static_cast<double>(length));
    float t = 0;
    int last_one[4], last_other[4];
    for (;;) {
        const float xs = static_cast<float>(static_cast<extended>(x0) * (1 - static_cast<extended>(t)) +
                                            static_cast<extended>(static_cast<float>(x1)) * t);
        const float ys = static_cast<float>(static_cast<extended>(static_cast<float>(y1)) * t +
                                            static_cast<extended>(y0) * (1 - static_cast<extended>(t)));
        const int ix = trunc_int(xs), iy = trunc_int(ys);
        const int one[4] = {ix, iy, trunc_int(static_cast<extended>(xs) - p1),
                            trunc_int(static_cast<extended>(ys) - p2)};
        const int other[4] = {ix, iy, trunc_int(static_cast<extended>(xs) - p3),
                              trunc_int(static_cast<extended>(ys) - p4)};
        if (t == 0 || std::memcmp(one, last_one, sizeof one) != 0)
            draw_line(one[0], one[1], one[2], one[3], colour);
        if (t == 0 || std::memcmp(other, last_other, sizeof other) != 0)
            draw_line(other[0], other[1], other[2], other[3], colour);
        std::memcpy(last_one, one, sizeof one);
        std::memcpy(last_other, other, sizeof other);
        const float next = static_cast<float>(t + step);
        if (next == t || !(next <= 1.0f))
            break;
        t = next;
    }
}

// Steps 1 to 4 of the fill for one seed: false if the seed is off the
// canvas or on the border or fill colour; otherwise its run is filled and
// its limits L and R are set.
inline bool literal_fill_run(int x, int y, Uint32 fill, Uint32 edge, int &left, int &right)
{
    if (!on_canvas(x, y) || get_pixel(x, y) == edge || get_pixel(x, y) == fill)
        return false;
    put_pixel(x, y, fill);
    left = x - 1;
    while (left > 0 && get_pixel(left, y) != edge)
        put_pixel(left--, y, fill);
    right = x + 1;
    while (right < SCREEN_W && get_pixel(right, y) != edge)
        put_pixel(right++, y, fill);
    return true;
}

#endif
