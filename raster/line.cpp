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

namespace {

// The walk with the major axis along x (XMajor) or along y. (a0, b0) is the
// start in (major, minor) coordinates, sa and sb the directions, n and m the
// lengths along the major and the minor axis (m <= n, n > 0).
// The whole walk of a line that lies on the canvas: nothing to clip.
template <bool XMajor>
void walk_inside(int a, int b, int sa, int sb, int n, int m, Uint32 colour)
{
    // The current row, addressed again only when the walk leaves it.
    int y = XMajor ? b : a;
    Uint32 *row = canvas_row(y);
    auto put = [&](int major, int minor) {
        const int x = XMajor ? major : minor;
        if ((XMajor ? minor : major) != y)
            row = canvas_row(y = XMajor ? minor : major);
        row[x] = colour;
    };
    int err = 0;
    for (int k = 0; k < n; ++k) {
        a += sa;
        put(a, b);
        err += m;
        if (err >= n) {
            err -= n;
            b += sb;
            put(a, b);
        }
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

} // namespace

void draw_line(int x0, int y0, int x1, int y1, Uint32 colour)
{
    if (short_line(x0, y0, x1, y1, colour))
        return;
    plot(x0, y0, colour);
    const long long dx = static_cast<long long>(x1) - x0;
    const long long dy = static_cast<long long>(y1) - y0;
    const int sx = dx > 0 ? 1 : -1;
    const int sy = dy > 0 ? 1 : -1;
    const unsigned long long adx = dx < 0 ? -dx : dx;
    const unsigned long long ady = dy < 0 ? -dy : dy;
    if (on_canvas(x0, y0) && on_canvas(x1, y1)) {
        if (adx >= ady)
            walk_inside<true>(x0, y0, sx, sy, static_cast<int>(adx), static_cast<int>(ady), colour);
        else
            walk_inside<false>(y0, x0, sy, sx, static_cast<int>(ady), static_cast<int>(adx), colour);
        return;
    }
    if (adx >= ady)
        walk<true>(x0, y0, sx, sy, adx, ady, colour);
    else
        walk<false>(y0, x0, sy, sx, ady, adx, colour);
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
