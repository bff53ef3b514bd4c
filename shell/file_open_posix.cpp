#include "file_open.h"

#include "file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

std::FILE* CreateNewFile(const std::string& path) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return nullptr;
    std::FILE* f = fdopen(fd, "wb");
    if (!f)
        close(fd);
    return f;
}

bool FlushToDisk(std::FILE* f) {
    return std::fflush(f) == 0 && fsync(fileno(f)) == 0;
}

bool SetFileSize(std::FILE* f, uint64_t size) {
    return ftruncate(fileno(f), static_cast<off_t>(size)) == 0 && fsync(fileno(f)) == 0;
}

bool MoveOver(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0)
        return false;
    // The rename itself reaches the disk with the folder.
    std::string folder = to.substr(0, to.find_last_of('/') + 1);
    int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
    return true;
}

void RemoveFile(const std::string& path) {
    unlink(path.c_str());
}

bool PathTaken(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

} // namespace orvanne
