#include "ToolWindowFixture.h"
#include "training/RandomSource.h"
#include "ui/training/ReviewDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace lexaro;
using lexaro::testing::ToolWindowFixture;

namespace {

struct ReviewFixture : ToolWindowFixture {
    SeededRandom random{1};
    std::unique_ptr<ReviewDeck> deck;

    ReviewFixture() {
        Add("Haus", "house<add_exp><exp_pos>a big house</exp_pos></add_exp>", "2020-01-01 00:00:00");
        Add("Baum", "tree", "2020-01-02 00:00:00");
        deck = std::make_unique<ReviewDeck>(File("words.lxr"), ScheduleOptions{});
    }
    std::unique_ptr<CReviewDlg> Open() {
        const int today = ReviewDay(clock->Now());
        auto dialog = std::make_unique<CReviewDlg>(Context(), *deck, engine.Entries(),
                                                   BuildReviewQueue(engine.Entries(), deck->History(), {}, today),
                                                   *clock, random);
        dialog->show();
        return dialog;
    }
};

QString Shown(QWidget& dialog, const char* name) {
    return dialog.findChild<QLabel*>(name)->text();
}

} // namespace

// The review window asks, judges, rates through the deck and takes ratings back.
class TestReviewDlg : public QObject {
    Q_OBJECT

private slots:
    void asksJudgesRatesAndTakesBack() {
        ReviewFixture f;
        auto dialog = f.Open();
        QSignalSpy questions(dialog.get(), &CReviewDlg::questionShown);
        QSignalSpy answers(dialog.get(), &CReviewDlg::answerShown);
        QTRY_COMPARE(Shown(*dialog, "m_LBLQuestion"), QStringLiteral("Haus"));
        QCOMPARE(Shown(*dialog, "m_LBLProgress"), QStringLiteral("1 of 2"));
        QCOMPARE(dialog->findChild<QPushButton*>("m_BTNGood")->text(), QStringLiteral("Good \u00b7 2 d"));
        QCOMPARE(questions.count(), 1);

        // A wrong answer, then Enter takes the suggested Again: the card comes back at the end.
        auto* answer = dialog->findChild<QLineEdit*>("m_EDTAnswer");
        QTest::keyClicks(answer, "mouse");
        QTest::keyClick(answer, Qt::Key_Return);
        QCOMPARE(Shown(*dialog, "m_LBLVerdict"), QStringLiteral("Wrong"));
        QCOMPARE(dialog->findChild<QPlainTextEdit*>("m_EDTSolution")->toPlainText(),
                 QStringLiteral("Haus\nhouse\n+ a big house"));
        QCOMPARE(answers.count(), 1);
        QTest::keyClick(dialog.get(), Qt::Key_Return);
        QCOMPARE(Shown(*dialog, "m_LBLQuestion"), QStringLiteral("Baum"));
        QCOMPARE(Shown(*dialog, "m_LBLProgress"), QStringLiteral("2 of 3"));

        // Space on an empty answer shows it; the key 3 rates Good.
        QTest::keyClick(answer, Qt::Key_Space);
        QVERIFY(!answer->isEnabled());
        QTest::keyClick(dialog.get(), Qt::Key_3);
        QCOMPARE(Shown(*dialog, "m_LBLQuestion"), QStringLiteral("Haus"));
        QCOMPARE(f.deck->History().Find("Baum", false)->records.back().rating, Rating::Good);

        QTest::keyClick(dialog.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Shown(*dialog, "m_LBLQuestion"), QStringLiteral("Baum"));
        QVERIFY(!f.deck->History().Find("Baum", false));

        QTest::keyClicks(answer, "tree");
        QTest::keyClick(answer, Qt::Key_Return);
        QCOMPARE(Shown(*dialog, "m_LBLVerdict"), QStringLiteral("Right"));
        QTest::keyClick(dialog.get(), Qt::Key_Return);
        dialog->findChild<QPushButton*>("m_BTNShow")->click();
        dialog->findChild<QPushButton*>("m_BTNEasy")->click();
        QVERIFY(Shown(*dialog, "m_LBLQuestion").startsWith(QStringLiteral("Cards reviewed: 3. Right: 2.")));
        QCOMPARE(questions.count(), 5);

        ReviewDeck reread(f.File("words.lxr"), {});
        reread.Load();
        QCOMPARE(reread.History().RatingCount(), size_t{3});
    }

    void aRatingThatCannotBeWrittenIsReportedAndNotCounted() {
        ReviewFixture f;
        std::filesystem::create_directory(f.File("words.lxr"));
        auto dialog = f.Open();
        QTRY_COMPARE(Shown(*dialog, "m_LBLQuestion"), QStringLiteral("Haus"));
        dialog->ShowAnswer();
        f.prompter.Expect(PromptAnswer::Ok);
        dialog->Rate(Rating::Good);
        QVERIFY(f.prompter.Done());
        QVERIFY(f.prompter.LastText().startsWith(QStringLiteral("The rating could not be written")));
        QCOMPARE(Shown(*dialog, "m_LBLQuestion"), QStringLiteral("Haus"));
        QVERIFY(!f.deck->History().Find("Haus", false));
    }
};

QTEST_MAIN(TestReviewDlg)
#include "TestReviewDlg.moc"
