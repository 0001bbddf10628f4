#pragma once

#include "ui/qt/SpeechPlayer.h"

#include <QBuffer>
#include <QByteArray>
#include <memory>

class QAudioSink;

namespace lexaro {

// Plays speech on the desktop's default audio output through Qt Multimedia.
class AudioOutput : public SampleOutput {
public:
    AudioOutput();
    ~AudioOutput() override;

    bool Play(const SpeechSamples& speech) override;
    void Stop() override;

private:
    std::unique_ptr<QAudioSink> m_Sink;
    QByteArray m_Bytes;
    QBuffer m_Buffer;
};

} // namespace lexaro
