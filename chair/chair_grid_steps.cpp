// chair_grid_steps: the chair tiling arising by substitution on a grid of
// 20-pixel units. Each chair is shown by a marker of fixed size, an L of
// three 20-pixel squares around its centre point in one of four greys by
// type; each key press replaces every chair by its four half-size children,
// until the 64 markers of the third step touch and tile a large chair.
// Each key press (or closing the window) shows the next step; the program
// ends at the fifth, after the last picture has been shown once more.
//
// About[fr]: Le pavage de la chaise obtenu par substitution sur une grille
// de carreaux de 20 pixels. Chaque chaise est représentée par un repère de
// taille fixe, un L de trois carrés de 20 pixels autour de son centre, dans
// l'un des quatre gris selon son type ; chaque appui sur une touche remplace
// chaque chaise par les quatre chaises deux fois plus petites qui la
// composent, jusqu'à ce que les 64 repères de la troisième étape se touchent
// et pavent une grande chaise.
//
// Title: Chair substitution on a grid
// Title[fr]: La substitution de la chaise sur une grille
// Frame 1: one marker
// Frame 1[fr]: un repère
// Frame 2: 4 markers
// Frame 2[fr]: 4 repères
// Frame 3: 16 markers
// Frame 3[fr]: 16 repères
// Frame 4: 64 markers, touching: a large chair
// Frame 4[fr]: 64 repères qui se touchent : une grande chaise
// Frame 5: the last step shown again
// Frame 5[fr]: la dernière étape, montrée de nouveau
#include "raster.h"

// A grid point (gx, gy), gy counting upwards, lies at the pixel
// (400 + 20 gx, 280 - 20 gy). A chair's type (0 to 3) names the missing
// square of the 2 x 2 block around its grid point: top right, top left,
// bottom left, bottom right.

static Uint32 grid_black;
static Uint32 grid_colours[4];

// Per type, offsets from the grid point's pixel: the columns xa, xb and
// rows ya, yb of the marker's outline, and its fill seed. The missing
// square lies between the grid point and the corner (xa, ya); the seed is
// the centre of the square diagonally opposite it.
static const int GRID_CHAIR_ROWS[4][6] = {
    // xa, xb, ya, yb, seed x, seed y
    {20, -20, -20, 20, -10, 10},
    {-20, 20, -20, 20, 10, 10},
    {-20, 20, 20, -20, 10, -10},
    {20, -20, 20, -20, -10, -10},
};

// The substitution: a chair of type t is replaced by four chairs, given as
// type and offset (dx, dy) in units of the current step s, gy upwards:
// the centre child (in its parent's place and of its type), the child in
// the corner quadrant, then the children at the ends of the two arms.
static const int GRID_SUBSTITUTION[4][4][3] = {
    {{0, 0, 0}, {0, -1, -1}, {1, 1, -1}, {3, -1, 1}},
    {{1, 0, 0}, {1, 1, -1}, {2, 1, 1}, {0, -1, -1}},
    {{2, 0, 0}, {2, 1, 1}, {3, -1, 1}, {1, 1, -1}},
    {{3, 0, 0}, {3, -1, 1}, {0, -1, -1}, {2, 1, 1}},
};

// The current generation, entries 0 to n - 1. Kept in static storage;
// main sets up every entry it reads.
int grid_x[5000];
int grid_y[5000];
int grid_type[5000];

// Draws the marker of a chair of type t at grid point (gx, gy): six black
// lines, then the fill. A type outside 0 to 3 draws nothing.
void draw_grid_chair(int gx, int gy, int t)
{
    if (t < 0 || t > 3)
        return;
    const int cx = 400 + 20 * gx;
    const int cy = 280 - 20 * gy;
    const int *row = GRID_CHAIR_ROWS[t];
    const int xa = cx + row[0], xb = cx + row[1];
    const int ya = cy + row[2], yb = cy + row[3];
    draw_line(cx, cy, xa, cy, grid_black);
    draw_line(cx, cy, cx, ya, grid_black);
    draw_line(xb, yb, xa, yb, grid_black);
    draw_line(xb, yb, xb, ya, grid_black);
    draw_line(xa, cy, xa, yb, grid_black);
    draw_line(cx, ya, xb, ya, grid_black);
    flood_fill(cx + row[4], cy + row[5], grid_colours[t], grid_black);
}

int main(int, char **)
{
    open_canvas();
    const Uint32 white = map_rgb(255, 255, 255);
    grid_black = map_rgb(0, 0, 0);
    grid_colours[0] = map_rgb(70, 70, 70);
    grid_colours[1] = map_rgb(120, 120, 120);
    grid_colours[2] = map_rgb(180, 180, 180);
    grid_colours[3] = map_rgb(230, 230, 230);
    clear_canvas(white);

    int n = 1;
    int s = 8;
    grid_x[0] = 0;
    grid_y[0] = 0;
    grid_type[0] = 0;
    draw_grid_chair(0, 0, 0);
    present();
    wait_key();

    // A marker keeps its place and type in its centre child, so redrawing
    // the whole generation over the last one shows exactly the new one.
    for (int step = 0; step < 3; ++step) {
        s = s / 2;
        for (int m = n - 1; m >= 0; --m) {
            grid_x[4 * m] = grid_x[m];
            grid_y[4 * m] = grid_y[m];
            grid_type[4 * m] = grid_type[m];
        }
        n = 4 * n;
        for (int i = 0; i < n; i += 4) {
            const int gx = grid_x[i], gy = grid_y[i], t = grid_type[i];
            for (int c = 0; c < 4; ++c) {
                const int *child = GRID_SUBSTITUTION[t][c];
                grid_type[i + c] = child[0];
                grid_x[i + c] = gx + child[1] * s;
                grid_y[i + c] = gy + child[2] * s;
            }
        }
        for (int i = 0; i < n; ++i)
            draw_grid_chair(grid_x[i], grid_y[i], grid_type[i]);
        present();
        wait_key();
    }

    present();
    wait_key();
    return 0;
}
