// A screen rectangle in pixels, laid out like the platform's RECT (right and bottom are
// outside); kept free of the platform so the geometry that uses it can be tested.
#pragma once

#include <cstdint>

namespace orvanne {

struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

inline bool operator==(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace orvanne
