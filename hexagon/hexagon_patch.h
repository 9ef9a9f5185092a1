// The hexagon tile with corner angles 72, 144, 144, 72, 144, 144 degrees and
// unit edges, and the five-fold patch of 80 such tiles that both hexagon
// programs draw.
//
// Model plane: x to the right, y upwards, origin at the patch's centre, unit
// = one tile edge. Every value is held as a double; the operations that
// form a value are evaluated in extended precision (the type `extended`)
// and rounded once, where the value is held.
#ifndef HEXAGON_PATCH_H
#define HEXAGON_PATCH_H

#include "extended.h"

#include <SDL.h>

// Angles, each the double nearest its real value.
constexpr double PI_5 = 0.6283185307179586;
constexpr double PI_10 = 0.3141592653589793;
constexpr double TWO_PI_5 = 1.2566370614359172;
constexpr double TWO_PI = 6.283185307179586;

// cos and sin of pi/5 and of 2 pi/5, from the math library. These and the
// tables below are set before main starts (not for use by other static
// initialisers).
extern const double C1, S1, C2, S2;

struct ModelPoint {
    double x, y;
};

struct PixelPoint {
    int x, y;
};

// The tile in its own frame: u from the base vertex P0 along the axis to
// the far vertex P3, v across it (u turned by +90 degrees). P1, P2 lie on
// the side v < 0, P4, P5 on the side v > 0.
extern const ModelPoint TILE_VERTICES[6];

// The six edges, as pairs of vertex numbers, in drawing order: the side
// below the axis from P0 to P3, then the side above it.
extern const int TILE_EDGES[6][2];

// A tile placed with its base vertex P0 at (x0, y0) and its axis in the
// direction whose cosine and sine are cos_beta, sin_beta.
struct TileFrame {
    double x0, y0, cos_beta, sin_beta;
};

// The frame of the placement (r, alpha, beta): P0 at (cos alpha * r,
// sin alpha * r), axis in direction beta.
TileFrame place_tile(double r, double alpha, double beta);
// Where the tile's local point (u, v) lands in the model plane.
ModelPoint place_point(const TileFrame &frame, double u, double v);
// The six placed vertices P0..P5.
void place_vertices(const TileFrame &frame, ModelPoint vertices[6]);
// The pixel of a model point at `scale` pixels per unit, the model origin
// at the canvas centre (400, 300), truncated toward zero.
PixelPoint to_pixel(ModelPoint p, int scale);
// The outline of a tile with these placed vertices: six thick lines of
// width 1 along TILE_EDGES, at `scale` pixels per unit.
void draw_tile_outline(const ModelPoint vertices[6], int scale, Uint32 colour);

// One row of the ring table: five tiles (r, theta + phi, theta + psi) for
// theta = 0, 2 pi/5, ..., 8 pi/5.
struct TileRing {
    double r, phi, psi;
};
constexpr int RING_ROWS = 16;
extern const TileRing TILE_RINGS[RING_ROWS];

struct Placement {
    double r, alpha, beta;
};
constexpr int PATCH_TILES = 80;

// The placements of the patch in drawing order, row by row: for each row
// theta runs from 0 in steps of 2 pi/5 while it stays below 2 pi. Returns
// the number of placements the loop made (80; only that many fit).
int lay_patch(Placement tiles[PATCH_TILES]);

#endif
