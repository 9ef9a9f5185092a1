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
// from the previous one on its side. That walk, sample by sample (from the
// first sample whose strokes can reach the canvas to the last), is
// literal_walk. For segments near the canvas (every figure's) fast_walk
// gives the same strokes while looking only at the samples where a stroke
// changes: the samples of t, which depend on L alone, are laid out once per
// length as runs of evenly spaced values (a schedule), and each stroke
// coordinate, exact in double precision, is followed from one whole-number
// crossing to the next, the sample of each crossing found from the
// schedule; the samples in between repeat the last strokes drawn.
#include "plot.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {


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
    extended step;
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
float next_t(float t, extended step)
{
    return static_cast<float>(t + step);
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
// of the difference): where the exact value lies further than SURE from a
// whole number, it truncates as the computed one does.
constexpr double SURE = 1.0 / 8192;

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
    return trunc_int(static_cast<extended>(a) - b);
}

// The samples of t depend on the step alone, that is on the length L. They
// are laid out once per length as a schedule: groups of evenly spaced
// samples, first + i * increment for i below count. Within one binade
// [2^(e-1), 2^e) of t a step adds the same multiple r of the float spacing
// there, as long as the sums stay below 2^e: the step is rounded to
// extended precision on a grid on which t lies, then to float on a grid on
// which t lies too. So each binade is one group, the step across its top
// being taken as it comes, and the first few samples are single groups.
// (Where the step falls exactly halfway between two multiples of the
// spacing, ties to even make the steps alternate, and each sample is a
// group of its own; a length whose samples need more groups than a
// schedule holds is walked sample by sample.)
struct SampleGroup {
    double first, increment, per_increment; // per_increment = 1 / increment
    long long count;
    long long base; // how many samples come before the group
};

constexpr int MAX_GROUPS = 96;

struct Schedule {
    float length; // 0 for a schedule not laid out
    bool complete; // false when the samples needed more groups than there are
    int groups;
    SampleGroup group[MAX_GROUPS];
};

// The schedules of the lengths met last, by a hash of the length: figures
// draw many segments of few lengths.
Schedule schedules[256];

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

// How many steps of the same size can follow the sample t (and the size),
// within its binade; 0 where none can be taken so.
long long even_steps(float t, extended step, double &increment)
{
    const double spacing = spacing_of(t);
    const double top = spacing * (1 << 24); // 2^e
    const extended rounded_step = (static_cast<extended>(t) + step) - t;
    const extended units = rounded_step * (1 / static_cast<extended>(spacing)); // exact: a power of two
    const extended whole = static_cast<extended>(static_cast<long long>(units));
    if (units - whole == 0.5)
        return 0;
    increment = static_cast<double>((units - whole < 0.5 ? whole : whole + 1) * spacing);
    if (increment == 0)
        return 0;
    // A step from t' adds the increment while t' + step stays below the top
    // of the binade: surely so from t' up to last_start (the margin, a
    // thousandth of the spacing, is far above the step's rounding and far
    // below the spacing, so the quotient's rounding cannot cross it).
    const double last_start = static_cast<double>(top - rounded_step - spacing / 1024);
    if (last_start < t)
        return 0;
    return static_cast<long long>((last_start - t) / increment) + 1;
}

// The first samples, below this many steps, are taken step by step: their
// binades hold too few samples for a group to pay.
constexpr double FEW_SAMPLES = 4;

void lay_out(Schedule &schedule, float length, extended step)
{
    schedule.length = length;
    schedule.complete = false;
    schedule.groups = 0;
    const double evenly_from = FEW_SAMPLES * static_cast<double>(step);
    float t = 0;
    for (;;) {
        if (schedule.groups == MAX_GROUPS)
            return;
        SampleGroup &g = schedule.group[schedule.groups++];
        double increment = 0;
        const long long steps = t >= evenly_from && t < 1 ? even_steps(t, step, increment) : 0;
        const long long base =
            schedule.groups == 1 ? 0 : (&g - 1)->base + (&g - 1)->count;
        if (steps == 0)
            increment = 0; // a group of one sample
        g = {t, increment, steps > 0 ? 1 / increment : 0, steps + 1, base};
        t = static_cast<float>(t + static_cast<double>(steps) * increment);
        const float next = next_t(t, step);
        if (next == t || !(next <= 1.0f))
            break;
        t = next;
    }
    schedule.complete = true;
}

