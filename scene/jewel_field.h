// The jewel field without any drawing: records, their reset and their motion per frame.
// Platform-free, so the host can also compute a still of the field.
#pragma once

#include <cstdint>

namespace orvanne {

// One glint: where it is on its path, where the path goes, its own turn and colour.
struct Jewel {
    float travel;
    float dir_x;
    float dir_y;
    float dir_z;
    float spin;
    float red;
    float green;
    float blue;
};

constexpr int jewel_count = 1024;
constexpr int random_max = 32767;

// Gives uniform integers 0..random_max, both ends possible.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual int next() = 0;
};

// A portable 15-bit linear congruential generator, for callers whose C library rand()
// has another range (glibc's goes to 2^31 - 1).
class SeededRandom : public RandomSource {
  public:
    explicit SeededRandom(uint32_t seed) : state_(seed) {}
    int next() override;

  private:
    uint32_t state_;
};

// Gives the jewel new values, drawing them in a fixed order: travel, dir_x, dir_y, dir_z,
// spin, then red, green, blue again and again until one of them is 0.95 or more.
void reset_jewel(Jewel& jewel, RandomSource& random);

// How a jewel is drawn in one frame: its place in eye coordinates before the field's and
// its own turn, that turn, its colour, and its strength (unclamped: 0 at z = -80, 1 at
// z = 0). Taken as a copy, so it still holds after the jewel has been reset.
struct Placement {
    float x;
    float y;
    float z;
    float alpha;
    float spin;
    float red;
    float green;
    float blue;
};

// The placement for the jewel's current travel.
Placement place_jewel(const Jewel& jewel);

// One frame of one jewel: gives its placement from the travel before the step, then moves
// it 30 units a second at the measured rate (not at all while fps is 0) and resets it
// when that placement had reached depth 0.
Placement step_jewel(Jewel& jewel, float fps, RandomSource& random);

// The field's turn after one frame: 40 degrees a second, unchanged while fps is 0.
float step_scene_angle(float angle, float fps);

} // namespace orvanne
