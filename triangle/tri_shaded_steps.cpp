// tri_shaded_steps: an equilateral triangle cut alternately about its
// centroid into three 30-30-120 triangles and, by trisecting the long side,
// into an equilateral triangle between two smaller 30-30-120 ones; shown
// one to seven levels deep. Every smallest triangle is outlined in black
// and filled dark grey if equilateral, light grey if not. The first picture
// has a black frame.
// Each key press (or closing the window) shows the next depth; after depth
// 7 a blank picture, and the next key ends the program.
//
// About[fr]: Un triangle équilatéral découpé tour à tour autour de son
// centre de gravité en trois triangles 30-30-120 et, en partageant le grand
// côté en trois, en un triangle équilatéral entre deux triangles 30-30-120
// plus petits ; montré aux profondeurs 1 à 7. Chaque triangle du dernier
// niveau est bordé de noir et rempli de gris foncé s'il est équilatéral, de
// gris clair sinon. La première image a un cadre noir.
//
// Title: A shaded triangle subdivision, depth by depth
// Title[fr]: Une subdivision ombrée du triangle, niveau après niveau
// Frame 1: depth 1
// Frame 1[fr]: profondeur 1
// Frame 2: depth 2
// Frame 2[fr]: profondeur 2
// Frame 3: depth 3
// Frame 3[fr]: profondeur 3
// Frame 4: depth 4
// Frame 4[fr]: profondeur 4
// Frame 5: depth 5
// Frame 5[fr]: profondeur 5
// Frame 6: depth 6
// Frame 6[fr]: profondeur 6
// Frame 7: depth 7
// Frame 7[fr]: profondeur 7
// Frame 8: the canvas cleared after the last depth
// Frame 8[fr]: l'image effacée après la dernière profondeur
#include "raster.h"
#include "shaded_leaf.h"
#include "triangle_split.h"

const double VIEW_SCALE = 650;
const double VIEW_LEFT = 10;
const double VIEW_BASE = 590;

int main(int, char **)
{
    open_canvas();
    const Uint32 white = map_shaded_palette();
    clear_canvas(white);

    triangle_view = {VIEW_SCALE, VIEW_LEFT, VIEW_BASE};
    middle_by_midpoints = false;
    draw_frame(leaf_outline);
    for (int depth = 1; depth <= 7; ++depth) {
        split_centroid(0.5, 0.8660254037844386, 0, 0, 1, 0, depth);
        present();
        wait_key();
        clear_canvas(white);
    }

    present();
    wait_key();
    return 0;
}