const Schedule &schedule_for(float length, extended step)
{
    uint32_t bits;
    std::memcpy(&bits, &length, sizeof bits);
    Schedule &schedule = schedules[(bits * 2654435761u) >> 24];
    if (schedule.length != length)
        lay_out(schedule, length, step);
    return schedule;
}

// A sample of a schedule: group g, its sample k, and the sample's number n
// counted over the whole schedule.
struct Position {
    int g;
    long long k, n;
};

float sample_t(const Schedule &schedule, const Position &p)
{
    const SampleGroup &g = schedule.group[p.g];
    return static_cast<float>(g.first + static_cast<double>(p.k) * g.increment);
}

// Moves p on to the first sample after it whose t is at least `t`; false
// if there is none.
bool first_at_or_after(const Schedule &schedule, double t, Position &p)
{
    long long k = p.k + 1;
    for (int g = p.g; g < schedule.groups; ++g, k = 0) {
        const SampleGroup &group = schedule.group[g];
        if (t > group.first) {
            if (group.increment == 0)
                continue;
            const double needed = (t - group.first) * group.per_increment;
            if (needed >= static_cast<double>(group.count))
                continue;
            long long at_least = static_cast<long long>(needed);
            at_least += static_cast<double>(at_least) < needed;
            if (at_least > k)
                k = at_least;
        }
        if (k < group.count) {
            p = {g, k, group.base + k};
            return true;
        }
    }
    return false;
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
struct Reach {
    double first, last;
};

Reach canvas_reach(const Band &b)
{
    const double dx = static_cast<double>(b.fx1) - b.x0;
    const double dy = static_cast<double>(b.fy1) - b.y0;
    const double squared = dx * dx + dy * dy;
    if (squared == 0)
        return {-HUGE_VAL, HUGE_VAL};
    const double length = std::sqrt(squared);
    const double ends = std::max({std::abs(static_cast<double>(b.x0)), std::abs(b.x0 + dx),
                                  std::abs(static_cast<double>(b.y0)), std::abs(b.y0 + dy)});
    const double spacing = ends < 1 ? 0 : std::ldexp(1.0, std::ilogb(ends) - 23);
    const double along =
        std::max(std::fabs(b.p1 * dx + b.p2 * dy), std::fabs(b.p3 * dx + b.p4 * dy)) / length;
    const double largest =
        std::max({std::fabs(b.p1), std::fabs(b.p2), std::fabs(b.p3), std::fabs(b.p4)});
    const double held = std::max(0.0, largest - 2147483648.0 + 1000);
    const double margin = (2 * spacing + 16 + along + 2 * held) / length;
    Reach reach{HUGE_VAL, -HUGE_VAL};
    for (const double x : {0, SCREEN_W - 1})
        for (const double y : {0, SCREEN_H - 1}) {
            const double t = ((x - b.x0) * dx + (y - b.y0) * dy) / squared;
            reach.first = std::min(reach.first, t - margin);
            reach.last = std::max(reach.last, t + margin);
        }
    return reach;
}

// The first sample at or after `from`, found from the schedule of the
// segment's length (or step by step where the schedule is incomplete);
// false when the samples end before it.
bool first_sample_from(double from, float length, extended step, float &t)
{
    const Schedule &schedule = schedule_for(length, step);
    if (schedule.complete) {
        Position p{0, 0, 0};
        if (!first_at_or_after(schedule, from, p))
            return false;
        t = sample_t(schedule, p);
        return true;
    }
    while (t < from) {
        const float next = next_t(t, step);
        if (next == t || !(next <= 1.0f))
            return false;
        t = next;
    }
    return true;
}

// Every sample from the first whose strokes can reach the canvas to the
// last, taken one by one.
void literal_walk(const Band &b, float length)
{
    const Reach reach = canvas_reach(b);
    LastStrokes last{};
    float t = 0;
    if (reach.first > 0 && !first_sample_from(reach.first, length, b.step, t))
        return;
    while (t <= reach.last) {
        const float xs = static_cast<float>(static_cast<extended>(b.x0) * (1 - static_cast<extended>(t)) +
                                            static_cast<extended>(b.fx1) * t);
        const float ys = static_cast<float>(static_cast<extended>(b.fy1) * t +
                                            static_cast<extended>(b.y0) * (1 - static_cast<extended>(t)));
        const int ix = trunc_int(xs);
        const int iy = trunc_int(ys);
        draw_sample({ix, iy, trunc_int(static_cast<extended>(xs) - b.p1),
                     trunc_int(static_cast<extended>(ys) - b.p2)},
                    {ix, iy, trunc_int(static_cast<extended>(xs) - b.p3),
                     trunc_int(static_cast<extended>(ys) - b.p4)},
                    last, b.colour);
        const float next = next_t(t, b.step);
        if (next == t || !(next <= 1.0f))
            break;
        t = next;
    }
}

// One stroke coordinate, trunc(float(start + t delta) - offset), followed
// along the samples: its value since the sample `at` where it last changed,
// and the next sample where it changes, with the value it takes there.
struct Follower {
    double start, delta, per_delta; // per_delta = 1 / delta
    float offset;
    int value;
    Position at;
    bool changes;
    Position next;
    int next_value;
};

int value_at(const Follower &f, float t)
{
    const float point = static_cast<float>(f.start + static_cast<double>(t) * f.delta);
    return f.offset == 0 ? static_cast<int>(point) : truncated_difference(point, f.offset);
}

// The exact value w = start + t delta - offset moves one way, and the
// truncated value changes when w crosses the next whole number that way.
// Samples before w comes within SURE of it keep the value, samples from
// where it has passed it by SURE have the value beyond it; the few in
// between (usually none) are evaluated.
void find_next_change(Follower &f, const Schedule &schedule)
{
    f.changes = false;
    if (f.delta == 0)
        return;
    const int v = f.value;
    const bool up = f.delta > 0;
    const int crossing = up ? (v >= 0 ? v + 1 : v) : (v > 0 ? v : v - 1);
    const int beyond = up ? (crossing >= 0 ? crossing : crossing + 1)
                          : (crossing > 0 ? crossing - 1 : crossing);
    const double sure = up ? SURE : -SURE;
    const double from = crossing - f.start + f.offset;
    const double t_sure_before = (from - sure) * f.per_delta;
    const double t_sure_after = (from + sure) * f.per_delta;
    Position p = f.at;
    while (first_at_or_after(schedule, t_sure_before, p)) {
        const float t = sample_t(schedule, p);
        const int value = t >= t_sure_after ? beyond : value_at(f, t);
        if (value != v) {
            f.changes = true;
            f.next = p;
            f.next_value = value;
            return;
        }
    }
}

void start_following(Follower &f, double start, double delta, float offset,
                     const Schedule &schedule)
{
    f.start = start;
    f.delta = delta;
    f.per_delta = 1 / delta;
    f.offset = offset;
    f.value = value_at(f, 0);
    f.at = {0, 0, 0};
    find_next_change(f, schedule);
}

// The number of the next sample where any of the followers changes, or
// LLONG_MAX if none does again.
long long next_change(const Follower *followers, int count)
{
    long long n = LLONG_MAX;
    for (int j = 0; j < count; ++j)
        if (followers[j].changes && followers[j].next.n < n)
            n = followers[j].next.n;
    return n;
}

// Moves the followers that change at sample n to it.
void take_changes(Follower *followers, int count, long long n, const Schedule &schedule)
{
    for (int j = 0; j < count; ++j) {
        Follower &f = followers[j];
        if (f.changes && f.next.n == n) {
            f.value = f.next_value;
            f.at = f.next;
            find_next_change(f, schedule);
        }
    }
}

// The sample just before p (p not being the first).
Position sample_before(const Schedule &schedule, Position p)
{
    if (p.k == 0) {
        p.g -= 1;
        p.k = schedule.group[p.g].count;
    }
    p.k -= 1;
    p.n -= 1;
    return p;
}

// The samples' points along the major axis (x, or y for a steep segment)
// between two samples, with the minor coordinate `minor`: a run of pixels.
void plot_run(bool x_major, int minor, int from, int to, Uint32 colour)
{
    if (from > to)
        std::swap(from, to);
    for (int major = from; major <= to; ++major)
        if (x_major)
            plot(major, minor, colour);
        else
            plot(minor, major, colour);
}

// At width 0 both strokes shrink to the sample point itself: the band is
// the centre line and the truncated sample points. Both coordinates of the
// point move one way, one step at a time, so between two changes of the
// minor coordinate the points form a run along the major axis, from the
// major coordinate at the first of those samples to the one at the sample
// before the second: only the minor coordinate's changes are followed.
void fast_walk_points(const Band &b, const Schedule &schedule, double dxm, double dym)
{
    const bool x_major = std::fabs(dxm) >= std::fabs(dym);
    Follower major, minor;
    start_following(major, x_major ? b.x0 : b.y0, x_major ? dxm : dym, 0, schedule);
    start_following(minor, x_major ? b.y0 : b.x0, x_major ? dym : dxm, 0, schedule);
    int run_start = major.value;
    while (minor.changes) {
        const Position change = minor.next;
        plot_run(x_major, minor.value, run_start,
                 value_at(major, sample_t(schedule, sample_before(schedule, change))), b.colour);
        run_start = value_at(major, sample_t(schedule, change));
        minor.value = minor.next_value;
        minor.at = change;
        find_next_change(minor, schedule);
    }
    const SampleGroup &last = schedule.group[schedule.groups - 1];
    const Position end = {schedule.groups - 1, last.count - 1, last.base + last.count - 1};
    plot_run(x_major, minor.value, run_start, value_at(major, sample_t(schedule, end)), b.colour);
}

void fast_walk(const Band &b, const Schedule &schedule)
{
    const double dxm = static_cast<double>(b.fx1) - b.x0; // whole numbers, exact
    const double dym = static_cast<double>(b.fy1) - b.y0;
    if (b.p1 == 0 && b.p2 == 0 && b.p3 == 0 && b.p4 == 0) {
        fast_walk_points(b, schedule, dxm, dym);
        return;
    }
    // The six stroke coordinates: the sample point's x and y, and the far
    // ends of the two strokes. Equal ones are followed once.
    const bool along_x[6] = {true, false, true, false, true, false};
    const float offsets[6] = {0, 0, b.p1, b.p2, b.p3, b.p4};
    Follower followers[6];
    bool follower_along_x[6];
    int of[6]; // which follower gives each stroke coordinate
    int count = 0;
    for (int i = 0; i < 6; ++i) {
        of[i] = -1;
        for (int j = 0; j < count; ++j)
            if (follower_along_x[j] == along_x[i] && followers[j].offset == offsets[i])
                of[i] = j;
        if (of[i] < 0) {
            start_following(followers[count], along_x[i] ? b.x0 : b.y0, along_x[i] ? dxm : dym,
                            offsets[i], schedule);
            follower_along_x[count] = along_x[i];
            of[i] = count++;
        }
    }
    LastStrokes last{};
    for (;;) {
        const int ix = followers[of[0]].value, iy = followers[of[1]].value;
        draw_sample({ix, iy, followers[of[2]].value, followers[of[3]].value},
                    {ix, iy, followers[of[4]].value, followers[of[5]].value}, last, b.colour);
        const long long n = next_change(followers, count);
        if (n == LLONG_MAX)
            return;
        take_changes(followers, count, n, schedule);
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

    const double a = static_cast<double>(static_cast<extended>(dx) * width / length);
    const double b = static_cast<float>(static_cast<extended>(dy) * width / length);
    Band band;
    band.x0 = x0;
    band.y0 = y0;
    band.fx1 = static_cast<float>(x1);
    band.fy1 = static_cast<float>(y1);
    band.p1 = static_cast<float>(static_cast<extended>(COS_K) * a - static_cast<extended>(SIN_K) * b);
    band.p2 = static_cast<float>(static_cast<extended>(SIN_K) * a + static_cast<extended>(COS_K) * b);
    band.p3 = static_cast<float>(static_cast<extended>(COS_MK) * a - static_cast<extended>(SIN_MK) * b);
    band.p4 = static_cast<float>(static_cast<extended>(SIN_MK) * a + static_cast<extended>(COS_MK) * b);
    band.step = static_cast<extended>(0.1) / static_cast<extended>(static_cast<double>(length));
    band.colour = colour;
    if (!fast_walk_applies(x0, y0, x1, y1, width)) {
        literal_walk(band, length);
        return;
    }
    const Schedule &schedule = schedule_for(length, band.step);
    if (schedule.complete)
        fast_walk(band, schedule);
    else
        literal_walk(band, length);
}
