// The saver's entry (module Vellis_B): mode dispatch and the program-wide services the
// shell's forms share.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace orvanne {

// The caption of the run form and of the settings dialog: either marks a running copy.
inline constexpr char kRunFormCaption[] = "Vellis_Main";
inline constexpr char kSettingsDialogCaption[] = "<Orvanne>";
inline constexpr char kApplicationTitle[] = "Orvanne (ScreenSaver)";
inline constexpr char kRendererFileName[] = "Orvanne.dll";

// Refuses a second copy, reads the command line and hands over to the form it asks for.
void Main();

// Ends the process at once; no handler of the shell runs after it.
[[noreturn]] void EndProgram();

// The argument text of this process's command line (UTF-8).
std::string CommandArguments();

// The host window a preview request names.
HWND PreviewHost(std::string_view args);

// The folder of the running program, UTF-8, without a trailing backslash.
std::string ProgramFolder();
std::string SettingsPath();
std::string RendererPath();

// LoadSettings' question about the music file, whose path is code page 932 bytes.
bool MusicFileExists(const std::string& cp932Path);

} // namespace orvanne
