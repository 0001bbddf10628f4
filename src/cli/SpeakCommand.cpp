#include "cli/SpeakCommand.h"

#include "app/WavFile.h"
#include "cli/DictionaryInput.h"
#include "table/SafeFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <ostream>
#include <utility>

namespace lexaro::cli {

namespace {

constexpr std::array<OptionDefinition, 3> kOptions{{{"voice", true}, {"out", true}, {"list-voices", false}}};
constexpr std::string_view kDefaultVoice = "en";

void ListVoices(const std::vector<SpeechVoice>& voices, std::ostream& out) {
    for (const SpeechVoice& voice : voices) {
        std::string code = voice.language;
        code.resize(std::max<std::size_t>(code.size() + 1, 12), ' ');
        out << code << voice.name << '\n';
    }
}

} // namespace

SpeakCommand::SpeakCommand(std::function<std::unique_ptr<SpeechEngine>()> makeEngine)
    : m_MakeEngine(std::move(makeEngine)) {}

std::string_view SpeakCommand::Summary() const {
    return "say a text into a WAV file, or list the voices";
}

std::string_view SpeakCommand::Help() const {
    return "Usage: lexaro-cli speak TEXT [options]\n"
           "       lexaro-cli speak --list-voices\n"
           "\n"
           "Writes the speech of TEXT (UTF-8) as a WAV file, 16-bit PCM mono, to standard\n"
           "output or to the file of --out. --list-voices writes one line per voice instead:\n"
           "its language code, then its name.\n"
           "\n"
           "Options:\n"
           "  --voice LANG    the language to speak in, a code of --list-voices (default en)\n"
           "  --out FILE      write the WAV file there instead of to standard output\n"
           "  --list-voices   list the voices\n"
           "  -h, --help      show this help\n"
           "\n"
           "Exit status: 0 success, 2 usage error, unknown voice, no speech installed or a\n"
           "file that cannot be written.\n";
}

std::span<const OptionDefinition> SpeakCommand::Options() const {
    return kOptions;
}

int SpeakCommand::Execute(const CommandLine& line, CliStreams& io) {
    const bool list = line.Has("list-voices");
    if (list != line.Positionals().empty()) {
        return UsageError(io, list ? "--list-voices takes no TEXT" : "TEXT is missing");
    }
    const std::unique_ptr<SpeechEngine> engine = m_MakeEngine();
    const std::vector<SpeechVoice> voices = engine->Voices();
    if (voices.empty()) {
        return Failure(io, "no speech voices are installed");
    }
    if (list) {
        ListVoices(voices, io.out);
        return kExitSuccess;
    }
    const std::string voice = line.Value("voice").value_or(std::string(kDefaultVoice));
    if (VoiceIndexFor(voices, voice) < 0) {
        return UsageError(io, "unknown voice '" + voice + "' (see --list-voices)");
    }
    const std::optional<SpeechSamples> speech = engine->Synthesize(line.Positionals()[0], voice);
    if (!speech) {
        return Failure(io, "the speech could not be made");
    }
    if (const std::optional<std::string> out = line.Value("out")) {
        if (!WriteWavFile(*out, *speech)) {
            const std::string reason = SystemReason(errno);
            return Failure(io, "cannot write " + Quoted(*out) + (reason.empty() ? "" : ": " + reason));
        }
        return kExitSuccess;
    }
    io.out << WavBytes(*speech);
    return kExitSuccess;
}

} // namespace lexaro::cli
