// Whole-file reads and writes and the readability test, with paths in UTF-8 on every
// system (one implementation per platform of the steps in file_open.h).
#pragma once

#include <string>
#include <string_view>

namespace orvanne {

// True when the file can be opened for reading; one trailing backslash is ignored.
// Folders, missing files and an empty path give false.
bool FileExists(std::string_view path);

// False when the file cannot be opened or read; bytes is then empty.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// Like ReadFileBytes, but nothing at path reads as no bytes; false only when something is
// there that cannot be read.
bool ReadFileIfAny(const std::string& path, std::string& bytes);

// Replaces the file's content (creating it) so that it holds either all its old bytes or
// all the new ones: the new bytes go to a file beside it, reach the disk, and replace it.
// Where the folder takes no new file, the file is rewritten in place, grown first so it is
// never cut short. False, with the file as it was, when it could not be written.
bool ReplaceFileBytes(const std::string& path, std::string_view bytes);

// True when anything (a file or a folder) is at path.
bool PathTaken(const std::string& path);

} // namespace orvanne
