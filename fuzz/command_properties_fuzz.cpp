// The button's property store against a plain map. Each line a step: letter, key, '=', value;
// t sets a text, n a number, f a font of that name, w writes over the fallback 0, others read.
#include "command_properties.h"
#include "fuzz_support.h"

#include <algorithm>
#include <climits>
#include <map>
#include <sstream>

using namespace orvanne;

namespace {

// The key in lower case, or with each letter in the other case.
std::string Recased(std::string_view key, bool swap) {
    std::string s(key);
    for (char& c : s)
        if ((c >= 'A' && c <= 'Z') || (swap && c >= 'a' && c <= 'z'))
            c = static_cast<char>(c ^ 0x20);
    return s;
}

// A text that reads as a number stands for that number, in both directions and in any
// range that holds it; any other text equals only itself, letter case included.
void CheckConversions(const std::string& text) {
    std::optional<int64_t> number = AsInteger(text, INT64_MIN, INT64_MAX);
    if (number) {
        Require(std::count_if(text.begin(), text.end(),
                              [](char c) { return c >= '0' && c <= '9'; }) <= 18,
                "a number has at most 18 digits");
        Require(SameValue(*number, text) && SameValue(text, *number),
                "a number text is its number");
        Require(AsInteger(*AsText(*number), INT64_MIN, INT64_MAX) == number &&
                    AsInteger(" " + text + "\t", INT64_MIN, INT64_MAX) == number,
                "a number's text reads back, blanks around it or not");
        Require(AsInteger(text, 0, 255).has_value() == (*number >= 0 && *number <= 255),
                "a number out of range gives no value");
    }
    Require(SameValue(text, int64_t{0}) == (number == 0), "only a number text equals a number");
    const std::string swapped = Recased(text, true);
    Require(SameValue(text, swapped) == (text == swapped) && !SameValue(FontDesc{text}, text),
            "texts compare byte for byte and never equal a font");
    Require(!AsFont(text) && !AsText(FontDesc{text}), "fonts and texts do not convert");
    std::string folded = Recased(text, false);
    std::optional<int16_t> boolean;
    if (number || folded == "true" || folded == "false")
        boolean = (number ? *number != 0 : folded == "true") ? -1 : 0;
    Require(AsBoolean(text) == boolean, "Booleans are numbers, True and False");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PropertyStore store;
    std::map<std::string, PropertyValue> model;
    std::istringstream lines{std::string(reinterpret_cast<const char*>(data), size)};
    for (std::string line; std::getline(lines, line);) {
        if (line.empty())
            continue;
        size_t equals = std::min(line.find('='), line.size());
        std::string key(line.substr(1, equals - 1));
        std::string text(line.substr(std::min(equals + 1, line.size())));
        std::string folded = Recased(key, false);
        CheckConversions(text);
        PropertyValue value = text;
        if (line[0] == 'n')
            value = static_cast<int64_t>(std::strtoll(text.c_str(), nullptr, 10));
        if (line[0] == 'f')
            value = FontDesc{text};
        if (line[0] == 't' || line[0] == 'n' || line[0] == 'f') {
            store.Set(key, value);
            model[folded] = value;
        } else if (line[0] == 'w') {
            const PropertyValue fallback = int64_t{0};
            store.Write(key, value, fallback);
            Require(SameValue(store.Read(key, fallback), value), "a written value reads back");
            if (SameValue(value, fallback))
                model.erase(folded);
            else
                model[folded] = value;
        }
        const PropertyValue* found = store.Find(Recased(key, true));
        auto expected = model.find(folded);
        Require(found == store.Find(key), "keys match without regard to case");
        Require(found ? expected != model.end() && *found == expected->second
                      : expected == model.end(),
                "the store holds what was stored last under the key");
        Require(store.Size() == model.size(), "one entry per key");
    }
    return 0;
}
