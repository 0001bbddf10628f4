// Applies random operations to a dictionary through EntryStore and checks after each save and load that the
// file and the table agree, and that undo gives back exactly the entries as they were before the undone
// changes. ctest runs a short pass; run it by hand for a long one:
//   build/tests/lexaro_soak [OPERATIONS [SEED]]
#include "engine/Clipboard.h"
#include "engine/EntryStore.h"
#include "table/SafeFile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

using lexaro::ClassTable;
using lexaro::EntryStore;
using lexaro::kEntryColumns;

using Rows = std::vector<std::array<std::string, kEntryColumns>>;

class MemoryClipboard : public lexaro::Clipboard {
public:
    bool PutBytes(std::string_view, std::string_view bytes) override {
        m_Bytes = bytes;
        return true;
    }
    std::optional<std::string> GetBytes(std::string_view) override { return m_Bytes; }
    bool PutText(const std::u16string&) override { return false; }
    std::optional<std::u16string> GetText() override { return std::nullopt; }

private:
    std::optional<std::string> m_Bytes;
};

Rows Snapshot(const ClassTable& table) {
    Rows rows(static_cast<std::size_t>(table.RowCount()));
    for (int row = 0; row < table.RowCount(); ++row) {
        for (int column = 0; column < kEntryColumns; ++column) {
            rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = table.PeekCell(column, row);
        }
    }
    return rows;
}

class Soak {
public:
    Soak(unsigned seed, std::filesystem::path file) : m_Random(seed), m_File(std::move(file)) {
        m_Store.Entries().SetSize(kEntryColumns, 0);
        m_UndoBase = Snapshot(m_Store.Entries());
    }

    bool Run(long operations) {
        for (m_Step = 0; m_Step < operations && m_Failures == 0; ++m_Step) {
            Apply(Pick(100));
            Check(m_Store.Entries().ColumnCount() == kEntryColumns, "the table keeps three columns");
            const int current = m_Store.CurrentRow();
            Check(current >= -1 && current < std::max(1, m_Store.Entries().RowCount()), "the current row exists");
        }
        std::printf("%ld operations: %d entries at the end, %d saves, %d loads, %d undos, %d failures\n", m_Step,
                    m_Store.Entries().RowCount(), m_Saves, m_Loads, m_Undos, m_Failures);
        return m_Failures == 0;
    }

private:
    int Pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(m_Random); }
    int AnyRow() { return m_Store.Entries().RowCount() == 0 ? 0 : Pick(m_Store.Entries().RowCount()); }

    // Words from a small vocabulary, so that terms repeat and merge, with bytes that trouble other formats.
    std::string Text() {
        static const char* const kPieces[] = {
            "house",    "House",        "tree",  "ab",      " ",      ";",
            "\r\n",     "\"",           "&amp;", "</CT_C>", "<CT_R>", "<add_exp><exp_pos>yes</exp_pos></add_exp>",
            "\xC3\xA4", "\xE6\x97\xA5", "\xFF",  "(1)"};
        std::string text;
        for (int count = Pick(4); count >= 0; --count) {
            text += kPieces[Pick(static_cast<int>(std::size(kPieces)))];
        }
        return text;
    }

    void Check(bool condition, const char* what) {
        if (!condition) {
            ++m_Failures;
            std::fprintf(stderr, "step %ld: %s\n", m_Step, what);
        }
    }

    void Apply(int dice) {
        ClassTable& entries = m_Store.Entries();
        if (dice < 25) {
            m_Store.StoreEntry(Text(), Text());
        } else if (dice < 35) {
            m_Store.SetCurrentRow(entries.RowCount() == 0 ? -1 : AnyRow());
            m_Store.ModifyEntry(Text(), Text());
        } else if (dice < 45) {
            if (entries.RowCount() > 0) {
                m_Store.DeleteEntries(entries.PeekCell(lexaro::kTermColumn, AnyRow()));
            }
        } else if (dice < 52) {
            m_Store.CopyEntry(m_Clipboard, AnyRow(), Pick(2) == 0);
        } else if (dice < 62) {
            m_Store.PasteEntry(m_Clipboard, AnyRow());
        } else if (dice < 72) {
            Undo();
        } else if (dice < 75) {
            m_Store.SortEntries(Pick(kEntryColumns), Pick(2) == 0);
            m_UndoBase = Snapshot(entries);
        } else if (dice < 77) {
            m_Store.SwapColumns();
            m_UndoBase = Snapshot(entries);
        } else if (dice < 90) {
            Save();
        } else {
            Load();
        }
    }

    void Undo() {
        ++m_Undos;
        m_Store.UndoChanges(0);
        Check(Snapshot(m_Store.Entries()) == m_UndoBase, "undo gives back the entries as they were");
        Check(m_Store.UndoLog().RowCount() == 0, "undo empties the log");
        m_UndoBase = Snapshot(m_Store.Entries());
    }

    void Save() {
        ++m_Saves;
        ClassTable& entries = m_Store.Entries();
        Check(entries.SaveDocumentFile(m_File), "the dictionary is saved");
        ClassTable read;
        Check(read.LoadDocumentFile(m_File), "the saved file is read");
        Check(Snapshot(read) == Snapshot(entries), "the file holds exactly the table");
    }

    void Load() {
        ++m_Loads;
        ClassTable& entries = m_Store.Entries();
        std::string bytes;
        if (!lexaro::ReadFileBytes(m_File, bytes)) {
            return; // nothing saved yet
        }
        ClassTable saved;
        saved.ParseXml2Text(bytes);
        Check(entries.LoadDocumentFile(m_File), "the dictionary is loaded");
        entries.Resize(kEntryColumns, entries.RowCount());
        m_Store.DictionaryReplaced();
        Check(Snapshot(entries) == Snapshot(saved), "the table holds exactly the file");
        m_UndoBase = Snapshot(entries);
    }

    EntryStore m_Store;
    MemoryClipboard m_Clipboard;
    std::mt19937 m_Random;
    std::filesystem::path m_File;
    Rows m_UndoBase;
    long m_Step = 0;
    int m_Saves = 0;
    int m_Loads = 0;
    int m_Undos = 0;
    int m_Failures = 0;
};

} // namespace

int main(int argc, char** argv) {
    const long operations = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 3000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    if (operations <= 0) {
        std::fprintf(stderr, "usage: %s [OPERATIONS [SEED]]\n", argv[0]);
        return 2;
    }
    const char* scratch = std::getenv("LEXARO_TEST_TMP");
    const std::filesystem::path folder =
        scratch != nullptr ? std::filesystem::path(scratch) : std::filesystem::temp_directory_path();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path file = folder / ("soak-" + std::to_string(::getpid()) + ".lxd");
    std::printf("seed %u\n", seed);
    const bool passed = Soak(seed, file).Run(operations);
    std::filesystem::remove(file, error);
    return passed ? 0 : 1;
}
