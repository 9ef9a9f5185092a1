// fivesplit_child_colours_zoom: a right triangle with legs 1 : 0.7 split
// seven times into 78,125 triangles of two sizes, each filled with the
// colour of its place among its parent's five children (red, green, blue,
// yellow, leaf green), outlined in black. Enlarged eight times, so the
// window, framed in black, shows only a region near the right-angle corner.
// One picture; any key or closing the window ends the program.
//
// About[fr]: Un triangle rectangle dont les côtés de l'angle droit sont dans
// le rapport 1 : 0,7, découpé sept fois en 78 125 triangles de deux tailles,
// chacun rempli de la couleur de son rang parmi les cinq enfants de son
// parent (rouge, vert, bleu, jaune, vert feuille) et bordé de noir. La
// figure est agrandie huit fois, si bien que la fenêtre, encadrée de noir,
// n'en montre qu'une région proche du sommet de l'angle droit.
//
// Title: A five-way split coloured by child, enlarged
// Title[fr]: Un découpage en cinq colorié selon le rang de chaque enfant, agrandi
// Frame 1: depth 7, enlarged eight times near the right angle
// Frame 1[fr]: profondeur 7, agrandie huit fois près de l'angle droit
#include "five_split_figures.h"

int main(int, char **)
{
    open_canvas();
    map_five_split_palette();
    clear_canvas(white);
    // Eight pixels per unit; model (12.625, 99.875) at the top left corner.
    five_view = {8, -101, 799};
    // A third of the leaf's pixel sums, near enough (0.33333), so the seed
    // lies a little towards the top left. Only seeds inside the frame are
    // filled; a leaf the window shows in part is closed by the frame.
    child_seeds = PIXEL_THIRDS;

    draw_frame(black);
    child_coloured_triangle(0, 1, 799, 1, 0.7f, 0, 7);

    present();
    wait_key();
    return 0;
}
