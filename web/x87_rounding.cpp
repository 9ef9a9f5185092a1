// Long double arithmetic rounded as the x87 rounds it (see x87_rounding.h):
// each operand is taken apart into a 64-bit significand and an exponent,
// the exact result is formed in 128-bit integers (with a sticky bit for
// what lies beyond), and rounded once.
#include "x87_rounding.h"

namespace {

using u128 = unsigned __int128;

constexpr int BIAS = 16383;
constexpr int MAX_EXPONENT = 0x7fff;
constexpr uint64_t SIGN = uint64_t(1) << 63;
constexpr uint64_t TOP = uint64_t(1) << 63;

enum class Kind { zero, finite, infinite, nan };

// A value m 2^(e - 63), m of 64 bits with its top bit set (for a finite
// non-zero value).
struct Number {
    Kind kind;
    bool negative;
    int e;
    uint64_t m;
};

int leading_zeros(u128 v)
{
    const uint64_t high = uint64_t(v >> 64);
    return high ? __builtin_clzll(high) : 64 + __builtin_clzll(uint64_t(v));
}

// The value sig 2^(e - 127), plus a positive amount below the last bit of
// sig when `sticky`, rounded to 64 significant bits, to nearest with ties
// to even. sig is not 0.
Number round_to_x87(bool negative, int e, u128 sig, bool sticky)
{
    const int shift = leading_zeros(sig);
    sig <<= shift; // only exact results are shifted more than a bit or two
    e -= shift;
    uint64_t m = uint64_t(sig >> 64);
    const uint64_t rest = uint64_t(sig);
    const bool up = rest > TOP || (rest == TOP && (sticky || (m & 1)));
    if (up && ++m == 0) {
        m = TOP;
        ++e;
    }
    return {Kind::finite, negative, e, m};
}

Number unpack(QuadBits q)
{
    const bool negative = q.high & SIGN;
    const int biased = int(q.high >> 48) & MAX_EXPONENT;
    const u128 fraction = (u128(q.high & 0xffffffffffff) << 64) | q.low;
    if (biased == MAX_EXPONENT)
        return {fraction ? Kind::nan : Kind::infinite, negative, 0, 0};
    if (biased == 0 && fraction == 0)
        return {Kind::zero, negative, 0, 0};
    // The 113-bit significand, 1.f for a normal value (0.f below them).
    const u128 sig = biased ? fraction | (u128(1) << 112) : fraction;
    return round_to_x87(negative, (biased ? biased : 1) - BIAS + 15, sig, false);
}

QuadBits pack(const Number &n)
{
    const uint64_t sign = n.negative ? SIGN : 0;
    if (n.kind == Kind::nan)
        return {0x7fff800000000000, 0};
    if (n.kind == Kind::zero)
        return {sign, 0};
    int biased = n.e + BIAS;
    if (n.kind == Kind::infinite || biased >= MAX_EXPONENT)
        return {sign | uint64_t(MAX_EXPONENT) << 48, 0};
    u128 sig = u128(n.m) << 49; // 1.f with f of 112 bits
    if (biased <= 0) {
        sig = 1 - biased < 113 ? sig >> (1 - biased) : 0;
        biased = 0;
    }
    const u128 fraction = sig & ((u128(1) << 112) - 1);
    return {sign | uint64_t(biased) << 48 | uint64_t(fraction >> 64), uint64_t(fraction)};
}

Number nan() { return {Kind::nan, false, 0, 0}; }

bool magnitude_below(const Number &a, const Number &b)
{
    return a.e < b.e || (a.e == b.e && a.m < b.m);
}

Number add(Number a, Number b)
{
    if (a.kind == Kind::nan || b.kind == Kind::nan)
        return nan();
    if (a.kind == Kind::infinite || b.kind == Kind::infinite) {
        if (a.kind == Kind::infinite && b.kind == Kind::infinite && a.negative != b.negative)
            return nan();
        return a.kind == Kind::infinite ? a : b;
    }
    if (b.kind == Kind::zero) {
        if (a.kind == Kind::zero)
            a.negative = a.negative && b.negative;
        return a;
    }
    if (a.kind == Kind::zero)
        return b;
    if (magnitude_below(a, b)) {
        const Number t = a;
        a = b;
        b = t;
    }
    // Both significands with their top bit at bit 126, b's shifted right to
    // a's exponent; what falls out of it is kept as `sticky`.
    const int d = a.e - b.e;
    const u128 big = u128(a.m) << 63;
    u128 small = u128(b.m) << 63;
    bool sticky = false;
    if (d >= 127) {
        small = 0;
        sticky = true;
    } else if (d > 0) {
        sticky = (small & ((u128(1) << d) - 1)) != 0;
        small >>= d;
    }
    if (a.negative == b.negative)
        return round_to_x87(a.negative, a.e + 1, big + small, sticky);
    // The part of b below the last bit makes the difference a little
    // smaller than big - small: one less, plus a positive amount below.
    const u128 difference = big - small - (sticky ? 1 : 0);
    if (difference == 0 && !sticky)
        return {Kind::zero, false, 0, 0};
    return round_to_x87(a.negative, a.e + 1, difference, sticky);
}

Number multiply(const Number &a, const Number &b)
{
    const bool negative = a.negative != b.negative;
    if (a.kind == Kind::nan || b.kind == Kind::nan)
        return nan();
    if (a.kind == Kind::infinite || b.kind == Kind::infinite) {
        if (a.kind == Kind::zero || b.kind == Kind::zero)
            return nan();
        return {Kind::infinite, negative, 0, 0};
    }
    if (a.kind == Kind::zero || b.kind == Kind::zero)
        return {Kind::zero, negative, 0, 0};
    return round_to_x87(negative, a.e + b.e + 1, u128(a.m) * b.m, false);
}

Number divide(const Number &a, const Number &b)
{
    const bool negative = a.negative != b.negative;
    if (a.kind == Kind::nan || b.kind == Kind::nan)
        return nan();
    if (a.kind == Kind::infinite)
        return b.kind == Kind::infinite ? nan() : Number{Kind::infinite, negative, 0, 0};
    if (b.kind == Kind::infinite)
        return {Kind::zero, negative, 0, 0};
    if (b.kind == Kind::zero)
        return a.kind == Kind::zero ? nan() : Number{Kind::infinite, negative, 0, 0};
    if (a.kind == Kind::zero)
        return {Kind::zero, negative, 0, 0};
    // (a.m 2^63) / b.m in two 64-bit steps: a quotient of 126 or more bits
    // and the remainder's sign for the rest.
    const u128 numerator = u128(a.m) << 63;
    const u128 first = numerator / b.m;
    const u128 second = ((numerator % b.m) << 64) / b.m;
    const bool sticky = (((numerator % b.m) << 64) % b.m) != 0;
    return round_to_x87(negative, a.e - b.e, first << 64 | second, sticky);
}

// The largest r with r * r <= s, for s below 2^128.
uint64_t integer_sqrt(u128 s)
{
    // The double's root, which can round up to 2^64, then Newton steps.
    const double root = __builtin_sqrt(static_cast<double>(s));
    uint64_t r = root >= 0x1p64 ? ~uint64_t(0) : static_cast<uint64_t>(root);
    for (int i = 0; i < 2 && r != 0; ++i)
        r = static_cast<uint64_t>((u128(r) + s / r) / 2);
    while (u128(r) * r > s)
        --r;
    while (r != ~uint64_t(0) && u128(r + 1) * (r + 1) <= s)
        ++r;
    return r;
}

Number square_root(const Number &a)
{
    if (a.kind == Kind::nan || (a.negative && a.kind != Kind::zero))
        return nan();
    if (a.kind != Kind::finite)
        return a;
    // a = s 2^k with k even and s of 127 or 128 bits; its root r 2^(k/2),
    // r of 64 bits, rounds up when s - r^2 > r (a tie cannot occur).
    const bool odd = (a.e - 63) % 2 != 0;
    const u128 s = u128(a.m) << (odd ? 63 : 64);
    const int k = a.e - 63 - (odd ? 63 : 64);
    const uint64_t r = integer_sqrt(s);
    const bool up = s - u128(r) * r > r;
    return round_to_x87(false, k / 2 + 63, u128(r) << 64 | (up ? TOP : 0), up);
}

QuadBits negated(QuadBits q)
{
    q.high ^= SIGN;
    return q;
}

} // namespace

QuadBits x87_round(QuadBits a) { return pack(unpack(a)); }

QuadBits x87_add(QuadBits a, QuadBits b) { return pack(add(unpack(a), unpack(b))); }

QuadBits x87_subtract(QuadBits a, QuadBits b) { return x87_add(a, negated(b)); }

QuadBits x87_multiply(QuadBits a, QuadBits b) { return pack(multiply(unpack(a), unpack(b))); }

QuadBits x87_divide(QuadBits a, QuadBits b) { return pack(divide(unpack(a), unpack(b))); }

QuadBits x87_sqrt(QuadBits a) { return pack(square_root(unpack(a))); }
