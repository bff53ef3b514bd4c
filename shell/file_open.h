// The platform-specific steps of file access (these and PathTaken), with paths in UTF-8.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace orvanne {

// fopen with a UTF-8 path; folders never open.
std::FILE* OpenFile(const std::string& path, const char* mode);

// A new file opened for binary writing; null when anything is at path already.
std::FILE* CreateNewFile(const std::string& path);

// Writes the stream's buffer and has the system put the file's bytes on the disk.
bool FlushToDisk(std::FILE* f);

// Cuts or extends an open file to size bytes (after FlushToDisk).
bool SetFileSize(std::FILE* f, uint64_t size);

// Renames from to to, replacing to in one step, and waits until the disk has it.
bool MoveOver(const std::string& from, const std::string& to);

void RemoveFile(const std::string& path);

} // namespace orvanne
