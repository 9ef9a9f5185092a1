// The span flood fill.
//
// A seed (x, y) inside the canvas whose pixel is neither the border colour
// nor already the fill colour fills its run: the seed pixel, leftwards while
// the column is above 0 and the pixel is not the border colour (column 0 is
// never reached by this scan), and rightwards up to the border colour or the
// canvas edge. The run's left limit L is the column where the left scan
// stopped and its right limit R the column where the right scan stopped.
// Then, for each column i from L to R - 1 in turn, the seed (i, y - 1) is
// taken if y > 1 and then the seed (i, y + 1) if y < 599. Seeds outside the
// canvas (column -1, from a run that starts at column 0) do nothing.
//
// The picture does not depend on the order in which the seeds are taken,
// only on which seeds are issued: the pixels that end up filled are those
// reachable from the seed by these rules. So the fill takes the seeds of a
// run's two neighbour rows one row at a time, each as soon as it is found,
// and leaves the seeds of the runs it fills for later. A seed on a pixel of
// the border or fill colour does nothing, while a seed on any other pixel
// fills that pixel's whole run (leaving the seeds on the rest of that run
// nothing to do), so only the first seed into each run along a neighbour
// row is taken, found by scanning the row; and on the row of the run whose
// seed found it, the columns that run painted hold the fill colour and need
// no look.
//
// The runs whose neighbour rows are due are kept on an explicit stack, so a
// region of any shape fills within bounded memory. Every run pushed has
// turned at least one pixel into the fill colour, and no pixel ever changes
// back, so the stack never holds more runs than the canvas has pixels.
#include "raster.h"

#include <cstdint>

namespace {

struct PendingRun {
    int16_t y;         // the run's row
    int16_t left;      // L (-1 for a run whose seed is in column 0)
    int16_t right;     // R
    int16_t from_row;  // the row of the run whose seed found it (-1 for none)
    int16_t skip_from; // the columns that run painted, whose pixels on
    int16_t skip_to;   // that row hold the fill colour
};

PendingRun pending[SCREEN_W * SCREEN_H + 1];

// The right scan: paints columns from `from` on up to the first that holds
// the border colour, or the canvas edge, and returns that column.
inline int paint_right(Uint32 *row, int from, Uint32 fill, Uint32 border)
{
    while (from < SCREEN_W && row[from] != border)
        row[from++] = fill;
    return from;
}

// The left scan: paints columns from `from` down to column 1 up to the
// first that holds the border colour, and returns that column (0 if none
// does: column 0 is not looked at).
inline int paint_left(Uint32 *row, int from, Uint32 fill, Uint32 border)
{
    while (from > 0 && row[from] != border)
        row[from--] = fill;
    return from;
}

// The first column from `from` up to `to` (exclusive) whose pixel is
// neither of the colours a and b; `to` if there is none.
inline int first_other(const Uint32 *row, int from, int to, Uint32 a, Uint32 b)
{
    while (from < to && ((row[from] == a) | (row[from] == b)))
        ++from;
    return from;
}

// The same, where the columns from skip_from up to skip_to are known to
// hold b.
inline int first_other_around(const Uint32 *row, int from, int to, int skip_from, int skip_to,
                              Uint32 a, Uint32 b)
{
    if (from < skip_from) {
        const int before = skip_from < to ? skip_from : to;
        from = first_other(row, from, before, a, b);
        if (from < before)
            return from;
    }
    return first_other(row, from > skip_to ? from : skip_to, to, a, b);
}

// Fills the run through (x, y) and sets its row and limits in `run`; false
// when the seed does nothing.
inline bool fill_run(int x, int y, Uint32 fill, Uint32 border, PendingRun &run)
{
    if (!on_canvas(x, y))
        return false;
    Uint32 *row = canvas_row(y);
    if (row[x] == border || row[x] == fill)
        return false;
    row[x] = fill;
    const int left = x > 1 ? paint_left(row, x - 1, fill, border) : x - 1;
    const int right = paint_right(row, x + 1, fill, border);
    run.y = static_cast<int16_t>(y);
    run.left = static_cast<int16_t>(left);
    run.right = static_cast<int16_t>(right);
    return true;
}

} // namespace

void flood_fill(int x, int y, Uint32 fill_colour, Uint32 border_colour)
{
    PendingRun &first = pending[0];
    if (!fill_run(x, y, fill_colour, border_colour, first))
        return;
    first.from_row = -1;
    int top = 1;
    while (top > 0) {
        const PendingRun run = pending[--top];
        const int seeds_from = run.left < 0 ? 0 : run.left; // column -1 does nothing
        for (int row = run.y - 1; row <= run.y + 1; row += 2) {
            if (row < 1 || row > SCREEN_H - 1)
                continue;
            const Uint32 *pixels = canvas_row(row);
            const bool skip = row == run.from_row;
            for (int column = seeds_from;;) {
                column = skip ? first_other_around(pixels, column, run.right, run.skip_from,
                                                   run.skip_to, border_colour, fill_colour)
                              : first_other(pixels, column, run.right, border_colour, fill_colour);
                if (column >= run.right)
                    break;
                // The seed's run is filled now, its own neighbours later.
                PendingRun &found = pending[top++];
                fill_run(column, row, fill_colour, border_colour, found);
                found.from_row = run.y;
                found.skip_from = static_cast<int16_t>(run.left + 1);
                found.skip_to = run.right;
                column = found.right;
            }
        }
    }
}
