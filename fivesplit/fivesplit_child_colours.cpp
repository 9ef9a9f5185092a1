// fivesplit_child_colours: the right triangle with legs 799 and 399.5
// (1 : 0.5) split four times into 625 congruent triangles, each filled with
// the colour of its place among its parent's five children (red, green,
// blue, yellow, leaf green), outlined in black, the whole triangle inside a
// black frame at one pixel per unit.
// One picture; any key or closing the window ends the program.
//
// About[fr]: Le triangle rectangle dont les côtés de l'angle droit mesurent
// 799 et 399,5 (1 : 0,5), découpé quatre fois en 625 triangles isométriques,
// chacun rempli de la couleur de son rang parmi les cinq enfants de son
// parent (rouge, vert, bleu, jaune, vert feuille) et bordé de noir ; le
// triangle entier est dans un cadre noir, à un pixel par unité.
//
// Title: A five-way split coloured by child
// Title[fr]: Un découpage en cinq colorié selon le rang de chaque enfant
// Frame 1: depth 4: 625 tiles, each coloured by its place among its parent's children
// Frame 1[fr]: profondeur 4 : 625 pavés, chacun colorié selon son rang parmi les enfants de son parent
#include "five_split_figures.h"

int main(int, char **)
{
    open_canvas();
    map_five_split_palette();
    clear_canvas(white);
    // One pixel per unit; model y = 0 on row 480.
    five_view = {1, 0, 480};
    // Every leaf is filled, from a third (0.33333) of its model sums, not
    // of its pixels.
    child_seeds = MODEL_THIRDS;

    draw_frame(black);
    child_coloured_triangle(0, 1, 799, 1, 0.5f, 0, 4);

    present();
    wait_key();
    return 0;
}
