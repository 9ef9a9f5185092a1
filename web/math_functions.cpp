// The math library's double functions that the programs call at run time,
// for the web build: each gives the correctly rounded value, the runtime's
// binary128 function rounded once to double.
//
// The native library returns the correctly rounded sin, cos, tan and atan
// for all but about one argument in five hundred (and for every argument
// of the figures compared so far); the web runtime's double versions miss
// it for several in a hundred. Defined here, they take the place of the
// runtime's for the programs. (sqrt is exact everywhere; pow, which the
// programs call with small whole exponents, is left to the runtime.)
#include <math.h>

extern "C" {
double sin(double x) { return static_cast<double>(sinl(x)); }
double cos(double x) { return static_cast<double>(cosl(x)); }
double tan(double x) { return static_cast<double>(tanl(x)); }
double atan(double x) { return static_cast<double>(atanl(x)); }
}
