#include "RecordingSpeech.h"
#include "ScriptedPlatform.h"
#include "TestData.h"
#include "app/InterfaceTexts.h"
#include "training/TrainingTestSupport.h"
#include "ui/training/DoTrainingDlg.h"
#include "widgets/ElidedText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace lexaro;
using lexaro::testing::ScriptedFileChooser;
using lexaro::testing::ScriptedPrompter;

namespace {

// A quiz over house, tree and cat, all three in the unit, with scripted prompts and random draws.
struct QuizFixture {
    InterfaceTexts texts;
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    test::ScriptedRandom random;
    ClassTable entries = test::Dictionary({{"house", "Haus"}, {"tree", "Baum"}, {"cat", "Katze"}});
    TrainingUnit unit;
    QuizStart start;
    std::unique_ptr<CDoTrainingDlg> quiz;

    QuizFixture() {
        for (int row = 0; row < entries.RowCount(); ++row) {
            unit.AddEntry(row);
        }
        start.dictionaryName = QStringLiteral("animals.lxd");
    }
    void Open() {
        quiz =
            std::make_unique<CDoTrainingDlg>(ToolWindowContext{texts, prompter, chooser}, unit, entries, random, start);
        quiz->show();
    }
    template <typename T>
    T* Find(const char* name) const {
        return quiz->findChild<T*>(QString::fromLatin1(name));
    }
    QString Question() const { return Find<QPlainTextEdit>("m_EDTSearchedTerm")->toPlainText(); }
    QLineEdit* AnswerField() const { return Find<QLineEdit>("m_EDTExplanation"); }
    void Answer(const QString& text) {
        QLineEdit* field = AnswerField();
        field->clear();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    QString Line(const char* name) const { return Find<QLabel>(name)->text(); }
};

} // namespace

class TestTrainingQuiz : public QObject {
    Q_OBJECT

private slots:
    void typedAnswersRunAQuizToItsEnd() {
        QuizFixture f;
        f.Open();
        QCOMPARE(f.quiz->windowTitle(), QStringLiteral("Training - animals.lxd"));
        QCOMPARE(f.Question(), QStringLiteral("house"));
        QCOMPARE(f.Line("m_LBLTotal"), QStringLiteral("Total: 0 / 3 (0 %)"));
        QCOMPARE(f.Find<QLabel>("m_PICStatus")->property("picture").toString(), QStringLiteral("start"));

        f.Answer("Haus");
        QCOMPARE(f.Find<QLabel>("m_PICStatus")->property("picture").toString(), QStringLiteral("right"));
        QCOMPARE(f.Line("m_LBLInfo"), QStringLiteral("Last term: house = Haus"));
        QCOMPARE(f.Question(), QStringLiteral("tree"));
        QCOMPARE(f.Line("m_LBLCorrect"), QStringLiteral("Correct: 1"));

        // A wrong answer is explained while "Hint ON" is checked.
        f.prompter.Expect(PromptAnswer::Ok);
        f.Answer("Baume");
        QCOMPARE(f.prompter.LastText(), QStringLiteral("... tree = Baum !!"));
        QCOMPARE(f.Find<QLabel>("m_PICStatus")->property("picture").toString(), QStringLiteral("wrong"));
        QCOMPARE(f.Line("m_LBLWrong"), QStringLiteral("Wrong: 1"));
        QCOMPARE(f.unit.Mark(1), std::string("-"));

        // The last answer ends the training; Yes repeats the wrong one.
        f.prompter.Expect(PromptAnswer::Yes);
        f.Answer("Katze");
        QCOMPARE(f.prompter.LastText(),
                 QStringLiteral("Training finished. Correct: 66.7 %. Wrong: 33.3 %. Repeat false answered terms?"));
        QVERIFY(!f.quiz->Ended());
        QCOMPARE(f.Question(), QStringLiteral("tree"));
        QVERIFY(f.AnswerField()->isEnabled());
        QCOMPARE(f.Line("m_LBLTotal"), QStringLiteral("Total: 2 / 3 (66.7 %)"));

        // All right now: OK ends the quiz.
        f.prompter.Expect(PromptAnswer::Ok);
        f.Answer("Baum");
        QCOMPARE(f.prompter.LastText(), QStringLiteral("Training finished. Correct: 100 %. Wrong: 0 %."));
        QVERIFY(f.quiz->Ended());
        QVERIFY(f.prompter.Done());
        QVERIFY(f.unit.IsComplete());
    }

