#include "speech/EspeakSpeech.h"

#include <espeak-ng/speak_lib.h>
#include <mutex>
#include <string>

namespace lexaro {

namespace {

std::mutex g_Lock;

// espeak-ng started once per process (its data from the system's folder) and ended when the process ends.
class EspeakState {
public:
    // The sample rate, or 0 when espeak-ng has no data to speak with.
    int SampleRate() {
        if (!m_Tried) {
            m_Tried = true;
            m_SampleRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
            if (m_SampleRate <= 0) {
                m_SampleRate = 0;
            } else {
                espeak_SetSynthCallback(&EspeakState::Collect);
            }
        }
        return m_SampleRate;
    }

    ~EspeakState() {
        if (m_SampleRate > 0) {
            espeak_Terminate();
        }
    }

private:
    static int Collect(short* wave, int count, espeak_EVENT* events) {
        if (wave != nullptr && count > 0 && events != nullptr) {
            auto* samples = static_cast<std::vector<std::int16_t>*>(events->user_data);
            samples->insert(samples->end(), wave, wave + count);
        }
        return 0;
    }

    bool m_Tried = false;
    int m_SampleRate = 0;
};

EspeakState& State() {
    static EspeakState state;
    return state;
}

// A voice's languages: pairs of a priority byte and a NUL-ended code, ended by a priority of 0.
std::vector<std::string> LanguagesOf(const espeak_VOICE& voice) {
    std::vector<std::string> languages;
    for (const char* at = voice.languages; at != nullptr && *at != 0;) {
        const std::string code(at + 1);
        languages.push_back(code);
        at += 1 + code.size() + 1;
    }
    return languages;
}

std::vector<SpeechVoice> ListVoices() {
    std::vector<SpeechVoice> voices;
    const espeak_VOICE** list = espeak_ListVoices(nullptr);
    for (; list != nullptr && *list != nullptr; ++list) {
        const std::vector<std::string> languages = LanguagesOf(**list);
        if (!languages.empty() && (*list)->name != nullptr) {
            voices.push_back({languages.front(), (*list)->name, {languages.begin() + 1, languages.end()}});
        }
    }
    return voices;
}

} // namespace

std::vector<SpeechVoice> EspeakSpeech::Voices() {
    const std::lock_guard lock(g_Lock);
    if (State().SampleRate() == 0) {
        return {};
    }
    return ListVoices();
}

std::optional<SpeechSamples> EspeakSpeech::Synthesize(std::string_view text, std::string_view language) {
    const std::lock_guard lock(g_Lock);
    const int rate = State().SampleRate();
    if (rate == 0) {
        return std::nullopt;
    }
    const std::vector<SpeechVoice> voices = ListVoices();
    const int index = VoiceIndexFor(voices, language);
    if (index < 0) {
        return std::nullopt;
    }
    // By the voice's own language, so that "en" speaks with the voice the list shows for it.
    const std::string code = voices[static_cast<std::size_t>(index)].language;
    espeak_VOICE wanted{};
    wanted.languages = code.c_str();
    if (espeak_SetVoiceByProperties(&wanted) != EE_OK) {
        return std::nullopt;
    }
    SpeechSamples speech;
    speech.sampleRate = rate;
    if (text.empty()) {
        return speech;
    }
    const std::string terminated(text);
    if (espeak_Synth(terminated.c_str(), terminated.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                     &speech.samples) != EE_OK) {
        return std::nullopt;
    }
    return speech;
}

} // namespace lexaro
