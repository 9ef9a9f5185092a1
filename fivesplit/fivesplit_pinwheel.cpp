// fivesplit_pinwheel: a 100 x 50 rectangle cut along its diagonal into two
// right triangles with legs 1 : 2, each split into five copies of itself
// (the pinwheel split), shown at depths 1, 2, 3 and 4, each depth drawn over
// the lines of the depths before it.
// Each key press (or closing the window) shows the next depth; the program
// ends at the fifth, after the depth-4 picture has been shown once more.
//
// About[fr]: Un rectangle de 100 × 50 coupé selon sa diagonale en deux
// triangles rectangles dont les côtés de l'angle droit sont dans le rapport
// 1 : 2, chacun découpé en cinq copies de lui-même (le découpage du
// moulinet) ; la figure est montrée aux profondeurs 1, 2, 3 et 4, chacune
// tracée par-dessus les traits des précédentes.
//
// Title: The pinwheel split
// Title[fr]: Le découpage du moulinet
// Frame 1: depth 1
// Frame 1[fr]: profondeur 1
// Frame 2: depth 2, over the depths before it
// Frame 2[fr]: profondeur 2, par-dessus les précédentes
// Frame 3: depth 3, over the depths before it
// Frame 3[fr]: profondeur 3, par-dessus les précédentes
// Frame 4: depth 4, over the depths before it
// Frame 4[fr]: profondeur 4, par-dessus les précédentes
// Frame 5: depth 4 shown again
// Frame 5[fr]: la profondeur 4, montrée de nouveau
#include "five_split_figures.h"

int main(int, char **)
{
    open_canvas();
    map_five_split_palette();
    clear_canvas(white);
    // 7 pixels per unit, the model origin on pixel (10, 590).
    five_view = {7, 10, 590};
    forget_edges();

    for (frame_depth = 1; frame_depth <= 4; ++frame_depth) {
        pinwheel_triangle(0, 0, 100, 0, 0.5f, frame_depth);
        present();
        wait_key();
    }
    present();
    wait_key();
    return 0;
}
