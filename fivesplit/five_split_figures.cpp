#include "five_split_figures.h"

#include "tile_sink.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <vector>

ModelView five_view;
Uint32 white, black, outline_grey;
Uint32 CLASS_COLOURS[6];
Uint32 CHILD_COLOURS[5];
Uint32 RAMP[NO_CLASS + 1];

int frame_depth;
float centre_x, centre_y;
float top_depth;
ChildSeeds child_seeds = PIXEL_THIRDS;
float AREAS[MAX_AREA_CLASSES];
int area_classes;

void map_five_split_palette()
{
    white = map_rgb(255, 255, 255);
    black = map_rgb(0, 0, 0);
    outline_grey = map_rgb(50, 50, 50);
    const Uint8 classes[6][3] = {{255, 0, 0},   {255, 120, 80},  {250, 250, 0},
                                 {175, 250, 50}, {100, 220, 250}, {20, 20, 20}};
    for (int k = 0; k < 6; ++k)
        CLASS_COLOURS[k] = map_rgb(classes[k][0], classes[k][1], classes[k][2]);
    const Uint8 children[5][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {55, 155, 55}};
    for (int i = 0; i < 5; ++i)
        CHILD_COLOURS[i] = map_rgb(children[i][0], children[i][1], children[i][2]);
    for (int i = 0; i < NO_CLASS; ++i)
        RAMP[i] = map_rgb(static_cast<Uint8>(255 - i), static_cast<Uint8>(i), 0);
    RAMP[NO_CLASS] = map_rgb(0, 0, 0);
}

