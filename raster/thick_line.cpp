// Thick lines: the centre line, then at every tenth of a pixel along it two
// strokes at right angles, one to each side, each a draw_line between
// integer points.
//
// The precisions are part of the picture: the length L and the side offsets
// are single-precision floats, the sample parameter t is a float advanced
// by 0.1 / L, and everything in between is evaluated in extended precision
// and rounded only where a float or double is held.
//
// All of a band's pixels have one colour and are only written, so a stroke
// that repeats one already drawn adds nothing. Every coordinate of a stroke
// moves one way only along the segment (each is a rounded, truncated linear
// function of t, and t only grows), so a stroke equal to an earlier one
// equals the one just before it: each stroke is drawn only when it differs
// from the previous one on its side. That walk, sample by sample, is
// literal_walk. For segments near the canvas (every figure's) fast_walk
// gives the same strokes while looking only at the samples where a stroke
// may change: it follows each stroke coordinate, exact in double precision,
// and from where its value approaches the next whole number it knows the
// first sample that can change it; the samples in between repeat the last
// strokes drawn and are passed over.
#include "plot.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

using ld = long double;

// The angle of the side strokes: pi / 2 rounded to float.
constexpr float QUARTER_TURN = 1.5707963705062866f;

// The cosines and sines of the two quarter turns, taken in double.
const double COS_K = std::cos(static_cast<double>(QUARTER_TURN));
const double SIN_K = std::sin(static_cast<double>(QUARTER_TURN));
const double COS_MK = std::cos(static_cast<double>(-QUARTER_TURN));
const double SIN_MK = std::sin(static_cast<double>(-QUARTER_TURN));

struct Stroke {
    int x0, y0, x1, y1;
};

bool same(const Stroke &a, const Stroke &b)
{
    return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}

// What both walks need of a segment: its start, its end as floats, the side
// offsets P1 to P4, the step of t, and the colour.
struct Band {
    int x0, y0;
    float fx1, fy1;
    float p1, p2, p3, p4;
    ld step;
    Uint32 colour;
};

// The strokes of the sample drawn last, one per side.
struct LastStrokes {
    Stroke one, other;
    bool any;
};

void draw_stroke(const Stroke &s, Uint32 colour)
{
    if (s.x0 == s.x1 && s.y0 == s.y1)
        plot(s.x0, s.y0, colour); // a stroke of width 0
    else
        draw_line(s.x0, s.y0, s.x1, s.y1, colour);
}

// Draws the strokes of a sample that differ from those of the sample drawn
// before (and the second only if it is not the first again).
void draw_sample(const Stroke &one, const Stroke &other, LastStrokes &last, Uint32 colour)
{
    if (!last.any || !same(one, last.one))
        draw_stroke(one, colour);
    if ((!last.any || !same(other, last.other)) && !same(other, one))
        draw_stroke(other, colour);
    last = {one, other, true};
}

// The next value of t, or t itself once a step no longer changes it (on a
// segment millions of pixels long the step can fall below half a float's
// spacing: every later sample would repeat this one, and the band is
// complete as it stands).
float next_t(float t, ld step)
{
    return static_cast<float>(t + step);
}

void literal_walk(const Band &b)
{
    LastStrokes last{};
    float t = 0;
    do {
        const float xs = static_cast<float>(static_cast<ld>(b.x0) * (1 - static_cast<ld>(t)) +
                                            static_cast<ld>(b.fx1) * t);
        const float ys = static_cast<float>(static_cast<ld>(b.fy1) * t +
                                            static_cast<ld>(b.y0) * (1 - static_cast<ld>(t)));
        const int ix = trunc_int(xs);
        const int iy = trunc_int(ys);
        draw_sample({ix, iy, trunc_int(static_cast<ld>(xs) - b.p1),
                     trunc_int(static_cast<ld>(ys) - b.p2)},
                    {ix, iy, trunc_int(static_cast<ld>(xs) - b.p3),
                     trunc_int(static_cast<ld>(ys) - b.p4)},
                    last, b.colour);
        const float next = next_t(t, b.step);
        if (next == t)
            break;
        t = next;
    } while (t <= 1.0f);
}

