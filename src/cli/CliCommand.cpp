#include "cli/CliCommand.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace lexaro::cli {

namespace {

const OptionDefinition* FindOption(std::span<const OptionDefinition> options, std::string_view name) {
    const auto it =
        std::find_if(options.begin(), options.end(), [&](const OptionDefinition& o) { return o.name == name; });
    return it == options.end() ? nullptr : &*it;
}

} // namespace

bool CommandLine::Parse(const std::vector<std::string>& args, std::span<const OptionDefinition> options,
                        std::string& error) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // A lone "-" is an ordinary argument, as are all after "--".
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            m_Positionals.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            m_Help = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionDefinition* known =
            arg.starts_with("--") ? FindOption(options, std::string_view(name).substr(2)) : nullptr;
        if (known == nullptr) {
            error = "unknown option " + name + " (put -- before a text that begins with -)";
            return false;
        }
        if (!known->takesValue) {
            if (equals != std::string::npos) {
                error = "option " + name + " takes no value";
                return false;
            }
            m_Options.push_back({std::string(known->name), {}});
        } else if (equals != std::string::npos) {
            m_Options.push_back({std::string(known->name), arg.substr(equals + 1)});
        } else if (i + 1 < args.size()) {
            m_Options.push_back({std::string(known->name), args[++i]});
        } else {
            error = "option " + name + " needs a value";
            return false;
        }
    }
    return true;
}

bool CommandLine::Has(std::string_view name) const {
    return std::any_of(m_Options.begin(), m_Options.end(), [&](const Given& g) { return g.name == name; });
}

std::optional<std::string> CommandLine::Value(std::string_view name) const {
    const auto it = std::find_if(m_Options.rbegin(), m_Options.rend(), [&](const Given& g) { return g.name == name; });
    if (it == m_Options.rend()) {
        return std::nullopt;
    }
    return it->value;
}

std::vector<std::string> CommandLine::Values(std::string_view name) const {
    std::vector<std::string> values;
    for (const Given& given : m_Options) {
        if (given.name == name) {
            values.push_back(given.value);
        }
    }
    return values;
}

std::optional<int> ParseNumber(std::string_view text, int min, int max) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, code] = std::from_chars(text.data(), end, value);
    if (text.empty() || code != std::errc() || stop != end || value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

int CliCommand::Run(const std::vector<std::string>& args, CliStreams& io) {
    CommandLine line;
    std::string error;
    if (!line.Parse(args, Options(), error)) {
        return UsageError(io, error);
    }
    if (line.HelpAsked()) {
        io.out << Help();
        return kExitSuccess;
    }
    const int count = static_cast<int>(line.Positionals().size());
    if (count < MinArguments()) {
        return UsageError(io, "missing arguments");
    }
    if (count > MaxArguments()) {
        return UsageError(io, "too many arguments: " + line.Positionals()[static_cast<std::size_t>(MaxArguments())]);
    }
    return Execute(line, io);
}

int CliCommand::UsageError(CliStreams& io, std::string_view message) const {
    io.err << "lexaro-cli " << Name() << ": " << message << "\nTry 'lexaro-cli " << Name() << " --help'.\n";
    return kExitFailure;
}

int CliCommand::Failure(CliStreams& io, std::string_view message) const {
    io.err << "lexaro-cli " << Name() << ": " << message << '\n';
    return kExitFailure;
}

} // namespace lexaro::cli
