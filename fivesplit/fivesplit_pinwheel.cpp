// fivesplit_pinwheel: a 100 x 50 rectangle cut along its diagonal into two
// right triangles with legs 1 : 2, each split into five copies of itself
// (the pinwheel split), shown at depths 1, 2, 3 and 4, each depth drawn over
// the lines of the depths before it.
// Each key press (or closing the window) shows the next depth; the program
// ends at the fifth, after the depth-4 picture has been shown once more.
//
// About[fr]: Un rectangle de 100 × 50 coupé selon sa diagonale en deux
// triangles rectangles dont les côtés de l'angle droit sont dans le rapport
// 1 : 2, chacun découpé en cinq copies de lui-même (le découpage du
// moulinet) ; la figure est montrée aux profondeurs 1, 2, 3 et 4, chacune
// tracée par-dessus les traits des précédentes.
//
// Title: The pinwheel split
// Title[fr]: Le découpage du moulinet
// Frame 1: depth 1
// Frame 1[fr]: profondeur 1
// Frame 2: depth 2, over the depths before it
// Frame 2[fr]: profondeur 2, par-dessus les précédentes
// Frame 3: depth 3, over the depths before it
// Frame 3[fr]: profondeur 3, par-dessus les précédentes
// Frame 4: depth 4, over the depths before it
// Frame 4[fr]: profondeur 4, par-dessus les précédentes
// Frame 5: depth 4 shown again
// Frame 5[fr]: la profondeur 4, montrée de nouveau
#include "raster.h"
#include "five_split.h"
#include "rectangle_view.h"

#include <algorithm>
#include <cstdint>

Uint32 white, black;
// Depth of the frame being drawn; the call at this depth is the top-level
// one.
int frame_depth;
// The midpoint of the top-level triangle's hypotenuse: every leaf is drawn
// again reflected through it, which completes the rectangle.
float centre_x, centre_y;

// Every line is black and no other colour is ever drawn over the white, so
// an edge drawn again from the same end adds no pixel: two leaves that
// share an edge (children 2 and 3 of every split) and an edge that the
// reflection lays on another are drawn once. The edges drawn since the
// canvas was cleared, by their pixel ends, each packed in 16 bits per
// coordinate (0 for an empty entry; an edge that does not pack is drawn
// every time).
constexpr int EDGES_KEPT = 1 << 14;
uint64_t edges_drawn[EDGES_KEPT];

void forget_edges()
{
    std::fill_n(edges_drawn, EDGES_KEPT, 0);
}

// True the first time an edge is met (and when the table is full).
static bool first_time(int x0, int y0, int x1, int y1)
{
    uint64_t key = 0;
    for (const int v : {x0, y0, x1, y1}) {
        if (v < -32767 || v > 32767)
            return true;
        key = key << 16 | static_cast<uint64_t>(v + 32768);
    }
    for (uint64_t i = key * 0x9E3779B97F4A7C15u >> 50, probes = 0; probes < EDGES_KEPT; ++probes) {
        uint64_t &entry = edges_drawn[i++ % EDGES_KEPT];
        if (entry == key)
            return false;
        if (entry == 0) {
            entry = key;
            return true;
        }
    }
    return true;
}

static void draw_edge(float xa, float ya, float xb, float yb)
{
    const int x0 = view_x(xa), y0 = view_y(ya), x1 = view_x(xb), y1 = view_y(yb);
    if (first_time(x0, y0, x1, y1))
        draw_thick_line(x0, y0, x1, y1, 1, black);
}

void pinwheel_triangle(float x1, float y1, float x2, float y2, float e, int depth)
{
    const RightTriangle t = {x1, y1, x2, y2, e};
    float x3, y3;
    third_vertex(t, x3, y3);
    if (depth == frame_depth)
        hypotenuse_midpoint(x2, y2, x3, y3, centre_x, centre_y);
    if (depth != 0) {
        RightTriangle children[5];
        split_five(t, children);
        for (const RightTriangle &c : children)
            pinwheel_triangle(c.x1, c.y1, c.x2, c.y2, c.e, depth - 1);
        return;
    }
    draw_edge(x1, y1, x2, y2);
    draw_edge(x1, y1, x3, y3);
    draw_edge(x3, y3, x2, y2);
    const float ax = reflect(centre_x, x1), ay = reflect(centre_y, y1);
    const float bx = reflect(centre_x, x2), by = reflect(centre_y, y2);
    const float dx = reflect(centre_x, x3), dy = reflect(centre_y, y3);
    draw_edge(ax, ay, bx, by);
    draw_edge(ax, ay, dx, dy);
    draw_edge(dx, dy, bx, by);
}

int main(int, char **)
{
    open_canvas();
    white = map_rgb(255, 255, 255);
    black = map_rgb(0, 0, 0);
    clear_canvas(white);
    forget_edges();

    for (frame_depth = 1; frame_depth <= 4; ++frame_depth) {
        pinwheel_triangle(0, 0, 100, 0, 0.5f, frame_depth);
        present();
        wait_key();
    }
    present();
    wait_key();
    return 0;
}
