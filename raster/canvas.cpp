// The canvas: opening the window (with the title, class and icon it was
// given, see window_name.cpp), clearing and presenting it.
//
// A surface that must be locked before its pixels are touched (some video
// drivers give such surfaces) is kept locked while the program draws, and
// unlocked only around the SDL calls that need it unlocked.
#include "plot.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Gives the window the name that name_window kept for it (window_name.cpp).
void show_window_name();

static void fail(const char *what)
{
    std::fprintf(stderr, "%s: %s: %s\n", program_invocation_short_name, what,
                 SDL_GetError());
    std::exit(1);
}

// The drivers that draw into the terminal, as characters: the video system
// falls back to them when no display can be reached.
static bool is_text_driver(const char *name)
{
    return std::strcmp(name, "caca") == 0 || std::strcmp(name, "aalib") == 0;
}

// A window program does not quietly draw into the terminal: unless
// SDL_VIDEODRIVER names a text driver, one that the video system falls back
// to is refused with one line on standard error. (The text library is told
// to use its silent output meanwhile, so that the terminal is left alone.)
static void refuse_text_fallback()
{
    char name[32] = "";
    SDL_VideoDriverName(name, sizeof name);
    if (!is_text_driver(name))
        return;
    const char *display = std::getenv("DISPLAY");
    if (display != nullptr && *display != '\0')
        std::fprintf(stderr, "%s: no display could be reached (DISPLAY is '%s')\n",
                     program_invocation_short_name, display);
    else
        std::fprintf(stderr, "%s: no display could be reached (DISPLAY is not set)\n",
                     program_invocation_short_name);
    std::exit(1);
}

void open_canvas()
{
    const char *wanted = std::getenv("SDL_VIDEODRIVER");
    const bool text_wanted = wanted != nullptr && is_text_driver(wanted);
    if (!text_wanted)
        setenv("CACA_DRIVER", "null", 1);
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        fail("cannot start the video system");
    std::atexit(SDL_Quit);
    if (!text_wanted)
        refuse_text_fallback();
    // Named before it maps, so that the window manager has its name and
    // icon from the start.
    show_window_name();
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
    forget_kept_bands();
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