// With every end coordinate within FAST_LIMIT of 0 and the width within
// FAST_WIDTH, t is 0 or at least 2^-16 (L is below 2^13), so every float t
// is a multiple of 2^-39, and the sample point x0 (1 - t) + x1 t, a
// multiple of 2^-39 below 2^11, is exact in double precision (as it is in
// extended precision, from which the picture is defined).
constexpr int FAST_LIMIT = 2047;
constexpr int FAST_WIDTH = 1024;
// A computed stroke coordinate lies within 2^-14 of the exact value it
// truncates (half a float's spacing below 2^11, plus the extended rounding
// of the difference); so while the exact value keeps MARGIN from a whole
// number, the stroke coordinate cannot change.
constexpr double MARGIN = 1.0 / 2048;

bool fast_walk_applies(int x0, int y0, int x1, int y1, int width)
{
    return std::abs(x0) <= FAST_LIMIT && std::abs(y0) <= FAST_LIMIT &&
           std::abs(x1) <= FAST_LIMIT && std::abs(y1) <= FAST_LIMIT &&
           std::abs(width) <= FAST_WIDTH;
}

// trunc(a - b) for two floats with the difference rounded to extended
// precision, computed in double precision. The rounded double difference s
// and its exact error e (an error-free sum) give the exact difference
// s + e. When s is not a whole number, the exact difference and its
// extended rounding lie strictly between the same two whole numbers as s;
// only a whole s with a non-zero error (rare) needs the extended value.
int truncated_difference(float a, float b)
{
    const double x = a;
    const double y = -static_cast<double>(b);
    const double s = x + y;
    const double y_part = s - x;
    const double e = (x - (s - y_part)) + (y - y_part);
    const double whole = static_cast<double>(static_cast<long long>(s));
    if (s != whole || e == 0)
        return static_cast<int>(whole);
    return trunc_int(static_cast<ld>(a) - b);
}

// Within one binade [2^(e-1), 2^e) of t a step adds the same multiple r of
// the float spacing there, as long as the sums stay below 2^e: the step is
// rounded to extended precision on a grid on which t lies, then to float on
// a grid on which t lies too. (Unless the step falls exactly halfway
// between two multiples of the spacing: then ties to even make the steps
// alternate, and they are walked one by one.)
struct Binade {
    float bottom = 1, top = 0;  // [2^(e-1), 2^e); empty until entered
    double increment = 0;       // r, or 0 where steps must be walked one by one
    double per_increment = 0;   // 1 / r
    double last_start = 0;      // a step from below this stays in the binade
};

// A float's spacing in the binade of a positive float t.
double spacing_of(float t)
{
    uint32_t bits;
    std::memcpy(&bits, &t, sizeof bits);
    const uint64_t exponent = bits >> 23; // biased, t being positive and normal
    const uint64_t double_bits = (exponent - 127 - 23 + 1023) << 52;
    double spacing;
    std::memcpy(&spacing, &double_bits, sizeof spacing);
    return spacing;
}

float binade_bottom(float t)
{
    uint32_t bits;
    std::memcpy(&bits, &t, sizeof bits);
    bits &= 0xff800000u;
    float bottom;
    std::memcpy(&bottom, &bits, sizeof bottom);
    return bottom;
}

void enter_binade(Binade &binade, float t, ld step)
{
    binade.bottom = binade_bottom(t);
    binade.top = binade.bottom * 2;
    const double spacing = spacing_of(t);
    const ld rounded_step = (static_cast<ld>(t) + step) - t;
    const ld units = rounded_step * (1 / static_cast<ld>(spacing)); // exact: a power of two
    const ld whole = static_cast<ld>(static_cast<long long>(units));
    binade.increment = static_cast<double>(
        units - whole == 0.5L ? 0 : (units - whole < 0.5L ? whole : whole + 1) * spacing);
    binade.per_increment = 1 / binade.increment;
    binade.last_start = static_cast<double>(binade.top - spacing - rounded_step);
}

