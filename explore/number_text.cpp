#include "number_text.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

std::string number_text(double v)
{
    // A double that reads back from p <= 15 significant digits reads back
    // from its 15-digit form too, which %g gives without the trailing
    // zeros: so 15, 16 and 17 digits are the only ones to try, except
    // below the normal range, where fewer digits are exact.
    char text[64];
    const bool normal = std::fabs(v) >= DBL_MIN || v == 0;
    for (int digits = normal ? 15 : 1; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, v);
        if (std::strtod(text, nullptr) == v)
            break;
    }
    if (std::strchr(text, 'e') && v == std::floor(v) && std::fabs(v) < 1e15)
        std::snprintf(text, sizeof text, "%.0f", v);
    std::string shown(text);
    const size_t plus = shown.find("e+");
    if (plus != std::string::npos)
        shown.erase(plus + 1, 1);
    return shown;
}
