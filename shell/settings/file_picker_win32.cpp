#include "file_picker_win32.h"

#include <commdlg.h>

#include <cstddef>

#include "forms_win32.h"

namespace orvanne {

namespace {

constexpr int kBufferSize = 255;

// The record as the picker first defined it (76 bytes in 32-bit programs); the later
// fields stay unused.
constexpr DWORD kRequestSize = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);
#if defined(_WIN32) && !defined(_WIN64)
static_assert(kRequestSize == 76, "the picker's request record is 76 bytes");
#endif

// Strict conversion: a character without a code page 932 form makes the path unusable.
bool ToCodePage932(const wchar_t* text, std::string& bytes) {
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr, &lossy);
    if (n <= 1 || n > kBufferSize || lossy)
        return false;
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text, -1, &out[0], n, nullptr, &lossy);
    if (lossy)
        return false;
    out.resize(static_cast<size_t>(n - 1));
    bytes = out;
    return true;
}

// A path that has no code page 932 form, or too long a one, may still have a short form
// of plain ASCII, which reads back and opens the same file.
bool StorableForm(const wchar_t* picked, std::string& bytes) {
    if (ToCodePage932(picked, bytes))
        return true;
    DWORD n = GetShortPathNameW(picked, nullptr, 0);
    if (n == 0)
        return false;
    std::wstring shortPath(n, L'\0');
    n = GetShortPathNameW(picked, &shortPath[0], n);
    if (n == 0 || n >= shortPath.size())
        return false;
    shortPath.resize(n);
    return ToCodePage932(shortPath.c_str(), bytes);
}

} // namespace

// The wide picker, so that its Japanese title and filter show whatever the system's code
// page.
PickResult PickMusicFile(HWND owner, std::string& path) {
    std::wstring filter = Utf8ToWide("BGMﾌｧｲﾙ (MP3 WAV)");
    filter += L'\0';
    filter += L"*.MP3;*.WAV";
    filter += L'\0';
    filter += L'\0';
    std::wstring title = Utf8ToWide("ﾌｧｲﾙを開く");
    wchar_t file[kBufferSize] = {};
    wchar_t fileTitle[kBufferSize] = {};

    OPENFILENAMEW request{};
    request.lStructSize = kRequestSize;
    request.hwndOwner = owner;
    request.hInstance = GetModuleHandleW(nullptr);
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = file;
    request.nMaxFile = kBufferSize;
    request.lpstrFileTitle = fileTitle;
    request.nMaxFileTitle = kBufferSize;
    request.lpstrTitle = title.c_str();
    request.Flags = 0; // a typed name of a file that does not exist is accepted

    if (GetOpenFileNameW(&request) <= 0)
        return PickResult::Cancelled;
    file[kBufferSize - 1] = L'\0';
    return StorableForm(file, path) ? PickResult::Chosen : PickResult::Unstorable;
}

} // namespace orvanne
