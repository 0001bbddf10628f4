#include "MainWindowFixture.h"
#include "app/InterfaceTexts.h"
#include "training/TrainingTestSupport.h"
#include "ui/mainwindow/EntryCommands.h"
#include "ui/mainwindow/FileCommands.h"
#include "ui/training/DoTrainingDlg.h"
#include "ui/training/TrainingDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <functional>
#include <memory>

using namespace lexaro;
using lexaro::testing::MainWindowFixture;
using lexaro::testing::ScriptedFileChooser;
using lexaro::testing::ScriptedPrompter;

namespace {

std::filesystem::path FsPath(const QString& path) {
    return std::filesystem::path(path.toStdString());
}

// Runs what the test wants to do with the modal window that opens next, once it is up.
void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        act(modal);
    });
}

// A set-up window over house, tree, cat and Haus (a term that is also an explanation) with scripted
// prompts, file choices and random draws.
struct SetupFixture {
    InterfaceTexts texts;
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    test::ScriptedRandom random;
    Settings settings;
    ClassTable entries =
        test::Dictionary({{"house", "Haus"}, {"tree", "Baum"}, {"cat", "Katze"}, {"Haus", "building"}});
    QTemporaryDir folder;
    std::unique_ptr<CTrainingDlg> dialog;

    void Open(TrainingStart start = {}) {
        dialog = std::make_unique<CTrainingDlg>(ToolWindowContext{texts, prompter, chooser}, entries, settings,
                                                std::move(start));
        dialog->SetRandomSource(&random);
        dialog->show();
    }
    template <typename T>
    T* Find(const char* name) const {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }
    QString Count(const char* name) const { return Find<QLabel>(name)->text(); }
    QString Cell(const char* list, int row, int column = 0) const {
        QTableView* view = Find<QTableView>(list);
        return view->model()->index(row, column).data().toString();
    }
    void Select(const char* list, std::initializer_list<int> rows) {
        QTableView* view = Find<QTableView>(list);
        view->clearSelection();
        for (int row : rows) {
            view->selectionModel()->select(view->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    void Click(const char* name) { Find<QAbstractButton>(name)->click(); }
    QString Path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
};

} // namespace

class TestTrainingSetup : public QObject {
    Q_OBJECT

private slots:
    void openingTakesEveryEntryAndTheListsFollowTheBoxes() {
        SetupFixture f;
        f.Open();
        QCOMPARE(f.Count("m_LBLAllCount"), QStringLiteral("4"));
        QCOMPARE(f.Count("m_LBLUsedCount"), QStringLiteral("4"));
        QVERIFY(!f.dialog->Unit().IsModified());
        QVERIFY(!f.Find<QLineEdit>("m_EDTFilter")->isEnabled());
        QCOMPARE(f.Cell("m_LISUsedEntries", 1), QStringLiteral("tree"));
        QCOMPARE(f.Cell("m_LISUsedEntries", 1, 1), QStringLiteral("0"));

        // Both directions doubles the lists, and the second half asks the explanations.
        f.Click("m_CHKBoth");
        QVERIFY(!f.Find<QCheckBox>("m_CHKSwap")->isEnabled());
        QCOMPARE(f.Count("m_LBLAllCount"), QStringLiteral("8"));
        QCOMPARE(f.Count("m_LBLUsedCount"), QStringLiteral("8"));
        QCOMPARE(f.Cell("m_LISAllEntries", 5), QStringLiteral("Baum"));
        QCOMPARE(f.Cell("m_LISUsedEntries", 6), QStringLiteral("Katze"));
        f.Click("m_CHKBoth");
        QVERIFY(f.Find<QCheckBox>("m_CHKSwap")->isEnabled());

        // The filter compares the terms' beginnings with regard to case.
        f.Click("m_CHKFilter");
        f.Find<QLineEdit>("m_EDTFilter")->setText(QStringLiteral("H"));
        f.Click("m_BTNAddAll");
        QCOMPARE(f.Count("m_LBLUsedCount"), QStringLiteral("1"));
        QCOMPARE(f.Cell("m_LISUsedEntries", 0), QStringLiteral("Haus"));
    }

    void aMillionEntriesOpenAtOnce() {
        SetupFixture f;
        f.entries.Resize(3, 1000000);
        f.entries.SetCell(0, 999999, "zebra");
        QElapsedTimer clock;
        clock.start();
        f.Open();
        QVERIFY(QTest::qWaitForWindowExposed(f.dialog.get()));
        QCOMPARE(f.Count("m_LBLUsedCount"), QStringLiteral("1000000"));
        f.Find<QTableView>("m_LISAllEntries")->scrollToBottom();
        QCOMPARE(f.Cell("m_LISAllEntries", 999999), QStringLiteral("zebra"));
        QVERIFY(clock.elapsed() < 10000);
    }

    void selectedEntriesAreAddedBeforeTheSelectedRowAndRemoved() {
        SetupFixture f;
        f.Open();
        f.Click("m_BTNSubAll");
        QCOMPARE(f.Count("m_LBLUsedCount"), QStringLiteral("0"));
        f.Select("m_LISAllEntries", {0, 2});
        f.Click("m_BTNAdd");
        f.Select("m_LISAllEntries", {1});
        f.Select("m_LISUsedEntries", {1});
        f.Click("m_BTNAdd");
        QCOMPARE(f.Cell("m_LISUsedEntries", 0), QStringLiteral("house"));
        QCOMPARE(f.Cell("m_LISUsedEntries", 1), QStringLiteral("tree"));
        QCOMPARE(f.Cell("m_LISUsedEntries", 2), QStringLiteral("cat"));
        f.Select("m_LISUsedEntries", {0, 2});
        f.Click("m_BTNSub");
        QCOMPARE(f.Count("m_LBLUsedCount"), QStringLiteral("1"));
        QCOMPARE(f.Cell("m_LISUsedEntries", 0), QStringLiteral("tree"));
        // With nothing selected, ">" does nothing.
        f.Find<QTableView>("m_LISAllEntries")->clearSelection();
        f.Click("m_BTNAdd");
        QCOMPARE(f.dialog->Unit().RowCount(), 1);
    }

    void aShiftRangeBeyondThePageIsAppendedWhole() {
        SetupFixture f;
        std::vector<std::pair<std::string, std::string>> words;
        for (int i = 0; i < 100; ++i) {
            words.emplace_back("word" + std::to_string(i), "Wort");
        }
        f.entries = test::Dictionary(words);
        f.Open();
        QVERIFY(QTest::qWaitForWindowExposed(f.dialog.get()));
        f.Select("m_LISUsedEntries", {0});
        auto* available = f.Find<QTableView>("m_LISAllEntries");
        available->setFocus();
        available->setCurrentIndex(available->model()->index(10, 0));
        QTest::keyClick(available, Qt::Key_PageDown, Qt::ShiftModifier);
        QTest::keyClick(available, Qt::Key_PageDown, Qt::ShiftModifier);
        const int last = available->currentIndex().row();
        QVERIFY(last > 12 && last < 99);
        f.Click("m_BTNAdd");
        const int added = last - 10 + 1;
        QCOMPARE(f.dialog->Unit().RowCount(), 100 + added);
        QCOMPARE(f.dialog->Unit().EntryRow(0), 0);
        QCOMPARE(f.dialog->Unit().EntryRow(100), 10);
        QCOMPARE(f.dialog->Unit().EntryRow(100 + added - 1), last);

        // A range within the page goes before the training list's selection, as any selection does.
        f.Select("m_LISUsedEntries", {0});
        const QModelIndex fifty = available->model()->index(50, 0);
        available->scrollTo(fifty);
        QTest::mouseClick(available->viewport(), Qt::LeftButton, {}, available->visualRect(fifty).center());
        QTest::keyClick(available, Qt::Key_Down, Qt::ShiftModifier);
        f.Click("m_BTNAdd");
        QCOMPARE(f.dialog->Unit().EntryRow(0), 50);
        QCOMPARE(f.dialog->Unit().EntryRow(1), 51);
    }

    void goRunsTheQuizAndTheListShowsItsMarks() {
        SetupFixture f;
        f.Open();
        f.Click("m_BTNSubAll");
        f.Select("m_LISAllEntries", {0, 1});
        f.Click("m_BTNAdd");
        f.Click("m_CHKNoCaseSensitive");
        WhenModal([&](QWidget* modal) {
            auto* quiz = qobject_cast<CDoTrainingDlg*>(modal);
            QVERIFY(quiz);
            auto* answer = quiz->findChild<QLineEdit*>("m_EDTExplanation");
            QTest::keyClicks(answer, "haus");
            QTest::keyClick(answer, Qt::Key_Return);
            f.prompter.Expect(PromptAnswer::Ok);
            f.prompter.Expect(PromptAnswer::No);
            QTest::keyClicks(answer, "Tree");
            QTest::keyClick(answer, Qt::Key_Return);
        });
        f.Click("m_BTNGo");
        QVERIFY(f.prompter.Done());
        QVERIFY(f.dialog->isVisible());
        QCOMPARE(f.Cell("m_LISUsedEntries", 0, 1), QStringLiteral("+"));
        QCOMPARE(f.Cell("m_LISUsedEntries", 1, 1), QStringLiteral("-"));
        QVERIFY(f.dialog->Unit().IgnoreCase());

        // The marks make the unit worth saving: Cancel keeps the window, Yes saves it.
        f.prompter.Expect(PromptAnswer::Cancel);
        f.Click("m_BTNCancel");
        QVERIFY(f.dialog->isVisible());
        QCOMPARE(f.dialog->Unit().RowCount(), 2);
        f.prompter.Expect(PromptAnswer::Yes);
        f.chooser.Expect(ChosenFile{FsPath(f.Path("words.lxt")), 0});
        f.Click("m_BTNCancel");
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(QFileInfo::exists(f.Path("words.lxt")));
        QCOMPARE(f.dialog->windowTitle(), QStringLiteral("Training - words.lxt"));
    }

    void aUnitThatCannotBeSavedIsReportedAndKept() {
        SetupFixture f;
        f.Open();
        f.Select("m_LISUsedEntries", {0});
        f.Click("m_BTNSub");
        QVERIFY(f.dialog->Unit().IsModified());
        const QString unwritable = f.Path("missing/folder/words.lxt");
        f.prompter.Expect(PromptAnswer::Yes);
        f.chooser.Expect(ChosenFile{FsPath(unwritable), 0});
        f.prompter.Expect(PromptAnswer::Ok);
        f.Click("m_BTNCancel");
        QVERIFY(f.prompter.LastText().contains(unwritable));
        QVERIFY(f.dialog->isVisible());
        QVERIFY(f.dialog->Unit().IsModified());
        // A cancelled file choice closes as the user wanted.
        f.prompter.Expect(PromptAnswer::Yes);
        f.chooser.Expect(std::nullopt);
        f.Click("m_BTNCancel");
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(f.prompter.Done() && f.chooser.Done());
    }

    void xInTheQuizLeavesTheTrainingWithoutQuestions() {
        SetupFixture f;
        f.settings.trainingRandom = true;
        f.Open();
        QVERIFY(f.Find<QCheckBox>("m_CHKRandom")->isChecked());
        f.Click("m_CHKRandom");
        WhenModal([](QWidget* modal) { modal->findChild<QPushButton*>("m_BTNClose")->click(); });
        f.Click("m_BTNGo");
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(f.prompter.Done());
        // The boxes are not written back, the quiz's rectangle is.
        QVERIFY(f.settings.trainingRandom);
        QVERIFY(f.settings.winPosTraining.Width() > 0);
    }

    void closingWithoutChangesWritesTheBoxesBack() {
        SetupFixture f;
        f.settings.trainingSwap = true;
        f.Open();
        QCOMPARE(f.Cell("m_LISUsedEntries", 0), QStringLiteral("Haus"));
        f.Click("m_CHKBoth");
        f.Find<QCheckBox>("m_CHKRandom")->setChecked(true);
        f.dialog->Unit().SetModified(false);
        f.Click("m_BTNCancel");
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(f.settings.trainingBoth);
        QVERIFY(!f.settings.trainingSwap);
        QVERIFY(f.settings.trainingRandom);
    }

    void aUnitOfAnotherDictionaryAsksAndLeavesTheOpenOneAlone() {
        SetupFixture f;
        ClassTable other = test::Dictionary({{"chien", "dog"}, {"chat", "cat"}});
        QVERIFY(other.SaveDocumentFile(FsPath(f.Path("French.lxd"))));
        TrainingUnit unit;
        unit.AddEntry(1);
        unit.SetBothDirections(true);
        QVERIFY(unit.SaveUnit(FsPath(f.Path("verbs.lxt")), FsPath(f.Path("French.lxd"))));
        // The open dictionary has a change nobody saved yet.
        f.entries.SetCell(1, 0, "Haus, Gebäude");
        f.entries.SetModified(true);

        f.Open(TrainingStart{FsPath(f.Path("animals.lxd")), {}, false});
        f.prompter.Expect(PromptAnswer::No);
        f.chooser.Expect(ChosenFile{FsPath(f.Path("verbs.lxt")), 0});
        f.Click("m_BTNOpen");
        QVERIFY(f.prompter.LastText().contains(f.Path("French.lxd")));
        QCOMPARE(f.dialog->Unit().RowCount(), 0);
        QVERIFY(!f.dialog->Dictionary().Switched());

        f.prompter.Expect(PromptAnswer::Yes);
        f.chooser.Expect(ChosenFile{FsPath(f.Path("verbs.lxt")), 0});
        f.Click("m_BTNOpen");
        QVERIFY(f.dialog->Dictionary().Switched());
        QVERIFY(f.Find<QCheckBox>("m_CHKBoth")->isChecked());
        QCOMPARE(f.Count("m_LBLAllCount"), QStringLiteral("4"));
        QCOMPARE(f.Cell("m_LISUsedEntries", 0), QStringLiteral("chat"));
        QCOMPARE(f.Cell("m_LISUsedEntries", 1), QStringLiteral("cat"));
        QCOMPARE(f.dialog->windowTitle(), QStringLiteral("Training - verbs.lxt [French.lxd]"));

        f.Click("m_BTNCancel");
        QVERIFY(!f.dialog->isVisible());
        QCOMPARE(f.entries.RowCount(), 4);
        QCOMPARE(f.entries.GetCell(1, 0), std::string("Haus, Gebäude"));
        QVERIFY(f.entries.IsModified());
    }

    void mainWindowTrainsAUnitFileAndComesBack() {
        MainWindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.Add("house", "Haus");
        QVERIFY(f.window->Engine().Entries().IsModified());
        ClassTable other = test::Dictionary({{"chien", "dog"}, {"chat", "cat"}});
        QVERIFY(other.SaveDocumentFile(FsPath(f.Path("French.lxd"))));
        TrainingUnit unit;
        unit.AddEntry(0);
        unit.AddEntry(1);
        unit.SetSwapColumns(true);
        QVERIFY(unit.SaveUnit(FsPath(f.Path("verbs.lxt")), FsPath(f.Path("French.lxd"))));

        bool seen = false;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<CTrainingDlg*>(modal);
            QVERIFY(dialog);
            seen = true;
            // Handed over by the main window: the unit's dictionary loads without a question.
            QVERIFY(dialog->Dictionary().Switched());
            QCOMPARE(dialog->Unit().RowCount(), 2);
            QVERIFY(f.window->isMinimized() || !f.window->isVisible());
            dialog->findChild<QCheckBox*>("m_CHKRandom")->setChecked(true);
            dialog->findChild<QPushButton*>("m_BTNCancel")->click();
        });
        f.window->Files().OpenFile(f.Path("verbs.lxt"));
        QVERIFY(seen);
        QVERIFY(f.prompter.Done());
        QVERIFY(f.window->isVisible());
        QVERIFY(!f.window->isMinimized());
        QCOMPARE(f.window->CurrentPath(), NoName());
        QCOMPARE(f.window->Engine().Entries().RowCount(), 1);
        QVERIFY(f.window->Engine().Entries().IsModified());
        QVERIFY(f.window->CurrentSettings().trainingSwap);
        QVERIFY(f.window->CurrentSettings().trainingRandom);
    }

