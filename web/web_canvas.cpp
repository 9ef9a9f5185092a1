// The canvas of the web pages: the program draws into the pixel array of
// SDL's screen surface, kept locked for the whole run, and each present
// hands that array to the page's <canvas> in one putImageData, read
// straight from the program's memory.
//
// SDL's own present (unlocking and locking the screen) would copy the
// 480,000 pixels four times and read the <canvas> back each time; the
// pixels need none of that, since the program is the only one to draw on
// the canvas, and every colour it maps is opaque (alpha 255), as the
// <canvas> expects. The one exception, the text that SDL draws when a
// program blits a rendered label onto the screen, goes through SDL's own
// unlock and lock around the blit, which bring the <canvas> and the array
// together again.
#include "raster.h"

#include <emscripten.h>

#include <algorithm>

namespace {

// Puts the w x h pixels at `pixels` (RGBA bytes, row by row) on the page's
// <canvas>, and tells the page where they are (Module.tilings.picture, a
// view of the program's memory, which holds them while the program waits).
EM_JS(void, put_on_page, (const Uint32 *pixels, int w, int h), {
    const bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, w * h * 4);
    const picture = new ImageData(bytes, w, h);
    Module.canvas.getContext('2d').putImageData(picture, 0, 0);
    if (Module.tilings)
        Module.tilings.picture = picture;
});

// Tells SDL that the screen's pixels are opaque, as every colour the
// program maps is (and the screen is cleared to opaque black at once), so
// that it need not make them so one by one whenever it locks or unlocks the
// screen: 480,000 steps of script each time, which made the start of every
// page, and each label fivesplit_area_labels writes, slow.
EM_JS(void, screen_is_opaque, (), {
    SDL.defaults.opaqueFrontBuffer = false;
});

} // namespace

// The screen starts opaque black, as a window's does.
void open_canvas()
{
    SDL_Init(SDL_INIT_VIDEO);
    SDL_Surface *window = SDL_SetVideoMode(SCREEN_W, SCREEN_H, 32, SDL_HWSURFACE | SDL_DOUBLEBUF);
    screen_is_opaque();
    set_canvas(window);
    clear_canvas(map_rgb(0, 0, 0));
}

void clear_canvas(Uint32 colour)
{
    for (int y = 0; y < SCREEN_H; ++y)
        std::fill_n(canvas_row(y), SCREEN_W, colour);
}

void present()
{
    put_on_page(canvas_row(0), SCREEN_W, SCREEN_H);
}
