// chair_colour_tiling: one large chair (L-tromino) split three times into
// 64 chairs of an eighth of its size, each outlined in black
// and filled by its orientation: red, green, blue or yellow.
// One picture; any key or closing the window ends the program.
//
// About[fr]: Une grande chaise (un L-tromino) découpée trois fois de suite
// en 64 chaises huit fois plus petites, chacune bordée de noir et coloriée
// selon son orientation : rouge, vert, bleu ou jaune.
//
// Title: The chair tiling in four colours
// Title[fr]: Le pavage de la chaise en quatre couleurs
// Frame 1: 64 chairs, coloured by orientation
// Frame 1[fr]: 64 chaises, coloriées selon leur orientation
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
