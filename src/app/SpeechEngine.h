#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// One voice a speech engine offers: the language it speaks ("de", "en-gb"), its name for people ("German",
// "English (Great Britain)") and the wider languages it also answers to ("en").
struct SpeechVoice {
    std::string language;
    std::string name;
    std::vector<std::string> otherLanguages;
};

// The voice that speaks a language (any letter case): the one whose own language it is, else the first that
// also answers to it; -1 for none.
int VoiceIndexFor(const std::vector<SpeechVoice>& voices, std::string_view language);

// Speech as 16-bit signed mono samples.
struct SpeechSamples {
    int sampleRate = 0;
    std::vector<std::int16_t> samples;
};

// Turns text into speech in memory. Implementations may be called from any thread; they serialise the calls
// themselves.
class SpeechEngine {
public:
    virtual ~SpeechEngine() = default;

    // Every voice, in the engine's order; empty when the engine has no voice data.
    virtual std::vector<SpeechVoice> Voices() = 0;
    // The speech of UTF-8 text in the voice of the language; nothing for a language the engine does not
    // have or when synthesis fails. Empty text gives no samples.
    virtual std::optional<SpeechSamples> Synthesize(std::string_view text, std::string_view language) = 0;
};

} // namespace lexaro
