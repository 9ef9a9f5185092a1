// The figures of the five-way split: one split of a right triangle (as in
// five_split.h), drawn five ways through one view. Each program sets the
// view and draws one figure with its own top triangle and ratio; the
// explorer draws any of them (draw_five_split).
//
//   figure                        routine                      program
//   the leaves' outlines, with    pinwheel_triangle            fivesplit_pinwheel (every
//   their point reflection                                     depth over the one before)
//   every level filled by size    coloured_pinwheel_triangle   fivesplit_size_classes
//   class, with the reflection
//   the leaves filled by their    child_coloured_triangle      fivesplit_child_colours_zoom,
//   place among their siblings                                 fivesplit_child_colours
//   the leaves filled by area     area_class_triangle          fivesplit_area_labels
//
// A triangle (with its reflection, where it has one) whose corners all lie
// beyond one edge of the canvas is passed over with everything split from
// it: it would write nothing.
//
// With a tile sink set (tile_sink.h), each figure hands its tiles to it
// instead of drawing them: a tile and its reflection as two tiles, the
// reflection's id one more than the tile's, each the parent of the
// reflections of its children. A tile's class is its size class k in the
// size classes' figure, its area class (-1 for none) in the area classes',
// and its place among its parent's children (0 at the top) in the others.
#ifndef FIVESPLIT_FIGURES_H
#define FIVESPLIT_FIGURES_H

#include "five_split.h"
#include "model_view.h"
#include "raster.h"

// The view: the model point (x, y) lands on the pixel
// (trunc(scale x + left), trunc(base - scale y)), formed in double.
extern ModelView five_view;

// The palette of every figure, mapped together by map_five_split_palette.
extern Uint32 white, black;
extern Uint32 outline_grey;     // (50, 50, 50): the size classes' outlines
extern Uint32 CLASS_COLOURS[6]; // size class 0 to 5: red, coral, yellow, lime, sky blue, near black
extern Uint32 CHILD_COLOURS[5]; // child 0 to 4: red, green, blue, yellow, leaf green
constexpr int NO_CLASS = 256;   // the ramp entry of a tile whose area matches no class
extern Uint32 RAMP[NO_CLASS + 1]; // entry i: (255 - i, i, 0), red to green; then black
void map_five_split_palette();

// The leaves' outlines, each drawn with width 1 in black together with its
// point reflection through the midpoint (centre_x, centre_y) of the
// top-level triangle's hypotenuse, which the call at frame_depth sets. An
// edge met again from the same end since forget_edges is not drawn again:
// every line is black, so it would add no pixel.
extern int frame_depth;
extern float centre_x, centre_y;
void forget_edges();
void pinwheel_triangle(float x1, float y1, float x2, float y2, float e, int depth);

// Every level drawn, parents first: each triangle and its reflection
// (through the centre set by the call at top_depth) outlined in
// outline_grey with width 0 and filled with the colour of its size class k,
// the number of small children (2 to 5) on its way down.
extern float top_depth;
void coloured_pinwheel_triangle(float x1, float y1, float x2, float y2, float e, int depth,
                                int k);

// The leaves outlined in black and filled with the colour of their child
// number, from a third (0.33333) of the sums of their three pixels, or of
// their model points mapped to a pixel; only seeds inside the frame
// (columns 1 to 798, rows 1 to 598) are used with the pixel sums.
enum ChildSeeds { PIXEL_THIRDS, MODEL_THIRDS };
extern ChildSeeds child_seeds;
void child_coloured_triangle(float x1, float y1, float x2, float y2, float e, int child,
                             int depth);

// The leaves outlined in black and filled by area: a leaf whose area is
// within a thousandth of AREAS[p] has class p and the ramp colour
// p * 255 / (area_classes - 1); one that matches none is black. Seeds come
// from a third (0.33333) of the model sums, mapped, inside the frame.
constexpr int MAX_AREA_CLASSES = 64;
extern float AREAS[MAX_AREA_CLASSES];
extern int area_classes;
// Fills AREAS for a triangle of ratio e and area |e| / 2 split `levels` times:
// AREAS[p] is the area of a leaf that took p small children, of the
// levels + 1 classes.
void fill_area_table(float e, int levels);
void area_class_triangle(float x1, float y1, float x2, float y2, float e, int depth);

// A whole figure, as the explorer draws it.
enum FiveSplitColouring { OUTLINES, EVERY_LEVEL, SIZE_CLASSES, CHILD_INDEX, AREA_CLASSES };
struct FiveSplitFigure {
    FiveSplitColouring colouring;
    double x1, y1, x2, y2, ratio; // the top triangle
    int depth;
    // Points held as doubles instead of floats, for views too deep for
    // floats.
    bool wide;
};
// Draws the figure through five_view: the outlines at its depth, or every
// depth from 1 up to it drawn over the one before (EVERY_LEVEL), or the
// size, child or area classes. The area table is filled for its depth.
void draw_five_split(const FiveSplitFigure &figure);

#endif
