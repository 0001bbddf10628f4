#pragma once

#include "cli/CliCommand.h"

#include <memory>
#include <string>
#include <vector>

namespace lexaro::cli {

// Every command, in the order the overview lists them.
std::vector<std::unique_ptr<CliCommand>> AllCommands();

// Runs lexaro-cli with its arguments (without the program name): the command named by the first one, or the
// overview for "--help". The exit code.
int RunLexaroCli(const std::vector<std::string>& args, CliStreams& io);

} // namespace lexaro::cli
