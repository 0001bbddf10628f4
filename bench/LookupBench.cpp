#include "BenchData.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <vector>

namespace lexaro::bench {
namespace {

// Fails the run instead of timing a search that quietly finds the wrong thing.
void Expect(benchmark::State& state, bool found, bool wanted) {
    if (found != wanted) {
        state.SkipWithError(wanted ? "the word was not found" : "the missing word was found");
    }
}

// The table builds its indexes on the second search of a column in the same version; the first look-ups after
// loading are timed by BM_FirstLookUpsAfterChange, the ones here by a table whose indexes are in place.
void WarmUp(EntryStore& store, const std::vector<std::string>& words,
            const std::vector<std::filesystem::path>& additional = {}) {
    std::string out;
    for (int round = 0; round < 2; ++round) {
        for (const std::string& word : words) {
            store.Lookup(word, true, !additional.empty(), additional, "", out);
        }
    }
}

// Times one look-up per iteration, cycling through the words.
template <typename LookUp>
void EachWord(benchmark::State& state, const std::vector<std::string>& words, LookUp lookUp) {
    if (words.size() < kLookupWords) {
        state.SkipWithError("too few words");
        return;
    }
    std::size_t next = 0;
    for (auto _ : state) {
        lookUp(words[next]);
        next = (next + 1) % words.size();
    }
}

void BM_LookupExactHit(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    const std::vector<std::string> words = HitWords();
    WarmUp(store, words);
    std::string out;
    EachWord(state, words, [&](const std::string& word) {
        Expect(state, store.Lookup(word, true, false, std::vector<std::filesystem::path>{}, "", out), true);
        benchmark::DoNotOptimize(out.data());
    });
}
BENCHMARK(BM_LookupExactHit)->Unit(benchmark::kMicrosecond);

// Only the first pass (terms, ignoring case) over a word that is no term.
void BM_LookupExactMiss(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    const std::vector<std::string> words = MissingWords();
    WarmUp(store, words);
    EachWord(state, words, [&](const std::string& word) {
        store.SetResultText({});
        store.SetResultCount(0);
        Expect(state, store.SearchTable(word, store.Entries(), false, kTermColumn, kExplanationColumn), false);
    });
}
BENCHMARK(BM_LookupExactMiss)->Unit(benchmark::kMicrosecond);

// Exact terms, exact explanations, terms containing it, explanations containing it: all four miss.
void BM_LookupAllPassesMiss(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    const std::vector<std::string> words = MissingWords();
    WarmUp(store, words);
    std::string out;
    EachWord(state, words, [&](const std::string& word) {
        Expect(state, store.Lookup(word, true, false, std::vector<std::filesystem::path>{}, "", out), false);
    });
}
BENCHMARK(BM_LookupAllPassesMiss)->Unit(benchmark::kMicrosecond);

// "hou*e": the first three letters of a word, the wildcard, its last letter.
void BM_LookupWildcard(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    std::vector<std::string> patterns;
    for (const std::string& word : HitWords()) {
        patterns.push_back(word.substr(0, 3) + "*" + word.back());
    }
    WarmUp(store, patterns);
    std::string out;
    EachWord(state, patterns, [&](const std::string& pattern) {
        Expect(state, store.Lookup(pattern, true, false, std::vector<std::filesystem::path>{}, "", out), true);
        benchmark::DoNotOptimize(out.data());
    });
}
BENCHMARK(BM_LookupWildcard)->Unit(benchmark::kMicrosecond);

// The same look-ups as BM_LookupExactHit with two unchanged additional dictionaries of 464k entries each.
void BM_LookupTwoAdditional(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    const std::vector<std::filesystem::path> additional{DataFile("eng-deu.lxd"), DataFile("eng-deu-copy.lxd")};
    const std::vector<std::string> words = HitWords();
    WarmUp(store, words, additional);
    std::string out;
    for (const std::string& word : words) {
        store.Lookup(word, true, true, additional, "not found", out);
        Expect(state, out.find("<<eng-deu-copy.lxd>>\r\n[" + word + "]") != std::string::npos, true);
    }
    EachWord(state, words, [&](const std::string& word) {
        Expect(state, store.Lookup(word, true, true, additional, "not found", out), true);
        benchmark::DoNotOptimize(out.data());
    });
}
BENCHMARK(BM_LookupTwoAdditional)->Unit(benchmark::kMicrosecond);

// A look-up with the FreeDict English-German dictionary as an additional dictionary, read from its dictd files (0) or
// from the .lxd file this program made of them (1): once read, both are the same table in memory, and only finding
// out that their files did not change differs. A hit (1) or a word found nowhere, after all four passes (0).
void BM_LookupWithFreedict(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    const std::vector<std::filesystem::path> additional{
        state.range(0) == 0 ? std::filesystem::path("/usr/share/dictd/freedict-eng-deu.index")
                            : DataFile("freedict-eng-deu.lxd")};
    const bool hit = state.range(1) == 1;
    const std::vector<std::string> words = hit ? HitWords() : MissingWords();
    WarmUp(store, words, additional);
    std::string out;
    const std::string heading = "<<" + additional[0].filename().string() + ">>\r\n";
    for (const std::string& word : words) {
        Expect(state, store.Lookup(word, true, true, additional, "not found", out), hit);
        Expect(state, out.find(heading + (hit ? "[" : "not found")) != std::string::npos, true);
    }
    EachWord(state, words, [&](const std::string& word) {
        Expect(state, store.Lookup(word, true, true, additional, "not found", out), hit);
        benchmark::DoNotOptimize(out.data());
    });
}
BENCHMARK(BM_LookupWithFreedict)->ArgsProduct({{0, 1}, {1, 0}})->Unit(benchmark::kMicrosecond);

// The same look-up when both files changed since the last one (a new modification time), so that both are read
// again: what keeping unchanged additional dictionaries in memory saves.
void BM_LookupTwoAdditionalChanged(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    const std::vector<std::filesystem::path> additional{DataFile("eng-deu.lxd"), DataFile("eng-deu-copy.lxd")};
    const std::vector<std::string> words = HitWords();
    std::string out;
    std::size_t next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (const std::filesystem::path& path : additional) {
            std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(1));
        }
        state.ResumeTiming();
        Expect(state, store.Lookup(words[next], true, true, additional, "not found", out), true);
        next = (next + 1) % words.size();
    }
}
BENCHMARK(BM_LookupTwoAdditionalChanged)->Unit(benchmark::kMillisecond)->Iterations(3);

