// chair_colour_tiling: one large chair (L-tromino) split three times into
// 64 chairs of an eighth of its size, each outlined in black
// and filled by its orientation: red, green, blue or yellow.
// One picture; any key or closing the window ends the program.
//
// Title: The chair tiling in four colours
// Frame 1: 64 chairs, coloured by orientation
#include "chair.h"

int main(int, char **)
{
    open_canvas();
    const Uint32 white = map_rgb(255, 255, 255);
    map_chair_palette(CHAIR_BRIGHT_RGB);
    clear_canvas(white);

    draw_chair(20, 570, 512, 0, 3);

    present();
    wait_key();
    return 0;
}
