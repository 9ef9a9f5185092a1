// x87_extended, the web build's long double, against the x87 itself: on
// random operands of every magnitude, on operands whose exact result is a
// rounding tie or near one, on cancellations, and in the conversions the
// programs make, each operation gives exactly the native long double.
#include "x87_extended.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>
#include <sstream>
#include <string>

namespace {

#if LDBL_MANT_DIG == 64

std::mt19937_64 random_bits(2024);

// m 2^(e - 63) with a random 64-bit m (top bit set) and e in [low, high].
long double random_value(int low, int high)
{
    const uint64_t m = random_bits() | (uint64_t(1) << 63);
    const int e = low + int(random_bits() % uint64_t(high - low + 1));
    const long double v = std::ldexp(static_cast<long double>(m), e - 63);
    return random_bits() & 1 ? -v : v;
}

long double native(x87_extended v) { return static_cast<long double>(v); }

bool same(long double a, long double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::memcmp(&a, &b, 10) == 0; // sign, exponent and significand
}

// Counts the operations on a and b whose results differ from the x87's,
// and keeps the first of them.
struct Mismatches {
    long count = 0;
    std::string first;

    void check(long double got, long double expected, const char *what, long double a,
               long double b)
    {
        if (same(got, expected) || count++)
            return;
        std::ostringstream text;
        text << std::hexfloat << what << " of " << a << " and " << b << ": " << got
             << ", the x87 gives " << expected;
        first = text.str();
    }

