#pragma once
// `skintool` command-line parsing: the command name and its arguments.

#include "framework/object.h"

#include <string>
#include <vector>

namespace tarnivo::skintool {

struct CommandLine {
    std::string command;
    std::vector<std::string> arguments;
};

// Raised for an unknown command or a wrong number of arguments.
class UsageError : public Exception {
public:
    using Exception::Exception;
};

CommandLine ParseCommandLine(const std::vector<std::string>& words);
std::string UsageText();

} // namespace tarnivo::skintool
