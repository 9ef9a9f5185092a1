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
#include "raster.h"
#include "five_split.h"
#include "rectangle_view.h"

Uint32 white, outline_grey;
Uint32 CLASS_COLOURS[6];
// Depth of the top-level call, which sets the reflection centre.
float top_depth;
// The midpoint of the top-level triangle's hypotenuse: every tile is drawn
// again reflected through it, which completes the rectangle.
float centre_x, centre_y;

// Outlines the tile A B C (A -> B, A -> C, C -> B) and fills it with the
// colour of class k from the centroid of its three pixels.
static void draw_class_tile(float xa, float ya, float xb, float yb, float xc, float yc, int k)
{
    const int ax = view_x(xa), ay = view_y(ya);
    const int bx = view_x(xb), by = view_y(yb);
    const int cx = view_x(xc), cy = view_y(yc);
    draw_thick_line(ax, ay, bx, by, 0, outline_grey);
    draw_thick_line(ax, ay, cx, cy, 0, outline_grey);
    draw_thick_line(cx, cy, bx, by, 0, outline_grey);
    flood_fill(trunc_int((ax + bx + cx) / 3.0L), trunc_int((ay + by + cy) / 3.0L),
               CLASS_COLOURS[k], outline_grey);
}

// Draws the triangle (P1, P2, e) of size class k and its reflection, then,
// while depth >= 1, its five children over them: the first keeps the class,
// the other four take class k + 1. Every level is drawn, so a child's fill
// replaces its parent's inside the child's outline.
void coloured_pinwheel_triangle(float x1, float y1, float x2, float y2, float e, int depth, int k)
{
    const RightTriangle t = {x1, y1, x2, y2, e};
    float x3, y3;
    third_vertex(t, x3, y3);
    draw_class_tile(x1, y1, x2, y2, x3, y3, k);
    if (static_cast<float>(depth) == top_depth)
        hypotenuse_midpoint(x2, y2, x3, y3, centre_x, centre_y);
    draw_class_tile(reflect(centre_x, x1), reflect(centre_y, y1), reflect(centre_x, x2),
                    reflect(centre_y, y2), reflect(centre_x, x3), reflect(centre_y, y3), k);
    if (depth < 1)
        return;
    RightTriangle children[5];
    split_five(t, children);
    for (int i = 0; i < 5; ++i) {
        const RightTriangle &c = children[i];
        coloured_pinwheel_triangle(c.x1, c.y1, c.x2, c.y2, c.e, depth - 1, i == 0 ? k : k + 1);
    }
}

int main(int, char **)
{
    open_canvas();
    white = map_rgb(255, 255, 255);
    outline_grey = map_rgb(50, 50, 50);
    CLASS_COLOURS[0] = map_rgb(255, 0, 0);
    CLASS_COLOURS[1] = map_rgb(255, 120, 80);
    CLASS_COLOURS[2] = map_rgb(250, 250, 0);
    CLASS_COLOURS[3] = map_rgb(175, 250, 50);
    CLASS_COLOURS[4] = map_rgb(100, 220, 250);
    CLASS_COLOURS[5] = map_rgb(20, 20, 20);
    clear_canvas(white);

    top_depth = 5;
    coloured_pinwheel_triangle(0, 0, 100, 0, 0.8f, 5, 0);

    present();
    wait_key();
    return 0;
}
