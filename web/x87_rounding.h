// Long double arithmetic rounded as the x87 rounds it, on values held in
// the IEEE binary128 format.
//
// The native programs evaluate long double on the x87, whose registers
// hold a 64-bit significand (with the 15-bit exponent of binary128). In
// WebAssembly long double is binary128, with a 113-bit significand, and its
// operations are done in software. These routines give the four operations
// and the square root the x87's result instead: they round their operands
// to 64 significant
// bits (the value an x87 register holds), compute the exact result and
// round it to 64 significant bits, to nearest with ties to even. The result
// is a binary128 whose last 49 fraction bits are zero, so converting it to
// double or float rounds it exactly as the native program does.
//
// Values below the normal range of binary128 (under 2^-16382) are flushed
// towards zero without care for their rounding; no figure comes near them.
#ifndef X87_ROUNDING_H
#define X87_ROUNDING_H

#include <cstdint>

// The bits of a binary128: sign, 15-bit biased exponent and the top 48
// fraction bits in `high`, the low 64 fraction bits in `low`.
struct QuadBits {
    uint64_t high, low;
};

// a rounded to 64 significant bits.
QuadBits x87_round(QuadBits a);
QuadBits x87_add(QuadBits a, QuadBits b);
QuadBits x87_subtract(QuadBits a, QuadBits b);
QuadBits x87_multiply(QuadBits a, QuadBits b);
QuadBits x87_divide(QuadBits a, QuadBits b);
QuadBits x87_sqrt(QuadBits a);

#endif
