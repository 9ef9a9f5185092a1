// Thick lines: the centre line, then at every tenth of a pixel along it two
// strokes at right angles, one to each side, each a draw_line between
// integer points.
//
// The precisions are part of the picture: the length L and the side offsets
// P1 to P4 are floats, the sample parameter t is a float advanced by 0.1 / L
// (its samples are laid out in sample_schedule.h), and the sample point and
// the stroke ends are formed in extended precision and rounded only where a
// float or double is held.
//
// All of a band's pixels have one colour and are only written, so a stroke
// that repeats one already drawn adds nothing. Every stroke coordinate moves
// one way only along the segment (each is a rounded, truncated linear
// function of t, and t only grows), so a stroke equal to an earlier one
// equals the one just before it: each stroke is drawn only when it differs
// from the previous one on its side. Segments near the canvas (every
// figure's) are drawn by the crossing walk, in double precision, which
// looks only at the samples where a stroke coordinate may change; others
// by the literal walk, over the samples whose strokes can reach the canvas.
// A band that lies on the canvas is written without clipping, and a narrow
// one is drawn from a record of the pixels of a band like it (below).
#include "plot.h"
#include "sample_schedule.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The angle of the side strokes, pi / 2 rounded to float, and the cosines
// and sines of the two quarter turns, taken in double.
constexpr float QUARTER_TURN = 1.5707963705062866f;
const double COS_K = std::cos(static_cast<double>(QUARTER_TURN));
const double SIN_K = std::sin(static_cast<double>(QUARTER_TURN));
const double COS_MK = std::cos(static_cast<double>(-QUARTER_TURN));
const double SIN_MK = std::sin(static_cast<double>(-QUARTER_TURN));

// A segment: its start, its end as floats, the offsets P1 to P4, the colour.
struct Band {
    int x0, y0;
    float fx1, fy1;
    float p[4];
    Uint32 colour;
    bool short_strokes; // every offset is at most 1 (and the band on the canvas)
};

// The strokes of a sample: its point (x, y) and the far ends (x1, y1) and
// (x2, y2) of its two strokes, and whether any sample was drawn before.
struct Strokes {
    int x, y, x1, y1, x2, y2;
    bool drawn;
};

// Draws the strokes of sample `now` that differ from those of the sample
// drawn before, and the second only if it is not the first again. Most
// strokes take at most one step each way (every figure's widths are 0 to 2).
void draw_strokes(const Strokes &now, Strokes &last, Uint32 colour)
{
    auto stroke = [&](int x, int y) {
        if (!short_line(now.x, now.y, x, y, colour))
            draw_line(now.x, now.y, x, y, colour);
    };
    const bool moved = !last.drawn || now.x != last.x || now.y != last.y;
    if (moved || now.x1 != last.x1 || now.y1 != last.y1)
        stroke(now.x1, now.y1);
    if ((moved || now.x2 != last.x2 || now.y2 != last.y2) && (now.x2 != now.x1 || now.y2 != now.y1))
        stroke(now.x2, now.y2);
    last = now;
    last.drawn = true;
}

// The schedules of the lengths met last, by a hash of the length: figures
// draw many segments of few lengths.
SampleSchedule schedules[256];

const SampleSchedule &schedule_for(float length)
{
    uint32_t bits;
    std::memcpy(&bits, &length, sizeof bits);
    SampleSchedule &s = schedules[(bits * 2654435761u) >> 24];
    if (s.length != length)
        lay_out_samples(s, length);
    return s;
}

