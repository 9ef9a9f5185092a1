// The kernel under a fuzzer. Each input is a short sequence of kernel calls
// with arguments from the whole int range, drawn into a canvas that lies in
// a larger buffer of guard words: rows of them above and below, and a few
// after every row (the canvas's pitch is wider than its 800 words). After
// every call its picture is compared with the routine's literal form, drawn
// into a second canvas, wherever that form takes reasonable time; after
// every input no guard word may have changed. Only the boxes the calls may
// have touched are compared and then cleared again.
#include "literal_forms.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int GUARD_ROWS = 4;
constexpr int GUARD_WORDS = 16; // after each row
constexpr int PITCH_WORDS = SCREEN_W + GUARD_WORDS;
constexpr int BUFFER_WORDS = (SCREEN_H + 2 * GUARD_ROWS) * PITCH_WORDS;
constexpr Uint32 GUARD = 0xa5c3e10f;
constexpr Uint32 WHITE = 0xffffffff; // all bytes 0xff: cleared with memset
constexpr Uint32 PALETTE[4] = {WHITE, 0x00000000, 0x00c81e1e, 0x001e64c8};

// What the literal forms may cost per call, in steps and pixels; a sample
// of a thick line costs about as much as SAMPLE_COST pixels.
constexpr long long LITERAL_BUDGET = 50000;
constexpr long long SAMPLE_COST = 40;
// How many inputs apart the whole canvases are looked at.
constexpr int WHITE_LOOK = 16384;
// Regions up to this many pixels are filled by the recursive form.
constexpr long long FILL_AREA = 4096;

struct Canvas {
    Uint32 *buffer;
    SDL_Surface *surface;
};

Canvas mine, literal; // the kernel's picture and the literal forms'
Uint32 guard_rows[GUARD_ROWS * PITCH_WORDS];

Canvas make_canvas()
{
    Uint32 *buffer = static_cast<Uint32 *>(std::malloc(BUFFER_WORDS * sizeof(Uint32)));
    for (int i = 0; i < BUFFER_WORDS; ++i)
        buffer[i] = GUARD;
    Uint32 *pixels = buffer + GUARD_ROWS * PITCH_WORDS;
    for (int y = 0; y < SCREEN_H; ++y)
        std::memset(pixels + y * PITCH_WORDS, 0xff, SCREEN_W * sizeof(Uint32));
    SDL_Surface *surface = SDL_CreateRGBSurfaceFrom(pixels, SCREEN_W, SCREEN_H, 32,
                                                    PITCH_WORDS * 4, 0xff0000, 0xff00, 0xff, 0);
    if (surface == nullptr) {
        std::fprintf(stderr, "kernel_fuzz: no surface: %s\n", SDL_GetError());
        std::abort();
    }
    return {buffer, surface};
}

bool guards_intact(const Canvas &c)
{
    const size_t rows = sizeof guard_rows;
    if (std::memcmp(c.buffer, guard_rows, rows) != 0 ||
        std::memcmp(c.buffer + (GUARD_ROWS + SCREEN_H) * PITCH_WORDS, guard_rows, rows) != 0)
        return false;
    for (int y = 0; y < SCREEN_H; ++y)
        if (std::memcmp(c.buffer + (GUARD_ROWS + y) * PITCH_WORDS + SCREEN_W, guard_rows,
                        GUARD_WORDS * sizeof(Uint32)) != 0)
            return false;
    return true;
}

Uint32 *row_of(const Canvas &c, int y)
{
    return c.buffer + (GUARD_ROWS + y) * PITCH_WORDS;
}

// A box of canvas pixels, corners included; empty when x0 > x1 or y0 > y1.
struct Box {
    int x0, y0, x1, y1;
};

constexpr Box NO_BOX{0, 0, -1, -1};

