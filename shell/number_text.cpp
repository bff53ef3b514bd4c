#include "number_text.h"

#include <charconv>
#include <cmath>

namespace orvanne {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of text that forms a decimal number, 0 when none does.
size_t NumberPrefix(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        size_t j = i + 1;
        size_t fraction = 0;
        while (j < text.size() && IsDigit(text[j])) {
            ++j;
            ++fraction;
        }
        if (digits + fraction > 0) {
            i = j;
            digits += fraction;
        }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        size_t exponent = 0;
        while (j < text.size() && IsDigit(text[j])) {
            ++j;
            ++exponent;
        }
        if (exponent > 0)
            i = j;
    }
    return i;
}

// from_chars takes no leading plus sign.
std::optional<double> Convert(std::string_view number) {
    if (!number.empty() && number[0] == '+')
        number.remove_prefix(1);
    double value = 0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::optional<int16_t> ToInt16(double whole) {
    if (whole < -32768.0 || whole > 32767.0)
        return std::nullopt;
    return static_cast<int16_t>(whole);
}

} // namespace

std::optional<double> ParseNumber(std::string_view text) {
    text = SkipBlanks(text);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    size_t length = NumberPrefix(text);
    if (length == 0 || length != text.size())
        return std::nullopt;
    return Convert(text);
}

std::optional<int16_t> FloorToInt16(std::string_view text) {
    std::optional<double> value = ParseNumber(text);
    if (!value)
        return std::nullopt;
    return ToInt16(std::floor(*value));
}

std::optional<int16_t> RoundEvenToInt16(std::string_view text) {
    std::optional<double> value = ParseNumber(text);
    if (!value)
        return std::nullopt;
    // nearbyint follows the default rounding mode, which is to nearest, ties to even.
    return ToInt16(std::nearbyint(*value));
}

int32_t LeadingNumberToInt32(std::string_view text) {
    text = SkipBlanks(text);
    std::optional<double> value = Convert(text.substr(0, NumberPrefix(text)));
    if (!value)
        return 0;
    double whole = std::nearbyint(*value);
    if (whole < -2147483648.0 || whole > 2147483647.0)
        return 0;
    return static_cast<int32_t>(whole);
}

} // namespace orvanne
