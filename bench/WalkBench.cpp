// A walk through what a user does with a 1M dictionary open, on the offscreen platform: each step is timed
// once, processor and wall time, and printed as "walk;step;cpu ms;wall ms". The steps work on a copy of the
// dictionary in a scratch folder; prompts are answered Yes or OK, file choices come from a queue.
//   lexaro_bench_walk [--all-checksums]

#include "BenchData.h"
#include "app/FileChooser.h"
#include "app/InterfaceTexts.h"
#include "app/Prompter.h"
#include "engine/Clock.h"
#include "support/QueuedFileChooser.h"
#include "ui/mainwindow/EntryCommands.h"
#include "ui/mainwindow/FileCommands.h"
#include "ui/mainwindow/LexaroDlg.h"
#include "ui/qt/QtPlatform.h"
#include "ui/tools/OverviewDlg.h"
#include "ui/tools/PropertiesDlg.h"
#include "ui/tools/TranslatorDlg.h"
#include "ui/training/TrainingDlg.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <ctime>
#include <functional>
#include <string_view>

namespace lexaro::bench {
namespace {

class YesPrompter : public Prompter {
public:
    PromptAnswer Ask(const std::u16string&, const std::u16string&, PromptButtons buttons, PromptIcon) override {
        return buttons == PromptButtons::Ok || buttons == PromptButtons::OkCancel ? PromptAnswer::Ok
                                                                                  : PromptAnswer::Yes;
    }
};

// Chooses the queued paths in turn, then cancels.
class QueuedChooser : public test::QueuedFileChooser {
public:
    void Expect(const QString& path) { QueuedFileChooser::Expect(ChosenFile{path.toStdString(), 0}); }
};

void Exposed(QWidget* window) {
    if (!QTest::qWaitForWindowExposed(window)) {
        std::fprintf(stderr, "the window was not exposed\n");
        std::exit(2);
    }
}

void Click(QWidget& window, const char* name) {
    if (auto* button = window.findChild<QAbstractButton*>(QString::fromLatin1(name))) {
        button->click();
    } else {
        std::fprintf(stderr, "no button %s\n", name);
    }
}

// Runs the step on the next modal window that opens.
void WhenModal(const std::function<void(QWidget&)>& step) {
    QTimer::singleShot(0, [step] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            step(*modal);
        } else {
            WhenModal(step);
        }
    });
}

double ProcessMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The entries of the open dictionary, printed beside each step so that a step that did nothing shows.
const EntryStore* g_Engine = nullptr;
// Every checksum of the 274 MB file takes about a minute in all (MD2 alone 20 s): only on request.
bool g_AllChecksums = false;

void Step(const char* name, const std::function<void()>& step) {
    const double cpu = ProcessMs();
    const auto wall = std::chrono::steady_clock::now();
    step();
    QApplication::processEvents();
    const double wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall).count();
    std::printf("walk;%s;%.1f;%.1f;%d\n", name, ProcessMs() - cpu, wallMs,
                g_Engine ? g_Engine->Entries().RowCount() : -1);
    std::fflush(stdout);
}

struct Walk {
    QTemporaryDir folder;
    YesPrompter prompter;
    QueuedChooser chooser;
    QtClipboard clipboard;
    InterfaceTexts texts;
    std::unique_ptr<LexaroDlg> window;

    QString Path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    QAction* Action(const char* name) const { return window->findChild<QAction*>(name); }
    QComboBox* TermBox() const { return window->findChild<QComboBox*>("m_CBBTerm"); }
    ToolWindowContext Context() { return ToolWindowContext{texts, prompter, chooser}; }
    void Search(const char* text) {
        TermBox()->setEditText(QString::fromUtf8(text));
        window->Entries().Search();
    }
};

