// Lines and rectangles.
//
// The line is the 4-connected path that starts with the start pixel and,
// for each of the |major| steps, moves one pixel along the major axis and
// plots, then adds |minor| to an error counter that starts at 0 and, when
// the counter reaches |major|, takes it back by |major| and moves one pixel
// along the minor axis and plots. The x axis is the major one when
// |dx| >= |dy| (so an exact diagonal steps x first).
//
// After k major steps the minor axis has moved floor(k * minor / major)
// times, so the walk can start at the first step that lands inside the
// canvas and stop after the last: a line costs at most a few thousand steps
// however far outside the canvas its ends lie, and plots exactly the pixels
// of the whole walk that fall on the canvas.
#include "plot.h"

#include <algorithm>

namespace {

// The walk with the major axis along x (XMajor) or along y. (a0, b0) is the
// start in (major, minor) coordinates, sa and sb the directions, n and m the
// lengths along the major and the minor axis (m <= n, n > 0).
//
// The whole walk of a line that lies on the canvas, nothing to clip: a
// pointer to the current pixel moves by a major step, and by a minor step
// where the counter reaches n (steps in bytes). The second write of each
// step lands on the pixel just written when no minor step is taken, which
// costs less than telling the two cases apart.
void walk_inside(Uint8 *p, long major_step, long minor_step, int n, int m, Uint32 colour)
{
    int err = 0;
    for (int k = 0; k < n; ++k) {
        p += major_step;
        *reinterpret_cast<Uint32 *>(p) = colour;
        err += m;
        const bool minor = err >= n;
        err -= minor ? n : 0;
        p += minor ? minor_step : 0;
        *reinterpret_cast<Uint32 *>(p) = colour;
    }
}

template <bool XMajor>
void walk(long long a0, long long b0, int sa, int sb, unsigned long long n,
          unsigned long long m, Uint32 colour)
{
    const long long limit = XMajor ? SCREEN_W : SCREEN_H;
    // Steps k = 1..n put the major coordinate at a0 + sa * k; keep those
    // within 0..limit - 1.
    long long first, last;
    if (sa > 0) {
        first = -a0;
        last = limit - 1 - a0;
    } else {
        first = a0 - (limit - 1);
        last = a0;
    }
    if (first < 1)
        first = 1;
    if (last > static_cast<long long>(n))
        last = static_cast<long long>(n);
    if (first > last)
        return;

    // State just before step `first`: (first - 1) * m < 2^64 since both
    // factors are below 2^32.
    const unsigned long long done = static_cast<unsigned long long>(first - 1) * m;
    unsigned long long err = done % n;
    long long b = b0 + sb * static_cast<long long>(done / n);
    // The minor coordinate moves one way only: if it stays off the canvas
    // on one side from step `first` to step `last`, nothing is plotted.
    const long long minor_limit = XMajor ? SCREEN_H : SCREEN_W;
    const long long b_last =
        b0 + sb * static_cast<long long>(static_cast<unsigned long long>(last) * m / n);
    if ((b < 0 && b_last < 0) || (b >= minor_limit && b_last >= minor_limit))
        return;
    for (long long k = first; k <= last; ++k) {
        const long long a = a0 + sa * k;
        if (XMajor)
            plot(a, b, colour);
        else
            plot(b, a, colour);
        err += m;
        if (err >= n) {
            err -= n;
            b += sb;
            if (XMajor)
                plot(a, b, colour);
            else
                plot(b, a, colour);
        }
    }
}

// A line with an end off the canvas: every pixel of its walk lies in the
// box of its ends, and the walk is clipped to the steps that reach the
// canvas. Kept out of draw_line, whose lines on the canvas need none of it.
[[gnu::noinline]] void clipped_line(int x0, int y0, int x1, int y1, Uint32 colour)
{
    if (std::max(x0, x1) < 0 || std::min(x0, x1) >= SCREEN_W || std::max(y0, y1) < 0 ||
        std::min(y0, y1) >= SCREEN_H)
        return;
    plot(x0, y0, colour);
    const long long dx = static_cast<long long>(x1) - x0;
    const long long dy = static_cast<long long>(y1) - y0;
    const int sx = dx > 0 ? 1 : -1;
    const int sy = dy > 0 ? 1 : -1;
    const unsigned long long adx = dx < 0 ? -dx : dx;
    const unsigned long long ady = dy < 0 ? -dy : dy;
    if (adx >= ady)
        walk<true>(x0, y0, sx, sy, adx, ady, colour);
    else
        walk<false>(y0, x0, sy, sx, ady, adx, colour);
}

} // namespace

void draw_line(int x0, int y0, int x1, int y1, Uint32 colour)
{
    if (short_line(x0, y0, x1, y1, colour))
        return;
    if (!on_canvas(x0, y0) || !on_canvas(x1, y1)) {
        clipped_line(x0, y0, x1, y1, colour);
        return;
    }
    const int dx = x1 - x0, dy = y1 - y0;
    const int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    Uint32 *const start = canvas_row(y0) + x0;
    *start = colour;
    const long pixel = sizeof(Uint32), column_step = dx > 0 ? pixel : -pixel;
    const long row_step = dy > 0 ? screen->pitch : -screen->pitch;
    Uint8 *const p = reinterpret_cast<Uint8 *>(start);
    if (adx >= ady)
        walk_inside(p, column_step, row_step, adx, ady, colour);
    else
        walk_inside(p, row_step, column_step, ady, adx, colour);
}

void draw_rect(int x0, int y0, int x1, int y1, Uint32 colour)
{
    draw_line(x0, y0, x1, y0, colour);
    draw_line(x0, y1, x1, y1, colour);
    draw_line(x0, y0, x0, y1, colour);
    draw_line(x1, y1, x1, y0, colour);
}

void draw_frame(Uint32 colour)
{
    draw_line(0, 0, SCREEN_W - 1, 0, colour);
    draw_line(SCREEN_W - 1, 0, SCREEN_W - 1, SCREEN_H - 1, colour);
    draw_line(SCREEN_W - 1, SCREEN_H - 1, 0, SCREEN_H - 1, colour);
    draw_line(0, 0, 0, SCREEN_H - 1, colour);
}
