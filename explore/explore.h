// The explorer: any of the three families at any depth, zoom and (for the
// five-way split) leg ratio, drawn by the families' own routines, so that
// at each program's settings it draws that program's frame, pixel for
// pixel.
//
// Its whole state is one query string, as in a link:
//
//   family=chair|triangle|fivesplit
//   colour=<a colouring of the family>   (COLOURINGS below)
//   depth=N                              0 up to the deepest the view offers
//   ratio=R                              five-way split: the signed leg ratio
//   zoom=Z                               relative to the family's home view
//   x=X&y=Y                              the model point at the canvas centre
//   border=1                             the black frame along the edge
//   preset=<program>[&frame=N]           that program's frame (presets_json)
//
// Anything can arrive there, so every value is read as a number or as a
// name from a fixed list, and a value that is missing, unknown, out of
// range or not finite gives the nearest valid state, with one line saying
// what was changed.
#ifndef EXPLORE_H
#define EXPLORE_H

#include "model_view.h"
#include "raster.h"
#include "tile_sink.h"

#include <string>
#include <vector>

enum ExploreFamily { CHAIR_FAMILY, TRIANGLE_FAMILY, FIVESPLIT_FAMILY, FAMILY_COUNT };

struct FamilyInfo {
    const char *name;  // in the query: "chair"
    const char *title; // for people: "The chair"
};
extern const FamilyInfo FAMILIES[FAMILY_COUNT];

// The colourings, each of one family.
enum ExploreColouring {
    BY_ORIENTATION,  // chair: red, green, blue, yellow by orientation
    IN_GREYS,        // chair: four greys by orientation
    SHADED,          // triangle: equilateral leaves dark grey, others light
    AXIS_EDGES_ONLY, // triangle: only the horizontal and vertical edges
    MIDPOINT_SPLIT,  // triangle: split at edge midpoints, shaded
    OUTLINES_ONLY,   // five-way: the leaves' outlines
    ALL_LEVELS,      // five-way: every depth drawn over the one before
    BY_SIZE,         // five-way: every level filled by size class
    BY_CHILD,        // five-way: the leaves by their place among siblings
    BY_AREA,         // five-way: the leaves by area class
    COLOURING_COUNT
};

struct ColouringInfo {
    const char *name;  // in the query: "orientation"
    ExploreFamily family;
    const char *words; // for people: "coloured by orientation"
};
extern const ColouringInfo COLOURINGS[COLOURING_COUNT];

struct ExploreState {
    ExploreFamily family;
    ExploreColouring colouring;
    int depth;
    double ratio; // five-way split only
    double zoom;
    double x, y;
    bool border;
};

// The limits of the numbers.
constexpr double MIN_ZOOM = 1.0 / 64;
constexpr double MAX_ZOOM = 1e10;
constexpr double MIN_RATIO = 0.1; // in size; negative ratios mirror the tiles
constexpr double MAX_RATIO = 2;
constexpr int MAX_DEPTH = 60;

// The family's first state: its home view, at a depth that shows it well.
ExploreState default_state(ExploreFamily family);

// The view of a state: pixels per model unit, and where the model origin
// lies, such that the model point (x, y) is at the canvas centre
// (400, 300).
ModelView view_of(const ExploreState &state);

// The home view's scale and centre.
void home_view(const ExploreState &state, double &scale, double &x, double &y);

// The deepest depth offered at the state's view: where the tiles on the
// canvas are about two pixels across (their mean area two pixels), and
// never less than the depth of a preset at the same view.
int deepest_depth(const ExploreState &state);

// Reads a query string (a leading '?' or '#' is passed over). Always gives
// a valid state; `problems` says in one line what was changed and why
// (empty when nothing was).
ExploreState parse_state(const std::string &query, std::string &problems);

// The canonical query of a state: parse_state gives it back exactly.
std::string state_query(const ExploreState &state);

// The state in words: "Five-way split, leg ratio 0.5, depth 6, zoomed 8x".
std::string state_words(const ExploreState &state);

// Moves about. Each keeps the state valid (the depth within what the new
// view offers).
void zoom_about(ExploreState &state, double factor, double column, double row);
void pan_by(ExploreState &state, double columns, double rows);
void step_depth(ExploreState &state, int steps);
void go_home(ExploreState &state);
// A new family or colouring: a colouring of another family, or a five-way
// colouring drawn on another triangle, starts from its home view.
void set_colouring(ExploreState &state, ExploreColouring colouring);
void set_family(ExploreState &state, ExploreFamily family);
void set_ratio(ExploreState &state, double ratio);

// The presets: the programs' frames that show one family at one depth,
// view and colouring.
struct Preset {
    const char *program;
    int frame;
    ExploreState state;
};
int preset_count();
const Preset &preset_at(int i);
// As JSON: [{"program": ..., "frame": N, "state": "family=..."}, ...].
std::string presets_json();

// Draws the state on the canvas: cleared to white, the border if it has
// one, then the figure. Returns the number of tiles drawn.
long draw_state(const ExploreState &state);

// The tiles draw_state would draw, as data (tile_sink.h), in the order it
// would draw them, without drawing: each with the outline and fill it
// would get, and the tiles passed through on the way down to them. Ids run
// from 0 in that order. Their colours are the canvas's pixel words (so the
// canvas must be open).
std::vector<TileRecord> state_tiles(const ExploreState &state);

#endif