// The samples whose strokes can write a canvas pixel lie in one range of
// t. Along the segment (from the start to the end as floats, the sample
// points' line) a stroke's pixels lie within M pixels of its sample point's
// exact place: the sample point is rounded to float (by half a float's
// spacing s at the ends' magnitude, at most) and truncated, the stroke's
// ends are truncated and its line steps up to a pixel beside the exact one,
// and the stroke's offset P has a component D along the segment (a few
// millionths of the width). A stroke end beyond the int range is held at
// its limit; a stroke held so can reach the canvas only if |P| exceeds
// 2^31 - 1000 (it spans the int range from the sample point), and then it
// is moved by at most X = |P| - 2^31 + 1000. So M = 2s + 16 + D + 2X, with
// room to spare: the samples whose t lies outside the range of the canvas
// corners' places along the segment, widened by M, draw nothing.
void canvas_reach(const Band &b, double &first, double &last)
{
    const double dx = static_cast<double>(b.fx1) - b.x0;
    const double dy = static_cast<double>(b.fy1) - b.y0;
    const double squared = dx * dx + dy * dy;
    first = -HUGE_VAL, last = HUGE_VAL;
    if (squared == 0) // the end's float is the start: a few samples
        return;
    const double ends = std::max({std::fabs(b.x0), std::fabs(b.x0 + dx), std::fabs(b.y0), std::fabs(b.y0 + dy)});
    const double spacing = ends < 1 ? 0 : std::ldexp(1.0, std::ilogb(ends) - 23);
    const double along = std::max(std::fabs(b.p[0] * dx + b.p[1] * dy),
                                  std::fabs(b.p[2] * dx + b.p[3] * dy)) / std::sqrt(squared);
    const float largest = std::max({std::fabs(b.p[0]), std::fabs(b.p[1]), std::fabs(b.p[2]), std::fabs(b.p[3])});
    const double held = std::max(0.0, largest - 2147483648.0 + 1000);
    const double margin = (2 * spacing + 16 + along + 2 * held) / std::sqrt(squared);
    std::swap(first, last);
    for (const double x : {0, SCREEN_W - 1})
        for (const double y : {0, SCREEN_H - 1}) {
            const double t = ((x - b.x0) * dx + (y - b.y0) * dy) / squared;
            first = std::min(first, t - margin);
            last = std::max(last, t + margin);
        }
}

// The samples from the first whose strokes can reach the canvas to the
// last, one by one, as defined.
void literal_walk(const Band &b, const SampleSchedule &s)
{
    double first, last_t;
    canvas_reach(b, first, last_t);
    Strokes last{};
    float t = 0;
    int run = 0;
    for (long long n = first_sample_from(s, -1, first, t, run); n < s.samples && t <= last_t;
         t = sample_t(s, ++n)) {
        const extended et = t;
        const float xs = static_cast<float>(static_cast<extended>(b.x0) * (1 - et) + b.fx1 * et);
        const float ys = static_cast<float>(b.fy1 * et + static_cast<extended>(b.y0) * (1 - et));
        const Strokes now{trunc_int(xs), trunc_int(ys),
                          trunc_int(static_cast<extended>(xs) - b.p[0]),
                          trunc_int(static_cast<extended>(ys) - b.p[1]),
                          trunc_int(static_cast<extended>(xs) - b.p[2]),
                          trunc_int(static_cast<extended>(ys) - b.p[3]), true};
        draw_strokes(now, last, b.colour);
    }
}

// With every end coordinate within NEAR of 0 and the width within
// NEAR_WIDTH, L is below 2^13, so t is 0 or at least 2^-16 and every float
// t is a multiple of 2^-39; the sample point start + t (end - start), a
// multiple of 2^-39 below 2^11 (as are its terms), is exact in double
// precision, as it is in extended precision, from which it is defined.
constexpr int NEAR = 2047;
constexpr int NEAR_WIDTH = 1024;
// A computed stroke coordinate then lies within 2^-14 of the exact value
// it truncates (half a float's spacing below 2^11, plus the extended
// rounding of the difference): where the exact value lies further than
// SURE from a whole number, it truncates as the computed one does.
constexpr double SURE = 1.0 / 8192;

// A stroke coordinate at t, trunc(float(start + t delta) - offset), with
// the difference rounded to extended precision, computed in double
// precision. The rounded double difference s and its exact error e (an
// error-free sum) give the exact difference s + e. When s is not a whole
// number, the exact difference and its extended rounding lie strictly
// between the same two whole numbers as s; only a whole s with a non-zero
// error (rare) needs the extended value.
int coordinate_at(double start, double delta, float offset, double t)
{
    const float a = static_cast<float>(start + t * delta);
    if (offset == 0)
        return static_cast<int>(a);
    const double x = a, y = -static_cast<double>(offset);
    const double s = x + y, y_part = s - x;
    const double e = (x - (s - y_part)) + (y - y_part);
    const double whole = static_cast<double>(static_cast<long long>(s));
    if (s != whole || e == 0)
        return static_cast<int>(whole);
    return trunc_int(static_cast<extended>(a) - offset);
}

