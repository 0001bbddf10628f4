#include "BenchData.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace lexaro::bench {
namespace {

// Fails the run instead of timing a search that quietly finds the wrong thing.
void Expect(benchmark::State& state, bool found, bool wanted) {
    if (found != wanted) {
        state.SkipWithError(wanted ? "the word was not found" : "the missing word was found");
    }
}

void BM_LookupExactHit(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    std::string out;
    for (auto _ : state) {
        const bool found = store.Lookup(kHitWord, true, false, std::vector<std::filesystem::path>{}, "", out);
        Expect(state, found, true);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_LookupExactHit)->Unit(benchmark::kMillisecond);

// Only the first pass (terms, ignoring case) over a word that is no term.
void BM_LookupExactMiss(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    for (auto _ : state) {
        store.SetResultText({});
        store.SetResultCount(0);
        const bool found = store.SearchTable(kMissingWord, store.Entries(), false, kTermColumn, kExplanationColumn);
        Expect(state, found, false);
    }
}
BENCHMARK(BM_LookupExactMiss)->Unit(benchmark::kMillisecond);

// Exact terms, exact explanations, terms containing it, explanations containing it: all four miss.
void BM_LookupAllPassesMiss(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    std::string out;
    for (auto _ : state) {
        const bool found = store.Lookup(kMissingWord, true, false, std::vector<std::filesystem::path>{}, "", out);
        Expect(state, found, false);
    }
}
BENCHMARK(BM_LookupAllPassesMiss)->Unit(benchmark::kMillisecond);

void BM_LookupWildcard(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    std::string out;
    for (auto _ : state) {
        const bool found = store.Lookup("hous*d", true, false, std::vector<std::filesystem::path>{}, "", out);
        Expect(state, found, true);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_LookupWildcard)->Unit(benchmark::kMillisecond);

// The same look-up as BM_LookupExactHit with two unchanged additional dictionaries of 464k entries each.
void BM_LookupTwoAdditional(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    const std::vector<std::filesystem::path> additional{DataFile("eng-deu.lxd"), DataFile("eng-deu-copy.lxd")};
    std::string out;
    for (auto _ : state) {
        const bool found = store.Lookup(kHitWord, true, true, additional, "not found", out);
        Expect(state, found && out.find("eng-deu-copy.lxd") != std::string::npos, true);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_LookupTwoAdditional)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lexaro::bench
