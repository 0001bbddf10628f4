#include "BenchData.h"
#include "app/EntryListTools.h"
#include "table/AsciiFold.h"
#include "table/ForeignDictionary.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace lexaro::bench {
namespace {

void BM_Load1M(benchmark::State& state) {
    const std::filesystem::path file = DataFile("eng-deu-1M.lxd");
    for (auto _ : state) {
        auto table = std::make_unique<ClassTable>();
        if (!table->LoadDocumentFile(file) || table->RowCount() != 1000000) {
            state.SkipWithError("the 1M dictionary did not load");
        }
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Load1M)->Unit(benchmark::kMillisecond)->Iterations(3);

// Writes a temporary file beside the data, flushed to disk and renamed as every save is.
void BM_Save1M(benchmark::State& state) {
    ClassTable& table = MillionEntries().Entries();
    const std::filesystem::path target = DataFile("eng-deu-1M.lxd").parent_path() / "saved-1M.lxd";
    for (auto _ : state) {
        if (!table.SaveDocumentFile(target)) {
            state.SkipWithError("the 1M dictionary could not be saved");
        }
    }
    std::filesystem::remove(target);
}
BENCHMARK(BM_Save1M)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same dictionary written for other programs: StarDict (0) or dictd (1), every file of the set flushed and
// renamed.
void BM_SaveForeign1M(benchmark::State& state) {
    ClassTable& table = MillionEntries().Entries();
    const bool dictd = state.range(0) == 1;
    const std::filesystem::path target =
        DataFile("eng-deu-1M.lxd").parent_path() / (dictd ? "saved-1M.index" : "saved-1M.ifo");
    for (auto _ : state) {
        std::string error;
        if (!WriteForeignDictionary(dictd ? ForeignForm::Dictd : ForeignForm::StarDict, target, table, "1M",
                                    &EntryStore::ExplanationLines, error)) {
            state.SkipWithError(error.c_str());
        }
    }
    for (const std::filesystem::path& file : ForeignSetFiles(target)) {
        std::filesystem::remove(file);
    }
}
BENCHMARK(BM_SaveForeign1M)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Sort1M(benchmark::State& state) {
    const ClassTable& loaded = MillionEntries().Entries();
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<ClassTable>(loaded);
        state.ResumeTiming();
        table->SortRows(kTermColumn, true, 0, table->RowCount() - 1);
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Sort1M)->Unit(benchmark::kMillisecond)->Iterations(2);

// The sort of the entry list: the current entry is the one that sorts last, so finding it again after the sort
// scans the whole table.
void BM_SortEntries1M(benchmark::State& state) {
    const ClassTable& loaded = MillionEntries().Entries();
    int smallest = 0;
    for (int r = 1; r < loaded.RowCount(); ++r) {
        if (CompareFolded(loaded.PeekCell(kTermColumn, r), loaded.PeekCell(kTermColumn, smallest)) < 0) {
            smallest = r;
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto store = std::make_unique<EntryStore>();
        store->Entries() = loaded;
        store->SetCurrentRow(smallest);
        state.ResumeTiming();
        store->SortEntries(kTermColumn, false);
        state.PauseTiming();
        if (store->CurrentRow() != loaded.RowCount() - 1) {
            state.SkipWithError("the current entry did not sort last");
        }
        store.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SortEntries1M)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ImportCsv464k(benchmark::State& state) {
    const std::filesystem::path file = DataFile("eng-deu.csv");
    for (auto _ : state) {
        auto table = std::make_unique<ClassTable>();
        table->SetSeparator(";");
        if (!table->LoadSeparatedText(file) || table->RowCount() < 400000) {
            state.SkipWithError("the CSV file did not import");
        }
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportCsv464k)->Unit(benchmark::kMillisecond)->Iterations(3);

// Edit mass data's apply: the table is emptied and filled from the text.
void BM_ApplyMassData100k(benchmark::State& state) {
    const std::string text = ReadText("mass-100k.txt");
    for (auto _ : state) {
        auto table = std::make_unique<ClassTable>();
        table->Resize(kEntryColumns, 0);
        if (ApplyMassDataText(*table, text, ";", false, false, "2024-01-01 00:00:00") != 100000) {
            state.SkipWithError("the mass data did not give 100000 entries");
        }
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ApplyMassData100k)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace lexaro::bench
