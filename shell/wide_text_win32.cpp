#include "wide_text.h"

#include <windows.h>

namespace orvanne {
namespace {

std::wstring ToWide(std::string_view bytes, unsigned codePage) {
    if (bytes.empty())
        return std::wstring();
    int size = static_cast<int>(bytes.size());
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(n > 0 ? n : 0, L'\0');
    if (n > 0)
        MultiByteToWideChar(codePage, 0, bytes.data(), size, &text[0], n);
    return text;
}

std::string FromWide(std::wstring_view text, unsigned codePage) {
    if (text.empty())
        return std::string();
    int size = static_cast<int>(text.size());
    int n = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(codePage, 0, text.data(), size, &bytes[0], n, nullptr, nullptr);
    return bytes;
}

} // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
    return ToWide(utf8, CP_UTF8);
}
std::string WideToUtf8(std::wstring_view text) {
    return FromWide(text, CP_UTF8);
}
std::wstring AnsiToWide(std::string_view bytes, unsigned codePage) {
    return ToWide(bytes, codePage);
}
std::string WideToAnsi(std::wstring_view text, unsigned codePage) {
    return FromWide(text, codePage);
}

} // namespace orvanne
