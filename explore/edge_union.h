// The union of a tiling's edges, as a pen or a laser would draw it: every
// stretch of line once, where tiles share an edge or part of one, in
// straight segments as long as the lines allow, joined end to end into
// paths.
//
// The edges come from tiles computed on different paths, so points that
// are one point, and edges that lie on one line, differ in their last
// bits: points within VERTEX_TOLERANCE of each other are taken as one, and
// a point within that distance of an edge as lying on it. (Tiles drawn at
// two pixels across have distinct corners tenths of a pixel apart; the
// figures' points are off their lines by a thousandth of a pixel at worst.)
#ifndef EDGE_UNION_H
#define EDGE_UNION_H

#include "clip_polygon.h"

#include <vector>

constexpr double VERTEX_TOLERANCE = 0.004;

struct Segment {
    Point a, b;
};

// Cuts the segment to the part inside the box; false if no part is.
bool clip_segment(Segment &segment, const ClipBox &box);

// The union of the segments' parts inside the box: where segments overlap
// along a length, or continue one another along one line, they give one
// straight segment from end to end, so that no two segments of the result
// overlap. These are joined end to end into paths, few and in an order
// that keeps a pen's travel short: each path starts where an odd number of
// segments are left, while there are such ends (each path then ends at
// another), at the one nearest to where the pen stopped (at first the
// box's top left corner); a closed walk left over goes into a path it
// meets. The same segments give the same paths, point for point, on every
// machine.
std::vector<std::vector<Point>> union_paths(const std::vector<Segment> &segments,
                                            const ClipBox &box);

#endif