// Whether the coordinate at t, trunc(float(start + t delta) - offset), is
// the same for the band moved anywhere on the canvas, as long as its
// coordinates stay positive (see the records below). Moved, it is the start
// plus trunc(r - offset), r being t delta rounded to the float spacing
// where the sample point lands, at most 2^-13 near the canvas: a multiple
// of 2^-13 stays as it is, and any other r moves by at most 2^-14, which
// changes no truncation while r - offset lies further than SURE from a
// whole number.
bool movable_at(double delta, float offset, double t)
{
    const double r = t * delta, scaled = r * 8192; // |r| < 2^12
    if (scaled == static_cast<double>(static_cast<long long>(scaled)))
        return true;
    const double u = r - offset;
    const double part = std::fabs(u - static_cast<double>(static_cast<long long>(u))); // below 1
    return part > SURE && part < 1 - SURE;
}

// The first sample after sample n whose t is at least t, or the one before
// it (never a later one): its number, and its t in `sample`; s.samples if
// there is none. `run` is the run of sample n, and is left at the run of
// the sample found. Within a run the samples' t are evenly spaced, so the
// sample is found by one division, done by multiplying by the run's
// reciprocal spacing, whose few parts in 10^16 of error move the quotient
// by far less than the margin allowed for it here.
inline long long next_sample_at(const SampleSchedule &s, long long n, double t, double &sample, int &run)
{
    for (;; ++run) {
        const SampleRun &r = s.run[run];
        const long long last = r.base + r.count - 1;
        if (last > n) {
            long long j = 0;
            if (t > r.first) {
                const double q = r.increment > 0 ? (t - r.first) * r.per_increment : 1;
                j = q < static_cast<double>(r.count) ? static_cast<long long>(q) : r.count;
                j += q - static_cast<double>(j) > 1e-6;
            }
            const long long m = std::max(r.base + j, n + 1);
            if (m <= last) {
                sample = r.first + static_cast<double>(m - r.base) * r.increment;
                return m;
            }
        }
        if (run + 1 == s.runs)
            return s.samples;
    }
}

// What a walk's followers share: the run of samples the walk has reached,
// which they look in first (the samples base to last, sample base + j at
// t = first + j increment), and whether every value found so far is
// movable_at its sample.
struct RunCursor {
    const SampleSchedule &s;
    int run;
    double first, increment, per_increment;
    long long base, last;
    bool movable;
};

// A cursor at the run of sample n.
RunCursor run_cursor(const SampleSchedule &s, long long n)
{
    int k = 0;
    while (s.run[k].base + s.run[k].count <= n)
        ++k;
    const SampleRun &r = s.run[k];
    return {s, k, r.first, r.increment, r.per_increment, r.base, r.base + r.count - 1, true};
}

// Moves the cursor on to the run of sample n.
inline void move_to(RunCursor &c, long long n)
{
    while (n > c.last) {
        const SampleRun &r = c.s.run[++c.run];
        c.first = r.first;
        c.increment = r.increment;
        c.per_increment = r.per_increment;
        c.base = r.base;
        c.last = r.base + r.count - 1;
    }
}

// The first sample after sample n (of the cursor's run) whose t is at
// least t, or the one before it, as next_sample_at finds it.
inline long long next_sample(const RunCursor &c, long long n, double t, double &sample)
{
    if (n < c.last && c.increment > 0) {
        long long m = n + 1;
        const double q = (t - c.first) * c.per_increment;
        if (q > static_cast<double>(m - c.base)) {
            const double whole = static_cast<double>(static_cast<long long>(q));
            m = c.base + static_cast<long long>(whole) + (q - whole > 1e-6);
        }
        if (m <= c.last) {
            sample = c.first + static_cast<double>(m - c.base) * c.increment;
            return m;
        }
    }
    int run = c.run;
    return next_sample_at(c.s, n, t, sample, run);
}

