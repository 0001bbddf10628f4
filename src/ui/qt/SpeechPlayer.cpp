#include "ui/qt/SpeechPlayer.h"

#include <QMetaObject>
#include <optional>
#include <utility>

namespace lexaro {

namespace {

constexpr int kPauseMilliseconds = 400;

// The parts' speech joined, with a pause between two; nothing when no part gives any.
std::optional<SpeechSamples> Synthesize(SpeechEngine& engine, const std::vector<SpeechPlayer::Part>& parts) {
    std::optional<SpeechSamples> joined;
    for (const SpeechPlayer::Part& part : parts) {
        std::optional<SpeechSamples> speech = engine.Synthesize(part.text, part.language);
        if (!speech || speech->samples.empty()) {
            continue;
        }
        if (!joined) {
            joined = std::move(speech);
        } else if (speech->sampleRate == joined->sampleRate) {
            joined->samples.resize(joined->samples.size() +
                                   static_cast<std::size_t>(joined->sampleRate * kPauseMilliseconds / 1000));
            joined->samples.insert(joined->samples.end(), speech->samples.begin(), speech->samples.end());
        }
    }
    return joined;
}

} // namespace

SpeechPlayer::SpeechPlayer(std::shared_ptr<SpeechEngine> engine, std::shared_ptr<SampleOutput> output, QObject* parent)
    : QObject(parent), m_Engine(std::move(engine)), m_Output(std::move(output)) {
    m_Pool.setMaxThreadCount(1);
}

SpeechPlayer::~SpeechPlayer() {
    m_Pool.clear();
    m_Pool.waitForDone();
    m_Output->Stop();
}

void SpeechPlayer::Say(const std::string& text, const std::string& language) {
    Say(std::vector<Part>{{text, language}});
}

void SpeechPlayer::Say(std::vector<Part> parts) {
    Stop();
    std::erase_if(parts, [](const Part& part) { return part.text.empty(); });
    if (parts.empty()) {
        return;
    }
    const quint64 request = m_Request;
    m_Pool.start([this, request, parts = std::move(parts)] {
        std::optional<SpeechSamples> speech = Synthesize(*m_Engine, parts);
        if (!speech) {
            return;
        }
        QMetaObject::invokeMethod(
            this, [this, request, made = std::move(*speech)] { Deliver(request, made); }, Qt::QueuedConnection);
    });
}

void SpeechPlayer::Stop() {
    ++m_Request;
    m_Pool.clear();
    m_Output->Stop();
}

void SpeechPlayer::Deliver(quint64 request, const SpeechSamples& speech) {
    if (request != m_Request) {
        return;
    }
    if (m_Output->Play(speech)) {
        emit Playing();
    } else if (!m_DeviceMissingTold) {
        m_DeviceMissingTold = true;
        emit NoAudioDevice();
    }
}

} // namespace lexaro
