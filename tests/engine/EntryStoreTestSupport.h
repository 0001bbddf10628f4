#pragma once

#include "engine/Clock.h"
#include "engine/EntryStore.h"
#include "support/TempFolder.h"

#include <array>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace lexaro::test {

// A clock that shows whatever time the test sets.
struct FakeClock : Clock {
    LocalTime now{2007, 3, 5, 9, 4, 1};
    LocalTime Now() const override { return now; }
};

using Row = std::array<std::string, 3>;
using Rows = std::vector<Row>;

// Every visible entry, for comparing whole tables.
inline Rows Snapshot(const ClassTable& table) {
    Rows rows;
    for (int r = 0; r < table.RowCount(); ++r) {
        rows.push_back({table.PeekCell(0, r), table.PeekCell(1, r), table.PeekCell(2, r)});
    }
    return rows;
}

// Appends the rows to a table of entries (given three columns when it has fewer), without undo log rows.
inline void FillTable(ClassTable& table, const Rows& rows) {
    if (table.ColumnCount() < 3) {
        table.Resize(3, table.RowCount());
    }
    const int first = table.RowCount();
    table.AddRows(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
            table.SetCell(c, first + static_cast<int>(i), rows[i][static_cast<std::size_t>(c)]);
        }
    }
}

// One undo log row: term, explanation, date, row, operation, group.
inline std::vector<std::string> LogRow(const ClassTable& log, int row) {
    std::vector<std::string> cells;
    for (int c = 0; c < 6; ++c) {
        cells.push_back(log.PeekCell(c, row));
    }
    return cells;
}

// A store on a fake clock, filled with entries written straight into the table (no undo log rows).
struct Fixture {
    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
    EntryStore store{clock};

    void Fill(const Rows& rows) { FillTable(store.Entries(), rows); }
    void SetTime(int hour, int minute, int second) { clock->now = {2024, 11, 30, hour, minute, second}; }
};

// The dictionary document as the program writes it, made by hand so that the search is tested against the bytes.
inline void WriteDictionary(const std::filesystem::path& path, const Rows& rows) {
    std::string doc = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<CLASS_TABLE_XML2>\r\n<CT_ROWS>" +
                      std::to_string(rows.size()) + "</CT_ROWS>\r\n<CT_COLUMNS>3</CT_COLUMNS>\r\n" +
                      "<CT_CHARSET>65001</CT_CHARSET>\r\n";
    for (const Row& row : rows) {
        doc += " <CT_R>\r\n";
        for (const std::string& cell : row) {
            doc += "  <CT_C=" + std::to_string(cell.size()) + ">" + cell + "</CT_C>\r\n";
        }
        doc += " </CT_R>\r\n";
    }
    doc += "</CLASS_TABLE_XML2>\r\n";
    std::ofstream(path, std::ios::binary) << doc;
}

} // namespace lexaro::test
