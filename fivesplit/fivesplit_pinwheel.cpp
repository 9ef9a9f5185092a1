// fivesplit_pinwheel: a 100 x 50 rectangle cut along its diagonal into two
// right triangles with legs 1 : 2, each split into five copies of itself
// (the pinwheel split), shown at depths 1, 2, 3 and 4, each depth drawn over
// the lines of the depths before it.
// Each key press (or closing the window) shows the next depth; the program
// ends at the fifth, after the depth-4 picture has been shown once more.
//
// Title: The pinwheel split
// Frame 1: depth 1
// Frame 2: depth 2, over the depths before it
// Frame 3: depth 3, over the depths before it
// Frame 4: depth 4, over the depths before it
// Frame 5: depth 4 shown again
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
