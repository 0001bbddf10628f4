#pragma once

#include "table/ClassTable.h"
#include "table/TableTestSupport.h"
#include "training/RandomSource.h"

#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lexaro::test {

// Answers the scripted numbers in order, then 0; remembers every bound it was asked for.
struct ScriptedRandom : RandomSource {
    std::deque<int> script;
    std::vector<int> bounds;

    explicit ScriptedRandom(std::initializer_list<int> values = {}) : script(values) {}
    int Below(int bound) override {
        bounds.push_back(bound);
        if (script.empty()) {
            return 0;
        }
        const int value = script.front();
        script.pop_front();
        return value;
    }
};

// A dictionary's entry table of (term, explanation) pairs.
inline ClassTable Dictionary(const std::vector<std::pair<std::string, std::string>>& entries) {
    ClassTable table;
    table.Resize(3, static_cast<int>(entries.size()));
    for (int row = 0; row < table.RowCount(); ++row) {
        table.SetCell(0, row, entries[static_cast<std::size_t>(row)].first);
        table.SetCell(1, row, entries[static_cast<std::size_t>(row)].second);
    }
    table.SetModified(false);
    return table;
}

// A unit document as the program writes it: rows of five cells.
inline std::string UnitDocument(const std::vector<std::vector<std::string>>& rows, int announcedRows = -1) {
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<CLASS_TABLE_XML2>\r\n<CT_ROWS>" +
                       std::to_string(announcedRows < 0 ? rows.size() : static_cast<std::size_t>(announcedRows)) +
                       "</CT_ROWS>\r\n<CT_COLUMNS>5</CT_COLUMNS>\r\n<CT_CHARSET>65001</CT_CHARSET>\r\n";
    for (const auto& row : rows) {
        text += " <CT_R>\r\n";
        for (std::size_t c = 0; c < 5; ++c) {
            const std::string cell = c < row.size() ? row[c] : std::string();
            text += "  <CT_C=" + std::to_string(cell.size()) + ">" + cell + "</CT_C>\r\n";
        }
        text += " </CT_R>\r\n";
    }
    return text + "</CLASS_TABLE_XML2>\r\n";
}

} // namespace lexaro::test
