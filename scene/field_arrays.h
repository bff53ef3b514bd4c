// One frame of the field as client-side arrays: each jewel's square with its corners
// turned on the CPU, so that the whole field goes to GL in a single draw.
#pragma once

#include "jewel_field.h"

namespace orvanne {

// One corner as GL reads it from the interleaved arrays: position, texture coordinates,
// colour (alpha unclamped).
struct Corner {
    float x;
    float y;
    float z;
    float s;
    float t;
    float red;
    float green;
    float blue;
    float alpha;
};

constexpr int corners_per_jewel = 4;
constexpr int field_corner_count = jewel_count * corners_per_jewel;

// The square of a placed jewel turned by its spin about the view axis, as glRotatef
// would turn it: corners (+,+), (-,+), (-,-), (+,-) of half side 0.2, with texture
// coordinates (1,1), (0,1), (0,0), (1,0).
void place_corners(const Placement& p, Corner* corners);

// One frame of the field: steps every jewel in order (see step_jewel) and writes its
// square to corners[4 * i ...].
void step_field(Jewel* jewels, float fps, RandomSource& random, Corner* corners);

} // namespace orvanne
