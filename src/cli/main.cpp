#include "cli/LexaroCli.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    lexaro::cli::CliStreams io{std::cin, std::cout, std::cerr};
    const int code = lexaro::cli::RunLexaroCli(args, io);
    std::cout.flush();
    return std::cout ? code : lexaro::cli::kExitFailure;
}
