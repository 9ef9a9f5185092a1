// tri_shaded_zoom: the shaded subdivision of tri_shaded_steps ten levels
// deep (59,049 triangles), at 4000 pixels a side, so the window shows a
// region near the lower left corner of the triangle, inside a black frame.
// Triangles whose centre lies outside the frame stay white.
// One picture; any key or closing the window ends the program.
//
// About[fr]: La subdivision ombrée de tri_shaded_steps sur dix niveaux
// (59 049 triangles), à 4 000 pixels de côté, si bien que la fenêtre montre
// une région proche du coin inférieur gauche du triangle, dans un cadre
// noir. Les triangles dont le centre est hors du cadre restent blancs.
//
// Title: A shaded triangle subdivision, enlarged
// Title[fr]: Une subdivision ombrée du triangle, agrandie
// Frame 1: depth 10, near the lower left corner
// Frame 1[fr]: profondeur 10, près du coin inférieur gauche
#include "raster.h"
#include "shaded_leaf.h"
#include "triangle_split.h"

const double VIEW_SCALE = 4000;
const double VIEW_LEFT = -400;
const double VIEW_BASE = 700;

int main(int, char **)
{
    open_canvas();
    const Uint32 white = map_shaded_palette();
    clear_canvas(white);

    triangle_view = {VIEW_SCALE, VIEW_LEFT, VIEW_BASE};
    middle_by_midpoints = false;
    draw_frame(leaf_outline);
    split_centroid(0.5, 0.8660254037844386, 0, 0, 1, 0, 10);

    present();
    wait_key();
    return 0;
}
