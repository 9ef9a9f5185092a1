// x87_extended: the type the web build compiles in place of long double.
//
// The programs compute in long double, which natively is the x87's
// extended format: a 64-bit significand, and every operation rounded to
// it. In WebAssembly long double has a 113-bit significand, so an
// expression that the programs round to float or double at the end could
// come out differently wherever its exact value lies close to a rounding
// boundary. tools/build_web.sh therefore compiles the sources with long
// double spelt x87_extended, and every translation unit includes this
// header first: an x87_extended holds its value in a binary128 rounded to
// 64 significant bits, and its +, -, *, / and square root round exactly
// as the x87 does (x87_rounding.h). Conversions to float, double and the
// integers round or truncate that value as natively; conversions from
// them, and from long double literals (all of them exact here), round to
// 64 bits. Mixed arithmetic converts the other operand first, as the
// native long double arithmetic does.
//
// On the native build it holds its value in __float128, so that the test
// suite can check it against the x87 itself.
#ifndef X87_EXTENDED_H
#define X87_EXTENDED_H

#ifdef __cplusplus

#include "x87_rounding.h"

#include <cmath>
#include <cstring>
#include <type_traits>

class x87_extended {
public:
#ifdef __EMSCRIPTEN__
    using quad = long double;
#else
    using quad = __float128;
#endif

    // Floats, doubles and integers of up to 64 bits are x87 values as they
    // are; a long double, or a wider integer, is rounded (exactly as the x87
    // rounds it below 2^113).
    x87_extended() = default;
    x87_extended(float v) : value_(v) {}
    x87_extended(double v) : value_(v) {}
    x87_extended(long double v) : value_(round(static_cast<quad>(v))) {}
    template <class I, std::enable_if_t<std::is_integral_v<I> && sizeof(I) <= 8, int> = 0>
    x87_extended(I v) : value_(static_cast<quad>(v))
    {
    }
    x87_extended(__int128 v) : value_(round(static_cast<quad>(v))) {}
    x87_extended(unsigned __int128 v) : value_(round(static_cast<quad>(v))) {}

    explicit operator float() const { return static_cast<float>(value_); }
    explicit operator double() const { return static_cast<double>(value_); }
    explicit operator long double() const { return static_cast<long double>(value_); }
    template <class I, std::enable_if_t<std::is_integral_v<I>, int> = 0>
    explicit operator I() const
    {
        return static_cast<I>(value_);
    }

    friend x87_extended operator+(x87_extended a, x87_extended b)
    {
        return from_bits(x87_add(a.bits(), b.bits()));
    }
    friend x87_extended operator-(x87_extended a, x87_extended b)
    {
        return from_bits(x87_subtract(a.bits(), b.bits()));
    }
    friend x87_extended operator*(x87_extended a, x87_extended b)
    {
        return from_bits(x87_multiply(a.bits(), b.bits()));
    }
    friend x87_extended operator/(x87_extended a, x87_extended b)
    {
        return from_bits(x87_divide(a.bits(), b.bits()));
    }
    friend x87_extended operator-(x87_extended a) { return from_quad(-a.value_); }
    friend x87_extended operator+(x87_extended a) { return a; }
    x87_extended &operator+=(x87_extended b) { return *this = *this + b; }
    x87_extended &operator-=(x87_extended b) { return *this = *this - b; }
    x87_extended &operator*=(x87_extended b) { return *this = *this * b; }
    x87_extended &operator/=(x87_extended b) { return *this = *this / b; }

    friend bool operator==(x87_extended a, x87_extended b) { return a.value_ == b.value_; }
    friend bool operator!=(x87_extended a, x87_extended b) { return a.value_ != b.value_; }
    friend bool operator<(x87_extended a, x87_extended b) { return a.value_ < b.value_; }
    friend bool operator<=(x87_extended a, x87_extended b) { return a.value_ <= b.value_; }
    friend bool operator>(x87_extended a, x87_extended b) { return a.value_ > b.value_; }
    friend bool operator>=(x87_extended a, x87_extended b) { return a.value_ >= b.value_; }

    static x87_extended square_root(x87_extended a) { return from_bits(x87_sqrt(a.bits())); }
    static x87_extended magnitude(x87_extended a)
    {
        return from_quad(a.value_ < 0 ? -a.value_ : a.value_);
    }

private:
    quad value_;

    QuadBits bits() const
    {
        uint64_t words[2]; // little-endian: the low word first
        std::memcpy(words, &value_, sizeof words);
        return {words[1], words[0]};
    }
    static x87_extended from_bits(QuadBits q)
    {
        const uint64_t words[2] = {q.low, q.high};
        x87_extended v;
        std::memcpy(&v.value_, words, sizeof words);
        return v;
    }
    static x87_extended from_quad(quad q)
    {
        x87_extended v;
        v.value_ = q;
        return v;
    }
    // A value rounded to 64 significant bits.
    static quad round(quad q) { return from_bits(x87_round(from_quad(q).bits())).value_; }
};

static_assert(sizeof(x87_extended::quad) == 16, "binary128 is 16 bytes");

// The library's functions of long double that the programs use, for
// x87_extended, called as std::f or plain f.
inline x87_extended sqrt(x87_extended a) { return x87_extended::square_root(a); }
inline x87_extended fabs(x87_extended a) { return x87_extended::magnitude(a); }
namespace std {
inline x87_extended sqrt(x87_extended a) { return x87_extended::square_root(a); }
inline x87_extended fabs(x87_extended a) { return x87_extended::magnitude(a); }
inline x87_extended abs(x87_extended a) { return x87_extended::magnitude(a); }
} // namespace std

#endif
#endif
