// Thick lines: the centre line, then at every tenth of a pixel along it two
// strokes at right angles, one to each side, each a draw_line between
// integer points.
//
// The precisions are part of the picture: the length L and the side offsets
// are single-precision floats, the sample parameter t is a float advanced
// by 0.1 / L, and everything in between is evaluated in extended precision
// and rounded only where a float or double is held.
#include "raster.h"

#include <cmath>

namespace {

using ld = long double;

// The angle of the side strokes: pi / 2 rounded to float.
constexpr float QUARTER_TURN = 1.5707963705062866f;

} // namespace

void draw_thick_line(int x0, int y0, int x1, int y1, int width, Uint32 colour)
{
    draw_line(x0, y0, x1, y1, colour);

    const long long dx = static_cast<long long>(x1) - x0;
    const long long dy = static_cast<long long>(y1) - y0;
    const __int128 squares = static_cast<__int128>(dx) * dx + static_cast<__int128>(dy) * dy;
    const float length = static_cast<float>(std::sqrt(static_cast<double>(squares)));
    if (length == 0)
        return;

    const double a = static_cast<double>(static_cast<ld>(dx) * width / length);
    const double b = static_cast<float>(static_cast<ld>(dy) * width / length);
    const double cos_k = std::cos(static_cast<double>(QUARTER_TURN));
    const double sin_k = std::sin(static_cast<double>(QUARTER_TURN));
    const double cos_mk = std::cos(static_cast<double>(-QUARTER_TURN));
    const double sin_mk = std::sin(static_cast<double>(-QUARTER_TURN));
    const float p1 = static_cast<float>(static_cast<ld>(cos_k) * a - static_cast<ld>(sin_k) * b);
    const float p2 = static_cast<float>(static_cast<ld>(sin_k) * a + static_cast<ld>(cos_k) * b);
    const float p3 = static_cast<float>(static_cast<ld>(cos_mk) * a - static_cast<ld>(sin_mk) * b);
    const float p4 = static_cast<float>(static_cast<ld>(sin_mk) * a + static_cast<ld>(cos_mk) * b);

    const float fx1 = static_cast<float>(x1);
    const float fy1 = static_cast<float>(y1);
    const ld step = static_cast<ld>(0.1) / static_cast<ld>(static_cast<double>(length));
    float t = 0;
    do {
        const float xs = static_cast<float>(static_cast<ld>(x0) * (1 - static_cast<ld>(t)) +
                                            static_cast<ld>(fx1) * t);
        const float ys = static_cast<float>(static_cast<ld>(fy1) * t +
                                            static_cast<ld>(y0) * (1 - static_cast<ld>(t)));
        const int ix = trunc_int(xs);
        const int iy = trunc_int(ys);
        draw_line(ix, iy, trunc_int(static_cast<ld>(xs) - p1),
                  trunc_int(static_cast<ld>(ys) - p2), colour);
        draw_line(ix, iy, trunc_int(static_cast<ld>(xs) - p3),
                  trunc_int(static_cast<ld>(ys) - p4), colour);
        const float next = static_cast<float>(t + step);
        // On a segment millions of pixels long the step can fall below half
        // a float's spacing, so that t stops growing: every later sample
        // would repeat this one, and the band is complete as it stands.
        if (next == t)
            break;
        t = next;
    } while (t <= 1.0f);
}
