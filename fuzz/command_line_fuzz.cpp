// The command line. Any line: the argument text is a tail of it and the readers of mode
// and host take it safely. A line split at its first LF into a program name and arguments
// is also joined as launchers do, quoted or not, and the arguments must come back.
#include "command_line.h"
#include "fuzz_support.h"

#include <algorithm>
#include <string>

using namespace orvanne;
using orvanne::fuzz::Require;

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view WithoutLeadingBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

void CheckArguments(std::string_view commandLine) {
    std::string args = ArgumentText(commandLine);
    Require(commandLine.substr(commandLine.size() - std::min(args.size(), commandLine.size())) ==
                args,
            "the argument text is a tail of the command line");
    Require(args.empty() || !IsBlank(args.front()), "no blank begins the argument text");
    RequestOf(args);
    HostNumber(args);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input = fuzz::Bytes(data, size);
    CheckArguments(input);
    size_t split = input.find('\n');
    if (split == input.npos)
        return 0;
    std::string_view name = input.substr(0, split);
    std::string_view args = input.substr(split + 1);
    if (name.find('"') != name.npos)
        return 0;
    std::string quoted = "\"" + std::string(name) + "\"" + std::string(args);
    CheckArguments(quoted);
    Require(ArgumentText(quoted) == WithoutLeadingBlanks(args),
            "arguments follow the closing quote of the program name");
    if (name.empty() || std::find_if(name.begin(), name.end(), IsBlank) != name.end())
        return 0;
    std::string plain = std::string(name) + " " + std::string(args);
    Require(ArgumentText(plain) == WithoutLeadingBlanks(args),
            "arguments follow the first blank after a program name without quotes");
    return 0;
}