// After a change that the indexes cannot follow (here: a fresh copy of the table), the first look-up scans
// and the second builds the index of the term column.
void BM_FirstLookUpsAfterChange(benchmark::State& state) {
    const std::vector<std::string> words = HitWords();
    for (auto _ : state) {
        state.PauseTiming();
        auto store = std::make_unique<EntryStore>();
        store->Entries() = MillionEntries().Entries();
        std::string out;
        state.ResumeTiming();
        Expect(state, store->Lookup(words[0], false, false, std::vector<std::filesystem::path>{}, "", out), true);
        Expect(state, store->Lookup(words[1], false, false, std::vector<std::filesystem::path>{}, "", out), true);
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstLookUpsAfterChange)->Unit(benchmark::kMillisecond)->Iterations(3);

// Deleting an entry moves the rows after it; the indexes follow the move instead of being built again.
void BM_DeleteThenLookUp(benchmark::State& state) {
    const std::vector<std::string> words = HitWords();
    auto store = std::make_unique<EntryStore>();
    store->Entries() = MillionEntries().Entries();
    WarmUp(*store, words);
    std::string out;
    std::size_t next = 0;
    for (auto _ : state) {
        store->Entries().DeleteRow(500000);
        Expect(state, store->Lookup(words[next], false, false, std::vector<std::filesystem::path>{}, "", out), true);
        Expect(state, store->Lookup(words[next + 1], false, false, std::vector<std::filesystem::path>{}, "", out),
               true);
        next = (next + 2) % words.size();
    }
}
BENCHMARK(BM_DeleteThenLookUp)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
} // namespace lexaro::bench
