// Numbers as text, the same on every machine: the explorer's address and
// the tile data it writes.
#ifndef NUMBER_TEXT_H
#define NUMBER_TEXT_H

#include <string>

// The shortest decimal that reads back as v exactly; whole numbers below
// 10^15 as such ("50", not "5e+01"), and no '+' in an exponent ("1e20"),
// which would read as a space in an address.
std::string number_text(double v);

#endif
