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
// reachable from the seed by these rules. So the fill takes a run's seeds
// row by row, first the row above over columns L to R - 1, then the row
// below; and a seed on a pixel of the border or fill colour does nothing,
// while a seed on any other pixel fills that pixel's whole run (leaving the
// seeds on the rest of that run nothing to do), so only the first seed into
// each run along a neighbour row is taken, found by scanning the row.
//
// The pending runs are kept on an explicit stack rather than the call
// stack, so a region of any shape fills within bounded memory. Every run
// pushed turns at least its seed pixel into the fill colour, and no pixel
// ever changes back, so the stack never holds more runs than the canvas has
// pixels.
#include "raster.h"

#include <cstdint>

namespace {

struct PendingRun {
    int16_t y;     // the run's row
    int16_t left;  // L: the first column whose neighbour seeds are due
    int16_t next;  // the next column of the current neighbour row to look at
    int16_t right; // R: one past the last column whose seeds are due
    bool lower;    // the row below is being looked at (the row above is done)
};

PendingRun pending[SCREEN_W * SCREEN_H + 1];

// Fills the run through (x, y) and describes it in `run`; false when the
// seed does nothing.
inline bool fill_run(int x, int y, Uint32 fill, Uint32 border, PendingRun &run)
{
    if (!on_canvas(x, y))
        return false;
    Uint32 *row = canvas_row(y);
    if (row[x] == border || row[x] == fill)
        return false;
    row[x] = fill;
    int left = x - 1;
    while (left > 0 && row[left] != border)
        row[left--] = fill;
    int right = x + 1;
    while (right < SCREEN_W && row[right] != border)
        row[right++] = fill;
    const int16_t first_seed = static_cast<int16_t>(left < 0 ? 0 : left); // column -1 does nothing
    run = {static_cast<int16_t>(y), first_seed, first_seed, static_cast<int16_t>(right), false};
    return true;
}

} // namespace

void flood_fill(int x, int y, Uint32 fill_colour, Uint32 border_colour)
{
    if (!fill_run(x, y, fill_colour, border_colour, pending[0]))
        return;
    int top = 1;
    while (top > 0) {
        PendingRun &run = pending[top - 1];
        const int row = run.lower ? run.y + 1 : run.y - 1;
        const bool row_due = run.lower ? row <= SCREEN_H - 1 : row >= 1;
        int column = run.next;
        if (row_due) {
            const Uint32 *pixels = canvas_row(row);
            while (column < run.right &&
                   (pixels[column] == border_colour || pixels[column] == fill_colour))
                ++column;
        }
        if (!row_due || column >= run.right) {
            if (run.lower) {
                --top;
            } else {
                run.lower = true;
                run.next = run.left;
            }
            continue;
        }
        PendingRun &found = pending[top];
        fill_run(column, row, fill_colour, border_colour, found);
        // Columns up to the new run's right end now hold the fill colour.
        run.next = found.right;
        ++top;
    }
}