// The first samples, below this many steps, are walked step by step: their
// binades hold too few samples for setting up jumps to pay.
constexpr double FEW_SAMPLES = 16;

// Moves t on to the first sample at or after `watch`, and at least one
// sample on; false once the samples have ended. Inside a binade it jumps
// there at once; across the top of one it takes the steps as they come.
bool advance(float &t, double watch, Binade &binade, ld step, double jumps_from)
{
    for (;;) {
        if (t >= binade.bottom && t < binade.top && binade.increment > 0) {
            const double r = binade.increment;
            const long long room =
                static_cast<long long>((binade.last_start - t) * binade.per_increment) - 1;
            if (room >= 1) {
                const double needed = (watch - t) * binade.per_increment;
                if (needed <= static_cast<double>(room)) {
                    long long wanted = needed < 1 ? 1 : static_cast<long long>(needed);
                    if (static_cast<double>(wanted) < needed)
                        ++wanted;
                    t = static_cast<float>(t + static_cast<double>(wanted) * r);
                    return true;
                }
                t = static_cast<float>(t + static_cast<double>(room) * r);
            }
        } else if (t >= jumps_from && t < 1 && !(t >= binade.bottom && t < binade.top)) {
            enter_binade(binade, t, step);
            if (binade.increment > 0)
                continue;
        }
        const float next = next_t(t, step);
        if (next == t)
            return false;
        t = next;
        if (!(t <= 1.0f))
            return false;
        if (t >= watch)
            return true;
    }
}

// One stroke coordinate, trunc(float(start + t delta) - offset), followed
// along the samples: its value at the current sample, and the value of t
// before which it surely keeps that value.
struct Coordinate {
    double start, delta;
    double per_delta; // 1 / delta
    float offset;
    int value;
    double watch;
};

int value_at(const Coordinate &c, float t)
{
    return truncated_difference(static_cast<float>(c.start + static_cast<double>(t) * c.delta),
                                c.offset);
}

// The exact value start + t delta - offset moves one way, and the truncated
// value changes only when it crosses the next whole number that way: watch
// from where it comes within MARGIN of that.
void watch_next_crossing(Coordinate &c)
{
    if (c.delta == 0) {
        c.watch = HUGE_VAL;
        return;
    }
    const double v = c.value;
    const double crossing = c.delta > 0 ? (v >= 0 ? v + 1 : v) : (v > 0 ? v : v - 1);
    const double approach = c.delta > 0 ? crossing - MARGIN : crossing + MARGIN;
    c.watch = (approach - c.start + c.offset) * c.per_delta;
}

void start_coordinate(Coordinate &c, double start, double delta, float offset)
{
    c.start = start;
    c.delta = delta;
    c.per_delta = 1 / delta;
    c.offset = offset;
    c.value = value_at(c, 0);
    watch_next_crossing(c);
}

// Brings the coordinate to the sample t if it may have changed there;
// whether it did.
bool follow(Coordinate &c, float t)
{
    if (c.watch > t)
        return false;
    const int value = value_at(c, t);
    const bool changed = value != c.value;
    c.value = value;
    watch_next_crossing(c);
    return changed;
}

// At width 0 both strokes shrink to the sample point itself: the band is
// the centre line and the truncated sample points.
void fast_walk_points(const Band &b, double dxm, double dym)
{
    Coordinate x, y;
    start_coordinate(x, b.x0, dxm, 0);
    start_coordinate(y, b.y0, dym, 0);
    Binade binade;
    const double jumps_from = FEW_SAMPLES * static_cast<double>(b.step);
    float t = 0;
    plot(x.value, y.value, b.colour);
    while (advance(t, std::min(x.watch, y.watch), binade, b.step, jumps_from)) {
        const bool x_changed = follow(x, t);
        if (follow(y, t) || x_changed)
            plot(x.value, y.value, b.colour);
    }
}

