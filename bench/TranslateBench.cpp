#include "BenchData.h"
#include "engine/PhraseTranslator.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace lexaro::bench {
namespace {

// 10,000 words of text (every tenth one unknown) at the level given as argument, with origin words and
// candidates shown, on a dictionary just read (a copy without indexes: building them is part of the time).
void BM_Translate10kWords(benchmark::State& state) {
    const std::string text = ReadText("text-10k.txt");
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<ClassTable>(MillionEntries().Entries());
        state.ResumeTiming();
        PhraseTranslator translator(*table);
        translator.SetText(text);
        translator.SetLevel(static_cast<int>(state.range(0)));
        translator.SetShowOriginWords(true);
        translator.SetShowPossibleTranslations(true);
        const std::string& output = translator.TranslateAll();
        if (output.size() <= text.size()) {
            state.SkipWithError("the translation added nothing");
        }
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Translate10kWords)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace lexaro::bench
