// The leaf step that draws only a leaf's horizontal and vertical edges, in
// edge_colour: the nested T shapes of tri_axis_edges.
#include "axis_leaf.h"
#include "triangle_split.h"

#include <cmath>

Uint32 edge_colour;

bool level_edge(double xa, double ya, double xb, double yb)
{
    return std::fabs(ya - yb) <= AXIS_SLOPE * std::fabs(xa - xb);
}

static void draw_edge(double xa, double ya, double xb, double yb)
{
    draw_line(view_column(xa), view_row(ya), view_column(xb), view_row(yb), edge_colour);
}

// Six independent tests, horizontal ones first; an edge whose ends coincide
// passes two of them and is drawn twice.
void draw_axis_edges(double x1, double y1, double x2, double y2, double x3, double y3)
{
    if (level_edge(x1, y1, x2, y2))
        draw_edge(x1, y1, x2, y2);
    if (level_edge(x2, y2, x3, y3))
        draw_edge(x2, y2, x3, y3);
    if (level_edge(x1, y1, x3, y3))
        draw_edge(x1, y1, x3, y3);
    if (level_edge(y1, x1, y2, x2))
        draw_edge(x1, y1, x2, y2);
    if (level_edge(y2, x2, y3, x3))
        draw_edge(x2, y2, x3, y3);
    if (level_edge(y1, x1, y3, x3))
        draw_edge(x1, y1, x3, y3);
}

void describe_axis_edges(double x1, double y1, double x2, double y2, double x3, double y3,
                         TileRecord &r)
{
    r.edges = (level_edge(x1, y1, x2, y2) || level_edge(y1, x1, y2, x2) ? 1 : 0) |
              (level_edge(x2, y2, x3, y3) || level_edge(y2, x2, y3, x3) ? 2 : 0) |
              (level_edge(x1, y1, x3, y3) || level_edge(y1, x1, y3, x3) ? 4 : 0);
    r.outline = edge_colour;
}
