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
// The pending runs are kept on an explicit stack rather than the call
// stack, in exactly the order a recursive fill would take them, so a region
// of any shape fills within bounded memory. Every run pushed turns at least
// its seed pixel into the fill colour, and no pixel ever changes back, so
// the stack never holds more runs than the canvas has pixels.
#include "raster.h"

#include <cstdint>

namespace {

struct PendingRun {
    int16_t y;     // the run's row
    int16_t next;  // the next column whose neighbour seeds are due
    int16_t right; // R: one past the last column whose seeds are due
    bool upper_done; // the seed above `next` has been taken
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
    run = {static_cast<int16_t>(y), static_cast<int16_t>(left),
           static_cast<int16_t>(right), false};
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
        if (run.next >= run.right) {
            --top;
            continue;
        }
        const int column = run.next;
        int row;
        if (!run.upper_done) {
            run.upper_done = true;
            row = run.y - 1;
            if (row < 1)
                continue;
        } else {
            run.upper_done = false;
            ++run.next;
            row = run.y + 1;
            if (row > SCREEN_H - 1)
                continue;
        }
        if (fill_run(column, row, fill_colour, border_colour, pending[top]))
            ++top;
    }
}
