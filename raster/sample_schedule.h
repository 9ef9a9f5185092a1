// Kernel-internal: the samples of a thick line's parameter t, which depend
// on the segment's length L alone. t starts at 0, and each step takes it
// to float(t + step), step = 0.1 / L and the sum both formed in extended
// precision; the samples end before a step that would pass 1 or no longer
// move t. Samples are numbered from 0.
//
// They are laid out once per length as runs of evenly spaced samples.
// Within a binade [2^(e-1), 2^e) of t, with u = 2^(e-24) the float spacing
// there, take a sample t' whose sum t' + step lies below 2^e. The sum is
// rounded to the extended grid 2^(e-64), on which t' lies: the result is
// t' + r, r the step rounded on that grid, the same for every such t' (t'
// being an even multiple of the grid, ties to even agree). Rounding to
// float then adds r rounded to a multiple of u, again the same for every
// t', but where r / u lies halfway between two whole numbers: there ties to
// even choose by the parity of t' / u, and the result is always even, so
// that from an even t' every step adds the same increment, while the steps
// from an odd t' and from the (even) sample after it differ. So a binade's
// samples are one run, or the first alone and the rest one run, as long as
// the sums stay below 2^e; the step from every run's last sample is taken
// as it comes. With L below 2^33, t is 0 or at least 2^-37: at most 38
// binades, 2 runs each, and the first sample.
#ifndef RASTER_SAMPLE_SCHEDULE_H
#define RASTER_SAMPLE_SCHEDULE_H

#include "extended.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

struct SampleRun {
    double first, increment; // sample base + j is first + j * increment
    double per_increment;    // 1 / increment (0 for a run of one sample)
    long long base, count;
};

constexpr int MAX_SAMPLE_RUNS = 80;

struct SampleSchedule {
    float length; // 0 for a schedule not laid out
    int runs;
    long long samples; // how many in all
    SampleRun run[MAX_SAMPLE_RUNS];
};

inline void lay_out_samples(SampleSchedule &s, float length)
{
    const extended step = static_cast<extended>(0.1) / static_cast<extended>(static_cast<double>(length));
    auto after = [&](float t) { return static_cast<float>(t + step); };
    auto binade = [](float t) { // the exponent field of a float t > 0
        uint32_t bits;
        std::memcpy(&bits, &t, sizeof bits);
        return bits >> 23;
    };
    s.length = length;
    s.runs = 0;
    s.samples = 0;
    for (float t = 0;;) {
        // A run starts at t when the steps from t and from the next sample
        // add the same increment within t's binade: then t is even where
        // that matters. (A sample at t = 1 is the last: it starts no run.) It holds the samples t + j increment from j = 0 on
        // whose sums stay below the top of the binade, and the one after
        // the last of them: m + 1 samples, m guessed, then checked. Every
        // value here is a multiple of u below 2^(e+1), exact in double.
        float next = after(t);
        const double increment = static_cast<double>(next) - t;
        long long m = 0;
        if (t > 0 && t < 1 && next > t && binade(next) == binade(t) && after(next) - next == increment) {
            const uint32_t top_bits = (binade(t) + 1) << 23; // 2^e as a float
            float top_float;
            std::memcpy(&top_float, &top_bits, sizeof top_float);
            const double top = top_float;
            auto below = [&](long long j) { return t + j * increment + step < top; };
            m = static_cast<long long>(std::max(0.0, (top - t - static_cast<double>(step)) / increment));
            while (m > 0 && !below(m - 1))
                --m;
            while (below(m))
                ++m;
            t = static_cast<float>(t + m * increment);
            next = after(t);
        }
        s.run[s.runs++] = {t - m * increment, m > 0 ? increment : 0, m > 0 ? 1 / increment : 0,
                           s.samples, m + 1};
        s.samples += m + 1;
        if (next == t || !(next <= 1.0f) || s.runs == MAX_SAMPLE_RUNS)
            return;
        t = next;
    }
}

// Sample n's t, from its run (most samples lie in the last runs).
inline float sample_t(const SampleSchedule &s, long long n)
{
    int r = s.runs - 1;
    while (s.run[r].base > n)
        --r;
    return static_cast<float>(s.run[r].first + static_cast<double>(n - s.run[r].base) * s.run[r].increment);
}

// The first sample after sample `after` whose t is at least t: its number
// (s.samples if there is none) and, in `sample`, its t. `run` names a run
// whose first sample lies before t, or run 0, to look from (the runs are in
// order of t); it is left at the run looked in, for a later t.
inline long long first_sample_from(const SampleSchedule &s, long long after, double t, float &sample,
                                   int &run)
{
    while (run + 1 < s.runs && s.run[run + 1].first < t)
        ++run;
    const SampleRun &r = s.run[run];
    long long j = 0; // the first at or after t is sample j of the run, or the next run's first
    if (r.first < t) {
        // Guessed within one, then checked against the samples (exact).
        const double q = r.increment > 0 ? (t - r.first) * r.per_increment : HUGE_VAL;
        j = q < static_cast<double>(r.count) ? static_cast<long long>(q) + 1 : r.count;
        if (r.first + static_cast<double>(j - 1) * r.increment >= t)
            --j;
        else if (j < r.count && r.first + static_cast<double>(j) * r.increment < t)
            ++j;
    }
    const long long n = std::max(r.base + j, after + 1);
    if (n >= s.samples)
        return s.samples;
    sample = n - r.base < r.count ? static_cast<float>(r.first + static_cast<double>(n - r.base) * r.increment)
                                  : sample_t(s, n);
    return n;
}

#endif