void MainWindowSteps(Walk& w) {
    EntryStore& engine = w.window->Engine();
    Step("Search, exact hit", [&] { w.Search(kHitWord); });
    Step("Search, miss (all passes)", [&] { w.Search(kMissingWord); });
    Step("Search, miss again (index built)", [&] { w.Search(kMissingWord); });
    Step("Search, wildcard hou*e", [&] { w.Search("hou*e"); });
    Step("Search, wildcard *ing", [&] { w.Search("*ing"); });
    Step("Search, explanation (reverse) Haus", [&] { w.Search("Haus"); });
    Step("Search, substring ouse", [&] { w.Search("ouse"); });
    Step("Search, phrase translation", [&] { w.Search("\"the house is red\""); });
    Step("Add entry", [&] {
        w.TermBox()->setEditText(QStringLiteral("walkterm"));
        w.window->Entries().AddEntry();
    });
    Step("Search the added entry", [&] { w.Search("walkterm"); });
    Step("Modify entry", [&] { w.window->Entries().ModifyEntry(); });
    Step("Previous entry", [&] { w.window->Entries().PreviousEntry(); });
    Step("Next entry", [&] { w.window->Entries().NextEntry(); });
    Step("Delete entry", [&] {
        w.Search("walkterm");
        w.window->Entries().DeleteEntry();
    });
    Step("Undo delete", [&] { w.window->Entries().Undo(); });
    engine.SetCurrentRow(499999);
    w.window->Entries().NextEntry();
    Step("Copy entry", [&] { w.window->Entries().CopyEntry(); });
    Step("Cut entry", [&] { w.window->Entries().CutEntry(); });
    Step("Paste entry", [&] { w.window->Entries().PasteEntry(); });
    Step("Undo paste", [&] { w.window->Entries().Undo(); });
    Step("Paste entry 100 times", [&] {
        for (int i = 0; i < 100; ++i) {
            w.window->Entries().PasteEntry();
        }
    });
    Step("Undo, 100 times", [&] {
        for (int i = 0; i < 100; ++i) {
            w.window->Entries().Undo();
        }
    });
    Step("History: 50 searches", [&] {
        for (int i = 0; i < 50; ++i) {
            w.Search(i % 2 ? "house" : "tree");
        }
    });
    // What collecting does with each copied word (the window only does it with clipboard watching on).
    Step("Clipboard collecting: 20 new words", [&] {
        for (int i = 0; i < 20; ++i) {
            engine.AddIfNew("walkclip" + std::to_string(i), "collected");
        }
    });
    Step("Update title", [&] { w.window->UpdateTitle(); });
    w.chooser.Expect(w.Path("saved.lxd"));
    Step("Save as .lxd", [&] { w.window->Files().SaveDictionaryAs(); });
    Step("Save", [&] { w.window->Files().SaveDictionary(); });
    w.chooser.Expect(w.Path("export.html"));
    Step("Save as HTML", [&] { w.window->Files().SaveDictionaryAs(); });
    w.chooser.Expect(w.Path("export.csv"));
    Step("Save as separated text", [&] { w.window->Files().SaveDictionaryAs(); });
    Step("Export plain text", [&] { engine.ExportPlainText(w.Path("plain.txt").toStdString()); });
    Step("Properties, no checksum", [&] {
        int type = 0;
        CPropertiesDlg dialog(w.Context(), w.Path("saved.lxd"), engine, type);
        dialog.show();
    });
    // The checksum is computed on a thread of its own: the window is usable when it is shown, the checksum
    // comes later. Processor time includes the computing thread.
    auto checksumShown = [&](int type) {
        CPropertiesDlg dialog(w.Context(), w.Path("saved.lxd"), engine, type);
        dialog.show();
        auto* field = dialog.findChild<QLineEdit*>("m_EDTChecksum");
        while (field->text().isEmpty()) {
            QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        }
    };
    Step("Properties with SHA-1, window usable", [&] {
        int type = 4;
        CPropertiesDlg dialog(w.Context(), w.Path("saved.lxd"), engine, type);
        dialog.show();
        QApplication::processEvents();
    });
    Step("Properties with SHA-1, checksum shown", [&] { checksumShown(4); });
    Step("Properties with MD2, closed while computing", [&] {
        int type = 1;
        CPropertiesDlg dialog(w.Context(), w.Path("saved.lxd"), engine, type);
        dialog.show();
        QApplication::processEvents();
    });
    const char* labels[] = {"MD2",        "MD4",        "MD5",        "SHA-1",      "SHA-2(224)", "SHA-2(256)",
                            "SHA-2(384)", "SHA-2(512)", "SHA-3(224)", "SHA-3(256)", "SHA-3(384)", "SHA-3(512)"};
    for (int type = 1; type <= 12 && g_AllChecksums; ++type) {
        const std::string name = std::string("Properties, checksum ") + labels[type - 1] + " shown";
        Step(name.c_str(), [&] { checksumShown(type); });
    }
    w.chooser.Expect(w.Path("portable"));
    Step("Portable copy", [&] { w.window->Files().CreatePortableCopy(); });
}

