#pragma once
// `skintool` commands: each runs one parsed command line.

#include "commandline.h"

#include <ostream>

namespace tarnivo::skintool {

// Runs the command, printing results to out. Answers the exit code (0, or
// 1 when `check` found errors); raises Exception on failure.
int RunCommand(const CommandLine& line, std::ostream& out);

} // namespace tarnivo::skintool
