// Draws an explorer state with the families' own routines, set up as the
// programs set them up: at a program's settings the picture is that
// program's frame.
#include "axis_leaf.h"
#include "chair.h"
#include "explore.h"
#include "five_split_figures.h"
#include "shaded_leaf.h"
#include "tile_sink.h"
#include "triangle_split.h"

#include <vector>

namespace {

// Beyond this zoom the five-way split's points are held as doubles: floats
// would place them a pixel or more astray.
constexpr double WIDE_ZOOM = 16;

void draw_chairs(const ExploreState &s, const ModelView &view)
{
    map_chair_palette(s.colouring == IN_GREYS ? CHAIR_GREY_RGB : CHAIR_BRIGHT_RGB);
    draw_chair_view(view, 0, s.depth, s.border);
}

void draw_triangles(const ExploreState &s, const ModelView &view)
{
    map_shaded_palette();
    edge_colour = leaf_outline;
    triangle_view = view;
    triangle_leaves = s.colouring == AXIS_EDGES_ONLY ? AXIS_EDGES : SHADED_LEAVES;
    middle_by_midpoints = s.colouring == MIDPOINT_SPLIT;
    if (s.colouring == MIDPOINT_SPLIT)
        split_midpoints(0.5, 0.8660254037844386, 0, 0, 1, 0, s.depth);
    else
        split_centroid(0.5, 0.8660254037844386, 0, 0, 1, 0, s.depth);
}

void draw_five_way(const ExploreState &s, const ModelView &view)
{
    map_five_split_palette();
    five_view = view;
    child_seeds = PIXEL_THIRDS;
    FiveSplitFigure f = {OUTLINES, 0, 0, 100, 0, s.ratio, s.depth, s.zoom > WIDE_ZOOM};
    switch (s.colouring) {
    case ALL_LEVELS:
        f.colouring = EVERY_LEVEL;
        break;
    case BY_SIZE:
        f.colouring = SIZE_CLASSES;
        break;
    case BY_CHILD:
        f = {CHILD_INDEX, 0, 1, 799, 1, s.ratio, s.depth, f.wide};
        break;
    case BY_AREA:
        f = {AREA_CLASSES, 0, 0, 1, 0, s.ratio, s.depth, f.wide};
        break;
    default:
        break;
    }
    draw_five_split(f);
}

void draw_figure(const ExploreState &s)
{
    fills_inside_tiles = true;
    fill_cut_tiles = !s.border;
    const ModelView view = view_of(s);
    switch (s.family) {
    case CHAIR_FAMILY:
        draw_chairs(s, view);
        break;
    case TRIANGLE_FAMILY:
        draw_triangles(s, view);
        break;
    default:
        draw_five_way(s, view);
        break;
    }
}

std::vector<TileRecord> *collected;

void collect(const TileRecord &tile)
{
    collected->push_back(tile);
}

} // namespace

long draw_state(const ExploreState &s)
{
    tiles_drawn = 0;
    clear_canvas(map_rgb(255, 255, 255));
    if (s.border)
        draw_frame(map_rgb(0, 0, 0));
    draw_figure(s);
    return tiles_drawn;
}

std::vector<TileRecord> state_tiles(const ExploreState &s)
{
    std::vector<TileRecord> tiles;
    collected = &tiles;
    next_tile_id = 0;
    tile_sink = collect;
    draw_figure(s);
    tile_sink = nullptr;
    collected = nullptr;
    return tiles;
}
