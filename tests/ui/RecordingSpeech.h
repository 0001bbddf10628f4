#pragma once

#include "ui/qt/SpeechPlayer.h"

#include <QThread>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace lexaro::testing {

// A speech engine that notes what it was asked and on which thread; each request gives one sample per byte of
// text. While held, requests wait until released.
class RecordingSpeech : public SpeechEngine {
public:
    struct Request {
        std::string text;
        std::string language;
        QThread* thread = nullptr;
    };

    std::vector<SpeechVoice> Voices() override {
        return {{"de", "German", {}}, {"en-gb", "English (Great Britain)", {"en"}}, {"fr-fr", "French", {"fr"}}};
    }

    std::optional<SpeechSamples> Synthesize(std::string_view text, std::string_view language) override {
        std::unique_lock lock(m_Lock);
        m_Requests.push_back({std::string(text), std::string(language), QThread::currentThread()});
        m_Released.wait(lock, [this] { return !m_Held; });
        return SpeechSamples{16000, std::vector<std::int16_t>(text.size(), 1000)};
    }

    void Hold() {
        const std::lock_guard lock(m_Lock);
        m_Held = true;
    }
    void Release() {
        {
            const std::lock_guard lock(m_Lock);
            m_Held = false;
        }
        m_Released.notify_all();
    }
    std::vector<Request> Requests() {
        const std::lock_guard lock(m_Lock);
        return m_Requests;
    }

private:
    std::mutex m_Lock;
    std::condition_variable m_Released;
    bool m_Held = false;
    std::vector<Request> m_Requests;
};

// An audio output that keeps what it is handed; without a device it plays nothing.
class RecordingOutput : public SampleOutput {
public:
    bool hasDevice = true;
    std::vector<SpeechSamples> played;
    int stops = 0;
    int attempts = 0;

    bool Play(const SpeechSamples& speech) override {
        ++attempts;
        if (!hasDevice) {
            return false;
        }
        played.push_back(speech);
        return true;
    }
    void Stop() override { ++stops; }
};

} // namespace lexaro::testing
