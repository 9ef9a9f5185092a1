// penta_hexagon_strapwork: a strap pattern over the five-fold hexagon patch.
// First the reference tile: one hexagon outlined in black with its eight
// inner straps in dark grey. Then the pattern: every tile of the patch gets
// ten black straps, which meet each edge at its midpoint at a right angle
// and so run on across the tiles into one network, and a light-grey thin
// rhombus at its centre; the rest of the canvas turns dark grey inside a
// black frame.
// Each key press (or closing the window) moves on; the program ends after
// the second picture.
//
// About[fr]: Un entrelacs de bandes sur le pavage d'hexagones à symétrie
// d'ordre cinq. D'abord le pavé de référence : un hexagone bordé de noir,
// avec ses huit bandes intérieures en gris foncé. Puis le motif : chaque
// pavé reçoit dix bandes noires, qui coupent chaque côté en son milieu à
// angle droit et se prolongent ainsi d'un pavé à l'autre en un seul réseau,
// et un losange étroit gris clair en son centre ; le reste de l'image
// devient gris foncé, dans un cadre noir.
//
// Title: Strapwork over the five-fold hexagon tiling
// Title[fr]: Un entrelacs sur le pavage d'hexagones à symétrie d'ordre cinq
// Frame 1: one tile with its straps
// Frame 1[fr]: un pavé et ses bandes
// Frame 2: the strap network over the whole patch
// Frame 2[fr]: le réseau de bandes sur tout le pavage
#include "hexagon_patch.h"
#include "raster.h"

#include <cmath>

// Pixels per model unit.
constexpr int TILE_SCALE = 40;

Uint32 strap_white, strap_black, strap_dark_grey, strap_light_grey;

// A placed tile: its vertices P0..P5 and the corners of its centre rhombus,
// Q (near centre), M (far centre), X (lower waist) and X' (upper waist).
struct StrapTile {
    ModelPoint p[6];
    ModelPoint q, m, x, x_upper;
};

// The circle through P0, P1 and P4 has its centre Q at u = q on the axis;
// M is Q's mirror image across the tile's middle h, and the waists X, X'
// lie at u = h, v = k and v = -k.
static StrapTile place_strap_tile(double r, double alpha, double beta)
{
    const double f = TILE_VERTICES[3].x;
    const double q = static_cast<double>(0.5 / static_cast<extended>(C1));
    const double h = f * 0.5;
    const double k = static_cast<double>((f * static_cast<extended>(0.5) - q) * std::tan(-PI_10));
    const double m = static_cast<double>(static_cast<extended>(f) - q);

    const TileFrame frame = place_tile(r, alpha, beta);
    StrapTile t;
    place_vertices(frame, t.p);
    t.q = place_point(frame, q, 0);
    t.m = place_point(frame, m, 0);
    t.x = place_point(frame, h, k);
    t.x_upper = place_point(frame, h, -k);
    return t;
}

static PixelPoint pixel(ModelPoint a) { return to_pixel(a, TILE_SCALE); }

// The midpoint of two vertices, scaled from their sum.
static PixelPoint midpoint(ModelPoint a, ModelPoint b)
{
    const int half_scale = TILE_SCALE / 2;
    return {trunc_int((static_cast<extended>(a.x) + b.x) * half_scale + 400),
            trunc_int(300 - (static_cast<extended>(a.y) + b.y) * half_scale)};
}

static void strap(PixelPoint a, PixelPoint b, int width, Uint32 colour)
{
    draw_thick_line(a.x, a.y, b.x, b.y, width, colour);
}

void draw_reference_tile()
{
    const StrapTile t = place_strap_tile(0, 0, 0);
    const ModelPoint *p = t.p;
    draw_tile_outline(p, TILE_SCALE, strap_black);
    const PixelPoint q = pixel(t.q), m = pixel(t.m);
    strap(q, midpoint(p[0], p[1]), 2, strap_dark_grey);
    strap(q, midpoint(p[0], p[4]), 2, strap_dark_grey);
    strap(m, midpoint(p[2], p[3]), 2, strap_dark_grey);
    strap(m, midpoint(p[5], p[3]), 2, strap_dark_grey);
    strap(pixel(t.x), q, 2, strap_dark_grey);
    strap(pixel(t.x), m, 2, strap_dark_grey);
    strap(pixel(t.x_upper), q, 2, strap_dark_grey);
    strap(pixel(t.x_upper), m, 2, strap_dark_grey);
}

void draw_strap_tile(double r, double alpha, double beta)
{
    const StrapTile t = place_strap_tile(r, alpha, beta);
    const ModelPoint *p = t.p;
    const PixelPoint q = pixel(t.q), m = pixel(t.m);
    const PixelPoint x = pixel(t.x), x_upper = pixel(t.x_upper);
    strap(midpoint(p[0], p[1]), q, 1, strap_black);
    strap(midpoint(p[0], p[4]), q, 1, strap_black);
    strap(midpoint(p[3], p[2]), m, 1, strap_black);
    strap(midpoint(p[3], p[5]), m, 1, strap_black);
    strap(q, x, 1, strap_black);
    strap(m, x, 1, strap_black);
    strap(midpoint(p[1], p[2]), x, 1, strap_black);
    strap(q, x_upper, 1, strap_black);
    strap(m, x_upper, 1, strap_black);
    strap(midpoint(p[4], p[5]), x_upper, 1, strap_black);

    // The rhombus Q, X, M, X' is closed: fill it from its centroid.
    const ModelPoint centre = {
        static_cast<double>((static_cast<extended>(t.q.x) + t.m.x + t.x.x + t.x_upper.x) * 0.25),
        static_cast<double>((static_cast<extended>(t.q.y) + t.m.y + t.x.y + t.x_upper.y) * 0.25)};
    const PixelPoint seed = pixel(centre);
    flood_fill(seed.x, seed.y, strap_light_grey, strap_black);
}

int main(int, char **)
{
    open_canvas();
    strap_white = map_rgb(255, 255, 255);
    strap_black = map_rgb(0, 0, 0);
    strap_dark_grey = map_rgb(100, 100, 100);
    strap_light_grey = map_rgb(200, 200, 200);
    clear_canvas(strap_white);

    draw_reference_tile();
    present();
    wait_key();

    clear_canvas(strap_white);
    Placement tiles[PATCH_TILES];
    lay_patch(tiles);
    for (const Placement &t : tiles)
        draw_strap_tile(t.r, t.alpha, t.beta);
    draw_rect(0, 0, SCREEN_W - 1, SCREEN_H - 1, strap_black);
    // Whatever is still white, the spaces between the straps and the
    // canvas outside the patch, turns dark grey.
    for (int x = 1; x < SCREEN_W; ++x)
        for (int y = 1; y < SCREEN_H; ++y)
            if (get_pixel(x, y) == strap_white)
                put_pixel(x, y, strap_dark_grey);
    present();
    wait_key();
    return 0;
}
