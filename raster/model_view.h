// How a figure's model plane lies on the canvas: the model point (x, y),
// y upwards, lands on the pixel (left + scale x, base - scale y), each
// truncated toward zero. Every figure family draws through one of these:
// a program passes its own constants, the explorer those of the view it
// shows. Each family forms the two sums in the precision its figures are
// defined in.
#ifndef MODEL_VIEW_H
#define MODEL_VIEW_H

struct ModelView {
    double scale; // pixels per model unit
    double left;  // the column of model x = 0
    double base;  // the row of model y = 0
};

// Whether a fill seed (sx, sy) lies strictly outside the triangle whose
// corners are the pixels (x[i], y[i]). A seed on the triangle or inside it
// stays within the tile's outline (a line passes through every pixel that
// lies on its segment), while one outside it would fill whatever region it
// falls in. The figures' own views never place a seed outside; the
// explorer's tiny tiles can, and it passes over such fills
// (fills_inside_tiles).
inline bool seed_outside(const int x[3], const int y[3], int sx, int sy)
{
    long long sides[3];
    for (int i = 0; i < 3; ++i) {
        const int j = (i + 1) % 3;
        sides[i] = (static_cast<long long>(x[j]) - x[i]) * (static_cast<long long>(sy) - y[i]) -
                   (static_cast<long long>(y[j]) - y[i]) * (static_cast<long long>(sx) - x[i]);
    }
    const bool some_negative = sides[0] < 0 || sides[1] < 0 || sides[2] < 0;
    const bool some_positive = sides[0] > 0 || sides[1] > 0 || sides[2] > 0;
    const bool degenerate = sides[0] == 0 && sides[1] == 0 && sides[2] == 0;
    if (degenerate) // the corners and the seed on one line: outside unless on a corner
        return !((sx == x[0] && sy == y[0]) || (sx == x[1] && sy == y[1]) ||
                 (sx == x[2] && sy == y[2]));
    return some_negative && some_positive;
}

// Set by the explorer: the figures then pass over a fill whose seed lies
// outside its tile's pixel triangle. Off for the programs, whose views
// never need it.
inline bool fills_inside_tiles = false;

// The tiles the figures have drawn since this was last set to 0 (a tile
// and its reflection count as two).
inline long tiles_drawn = 0;

#endif
