#include "shading.h"

#include <cmath>

namespace orvanne {

std::vector<int> ShadeRows(double height) {
    std::vector<int> rows;
    if (!(height >= 0.0) || height > 1e6)
        return rows;
    // 3.142 rather than pi: the last row then lands just past the zero of sin.
    double d = height / 3.142;
    // lrint rounds halves to even in the default rounding mode, which nothing here changes.
    long last = std::lrint(height);
    rows.reserve(static_cast<std::size_t>(last) + 1);
    for (long y = 0; y <= last; ++y) {
        double s = d > 0.0 ? std::fabs(std::sin(static_cast<double>(y) / d)) : 0.0;
        rows.push_back(static_cast<int>(std::lrint(s * 220.0)));
    }
    return rows;
}

Rgb DialogShade(int intensity) {
    auto v = static_cast<std::uint8_t>(intensity);
    return {v, v, static_cast<std::uint8_t>(intensity + 30)};
}

Rgb PanelShade(int intensity) {
    auto v = static_cast<std::uint8_t>(intensity + 30);
    return {v, v, v};
}

} // namespace orvanne
