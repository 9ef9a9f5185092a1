// extended: the type every value the programs compute in extended precision
// is held in. Each figure says which of its values are formed in extended
// precision and rounded to double or float only when they are stored; this
// is the type of those intermediate values.
//
// It is long double: natively the x87's format with a 64-bit significand,
// on which every operation rounds as the figures are defined, and in
// WebAssembly a 113-bit format, which gives every frame exactly as well.
// A build may give another definition, to see what the precision buys: it
// names a header that defines `extended` in TILINGS_EXTENDED_HEADER (the
// web build's TILINGS_WEB_EXTENDED=double does so). Values of the type take
// part in arithmetic with floats, doubles and ints, convert to them with
// static_cast, and sqrt and fabs of them are spelt extended_sqrt and
// extended_fabs.
#ifndef EXTENDED_H
#define EXTENDED_H

#ifdef TILINGS_EXTENDED_HEADER
#include TILINGS_EXTENDED_HEADER
#else
#include <cmath>

using extended = long double;

inline extended extended_sqrt(extended v) { return std::sqrt(v); }
inline extended extended_fabs(extended v) { return std::fabs(v); }
#endif

#endif
