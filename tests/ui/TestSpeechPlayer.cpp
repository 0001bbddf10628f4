#include "RecordingSpeech.h"

#include <QSignalSpy>
#include <QtTest>
#include <memory>

using namespace lexaro;
using namespace lexaro::testing;

class TestSpeechPlayer : public QObject {
    Q_OBJECT

private slots:
    void speechIsMadeOffTheWindowThreadAndPlayed() {
        auto engine = std::make_shared<RecordingSpeech>();
        auto output = std::make_shared<RecordingOutput>();
        SpeechPlayer player(engine, output);
        QSignalSpy playing(&player, &SpeechPlayer::Playing);
        player.Say("Haus", "de");
        QTRY_COMPARE(output->played.size(), std::size_t{1});
        QCOMPARE(output->played[0].samples.size(), std::size_t{4});
        QCOMPARE(playing.count(), 1);
        const auto requests = engine->Requests();
        QCOMPARE(requests.size(), std::size_t{1});
        QCOMPARE(requests[0].language, std::string("de"));
        QVERIFY(requests[0].thread != QThread::currentThread());

        // Parts are played as one, 0.4 seconds of silence between them.
        player.Say({{"ab", "de"}, {"", "de"}, {"cde", "en"}});
        QTRY_COMPARE(output->played.size(), std::size_t{2});
        QCOMPARE(output->played[1].samples.size(), std::size_t{2 + 6400 + 3});
        QCOMPARE(output->played[1].samples[2], std::int16_t{0});
    }

    void aNewRequestStopsAndDropsTheOneBefore() {
        auto engine = std::make_shared<RecordingSpeech>();
        auto output = std::make_shared<RecordingOutput>();
        SpeechPlayer player(engine, output);
        engine->Hold();
        player.Say("first", "en");
        QTRY_COMPARE(engine->Requests().size(), std::size_t{1});
        const int stopsBefore = output->stops;
        player.Say("second!", "en");
        QCOMPARE(output->stops, stopsBefore + 1);
        engine->Release();
        QTRY_COMPARE(output->played.size(), std::size_t{1});
        // The first request's speech arrived before the second's and was dropped.
        QCOMPARE(output->played[0].samples.size(), std::string("second!").size());
        QCOMPARE(output->attempts, 1);
    }

    void noAudioDeviceIsToldOnce() {
        auto engine = std::make_shared<RecordingSpeech>();
        auto output = std::make_shared<RecordingOutput>();
        output->hasDevice = false;
        SpeechPlayer player(engine, output);
        QSignalSpy missing(&player, &SpeechPlayer::NoAudioDevice);
        player.Say("eins", "de");
        QTRY_COMPARE(missing.count(), 1);
        player.Say("zwei", "de");
        QTRY_COMPARE(output->attempts, 2);
        QCOMPARE(missing.count(), 1);
    }
};

QTEST_MAIN(TestSpeechPlayer)
#include "TestSpeechPlayer.moc"
