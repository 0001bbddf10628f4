#pragma once

#include "app/SpeechEngine.h"

#include <QObject>
#include <QThreadPool>
#include <memory>
#include <string>
#include <vector>

namespace lexaro {

// Where speech is played. The program's is the desktop's audio output; tests record what they are handed.
class SampleOutput {
public:
    virtual ~SampleOutput() = default;
    // Starts playing and returns at once; false when there is no audio device to play on.
    virtual bool Play(const SpeechSamples& speech) = 0;
    virtual void Stop() = 0;
};

// Says texts without blocking the window: the speech is made on a thread of its own and handed to the output
// on the window's thread. A new request stops the one playing and drops one still being made.
class SpeechPlayer : public QObject {
    Q_OBJECT

public:
    SpeechPlayer(std::shared_ptr<SpeechEngine> engine, std::shared_ptr<SampleOutput> output, QObject* parent = nullptr);
    ~SpeechPlayer() override;

    SpeechEngine& Engine() { return *m_Engine; }
    // One text and the language it is said in.
    struct Part {
        std::string text;
        std::string language;
    };
    // Says UTF-8 text in the language's voice; empty text only stops what is playing.
    void Say(const std::string& text, const std::string& language);
    // Says the texts one after the other, a short pause between them, as one request.
    void Say(std::vector<Part> parts);
    void Stop();

signals:
    // The samples of a request went to the output.
    void Playing();
    // The output has no audio device; sent for the first failure only, so that the user is told once.
    void NoAudioDevice();

private:
    void Deliver(quint64 request, const SpeechSamples& speech);

    std::shared_ptr<SpeechEngine> m_Engine;
    std::shared_ptr<SampleOutput> m_Output;
    quint64 m_Request = 0;
    bool m_DeviceMissingTold = false;
    QThreadPool m_Pool;
};

} // namespace lexaro