// One stroke coordinate followed along the samples: its value, and the
// samples where it next changes. The exact value w = start + t delta -
// offset moves one way (step), and the truncated value changes, by one,
// when w crosses the next whole number that way: samples before w comes
// within SURE of it keep the value, samples from where it has passed it by
// SURE (`after`) have the value beyond it (w moves by at most a tenth of a
// pixel a sample), and the few in between (usually none) are evaluated.
// `due` is the first sample that may have another value, `due_t` its t.
struct Follower {
    double start, delta, per_delta; // per_delta = 1 / delta
    float offset;
    int value, step;
    double after;
    long long due;
    double due_t;
};

// Aims f at its next crossing, from the samples after sample n.
inline void aim(Follower &f, const RunCursor &c, long long n)
{
    const int crossing = f.value + (f.step > 0 ? f.value >= 0 : -(f.value <= 0));
    const double from = crossing - f.start + f.offset;
    f.after = (from + f.step * SURE) * f.per_delta;
    f.due = next_sample(c, n, (from - f.step * SURE) * f.per_delta, f.due_t);
}

// A coordinate followed from sample n, at t, on (the cursor at its run).
Follower follow(double start, double delta, double per_delta, float offset, const RunCursor &c,
                long long n, double t)
{
    Follower f{start, delta, per_delta, offset, coordinate_at(start, delta, offset, t),
               delta > 0 ? 1 : -1, 0, c.s.samples, 0};
    if (delta != 0)
        aim(f, c, n);
    return f;
}

// Takes f's due sample, which the cursor has reached: its value there, and
// the next due sample. A value told by the margins around the crossing is
// movable; one evaluated may not be.
inline void take(Follower &f, RunCursor &c)
{
    const long long n = f.due;
    int value = f.value + f.step;
    if (f.due_t < f.after) {
        value = coordinate_at(f.start, f.delta, f.offset, f.due_t);
        c.movable = c.movable && movable_at(f.delta, f.offset, f.due_t);
    }
    if (value != f.value) {
        f.value = value;
        aim(f, c, n);
    } else {
        f.due = next_sample(c, n, 0, f.due_t);
    }
}

// Where a walk's pixels go: a pen takes the strokes of each sample where
// a stroke coordinate changes, or, at width 0, the points of the band.

// Onto the canvas, each pixel clipped: for bands that may reach off it.
struct ClippedPen {
    Uint32 colour;
    void strokes(const Strokes &now, Strokes &last) { draw_strokes(now, last, colour); }
    void short_strokes(int x, int y, int x1, int y1, int x2, int y2)
    {
        plot(x, y, colour);
        plot(x1, y, colour);
        plot(x1, y1, colour);
        plot(x2, y, colour);
        plot(x2, y2, colour);
    }
    void point(int x, int y) { plot(x, y, colour); }
};

// Whether both strokes of a sample take at most one step each way, as they
// do at widths 0 and 1.
bool one_step_strokes(const Strokes &now)
{
    auto near = [](int a, int b) { return a - b >= -1 && a - b <= 1; };
    return near(now.x1, now.x) && near(now.y1, now.y) && near(now.x2, now.x) && near(now.y2, now.y);
}

// Onto the canvas, for bands that lie on it: short strokes are written
// straight into the rows, both at every sample where a coordinate changes
// (writing a pixel again costs less than telling whether it is new).
struct InsidePen {
    Uint32 colour;
    void strokes(const Strokes &now, Strokes &last)
    {
        if (!one_step_strokes(now)) {
            draw_strokes(now, last, colour);
            return;
        }
        short_strokes(now.x, now.y, now.x1, now.y1, now.x2, now.y2);
        last = now;
    }
    void short_strokes(int x, int y, int x1, int y1, int x2, int y2)
    {
        Uint32 *const row = canvas_row(y);
        row[x] = colour;
        row[x1] = colour;
        canvas_row(y1)[x1] = colour;
        row[x2] = colour;
        canvas_row(y2)[x2] = colour;
    }
    void point(int x, int y) { canvas_row(y)[x] = colour; }
};

