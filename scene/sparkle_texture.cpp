#include "sparkle_texture.h"

#include <cmath>

namespace orvanne {

uint8_t sparkle_texel(int row, int column) {
    // The single-precision pi, widened: the texel values depend on it.
    const double pi = static_cast<double>(3.1415927f);
    double a = (row - 64) / 64.0;
    double b = (column - 64) / 64.0;
    double v = 0.6 * std::cos(pi - pi / (std::fabs(a + b) + 1.0)) +
               0.6 * std::cos(pi - pi / (std::fabs(a - b) + 1.0));
    if (v < 0.0)
        v = 0.0;
    if (v > 1.0)
        v = 1.0;
    return static_cast<uint8_t>(v * 255.0);
}

void fill_sparkle(uint8_t* rgb) {
    for (int i = 0; i < sparkle_size; ++i) {
        for (int j = 0; j < sparkle_size; ++j) {
            uint8_t v = sparkle_texel(i, j);
            *rgb++ = v;
            *rgb++ = v;
            *rgb++ = v;
        }
    }
}

} // namespace orvanne
