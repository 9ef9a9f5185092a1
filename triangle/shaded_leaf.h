// The leaf step of the shaded triangle programs (tri_shaded_steps,
// tri_shaded_zoom, tri_midpoint_steps). A leaf is outlined in black,
// P1 -> P2, P2 -> P3, P3 -> P1, and then filled from its centroid, dark
// grey if it is equilateral (a leaf of split_centroid or split_midpoints)
// and light grey if not (a leaf of split_thirds), but only if the
// centroid's unrounded pixel position lies strictly inside the canvas's
// outermost rows and columns: leaves whose centroid falls outside stay
// unfilled.
#ifndef SHADED_LEAF_H
#define SHADED_LEAF_H

#include "raster.h"

// The outline and fill colours the leaves are drawn with.
extern Uint32 leaf_outline, dark_grey, light_grey;

// Maps white, black (leaf_outline), dark grey (100, 100, 100) and light grey
// (200, 200, 200) for the canvas, keeps the last three above, and returns
// white.
Uint32 map_shaded_palette();

// Whether a fill seed at the unrounded pixel position (cx, cy) is used:
// 0 < cx < 799 and 0 < cy < 599.
bool seed_in_window(extended cx, extended cy);

// Where a leaf is filled from: its centroid, where that passes the seed
// test (and, in the explorer, lies inside the leaf); in the explorer
// without the frame, a leaf cut by the canvas edge from a pixel of it on
// the canvas otherwise. False when it is not filled.
bool leaf_seed(double x1, double y1, double x2, double y2, double x3, double y3, int &sx, int &sy);

#endif
