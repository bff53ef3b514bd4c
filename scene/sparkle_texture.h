// The soft star-shaped sparkle every jewel carries, as grey texels.
#pragma once

#include <cstdint>

namespace orvanne {

constexpr int sparkle_size = 128;
constexpr int sparkle_bytes = sparkle_size * sparkle_size * 3;

// Grey level 0..255 of the texel in row 0..127, column 0..127.
uint8_t sparkle_texel(int row, int column);

// Fills sparkle_bytes bytes with the texture row by row, each texel as equal red, green
// and blue bytes.
void fill_sparkle(uint8_t* rgb);

} // namespace orvanne
