#include "cli/LexaroCli.h"

#include "cli/Commands.h"
#include "cli/ReviewCommands.h"
#include "cli/SpeakCommand.h"
#include "speech/EspeakSpeech.h"

#include <ostream>
#include <string_view>

namespace lexaro::cli {

namespace {

void WriteOverview(std::ostream& out, const std::vector<std::unique_ptr<CliCommand>>& commands) {
    out << "Usage: lexaro-cli COMMAND [arguments] [options]\n"
           "\n"
           "Works on Lexaro dictionaries from scripts. The options start from the program's\n"
           "default settings; the user's settings file is neither read nor written.\n"
           "\n"
           "Commands:\n";
    for (const auto& command : commands) {
        std::string name(command->Name());
        name.resize(12, ' ');
        out << "  " << name << command->Summary() << '\n';
    }
    out << "\n"
           "'lexaro-cli COMMAND --help' describes a command. Messages go to standard error.\n"
           "Exit status: 0 success (lookup: found), 1 nothing found, 2 usage error or\n"
           "unreadable input.\n";
}

} // namespace

std::vector<std::unique_ptr<CliCommand>> AllCommands() {
    std::vector<std::unique_ptr<CliCommand>> commands;
    commands.push_back(std::make_unique<LookupCommand>());
    commands.push_back(std::make_unique<TranslateCommand>());
    commands.push_back(std::make_unique<ConvertCommand>());
    commands.push_back(std::make_unique<ChecksumCommand>());
    commands.push_back(std::make_unique<InfoCommand>());
    commands.push_back(std::make_unique<AddCommand>());
    commands.push_back(std::make_unique<DeleteCommand>());
    commands.push_back(std::make_unique<ReviewCommand>());
    commands.push_back(std::make_unique<DueCommand>());
    commands.push_back(std::make_unique<PathsCommand>(SystemEnvironment()));
    commands.push_back(
        std::make_unique<SpeakCommand>([] { return std::unique_ptr<SpeechEngine>(std::make_unique<EspeakSpeech>()); }));
    return commands;
}

int RunLexaroCli(const std::vector<std::string>& args, CliStreams& io) {
    const std::vector<std::unique_ptr<CliCommand>> commands = AllCommands();
    if (args.empty()) {
        WriteOverview(io.err, commands);
        return kExitFailure;
    }
    std::vector<std::string> rest(args.begin() + 1, args.end());
    std::string_view name = args[0];
    // "help COMMAND" is "COMMAND --help".
    if (name == "help" && !rest.empty()) {
        name = args[1];
        rest = {"--help"};
    } else if (name == "--help" || name == "-h" || name == "help") {
        WriteOverview(io.out, commands);
        return kExitSuccess;
    }
    if (args[0] == "--version") {
        io.out << "lexaro-cli " << LEXARO_VERSION << '\n';
        return kExitSuccess;
    }
    for (const auto& command : commands) {
        if (command->Name() == name) {
            return command->Run(rest, io);
        }
    }
    io.err << "lexaro-cli: unknown command '" << name << "'\nTry 'lexaro-cli --help'.\n";
    return kExitFailure;
}

} // namespace lexaro::cli
