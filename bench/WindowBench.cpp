// Opening the overview and the training set-up window on the 1M dictionary, on the offscreen platform:
// from the start of construction until the window is exposed and its first events are handled. Also the
// main window's look-up and its speech command.

#include "BenchData.h"
#include "app/EntryListTools.h"
#include "app/InterfaceTexts.h"
#include "engine/Clock.h"
#include "speech/EspeakSpeech.h"
#include "ui/mainwindow/EntryCommands.h"
#include "ui/mainwindow/LexaroDlg.h"
#include "ui/qt/QtPlatform.h"
#include "ui/qt/SpeechPlayer.h"
#include "ui/tools/MassDataDlg.h"
#include "ui/tools/OverviewDlg.h"
#include "ui/training/TrainingDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>

namespace lexaro::bench {
namespace {

struct WindowServices {
    InterfaceTexts texts;
    QtPrompter prompter;
    QtFileChooser chooser;
    ToolWindowContext Context() { return ToolWindowContext{texts, prompter, chooser}; }
};

template <typename Window>
void OpenAndClose(benchmark::State& state, const std::function<Window*()>& make) {
    for (auto _ : state) {
        std::unique_ptr<Window> window(make());
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) {
            state.SkipWithError("the window was not exposed");
        }
        QApplication::processEvents();
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_OpenOverview1M(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    WindowServices services;
    OpenAndClose<COverviewDlg>(state, [&] {
        return new COverviewDlg(services.Context(), store, QStringLiteral("eng-deu-1M.lxd"), QStringLiteral(";"));
    });
}
BENCHMARK(BM_OpenOverview1M)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenTraining1M(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    WindowServices services;
    Settings settings;
    OpenAndClose<CTrainingDlg>(
        state, [&] { return new CTrainingDlg(services.Context(), store.Entries(), settings, TrainingStart{}); });
}
BENCHMARK(BM_OpenTraining1M)->Unit(benchmark::kMillisecond)->Iterations(5);

// Editing mass data shows the whole dictionary as text, one entry per line.
void BM_OpenMassData1M(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    WindowServices services;
    OpenAndClose<CMassDataDlg>(
        state, [&] { return new CMassDataDlg(services.Context(), store, false, QStringLiteral(";"), false); });
}
BENCHMARK(BM_OpenMassData1M)->Unit(benchmark::kMillisecond)->Iterations(1);

// OK in the mass data editor on the 1M dictionary, the text unchanged: the window sees that the text is the
// entries' own and changes nothing, not even the entries whose explanations hold the separator, which the text
// cannot show as they are. The entries must come out exactly as they were.
void BM_ApplyMassData1M(benchmark::State& state) {
    const ClassTable& original = MillionEntries().Entries();
    const ClassTable& expected = original;
    auto sameEntries = [&expected](const ClassTable& applied) {
        for (int row = 0; row < applied.RowCount(); ++row) {
            for (int column : {kTermColumn, kExplanationColumn}) {
                if (applied.PeekCell(column, row) != expected.PeekCell(column, row)) {
                    return false;
                }
            }
        }
        return applied.RowCount() == expected.RowCount();
    };
    WindowServices services;
    for (auto _ : state) {
        state.PauseTiming();
        EntryStore store;
        store.Entries() = original;
        auto dialog = std::make_unique<CMassDataDlg>(services.Context(), store, false, QStringLiteral(";"), false);
        dialog->show();
        QApplication::processEvents();
        state.ResumeTiming();
        dialog->accept();
        state.PauseTiming();
        dialog.reset();
        QApplication::processEvents();
        if (!sameEntries(store.Entries())) {
            state.SkipWithError("OK made other entries than the text says");
            break;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ApplyMassData1M)->Unit(benchmark::kMillisecond)->Iterations(1);

// A look-up as the user makes it: a word in the term box, Search, the result shown in the pane and painted.
// The argument is the number of additional dictionaries (two unchanged ones of 464k entries, or none).
void BM_SearchInMainWindow(benchmark::State& state) {
    QtPrompter prompter;
    QtFileChooser chooser;
    QtClipboard clipboard;
    LexaroDlg window({&prompter, &chooser, std::make_shared<SystemClock>(), &clipboard, {}});
    window.Engine().Entries() = MillionEntries().Entries();
    ClassTable& additional = window.AdditionalDictionaries().Entries();
    additional.Resize(1, 0);
    if (state.range(0) == 2) {
        for (const char* name : {"eng-deu.lxd", "eng-deu-copy.lxd"}) {
            additional.AddRows(1);
            additional.SetCell(0, additional.RowCount() - 1, DataFile(name).string());
        }
    }
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was not exposed");
        return;
    }
    auto* term = window.findChild<QComboBox*>("m_CBBTerm");
    const std::vector<std::string> words = HitWords();
    auto searchFor = [&](const std::string& word) {
        term->setEditText(QString::fromStdString(word));
        window.Entries().Search();
        QApplication::processEvents();
    };
    for (int round = 0; round < 2; ++round) {
        for (const std::string& word : words) {
            searchFor(word);
        }
    }
    std::size_t next = 0;
    for (auto _ : state) {
        searchFor(words[next]);
        if (window.Engine().ResultCount() == 0) {
            state.SkipWithError("the word was not found");
        }
        next = (next + 1) % words.size();
    }
}
BENCHMARK(BM_SearchInMainWindow)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond);

// Hands nothing to a sound card: it only ends the wait for the first samples.
struct FirstSamples : SampleOutput {
    QEventLoop* waiting = nullptr;
    bool Play(const SpeechSamples& speech) override {
        if (waiting != nullptr && !speech.samples.empty()) {
            waiting->quit();
        }
        return true;
    }
    void Stop() override {}
};

// F9 on a one-word term in the main window until espeak-ng's samples are handed to the player (wall time: the
// speech is made on a thread of its own).
void BM_SpeakKeyToFirstSample(benchmark::State& state) {
    QtPrompter prompter;
    QtFileChooser chooser;
    QtClipboard clipboard;
    auto output = std::make_shared<FirstSamples>();
    MainWindowServices services{&prompter, &chooser, std::make_shared<SystemClock>(), &clipboard, {}};
    services.speech = std::make_shared<EspeakSpeech>();
    services.audio = output;
    LexaroDlg window(std::move(services));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was not exposed");
        return;
    }
    window.findChild<QComboBox*>("m_CBBTerm")->setEditText(QStringLiteral("house"));
    QTimer timeout;
    auto speak = [&] {
        QEventLoop loop;
        output->waiting = &loop;
        QObject::connect(&timeout, &QTimer::timeout, &loop, [&] {
            state.SkipWithError("no speech within 5 s");
            loop.quit();
        });
        timeout.start(5000);
        QTest::keyClick(&window, Qt::Key_F9);
        loop.exec();
        timeout.stop();
        output->waiting = nullptr;
    };
    // espeak-ng reads its data at the first request.
    speak();
    for (auto _ : state) {
        speak();
    }
}
BENCHMARK(BM_SpeakKeyToFirstSample)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();

} // namespace
} // namespace lexaro::bench

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    lexaro::bench::MillionEntries();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
