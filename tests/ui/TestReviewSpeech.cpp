#include "RecordingSpeech.h"
#include "ToolWindowFixture.h"
#include "training/RandomSource.h"
#include "ui/training/ReviewDlg.h"
#include "ui/training/ReviewSpeech.h"

#include <QLineEdit>
#include <QTest>

using namespace lexaro;
using namespace lexaro::testing;

class TestReviewSpeech : public QObject {
    Q_OBJECT

private slots:
    // The question when it appears, the expected answer (not the whole solution) when it is shown; each only
    // when the options ask for it.
    void saysQuestionAndAnswerAsAsked() {
        for (const bool sayQuestion : {true, false}) {
            ToolWindowFixture f;
            f.Add("Haus", "house<add_exp><exp_pos>a big house</exp_pos></add_exp>", "2020-01-01 00:00:00");
            ReviewDeck deck(f.File("words.lxr"), ScheduleOptions{});
            SeededRandom random{1};
            auto speech = std::make_shared<RecordingSpeech>();
            auto output = std::make_shared<RecordingOutput>();
            SpeechPlayer player(speech, output);
            CReviewDlg review(f.Context(), deck, f.engine.Entries(),
                              BuildReviewQueue(f.engine.Entries(), deck.History(), {}, ReviewDay(f.clock->Now())),
                              *f.clock, random);
            SpeakReview(review, player, {"de", "en"}, sayQuestion, true);
            review.show();
            if (sayQuestion) {
                QTRY_COMPARE(output->attempts, 1);
                QCOMPARE(speech->Requests().back().text + " " + speech->Requests().back().language,
                         std::string("Haus de"));
            }
            QTest::keyClick(review.findChild<QLineEdit*>("m_EDTAnswer"), Qt::Key_Space);
            QTRY_COMPARE(output->attempts, sayQuestion ? 2 : 1);
            QCOMPARE(speech->Requests().back().text + " " + speech->Requests().back().language,
                     std::string("house en"));
        }
    }
};

QTEST_MAIN(TestReviewSpeech)
#include "TestReviewSpeech.moc"
