// Points in pixel space, unrounded, and a polygon cut to a box: for the
// fill seeds of tiles the canvas edge cuts (model_view.h) and for the
// tiles written out (the explorer's export).
#ifndef CLIP_POLYGON_H
#define CLIP_POLYGON_H

#include <cstddef>
#include <vector>

struct Point {
    double x, y;
};

// An axis-parallel box, left < right and top < bottom.
struct ClipBox {
    double left, top, right, bottom;
};

// The part of the polygon inside the box (edges included), cut by each of
// the box's sides in turn (left, right, top, bottom), with a corner where
// an edge crosses the side; empty if no part is inside.
inline std::vector<Point> clip_polygon(std::vector<Point> polygon, const ClipBox &box)
{
    const double limits[4] = {box.left, box.right, box.top, box.bottom};
    for (int side = 0; side < 4 && !polygon.empty(); ++side) {
        const bool on_x = side < 2, keep_above = side % 2 == 0;
        const double limit = limits[side];
        const auto inside = [&](const Point &p) {
            const double v = on_x ? p.x : p.y;
            return keep_above ? v >= limit : v <= limit;
        };
        std::vector<Point> cut;
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const Point &p = polygon[i], &q = polygon[(i + 1) % polygon.size()];
            if (inside(p))
                cut.push_back(p);
            if (inside(p) != inside(q)) {
                const double a = on_x ? p.x : p.y, b = on_x ? q.x : q.y;
                const double t = (limit - a) / (b - a);
                cut.push_back(on_x ? Point{limit, p.y + t * (q.y - p.y)}
                                   : Point{p.x + t * (q.x - p.x), limit});
            }
        }
        polygon.swap(cut);
    }
    return polygon;
}

#endif
