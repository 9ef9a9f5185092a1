// The chair (L-tromino) rep-tile and its recursive subdivision.
//
// A chair is given by its corner (x, y), the corner of its bounding square
// diagonally opposite the notch, its size (the side of that square) and its
// orientation o, which fixes the signs ex, ey of its extent from the corner
// (rows grow downwards, so ey = +1 means upwards):
//   o = 0: right and up, notch top right     o = 2: left and down, notch bottom left
//   o = 1: left and up, notch top left       o = 3: right and down, notch bottom right
#ifndef CHAIR_H
#define CHAIR_H

#include "model_view.h"
#include "raster.h"

// Fill colour of each orientation, and the outline colour, which is also
// the fills' border; set by the program before drawing.
extern Uint32 CHAIR_COLOURS[4];
extern Uint32 chair_outline;

// The fill colours of the chair programs by orientation, as RGB: red,
// green, blue and yellow, or four greys from dark to light.
extern const Uint8 CHAIR_BRIGHT_RGB[4][3];
extern const Uint8 CHAIR_GREY_RGB[4][3];

// Maps black as the outline colour and `fills` into CHAIR_COLOURS.
void map_chair_palette(const Uint8 (&fills)[4][3]);

// The outline of a chair of extents e = ex * size and d = ey * size: six
// lines V0..V5 of the hexagon (x, y), (x + e, y), (x + e, y - d/2),
// (x + e/2, y - d/2), (x + e/2, y - d), (x, y - d), back to V0.
void draw_chair_outline(int x, int y, int e, int d, Uint32 colour);

// Draws the chair subdivided `depth` times into four half-size chairs
// (corner copy, centre copy, the copies at the ends of the x and y arms),
// each leaf outlined and then filled with CHAIR_COLOURS[its orientation].
// Corner, size and every division are the pixels' own: draw_chair_view
// with the view (size, x, y).
void draw_chair(int x, int y, int size, int orientation, int depth);

// draw_chair for a figure much larger than the canvas, seen inside a frame
// drawn along the canvas edge: every leaf is outlined, but only a leaf whose
// fill seed lies strictly inside the frame (columns 1 to 798, rows 1 to
// 598) is filled, so no fill starts on the frame or off the canvas.
void draw_chair_clipped(int x, int y, int size, int orientation, int depth);

// The one drawing of the chair tiling: the chair of this orientation with
// its corner at the model origin and size 1 (model y upwards), subdivided
// `depth` times, seen through `view`; a leaf's fill seed must lie inside
// the frame when `inside_frame`. A subtree whose bounding square shows on
// no pixel of the canvas is passed over: its leaves would write nothing.
// Model points are exact binary fractions at every depth, and each is
// mapped on its own (left + scale x, in double), so neighbouring leaves
// meet at the same pixels however deep the view. With a tile sink set
// (tile_sink.h) it hands the chairs to it instead, the leaves and the
// chairs split on the way down, each of class its orientation.
void draw_chair_view(const ModelView &view, int orientation, int depth, bool inside_frame);

#endif
