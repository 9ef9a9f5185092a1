// The canvas's surface, which every build of the kernel shares: the one
// global that holds it, and its colours. A surface that must be locked
// before its pixels are touched (some video drivers give such surfaces) is
// kept locked while the program draws.
#include "raster.h"

SDL_Surface *screen = nullptr;

void set_canvas(SDL_Surface *surface)
{
    screen = surface;
    if (SDL_MUSTLOCK(screen))
        SDL_LockSurface(screen);
}

Uint32 map_rgb(Uint8 r, Uint8 g, Uint8 b)
{
    return SDL_MapRGB(screen->format, r, g, b);
}
