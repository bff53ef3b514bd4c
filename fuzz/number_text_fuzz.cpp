// ParseNumber agrees with the C library's strtod; the roundings built on it keep their bounds.
#include "fuzz_support.h"
#include "number_text.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <string>

using namespace orvanne;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<double> value = ParseNumber(text);
    std::optional<int16_t> floored = FloorToInt16(text);
    std::optional<int16_t> rounded = RoundEvenToInt16(text);
    int32_t leading = LeadingNumberToInt32(text);

    // strtod also reads hex, "inf" and "nan", no numbers here: compare plain decimal texts.
    if (text.find_first_not_of(" \t0123456789+-.eE") == text.npos) {
        size_t first = std::min(text.find_first_not_of(" \t"), text.size());
        std::string core(text.substr(first, text.find_last_not_of(" \t") + 1 - first));
        char* end = nullptr;
        errno = 0;
        double library = std::strtod(core.c_str(), &end);
        // Beyond a double's range strtod rounds, the reader refuses: either is sound.
        if (errno != ERANGE) {
            bool whole = !core.empty() && end == core.c_str() + core.size();
            Require(value.has_value() == whole, "ParseNumber accepts what strtod reads whole");
            Require(!value || *value == library, "ParseNumber gives strtod's value");
        }
    }
    if (!value) {
        Require(!floored && !rounded, "no rounding of a text that is no number");
        return 0;
    }
    double v = *value;
    Require(std::isfinite(v), "a number is finite");
    Require(floored ? *floored <= v && v < *floored + 1.0 : v < -32768.0 || v >= 32768.0,
            "FloorToInt16 rounds down, refusing only outside 16 bits");
    double off = rounded ? std::fabs(v - *rounded) : 0;
    Require(rounded ? off < 0.5 || (off == 0.5 && *rounded % 2 == 0) : v < -32768.5 || v >= 32767.5,
            "RoundEvenToInt16 rounds half even, refusing only outside 16 bits");
    // A whole number text is also its own leading number, whatever follows it.
    if (std::fabs(v) < 2147483647.0)
        Require(LeadingNumberToInt32(std::string(text) + " x") == std::nearbyint(v) &&
                    leading == std::nearbyint(v),
                "LeadingNumberToInt32 reads a whole number text alike");
    return 0;
}
