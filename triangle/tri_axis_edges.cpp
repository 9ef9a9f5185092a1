// tri_axis_edges: an equilateral triangle cut nine times, alternately about
// its centroid and by trisecting an edge, into 19,683 triangles of which
// only the horizontal and vertical edges are drawn: nested T shapes. The
// triangle is 3000 pixels a side, so the window shows a region near its
// lower left corner, inside a black frame.
// One picture; any key or closing the window ends the program.
//
// About[fr]: Un triangle équilatéral découpé neuf fois, tantôt autour de son
// centre de gravité, tantôt en partageant un côté en trois, en 19 683
// triangles dont seuls les côtés horizontaux et verticaux sont tracés : des
// T emboîtés. Le triangle mesure 3 000 pixels de côté, si bien que la
// fenêtre n'en montre qu'une région proche de son coin inférieur gauche,
// dans un cadre noir.
//
// Title: The level edges of a triangle subdivision
// Title[fr]: Les côtés horizontaux et verticaux d'une subdivision du triangle
// Frame 1: depth 9: only the horizontal and vertical edges
// Frame 1[fr]: profondeur 9 : seuls les côtés horizontaux et verticaux
#include "axis_leaf.h"
#include "raster.h"
#include "triangle_split.h"

// 3000 pixels per unit: the base y = 0 lies on row 700, below the window,
// and x = 0 on column -400, left of it.
const double VIEW_SCALE = 3000;
const double VIEW_LEFT = -400;
const double VIEW_BASE = 700;

int main(int, char **)
{
    open_canvas();
    const Uint32 background = map_rgb(255, 255, 255);
    const Uint32 frame_colour = map_rgb(0, 0, 0);
    edge_colour = map_rgb(0, 0, 0);
    clear_canvas(background);

    triangle_view = {VIEW_SCALE, VIEW_LEFT, VIEW_BASE};
    triangle_leaves = AXIS_EDGES;
    middle_by_midpoints = false;
    draw_frame(frame_colour);
    split_centroid(0.5, 0.8660254037844386, 0, 0, 1, 0, 9);

    present();
    wait_key();
    return 0;
}
