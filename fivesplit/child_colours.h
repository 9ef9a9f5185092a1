// The child-coloured five-way split: a right triangle split `depth` levels
// deep, every leaf outlined in black and filled with the colour of its
// place among its parent's five children. The programs that draw it differ
// in how a leaf lies on the canvas, which each supplies.
#ifndef FIVESPLIT_CHILD_COLOURS_H
#define FIVESPLIT_CHILD_COLOURS_H

#include "raster.h"

extern Uint32 white, black;
// The fill colour of each child number 0 to 4: red, green, blue, yellow,
// leaf green.
extern Uint32 CHILD_COLOURS[5];

// Maps white, black and the five child colours, in this order.
void map_child_palette();

// Splits the triangle (P1, P2, e) (as in five_split.h) `depth` levels deep,
// each child taking its number 0 to 4 in the split's order, and draws only
// the leaves: for each, the lines P1 -> P2, P1 -> P3, P3 -> P2 in black
// between the pixels child_pixel gives, then, if child_leaf_seed gives a
// seed, a fill of CHILD_COLOURS[child] bounded by black.
void child_coloured_triangle(float x1, float y1, float x2, float y2, float e, int child,
                             int depth);

// Supplied by each program that draws the split (resolved when it is
// linked), to place the leaves on its canvas:
// the pixel of the model point (x, y);
void child_pixel(float x, float y, int &px, int &py);
// the fill seed of the leaf whose vertices are `model` and whose pixels are
// `pixels` (both as x1, y1, x2, y2, x3, y3); false when it is not filled.
bool child_leaf_seed(const float model[6], const int pixels[6], int &seed_x, int &seed_y);

#endif
