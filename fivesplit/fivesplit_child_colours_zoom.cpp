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
#include "child_colours.h"


// Eight pixels per unit; model (12.625, 99.875) at the top left corner.
void child_pixel(float x, float y, int &px, int &py)
{
    px = trunc_int(8 * static_cast<extended>(x) - 101);
    py = trunc_int(799 - 8 * static_cast<extended>(y));
}

// A third of the leaf's pixel sums, near enough (0.33333), so the seed lies
// a little towards the top left. Only seeds inside the frame are filled; a
// leaf the window shows in part is closed by the frame.
bool child_leaf_seed(const float[6], const int p[6], int &seed_x, int &seed_y)
{
    const long long sum_x = static_cast<long long>(p[0]) + p[2] + p[4];
    const long long sum_y = static_cast<long long>(p[1]) + p[3] + p[5];
    // Sums at or below 0, or at or above three times the canvas size, give
    // seeds outside the frame: most leaves lie far off the canvas.
    if (sum_x <= 0 || sum_x >= 3 * SCREEN_W || sum_y <= 0 || sum_y >= 3 * SCREEN_H)
        return false;
    seed_x = trunc_int(static_cast<extended>(sum_x) * 0.33333);
    seed_y = trunc_int(static_cast<extended>(sum_y) * 0.33333);
    return seed_x >= 1 && seed_x <= SCREEN_W - 2 && seed_y >= 1 && seed_y <= SCREEN_H - 2;
}

int main(int, char **)
{
    open_canvas();
    map_child_palette();
    clear_canvas(white);

    draw_frame(black);
    child_coloured_triangle(0, 1, 799, 1, 0.7f, 0, 7);

    present();
    wait_key();
    return 0;
}
