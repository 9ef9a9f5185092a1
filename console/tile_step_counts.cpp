// tile_step_counts: prints, for the steps 1 to 8 of the five-way split with
// leg ratio 0.8, how many tiles each size class holds. Every tile of class j
// yields one tile of class j and four of class j + 1, so step k holds
// (k - 1 choose j) * 4^j tiles of class j, 5^(k - 1) in all.
// Prints the eight lines, then waits for one character: press Enter to end.
//
// About[fr]: Affiche, pour les étapes 1 à 8 du découpage en cinq de rapport
// 0,8, combien de pavés compte chaque classe de taille. Chaque pavé de
// classe j donne un pavé de classe j et quatre de classe j + 1, si bien que
// l'étape k compte C(k - 1, j) × 4^j pavés de classe j, soit 5^(k - 1) en
// tout.
//
// When the table cannot be written (a full disk, say), it says why in one
// line on standard error and ends with status 1.
//
// Title: Tile counts of the five-way split, step by step
// Title[fr]: Le nombre de pavés du découpage en cinq, étape par étape

#include "output_written.h"

#include <cstdio>

const int STEPS = 8;
const int CLASSES = 8;

int main()
{
    int counts[CLASSES];
    counts[0] = 1;
    for (int j = 1; j < CLASSES; j++)
        counts[j] = 0;

    printf("etape   1 :  1");
    for (int i = 1; i < STEPS; i++) {
        // Downwards, so that every term still reads the previous step's
        // count of the class above it; counts[0] stays 1.
        for (int j = CLASSES - 1; j >= 1; j--)
            counts[j] = counts[j] + counts[j - 1] * 4;
        printf("\netape %d : ", i + 1);
        for (int j = 0; j <= i; j++)
            printf("%4d ", counts[j]);
    }

    // The last line has no line break: show it before waiting.
    if (!output_written("tile_step_counts"))
        return 1;
    getchar();
    return 0;
}
