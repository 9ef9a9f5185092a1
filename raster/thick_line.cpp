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
#include "plot.h"
#include "sample_schedule.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
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
int coordinate_at(double start, double delta, float offset, float t)
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

// One stroke coordinate followed along the samples: its value, and the
// samples where it next changes. The exact value w = start + t delta -
// offset moves one way, and the truncated value changes, by one, when w
// crosses the next whole number that way: samples before w comes within
// SURE of it keep the value, samples from where it has passed it by SURE
// (`after`) have the value beyond it (w moves by at most a tenth of a pixel
// a sample), and the few in between (usually none) are evaluated. `due` is
// the first sample that may have another value, `due_t` its t.
struct Follower {
    double start, delta, per_delta; // per_delta = 1 / delta
    float offset;
    int value;
    double after;
    long long due;
    float due_t;
    int run; // the run of the due sample
};

// Aims f at its next crossing, from the samples after sample n.
void aim(Follower &f, const SampleSchedule &s, long long n)
{
    const bool up = f.delta > 0;
    const int crossing = up ? f.value + (f.value >= 0) : f.value - (f.value <= 0);
    const double from = crossing - f.start + f.offset;
    const double before = f.delta == 0 ? HUGE_VAL : (from - (up ? SURE : -SURE)) * f.per_delta;
    f.after = (from + (up ? SURE : -SURE)) * f.per_delta;
    f.due = first_sample_from(s, n, before, f.due_t, f.run);
}

Follower follow(double start, double delta, float offset, const SampleSchedule &s)
{
    Follower f{start, delta, 1 / delta, offset, coordinate_at(start, delta, offset, 0), 0, 0, 0, 0};
    aim(f, s, 0);
    return f;
}

// Takes f's due sample: its value there, and the next due sample.
void take(Follower &f, const SampleSchedule &s)
{
    const long long n = f.due;
    const int value = f.due_t >= f.after ? f.value + (f.delta > 0 ? 1 : -1)
                                         : coordinate_at(f.start, f.delta, f.offset, f.due_t);
    if (value != f.value) {
        f.value = value;
        aim(f, s, n);
    } else if ((f.due = n + 1) < s.samples) {
        f.due_t = sample_t(s, n + 1);
    }
}

// The six stroke coordinates followed together, the strokes drawn at each
// sample where one changes.
void crossing_walk(const Band &b, const SampleSchedule &s)
{
    const double dx = static_cast<double>(b.fx1) - b.x0; // whole numbers, exact
    const double dy = static_cast<double>(b.fy1) - b.y0;
    Follower f[6];
    for (int k = 0; k < 6; ++k)
        f[k] = follow(k % 2 ? b.y0 : b.x0, k % 2 ? dy : dx, k < 2 ? 0 : b.p[k - 2], s);
    long long n = s.samples; // the next sample where a coordinate may change
    for (const Follower &g : f)
        n = std::min(n, g.due);
    for (Strokes last{};;) {
        const Strokes now{f[0].value, f[1].value, f[2].value, f[3].value, f[4].value, f[5].value, true};
        draw_strokes(now, last, b.colour);
        if (n == s.samples)
            return;
        long long next = s.samples;
        for (Follower &g : f) {
            if (g.due == n)
                take(g, s);
            next = std::min(next, g.due);
        }
        n = next;
    }
}

// At width 0 both strokes shrink to the sample point itself: the band is
// the centre line and the truncated sample points. Both coordinates of the
// point move one way, one step at a time, so between two changes of the
// minor coordinate the points form a run along the major axis, from the
// major coordinate at the first of those samples to the one at the sample
// before the second: only the minor coordinate is followed.
void point_walk(const Band &b, const SampleSchedule &s)
{
    const double dx = static_cast<double>(b.fx1) - b.x0;
    const double dy = static_cast<double>(b.fy1) - b.y0;
    const bool x_major = std::fabs(dx) >= std::fabs(dy);
    Follower minor = x_major ? follow(b.y0, dy, 0, s) : follow(b.x0, dx, 0, s);
    auto major_at = [&](float t) {
        return x_major ? coordinate_at(b.x0, dx, 0, t) : coordinate_at(b.y0, dy, 0, t);
    };
    float first = 0, t = 0;
    for (long long n = 0; n < s.samples; first = t) {
        const int value = minor.value;
        do {
            n = minor.due, t = minor.due_t;
            if (n < s.samples)
                take(minor, s);
        } while (n < s.samples && minor.value == value);
        const int from = major_at(first), to = major_at(sample_t(s, n - 1));
        for (int major = std::min(from, to); major <= std::max(from, to); ++major)
            x_major ? plot(major, value, b.colour) : plot(value, major, b.colour);
    }
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
    const uint64_t key = static_cast<uint64_t>(dx) * 0x9E3779B97F4A7C15u ^
                         static_cast<uint64_t>(dy) * 0xC2B2AE3D27D4EB4Fu ^ static_cast<uint32_t>(width);
    Offsets &o = offsets_kept[(key * 0x165667B19E3779F9u) >> 54];
    if (o.dx != dx || o.dy != dy || o.width != width)
        o = offsets_of(dx, dy, width);
    return o;
}

} // namespace

void draw_thick_line(int x0, int y0, int x1, int y1, int width, Uint32 colour)
{
    draw_line(x0, y0, x1, y1, colour);

    const Offsets &o = offsets_for(static_cast<long long>(x1) - x0, static_cast<long long>(y1) - y0, width);
    if (o.length == 0)
        return;
    const Band band{x0, y0, static_cast<float>(x1), static_cast<float>(y1),
                    {o.p[0], o.p[1], o.p[2], o.p[3]}, colour};
    const SampleSchedule &s = schedule_for(o.length);
    auto within = [](int v, int limit) { return v >= -limit && v <= limit; };
    if (!within(x0, NEAR) || !within(y0, NEAR) || !within(x1, NEAR) || !within(y1, NEAR) ||
        !within(width, NEAR_WIDTH))
        literal_walk(band, s);
    else if (width == 0)
        point_walk(band, s);
    else
        crossing_walk(band, s);
}