namespace {

constexpr double NEAR_THIRD = 0.33333;
constexpr double AREA_MATCH = 0.001;

// The reflection centre of the deep views, held as doubles.
double wide_centre_x, wide_centre_y;

void set_centre(float x, float y)
{
    centre_x = x;
    centre_y = y;
}
void set_centre(double x, double y)
{
    wide_centre_x = x;
    wide_centre_y = y;
}
void get_centre(float &x, float &y)
{
    x = centre_x;
    y = centre_y;
}
void get_centre(double &x, double &y)
{
    x = wide_centre_x;
    y = wide_centre_y;
}

int column(double x)
{
    return trunc_int(five_view.scale * x + five_view.left);
}

int row(double y)
{
    return trunc_int(five_view.base - five_view.scale * y);
}

// A triangle with its third vertex and its corners' pixels.
template <typename Real>
struct Tile {
    Real x[3], y[3]; // P1, P2, P3
    int px[3], py[3];
};

template <typename Real>
Tile<Real> tile_of(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3)
{
    Tile<Real> t = {{x1, x2, x3}, {y1, y2, y3}, {}, {}};
    for (int i = 0; i < 3; ++i) {
        t.px[i] = column(t.x[i]);
        t.py[i] = row(t.y[i]);
    }
    return t;
}

// The point reflection of the tile through the centre, each coordinate
// 2K - P formed in the wider precision and held in the tile's.
template <typename Real>
Tile<Real> reflected(const Tile<Real> &t)
{
    using Wide = typename FormedIn<Real>::type;
    Real cx, cy;
    get_centre(cx, cy);
    Real x[3], y[3];
    for (int i = 0; i < 3; ++i) {
        x[i] = static_cast<Real>(2 * static_cast<Wide>(cx) - t.x[i]);
        y[i] = static_cast<Real>(2 * static_cast<Wide>(cy) - t.y[i]);
    }
    return tile_of(x[0], y[0], x[1], y[1], x[2], y[2]);
}

// Sets the reflection centre to the midpoint of the hypotenuse P2 P3.
template <typename Real>
void set_centre_of(const Tile<Real> &t)
{
    using Wide = typename FormedIn<Real>::type;
    set_centre(static_cast<Real>((static_cast<Wide>(t.x[1]) + t.x[2]) * 0.5),
               static_cast<Real>((static_cast<Wide>(t.y[1]) + t.y[2]) * 0.5));
}

// Whether the corners `which` of the tile all lie beyond one edge of the
// canvas by more than the width of the figures' bands (a band of width 1
// reaches a pixel or two beyond its segment): then nothing drawn from them
// shows on a pixel.
template <typename Real>
bool beyond_canvas(const Tile<Real> &t, std::initializer_list<int> which)
{
    constexpr int MARGIN = 3;
    const int *p[2] = {t.px, t.py};
    const int size[2] = {SCREEN_W, SCREEN_H};
    for (int axis = 0; axis < 2; ++axis) {
        int low = INT_MAX, high = INT_MIN;
        for (const int i : which) {
            low = std::min(low, p[axis][i]);
            high = std::max(high, p[axis][i]);
        }
        if (high < -MARGIN || low >= size[axis] + MARGIN)
            return true;
    }
    return false;
}

// Whether the tile, and all that is split from it, shows on no pixel.
template <typename Real>
bool off_canvas(const Tile<Real> &t)
{
    return beyond_canvas(t, {0, 1, 2});
}

template <typename Real>
Tile<Real> tile_of(const RightTriangleOf<Real> &t)
{
    Real x3, y3;
    third_vertex(t, x3, y3);
    return tile_of(t.x1, t.y1, t.x2, t.y2, x3, y3);
}

// Whether a fill from (sx, sy) is started in the tile: not when the
// explorer keeps fills inside their tiles and the seed lies outside this
// one. (A fill from a seed off the canvas fills nothing: a tile handed to
// the sink is filled only from one on it.)
template <typename Real>
bool fills_from(const Tile<Real> &t, int sx, int sy)
{
    return !(fills_inside_tiles && seed_outside(t.px, t.py, sx, sy));
}

// Whether the tile is filled, and from where: from its own seed (sx, sy)
// where its figure fills from there (`used`) and the seed lies on the
// canvas, and, when the explorer asks for it, a tile cut by the canvas
// edge from a pixel of it on the canvas otherwise.
template <typename Real>
bool settle_seed(const Tile<Real> &t, bool used, int &sx, int &sy)
{
    if (used && on_canvas(sx, sy))
        return fills_from(t, sx, sy);
    return fill_cut_tiles && seed_on_canvas(t.px, t.py, 3, sx, sy);
}

// Hands the tile to the tile sink, its corners as held: drawn with its
// three edges outlined and the fill if `filled`, or only passed through.
// Returns its id.
template <typename Real>
long hand_tile(const Tile<Real> &t, int level, int tile_class, long parent, bool drawn,
               Uint32 outline = 0, int band = 0, bool filled = false, Uint32 fill = 0)
{
    const TileRecord r = {{t.x[0], t.x[1], t.x[2]}, {t.y[0], t.y[1], t.y[2]}, 3, level, tile_class,
                          next_tile_id++, parent, drawn, drawn ? 7u : 0u, outline, band, filled,
                          fill};
    tile_sink(r);
    return r.id;
}

// The ids that the outline passes have handed, level by level (two a node:
// its tile's, and one more its reflection's). A later pass meets the nodes
// of the levels handed before in the same order, and gives them these ids.
struct LevelIds {
    long first; // the first node's, or -1
    int pass;   // the pass that handed them
    long met;   // the nodes met again in this pass
};
std::vector<LevelIds> level_ids;
int pass;

// The ids of the node of `level` met next in this pass, if a pass before
// handed them; -1 if not.
long known_ids(int level)
{
    if (level >= static_cast<int>(level_ids.size()))
        return -1;
    LevelIds &l = level_ids[level];
    return l.first < 0 || l.pass == pass ? -1 : l.first + 2 * l.met++;
}

void note_ids(int level, long id)
{
    if (level < static_cast<int>(level_ids.size()) && level_ids[level].first < 0)
        level_ids[level] = {id, pass, 0};
}

// The outlines figure's edges drawn since forget_edges, by their pixel
// ends, each packed in 16 bits per coordinate (0 for an empty entry; an
// edge that does not pack is drawn every time). Once the table is three
// quarters full, edges are only looked up, no more kept, so that a lookup
// stays short however many edges a figure has.
constexpr int EDGES_KEPT = 1 << 17;
uint64_t edges_drawn[EDGES_KEPT];
int edges_kept;

// True the first time an edge is met (and whenever it cannot be kept).
bool first_time(int x0, int y0, int x1, int y1)
{
    uint64_t key = 0;
    for (const int v : {x0, y0, x1, y1}) {
        if (v < -32767 || v > 32767)
            return true;
        key = key << 16 | static_cast<uint64_t>(v + 32768);
    }
    for (uint64_t i = key * 0x9E3779B97F4A7C15u >> 47;; ++i) {
        uint64_t &entry = edges_drawn[i % EDGES_KEPT];
        if (entry == key)
            return false;
        if (entry == 0) {
            if (edges_kept < EDGES_KEPT / 4 * 3) {
                entry = key;
                ++edges_kept;
            }
            return true;
        }
    }
}

template <typename Real>
void draw_edge(const Tile<Real> &t, int a, int b)
{
    // A deep view's upper levels have many edges far off the canvas.
    if (beyond_canvas(t, {a, b}))
        return;
    if (first_time(t.px[a], t.py[a], t.px[b], t.py[b]))
        draw_thick_line(t.px[a], t.py[a], t.px[b], t.py[b], 1, black);
}

// The tiles' class is their child index (0 at the top); `parent` and
// `parent_image` are the ids of the parent's tile and of its reflection.
template <typename Real, bool HANDING>
void outlines(const RightTriangleOf<Real> &r, int depth, int level, int child, long parent,
              long parent_image)
{
    const Tile<Real> t = tile_of(r);
    if (depth == frame_depth)
        set_centre_of(t);
    const Tile<Real> image = reflected(t);
    if (off_canvas(t) && off_canvas(image))
        return;
    if (depth != 0) {
        long id = -1;
        if (HANDING && (id = known_ids(level)) < 0) {
            id = hand_tile(t, level, child, parent, false);
            hand_tile(image, level, child, parent_image, false);
            note_ids(level, id);
        }
        RightTriangleOf<Real> children[5];
        split_five(r, children);
        for (int i = 0; i < 5; ++i)
            outlines<Real, HANDING>(children[i], depth - 1, level + 1, i, id, id + 1);
        return;
    }
    // P1 -> P2, P1 -> P3, P3 -> P2, then the same of the image.
    tiles_drawn += 2;
    if (HANDING) {
        note_ids(level, hand_tile(t, level, child, parent, true, black, 1));
        hand_tile(image, level, child, parent_image, true, black, 1);
        return;
    }
    for (const Tile<Real> *tile : {&t, &image}) {
        draw_edge(*tile, 0, 1);
        draw_edge(*tile, 0, 2);
        draw_edge(*tile, 2, 1);
    }
}

// The seed of a class tile: the centroid of its three pixels. (The
// pixels' sum over three is never within rounding of a whole number unless
// it is one, so double gives the pixel extended precision would.)
template <typename Real>
void pixel_centroid(const Tile<Real> &t, int &sx, int &sy)
{
    const long long sum_x = static_cast<long long>(t.px[0]) + t.px[1] + t.px[2];
    const long long sum_y = static_cast<long long>(t.py[0]) + t.py[1] + t.py[2];
    sx = trunc_int(sum_x / 3.0);
    sy = trunc_int(sum_y / 3.0);
}

// Outlines the tile A B C (A -> B, A -> C, C -> B) with width 0 and fills
// it with `fill` from the centroid of its three pixels; or hands it to the
// tile sink so. Returns its id.
template <typename Real, bool HANDING>
long draw_class_tile(const Tile<Real> &t, Uint32 fill, int level, int k, long parent)
{
    ++tiles_drawn;
    int sx, sy;
    pixel_centroid(t, sx, sy);
    const bool filled = settle_seed(t, true, sx, sy);
    if (HANDING)
        return hand_tile(t, level, k, parent, true, outline_grey, 0, filled, fill);
    draw_thick_line(t.px[0], t.py[0], t.px[1], t.py[1], 0, outline_grey);
    draw_thick_line(t.px[0], t.py[0], t.px[2], t.py[2], 0, outline_grey);
    draw_thick_line(t.px[2], t.py[2], t.px[1], t.py[1], 0, outline_grey);
    if (filled)
        flood_fill(sx, sy, fill, outline_grey);
    return -1;
}

// The colour of size class k: its own, down to five levels; deeper, the
// classes 0 to top_depth spread over the six colours, from red for the
// largest to near black for the smallest.
int class_colour(int k)
{
    const int classes = static_cast<int>(top_depth);
    return classes <= 5 ? k : static_cast<int>(std::lround(k * 5.0 / classes));
}

// The tiles' class is their size class k.
template <typename Real, bool HANDING>
void size_classes(const RightTriangleOf<Real> &r, int depth, int k, int level, long parent,
                  long parent_image)
{
    const Tile<Real> t = tile_of(r);
    if (static_cast<float>(depth) == top_depth)
        set_centre_of(t);
    const Tile<Real> image = reflected(t);
    if (off_canvas(t) && off_canvas(image))
        return;
    const Uint32 colour = CLASS_COLOURS[class_colour(k)];
    const long id = draw_class_tile<Real, HANDING>(t, colour, level, k, parent);
    draw_class_tile<Real, HANDING>(image, colour, level, k, parent_image);
    if (depth < 1)
        return;
    RightTriangleOf<Real> children[5];
    split_five(r, children);
    for (int i = 0; i < 5; ++i)
        size_classes<Real, HANDING>(children[i], depth - 1, i == 0 ? k : k + 1, level + 1, id,
                                    id + 1);
}

// The leaf's seed from a third (0.33333) of its model sums, mapped; in the
// wider precision, as the sum of three points is formed.
template <typename Real>
void model_third_seed(const Tile<Real> &t, int &sx, int &sy)
{
    using Wide = typename FormedIn<Real>::type;
    const Wide cx = (static_cast<Wide>(t.x[0]) + t.x[1] + t.x[2]) * NEAR_THIRD;
    const Wide cy = (static_cast<Wide>(t.y[0]) + t.y[1] + t.y[2]) * NEAR_THIRD;
    sx = trunc_int(five_view.left + five_view.scale * cx);
    sy = trunc_int(five_view.base - five_view.scale * cy);
}

bool inside_frame(int sx, int sy)
{
    return sx >= 1 && sx <= SCREEN_W - 2 && sy >= 1 && sy <= SCREEN_H - 2;
}

void draw_black_outline(const int px[3], const int py[3])
{
    ++tiles_drawn;
    draw_line(px[0], py[0], px[1], py[1], black);
    draw_line(px[0], py[0], px[2], py[2], black);
    draw_line(px[2], py[2], px[1], py[1], black);
}

// Where a child-coloured leaf is filled from; false if it is not filled.
template <typename Real>
bool child_seed(const Tile<Real> &t, int &sx, int &sy)
{
    if (child_seeds == MODEL_THIRDS) {
        model_third_seed(t, sx, sy);
        return settle_seed(t, true, sx, sy);
    }
    const long long sum_x = static_cast<long long>(t.px[0]) + t.px[1] + t.px[2];
    const long long sum_y = static_cast<long long>(t.py[0]) + t.py[1] + t.py[2];
    // Sums at or below 0, or at or above three times the canvas size, give
    // seeds outside the frame.
    const bool near = sum_x > 0 && sum_x < 3 * SCREEN_W && sum_y > 0 && sum_y < 3 * SCREEN_H;
    if (near) {
        sx = trunc_int(static_cast<double>(sum_x) * NEAR_THIRD);
        sy = trunc_int(static_cast<double>(sum_y) * NEAR_THIRD);
    }
    return settle_seed(t, near && inside_frame(sx, sy), sx, sy);
}

// The tiles' class is their child index (0 at the top).
template <typename Real, bool HANDING>
void child_colours(const RightTriangleOf<Real> &r, int child, int depth, int level, long parent)
{
    const Tile<Real> t = tile_of(r);
    if (off_canvas(t))
        return;
    if (depth != 0) {
        const long id = HANDING ? hand_tile(t, level, child, parent, false) : -1;
        RightTriangleOf<Real> children[5];
        split_five(r, children);
        for (int i = 0; i < 5; ++i)
            child_colours<Real, HANDING>(children[i], i, depth - 1, level + 1, id);
        return;
    }
    int sx, sy;
    if (HANDING) {
        ++tiles_drawn;
        const bool filled = child_seed(t, sx, sy);
        hand_tile(t, level, child, parent, true, black, 0, filled, CHILD_COLOURS[child]);
        return;
    }
    draw_black_outline(t.px, t.py);
    if (child_seed(t, sx, sy))
        flood_fill(sx, sy, CHILD_COLOURS[child], black);
}

// A leaf's class is the area class it is filled by, or -1 if its area
// matches none; a tile passed through has the class its leaves would have
// by the number of small children (all but the first) on its way down.
template <typename Real, bool HANDING>
void area_classes_of(const RightTriangleOf<Real> &r, int depth, int small, int level, long parent)
{
    using Wide = typename FormedIn<Real>::type;
    const Tile<Real> t = tile_of(r);
    if (off_canvas(t))
        return;
    if (depth != 0) {
        const long id = HANDING ? hand_tile(t, level, small, parent, false) : -1;
        RightTriangleOf<Real> children[5];
        split_five(r, children);
        for (int i = 0; i < 5; ++i)
            area_classes_of<Real, HANDING>(children[i], depth - 1, i == 0 ? small : small + 1,
                                           level + 1, id);
        return;
    }
    auto square = [](Wide v) { return v * v; };
    const Real short_sq = static_cast<Real>(square(static_cast<Wide>(t.x[0]) - t.x[2]) +
                                            square(static_cast<Wide>(t.y[0]) - t.y[2]));
    const Real long_sq = static_cast<Real>(square(static_cast<Wide>(t.x[0]) - t.x[1]) +
                                           square(static_cast<Wide>(t.y[0]) - t.y[1]));
    const Wide area =
        static_cast<Wide>(static_cast<Real>(std::sqrt(long_sq))) * static_cast<Real>(std::sqrt(short_sq)) * 0.5;
    int ramp = NO_CLASS, area_class = -1;
    for (int p = 0; p < area_classes; ++p)
        if (std::fabs(static_cast<double>(area - AREAS[p])) < AREA_MATCH * AREAS[p]) {
            ramp = area_classes > 1 ? p * 255 / (area_classes - 1) : 0;
            area_class = p;
            break;
        }
    int sx, sy;
    model_third_seed(t, sx, sy);
    const bool filled = settle_seed(t, inside_frame(sx, sy), sx, sy);
    if (HANDING) {
        ++tiles_drawn;
        hand_tile(t, level, area_class, parent, true, black, 0, filled, RAMP[ramp]);
        return;
    }
    draw_black_outline(t.px, t.py);
    if (filled)
        flood_fill(sx, sy, RAMP[ramp], black);
}

template <typename Real, bool HANDING>
void draw_figure(const FiveSplitFigure &f)
{
    const RightTriangleOf<Real> top = {static_cast<Real>(f.x1), static_cast<Real>(f.y1),
                                       static_cast<Real>(f.x2), static_cast<Real>(f.y2),
                                       static_cast<Real>(f.ratio)};
    switch (f.colouring) {
    case OUTLINES:
    case EVERY_LEVEL:
        forget_edges();
        level_ids.assign(HANDING ? f.depth + 1 : 0, {-1, 0, 0});
        for (frame_depth = f.colouring == OUTLINES ? f.depth : std::min(1, f.depth);
             frame_depth <= f.depth; ++frame_depth) {
            pass = frame_depth;
            for (LevelIds &l : level_ids)
                l.met = 0;
            outlines<Real, HANDING>(top, frame_depth, 0, 0, -1, -1);
        }
        break;
    case SIZE_CLASSES:
        top_depth = static_cast<float>(f.depth);
        size_classes<Real, HANDING>(top, f.depth, 0, 0, -1, -1);
        break;
    case CHILD_INDEX:
        child_colours<Real, HANDING>(top, 0, f.depth, 0, -1);
        break;
    case AREA_CLASSES:
        fill_area_table(static_cast<float>(f.ratio), f.depth);
        area_classes_of<Real, HANDING>(top, f.depth, 0, 0, -1);
        break;
    }
}

} // namespace