// The samples a walk takes: from `first` up to `end` (exclusive).
struct SampleRange {
    long long first, end;
};

// The six stroke coordinates followed together, the strokes drawn at each
// sample where one changes. Returns whether every value found is movable.
// Short: every stroke takes at most one step each way (the offsets are at
// most 1, so that a stroke end truncates to at most one from the sample
// point), and is given to the pen as such.
template <bool Short, typename Pen>
bool crossing_walk(const Band &b, const SampleSchedule &s, SampleRange range, Pen &pen)
{
    const double dx = static_cast<double>(b.fx1) - b.x0; // whole numbers, exact
    const double dy = static_cast<double>(b.fy1) - b.y0;
    const double per_dx = 1 / dx, per_dy = 1 / dy;
    RunCursor c = run_cursor(s, range.first);
    const double t = sample_t(s, range.first);
    Follower f[6];
    for (int k = 0; k < 6; ++k)
        f[k] = follow(k % 2 ? b.y0 : b.x0, k % 2 ? dy : dx, k % 2 ? per_dy : per_dx, k < 2 ? 0 : b.p[k - 2],
                      c, range.first, t);
    for (Strokes last{};;) {
        if constexpr (Short)
            pen.short_strokes(f[0].value, f[1].value, f[2].value, f[3].value, f[4].value, f[5].value);
        else
            pen.strokes({f[0].value, f[1].value, f[2].value, f[3].value, f[4].value, f[5].value, true}, last);
        long long n = f[0].due; // the next sample where a coordinate may change
        for (int k = 1; k < 6; ++k)
            n = std::min(n, f[k].due);
        if (n >= range.end)
            return c.movable;
        move_to(c, n);
        for (Follower &g : f)
            if (g.due == n)
                take(g, c);
    }
}

// At width 0 both strokes shrink to the sample point itself: the band is
// the centre line and the truncated sample points. Both coordinates of the
// point move one way, one step at a time, so between two changes of the
// minor coordinate the points form a run along the major axis, from the
// major coordinate at the first of those samples to the one at the sample
// before the second: only the minor coordinate is followed.
template <typename Pen>
bool point_walk(const Band &b, const SampleSchedule &s, SampleRange range, Pen &pen)
{
    const double dx = static_cast<double>(b.fx1) - b.x0;
    const double dy = static_cast<double>(b.fy1) - b.y0;
    const bool x_major = std::fabs(dx) >= std::fabs(dy);
    RunCursor c = run_cursor(s, range.first);
    double first = sample_t(s, range.first), t = first;
    Follower minor = x_major ? follow(b.y0, dy, 1 / dy, 0, c, range.first, t)
                             : follow(b.x0, dx, 1 / dx, 0, c, range.first, t);
    auto major_at = [&](double t) {
        c.movable = c.movable && movable_at(x_major ? dx : dy, 0, t);
        return x_major ? coordinate_at(b.x0, dx, 0, t) : coordinate_at(b.y0, dy, 0, t);
    };
    for (long long n = range.first; n < range.end; first = t) {
        const int value = minor.value;
        do {
            n = minor.due, t = minor.due_t;
            if (n < range.end) {
                move_to(c, n);
                take(minor, c);
            }
        } while (n < range.end && minor.value == value);
        const int from = major_at(first), to = major_at(sample_t(s, std::min(n, range.end) - 1));
        for (int major = std::min(from, to); major <= std::max(from, to); ++major)
            x_major ? pen.point(major, value) : pen.point(value, major);
    }
    return c.movable;
}

// The band's walk near the canvas, with the given pen; whether every value
// it found is movable.
template <typename Pen>
bool near_walk(const Band &b, const SampleSchedule &s, int width, Pen &pen, SampleRange range)
{
    if (range.first >= range.end)
        return true;
    if (width == 0)
        return point_walk(b, s, range, pen);
    return b.short_strokes ? crossing_walk<true>(b, s, range, pen) : crossing_walk<false>(b, s, range, pen);
}

