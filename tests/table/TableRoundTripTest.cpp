#include "TableTestSupport.h"
#include "table/ClassTable.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace lexaro {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// Pieces of cell text that none of the forms treats as markup: no tag can be spelled from them.
const std::vector<std::string> kWesternPieces = {"a", "b",  "z",        "0",        "7",        " ",
                                                 "<", ">",  "&",        "\"",       "'",        "=",
                                                 "/", "\n", "\xC3\xA9", "\xC3\xBC", "\xC3\x9F", "\xE2\x82\xAC"};
const std::vector<std::string> kWidePieces = {"\xCE\xB1", "\xD0\x96", "\xE6\x97\xA5", "\xF0\x9F\x98\x80"};

std::string RandomCell(std::mt19937& random, const std::vector<std::string>& pieces, bool trimmed) {
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::string cell;
    for (int n = length(random); n > 0; --n) {
        cell += pieces[pick(random)];
    }
    if (trimmed) {
        // Separated text trims white space at the outer ends of a line.
        const auto first = cell.find_first_not_of(" \n");
        cell =
            first == std::string::npos ? std::string() : cell.substr(first, cell.find_last_not_of(" \n") - first + 1);
    }
    return cell;
}

Rows RandomRows(std::mt19937& random, const std::vector<std::string>& pieces, int minColumns, bool trimmed) {
    std::uniform_int_distribution<int> rowCount(1, 8);
    std::uniform_int_distribution<int> columnCount(minColumns, 5);
    Rows rows(static_cast<std::size_t>(rowCount(random)));
    const int columns = columnCount(random);
    for (auto& row : rows) {
        for (int c = 0; c < columns; ++c) {
            row.push_back(RandomCell(random, pieces, trimmed));
        }
    }
    return rows;
}

void FillRows(ClassTable& table, const Rows& rows) {
    table.Resize(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            table.SetCell(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
        }
    }
}

struct Encoding {
    int codePage;
    std::vector<std::string> pieces;
};

std::vector<Encoding> Encodings() {
    std::vector<std::string> all = kWesternPieces;
    all.insert(all.end(), kWidePieces.begin(), kWidePieces.end());
    return {{65001, all}, {1252, kWesternPieces}};
}

TEST(TableRoundTrip, DocumentFilesKeepRandomTables) {
    test::TempFolder folder;
    for (const Encoding& encoding : Encodings()) {
        std::mt19937 random(1234);
        for (int round = 0; round < 60; ++round) {
            const Rows rows = RandomRows(random, encoding.pieces, 1, false);
            ClassTable table;
            table.SetCharset(encoding.codePage);
            FillRows(table, rows);
            ASSERT_TRUE(table.SaveDocumentFile(folder / "t.lxd"));
            ClassTable loaded;
            loaded.SetCharset(encoding.codePage);
            ASSERT_TRUE(loaded.LoadDocumentFile(folder / "t.lxd"));
            ASSERT_EQ(test::Cells(loaded), rows) << "code page " << encoding.codePage << ", round " << round;
        }
    }
}

TEST(TableRoundTrip, XmlFormKeepsRandomTables) {
    for (const Encoding& encoding : Encodings()) {
        std::mt19937 random(99);
        for (int round = 0; round < 60; ++round) {
            const Rows rows = RandomRows(random, encoding.pieces, 1, false);
            ClassTable table;
            table.SetCharset(encoding.codePage);
            FillRows(table, rows);
            ClassTable parsed;
            parsed.SetCharset(encoding.codePage);
            ASSERT_TRUE(parsed.ParseXmlText(table.ToXmlText()));
            ASSERT_EQ(test::Cells(parsed), rows) << "code page " << encoding.codePage << ", round " << round;
        }
    }
}

TEST(TableRoundTrip, SeparatedTextKeepsRandomTablesOfTwoOrMoreColumns) {
    test::TempFolder folder;
    for (const Encoding& encoding : Encodings()) {
        std::mt19937 random(7);
        for (int round = 0; round < 60; ++round) {
            Rows rows = RandomRows(random, encoding.pieces, 2, true);
            // An empty cell after the file's last separator is no cell at all.
            if (rows.back().back().empty()) {
                rows.back().back() = "z";
            }
            // One row is written without any CR, and in such text an LF ends a line.
            if (rows.size() == 1) {
                for (std::string& cell : rows.front()) {
                    std::erase(cell, '\n');
                }
            }
            ClassTable table;
            table.SetCharset(encoding.codePage);
            table.SetSeparator("\t");
            FillRows(table, rows);
            ASSERT_TRUE(table.SaveSeparatedText(folder / "t.csv"));
            ClassTable loaded;
            loaded.SetCharset(encoding.codePage);
            loaded.SetSeparator("\t");
            ASSERT_TRUE(loaded.LoadSeparatedText(folder / "t.csv"));
            ASSERT_EQ(test::Cells(loaded), rows) << "code page " << encoding.codePage << ", round " << round;
        }
    }
}

} // namespace
} // namespace lexaro
