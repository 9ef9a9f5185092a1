// The canvas: opening the window, clearing and presenting it.
//
// A surface that must be locked before its pixels are touched (some video
// drivers give such surfaces) is kept locked while the program draws, and
// unlocked only around the SDL calls that need it unlocked.
#include "raster.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

SDL_Surface *screen = nullptr;

static void fail(const char *what)
{
    std::fprintf(stderr, "%s: %s: %s\n", program_invocation_short_name, what,
                 SDL_GetError());
    std::exit(1);
}

void open_canvas()
{
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        fail("cannot start the video system");
    std::atexit(SDL_Quit);
    SDL_Surface *window =
        SDL_SetVideoMode(SCREEN_W, SCREEN_H, 32, SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (window == nullptr)
        fail("cannot open an 800 x 600 window");
    if (window->w != SCREEN_W || window->h != SCREEN_H ||
        window->format->BytesPerPixel != 4) {
        SDL_SetError("got a %d x %d window of %d bits per pixel", window->w,
                     window->h, window->format->BitsPerPixel);
        fail("cannot open an 800 x 600 window");
    }
    set_canvas(window);
}

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

static void unlock()
{
    if (SDL_MUSTLOCK(screen))
        SDL_UnlockSurface(screen);
}

static void relock()
{
    if (SDL_MUSTLOCK(screen))
        SDL_LockSurface(screen);
}

void clear_canvas(Uint32 colour)
{
    unlock();
    SDL_FillRect(screen, nullptr, colour);
    relock();
}

void present()
{
    unlock();
    SDL_Flip(screen);
    relock();
}
