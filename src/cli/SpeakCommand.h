#pragma once

#include "app/SpeechEngine.h"
#include "cli/CliCommand.h"

#include <functional>
#include <memory>

namespace lexaro::cli {

// speak TEXT: the speech of TEXT as a WAV file, or the list of voices.
class SpeakCommand : public CliCommand {
public:
    // The engine is made only when a command needs it, so that listing the commands starts no speech.
    explicit SpeakCommand(std::function<std::unique_ptr<SpeechEngine>()> makeEngine);
    std::string_view Name() const override { return "speak"; }
    std::string_view Summary() const override;
    std::string_view Help() const override;

protected:
    std::span<const OptionDefinition> Options() const override;
    int MinArguments() const override { return 0; }
    int MaxArguments() const override { return 1; }
    int Execute(const CommandLine& line, CliStreams& io) override;

private:
    std::function<std::unique_ptr<SpeechEngine>()> m_MakeEngine;
};

} // namespace lexaro::cli
