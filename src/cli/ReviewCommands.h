#pragma once

#include "app/Environment.h"
#include "cli/CliCommand.h"

namespace lexaro::cli {

// review DICT TERM RATING: records one review in the dictionary's review log.
class ReviewCommand : public CliCommand {
public:
    explicit ReviewCommand(Environment environment = SystemEnvironment());
    std::string_view Name() const override { return "review"; }
    std::string_view Summary() const override;
    std::string_view Help() const override;

protected:
    std::span<const OptionDefinition> Options() const override;
    int MinArguments() const override { return 3; }
    int MaxArguments() const override { return 3; }
    int Execute(const CommandLine& line, CliStreams& io) override;

private:
    Environment m_Environment;
};

// due DICT: the cards due for review, with their memory state.
class DueCommand : public CliCommand {
public:
    explicit DueCommand(Environment environment = SystemEnvironment());
    std::string_view Name() const override { return "due"; }
    std::string_view Summary() const override;
    std::string_view Help() const override;

protected:
    std::span<const OptionDefinition> Options() const override;
    int MinArguments() const override { return 1; }
    int MaxArguments() const override { return 1; }
    int Execute(const CommandLine& line, CliStreams& io) override;

private:
    Environment m_Environment;
};

} // namespace lexaro::cli
