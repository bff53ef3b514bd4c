#include "command_line.h"

#include "number_text.h"

namespace orvanne {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Byte length of the UTF-8 character starting at text[i].
size_t CharLength(std::string_view text, size_t i) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t n = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return i + n <= text.size() ? n : text.size() - i;
}

// Offset of the character with the given index, text.size() when it has fewer.
size_t CharOffset(std::string_view text, size_t index) {
    size_t i = 0;
    for (; index > 0 && i < text.size(); --index)
        i += CharLength(text, i);
    return i;
}

} // namespace

std::string ArgumentText(std::string_view commandLine) {
    size_t i = 0;
    // As the platform splits it: a quoted name ends at its closing quote, even with no
    // blank after it; an unquoted one at the first blank.
    if (!commandLine.empty() && commandLine[0] == '"') {
        size_t close = commandLine.find('"', 1);
        i = close == std::string_view::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && !IsBlank(commandLine[i]))
            ++i;
    }
    while (i < commandLine.size() && IsBlank(commandLine[i]))
        ++i;
    return std::string(commandLine.substr(i));
}

char ModeLetter(std::string_view args) {
    size_t at = CharOffset(args, 1);
    if (at >= args.size())
        return 0;
    char c = args[at];
    if (static_cast<unsigned char>(c) >= 0x80)
        return 0;
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

int32_t HostNumber(std::string_view args) {
    return LeadingNumberToInt32(args.substr(CharOffset(args, 3)));
}

Request RequestOf(std::string_view args) {
    if (args.empty())
        return Request::Run;
    switch (ModeLetter(args)) {
    case 'P':
        return Request::Preview;
    case 'C':
        return Request::Settings;
    case 'S':
        return Request::Run;
    default:
        return Request::Unserved;
    }
}

} // namespace orvanne
