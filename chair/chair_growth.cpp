// chair_growth: the chair tiling grown from one chair of 18 pixels. At each
// key press the figure becomes a chair twice its size by adding three
// copies of itself: one shifted into the centre, one mirrored left to right
// and one mirrored top to bottom, until it is a chair of 576 pixels made of
// 1,024 tiles coloured red, green, blue or yellow by orientation.
// Each key press (or closing the window) shows the next step; the program
// ends at the seventh, after the last picture has been shown once more.
//
// About[fr]: Le pavage de la chaise qui grandit à partir d'une seule chaise
// de 18 pixels. À chaque appui sur une touche, la figure devient une chaise
// deux fois plus grande en s'adjoignant trois copies d'elle-même : l'une
// translatée vers le centre, une autre symétrique par rapport à un axe
// vertical et la dernière symétrique par rapport à un axe horizontal,
// jusqu'à former une chaise de 576 pixels faite de 1 024 pavés coloriés en
// rouge, vert, bleu ou jaune selon leur orientation.
//
// Title: The chair tiling grown by doubling
// Title[fr]: Le pavage de la chaise, agrandi par doublement
// Frame 1: one chair of 18 pixels
// Frame 1[fr]: une chaise de 18 pixels
// Frame 2: 4 tiles: a chair of 36 pixels
// Frame 2[fr]: 4 pavés : une chaise de 36 pixels
// Frame 3: 16 tiles: a chair of 72 pixels
// Frame 3[fr]: 16 pavés : une chaise de 72 pixels
// Frame 4: 64 tiles: a chair of 144 pixels
// Frame 4[fr]: 64 pavés : une chaise de 144 pixels
// Frame 5: 256 tiles: a chair of 288 pixels
// Frame 5[fr]: 256 pavés : une chaise de 288 pixels
// Frame 6: 1,024 tiles: a chair of 576 pixels
// Frame 6[fr]: 1 024 pavés : une chaise de 576 pixels
// Frame 7: the last step shown again
// Frame 7[fr]: la dernière étape, montrée de nouveau
#include "chair.h"

// The size of every tile.
int LEAF_SIZE = 18;

// The tiles: corner and orientation of tile i. The seed chair is tile 0,
// and the tiles of each step follow those of the step before.
int chair_x[5000];
int chair_y[5000];
int chair_orientation[5000];

// Draws tile i: its outline in black, then its fill from the centre of its
// corner quarter.
void draw_chair_tile(int i)
{
    const int x = chair_x[i];
    const int y = chair_y[i];
    const int o = chair_orientation[i];
    const int ex = 2 * (((o + 1) / 2 + 1) % 2) - 1;
    const int ey = 2 * ((o / 2 + 1) % 2) - 1;
    const int e = ex * LEAF_SIZE;
    const int d = ey * LEAF_SIZE;
    draw_chair_outline(x, y, e, d, chair_outline);
    flood_fill(x + e / 4, y - d / 4, CHAIR_COLOURS[o], chair_outline);
}

int main(int, char **)
{
    open_canvas();
    const Uint32 white = map_rgb(255, 255, 255);
    map_chair_palette(CHAIR_BRIGHT_RGB);
    clear_canvas(white);

    chair_x[0] = 100;
    chair_y[0] = 585;
    chair_orientation[0] = 0;
    int b = LEAF_SIZE; // the size of the current figure
    int count = 1;     // its number of tiles
    int j = 1;         // the next free tile
    draw_chair_tile(0);
    present();
    wait_key();

    // The figure is the chair of size b with corner (100, 585) and
    // orientation 0: the left-right mirror is the reflection in the column
    // x = b + 100, the top-bottom mirror the reflection in the row
    // y = 585 - b.
    for (int step = 0; step < 5; ++step) {
        const int first = j;
        for (int k = 0; k < count; ++k, ++j) {
            chair_orientation[j] = chair_orientation[k];
            chair_x[j] = chair_x[k] + b / 2;
            chair_y[j] = chair_y[k] - b / 2;
        }
        for (int k = 0; k < count; ++k, ++j) {
            const int o = chair_orientation[k];
            chair_orientation[j] = o % 2 == 0 ? o + 1 : (o + 3) % 4;
            chair_x[j] = 2 * b + 200 - chair_x[k];
            chair_y[j] = chair_y[k];
        }
        for (int k = 0; k < count; ++k, ++j) {
            const int o = chair_orientation[k];
            chair_orientation[j] = o % 2 == 0 ? (o + 3) % 4 : (o + 1) % 4;
            chair_x[j] = chair_x[k];
            chair_y[j] = 1170 - 2 * b - chair_y[k];
        }
        for (int t = first; t < j; ++t)
            draw_chair_tile(t);
        present();
        wait_key();
        count = count * 4;
        b = b * 2;
    }

    present();
    wait_key();
    return 0;
}
