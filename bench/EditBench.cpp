// Single edits and whole-table steps of the 1M dictionary outside the look-up: pasting an entry, writing it
// as plain text beside separated text, and freeing it after a sort (File > New).

#include "BenchData.h"
#include "engine/Clipboard.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <map>
#include <memory>
#include <unistd.h>

namespace lexaro::bench {
namespace {

class MemoryClipboard : public Clipboard {
public:
    bool PutBytes(std::string_view format, std::string_view bytes) override {
        m_Formats[std::string(format)] = std::string(bytes);
        return true;
    }
    std::optional<std::string> GetBytes(std::string_view format) override {
        const auto found = m_Formats.find(std::string(format));
        return found == m_Formats.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    bool PutText(const std::u16string&) override { return true; }
    std::optional<std::u16string> GetText() override { return std::nullopt; }

private:
    std::map<std::string, std::string> m_Formats;
};

// Both writers write to the same scratch folder, so that they meet the same file system.
std::filesystem::path Scratch(const char* name) {
    const auto folder = std::filesystem::temp_directory_path() / ("lexaro-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder / name;
}

void BM_ExportPlainText1M(benchmark::State& state) {
    EntryStore& store = MillionEntries();
    const auto target = Scratch("plain.txt");
    for (auto _ : state) {
        if (!store.ExportPlainText(target)) {
            state.SkipWithError("the plain text could not be written");
        }
    }
    std::filesystem::remove_all(target.parent_path());
}
BENCHMARK(BM_ExportPlainText1M)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SaveSeparatedText1M(benchmark::State& state) {
    ClassTable& table = MillionEntries().Entries();
    const auto target = Scratch("separated.csv");
    for (auto _ : state) {
        if (!table.SaveSeparatedText(target)) {
            state.SkipWithError("the separated text could not be written");
        }
    }
    std::filesystem::remove_all(target.parent_path());
}
BENCHMARK(BM_SaveSeparatedText1M)->Unit(benchmark::kMillisecond)->Iterations(5);

// As the main window pastes: after the current entry in the middle of the table, with the indexes that a
// search through all four passes has built.
void BM_PasteEntry1M(benchmark::State& state) {
    EntryStore store;
    store.Entries() = MillionEntries().Entries();
    MemoryClipboard clipboard;
    store.CopyEntry(clipboard, 499999, false);
    store.SetCurrentRow(499999);
    for (int round = 0; round < 2; ++round) {
        for (int column : {kTermColumn, kExplanationColumn}) {
            store.Entries().FindRow(column, 0, kMissingWord, kMatchExact);
            store.Entries().FindRow(column, 0, kMissingWord, kMatchContains);
        }
    }
    for (auto _ : state) {
        if (!store.PasteEntry(clipboard, store.CurrentRow() + 1)) {
            state.SkipWithError("the entry was not pasted");
        }
    }
}
BENCHMARK(BM_PasteEntry1M)->Unit(benchmark::kMillisecond)->Iterations(100);

// Cells freed in the order of a sort lie all over memory, unlike those of a table just read.
void ClearAfter(benchmark::State& state, bool sorted) {
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<ClassTable>(MillionEntries().Entries());
        if (sorted) {
            table->SortRows(kExplanationColumn, true, 0, table->RowCount() - 1);
        }
        state.ResumeTiming();
        table->Clear(true);
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}
void BM_Clear1M(benchmark::State& state) {
    ClearAfter(state, false);
}
BENCHMARK(BM_Clear1M)->Unit(benchmark::kMillisecond)->Iterations(3);
void BM_ClearSorted1M(benchmark::State& state) {
    ClearAfter(state, true);
}
BENCHMARK(BM_ClearSorted1M)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace lexaro::bench