long long clamp(long long v, long long lo, long long hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

// The canvas part of [xa, xb] x [ya, yb] widened by `margin`.
Box box_around(long long xa, long long ya, long long xb, long long yb, long long margin)
{
    if (xa > xb)
        std::swap(xa, xb);
    if (ya > yb)
        std::swap(ya, yb);
    return {static_cast<int>(clamp(xa - margin, 0, SCREEN_W)),
            static_cast<int>(clamp(ya - margin, 0, SCREEN_H)),
            static_cast<int>(clamp(xb + margin, -1, SCREEN_W - 1)),
            static_cast<int>(clamp(yb + margin, -1, SCREEN_H - 1))};
}

// One call as decoded, for the report of a finding.
struct Call {
    const char *routine;
    long long args[6];
    int count;
    Box walls; // the box a fill is walled into
};

constexpr int MAX_CALLS = 4;
Call calls[MAX_CALLS];
int call_count;
Box dirty[MAX_CALLS * 4];
int dirty_count;

void list_calls()
{
    for (int i = 0; i < call_count; ++i) {
        std::fprintf(stderr, "  %s(", calls[i].routine);
        for (int j = 0; j < calls[i].count; ++j)
            std::fprintf(stderr, j ? ", %lld" : "%lld", calls[i].args[j]);
        const Box &w = calls[i].walls;
        if (w.x0 <= w.x1)
            std::fprintf(stderr, ") walled into the box (%d, %d) to (%d, %d)\n", w.x0, w.y0,
                         w.x1, w.y1);
        else
            std::fprintf(stderr, ")\n");
    }
}

void report(const char *what)
{
    std::fprintf(stderr, "kernel_fuzz: %s\n", what);
    list_calls();
    std::abort();
}

// The boxes a call may touch.
struct Touched {
    Box box[4];
    int count;
};

// Before a call: its boxes are to be cleared after the input, and for a
// checked call the literal canvas takes the kernel's picture there, for
// the literal form to draw on.
void before_call(const Touched &t, bool checked)
{
    for (int i = 0; i < t.count; ++i) {
        const Box &b = t.box[i];
        if (b.x0 > b.x1 || b.y0 > b.y1)
            continue;
        dirty[dirty_count++] = b;
        if (checked)
            for (int y = b.y0; y <= b.y1; ++y)
                std::memcpy(row_of(literal, y) + b.x0, row_of(mine, y) + b.x0,
                            (b.x1 - b.x0 + 1) * sizeof(Uint32));
    }
}

// After a checked call: its picture against the literal form's.
void compare(const Touched &t)
{
    for (int i = 0; i < t.count; ++i) {
        const Box &b = t.box[i];
        for (int y = b.y0; y <= b.y1 && b.x0 <= b.x1; ++y) {
            const Uint32 *drawn = row_of(mine, y), *expected = row_of(literal, y);
            if (std::memcmp(drawn + b.x0, expected + b.x0, (b.x1 - b.x0 + 1) * sizeof(Uint32)) == 0)
                continue;
            for (int x = b.x0; x <= b.x1; ++x)
                if (drawn[x] != expected[x]) {
                    std::fprintf(stderr, "kernel_fuzz: pixel (%d, %d) is %08x, literally %08x\n",
                                 x, y, drawn[x], expected[x]);
                    report("the picture differs from the literal form's");
                }
        }
    }
}

// The input, read a byte at a time; zeros once it runs out.
struct Reader {
    const uint8_t *data;
    size_t size;
    uint8_t byte()
    {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }
    uint32_t word()
    {
        uint32_t w = 0;
        for (int i = 0; i < 4; ++i)
            w = w << 8 | byte();
        return w;
    }
};

// A coordinate along an axis `limit` pixels long: anywhere in the int
// range, near its ends, near the canvas's edges, on the canvas, or near
// the reach of the thick lines' fast walk.
int coordinate(Reader &in, int limit)
{
    const uint8_t kind = in.byte();
    const int small = static_cast<int8_t>(in.byte());
    switch (kind % 8) {
    case 0:
        return static_cast<int>(in.word());
    case 1:
        return INT_MIN + (small & 63);
    case 2:
        return INT_MAX - (small & 63);
    case 3:
        return small;
    case 4:
        return limit - 1 + small;
    case 5:
        return ((small & 0xff) * 256 + in.byte()) % limit;
    case 6: // mostly just within, sometimes just beyond
        return (kind & 8 ? -1 : 1) * (2047 - (small & 7) + ((small & 0x70) == 0 ? 8 : 0));
    default:
        return static_cast<int16_t>(small * 256 + in.byte());
    }
}

// A radius or a width: mostly small (a wide band or a large disk costs
// thousands of times more), sometimes anything.
int extent(Reader &in)
{
    const uint8_t kind = in.byte();
    const int small = static_cast<int8_t>(in.byte());
    switch (kind % 64) {
    case 0:
        return static_cast<int>(in.word());
    case 1:
        return kind & 64 ? INT_MIN + (small & 63) : INT_MAX - (small & 63);
    case 2:
        return (kind & 64 ? -1024 : 1024) + small % 8;
    case 3:
        return static_cast<int16_t>(small * 256 + in.byte());
    case 4:
    case 5:
    case 6:
    case 7:
        return small;
    default:
        return small % 9;
    }
}

Uint32 colour(Reader &in)
{
    return PALETTE[in.byte() % 4];
}

long long magnitude(long long v)
{
    return v < 0 ? -v : v;
}

// Recursive, in the order of the definition: only for regions small
// enough that the nesting stays shallow.
void recursive_fill(int x, int y, Uint32 fill, Uint32 edge)
{
    int left, right;
    if (!literal_fill_run(x, y, fill, edge, left, right))
        return;
    for (int i = left; i < right; ++i) {
        if (y > 1)
            recursive_fill(i, y - 1, fill, edge);
        if (y < SCREEN_H - 1)
            recursive_fill(i, y + 1, fill, edge);
    }
}

// A line, or the outline of a rectangle (rect true).
void line_call(Reader &in, bool rect)
{
    const int x0 = coordinate(in, SCREEN_W), y0 = coordinate(in, SCREEN_H);
    const int x1 = coordinate(in, SCREEN_W), y1 = coordinate(in, SCREEN_H);
    const Uint32 c = colour(in);
    calls[call_count++] = {rect ? "draw_rect" : "draw_line", {x0, y0, x1, y1, c}, 5, NO_BOX};
    const long long steps = magnitude(1LL * x1 - x0) + magnitude(1LL * y1 - y0);
    const bool checked = (rect ? 2 : 1) * steps <= LITERAL_BUDGET;
    // A rectangle's four sides, not its inside.
    const Touched t = rect ? Touched{{box_around(x0, y0, x1, y0, 1), box_around(x0, y1, x1, y1, 1),
                                      box_around(x0, y0, x0, y1, 1), box_around(x1, y0, x1, y1, 1)},
                                     4}
                           : Touched{{box_around(x0, y0, x1, y1, 1)}, 1};
    before_call(t, checked);
    set_canvas(mine.surface);
    (rect ? draw_rect : draw_line)(x0, y0, x1, y1, c);
    if (checked) {
        set_canvas(literal.surface);
        (rect ? literal_rect : literal_line)(x0, y0, x1, y1, c);
        compare(t);
    }
}

void frame_call(Reader &in)
{
    const Uint32 c = colour(in);
    calls[call_count++] = {"draw_frame", {c}, 1, NO_BOX};
    const Touched t = {{box_around(0, 0, SCREEN_W - 1, 1, 0),
                        box_around(0, SCREEN_H - 2, SCREEN_W - 1, SCREEN_H - 1, 0),
                        box_around(0, 2, 1, SCREEN_H - 3, 0),
                        box_around(SCREEN_W - 2, 2, SCREEN_W - 1, SCREEN_H - 3, 0)},
                       4};
    before_call(t, true);
    set_canvas(mine.surface);
    draw_frame(c);
    set_canvas(literal.surface);
    literal_line(0, 0, SCREEN_W - 1, 0, c);
    literal_line(SCREEN_W - 1, 0, SCREEN_W - 1, SCREEN_H - 1, c);
    literal_line(SCREEN_W - 1, SCREEN_H - 1, 0, SCREEN_H - 1, c);
    literal_line(0, 0, 0, SCREEN_H - 1, c);
    compare(t);
}

void circle_call(Reader &in, bool disk)
{
    // A circle's radius is as likely as a coordinate to be large; a disk's
    // is mostly small.
    const int cx = coordinate(in, SCREEN_W), cy = coordinate(in, SCREEN_H);
    const int r = disk ? extent(in) : coordinate(in, SCREEN_W);
    const Uint32 c = colour(in);
    calls[call_count++] = {disk ? "fill_disk" : "draw_circle", {cx, cy, r, c}, 4, NO_BOX};
    // The walk takes about 2r steps; a disk rewrites its canvas rows at
    // every step.
    const Touched t = {{box_around(1LL * cx - r, 1LL * cy - r, 1LL * cx + r, 1LL * cy + r, 1)}, 1};
    long long cost = 2 * magnitude(r);
    if (disk && t.box[0].y0 <= t.box[0].y1)
        cost *= 2 + t.box[0].x1 - t.box[0].x0;
    const bool checked = cost <= LITERAL_BUDGET;
    before_call(t, checked);
    set_canvas(mine.surface);
    (disk ? fill_disk : draw_circle)(cx, cy, r, c);
    if (checked) {
        set_canvas(literal.surface);
        literal_circle(cx, cy, r, disk, c);
        compare(t);
    }
}

// A thick line's end: 15 times in 16 within 2,100 of 0, where the
// fast walk works and just beyond, else anywhere.
int band_end(Reader &in, int limit)
{
    const uint8_t near = in.byte();
    const int v = coordinate(in, limit);
    return near % 16 != 0 && (v < -2100 || v > 2100) ? v % 2100 : v;
}

// A band costs up to a thousand pixels for each pixel of its length near
// the canvas when its strokes are as wide as the canvas. So the second end
// is three times in four a short step from the first, and always a step of
// a few pixels when the strokes are wider than 16 pixels: the fuzzer keeps
// the inputs that hold a long wide band, makes many more from them, and
// runs a tenth as many inputs in all. (The ordinary tests draw long wide
// bands, and their strokes are lines, fuzzed from end to end.)
void thick_line_call(Reader &in)
{
    const uint8_t shape = in.byte();
    const int width = extent(in);
    const int x0 = band_end(in, SCREEN_W), y0 = band_end(in, SCREEN_H);
    int x1, y1;
    const bool wide = width < -16 || width > 16;
    if (!wide && shape % 4 == 1) { // not for the zeros of a spent input
        x1 = band_end(in, SCREEN_W);
        y1 = band_end(in, SCREEN_H);
    } else {
        const int most = wide ? 8 : 128;
        auto step_from = [&](int v) {
            const long long moved = 1LL * v + static_cast<int8_t>(in.byte()) % most;
            return static_cast<int>(clamp(moved, INT_MIN, INT_MAX));
        };
        x1 = step_from(x0);
        y1 = step_from(y0);
    }
    const Uint32 c = colour(in);
    calls[call_count++] = {"draw_thick_line", {x0, y0, x1, y1, width, c}, 6, NO_BOX};
    // Strokes reach |width| (and its float rounding) from the sample
    // points, which lie within a float's rounding of the segment.
    const long long far = std::max(std::max(magnitude(x0), magnitude(y0)),
                                   std::max(magnitude(x1), magnitude(y1)));
    const long long reach = magnitude(width) + (magnitude(width) >> 20) + 4 + (far >> 23);
    const Touched t = {{box_around(x0, y0, x1, y1, reach)}, 1};
    // Ten samples a pixel, each costing about SAMPLE_COST pixels; a side's
    // stroke changes at most 2 (|dx| + |dy|) + 4 times, and writes up to
    // |width| + 1 pixels of the canvas.
    const long long length = magnitude(1LL * x1 - x0) + magnitude(1LL * y1 - y0);
    const long long stroke = std::min(magnitude(width), 1LL * SCREEN_W + SCREEN_H) + 1;
    const bool checked =
        length <= LITERAL_BUDGET &&
        10 * length * SAMPLE_COST + 2 * (2 * length + 4) * stroke <= LITERAL_BUDGET;
    before_call(t, checked);
    set_canvas(mine.surface);
    draw_thick_line(x0, y0, x1, y1, width, c);
    if (checked) {
        set_canvas(literal.surface);
        literal_thick_line(x0, y0, x1, y1, width, c);
        compare(t);
    }
}

// A fill inside a box walled off in its border colour (where the walls
// fall on the canvas), so that it cannot spread beyond the box; the seed is
// anywhere, moved into the box and its walls when it lies on the canvas.
void fill_call(Reader &in)
{
    const uint8_t size = in.byte();
    const int bx0 = (in.byte() * 256 + in.byte()) % SCREEN_W;
    const int by0 = (in.byte() * 256 + in.byte()) % SCREEN_H;
    const bool large = size % 8 == 1;
    const int w = large ? 1 + (in.byte() * 256 + in.byte()) % SCREEN_W : 1 + in.byte() % 64;
    const int h = large ? 1 + (in.byte() * 256 + in.byte()) % SCREEN_H : 1 + in.byte() % 64;
    const int bx1 = std::min(bx0 + w - 1, SCREEN_W - 1), by1 = std::min(by0 + h - 1, SCREEN_H - 1);
    int x = coordinate(in, SCREEN_W), y = coordinate(in, SCREEN_H);
    if (on_canvas(x, y)) {
        x = static_cast<int>(clamp(bx0 - 1 + x % (bx1 - bx0 + 3), 0, SCREEN_W - 1));
        y = static_cast<int>(clamp(by0 - 1 + y % (by1 - by0 + 3), 0, SCREEN_H - 1));
    }
    const Uint32 fill = colour(in), edge = colour(in);
    const Box walls = box_around(bx0, by0, bx1, by1, 1);
    calls[call_count++] = {"flood_fill", {x, y, fill, edge}, 4, {bx0, by0, bx1, by1}};
    for (int wy = walls.y0; wy <= walls.y1; ++wy) {
        Uint32 *row = row_of(mine, wy);
        if (wy < by0 || wy > by1)
            for (int wx = walls.x0; wx <= walls.x1; ++wx)
                row[wx] = edge;
        row[walls.x0] = walls.x0 < bx0 ? edge : row[walls.x0];
        row[walls.x1] = walls.x1 > bx1 ? edge : row[walls.x1];
    }
    const Touched t = {{walls}, 1};
    const bool checked = 1LL * (bx1 - bx0 + 1) * (by1 - by0 + 1) <= FILL_AREA;
    before_call(t, checked);
    set_canvas(mine.surface);
    flood_fill(x, y, fill, edge);
    if (checked) {
        set_canvas(literal.surface);
        recursive_fill(x, y, fill, edge);
        compare(t);
    }
}

// Once in a while the kernel's canvas must be found white all over, as
// every input leaves it: a call that wrote outside the boxes it may touch
// left a pixel behind in one of the inputs since the last look.
void expect_white(const Canvas &c)
{
    for (int y = 0; y < SCREEN_H; ++y)
        for (int x = 0; x < SCREEN_W; ++x)
            if (row_of(c, y)[x] != WHITE) {
                std::fprintf(stderr, "kernel_fuzz: pixel (%d, %d) was left %08x by an input "
                             "of the last %d, outside the boxes its calls may touch\n",
                             x, y, row_of(c, y)[x], WHITE_LOOK);
                std::abort();
            }
}

// The literal canvas needs no clearing: it takes the kernel's picture
// before every call it is drawn on.
void clear(const Canvas &c)
{
    for (int i = 0; i < dirty_count; ++i)
        for (int y = dirty[i].y0; y <= dirty[i].y1; ++y)
            std::memset(row_of(c, y) + dirty[i].x0, 0xff,
                        (dirty[i].x1 - dirty[i].x0 + 1) * sizeof(Uint32));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (mine.buffer == nullptr) {
        for (Uint32 &w : guard_rows)
            w = GUARD;
        mine = make_canvas();
        literal = make_canvas();
    }
    Reader in{data, size};
    call_count = 0;
    dirty_count = 0;
    while (in.size > 0 && call_count < MAX_CALLS) {
        switch (in.byte() % 7) {
        case 0: line_call(in, false); break;
        case 1: line_call(in, true); break;
        case 2: frame_call(in); break;
        case 3: fill_call(in); break;
        case 4: circle_call(in, false); break;
        case 5: circle_call(in, true); break;
        default: thick_line_call(in); break;
        }
    }
    static const bool show = std::getenv("KERNEL_FUZZ_SHOW") != nullptr;
    if (show)
        list_calls();
    if (!guards_intact(mine) || !guards_intact(literal))
        report("a guard word was written");
    clear(mine);
    static int inputs = 0;
    if (++inputs % WHITE_LOOK == 0) {
        expect_white(mine);
    }
    return 0;
}
