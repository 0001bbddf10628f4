#pragma once

#include "table/ClassTable.h"
#include "training/RandomSource.h"

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>
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

// A fresh folder for one test's files, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        const char* base = std::getenv("LEXARO_TEST_TMP");
        const std::filesystem::path root = base != nullptr ? base : std::filesystem::temp_directory_path();
        std::filesystem::create_directories(root);
        std::string pattern = (root / "lexaro-training-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_Path = pattern;
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_Path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(std::string_view name) const { return m_Path / name; }

private:
    std::filesystem::path m_Path;
};

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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
