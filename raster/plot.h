// Kernel-internal: the kernel's one way to write a pixel word. A point is
// plotted with plot(), which skips it when it lies off the canvas; spans
// and walks that stay on the canvas write into the row from canvas_row().
#ifndef RASTER_PLOT_H
#define RASTER_PLOT_H

#include "raster.h"

inline void plot(long long x, long long y, Uint32 colour)
{
    if (on_canvas(x, y))
        canvas_row(static_cast<int>(y))[x] = colour;
}

// A line that takes at most one step each way, drawn as draw_line draws
// it: the start, the major step, then the minor one (for |dx| = |dy| = 1
// the x step first), so its pixels are (x0, y0), (x1, y0) and (x1, y1).
// False, and nothing drawn, for a longer line.
inline bool short_line(long long x0, long long y0, long long x1, long long y1, Uint32 colour)
{
    if (x1 - x0 < -1 || x1 - x0 > 1 || y1 - y0 < -1 || y1 - y0 > 1)
        return false;
    if (on_canvas(x0, y0) && on_canvas(x1, y1)) {
        Uint32 *const row = canvas_row(static_cast<int>(y0));
        row[x0] = colour;
        row[x1] = colour;
        canvas_row(static_cast<int>(y1))[x1] = colour;
        return true;
    }
    plot(x0, y0, colour);
    plot(x1, y0, colour);
    plot(x1, y1, colour);
    return true;
}

// Visits the points of the line from (x0, y0) to (x1, y1) in the order
// draw_line plots them, on the canvas or not: for lines that are short
// enough to walk whole.
template <typename Visit>
void walk_line(int x0, int y0, int x1, int y1, Visit visit)
{
    visit(x0, y0);
    const int dx = x1 - x0, dy = y1 - y0;
    const int sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
    const int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const bool x_major = adx >= ady;
    const int n = x_major ? adx : ady, m = x_major ? ady : adx;
    int x = x0, y = y0, err = 0;
    for (int k = 0; k < n; ++k) {
        x_major ? x += sx : y += sy;
        visit(x, y);
        err += m;
        if (err >= n) {
            err -= n;
            x_major ? y += sy : x += sx;
            visit(x, y);
        }
    }
}

// Forgets the bands thick_line.cpp keeps to draw again (each program's
// canvas starts with none kept).
void forget_kept_bands();

#endif
