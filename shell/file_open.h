// The platform-specific steps of file access (this and PathTaken), with paths in UTF-8.
#pragma once

#include <cstdio>
#include <string>

namespace orvanne {

// fopen with a UTF-8 path; folders never open.
std::FILE* OpenFile(const std::string& path, const char* mode);

} // namespace orvanne