    void answeringRespectsTheEndQuestionsOtherAnswers() {
        QuizFixture f;
        f.unit.ClearUnit();
        f.unit.AddEntry(0);
        f.Open();
        f.Find<QCheckBox>("m_CHKHint")->setChecked(false);
        // Without "Hint ON" a wrong answer asks nothing; Cancel keeps the quiz open on the question.
        f.prompter.Expect(PromptAnswer::Cancel);
        f.Answer("haus");
        QVERIFY(!f.quiz->Ended());
        QVERIFY(!f.AnswerField()->isEnabled());
        // An answered question takes no second answer.
        f.Find<QPushButton>("m_BTNAnswer")->click();
        QCOMPARE(f.prompter.Asked(), 1);
        // Auto-play on a complete unit ends the quiz without a question.
        f.quiz->findChild<QPushButton*>("m_BTNPlay")->click();
        QVERIFY(f.quiz->Ended());
    }

    void emptyAnswerAndNavigation() {
        QuizFixture f;
        f.Open();
        f.Find<QPushButton>("m_BTNAnswer")->click();
        QCOMPARE(f.unit.AnsweredCount(), 0);
        f.Find<QPushButton>("m_BTNBack")->click();
        QCOMPARE(f.Question(), QStringLiteral("house"));
        f.Find<QPushButton>("m_BTNNext")->click();
        f.Find<QPushButton>("m_BTNNext")->click();
        f.Find<QPushButton>("m_BTNNext")->click();
        QCOMPARE(f.Question(), QStringLiteral("cat"));
    }

    void helpMasksTheAnswerAndMultipleChoiceOffersIt() {
        QuizFixture f;
        f.start.options.choiceCount = 3;
        f.Open();
        f.Find<QPushButton>("m_BTNHelp")->click();
        // Level 0: four draws of position 0 mask the first letter only.
        QCOMPARE(f.AnswerField()->text(), QStringLiteral("*aus"));

        f.Find<QCheckBox>("m_CHKMultipleChoice")->click();
        QVERIFY(!f.AnswerField()->isVisible());
        QVERIFY(f.Find<QPushButton>("m_CHKChoice3")->isVisible());
        QVERIFY(!f.Find<QPushButton>("m_CHKChoice4")->isVisible());
        QPushButton* right = f.Find<QPushButton>("m_CHKChoice1");
        QCOMPARE(right->text(), QStringLiteral("Haus"));
        right->click();
        QTest::keyClick(f.quiz.get(), Qt::Key_Return);
        QCOMPARE(f.unit.CorrectCount(), 1);
        QVERIFY(f.quiz->MultipleChoice());
    }

    void shownCharactersStartTheAnswer() {
        QuizFixture f;
        f.start.options.shownCharacters = 2;
        f.Open();
        QCOMPARE(f.AnswerField()->text(), QStringLiteral("Ha"));
    }

