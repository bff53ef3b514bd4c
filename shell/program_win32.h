// Program-wide services the shell's forms share: paths beside the program, the command
// line and the end of the process.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace orvanne {

// Ends the process at once; no handler of the shell runs after it.
[[noreturn]] void EndProgram();

// The argument text of this process's command line (UTF-8).
std::string CommandArguments();

// The host window a preview request names.
HWND PreviewHost(std::string_view args);

// The settings file and the renderer, beside the running program (UTF-8).
std::string SettingsPath();
std::string RendererPath();

// LoadSettings' question about the music file, whose path is code page 932 bytes.
bool MusicFileExists(const std::string& cp932Path);

} // namespace orvanne