template <typename Pen>
bool near_walk(const Band &b, const SampleSchedule &s, int width, Pen &pen)
{
    return near_walk(b, s, width, pen, {0, s.samples});
}

// The length and the offsets of a segment (dx, dy) at a width, which
// depend on these three alone.
struct Offsets {
    long long dx, dy;
    int width;
    float length; // 0 for a single point
    float p[4];
};

Offsets offsets_of(long long dx, long long dy, int width)
{
    const __int128 squares = static_cast<__int128>(dx) * dx + static_cast<__int128>(dy) * dy;
    const float length = static_cast<float>(std::sqrt(static_cast<double>(squares)));
    if (length == 0)
        return {dx, dy, width, 0, {}};
    const double a = static_cast<double>(static_cast<extended>(dx) * width / length);
    const double b = static_cast<float>(static_cast<extended>(dy) * width / length);
    auto turned = [&](double c, double s, bool y) { // (A, B) turned, x or y
        return static_cast<float>(y ? static_cast<extended>(s) * a + static_cast<extended>(c) * b
                                    : static_cast<extended>(c) * a - static_cast<extended>(s) * b);
    };
    return {dx, dy, width, length,
            {turned(COS_K, SIN_K, false), turned(COS_K, SIN_K, true), turned(COS_MK, SIN_MK, false),
             turned(COS_MK, SIN_MK, true)}};
}

// The offsets of the segments met last, by a hash of (dx, dy, width):
// figures draw many segments alike (fivesplit_pinwheel 178 kinds among
// 4,680 segments), and the offsets cost a dozen extended operations. An
// entry not yet filled holds those of (0, 0, 0), a single point.
Offsets offsets_kept[1024];

const Offsets &offsets_for(long long dx, long long dy, int width)
{
    uint64_t key = (static_cast<uint64_t>(dx) * 0x9E3779B97F4A7C15u + static_cast<uint64_t>(dy)) *
                       0xC2B2AE3D27D4EB4Fu +
                   static_cast<uint32_t>(width);
    key ^= key >> 32;
    Offsets &o = offsets_kept[(key * 0x165667B19E3779F9u) >> 54];
    if (o.dx != dx || o.dy != dy || o.width != width)
        o = offsets_of(dx, dy, width);
    return o;
}

// Whether every pixel of a band near the canvas lies on it: its sample
// points lie within the box of its ends, and its strokes reach at most
// |width| + 1 pixels beyond them (the offsets exceed the width by their
// rounding, a few millionths of it, and the ends are truncated). Its
// columns and rows are then all positive.
bool band_inside(int x0, int y0, int x1, int y1, int width)
{
    const long long reach = std::llabs(width) + 2;
    return std::min(x0, x1) - reach >= 0 && std::max(x0, x1) + reach < SCREEN_W &&
           std::min(y0, y1) - reach >= 0 && std::max(y0, y1) + reach < SCREEN_H;
}

// Bands drawn again. A band's centre line moves with its start, and its
// other pixels come from its sample points and stroke ends. For a band on
// the canvas (band_inside) every stroke coordinate is positive, and
// truncates to x0 (or y0) plus the truncation of its part beyond, r -
// offset, r being t dx (or t dy) rounded to the float spacing where the
// sample point lands. So the band's pixels move with its start as long as
// those truncations stay the same. They do wherever the band goes if every
// value its walk found is movable_at its sample, as in most bands. They do
// too for bands whose columns lie in the same binade [2^e, 2^(e+1)) (or
// which keep one column, dx = 0), and rows likewise: there the spacing is
// the same, and a start is a multiple of it, an even one, so that even the
// ties round alike. (Segments between whole points can put a sample point
// within a millionth of a pixel of a place where a stroke coordinate
// changes, so that the spacing decides.)
//
// So a band of width -1 to 1 on the canvas is walked once for its pixels,
// which are recorded relative to its start and drawn from there; the bands
// with the same dx, dy and width drawn after it are drawn from the record,
// moved, if all its values were movable, or else if they lie in the same
// binades.

