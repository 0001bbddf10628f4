#pragma once

#include "app/Environment.h"
#include "cli/CliCommand.h"

namespace lexaro::cli {

// lookup DICT TEXT: the main window's search, result text on standard output.
class LookupCommand : public CliCommand {
public:
    std::string_view Name() const override { return "lookup"; }
    std::string_view Summary() const override;
    std::string_view Help() const override;

protected:
    std::span<const OptionDefinition> Options() const override;
    int MinArguments() const override { return 2; }
    int MaxArguments() const override { return 2; }
    int Execute(const CommandLine& line, CliStreams& io) override;
};

// translate DICT [TEXT]: word-by-word translation of TEXT or of standard input.
class TranslateCommand : public CliCommand {
public:
    std::string_view Name() const override { return "translate"; }
    std::string_view Summary() const override;
    std::string_view Help() const override;

protected:
    std::span<const OptionDefinition> Options() const override;
    int MinArguments() const override { return 1; }
    int MaxArguments() const override { return 2; }
    int Execute(const CommandLine& line, CliStreams& io) override;
};

// convert IN OUT: between dictionary documents, separated text and HTML.
class ConvertCommand : public CliCommand {
public:
    std::string_view Name() const override { return "convert"; }
    std::string_view Summary() const override;
    std::string_view Help() const override;

protected:
    std::span<const OptionDefinition> Options() const override;
    int MinArguments() const override { return 2; }
    int MaxArguments() const override { return 2; }
    int Execute(const CommandLine& line, CliStreams& io) override;
};

// checksum FILE: one digest, or every digest the properties window offers.
class ChecksumCommand : public CliCommand {
public:
    std::string_view Name() const override { return "checksum"; }
    std::string_view Summary() const override;
    std::string_view Help() const override;

protected:
    std::span<const OptionDefinition> Options() const override;
    int MinArguments() const override { return 1; }
    int MaxArguments() const override { return 1; }
    int Execute(const CommandLine& line, CliStreams& io) override;
};

// info DICT: the dictionary's properties, as the properties window copies them.
class InfoCommand : public CliCommand {
public:
    std::string_view Name() const override { return "info"; }
    std::string_view Summary() const override;
    std::string_view Help() const override;

protected:
    std::span<const OptionDefinition> Options() const override;
    int MinArguments() const override { return 1; }
    int MaxArguments() const override { return 1; }
    int Execute(const CommandLine& line, CliStreams& io) override;
};

// add DICT TERM EXPLANATION: the main window's Add, saved into the file.
class AddCommand : public CliCommand {
public:
    std::string_view Name() const override { return "add"; }
    std::string_view Summary() const override;
    std::string_view Help() const override;

protected:
    std::span<const OptionDefinition> Options() const override;
    int MinArguments() const override { return 3; }
    int MaxArguments() const override { return 3; }
    int Execute(const CommandLine& line, CliStreams& io) override;
};

// delete DICT TERM: the main window's Delete, saved into the file.
class DeleteCommand : public CliCommand {
public:
    std::string_view Name() const override { return "delete"; }
    std::string_view Summary() const override;
    std::string_view Help() const override;

protected:
    std::span<const OptionDefinition> Options() const override;
    int MinArguments() const override { return 2; }
    int MaxArguments() const override { return 2; }
    int Execute(const CommandLine& line, CliStreams& io) override;
};

// paths: where the desktop program finds its languages, help and settings.
class PathsCommand : public CliCommand {
public:
    explicit PathsCommand(Environment environment);
    std::string_view Name() const override { return "paths"; }
    std::string_view Summary() const override;
    std::string_view Help() const override;

protected:
    std::span<const OptionDefinition> Options() const override;
    int MinArguments() const override { return 0; }
    int MaxArguments() const override { return 0; }
    int Execute(const CommandLine& line, CliStreams& io) override;

private:
    Environment m_Environment;
};

} // namespace lexaro::cli
