// The saver's command line: the argument text, the mode letter, the host window number
// and which request it makes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanne {

// The argument text of a whole command line (UTF-8): everything after the program name
// (up to its closing quote when quoted, else its first blank), without leading blanks.
std::string ArgumentText(std::string_view commandLine);

// The second character of the argument text, upper-cased; 0 when there is none or it is
// not ASCII.
char ModeLetter(std::string_view args);

// The preview host: the leading number of the argument text from its fourth character on
// ("/p 1234" and "/p:1234" both give 1234), 0 when there is none or it exceeds 32 bits.
int32_t HostNumber(std::string_view args);

enum class Request {
    Preview,  // P: a still inside the host window
    Settings, // C: the settings dialog
    Run,      // S, or no arguments at all
    Unserved, // anything else, the password request included
};
Request RequestOf(std::string_view args);

// Run mode hides the cursor only when asked with the letter S.
inline bool HidesCursor(std::string_view args) {
    return ModeLetter(args) == 'S';
}

} // namespace orvanne
