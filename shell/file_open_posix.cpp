#include "file_open.h"

#include "file_access.h"

#include <sys/stat.h>

namespace orvanne {

std::FILE* OpenFile(const std::string& path, const char* mode) {
    std::FILE* f = std::fopen(path.c_str(), mode);
    // POSIX opens folders for reading; Windows does not, and the callers rely on that.
    struct stat info {};
    if (f && (fstat(fileno(f), &info) != 0 || S_ISDIR(info.st_mode))) {
        std::fclose(f);
        return nullptr;
    }
    return f;
}

bool PathTaken(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

} // namespace orvanne
