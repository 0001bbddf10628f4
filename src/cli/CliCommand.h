#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro::cli {

// Exit codes of every command.
inline constexpr int kExitSuccess = 0;
// Only a look-up (and a deletion) that found nothing ends with this.
inline constexpr int kExitNotFound = 1;
// A usage error, input that cannot be read, or a file that cannot be written.
inline constexpr int kExitFailure = 2;

// The streams a command reads and writes; handed in so that tests run commands in memory.
struct CliStreams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// One option a command accepts: "--name", with a value ("--name VALUE" or "--name=VALUE") or without.
struct OptionDefinition {
    std::string_view name;
    bool takesValue = false;
};

// A command's arguments after parsing: the positional arguments in order and the options given.
class CommandLine {
public:
    // False with a message in error for an unknown option, a value missing or given to a flag. "--help" and
    // "-h" are always known; after "--" every argument is positional.
    bool Parse(const std::vector<std::string>& args, std::span<const OptionDefinition> options, std::string& error);

    bool HelpAsked() const { return m_Help; }
    const std::vector<std::string>& Positionals() const { return m_Positionals; }
    bool Has(std::string_view name) const;
    // The value of the option's last occurrence.
    std::optional<std::string> Value(std::string_view name) const;
    // The values of every occurrence, in command-line order.
    std::vector<std::string> Values(std::string_view name) const;

private:
    struct Given {
        std::string name;
        std::string value;
    };
    std::vector<std::string> m_Positionals;
    std::vector<Given> m_Options;
    bool m_Help = false;
};

// A whole decimal number within [min, max]; nothing for anything else.
std::optional<int> ParseNumber(std::string_view text, int min, int max);

// One command of lexaro-cli. Run parses the arguments, answers "--help" and checks the number of positional
// arguments before Execute sees them.
class CliCommand {
public:
    virtual ~CliCommand() = default;

    virtual std::string_view Name() const = 0;
    // One line for the list of commands.
    virtual std::string_view Summary() const = 0;
    // The whole text of "--help", ending with a line break.
    virtual std::string_view Help() const = 0;

    int Run(const std::vector<std::string>& args, CliStreams& io);

protected:
    virtual std::span<const OptionDefinition> Options() const = 0;
    virtual int MinArguments() const = 0;
    virtual int MaxArguments() const = 0;
    virtual int Execute(const CommandLine& line, CliStreams& io) = 0;

    // "lexaro-cli NAME: message" and a pointer to the help on the error stream; the usage exit code.
    int UsageError(CliStreams& io, std::string_view message) const;
    // "lexaro-cli NAME: message" on the error stream; the failure exit code.
    int Failure(CliStreams& io, std::string_view message) const;
};

} // namespace lexaro::cli
