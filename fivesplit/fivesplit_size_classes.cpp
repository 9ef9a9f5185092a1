// fivesplit_size_classes: a 100 x 80 rectangle of two right triangles with
// legs 1 : 0.8, each split five levels deep into five triangles: a large
// first child (0.6247 of its parent's size) and four small ones (0.3904).
// Every tile is filled with the colour of its size class, the number of
// small steps on its way down: red, coral, yellow, lime, sky blue and near
// black for the smallest; outlines dark grey.
// One picture; any key or closing the window ends the program.
//
// About[fr]: Un rectangle de 100 × 80 formé de deux triangles rectangles
// dont les côtés de l'angle droit sont dans le rapport 1 : 0,8, chacun
// découpé sur cinq niveaux en cinq triangles : un grand premier enfant
// (0,6247 fois la taille de son parent) et quatre petits (0,3904 fois).
// Chaque pavé est rempli de la couleur de sa classe de taille (le nombre de
// petits enfants sur le chemin qui y mène) : rouge, corail, jaune, vert
// citron, bleu ciel et presque noir pour les plus petits ; les contours sont
// gris foncé.
//
// Title: A five-way split coloured by tile size
// Title[fr]: Un découpage en cinq colorié selon la taille des pavés
// Frame 1: depth 5, each tile coloured by its size class
// Frame 1[fr]: profondeur 5, chaque pavé colorié selon sa classe de taille
#include "five_split_figures.h"

int main(int, char **)
{
    open_canvas();
    map_five_split_palette();
    clear_canvas(white);
    // 7 pixels per unit, the model origin on pixel (10, 590).
    five_view = {7, 10, 590};

    top_depth = 5;
    coloured_pinwheel_triangle(0, 0, 100, 0, 0.8f, 5, 0);

    present();
    wait_key();
    return 0;
}
