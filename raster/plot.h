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

#endif
