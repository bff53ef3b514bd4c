// The command line. Any line: the argument text is a tail of it and the readers of mode
// and host take it safely. A line split at its first LF into a program name and arguments
// is also joined as launchers do, quoted or not, and the arguments must come back.
#include "command_line.h"
#include "fuzz_support.h"

#include <algorithm>
#include <optional>
#include <string>

using namespace orvanne;

namespace {

void CheckArguments(std::string_view line, std::optional<std::string_view> expected) {
    auto withoutLeadingBlanks = [](std::string_view s) {
        return s.substr(std::min(s.find_first_not_of(" \t"), s.size()));
    };
    std::string args = ArgumentText(line);
    Require(args.size() <= line.size() && line.substr(line.size() - args.size()) == args,
            "the argument text is a tail of the command line");
    Require(withoutLeadingBlanks(args) == args, "no blank begins the argument text");
    Require(!expected || args == withoutLeadingBlanks(*expected),
            "arguments follow the program name, quoted or up to its first blank");
    RequestOf(args);
    HostNumber(args);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input = Bytes(data, size);
    CheckArguments(input, std::nullopt);
    size_t split = input.find('\n');
    if (split == input.npos)
        return 0;
    std::string name(input.substr(0, split));
    std::string_view args = input.substr(split + 1);
    if (name.find('"') != name.npos)
        return 0;
    CheckArguments("\"" + name + "\"" + std::string(args), args);
    if (!name.empty() && name.find_first_of(" \t") == name.npos)
        CheckArguments(name + " " + std::string(args), args);
    return 0;
}
