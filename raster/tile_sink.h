// The tiles as data. The explorer sets tile_sink, and each family's drawing
// routine then hands every tile it would draw to it, with the geometry and
// colours it would draw it with, instead of drawing it; null (as for the
// programs) it draws.
//
// A colouring that draws only the leaves also hands each tile it passes
// through on the way down (`drawn` false: no outline and no fill), so that
// every tile's parent is a tile of its own, one level up. A subtree passed
// over as off the canvas hands nothing.
#ifndef TILE_SINK_H
#define TILE_SINK_H

#include <cstdint>

struct TileRecord {
    double x[6], y[6]; // the corners in the model, in order, as the pixels come from them
    int corners;       // 3 or 6
    int level;         // 0 at the top
    int tile_class;    // the tile's class in the colouring (orientation, size class, ...)
    long id;           // from next_tile_id, in the order the tiles are met
    long parent;       // -1 at the top
    bool drawn;        // false for a tile only passed through
    unsigned edges;    // bit i: the edge from corner i to corner i + 1 is outlined
    uint32_t outline;  // the outline's pixel word
    int band;          // its width as draw_thick_line takes it (0: one pixel)
    bool filled;       // whether a fill is started in the tile
    uint32_t fill;     // the fill's pixel word
};

inline void (*tile_sink)(const TileRecord &) = nullptr;

// The next tile's id; the explorer sets it to 0 before a figure.
inline long next_tile_id = 0;

#endif
