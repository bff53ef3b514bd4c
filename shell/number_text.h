// Reading text as a number, the way the settings file and the settings dialog take it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvanne {

// The whole text as a plain signed decimal: optional sign, digits with an optional
// fraction and exponent, blanks allowed around it. Anything else is not a number.
std::optional<double> ParseNumber(std::string_view text);

// Settings-file rule: rounded toward negative infinity; outside 16 bits is not a number.
std::optional<int16_t> FloorToInt16(std::string_view text);

// Dialog rule: rounded to the nearest, halves to the even neighbour; outside 16 bits is
// not a number.
std::optional<int16_t> RoundEvenToInt16(std::string_view text);

// The leading number of the text (leading blanks skipped, reading stops at the first
// character that cannot continue it), rounded half to even to 32 bits. No number, or one
// outside 32 bits, gives 0.
int32_t LeadingNumberToInt32(std::string_view text);

} // namespace orvanne
