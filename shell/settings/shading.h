// Vertical shading of the settings dialog and its panel: darkest at the top and
// bottom edges, lightest halfway down.
#pragma once

#include <cstdint>
#include <vector>

namespace orvanne {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// Intensity 0..220 of each row y = 0 .. round(height), inclusive: one value more
// than the surface has rows, the last one falls just below it.
std::vector<int> ShadeRows(double height);

// Bluish on the dialog itself, grey on the panel.
Rgb DialogShade(int intensity);
Rgb PanelShade(int intensity);

} // namespace orvanne
