// Whole-file reads and writes and the readability test, with paths in UTF-8 on every
// system (one implementation per platform).
#pragma once

#include <string>
#include <string_view>

namespace orvanne {

// True when the file can be opened for reading; one trailing backslash is ignored.
// Folders, missing files and an empty path give false.
bool FileExists(std::string_view path);

// False when the file cannot be opened or read; bytes is then empty.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// Replaces the file's content (creating it); false when any byte could not be written.
bool WriteFileBytes(const std::string& path, std::string_view bytes);

// True when anything (a file or a folder) is at path.
bool PathTaken(const std::string& path);

} // namespace orvanne
