#include "TableTestSupport.h"
#include "table/ClassTable.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <utility>
#include <vector>

using lexaro::ClassTable;

namespace {

using Rows = std::vector<std::vector<std::string>>;

// The table written out plainly: the stored rows as vectors of strings and the logical size beside them.
struct Reference {
    Rows stored;
    int rows = 0;
    int columns = 0;

    const std::string* Visible(int column, int row) const {
        if (row < 0 || row >= rows || column < 0 || column >= columns ||
            static_cast<std::size_t>(row) >= stored.size()) {
            return nullptr;
        }
        const auto& cells = stored[static_cast<std::size_t>(row)];
        return static_cast<std::size_t>(column) < cells.size() ? &cells[static_cast<std::size_t>(column)] : nullptr;
    }
    void Store(int column, int row, const std::string& text) {
        const auto r = static_cast<std::size_t>(row);
        const auto c = static_cast<std::size_t>(column);
        while (stored.size() <= r) {
            stored.emplace_back(c + 1);
        }
        if (stored[r].size() <= c) {
            stored[r].resize(c + 1);
        }
        stored[r][c] = text;
    }
    bool Delete(int row) {
        if (static_cast<std::size_t>(row) >= stored.size() || stored[static_cast<std::size_t>(row)].empty()) {
            return false;
        }
        stored.erase(stored.begin() + row);
        rows -= row < rows ? 1 : 0;
        return true;
    }
};

// Texts that look like the document's markup, UTF-8, line breaks and, now and then, a long one.
class TextMaker {
public:
    explicit TextMaker(unsigned seed) : m_Random(seed) {}

    int Below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_Random); }

    std::string Text() {
        static const std::string kPieces[] = {"a",    "Haus", "</CT_C>",  "<",    ">",
                                              "<CT_", "=12>", "\xc3\xa9", "\r\n", " "};
        if (Below(8) == 0) {
            return std::string(static_cast<std::size_t>(1000 + Below(6000)), static_cast<char>('a' + Below(26)));
        }
        std::string text;
        for (int n = Below(5); n > 0; --n) {
            text += kPieces[Below(static_cast<int>(std::size(kPieces)))];
        }
        return text;
    }

private:
    std::mt19937 m_Random;
};

void WriteDocument(const std::filesystem::path& path, const Reference& made) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<CLASS_TABLE_XML2>\r\n<CT_ROWS>" << made.rows
        << "</CT_ROWS>\r\n<CT_COLUMNS>" << made.columns << "</CT_COLUMNS>\r\n<CT_CHARSET>65001</CT_CHARSET>\r\n";
    for (const auto& cells : made.stored) {
        out << " <CT_R>\r\n";
        for (const std::string& cell : cells) {
            out << "  <CT_C=" << cell.size() << ">" << cell << "</CT_C>\r\n";
        }
        out << " </CT_R>\r\n";
    }
    out << "</CLASS_TABLE_XML2>\r\n";
}

Reference RandomDocument(TextMaker& texts) {
    Reference made;
    made.columns = 1 + texts.Below(4);
    made.rows = texts.Below(60);
    made.stored.assign(static_cast<std::size_t>(made.rows), std::vector<std::string>());
    for (auto& cells : made.stored) {
        for (int c = 0; c < made.columns; ++c) {
            cells.push_back(texts.Text());
        }
    }
    return made;
}

void ExpectSame(const ClassTable& table, const Reference& expected, const std::string& step) {
    ASSERT_EQ(table.RowCount(), expected.rows) << step;
    ASSERT_EQ(table.ColumnCount(), expected.columns) << step;
    ASSERT_EQ(table.StoredRowCount(), static_cast<int>(expected.stored.size())) << step;
    for (int r = -1; r <= expected.rows + 1; ++r) {
        for (int c = -1; c <= expected.columns + 1; ++c) {
            const std::string* cell = expected.Visible(c, r);
            ASSERT_EQ(table.CellLength(c, r), cell ? static_cast<int>(cell->size()) : -1)
                << step << " " << c << "," << r;
            ASSERT_EQ(table.CellView(c, r), cell ? *cell : std::string()) << step << " " << c << "," << r;
        }
    }
}

int ReferenceFind(const Reference& expected, const std::string& text) {
    for (int r = 0; r < expected.rows; ++r) {
        const std::string* cell = expected.Visible(0, r);
        if (cell != nullptr && *cell == text) {
            return r;
        }
    }
    return -1;
}

} // namespace

