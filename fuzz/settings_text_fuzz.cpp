// One key set in any settings text (input: key, 0xFF, value, 0xFF, text; no key: the music
// file's): it reads back, other keys keep theirs, every other old line its bytes and line end.
#include "fuzz_support.h"
#include "settings_file.h"

#include <algorithm>

using namespace orvanne;

namespace {

// A key or value that reads back as written: one line, no blanks around it, no quotes
// around it, no NUL, and a key that cannot pass for a section header.
bool Plain(std::string_view s, bool isKey) {
    const std::string_view space(" \t\r\n\f\v");
    if (s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos || s.size() > kIniValueLimit)
        return false;
    if (!s.empty() && (space.find(s.front()) != s.npos || space.find(s.back()) != s.npos))
        return false;
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return false;
    return !isKey || (!s.empty() && s.front() != '[' && s.find('=') == s.npos);
}

// out is text with one run inside a line replaced, or with whole lines between old ones.
void CheckLinesKept(std::string_view text, std::string_view out) {
    size_t p = std::mismatch(text.begin(), text.end(), out.begin(), out.end()).first - text.begin();
    size_t s = std::mismatch(text.rbegin(), text.rend() - p, out.rbegin(), out.rend() - p).first -
               text.rbegin();
    std::string_view removed = text.substr(p, text.size() - p - s);
    std::string_view added = out.substr(p, out.size() - p - s);
    Require(removed.find_first_of("\r\n") == removed.npos, "no old line end is lost");
    if (added.find_first_of("\r\n") == added.npos)
        return;
    Require(removed.empty(), "a rewritten value stays on its line");
    auto isBreak = [](char c) { return c == '\r' || c == '\n'; };
    bool lineStart = p == 0 || isBreak(text[p - 1]) || (p == text.size() && isBreak(added[0]));
    bool splitsCrLf =
        p > 0 && text[p - 1] == '\r' && (text.substr(p, 1) == "\n" || added[0] == '\n');
    Require(lineStart && !splitsCrLf, "new lines go between old ones");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t a = input.find('\xFF');
    size_t b = input.find('\xFF', a + 1);
    if (b == input.npos)
        return 0;
    std::string_view key = a > 0 ? input.substr(0, a) : kKeyBgmFile;
    std::string_view value = input.substr(a + 1, b - a - 1);
    std::string_view text = input.substr(b + 1);

    std::string out = IniSet(text, kSettingsSection, key, value);
    if (!Plain(key, true))
        return 0;
    CheckLinesKept(text, out);
    if (Plain(value, false))
        Require(IniGet(out, kSettingsSection, key) == value, "the written value reads back");
    for (std::string_view other : {kKeyBgmKind, kKeyBgmRepeat, kKeyBgmFile})
        if (!std::equal(other.begin(), other.end(), key.begin(), key.end(),
                        [](char x, char y) { return (x | 0x20) == (y | 0x20); }))
            Require(IniGet(out, kSettingsSection, other) == IniGet(text, kSettingsSection, other),
                    "the other keys keep their values");
    return 0;
}
