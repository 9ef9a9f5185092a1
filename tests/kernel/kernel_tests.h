// Shared by the kernel tests: the canvas is the dummy driver's window,
// opened once for the whole run.
#ifndef KERNEL_TESTS_H
#define KERNEL_TESTS_H

#include "raster.h"

#include <set>
#include <utility>
#include <vector>

using Pixel = std::pair<int, int>; // (x, y)
using PixelSet = std::set<Pixel>;

inline Uint32 white() { return map_rgb(255, 255, 255); }
inline Uint32 ink() { return map_rgb(200, 30, 30); }
inline Uint32 border() { return map_rgb(0, 0, 0); }

// Clears the canvas to white.
inline void fresh_canvas() { clear_canvas(white()); }

// Every canvas pixel of the given colour.
inline PixelSet pixels_of(Uint32 colour)
{
    PixelSet found;
    for (int y = 0; y < SCREEN_H; ++y)
        for (int x = 0; x < SCREEN_W; ++x)
            if (get_pixel(x, y) == colour)
                found.insert({x, y});
    return found;
}

inline long count_of(Uint32 colour) { return static_cast<long>(pixels_of(colour).size()); }

#endif