// The binade of the columns (or rows) from `a` to `b`, both positive, -1
// for a single column, and -2 if they lie in different binades.
int binade_of(int a, int b)
{
    if (a == b)
        return -1;
    const int e = 31 - __builtin_clz(static_cast<unsigned>(a));
    return 31 - __builtin_clz(static_cast<unsigned>(b)) == e ? e : -2;
}

// A recorded pixel, relative to the band's start.
struct Offset {
    int16_t dx, dy;
};

// The records, found by a hash of their band's key, each naming its pixels
// in the pool. When the pool is full it is emptied, and the records made
// before (of an earlier generation) are forgotten.
struct Record {
    uint64_t key;
    unsigned generation; // 0 for an empty slot
    int first, count;    // or, in a movable record's slot, one of:
};

constexpr int CANNOT = -1;      // the bands cannot be recorded
constexpr int NOT_MOVABLE = -2; // their records are kept by binades

constexpr int RECORD_SLOTS = 8192;
constexpr int POOL_SIZE = 1 << 18;
constexpr int MOST_RECORDED = 4096; // pixels of one band

Record records[RECORD_SLOTS];
Offset pool[POOL_SIZE];
int pool_used;
unsigned generation = 1;

// The canvas pixels taken into the record being made, one bit each.
constexpr int MARK_WORDS = (SCREEN_W + 63) / 64;
uint64_t marked[SCREEN_H][MARK_WORDS];

// Takes a band's pixels into the pool, after those used, each once; fails
// if there are too many.
struct RecordPen {
    int x0, y0;
    int count;
    bool failed;
    void take(int x, int y)
    {
        uint64_t &word = marked[y][x >> 6];
        const uint64_t bit = uint64_t{1} << (x & 63);
        if (word & bit)
            return;
        if (count == MOST_RECORDED) {
            failed = true;
            return;
        }
        word |= bit;
        pool[pool_used + count++] = {static_cast<int16_t>(x - x0), static_cast<int16_t>(y - y0)};
    }
    void line(int xa, int ya, int xb, int yb)
    {
        walk_line(xa, ya, xb, yb, [this](int x, int y) { take(x, y); });
    }
    void strokes(const Strokes &now, Strokes &)
    {
        if (!one_step_strokes(now)) {
            line(now.x, now.y, now.x1, now.y1);
            line(now.x, now.y, now.x2, now.y2);
            return;
        }
        short_strokes(now.x, now.y, now.x1, now.y1, now.x2, now.y2);
    }
    void short_strokes(int x, int y, int x1, int y1, int x2, int y2)
    {
        take(x, y);
        take(x1, y);
        take(x1, y1);
        take(x2, y);
        take(x2, y2);
    }
    void point(int x, int y) { take(x, y); }
};

void draw_recorded(const Offset *o, int count, int x0, int y0, Uint32 colour)
{
    Uint8 *const origin = reinterpret_cast<Uint8 *>(canvas_row(y0) + x0);
    const long pitch = screen->pitch;
    for (const Offset *end = o + count; o != end; ++o)
        reinterpret_cast<Uint32 *>(origin + o->dy * pitch)[o->dx] = colour;
}

// The band of a segment near the canvas, and its samples.
Band band_of(int x0, int y0, int x1, int y1, const Offsets &o, Uint32 colour, bool inside)
{
    const bool small = std::fabs(o.p[0]) <= 1 && std::fabs(o.p[1]) <= 1 && std::fabs(o.p[2]) <= 1 &&
                       std::fabs(o.p[3]) <= 1;
    return {x0, y0, static_cast<float>(x1), static_cast<float>(y1),
            {o.p[0], o.p[1], o.p[2], o.p[3]}, colour, inside && small};
}

// The record slot for a band's key: its dx, dy and width, and its binades
// (for a movable record, none: -3).
Record &record_slot(uint64_t &key, int dx, int dy, int width, int ex, int ey)
{
    key = static_cast<uint64_t>(dx + 1024) << 26 | static_cast<uint64_t>(dy + 1024) << 15 |
          static_cast<uint64_t>(width + 2) << 10 | static_cast<uint64_t>(ex + 3) << 5 |
          static_cast<uint64_t>(ey + 3);
    return records[(key * 0x9E3779B97F4A7C15u) >> 51];
}

