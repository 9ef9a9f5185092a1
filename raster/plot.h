// Kernel-internal: plotting a point given in wide coordinates, skipped
// when it lies off the canvas.
#ifndef RASTER_PLOT_H
#define RASTER_PLOT_H

#include "raster.h"

inline void plot(long long x, long long y, Uint32 colour)
{
    if (on_canvas(x, y))
        canvas_row(static_cast<int>(y))[x] = colour;
}

#endif
