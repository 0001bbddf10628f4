#include "cli/LexaroCli.h"

#include <csignal>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Dictionaries are read through a mapping of their file; one that another program cuts short while it is read
// ends the run with this message instead of a crash.
void FileCutShort(int) {
    static const char message[] = "lexaro-cli: a file changed while it was read\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, message, sizeof message - 1);
    ::_exit(lexaro::cli::kExitFailure);
}

} // namespace

int main(int argc, char** argv) {
    struct sigaction action {};
    action.sa_handler = FileCutShort;
    ::sigaction(SIGBUS, &action, nullptr);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    lexaro::cli::CliStreams io{std::cin, std::cout, std::cerr};
    const int code = lexaro::cli::RunLexaroCli(args, io);
    std::cout.flush();
    return std::cout ? code : lexaro::cli::kExitFailure;
}
