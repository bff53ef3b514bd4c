#include "file_open.h"

#include "file_access.h"
#include "wide_text.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace orvanne {
namespace {

HANDLE HandleOf(std::FILE* f) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
}

} // namespace

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return _wfopen(Utf8ToWide(path).c_str(), Utf8ToWide(mode).c_str());
}

std::FILE* CreateNewFile(const std::string& path) {
    HANDLE h = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return nullptr;
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_BINARY | _O_WRONLY);
    if (fd < 0) {
        CloseHandle(h);
        return nullptr;
    }
    std::FILE* f = _fdopen(fd, "wb");
    if (!f)
        _close(fd);
    return f;
}

bool FlushToDisk(std::FILE* f) {
    return std::fflush(f) == 0 && FlushFileBuffers(HandleOf(f));
}

bool SetFileSize(std::FILE* f, uint64_t size) {
    HANDLE h = HandleOf(f);
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    return SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && SetEndOfFile(h) && FlushFileBuffers(h);
}

bool MoveOver(const std::string& from, const std::string& to) {
    return MoveFileExW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void RemoveFile(const std::string& path) {
    DeleteFileW(Utf8ToWide(path).c_str());
}

bool PathTaken(const std::string& path) {
    return GetFileAttributesW(Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace orvanne
