#include "jewel_field.h"

namespace orvanne {

int SeededRandom::next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7fffu);
}

namespace {

float fraction(RandomSource& random) {
    return static_cast<float>(random.next()) / static_cast<float>(random_max);
}

} // namespace

void reset_jewel(Jewel& jewel, RandomSource& random) {
    jewel.travel = fraction(random) * 20.0f;
    jewel.dir_x = 0.2f - fraction(random) * 0.4f;
    jewel.dir_y = 0.2f - fraction(random) * 0.4f;
    jewel.dir_z = fraction(random) * 1.0f + 0.5f;
    jewel.spin = fraction(random) * 90.0f;
    do {
        jewel.red = fraction(random);
        jewel.green = fraction(random);
        jewel.blue = fraction(random);
    } while (jewel.red < 0.95f && jewel.green < 0.95f && jewel.blue < 0.95f);
}

Placement place_jewel(const Jewel& jewel) {
    Placement p;
    p.x = jewel.travel * jewel.dir_x;
    p.y = jewel.travel * jewel.dir_y;
    p.z = jewel.travel * jewel.dir_z - 100.0f;
    p.alpha = p.z / 80.0f + 1.0f;
    p.spin = jewel.spin;
    p.red = jewel.red;
    p.green = jewel.green;
    p.blue = jewel.blue;
    return p;
}

Placement step_jewel(Jewel& jewel, float fps, RandomSource& random) {
    Placement p = place_jewel(jewel);
    if (fps != 0.0f)
        jewel.travel += 30.0f / fps;
    if (p.z >= 0.0f)
        reset_jewel(jewel, random);
    return p;
}

float step_scene_angle(float angle, float fps) {
    return fps != 0.0f ? angle + 40.0f / fps : angle;
}

} // namespace orvanne
