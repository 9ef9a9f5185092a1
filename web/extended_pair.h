// Extended-precision values held as a pair of doubles (raster/extended.h),
// for the web build: the value is hi + lo, with |lo| at most half a unit
// in the last place of hi, about 106 bits in all.
//
// WebAssembly's own long double (binary128) is done in software, a call of
// a hundred instructions or so for each operation, which made the figures
// that compute in extended precision (the triangle splits, the five-way
// split, the hexagons) five to fifteen times slower in a page than
// natively. A pair of doubles takes a few double operations instead. The
// figures need more than double's 53 bits at a few places (where a value
// lies within double rounding of a whole pixel or of a float), not any
// particular width beyond: the x87's 64 bits, binary128's 113 and these
// 106 give every frame of every program, and every preset of the
// explorer, alike (the browser test holds every frame to the native one).
//
// Conversions to double, float and the integers round the exact value
// hi + lo as the type rounds (to nearest, ties to even; toward zero for the
// integers). Sums use the exact two-sum, products Veltkamp's split (there
// is no fused multiply-add to lean on).
#ifndef EXTENDED_PAIR_H
#define EXTENDED_PAIR_H

#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

struct extended {
    double hi = 0, lo = 0;

    constexpr extended() = default;
    constexpr extended(double v) : hi(v) {}
    constexpr extended(float v) : hi(v) {}
    constexpr extended(int v) : hi(v) {}
    constexpr extended(long v) : hi(static_cast<double>(v)) {}
    // A long long is exact in a pair up to 2^106.
    extended(long long v)
    {
        const double h = static_cast<double>(v);
        // The part that the double left out, exact in a long long when h
        // is in range (it always is: |v| < 2^63 and h rounds to 2^63 at most).
        const long long rest = h >= 9.2233720368547758e18 ? v - (static_cast<long long>(h / 2) * 2)
                                                          : v - static_cast<long long>(h);
        hi = h;
        lo = static_cast<double>(rest);
    }
    constexpr extended(unsigned v) : hi(v) {}

    explicit operator double() const { return hi; }
    explicit operator float() const;
    explicit operator long long() const;
    explicit operator int() const { return static_cast<int>(static_cast<long long>(*this)); }
    explicit operator long() const { return static_cast<long>(static_cast<long long>(*this)); }
};

namespace extended_pair {

// a + b exactly, as s + e.
inline void two_sum(double a, double b, double &s, double &e)
{
    s = a + b;
    const double bb = s - a;
    e = (a - (s - bb)) + (b - bb);
}

// The same when |a| >= |b|.
inline void quick_two_sum(double a, double b, double &s, double &e)
{
    s = a + b;
    e = b - (s - a);
}

// a into two halves of 26 bits each, a = h + l.
inline void split(double a, double &h, double &l)
{
    const double c = 134217729.0 * a; // 2^27 + 1
    h = c - (c - a);
    l = a - h;
}

// a * b exactly, as p + e.
inline void two_prod(double a, double b, double &p, double &e)
{
    p = a * b;
    double ah, al, bh, bl;
    split(a, ah, al);
    split(b, bh, bl);
    e = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}

inline extended make(double s, double e)
{
    extended r;
    quick_two_sum(s, e, r.hi, r.lo);
    return r;
}

} // namespace extended_pair

inline extended operator-(const extended &a)
{
    extended r;
    r.hi = -a.hi;
    r.lo = -a.lo;
    return r;
}

inline extended operator+(const extended &a, const extended &b)
{
    using namespace extended_pair;
    double s, e, t, f;
    two_sum(a.hi, b.hi, s, e);
    two_sum(a.lo, b.lo, t, f);
    e += t;
    quick_two_sum(s, e, s, e);
    e += f;
    return make(s, e);
}

inline extended operator-(const extended &a, const extended &b) { return a + -b; }

inline extended operator*(const extended &a, const extended &b)
{
    using namespace extended_pair;
    double p, e;
    two_prod(a.hi, b.hi, p, e);
    e += a.hi * b.lo + a.lo * b.hi;
    return make(p, e);
}

inline extended operator/(const extended &a, const extended &b)
{
    // Three quotient digits, each from the remainder of the ones before.
    const double q1 = a.hi / b.hi;
    extended r = a - b * extended(q1);
    const double q2 = r.hi / b.hi;
    r = r - b * extended(q2);
    const double q3 = r.hi / b.hi;
    return extended_pair::make(q1, q2) + extended(q3);
}

// With a double (or a float or an int, which a double holds exactly) on
// one side: the same sums, products and quotients with the other side's lo
// taken as the zero it is, which the compiler may not drop for itself (a
// product with zero is not zero for infinities, nor a sum with zero for
// minus zero). Every result has the value the pair forms give; at most the
// sign of a zero lo differs, which no comparison or conversion sees.
template <typename T>
using exact_in_double = std::enable_if_t<std::is_same_v<T, double> || std::is_same_v<T, float> ||
                                             std::is_same_v<T, int>,
                                         int>;

