#include "MainWindowFixture.h"
#include "RecordingSpeech.h"
#include "ui/mainwindow/FileCommands.h"
#include "ui/tools/PropertiesDlg.h"
#include "ui/training/ReviewDlg.h"

#include <QTextCursor>

using namespace lexaro;
using namespace lexaro::testing;

namespace {

// Made before the window, which takes them.
struct SpeechFakes {
    std::shared_ptr<RecordingSpeech> speech = std::make_shared<RecordingSpeech>();
    std::shared_ptr<RecordingOutput> audio = std::make_shared<RecordingOutput>();
};

struct SpeechFixture : SpeechFakes, MainWindowFixture {
    using Request = RecordingSpeech::Request;

    SpeechFixture()
        : MainWindowFixture([this](MainWindowServices& services) {
              services.speech = speech;
              services.audio = audio;
          }) {}

    // The text and language of the last request, once its speech has been handed to the output.
    std::pair<std::string, std::string> Said(std::size_t count) {
        [&] { QTRY_COMPARE(audio->attempts, static_cast<int>(count)); }();
        const auto requests = speech->Requests();
        return requests.empty() ? std::pair<std::string, std::string>{}
                                : std::pair{requests.back().text, requests.back().language};
    }
};

} // namespace

class TestMainWindowSpeech : public QObject {
    Q_OBJECT

private slots:
    void buttonAndKeysSayTermSelectionOrExplanation() {
        SpeechFixture f;
        f.window->show();
        f.Add(QStringLiteral("Haus"), QStringLiteral("house<add_exp><exp_pos>a big house</exp_pos></add_exp>"));
        f.Button("m_BTNSpeak")->click();
        // A dictionary without a file speaks the interface language, English here.
        QCOMPARE(f.Said(1), (std::pair<std::string, std::string>{"Haus", "en"}));

        QTest::mouseClick(f.Button("m_BTNSpeak"), Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(f.Said(2), (std::pair<std::string, std::string>{"house", "en"}));

        f.Action("ID_MEN_SPEAKEXPLANATION")->trigger();
        QCOMPARE(f.Said(3).first, "house");

        f.Pane()->SetPaneText(QStringLiteral("one two three"));
        QTextCursor cursor = f.Pane()->textCursor();
        cursor.setPosition(4);
        cursor.setPosition(7, QTextCursor::KeepAnchor);
        f.Pane()->setTextCursor(cursor);
        QTest::keyClick(f.window.get(), Qt::Key_F9);
        QCOMPARE(f.Said(4).first, "two");
    }

    void propertiesKeepTheChosenVoicesByPath() {
        SpeechFixture f;
        f.Add(QStringLiteral("house"), QStringLiteral("maison"));
        const QString path = f.Path(QStringLiteral("en-fr.lxd"));
        QVERIFY(f.window->Files().SaveFile(path));
        WhenOpen<CPropertiesDlg>([](CPropertiesDlg& dialog) {
            auto* terms = dialog.findChild<QComboBox*>("m_CBBVoiceTerms");
            auto* explanations = dialog.findChild<QComboBox*>("m_CBBVoiceExplanations");
            QCOMPARE(terms->currentText(), QStringLiteral("English (Great Britain)"));
            QCOMPARE(explanations->currentText(), QStringLiteral("French"));
            terms->setCurrentIndex(terms->findText(QStringLiteral("German")));
            dialog.accept();
        });
        f.Action("ID_MEN_PROPERTIES")->trigger();
        QCOMPARE(f.window->CurrentSettings().dictionaryVoices,
                 (std::vector<DictionaryVoices>{{path.toStdString(), "de", "fr"}}));
        f.TermBox()->setEditText(QStringLiteral("Haus"));
        f.Action("ID_MEN_SPEAK")->trigger();
        QCOMPARE(f.Said(1), (std::pair<std::string, std::string>{"Haus", "de"}));
    }

    void theReviewWindowSaysQuestionAndAnswer() {
        SpeechFixture f;
        f.Add(QStringLiteral("Haus"), QStringLiteral("house"));
        QVERIFY(f.window->Files().SaveFile(f.Path(QStringLiteral("de-en.lxd"))));
        std::vector<SpeechFixture::Request> said;
        WhenOpen<CReviewDlg>([&f, &said](CReviewDlg& dialog) {
            QTRY_COMPARE(f.audio->attempts, 1);
            dialog.ShowAnswer();
            QTRY_COMPARE(f.audio->attempts, 2);
            said = f.speech->Requests();
            dialog.reject();
        });
        f.Action("ID_MEN_REVIEW")->trigger();
        QCOMPARE(said.size(), std::size_t{2});
        QCOMPARE(said[0].text + " " + said[0].language, std::string("Haus de"));
        QCOMPARE(said[1].text + " " + said[1].language, std::string("house en"));
    }

    void missingAudioDeviceIsToldOnce() {
        SpeechFixture f;
        f.audio->hasDevice = false;
        f.TermBox()->setEditText(QStringLiteral("Haus"));
        f.prompter.Expect(PromptAnswer::Ok);
        f.Action("ID_MEN_SPEAK")->trigger();
        QTRY_COMPARE(f.prompter.Asked(), 1);
        QCOMPARE(f.prompter.LastText(), QStringLiteral("No audio device was found, so Lexaro cannot speak."));
        f.Action("ID_MEN_SPEAK")->trigger();
        QTRY_COMPARE(f.audio->attempts, 2);
        QCOMPARE(f.prompter.Asked(), 1);
    }
};

QTEST_MAIN(TestMainWindowSpeech)
#include "TestMainWindowSpeech.moc"