void forget_edges()
{
    std::fill_n(edges_drawn, EDGES_KEPT, 0);
    edges_kept = 0;
}

void pinwheel_triangle(float x1, float y1, float x2, float y2, float e, int depth)
{
    const RightTriangle t = {x1, y1, x2, y2, e};
    tile_sink ? outlines<float, true>(t, depth, 0, 0, -1, -1)
              : outlines<float, false>(t, depth, 0, 0, -1, -1);
}

void coloured_pinwheel_triangle(float x1, float y1, float x2, float y2, float e, int depth, int k)
{
    const RightTriangle t = {x1, y1, x2, y2, e};
    tile_sink ? size_classes<float, true>(t, depth, k, 0, -1, -1)
              : size_classes<float, false>(t, depth, k, 0, -1, -1);
}

void child_coloured_triangle(float x1, float y1, float x2, float y2, float e, int child, int depth)
{
    const RightTriangle t = {x1, y1, x2, y2, e};
    tile_sink ? child_colours<float, true>(t, child, depth, 0, -1)
              : child_colours<float, false>(t, child, depth, 0, -1);
}

void area_class_triangle(float x1, float y1, float x2, float y2, float e, int depth)
{
    const RightTriangle t = {x1, y1, x2, y2, e};
    tile_sink ? area_classes_of<float, true>(t, depth, 0, 0, -1)
              : area_classes_of<float, false>(t, depth, 0, 0, -1);
}

void fill_area_table(float e, int levels)
{
    area_classes = std::min(levels + 1, MAX_AREA_CLASSES);
    const extended e2 = static_cast<extended>(e) * e;
    const float a = static_cast<float>(e2 / (e2 + 1));     // first child / parent
    const float b = static_cast<float>(1 / (4 * (e2 + 1))); // each other child / parent
    for (int p = 0; p < area_classes; ++p)
        AREAS[p] = static_cast<float>(static_cast<extended>(std::pow(static_cast<double>(b), p)) *
                                      std::pow(static_cast<double>(a), area_classes - 1 - p) *
                                      std::fabs(e) * 0.5);
}

void draw_five_split(const FiveSplitFigure &figure)
{
    if (figure.wide)
        tile_sink ? draw_figure<double, true>(figure) : draw_figure<double, false>(figure);
    else
        tile_sink ? draw_figure<float, true>(figure) : draw_figure<float, false>(figure);
}
