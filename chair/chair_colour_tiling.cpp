// chair_colour_tiling: one large chair (L-tromino) split three times into
// 64 chairs of an eighth of its size, each outlined in black
// and filled by its orientation: red, green, blue or yellow.
// One picture; any key or closing the window ends the program.
#include "chair.h"

int main(int, char **)
{
    open_canvas();
    const Uint32 white = map_rgb(255, 255, 255);
    chair_outline = map_rgb(0, 0, 0);
    CHAIR_COLOURS[0] = map_rgb(255, 0, 0);
    CHAIR_COLOURS[1] = map_rgb(0, 255, 0);
    CHAIR_COLOURS[2] = map_rgb(0, 0, 255);
    CHAIR_COLOURS[3] = map_rgb(255, 255, 0);
    clear_canvas(white);

    draw_chair(20, 570, 512, 0, 3);

    present();
    wait_key();
    return 0;
}
