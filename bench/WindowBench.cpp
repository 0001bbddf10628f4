// Opening the overview and the training set-up window on the 1M dictionary, on the offscreen platform:
// from the start of construction until the window is exposed and its first events are handled.

#include "BenchData.h"
#include "app/InterfaceTexts.h"
#include "ui/OverviewDlg.h"
#include "ui/QtPlatform.h"
#include "ui/TrainingDlg.h"

#include <QApplication>
#include <QTest>
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
