#pragma once

#include "app/SpeechEngine.h"

namespace lexaro {

// Speech by espeak-ng, synthesised into memory. espeak-ng keeps one state per process, so every instance
// shares it and calls are taken one at a time.
class EspeakSpeech : public SpeechEngine {
public:
    std::vector<SpeechVoice> Voices() override;
    std::optional<SpeechSamples> Synthesize(std::string_view text, std::string_view language) override;
};

} // namespace lexaro
