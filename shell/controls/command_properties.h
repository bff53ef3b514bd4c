// The values a Command button persists, and the host's per-instance store that holds them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace orvanne {

// A caption font. The face name is Shift-JIS (code page 932) bytes, as the shell's texts are.
struct FontDesc {
    std::string name;
    double size = 0; // points
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 0;

    bool operator==(const FontDesc& other) const;
    bool operator!=(const FontDesc& other) const { return !(*this == other); }
};

// The caption label's own font: "ＭＳ Ｐゴシック" 9.75 pt, regular, Shift-JIS.
FontDesc DefaultCaptionFont();

// One stored value: a number (Booleans as -1 and 0), a text or a font.
using PropertyValue = std::variant<int64_t, std::string, FontDesc>;

// Equal by value: a number equals a text that reads as the same number.
bool SameValue(const PropertyValue& a, const PropertyValue& b);

// Conversions a reader applies; empty when the value is of a kind that does not convert.
std::optional<int16_t> AsBoolean(const PropertyValue& value); // -1 or 0
std::optional<int64_t> AsInteger(const PropertyValue& value, int64_t min, int64_t max);
std::optional<std::string> AsText(const PropertyValue& value);
std::optional<FontDesc> AsFont(const PropertyValue& value);

// Named values of one control instance. Keys match without regard to case.
class PropertyStore {
  public:
    void Set(std::string_view key, PropertyValue value);
    const PropertyValue* Find(std::string_view key) const;
    std::size_t Size() const { return values_.size(); }

    // The stored value, or fallback when the key is absent.
    PropertyValue Read(std::string_view key, const PropertyValue& fallback) const;
    // Stores value unless it equals fallback; then the key is dropped, so a later read
    // gives the reader's default.
    void Write(std::string_view key, const PropertyValue& value, const PropertyValue& fallback);

  private:
    struct KeyLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::map<std::string, PropertyValue, KeyLess> values_;
};

} // namespace orvanne
