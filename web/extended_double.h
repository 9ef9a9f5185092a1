// Extended-precision values held in plain double (raster/extended.h), for
// measuring what the extended rounding changes in a build's pictures.
#ifndef EXTENDED_DOUBLE_H
#define EXTENDED_DOUBLE_H

#include <cmath>

using extended = double;

inline extended extended_sqrt(extended v) { return std::sqrt(v); }
inline extended extended_fabs(extended v) { return std::fabs(v); }

#endif