    void viewMenuOpensTheTraining() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        QVERIFY(f.Action("ID_MEN_TRAINING")->isEnabled());
        QVERIFY(f.Action("ID_MEN_AUTOPLAY")->isEnabled());
        QCOMPARE(f.Action("ID_MEN_TRAINING")->shortcut(), QKeySequence(Qt::Key_F4));
        QCOMPARE(f.Action("ID_MEN_AUTOPLAY")->shortcut(), QKeySequence(Qt::Key_F6));
        bool seen = false;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<CTrainingDlg*>(modal);
            QVERIFY(dialog);
            seen = true;
            QCOMPARE(dialog->Unit().RowCount(), 1);
            dialog->reject();
        });
        f.Action("ID_MEN_TRAINING")->trigger();
        QVERIFY(seen);
        QVERIFY(f.prompter.Done());
    }

    void theQuizHidesTheSetUpAndKeepsTheStoredChoice() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        bool hiddenDuringQuiz = false;
        bool backInTheSetUp = false;
        WhenModal([&](QWidget* modal) {
            auto* setup = qobject_cast<CTrainingDlg*>(modal);
            QVERIFY(setup);
            WhenModal([&](QWidget* quiz) {
                hiddenDuringQuiz = !setup->isVisible() && !setup->isMinimized();
                quiz->findChild<QCheckBox*>("m_CHKMultipleChoice")->click();
                static_cast<QDialog*>(quiz)->reject();
            });
            setup->findChild<QPushButton*>("m_BTNGo")->click();
            // Back from the quiz the set-up window shows again and keeps running.
            WhenModal([&, setup](QWidget* again) {
                backInTheSetUp = again == setup && setup->isVisible();
                if (setup->Unit().IsModified()) {
                    f.prompter.Expect(PromptAnswer::No);
                }
                setup->reject();
            });
        });
        f.Action("ID_MEN_TRAINING")->trigger();
        QVERIFY(!f.window->CurrentSettings().trainMultiChoice);
        QVERIFY(hiddenDuringQuiz);
        QVERIFY(backInTheSetUp);
        QVERIFY(f.prompter.Done());
    }

    void autoPlayAtOnceRunsTheUnitToItsEnd() {
        SetupFixture f;
        f.settings.trainInterval = 100;
        f.Open(TrainingStart{{}, {}, true});
        QTRY_VERIFY_WITH_TIMEOUT(f.dialog->Unit().IsComplete(), 10000);
        QCOMPARE(f.dialog->Unit().CorrectCount(), 4);
        QVERIFY(f.dialog->isVisible());
        // Auto-play ran in the compact window, whose rectangle is kept.
        QCOMPARE(f.settings.winPosTrainingSmall.Height(), 75);
        f.prompter.Expect(PromptAnswer::No);
        f.Click("m_BTNCancel");
        QVERIFY(f.prompter.Done());
    }

    // Also writes the README's screenshot when LEXARO_SCREENSHOT_DIR names a folder.
    void sampleDictionaryInTheTrainingWindow() {
        SetupFixture f;
        QVERIFY(f.entries.LoadDocumentFile(LEXARO_SOURCE_DIR "/resources/samples/sample-en-de.lxd"));
        f.Open();
        f.dialog->resize(640, 480);
        QVERIFY(QTest::qWaitForWindowExposed(f.dialog.get()));
        QCOMPARE(f.Count("m_LBLAllCount"), QStringLiteral("64"));
        f.Click("m_BTNSubAll");
        f.Select("m_LISAllEntries", {0, 1, 2, 3, 4, 5});
        f.Click("m_BTNAdd");
        f.dialog->Unit().MarkCorrect(0);
        f.dialog->Unit().MarkWrong(1);
        const QByteArray folder = qgetenv("LEXARO_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QVERIFY(f.dialog->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/training.png")));
        }
        f.dialog->Unit().SetModified(false);
    }
};

QTEST_MAIN(TestTrainingSetup)
#include "TestTrainingSetup.moc"
