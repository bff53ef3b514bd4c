#include "file_access.h"

#include "file_open.h"

#include <algorithm>

namespace orvanne {
namespace {

// Unbuffered, so a failed write leaves nothing behind to reach the file later.
bool WriteAll(std::FILE* f, std::string_view bytes) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
}

// The bytes in a new file beside path, on the disk; false when the folder took none.
bool WriteBeside(const std::string& path, std::string_view bytes, std::string& temp) {
    for (int n = 0; n < 100; ++n) {
        std::string name = path + "." + std::to_string(n) + ".new";
        std::FILE* f = CreateNewFile(name);
        if (!f) {
            if (PathTaken(name))
                continue; // left by a save that was cut off
            return false;
        }
        std::setvbuf(f, nullptr, _IONBF, 0);
        bool ok = WriteAll(f, bytes) && FlushToDisk(f);
        ok = std::fclose(f) == 0 && ok;
        if (ok) {
            temp = name;
            return true;
        }
        RemoveFile(name);
        return false;
    }
    return false;
}

// Over the old bytes. What lies beyond the old end goes first, so a full disk fails while
// every old byte is still there; the end is set last, so the file is never shorter.
bool WriteInPlace(const std::string& path, std::string_view bytes) {
    std::FILE* f = OpenFile(path, "r+b");
    if (!f)
        return false;
    std::setvbuf(f, nullptr, _IONBF, 0);
    long old = std::fseek(f, 0, SEEK_END) == 0 ? std::ftell(f) : -1;
    bool ok = old >= 0;
    size_t keep = ok ? std::min(bytes.size(), static_cast<size_t>(old)) : 0;
    if (ok && bytes.size() > keep && !(WriteAll(f, bytes.substr(keep)) && FlushToDisk(f))) {
        SetFileSize(f, static_cast<uint64_t>(old));
        ok = false;
    }
    ok = ok && std::fseek(f, 0, SEEK_SET) == 0 && WriteAll(f, bytes.substr(0, keep)) &&
         FlushToDisk(f) && SetFileSize(f, bytes.size());
    return std::fclose(f) == 0 && ok;
}

} // namespace

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

bool ReadFileIfAny(const std::string& path, std::string& bytes) {
    return ReadFileBytes(path, bytes) || !PathTaken(path);
}

bool ReplaceFileBytes(const std::string& path, std::string_view bytes) {
    bool exists = PathTaken(path);
    if (exists) {
        // A file we may not change is left alone, whatever its folder allows.
        std::FILE* f = OpenFile(path, "r+b");
        if (!f)
            return false;
        std::fclose(f);
    }
    std::string temp;
    if (WriteBeside(path, bytes, temp)) {
        if (MoveOver(temp, path))
            return true;
        RemoveFile(temp);
    }
    return exists && WriteInPlace(path, bytes);
}

} // namespace orvanne
