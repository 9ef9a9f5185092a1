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
#include "raster.h"
#include "triangle_split.h"

#include <cmath>

// Edges whose ends differ by less than this in y (in x) are horizontal
// (vertical).
const double AXIS_EPS = 0.00001;

// split_thirds passes its middle triangle to split_centroid.
const bool MIDDLE_BY_MIDPOINTS = false;

Uint32 edge_colour;

static int pixel_x(double x)
{
    return trunc_int(static_cast<extended>(x) * 3000 - 400);
}

static int pixel_y(double y)
{
    return trunc_int(700 - static_cast<extended>(y) * 3000);
}

static void draw_edge(double xa, double ya, double xb, double yb)
{
    draw_line(pixel_x(xa), pixel_y(ya), pixel_x(xb), pixel_y(yb), edge_colour);
}

// Six independent tests, horizontal ones first; an edge whose ends coincide
// passes two of them and is drawn twice.
void draw_triangle_leaf(double x1, double y1, double x2, double y2, double x3, double y3, bool)
{
    if (std::fabs(y1 - y2) < AXIS_EPS)
        draw_edge(x1, y1, x2, y2);
    if (std::fabs(y2 - y3) < AXIS_EPS)
        draw_edge(x2, y2, x3, y3);
    if (std::fabs(y1 - y3) < AXIS_EPS)
        draw_edge(x1, y1, x3, y3);
    if (std::fabs(x1 - x2) < AXIS_EPS)
        draw_edge(x1, y1, x2, y2);
    if (std::fabs(x2 - x3) < AXIS_EPS)
        draw_edge(x2, y2, x3, y3);
    if (std::fabs(x1 - x3) < AXIS_EPS)
        draw_edge(x1, y1, x3, y3);
}

int main(int, char **)
{
    open_canvas();
    const Uint32 background = map_rgb(255, 255, 255);
    const Uint32 frame_colour = map_rgb(0, 0, 0);
    edge_colour = map_rgb(0, 0, 0);
    clear_canvas(background);

    draw_frame(frame_colour);
    split_centroid(0.5, 0.8660254037844386, 0, 0, 1, 0, 9);

    present();
    wait_key();
    return 0;
}
