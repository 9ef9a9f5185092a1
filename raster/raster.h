// The raster kernel: one 800 x 600 canvas of 32-bit pixel words and the
// integer routines every window program draws with.
//
// Pixel (x, y) is column x (0 at the left) of row y (0 at the top). Colours
// are whole pixel words as mapped for the canvas; the kernel never splits
// them into channels. Every routine accepts any int arguments: pixels that
// fall outside the canvas are skipped one by one, and nothing outside the
// canvas is ever read or written.
#ifndef RASTER_H
#define RASTER_H

#include "extended.h"

#include <SDL.h>

#include <climits>

constexpr int SCREEN_W = 800;
constexpr int SCREEN_H = 600;

// The canvas: the window's surface, set once by open_canvas().
extern SDL_Surface *screen;

// Opens the video system and the 800 x 600 x 32 window and makes it the
// canvas. On failure prints one line naming the cause on standard error and
// ends the program with status 1.
void open_canvas();
// Makes `surface` the canvas (locking it if it must be locked while drawn
// into). open_canvas() uses it for the window; tests use it for their own
// surfaces.
void set_canvas(SDL_Surface *surface);
// The canvas's pixel word for an RGB colour.
Uint32 map_rgb(Uint8 r, Uint8 g, Uint8 b);
// Paints the whole canvas one colour.
void clear_canvas(Uint32 colour);
// Shows the canvas in the window.
void present();
// Blocks until a key is pressed or the window is asked to close.
void wait_key();

// An icon for the window: width x height pixels as 0xRRGGBB words, row by
// row from the top left.
struct WindowIcon {
    int width;
    int height;
    const Uint32 *rgb;
};

// Names the window for the desktop: its title (UTF-8), shown in its title
// bar and the window list; its class (WM_CLASS), by which the desktop
// matches it to its menu entry (the entry's StartupWMClass); and its icon.
// A null argument leaves that one as it is. Called before open_canvas(),
// it keeps them for the window to open with (each window program's build
// does so before main, from the program's notes); called later, it changes
// the title and the icon at once, while the class stays the one the window
// opened with. The strings and pixels are copied. Naming never touches the
// canvas.
void name_window(const char *title, const char *window_class, const WindowIcon *icon);

// Of `count` languages (two-letter codes such as "en" and "fr"), the index
// of the one the user reads: the first of LANGUAGE's colon-separated list
// that is one of them; else the one LC_ALL, LC_MESSAGES or LANG names,
// whichever of them is set first ("fr_FR.UTF-8" names "fr"); 0 when that
// is none of them, or none is set.
int user_language(const char *const *languages, int count);

inline bool on_canvas(long long x, long long y)
{
    // A negative coordinate turns into a very large unsigned one.
    return static_cast<unsigned long long>(x) < SCREEN_W && static_cast<unsigned long long>(y) < SCREEN_H;
}

// Row y of the canvas, addressed through the surface's pitch. No check.
inline Uint32 *canvas_row(int y)
{
    return reinterpret_cast<Uint32 *>(static_cast<Uint8 *>(screen->pixels) +
                                      static_cast<long>(y) * screen->pitch);
}

// The pixel word at (x, y); 0 for a point outside the canvas.
inline Uint32 get_pixel(int x, int y)
{
    return on_canvas(x, y) ? canvas_row(y)[x] : 0;
}

// Writes the pixel word at (x, y); a point outside the canvas is skipped.
inline void put_pixel(int x, int y, Uint32 colour)
{
    if (on_canvas(x, y))
        canvas_row(y)[x] = colour;
}

// A 4-connected line from (x0, y0) to (x1, y1), both ends included; the
// minor-axis steps come as late as possible.
void draw_line(int x0, int y0, int x1, int y1, Uint32 colour);
// The outline of the axis-parallel rectangle with corners (x0, y0), (x1, y1).
void draw_rect(int x0, int y0, int x1, int y1, Uint32 colour);
// The one-pixel frame along the canvas edge, as four lines in this order:
// top (left to right), right (downwards), bottom (right to left), left
// (downwards).
void draw_frame(Uint32 colour);
// Span fill from the seed (x, y) up to pixels of border_colour.
void flood_fill(int x, int y, Uint32 fill_colour, Uint32 border_colour);
// Circle outline and filled disk of radius r about (cx, cy).
void draw_circle(int cx, int cy, int r, Uint32 colour);
void fill_disk(int cx, int cy, int r, Uint32 colour);
// A band about `width` pixels to each side of the segment.
void draw_thick_line(int x0, int y0, int x1, int y1, int width, Uint32 colour);

// Converts a model value to a pixel coordinate by truncation toward zero.
// Values beyond the int range (which lie far outside the canvas anyway)
// saturate, and NaN gives 0. The comparisons and the truncation are exact,
// so a value gives the same pixel whichever floating type holds it; a float
// or double is taken as it is, without widening it to extended precision.
template <typename Real>
inline int trunc_int(Real v)
{
    if (v != v)
        return 0;
    if (v <= static_cast<Real>(INT_MIN))
        return INT_MIN;
    if (v >= static_cast<Real>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(v);
}

// The same for a long double, by way of double: the x87's own conversion
// changes its rounding mode for each value, which costs more than the
// rest of a leaf's mapping. The double is the nearest, so it can be a
// whole number k where the long double lies just short of it: then the
// long double truncates to k - 1 (k + 1 below zero), and nowhere else can
// they differ, as no whole number lies between a value and its nearest
// double but that double itself.
template <>
inline int trunc_int(long double v)
{
    if (v != v)
        return 0;
    if (v <= INT_MIN)
        return INT_MIN;
    if (v >= INT_MAX)
        return INT_MAX;
    const double d = static_cast<double>(v);
    const int whole = static_cast<int>(d);
    if (whole == d) {
        if (v < d && d > 0)
            return whole - 1;
        if (v > d && d < 0)
            return whole + 1;
    }
    return whole;
}

#endif
