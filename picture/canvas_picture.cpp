#include "canvas_picture.h"

#include "raster.h"

Picture canvas_picture()
{
    Picture p;
    p.width = SCREEN_W;
    p.height = SCREEN_H;
    p.rgb.resize(SCREEN_W * SCREEN_H);
    for (int y = 0; y < SCREEN_H; ++y)
        for (int x = 0; x < SCREEN_W; ++x) {
            Uint8 r, g, b;
            SDL_GetRGB(get_pixel(x, y), screen->format, &r, &g, &b);
            p.rgb[y * SCREEN_W + x] = uint32_t(r) << 16 | uint32_t(g) << 8 | b;
        }
    return p;
}