    void autoPlayCountsEveryQuestionAndEnds() {
        QuizFixture f;
        f.start.options.interval = 100;
        f.start.autoPlay = true;
        f.Open();
        QVERIFY(!f.quiz->FullMode());
        QTRY_VERIFY(f.quiz->AutoPlaying());
        QVERIFY(!f.Find<QPushButton>("m_BTNAnswer")->isVisible());
        QVERIFY(f.Find<QPushButton>("m_BTNMode")->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(f.quiz->Ended(), 5000);
        QCOMPARE(f.unit.CorrectCount(), 3);
        QVERIFY(f.prompter.Done());
    }

    void autoPlaySaysQuestionAndAnswerAsOne() {
        QuizFixture f;
        auto speech = std::make_shared<lexaro::testing::RecordingSpeech>();
        SpeechPlayer player(speech, std::make_shared<lexaro::testing::RecordingOutput>());
        f.start.speech = &player;
        f.start.voices = {"en", "de"};
        f.start.options.interval = 100;
        f.start.autoPlay = true;
        f.Open();
        QTRY_VERIFY(speech->Requests().size() >= 2);
        const auto requests = speech->Requests();
        QCOMPARE(requests[0].text + " " + requests[0].language, std::string("house en"));
        QCOMPARE(requests[1].text + " " + requests[1].language, std::string("Haus de"));
    }

    void stoppingAutoPlayReturnsToTheFullWindow() {
        QuizFixture f;
        f.start.options.interval = 60000;
        f.Open();
        QVERIFY(f.quiz->FullMode());
        f.Find<QPushButton>("m_BTNPlay")->click();
        QCOMPARE(f.unit.CorrectCount(), 1);
        QCOMPARE(f.Line("m_LBLInfo"), QStringLiteral(" house = Haus"));
        f.Find<QPushButton>("m_BTNMode")->click();
        QVERIFY(!f.quiz->FullMode());
        QCOMPARE(f.quiz->height(), 75);
        f.Find<QPushButton>("m_BTNPlay")->click();
        QVERIFY(!f.quiz->AutoPlaying());
        QVERIFY(f.quiz->FullMode());
        QVERIFY(f.Find<QPushButton>("m_BTNAnswer")->isVisible());
        // Both rectangles were kept when the mode changed.
        QCOMPARE(f.start.compactRect.Height(), 75);
        QVERIFY(f.start.fullRect.Height() >= 360);
    }

    // Also writes the README's screenshot of the quiz when LEXARO_SCREENSHOT_DIR names a folder.
    void sampleDictionaryInMultipleChoice() {
        QuizFixture f;
        QVERIFY(f.entries.LoadDocumentFile(LEXARO_SOURCE_DIR "/resources/samples/sample-en-de.lxd"));
        f.random.script = {0, 7, 12, 20, 2, 9, 30, 41};
        f.start.options.multipleChoice = true;
        f.start.options.choiceCount = 4;
        f.Open();
        QVERIFY(QTest::qWaitForWindowExposed(f.quiz.get()));
        f.Find<QPushButton>("m_CHKChoice1")->click();
        f.Find<QPushButton>("m_BTNAnswer")->click();
        QCOMPARE(f.unit.CorrectCount(), 1);
        QCOMPARE(f.Question(), QStringLiteral("home"));
        const QByteArray folder = qgetenv("LEXARO_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QVERIFY(f.quiz->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/training-quiz.png")));
        }
    }

    // Long explanations on the answer buttons and in the info line never push the window off the screen.
    void longExplanationsStayInTheWindow() {
        QuizFixture f;
        const std::string longText(400, 'e');
        f.entries = test::Dictionary({{"house", longText}, {"tree", longText + "b"}, {"cat", longText + "c"}});
        f.start.options.multipleChoice = true;
        f.start.options.choiceCount = 3;
        f.start.options.interval = 60000;
        f.Open();
        QVERIFY(QTest::qWaitForWindowExposed(f.quiz.get()));
        const int screenWidth = f.quiz->screen()->availableGeometry().width();
        auto* choice = qobject_cast<CElidedButton*>(f.Find<QPushButton>("m_CHKChoice1"));
        QVERIFY(choice->isVisible());
        QVERIFY(choice->IsElided());
        QCOMPARE(choice->text().size(), 400);
        QVERIFY2(f.quiz->width() <= screenWidth, qPrintable(QString::number(f.quiz->width())));
        QVERIFY(f.quiz->minimumSizeHint().width() <= screenWidth);

        f.Find<QPushButton>("m_BTNPlay")->click();
        f.Find<QPushButton>("m_BTNMode")->click();
        QVERIFY(!f.quiz->FullMode());
        QVERIFY(f.Line("m_LBLInfo").size() > 400);
        QApplication::processEvents();
        QVERIFY(qobject_cast<CElidedLabel*>(f.Find<QLabel>("m_LBLInfo"))->IsElided());
        QVERIFY2(f.quiz->width() <= screenWidth, qPrintable(QString::number(f.quiz->width())));
        QVERIFY(f.quiz->minimumSizeHint().width() <= screenWidth);
    }

    void xLeavesTheQuizAndSaysSo() {
        QuizFixture f;
        f.Open();
        f.Find<QPushButton>("m_BTNClose")->click();
        QVERIFY(f.quiz->Ended());
        QVERIFY(f.start.closedWithX);
        QVERIFY(f.start.fullRect.Width() > 0);
    }
};

QTEST_MAIN(TestTrainingQuiz)
#include "TestTrainingQuiz.moc"
