#include "command_properties.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace orvanne {

namespace {

char Fold(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Any 18 digits fit in 64 bits, so the sum below cannot overflow; longer numbers are refused.
constexpr size_t kMaxDigits = 18;

// A whole decimal integer, blanks allowed around it.
std::optional<int64_t> ParseInteger(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > kMaxDigits)
        return std::nullopt;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

bool EqualFolded(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Fold(x) == Fold(y); });
}

} // namespace

bool FontDesc::operator==(const FontDesc& o) const {
    return name == o.name && size == o.size && weight == o.weight && italic == o.italic &&
           underline == o.underline && strikethrough == o.strikethrough && charset == o.charset;
}

FontDesc DefaultCaptionFont() {
    FontDesc font;
    font.name = "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
    font.size = 9.75;
    font.weight = 400;
    font.charset = 128;
    return font;
}

std::optional<int64_t> AsInteger(const PropertyValue& value, int64_t min, int64_t max) {
    std::optional<int64_t> number;
    if (const auto* n = std::get_if<int64_t>(&value))
        number = *n;
    else if (const auto* s = std::get_if<std::string>(&value))
        number = ParseInteger(*s);
    if (!number || *number < min || *number > max)
        return std::nullopt;
    return number;
}

std::optional<int16_t> AsBoolean(const PropertyValue& value) {
    if (const auto* s = std::get_if<std::string>(&value)) {
        if (EqualFolded(*s, "true"))
            return int16_t{-1};
        if (EqualFolded(*s, "false"))
            return int16_t{0};
    }
    auto n =
        AsInteger(value, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max());
    if (!n)
        return std::nullopt;
    return static_cast<int16_t>(*n != 0 ? -1 : 0);
}

std::optional<std::string> AsText(const PropertyValue& value) {
    if (const auto* s = std::get_if<std::string>(&value))
        return *s;
    if (const auto* n = std::get_if<int64_t>(&value))
        return std::to_string(*n);
    return std::nullopt;
}

std::optional<FontDesc> AsFont(const PropertyValue& value) {
    if (const auto* f = std::get_if<FontDesc>(&value))
        return *f;
    return std::nullopt;
}

bool SameValue(const PropertyValue& a, const PropertyValue& b) {
    if (a.index() == b.index())
        return a == b;
    if (std::holds_alternative<FontDesc>(a) || std::holds_alternative<FontDesc>(b))
        return false;
    // One number, one text.
    const int64_t number =
        std::holds_alternative<int64_t>(a) ? std::get<int64_t>(a) : std::get<int64_t>(b);
    const std::string& text = std::holds_alternative<std::string>(a) ? std::get<std::string>(a)
                                                                     : std::get<std::string>(b);
    auto parsed = ParseInteger(text);
    return parsed && *parsed == number;
}

bool PropertyStore::KeyLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Fold(x) < Fold(y); });
}

void PropertyStore::Set(std::string_view key, PropertyValue value) {
    auto it = values_.find(key);
    if (it != values_.end())
        it->second = std::move(value);
    else
        values_.emplace(std::string(key), std::move(value));
}

const PropertyValue* PropertyStore::Find(std::string_view key) const {
    auto it = values_.find(key);
    return it == values_.end() ? nullptr : &it->second;
}

PropertyValue PropertyStore::Read(std::string_view key, const PropertyValue& fallback) const {
    const PropertyValue* stored = Find(key);
    return stored ? *stored : fallback;
}

void PropertyStore::Write(std::string_view key, const PropertyValue& value,
                          const PropertyValue& fallback) {
    if (SameValue(value, fallback)) {
        auto it = values_.find(key);
        if (it != values_.end())
            values_.erase(it);
        return;
    }
    Set(key, value);
}

} // namespace orvanne