void fast_walk(const Band &b)
{
    // The six stroke coordinates: the sample point's x and y, and the far
    // ends of the two strokes. Equal ones (all of them at width 0) are
    // followed once.
    const double dxm = static_cast<double>(b.fx1) - b.x0; // whole numbers, exact
    const double dym = static_cast<double>(b.fy1) - b.y0;
    if (b.p1 == 0 && b.p2 == 0 && b.p3 == 0 && b.p4 == 0) {
        fast_walk_points(b, dxm, dym);
        return;
    }
    const bool along_x[6] = {true, false, true, false, true, false};
    const float offsets[6] = {0, 0, b.p1, b.p2, b.p3, b.p4};
    Coordinate coords[6];
    int of[6]; // which followed coordinate gives each stroke coordinate
    int count = 0;
    for (int i = 0; i < 6; ++i) {
        of[i] = -1;
        for (int j = 0; j < count; ++j)
            if (coords[j].start == (along_x[i] ? b.x0 : b.y0) &&
                coords[j].delta == (along_x[i] ? dxm : dym) && coords[j].offset == offsets[i])
                of[i] = j;
        if (of[i] < 0) {
            Coordinate &c = coords[count];
            c.start = along_x[i] ? b.x0 : b.y0;
            c.delta = along_x[i] ? dxm : dym;
            c.per_delta = 1 / c.delta;
            c.offset = offsets[i];
            c.value = value_at(c, 0);
            watch_next_crossing(c);
            of[i] = count++;
        }
    }

    LastStrokes last{};
    Binade binade;
    const double jumps_from = FEW_SAMPLES * static_cast<double>(b.step);
    float t = 0;
    for (;;) {
        const int ix = coords[of[0]].value, iy = coords[of[1]].value;
        draw_sample({ix, iy, coords[of[2]].value, coords[of[3]].value},
                    {ix, iy, coords[of[4]].value, coords[of[5]].value}, last, b.colour);
        bool changed = false;
        while (!changed) {
            double watch = HUGE_VAL;
            for (int j = 0; j < count; ++j)
                watch = std::min(watch, coords[j].watch);
            if (!advance(t, watch, binade, b.step, jumps_from))
                return;
            for (int j = 0; j < count; ++j) {
                Coordinate &c = coords[j];
                if (c.watch > t)
                    continue;
                const int value = value_at(c, t);
                if (value != c.value) {
                    c.value = value;
                    changed = true;
                }
                watch_next_crossing(c);
            }
        }
    }
}

} // namespace

void draw_thick_line(int x0, int y0, int x1, int y1, int width, Uint32 colour)
{
    draw_line(x0, y0, x1, y1, colour);

    const long long dx = static_cast<long long>(x1) - x0;
    const long long dy = static_cast<long long>(y1) - y0;
    const __int128 squares = static_cast<__int128>(dx) * dx + static_cast<__int128>(dy) * dy;
    const float length = static_cast<float>(std::sqrt(static_cast<double>(squares)));
    if (length == 0)
        return;

    const double a = static_cast<double>(static_cast<ld>(dx) * width / length);
    const double b = static_cast<float>(static_cast<ld>(dy) * width / length);
    Band band;
    band.x0 = x0;
    band.y0 = y0;
    band.fx1 = static_cast<float>(x1);
    band.fy1 = static_cast<float>(y1);
    band.p1 = static_cast<float>(static_cast<ld>(COS_K) * a - static_cast<ld>(SIN_K) * b);
    band.p2 = static_cast<float>(static_cast<ld>(SIN_K) * a + static_cast<ld>(COS_K) * b);
    band.p3 = static_cast<float>(static_cast<ld>(COS_MK) * a - static_cast<ld>(SIN_MK) * b);
    band.p4 = static_cast<float>(static_cast<ld>(SIN_MK) * a + static_cast<ld>(COS_MK) * b);
    band.step = static_cast<ld>(0.1) / static_cast<ld>(static_cast<double>(length));
    band.colour = colour;
    if (fast_walk_applies(x0, y0, x1, y1, width))
        fast_walk(band);
    else
        literal_walk(band);
}
