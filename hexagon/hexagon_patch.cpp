#include "hexagon_patch.h"

#include "raster.h"

#include <cmath>

const double C1 = std::cos(PI_5);
const double S1 = std::sin(PI_5);
const double C2 = std::cos(TWO_PI_5);
const double S2 = std::sin(TWO_PI_5);

namespace {

// A value formed in extended precision, held as a double.
double held(extended v) { return static_cast<double>(v); }

const extended c1 = C1, s1 = S1, c2 = C2, s2 = S2, cos_pi_10 = std::cos(PI_10);

// The tile's length 2 c1 + 1, formed as (c1 + c1) + 1.
const double TILE_LENGTH = held((c1 + c1) + 1);

// A ring given by the base point (bx, by) of its tile at theta = 0.
TileRing ring_through(extended bx, extended by, double psi)
{
    const extended x = held(bx), y = held(by);
    return {std::sqrt(held(y * y + x * x)), std::atan(held(y / x)), psi};
}

} // namespace

const ModelPoint TILE_VERTICES[6] = {
    {0, 0},
    {C1, -S1},
    {held(1 + c1), -S1},
    {TILE_LENGTH, 0},
    {C1, S1},
    {held(1 + c1), S1},
};

const int TILE_EDGES[6][2] = {{0, 1}, {1, 2}, {2, 3}, {0, 4}, {4, 5}, {5, 3}};

const TileRing TILE_RINGS[RING_ROWS] = {
    {0, 0, 0},
    {1, PI_5, PI_5},
    {held(cos_pi_10 + cos_pi_10), PI_10, 0},
    {held(cos_pi_10 + cos_pi_10), -PI_10, 0},
    ring_through(c1 + c1 + 1, s1 + s1, PI_5),
    ring_through(c2 + (c1 + c1), s2 + (s1 + s1), PI_5),
    ring_through(c1 + c1 + 1 + 1, s1 + s1, 0),
    ring_through(c1 + c1 + 1 + 1, 0, 0),
    ring_through(c1 + c1 + 1 + 1, -2 * s1, 0),
    ring_through(3 * c1 + 1 + 1, 3 * s1, PI_5),
    ring_through(c2 + (3 * c1 + 1), s2 + 3 * s1, PI_5),
    ring_through(3 * c1 + (c2 + c2), (s2 + s2) + 3 * s1, PI_5),
    ring_through(3 * c1 + 1 + 1 + 1, 3 * s1, 0),
    ring_through(3 * c1 + 1 + 1 + 1, s1, 0),
    ring_through(3 * c1 + 1 + 1 + 1, -3 * s1, 0),
    ring_through(3 * c1 + 1 + 1 + 1, std::sin(-PI_5), 0),
};

TileFrame place_tile(double r, double alpha, double beta)
{
    const extended er = r;
    return {held(std::cos(alpha) * er), held(std::sin(alpha) * er), std::cos(beta),
            std::sin(beta)};
}

ModelPoint place_point(const TileFrame &f, double u, double v)
{
    const extended eu = u, ev = v;
    return {held(f.x0 + eu * f.cos_beta - ev * f.sin_beta),
            held(f.y0 + eu * f.sin_beta + ev * f.cos_beta)};
}

void place_vertices(const TileFrame &frame, ModelPoint vertices[6])
{
    for (int i = 0; i < 6; ++i)
        vertices[i] = place_point(frame, TILE_VERTICES[i].x, TILE_VERTICES[i].y);
}

PixelPoint to_pixel(ModelPoint p, int scale)
{
    return {trunc_int(static_cast<extended>(p.x) * scale + 400),
            trunc_int(300 - static_cast<extended>(p.y) * scale)};
}

void draw_tile_outline(const ModelPoint vertices[6], int scale, Uint32 colour)
{
    for (const auto &e : TILE_EDGES) {
        const PixelPoint a = to_pixel(vertices[e[0]], scale), b = to_pixel(vertices[e[1]], scale);
        draw_thick_line(a.x, a.y, b.x, b.y, 1, colour);
    }
}

int lay_patch(Placement tiles[PATCH_TILES])
{
    int n = 0;
    for (const TileRing &ring : TILE_RINGS) {
        double theta = 0.0;
        while (theta < TWO_PI) {
            if (n < PATCH_TILES)
                tiles[n] = {ring.r, held(static_cast<extended>(theta) + ring.phi),
                            held(static_cast<extended>(theta) + ring.psi)};
            ++n;
            theta = held(static_cast<extended>(theta) + TWO_PI_5);
        }
    }
    return n;
}
