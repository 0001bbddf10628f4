#include "ui/qt/AudioOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace lexaro {

AudioOutput::AudioOutput() = default;

AudioOutput::~AudioOutput() {
    Stop();
}

bool AudioOutput::Play(const SpeechSamples& speech) {
    Stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return false;
    }
    QAudioFormat format;
    format.setSampleRate(speech.sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) {
        return false;
    }
    m_Bytes = QByteArray(reinterpret_cast<const char*>(speech.samples.data()),
                         static_cast<qsizetype>(speech.samples.size() * sizeof(speech.samples[0])));
    m_Buffer.setBuffer(&m_Bytes);
    m_Buffer.open(QIODevice::ReadOnly);
    m_Sink = std::make_unique<QAudioSink>(device, format);
    m_Sink->start(&m_Buffer);
    return m_Sink->error() == QAudio::NoError;
}

void AudioOutput::Stop() {
    if (m_Sink) {
        m_Sink->stop();
        m_Sink.reset();
    }
    m_Buffer.close();
}

} // namespace lexaro
