#include "child_colours.h"

#include "five_split.h"

Uint32 white, black;
Uint32 CHILD_COLOURS[5];

namespace {

// Whether the three points (x, y) of `p` all lie left of, all right of, all
// above or all below the canvas.
bool beyond_one_edge(const int p[6])
{
    int left = 0, right = 0, above = 0, below = 0;
    for (int i = 0; i < 6; i += 2) {
        left += p[i] < 0;
        right += p[i] >= SCREEN_W;
        above += p[i + 1] < 0;
        below += p[i + 1] >= SCREEN_H;
    }
    return left == 3 || right == 3 || above == 3 || below == 3;
}

} // namespace

void map_child_palette()
{
    white = map_rgb(255, 255, 255);
    black = map_rgb(0, 0, 0);
    CHILD_COLOURS[0] = map_rgb(255, 0, 0);
    CHILD_COLOURS[1] = map_rgb(0, 255, 0);
    CHILD_COLOURS[2] = map_rgb(0, 0, 255);
    CHILD_COLOURS[3] = map_rgb(255, 255, 0);
    CHILD_COLOURS[4] = map_rgb(55, 155, 55);
}

void child_coloured_triangle(float x1, float y1, float x2, float y2, float e, int child, int depth)
{
    const RightTriangle t = {x1, y1, x2, y2, e};
    if (depth != 0) {
        RightTriangle children[5];
        split_five(t, children);
        for (int i = 0; i < 5; ++i) {
            const RightTriangle &c = children[i];
            child_coloured_triangle(c.x1, c.y1, c.x2, c.y2, c.e, i, depth - 1);
        }
        return;
    }
    float x3, y3;
    third_vertex(t, x3, y3);
    const float model[6] = {x1, y1, x2, y2, x3, y3};
    int p[6];
    for (int i = 0; i < 6; i += 2)
        child_pixel(model[i], model[i + 1], p[i], p[i + 1]);
    // A line keeps within the box of its two ends, so a leaf whose corners
    // all lie beyond one edge of the canvas has no outline pixel on it. Most
    // of the zoomed view's leaves are such; skipping their lines, which
    // would draw nothing, saves most of its time.
    if (!beyond_one_edge(p)) {
        draw_line(p[0], p[1], p[2], p[3], black);
        draw_line(p[0], p[1], p[4], p[5], black);
        draw_line(p[4], p[5], p[2], p[3], black);
    }
    int seed_x, seed_y;
    if (child_leaf_seed(model, p, seed_x, seed_y))
        flood_fill(seed_x, seed_y, CHILD_COLOURS[child], black);
}
