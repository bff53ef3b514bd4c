#include "settings_file.h"

#include "file_access.h"
#include "number_text.h"

#include <vector>

namespace orvanne {
namespace {

struct Line {
    size_t begin;      // first byte
    size_t contentEnd; // end of the text, before the line break
    size_t end;        // one past the line break
};

// CR, LF and CR LF each end a line, as the platform's private-profile reader has it.
std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t brk = text.find_first_of("\r\n", begin);
        if (brk == std::string_view::npos) {
            lines.push_back({begin, text.size(), text.size()});
            break;
        }
        size_t end = brk + 1;
        if (text[brk] == '\r' && end < text.size() && text[end] == '\n')
            ++end;
        lines.push_back({begin, brk, end});
        begin = end;
    }
    return lines;
}

bool EndsLine(const std::string& text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsLeadByte(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 0x81 && u <= 0x9F) || (u >= 0xE0 && u <= 0xFC);
}

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Case-blind for ASCII letters only; the second byte of a double-byte character can look
// like a letter and must match exactly.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (IsLeadByte(a[i]) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            ++i;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// The name of a section header line, or false when the line is no header.
bool SectionName(std::string_view content, std::string_view& name) {
    content = Trim(content);
    if (content.empty() || content.front() != '[')
        return false;
    size_t close = content.rfind(']');
    if (close == std::string_view::npos)
        return false;
    name = content.substr(1, close - 1);
    return true;
}

// Splits a key line at its first '='; false when it has none.
bool KeyAndValue(std::string_view content, std::string_view& key, std::string_view& value,
                 size_t& valueStart) {
    size_t equals = content.find('=');
    if (equals == std::string_view::npos)
        return false;
    key = Trim(content.substr(0, equals));
    value = Trim(content.substr(equals + 1));
    valueStart = equals + 1;
    return true;
}

// Lines [first, last) of the first section named section; false when there is none.
bool FindSection(std::string_view text, const std::vector<Line>& lines, std::string_view section,
                 size_t& first, size_t& last) {
    bool found = false;
    first = last = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view content =
            text.substr(lines[i].begin, lines[i].contentEnd - lines[i].begin);
        std::string_view name;
        if (!SectionName(content, name))
            continue;
        if (found) {
            last = i;
            break;
        }
        if (SameName(name, section)) {
            found = true;
            first = i + 1;
        }
    }
    return found;
}

std::string_view Content(std::string_view text, const Line& line) {
    return text.substr(line.begin, line.contentEnd - line.begin);
}

std::string_view OneLine(std::string_view value) {
    size_t stop = value.find_first_of(std::string_view("\r\n\0", 3));
    return stop == std::string_view::npos ? value : value.substr(0, stop);
}

} // namespace

std::string SettingsPathIn(std::string_view folder) {
    std::string path(folder);
    path += '\\';
    path += kSettingsFileName;
    return path;
}

std::string IniGet(std::string_view text, std::string_view section, std::string_view key) {
    std::vector<Line> lines = SplitLines(text);
    size_t first, last;
    FindSection(text, lines, section, first, last);
    for (size_t i = first; i < last; ++i) {
        std::string_view name, value;
        size_t valueStart;
        if (!KeyAndValue(Content(text, lines[i]), name, value, valueStart) || !SameName(name, key))
            continue;
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        value = value.substr(0, value.find('\0'));
        if (value.size() > kIniValueLimit) {
            size_t keep = 0;
            // Never end on the first half of a double-byte character.
            while (keep < kIniValueLimit) {
                size_t step = IsLeadByte(value[keep]) ? 2 : 1;
                if (keep + step > kIniValueLimit)
                    break;
                keep += step;
            }
            value = value.substr(0, keep);
        }
        return std::string(value);
    }
    return std::string();
}

std::string IniSet(std::string_view text, std::string_view section, std::string_view key,
                   std::string_view value) {
    value = OneLine(value);
    std::vector<Line> lines = SplitLines(text);
    size_t first, last;
    std::string out;
    if (!FindSection(text, lines, section, first, last)) {
        out.assign(text);
        if (!out.empty() && !EndsLine(out))
            out += "\r\n";
        out.append("[").append(section).append("]\r\n");
        out.append(key).append("=").append(value).append("\r\n");
        return out;
    }
    for (size_t i = first; i < last; ++i) {
        std::string_view name, old;
        size_t valueStart;
        if (!KeyAndValue(Content(text, lines[i]), name, old, valueStart) || !SameName(name, key))
            continue;
        out.assign(text.substr(0, lines[i].begin + valueStart));
        out.append(value);
        out.append(text.substr(lines[i].contentEnd));
        return out;
    }
    // A new key goes after the section's last non-blank line, before any blank separator.
    size_t after = first;
    for (size_t i = first; i < last; ++i) {
        if (!Trim(Content(text, lines[i])).empty())
            after = i + 1;
    }
    size_t at = after > 0 ? lines[after - 1].end : 0;
    out.assign(text.substr(0, at));
    if (!out.empty() && !EndsLine(out))
        out += "\r\n";
    out.append(key).append("=").append(value).append("\r\n");
    out.append(text.substr(at));
    return out;
}

std::string SettingsText(std::string_view text, const BgmSettings& s) {
    std::string out =
        IniSet(text, kSettingsSection, kKeyBgmKind, std::to_string(static_cast<int16_t>(s.kind)));
    out = IniSet(out, kSettingsSection, kKeyBgmRepeat, std::to_string(s.repeatTrack));
    return IniSet(out, kSettingsSection, kKeyBgmFile, s.file);
}

SettingsFileOps PlatformFileOps() {
    return {ReadFileIfAny, ReplaceFileBytes};
}

bool SaveSettings(const std::string& path, const BgmSettings& s, const SettingsFileOps& ops) {
    std::string text;
    // A file that is there but cannot be read would lose every other line: leave it.
    if (!ops.read(path, text))
        return false;
    return ops.replace(path, SettingsText(text, s));
}

bool SaveSettings(const std::string& path, const BgmSettings& s) {
    return SaveSettings(path, s, PlatformFileOps());
}

BgmSettings LoadSettings(const std::string& path,
                         const std::function<bool(const std::string&)>& musicFileExists) {
    std::string text;
    ReadFileBytes(path, text);
    BgmSettings s;
    if (std::optional<int16_t> kind = FloorToInt16(IniGet(text, kSettingsSection, kKeyBgmKind)))
        s.kind = static_cast<MusicKind>(*kind);
    if (std::optional<int16_t> track = FloorToInt16(IniGet(text, kSettingsSection, kKeyBgmRepeat)))
        s.repeatTrack = *track;
    s.file = IniGet(text, kSettingsSection, kKeyBgmFile);
    if (!s.file.empty() && !musicFileExists(s.file))
        s.file.clear();
    if (s.file.empty() && s.kind == MusicKind::File)
        s.kind = MusicKind::None;
    return s;
}

} // namespace orvanne
