// tile_area_classes: the five-way split of the right triangle with legs 1
// and 0.8 (area 0.4). Every tile yields one tile of area factor 16/41 and
// four of area factor 25/164, so after two levels a tile has one of three
// areas. Prints those three areas, then splits the triangle two levels deep
// and prints each of the 25 tiles with its area and its class value (0, 127
// or 255 for the first, second or third area, 256 if it matches none).
// Then waits for one character: press Enter to end.
//
// About[fr]: Le découpage en cinq du triangle rectangle dont les côtés de
// l'angle droit mesurent 1 et 0,8 (d'aire 0,4). Chaque pavé donne un pavé
// dont l'aire vaut 16/41 de la sienne et quatre dont l'aire vaut 25/164 de
// la sienne, si bien qu'après deux niveaux un pavé a l'une de trois aires.
// Affiche ces trois aires, puis découpe le triangle sur deux niveaux et
// affiche chacun des 25 pavés avec son aire et la valeur de sa classe (0,
// 127 ou 255 pour la première, la deuxième ou la troisième aire, 256 s'il ne
// correspond à aucune).
//
// When the table cannot be written (a full disk, say), it says why in one
// line on standard error and ends with status 1.
//
// Arithmetic is carried in extended precision (the type `extended`, the
// floating-point unit's own format); a value is rounded to float or
// double exactly where it is held in that type.
//
// Title: Tile areas of the five-way split
// Title[fr]: Les aires des pavés du découpage en cinq

#include "extended.h"
#include "five_split.h"
#include "output_written.h"

#include <cmath>
#include <cstdio>

const float E = 0.8f;                  // short leg / long leg of the start triangle
const float ALPHA = 16.0f / 41.0f;     // area factor of the small tile
const float BETA = 25.0f / 164.0f;     // area factor of each of the four quarter tiles
const double START_AREA = 0.4;
const double AREA_TOLERANCE = 0.001;
const float CLASS_SCALE = 255.0f;
const float CLASS_HALF = 0.5f;
const int NO_CLASS = 256;
const int AREA_COUNT = 3;

float areas[AREA_COUNT];

// The right triangle with its right angle at P1 = (x1, y1), its long leg
// ending at P2 = (x2, y2) and its third vertex
// P3 = P1 + e * (P2 - P1) turned a quarter turn counter-clockwise.
// Splits it depth levels deep with the five-way split and prints every
// tile.
void split_right_triangle(float x1, float y1, float x2, float y2, float e, int depth)
{
    const RightTriangle triangle = {x1, y1, x2, y2, e};
    if (depth > 0) {
        RightTriangle children[5];
        split_five(triangle, children);
        for (const RightTriangle &c : children)
            split_right_triangle(c.x1, c.y1, c.x2, c.y2, c.e, depth - 1);
        return;
    }

    float x3, y3;
    third_vertex(triangle, x3, y3);
    extended long_sq = ((extended)x1 - x2) * ((extended)x1 - x2) + ((extended)y1 - y2) * ((extended)y1 - y2);
    extended short_sq = ((extended)x1 - x3) * ((extended)x1 - x3) + ((extended)y1 - y3) * ((extended)y1 - y3);
    float l = (float)std::sqrt((double)long_sq);
    float h = (float)std::sqrt((double)short_sq);
    extended area = (extended)l * h * 0.5;

    int class_value = NO_CLASS;
    for (int i = 0; i < AREA_COUNT; i++) {
        if (extended_fabs(area - (extended)areas[i]) < (extended)AREA_TOLERANCE) {
            class_value = (int)((extended)i * CLASS_SCALE * CLASS_HALF);
            break;
        }
    }
    printf("(%3.3f   %d) ", (double)area, class_value);
}

int main()
{
    printf("Les %d aires possibles : ", AREA_COUNT);
    for (int k = 0; k < AREA_COUNT; k++) {
        // k quarter steps and 2 - k small steps
        areas[k] = (float)((extended)std::pow((double)ALPHA, 2 - k) * START_AREA
                           * std::pow((double)BETA, k));
        printf("%3.3f ", areas[k]);
    }
    puts("\n*******");

    split_right_triangle(0.0f, 0.0f, 1.0f, 0.0f, E, 2);

    // The last tile has no line break: show the line before waiting.
    if (!output_written("tile_area_classes"))
        return 1;
    getchar();
    return 0;
}
