// Text between the forms the program holds and the wide forms the platform calls take. Our
// own source text is UTF-8; the settings file and the shell's stored texts are code page
// 932 bytes.
#pragma once

#include <string>
#include <string_view>

namespace orvanne {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view text);
std::wstring AnsiToWide(std::string_view bytes, unsigned codePage = 932);
std::string WideToAnsi(std::wstring_view text, unsigned codePage = 932);

} // namespace orvanne