template <typename T, exact_in_double<T> = 0>
inline extended operator+(const extended &a, T t)
{
    using namespace extended_pair;
    double s, e;
    two_sum(a.hi, static_cast<double>(t), s, e);
    e += a.lo;
    quick_two_sum(s, e, s, e);
    return make(s, e);
}

template <typename T, exact_in_double<T> = 0>
inline extended operator+(T t, const extended &b)
{
    using namespace extended_pair;
    double s, e;
    two_sum(static_cast<double>(t), b.hi, s, e);
    e += b.lo;
    quick_two_sum(s, e, s, e);
    return make(s, e);
}

template <typename T, exact_in_double<T> = 0>
inline extended operator-(const extended &a, T t) { return a + -static_cast<double>(t); }

template <typename T, exact_in_double<T> = 0>
inline extended operator-(T t, const extended &b) { return static_cast<double>(t) + -b; }

template <typename T, exact_in_double<T> = 0>
inline extended operator*(const extended &a, T t)
{
    using namespace extended_pair;
    const double d = static_cast<double>(t);
    double p, e;
    two_prod(a.hi, d, p, e);
    e += a.lo * d;
    return make(p, e);
}

template <typename T, exact_in_double<T> = 0>
inline extended operator*(T t, const extended &b) { return b * t; }

template <typename T, exact_in_double<T> = 0>
inline extended operator/(const extended &a, T t)
{
    using namespace extended_pair;
    const double d = static_cast<double>(t);
    // As above, each remainder less the divisor times a double digit.
    const auto less = [d](const extended &r, double q) {
        double p, e;
        two_prod(d, q, p, e);
        return r - make(p, e);
    };
    const double q1 = a.hi / d;
    extended r = less(a, q1);
    const double q2 = r.hi / d;
    r = less(r, q2);
    const double q3 = r.hi / d;
    return extended_pair::make(q1, q2) + q3;
}

inline extended &operator+=(extended &a, const extended &b) { return a = a + b; }
inline extended &operator-=(extended &a, const extended &b) { return a = a - b; }
inline extended &operator*=(extended &a, const extended &b) { return a = a * b; }
inline extended &operator/=(extended &a, const extended &b) { return a = a / b; }

inline bool operator==(const extended &a, const extended &b) { return a.hi == b.hi && a.lo == b.lo; }
inline bool operator!=(const extended &a, const extended &b) { return !(a == b); }
inline bool operator<(const extended &a, const extended &b)
{
    return a.hi < b.hi || (a.hi == b.hi && a.lo < b.lo);
}
inline bool operator>(const extended &a, const extended &b) { return b < a; }
inline bool operator<=(const extended &a, const extended &b)
{
    return a.hi < b.hi || (a.hi == b.hi && a.lo <= b.lo);
}
inline bool operator>=(const extended &a, const extended &b) { return b <= a; }

// Rounded to the nearest float, ties to even: hi's float, unless the pair
// lies beyond (or on) the midpoint between that float and its neighbour
// on lo's side, which is a double.
inline extended::operator float() const
{
    const float f = static_cast<float>(hi);
    if (lo == 0 || !std::isfinite(f))
        return f;
    const double r = f;
    const float g = std::nextafter(f, lo > 0 ? std::numeric_limits<float>::infinity()
                                             : -std::numeric_limits<float>::infinity());
    if (!std::isfinite(g))
        return f;
    const double mid = (r + static_cast<double>(g)) / 2; // exact: 25 bits
    // The side of the midpoint hi + lo lies on (hi - mid is exact, and the
    // rounded sum keeps the exact sum's sign).
    const double side = (hi - mid) + lo;
    const bool beyond = lo > 0 ? side > 0 : side < 0;
    if (beyond)
        return g;
    if (side == 0) { // a tie: the float whose last bit is 0
        unsigned bits;
        std::memcpy(&bits, &f, sizeof bits);
        return (bits & 1) ? g : f;
    }
    return f;
}

// Toward zero: hi's, one less (more) where hi is whole and lo takes the
// value below (above) it.
inline extended::operator long long() const
{
    const double t = std::trunc(hi);
    long long whole = static_cast<long long>(t);
    if (t == hi) {
        if (hi > 0 && lo < 0)
            --whole;
        else if (hi < 0 && lo > 0)
            ++whole;
        else if (hi == 0 && lo != 0)
            whole = 0;
    }
    return whole;
}

inline extended extended_fabs(const extended &v) { return v.hi < 0 || (v.hi == 0 && v.lo < 0) ? -v : v; }

inline extended extended_sqrt(const extended &v)
{
    if (v.hi <= 0)
        return extended(std::sqrt(v.hi));
    // One Newton step from the double root doubles its bits.
    const double x = std::sqrt(v.hi);
    const extended square = extended(x) * extended(x);
    return extended(x) + extended(((v - square).hi) / (2 * x));
}

#endif
