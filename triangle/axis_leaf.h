// The leaf step of tri_axis_edges: of each leaf only the edges that are
// horizontal or vertical, each in edge_colour.
#ifndef AXIS_LEAF_H
#define AXIS_LEAF_H

#include "raster.h"

extern Uint32 edge_colour;

// An edge counts as horizontal when its rise is at most this part of its
// run (and as vertical when its run is at most this part of its rise).
// The split's other edges slope at 30 degrees or more, so the test holds
// for the same edges at any depth, where a fixed distance would not. An
// edge whose ends coincide passes both tests.
constexpr double AXIS_SLOPE = 0.01;

// Whether the edge from (xa, ya) to (xb, yb) is horizontal; with x and y
// swapped, whether it is vertical.
bool level_edge(double xa, double ya, double xb, double yb);

#endif
