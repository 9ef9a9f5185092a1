// chair_grey_square: a large chair split five times into 1,024 chairs of
// size 16 in four greys by orientation; then, one key press at a time, its
// white notch is filled with ever smaller chairs turned the other way, each
// split down to the same size, until only an 8 x 8 hole is left.
// Each key press (or closing the window) shows the next picture; the
// program ends at the seventh, after the last picture has been shown once
// more.
//
// About[fr]: Une grande chaise découpée cinq fois en 1 024 chaises de taille
// 16, en quatre gris selon leur orientation ; puis, à chaque appui sur une
// touche, son encoche blanche se remplit de chaises de plus en plus petites,
// tournées dans l'autre sens et découpées chacune jusqu'à la même taille,
// jusqu'à ce qu'il ne reste qu'un trou de 8 × 8.
//
// Title: The chair tiling in greys, its notch filled step by step
// Title[fr]: Le pavage de la chaise en gris, son encoche comblée pas à pas
// Frame 1: 1,024 chairs in four greys around a white notch
// Frame 1[fr]: 1 024 chaises en quatre gris autour d'une encoche blanche
// Frame 2: the notch filled, step 1: a 128 × 128 hole is left
// Frame 2[fr]: l'encoche comblée, étape 1 : il reste un trou de 128 × 128
// Frame 3: the notch filled, step 2: a 64 × 64 hole is left
// Frame 3[fr]: l'encoche comblée, étape 2 : il reste un trou de 64 × 64
// Frame 4: the notch filled, step 3: a 32 × 32 hole is left
// Frame 4[fr]: l'encoche comblée, étape 3 : il reste un trou de 32 × 32
// Frame 5: the notch filled, step 4: a 16 × 16 hole is left
// Frame 5[fr]: l'encoche comblée, étape 4 : il reste un trou de 16 × 16
// Frame 6: the notch filled, step 5: an 8 × 8 hole is left
// Frame 6[fr]: l'encoche comblée, étape 5 : il reste un trou de 8 × 8
// Frame 7: the last step shown again
// Frame 7[fr]: la dernière étape, montrée de nouveau
#include "chair.h"

int main(int, char **)
{
    open_canvas();
    const Uint32 white = map_rgb(255, 255, 255);
    map_chair_palette(CHAIR_GREY_RGB);
    clear_canvas(white);

    draw_chair(20, 570, 512, 0, 5);
    present();
    wait_key();

    // Each added chair has its corner at the top-right corner of the white
    // square that is left and covers all of it but its bottom-left quarter.
    int x = 532, y = 58, s = 256, i = 1;
    while (i <= 5) {
        draw_chair(x, y, s, 2, 5 - i);
        i = i + 1;
        present();
        wait_key();
        s = s / 2;
        y = y + s;
        x = x - s;
    }

    present();
    wait_key();
    return 0;
}
