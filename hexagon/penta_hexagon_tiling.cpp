// penta_hexagon_tiling: 80 elongated hexagons (corner angles 72 and 144
// degrees, unit edges) laid in rings about the canvas centre, as black
// outlines on white; a turn of 72 degrees about the centre maps the patch
// onto itself. The patch is larger than the window, which shows its middle.
// One picture; any key or closing the window ends the program.
//
// About[fr]: 80 hexagones allongés (angles de 72 et de 144 degrés, côtés de
// longueur 1) disposés en couronnes autour du centre de l'image, tracés en
// noir sur blanc ; la rotation de 72 degrés autour du centre envoie ce
// morceau de pavage sur lui-même. Il est plus grand que la fenêtre, qui en
// montre le milieu.
//
// Title: The five-fold hexagon tiling
// Title[fr]: Le pavage d'hexagones à symétrie d'ordre cinq
// Frame 1: 80 hexagons in rings about the centre
// Frame 1[fr]: 80 hexagones en couronnes autour du centre
#include "hexagon_patch.h"
#include "raster.h"

// Pixels per model unit.
constexpr int TILE_SCALE = 50;

Uint32 tile_outline;

void draw_hexagon_tile(double r, double alpha, double beta)
{
    ModelPoint vertices[6];
    place_vertices(place_tile(r, alpha, beta), vertices);
    draw_tile_outline(vertices, TILE_SCALE, tile_outline);
}

int main(int, char **)
{
    open_canvas();
    const Uint32 background = map_rgb(255, 255, 255);
    tile_outline = map_rgb(0, 0, 0);
    clear_canvas(background);

    Placement tiles[PATCH_TILES];
    lay_patch(tiles);
    for (const Placement &t : tiles)
        draw_hexagon_tile(t.r, t.alpha, t.beta);

    present();
    wait_key();
    return 0;
}
