#include "file_access.h"

#include "file_open.h"

namespace orvanne {

bool FileExists(std::string_view path) {
    if (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    if (path.empty())
        return false;
    std::FILE* f = OpenFile(std::string(path), "rb");
    if (!f)
        return false;
    std::fclose(f);
    return true;
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    std::FILE* f = OpenFile(path, "rb");
    if (!f)
        return false;
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.append(chunk, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    if (!ok)
        bytes.clear();
    return ok;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
    std::FILE* f = OpenFile(path, "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace orvanne