// Tables read from random documents and then edited at random answer every cell exactly as the plain reference
// does: stores (of texts of the table itself too, and of whole rows), inserts, deletes, sorts, resizes, undo by a copy
// taken earlier, saving and reading back, and the file changing on disk after it was read.
TEST(TableStorageProperty, LoadedAndEditedTablesAnswerLikeThePlainReference) {
    lexaro::test::TempFolder folder;
    const auto path = folder / "random.lxd";
    for (unsigned seed = 1; seed <= 40; ++seed) {
        TextMaker texts(seed);
        Reference expected = RandomDocument(texts);
        WriteDocument(path, expected);
        ClassTable table;
        ASSERT_TRUE(table.LoadDocumentFile(path));
        table.SetIndexMinRows(1);
        // Another program replaces the file's bytes where they are.
        std::filesystem::resize_file(path, 0);
        std::ofstream(path, std::ios::binary) << std::string(4096, '#');
        ExpectSame(table, expected, "seed " + std::to_string(seed) + " load");
        std::pair<ClassTable, Reference> saved{table, expected};
        for (int step = 0; step < 300 && !HasFatalFailure(); ++step) {
            const int rows = expected.rows;
            const int at = texts.Below(std::max(rows, 1) + 2);
            std::string what;
            switch (texts.Below(12)) {
            case 0:
            case 1:
            case 2: {
                const std::string text = texts.Text();
                const int column = texts.Below(expected.columns + 2);
                table.SetCell(column, at, text);
                expected.Store(column, at, text);
                what = "store";
                break;
            }
            case 3: {
                // A cell of the table stored again elsewhere in it.
                const int column = texts.Below(expected.columns);
                const int target = texts.Below(std::max(rows, 1));
                const std::string* source = expected.Visible(column, at);
                const std::string copy = source ? *source : std::string();
                table.SetCell(column, target, table.CellView(column, at));
                expected.Store(column, target, copy);
                what = "store own cell";
                break;
            }
            case 4:
                EXPECT_EQ(table.InsertRow(at), static_cast<std::size_t>(at) < expected.stored.size());
                if (static_cast<std::size_t>(at) < expected.stored.size()) {
                    expected.stored.insert(expected.stored.begin() + at,
                                           std::vector<std::string>(static_cast<std::size_t>(expected.columns)));
                    ++expected.rows;
                }
                what = "insert";
                break;
            case 5: {
                const int count = 1 + texts.Below(4);
                int removed = 0;
                while (removed < count && expected.Delete(at)) {
                    ++removed;
                }
                EXPECT_EQ(table.DeleteRows(at, count), removed);
                what = "delete";
                break;
            }
            case 6: {
                const int column = texts.Below(expected.columns);
                const bool ascending = texts.Below(2) == 0;
                const int first = texts.Below(std::max(rows, 1));
                const int last = std::min(rows - 1, first + texts.Below(std::max(rows, 1)));
                ASSERT_TRUE(table.SortRows(column, ascending, first, last));
                if (last >= 0 && static_cast<std::size_t>(last) >= expected.stored.size()) {
                    expected.stored.resize(static_cast<std::size_t>(last) + 1);
                }
                lexaro::test::ReferenceSort(expected.stored, column, ascending, first, last);
                what = "sort";
                break;
            }
            case 7:
                expected.rows = std::max(0, rows + texts.Below(5) - 2);
                expected.columns = std::max(1, expected.columns + texts.Below(3) - 1);
                ASSERT_TRUE(table.Resize(expected.columns, expected.rows));
                what = "resize";
                break;
            case 8:
                if (texts.Below(2) == 0) {
                    saved = {table, expected};
                    what = "keep a copy";
                } else {
                    table = saved.first;
                    expected = saved.second;
                    what = "undo";
                }
                break;
            case 9:
                ASSERT_TRUE(table.SaveDocumentFile(path));
                ASSERT_TRUE(table.LoadDocumentFile(path));
                // The document holds the visible cells only, each row with every column.
                expected.stored.resize(static_cast<std::size_t>(expected.rows));
                for (int r = 0; r < expected.rows; ++r) {
                    auto& cells = expected.stored[static_cast<std::size_t>(r)];
                    cells.resize(static_cast<std::size_t>(expected.columns));
                }
                what = "save and load";
                break;
            case 10: {
                // A whole row stored at once, as a training unit adds its rows.
                std::vector<std::string> row(static_cast<std::size_t>(1 + texts.Below(expected.columns + 1)));
                std::vector<std::string_view> views;
                for (std::size_t c = 0; c < row.size(); ++c) {
                    row[c] = texts.Text();
                    views.emplace_back(row[c]);
                    expected.Store(static_cast<int>(c), at, row[c]);
                }
                ASSERT_TRUE(table.SetRow(at, views));
                what = "store a row";
                break;
            }
            default: {
                const std::string* cell = expected.Visible(0, at);
                const std::string needle = cell ? *cell : texts.Text();
                EXPECT_EQ(table.FindRow(0, 0, needle, lexaro::kMatchExact), ReferenceFind(expected, needle));
                what = "find";
                break;
            }
            }
            ExpectSame(table, expected, "seed " + std::to_string(seed) + " step " + std::to_string(step) + " " + what);
        }
    }
}
