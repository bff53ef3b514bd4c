#include "field_arrays.h"

#include <cmath>

namespace orvanne {

void place_corners(const Placement& p, Corner* corners) {
    constexpr float half = 0.2f;
    constexpr float radians_per_degree = 3.14159265358979323846f / 180.0f;
    const float c = std::cos(p.spin * radians_per_degree);
    const float s = std::sin(p.spin * radians_per_degree);
    static const float signs[corners_per_jewel][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
    for (int k = 0; k < corners_per_jewel; ++k) {
        const float x = p.x + signs[k][0] * half;
        const float y = p.y + signs[k][1] * half;
        Corner& corner = corners[k];
        corner.x = c * x - s * y;
        corner.y = s * x + c * y;
        corner.z = p.z;
        corner.s = signs[k][0] > 0 ? 1.0f : 0.0f;
        corner.t = signs[k][1] > 0 ? 1.0f : 0.0f;
        corner.red = p.red;
        corner.green = p.green;
        corner.blue = p.blue;
        corner.alpha = p.alpha;
    }
}

void step_field(Jewel* jewels, float fps, RandomSource& random, Corner* corners) {
    for (int i = 0; i < jewel_count; ++i)
        place_corners(step_jewel(jewels[i], fps, random), corners + i * corners_per_jewel);
}

} // namespace orvanne