    void operations(long double a, long double b)
    {
        const x87_extended xa = a, xb = b;
        check(native(xa + xb), a + b, "sum", a, b);
        check(native(xa - xb), a - b, "difference", a, b);
        check(native(xa * xb), a * b, "product", a, b);
        check(native(xa / xb), a / b, "quotient", a, b);
        check(native(std::sqrt(std::fabs(xa))), std::sqrt(std::fabs(a)), "root", a, 0);
    }
};

TEST(X87Extended, OperationsOnRandomOperandsOfEveryMagnitude)
{
    Mismatches m;
    for (int i = 0; i < 200000; ++i)
        m.operations(random_value(-70, 70), random_value(-70, 70));
    EXPECT_EQ(m.count, 0) << m.first;
}

TEST(X87Extended, CancellationsAndNearbyExponents)
{
    Mismatches m;
    for (int i = 0; i < 200000; ++i) {
        const long double a = random_value(0, 2);
        m.operations(a, std::fabs(random_value(0, 2)) * (a < 0 ? 1 : -1));
        // b within a few units of the last place of a.
        const long double b = -a + std::ldexp(static_cast<long double>(int(random_bits() % 9) - 4),
                                              std::ilogb(a) - 63);
        m.operations(a, b);
    }
    EXPECT_EQ(m.count, 0) << m.first;
}

TEST(X87Extended, ExactResultsOnOrNextToARoundingTie)
{
    Mismatches m;
    for (int i = 0; i < 100000; ++i) {
        // Nudges whose bits fall inside the sum's extra bits, and below them.
        const long double nudge = 1 + std::ldexp(1.0L, i % 2 ? -40 : -63);
        // a of any significand, or a power of two (where the last place
        // below it is half as wide).
        const long double a =
            i % 4 ? random_value(0, 0) : std::ldexp(random_bits() & 1 ? 1.0L : -1.0L, i % 7);
        // Half a unit of a's last place, exactly or nudged by bits that lie
        // beyond the sum's last place, and the small factors whose products
        // end in a half.
        const long double half = std::ldexp(1.0L, std::ilogb(a) - 64);
        for (const long double b : {half, -half, half * 1.5L, half * 0.75L, half * 3,
                                    half * nudge, -half * nudge, half / nudge, -half / nudge,
                                    half / 2 * nudge, -half / 2 * nudge, -half / 2 / nudge})
            m.operations(a, b);
        for (const long double f : {1.5L, 0.75L, 1.25L, 3.0L, 2.5L})
            m.operations(a, f);
    }
    EXPECT_EQ(m.count, 0) << m.first;
}

TEST(X87Extended, SquareRootsNextToTheMiddleOfTwoValues)
{
    // The roots of (2^63 + j) 2^k and (2^64 - j) 2^k lie next to the middle
    // between two 64-bit values for small j: (2^63 + 1) 2^-63 has the root
    // 1 + 2^-64 - 2^-128 + ..., just below the middle.
    Mismatches m;
    for (int k = -4; k <= 4; ++k)
        for (uint64_t j = 0; j < 64; ++j)
            for (const uint64_t bits : {(uint64_t(1) << 63) + j, ~uint64_t(0) - j}) {
                const long double a = std::ldexp(static_cast<long double>(bits), k - 63);
                m.check(native(std::sqrt(x87_extended(a))), std::sqrt(a), "root", a, 0);
            }
    EXPECT_EQ(m.count, 0) << m.first;
}

TEST(X87Extended, ConversionsAsTheProgramsMakeThem)
{
    std::uniform_real_distribution<double> spread(-3000, 3000);
    for (int i = 0; i < 100000; ++i) {
        const double d = spread(random_bits);
        const float f = static_cast<float>(spread(random_bits));
        const long long n = static_cast<long long>(random_bits());
        EXPECT_TRUE(same(native(x87_extended(d)), d));
        EXPECT_TRUE(same(native(x87_extended(f)), f));
        EXPECT_TRUE(same(native(x87_extended(n)), static_cast<long double>(n)));
        const __int128 wide = static_cast<__int128>(n) * static_cast<long long>(random_bits() >> 16);
        EXPECT_TRUE(same(native(x87_extended(wide)), static_cast<long double>(wide)));
        const long double v = random_value(-30, 12);
        EXPECT_EQ(static_cast<float>(x87_extended(v)), static_cast<float>(v));
        EXPECT_EQ(static_cast<double>(x87_extended(v)), static_cast<double>(v));
        EXPECT_EQ(static_cast<int>(x87_extended(v)), static_cast<int>(v));
        // Mixed arithmetic as the figures write it: float and double
        // operands, an extended sum, rounded to float.
        const x87_extended mixed = static_cast<x87_extended>(f) * d + 0.5L;
        EXPECT_EQ(static_cast<float>(mixed),
                  static_cast<float>(static_cast<long double>(f) * d + 0.5L));
    }
    // A 113-bit long double (not an x87 value) rounds to 64 bits first.
    const long double third = 1.0L / 3;
    EXPECT_TRUE(same(native(x87_extended(third)), third));
}

TEST(X87Extended, ZerosInfinitiesAndNaNs)
{
    const long double inf = HUGE_VALL, zero = 0.0L;
    const x87_extended x_inf = inf, x_zero = zero, x_one = 1.0L;
    EXPECT_TRUE(same(native(x_one - x_one), 1.0L - 1.0L));
    EXPECT_TRUE(same(native(-x_zero + -x_zero), -zero + -zero));
    EXPECT_TRUE(same(native(-x_zero + x_zero), -zero + zero));
    EXPECT_TRUE(same(native(-x_one * x_zero), -1.0L * zero));
    EXPECT_TRUE(same(native(x_one / x_zero), 1.0L / zero));
    EXPECT_TRUE(same(native(x_inf - x_inf), inf - inf));
    EXPECT_TRUE(same(native(x_zero / x_zero), zero / zero));
    EXPECT_TRUE(same(native(x_one / x_inf), 1.0L / inf));
    EXPECT_TRUE(same(native(x_inf * x_zero), inf * zero));
    EXPECT_TRUE(same(native(std::sqrt(-x_one)), std::sqrt(-1.0L)));
    EXPECT_TRUE(same(native(std::sqrt(-x_zero)), std::sqrt(-zero)));
    const x87_extended nan = x_zero / x_zero;
    EXPECT_TRUE(nan != nan);
}

#else

TEST(X87Extended, NeedsTheX87)
{
    GTEST_SKIP() << "x87_test: long double is not the x87's extended format here";
}

#endif

} // namespace