void OverviewSteps(Walk& w) {
    EntryStore& engine = w.window->Engine();
    std::unique_ptr<COverviewDlg> dialog;
    Step("Overview: open", [&] {
        dialog = std::make_unique<COverviewDlg>(w.Context(), engine, w.Path("saved.lxd"), QStringLiteral(";"));
        dialog->show();
        Exposed(dialog.get());
    });
    auto* list = dialog->findChild<QTableView*>("m_LISWords");
    Step("Overview: scroll to the end", [&] {
        list->scrollToBottom();
        QApplication::processEvents();
    });
    Step("Overview: select all", [&] { list->selectAll(); });
    Step("Overview: export the selection", [&] {
        w.chooser.Expect(w.Path("overview.csv"));
        dialog->ExportCsv();
    });
    Step("Overview: select 1000 rows", [&] {
        list->clearSelection();
        list->selectionModel()->select(QItemSelection(list->model()->index(1000, 0), list->model()->index(1999, 1)),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    });
    Step("Overview: delete the selection", [&] { dialog->DeleteSelected(); });
    Step("Overview: swap columns", [&] { dialog->SwapColumns(); });
    Step("Overview: swap back", [&] { dialog->SwapColumns(); });
    Step("Overview: append CSV (464k)", [&] {
        w.chooser.Expect(QString::fromStdString(DataFile("eng-deu.csv").string()));
        dialog->AppendCsv();
    });
    for (const char* choice :
         {"m_CHKTermAsc", "m_CHKTermDesc", "m_CHKExplAsc", "m_CHKExplDesc", "m_CHKDateAsc", "m_CHKDateDesc"}) {
        const std::string name = std::string("Overview: sort ") + (choice + 5);
        Step(name.c_str(), [&] {
            WhenModal([choice](QWidget& sort) {
                sort.findChild<QAbstractButton*>(choice)->click();
                sort.findChild<QPushButton*>("m_BTNOk")->click();
            });
            dialog->Sort();
        });
    }
    Step("Overview: close", [&] { dialog.reset(); });
}

void ToolSteps(Walk& w) {
    EntryStore& engine = w.window->Engine();
    Step("Translator: 10k words, level 4", [&] {
        Rect rect{};
        CTranslatorDlg dialog(w.Context(), engine.Entries(), rect);
        dialog.show();
        dialog.findChild<QPlainTextEdit*>("m_EDTSource")
            ->setPlainText(QString::fromStdString(ReadText("text-10k.txt")));
        dialog.findChild<QComboBox*>("m_CBBTransMode")->setCurrentIndex(3);
        dialog.Translate();
    });
    Step("Training: open the set-up", [&] {
        Settings settings;
        CTrainingDlg dialog(w.Context(), engine.Entries(), settings, TrainingStart{});
        dialog.show();
        Exposed(&dialog);
    });
    {
        Settings settings;
        CTrainingDlg dialog(w.Context(), engine.Entries(), settings, TrainingStart{});
        dialog.show();
        Exposed(&dialog);
        Step("Training: all entries into the unit", [&] { Click(dialog, "m_BTNAddAll"); });
        w.chooser.Expect(w.Path("unit.lxt"));
        Step("Training: save the unit", [&] { Click(dialog, "m_BTNSave"); });
        Step("Training: start the quiz, answer, close", [&] {
            WhenModal([](QWidget& quiz) {
                auto* answer = quiz.findChild<QLineEdit*>("m_EDTExplanation");
                QTest::keyClicks(answer, QStringLiteral("Haus"));
                QTest::keyClick(answer, Qt::Key_Return);
                Click(quiz, "m_BTNNext");
                Click(quiz, "m_BTNClose");
            });
            dialog.StartQuiz(false);
        });
        Step("Training: remove all entries from the unit", [&] { Click(dialog, "m_BTNSubAll"); });
    }
    Step("Options: open and apply", [&] {
        WhenModal([](QWidget& options) { Click(options, "m_BTNOk"); });
        w.Action("ID_MEN_OPTIONS")->trigger();
    });
    Step("Language: open and apply", [&] {
        WhenModal([](QWidget& language) {
            auto* box = language.findChild<QComboBox*>("m_CBBLanguage");
            box->setCurrentIndex(box->currentIndex() == 0 ? box->count() - 1 : 0);
            Click(language, "m_BTNOk");
        });
        w.Action("ID_MEN_LANGUAGE")->trigger();
    });
    w.chooser.Expect(w.Path("before-new.lxd"));
    Step("Save as .lxd before New", [&] { w.window->Files().SaveDictionaryAs(); });
    Step("New dictionary", [&] { w.window->Files().NewDictionary(); });
    Step("Open the 1M dictionary", [&] { w.window->Files().OpenFile(w.Path("saved.lxd")); });
}

} // namespace
} // namespace lexaro::bench

int main(int argc, char** argv) {
    using namespace lexaro;
    using namespace lexaro::bench;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_AllChecksums = argc > 1 && std::string_view(argv[1]) == "--all-checksums";
    Walk w;
    QtFileChooser unused;
    w.window = std::make_unique<LexaroDlg>(
        MainWindowServices{&w.prompter, &w.chooser, std::make_shared<SystemClock>(), &w.clipboard, {}});
    w.window->show();
    Exposed(w.window.get());
    g_Engine = &w.window->Engine();
    Step("Open the 1M dictionary",
         [&] { w.window->Files().OpenFile(QString::fromStdString(DataFile("eng-deu-1M.lxd").string())); });
    MainWindowSteps(w);
    OverviewSteps(w);
    ToolSteps(w);
    return 0;
}
