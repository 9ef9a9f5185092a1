// Circles and disks.
//
// Both follow one walk along the lower-right quarter of the circle, from
// the bottom point (cx, cy + r) towards the centre row: with (u, v) the
// point relative to the centre and e = u^2 + v^2 - r^2, each step goes right
// if that leaves |e| strictly smaller than a step up would, and up
// otherwise, until the walk reaches the centre row. Comparing the two
// errors reduces to: step right from (u, v) exactly when
// u(u + 1) + v(v - 1) + 1 < r^2. So on row v (1 <= v <= r) the walk ends at
// the column c(v), the least u >= 0 with u(u + 1) >= r^2 - 1 - v(v - 1),
// having come up from row v + 1 at column c(v + 1) (column 0 on row r),
// and it arrives on the centre row at column c(1).
//
// The circle plots the four mirror images of every point of the walk, the
// disk every row of the walk across its widest span; both plot the four
// extreme points (cx, cy +- r), (cx +- r, cy). Only the rows and columns
// that meet the canvas are visited, so any radius costs at most a canvas's
// worth of pixels; a negative radius plots just the four extreme points.
#include "plot.h"

#include <cmath>

namespace {

using i128 = __int128;

// Plots columns from..to of row y, clipped to the canvas.
void plot_span(long long y, long long from, long long to, Uint32 colour)
{
    if (y < 0 || y >= SCREEN_H)
        return;
    if (from < 0)
        from = 0;
    if (to > SCREEN_W - 1)
        to = SCREEN_W - 1;
    Uint32 *row = canvas_row(static_cast<int>(y));
    for (long long x = from; x <= to; ++x)
        row[x] = colour;
}

// c(v): the column where the walk leaves row v (0 < v <= r).
long long row_end(long long r, long long v)
{
    const i128 target = i128(r) * r - 1 - i128(v) * (v - 1);
    if (target <= 0)
        return 0;
    long long u = static_cast<long long>(std::sqrt(static_cast<double>(target)));
    while (i128(u) * (u + 1) < target)
        ++u;
    while (u > 0 && i128(u - 1) * u >= target)
        --u;
    return u;
}

void plot_extremes(long long cx, long long cy, long long r, Uint32 colour)
{
    plot(cx, cy + r, colour);
    plot(cx, cy - r, colour);
    plot(cx + r, cy, colour);
    plot(cx - r, cy, colour);
}

// Plots the circle (disk false) or the disk (disk true) row by row, over
// the canvas rows within r of the centre row.
void plot_walk(long long cx, long long cy, long long r, bool disk, Uint32 colour)
{
    plot_extremes(cx, cy, r, colour);
    if (r <= 0)
        return;
    const long long top = cy - r < 0 ? 0 : cy - r;
    const long long bottom = cy + r > SCREEN_H - 1 ? SCREEN_H - 1 : cy + r;
    for (long long y = top; y <= bottom; ++y) {
        const long long v = y < cy ? cy - y : y - cy;
        // On row v the walk covers columns from..to of the quarter; the
        // centre row holds only its arrival point.
        const long long to = row_end(r, v == 0 ? 1 : v);
        const long long from = v == 0 ? to : v == r ? 0 : row_end(r, v + 1);
        if (disk) {
            plot_span(y, cx - to, cx + to, colour);
        } else {
            plot_span(y, cx + from, cx + to, colour);
            plot_span(y, cx - to, cx - from, colour);
        }
    }
}

} // namespace

void draw_circle(int cx, int cy, int r, Uint32 colour)
{
    plot_walk(cx, cy, r, false, colour);
}

void fill_disk(int cx, int cy, int r, Uint32 colour)
{
    plot_walk(cx, cy, r, true, colour);
}