// Draws the band of a segment on the canvas (band_inside), of width -1 to
// 1, from a record, or walks it into a record and draws that; false if the
// band is to be walked onto the canvas instead.
bool draw_from_record(int x0, int y0, int x1, int y1, int width, Uint32 colour)
{
    const int dx = x1 - x0, dy = y1 - y0;
    if (std::abs(dx) + std::abs(dy) > 512)
        return false;
    const int ex = binade_of(std::min(x0, x1), std::max(x0, x1));
    const int ey = binade_of(std::min(y0, y1), std::max(y0, y1));
    const bool one_binade = ex != -2 && ey != -2;
    uint64_t movable_key, key;
    Record &m = record_slot(movable_key, dx, dy, width, -3, -3);
    Record &r = record_slot(key, dx, dy, width, ex, ey);
    if (m.key == movable_key && m.generation == generation) {
        if (m.count >= 0) {
            draw_recorded(pool + m.first, m.count, x0, y0, colour);
            return true;
        }
        if (m.count == CANNOT || !one_binade) // or not movable
            return false;
        if (r.key == key && r.generation == generation) {
            draw_recorded(pool + r.first, r.count, x0, y0, colour);
            return true;
        }
    }
    if (pool_used > POOL_SIZE - MOST_RECORDED) {
        pool_used = 0;
        ++generation;
    }
    const Offsets &o = offsets_for(dx, dy, width);
    RecordPen pen{x0, y0, 0, false};
    pen.line(x0, y0, x1, y1);
    const bool movable = near_walk(band_of(x0, y0, x1, y1, o, colour, true), schedule_for(o.length), width, pen);
    const Offset *const taken = pool + pool_used;
    for (int k = 0; k < pen.count; ++k)
        marked[y0 + taken[k].dy][(x0 + taken[k].dx) >> 6] = 0;
    if (pen.failed) {
        m = {movable_key, generation, 0, CANNOT};
        return false;
    }
    if (movable) {
        m = {movable_key, generation, pool_used, pen.count};
        pool_used += pen.count;
    } else {
        m = {movable_key, generation, 0, NOT_MOVABLE};
        if (one_binade) {
            r = {key, generation, pool_used, pen.count};
            pool_used += pen.count;
        }
    }
    draw_recorded(taken, pen.count, x0, y0, colour);
    return true;
}

} // namespace

void forget_kept_bands()
{
    pool_used = 0;
    ++generation;
}

void draw_thick_line(int x0, int y0, int x1, int y1, int width, Uint32 colour)
{
    const bool inside = band_inside(x0, y0, x1, y1, width);
    if (inside && width >= -1 && width <= 1 && (x0 != x1 || y0 != y1) &&
        draw_from_record(x0, y0, x1, y1, width, colour))
        return;
    draw_line(x0, y0, x1, y1, colour);
    if (x0 == x1 && y0 == y1) // L = 0
        return;

    const Offsets &o = offsets_for(static_cast<long long>(x1) - x0, static_cast<long long>(y1) - y0, width);
    const Band band = band_of(x0, y0, x1, y1, o, colour, inside);
    const SampleSchedule &s = schedule_for(o.length);
    auto within = [](int v, int limit) { return v >= -limit && v <= limit; };
    if (!within(x0, NEAR) || !within(y0, NEAR) || !within(x1, NEAR) || !within(y1, NEAR) ||
        !within(width, NEAR_WIDTH)) {
        literal_walk(band, s);
    } else if (inside) {
        InsidePen pen{colour};
        near_walk(band, s, width, pen);
    } else {
        // Only the samples whose strokes can reach the canvas.
        double first, last;
        canvas_reach(band, first, last);
        float t;
        int run = 0;
        const long long n = first_sample_from(s, -1, first, t, run);
        const long long end = first_sample_from(s, n - 1, std::nextafter(last, HUGE_VAL), t, run);
        ClippedPen pen{colour};
        near_walk(band, s, width, pen, {n, end});
    }
}
