#include "TableTestSupport.h"
#include "table/ClassTable.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <string_view>
#include <vector>

using lexaro::ClassTable;

namespace {

using lexaro::test::Lowered;

// The matching rules written out plainly: lowered copies and a scan from the start row.
bool IsWordEdge(char ch) {
    return ch == ' ' || ch == ',' || ch == ';';
}

bool ReferenceMatch(const std::string& cell, const std::string& text, int mode) {
    const std::string c = Lowered(cell);
    const std::string t = Lowered(text);
    switch (mode) {
    case 1:
        return c == t;
    case 2:
        return c.compare(0, t.size(), t) == 0 && c.size() >= t.size() &&
               (c.size() == t.size() || (c[t.size()] != ' ' && c[t.size()] != ',' && c[t.size()] != '.'));
    case 3: {
        const auto n = c.find(t);
        if (n == std::string::npos) {
            return false;
        }
        const auto after = n + t.size();
        return (after == c.size() || IsWordEdge(c[after])) && (n == 0 || IsWordEdge(c[n - 1]));
    }
    case 4:
        return c.find(t) != std::string::npos;
    case 5:
        return c.size() >= t.size() && c.compare(0, t.size(), t) == 0;
    case 6:
        return c.size() >= t.size() && c.compare(c.size() - t.size(), t.size(), t) == 0;
    default:
        return cell == text;
    }
}

bool ReferenceAround(const std::string& cell, const std::string& prefix, const std::string& suffix) {
    const std::string c = Lowered(cell);
    return c.size() > prefix.size() + suffix.size() && c.compare(0, prefix.size(), Lowered(prefix)) == 0 &&
           c.compare(c.size() - suffix.size(), suffix.size(), Lowered(suffix)) == 0;
}

template <typename Match>
int ReferenceFind(const ClassTable& table, int column, int start, Match match) {
    for (int r = std::max(start, 0); r < table.RowCount(); ++r) {
        if (table.CellLength(column, r) >= 0 && match(table.PeekCell(column, r))) {
            return r;
        }
    }
    return -1;
}

// Pieces that make up cells and search texts: mixed case, word edges of modes 2 and 3, UTF-8 letters whose
// bytes must never fold, and whole words that recur.
const std::vector<std::string> kPieces = {"a",     "A",  "b",   "go",       "GO",       "Go", " ",
                                          ",",     ".",  ";",   "\xc3\xa9", "\xc3\x89", "ou", "house",
                                          "HOUSE", "se", "hou", "\xc3\xbc", "ing",      "x"};

class TableFuzzer {
public:
    explicit TableFuzzer(unsigned seed) : m_Random(seed) {}

    int Below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_Random); }

    std::string Text(int maxPieces) {
        std::string text;
        for (int n = Below(maxPieces + 1); n > 0; --n) {
            text += kPieces[static_cast<std::size_t>(Below(static_cast<int>(kPieces.size())))];
        }
        return text;
    }

    // A search text: made up, or a piece of a cell in the table so that hits are common.
    std::string Needle(ClassTable& table) {
        if (table.RowCount() == 0 || Below(3) == 0) {
            return Text(3);
        }
        const std::string cell = table.PeekCell(Below(3), Below(table.RowCount()));
        if (cell.empty()) {
            return Text(2);
        }
        const int from = Below(static_cast<int>(cell.size()));
        std::string piece = cell.substr(static_cast<std::size_t>(from),
                                        static_cast<std::size_t>(1 + Below(static_cast<int>(cell.size()) - from)));
        if (Below(2) == 0) {
            for (char& ch : piece) {
                if (ch >= 'a' && ch <= 'z') {
                    ch = static_cast<char>(ch - 'a' + 'A');
                }
            }
        }
        return piece;
    }

    void Edit(ClassTable& table) {
        const int rows = table.RowCount();
        switch (Below(13)) {
        case 0:
            table.AddRows(1 + Below(3));
            break;
        case 1:
            table.InsertRow(Below(rows + 1));
            break;
        case 2:
            table.DeleteRow(Below(rows + 1));
            break;
        case 3:
            table.SortRows(Below(3), Below(2) == 0, -1, -1);
            break;
        case 4:
            table.Resize(3, std::max(0, rows + Below(7) - 4));
            break;
        case 5:
            // A new row far out creates stored rows in between, with fewer cells than the table's columns.
            table.SetCell(Below(3), rows + Below(4), Text(3));
            break;
        case 12:
            table.DeleteRows(Below(rows + 1), 1 + Below(4));
            break;
        case 6:
            if (Below(8) == 0) {
                table.Clear(true);
                table.Resize(3, 0);
            }
            break;
        default:
            if (rows > 0) {
                table.SetCell(Below(3), Below(rows), Text(4));
            }
            break;
        }
    }

private:
    std::mt19937 m_Random;
};

void CheckQueries(ClassTable& table, TableFuzzer& fuzzer, int count) {
    for (int q = 0; q < count; ++q) {
        const int column = fuzzer.Below(4) - (fuzzer.Below(20) == 0 ? 1 : 0);
        const int start = fuzzer.Below(table.RowCount() + 3) - 1;
        if (fuzzer.Below(5) == 0) {
            const std::string prefix = fuzzer.Needle(table);
            const std::string suffix = fuzzer.Below(2) == 0 ? fuzzer.Needle(table) : fuzzer.Text(1);
            const int expected = ReferenceFind(
                table, column, start, [&](const std::string& cell) { return ReferenceAround(cell, prefix, suffix); });
            ASSERT_EQ(table.FindRowAround(column, start, prefix, suffix), expected)
                << "around column " << column << " start " << start << " '" << prefix << "' '" << suffix << "'";
            continue;
        }
        const std::string text = fuzzer.Needle(table);
        const int mode = fuzzer.Below(9) - 1;
        const int expected = ReferenceFind(table, column, start,
                                           [&](const std::string& cell) { return ReferenceMatch(cell, text, mode); });
        ASSERT_EQ(table.FindRow(column, start, text, mode), expected)
            << "column " << column << " start " << start << " mode " << mode << " '" << text << "'";
        // Walking on through the hits, as the search does, asks again from the next row.
        if (expected != -1) {
            const int next = ReferenceFind(table, column, expected + 1,
                                           [&](const std::string& cell) { return ReferenceMatch(cell, text, mode); });
            ASSERT_EQ(table.FindRow(column, expected + 1, text, mode), next);
        }
    }
}

// Three columns, the first filled of them holding random texts of up to pieces pieces; indexed from the start.
void FillRandomly(ClassTable& table, TableFuzzer& fuzzer, int rows, int filled, int pieces) {
    table.SetIndexMinRows(1);
    table.Resize(3, 0);
    table.AddRows(rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < filled; ++c) {
            table.SetCell(c, r, fuzzer.Text(pieces));
        }
    }
}

void QueryThroughEdits(ClassTable& table, TableFuzzer& fuzzer, int steps, int queries) {
    for (int step = 0; step < steps; ++step) {
        CheckQueries(table, fuzzer, queries);
        fuzzer.Edit(table);
    }
}

} // namespace

TEST(FindRowIndexed, AgreesWithThePlainScanThroughRandomEdits) {
    for (unsigned seed = 1; seed <= 24; ++seed) {
        SCOPED_TRACE(seed);
        TableFuzzer fuzzer(seed);
        ClassTable table;
        FillRandomly(table, fuzzer, 20 + fuzzer.Below(150), 3, 5);
        QueryThroughEdits(table, fuzzer, 120, 6);
    }
}

TEST(FindRowIndexed, ManyChangedRowsAfterTheIndexWasBuilt) {
    TableFuzzer fuzzer(99);
    ClassTable table;
    table.SetIndexMinRows(1);
    table.Resize(3, 0);
    for (int r = 0; r < 40; ++r) {
        table.AddRows(1);
        table.SetCell(0, r, fuzzer.Text(3));
    }
    // Appending entries one by one with a search before each, as adding mass data does.
    for (int r = 40; r < 400; ++r) {
        CheckQueries(table, fuzzer, 2);
        table.AddRows(1);
        table.SetCell(0, r, fuzzer.Text(3));
        table.SetCell(1, r, fuzzer.Text(3));
    }
    CheckQueries(table, fuzzer, 200);
}

// Entries pasted one by one, each term looked up exactly as a paste does, leave the piece lists behind for a
// while: a substring search afterwards still finds every row where it now is.
TEST(FindRowIndexed, SubstringSearchAfterInsertsCheckedOnlyExactly) {
    TableFuzzer fuzzer(5);
    ClassTable table;
    table.SetIndexMinRows(1);
    table.Resize(3, 0);
    for (int r = 0; r < 200; ++r) {
        table.AddRows(1);
        table.SetCell(0, r, fuzzer.Text(4));
    }
    for (int i = 0; i < 2; ++i) {
        table.FindRow(0, 0, "ou", lexaro::kMatchContains);
    }
    for (int n = 0; n < 40; ++n) {
        const int at = fuzzer.Below(table.RowCount());
        ASSERT_TRUE(table.InsertRow(at));
        table.SetCell(0, at, fuzzer.Text(4));
        const std::string term = table.PeekCell(0, at);
        ASSERT_EQ(table.FindRow(0, 0, term, lexaro::kMatchExact),
                  ReferenceFind(table, 0, 0, [&](const std::string& cell) {
                      return ReferenceMatch(cell, term, lexaro::kMatchExact);
                  }));
        if (n % 13 == 12) {
            CheckQueries(table, fuzzer, 30);
        }
    }
    CheckQueries(table, fuzzer, 300);
}

TEST(FindRowIndexed, LargeTableFollowsInsertSortAndShrink) {
    ClassTable table;
    table.Resize(2, 3000);
    for (int r = 0; r < 3000; ++r) {
        table.SetCell(0, r, "term " + std::to_string(r));
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(table.FindRow(0, 0, "TERM 2999", 1), 2999);
    }
    ASSERT_TRUE(table.InsertRow(0));
    table.SetCell(0, 0, "Term 2999");
    EXPECT_EQ(table.FindRow(0, 1, "term 2999", 1), 3000);
    EXPECT_EQ(table.FindRow(0, 0, "term 2999", 1), 0);
    table.SortRows(0, false, -1, -1);
    EXPECT_EQ(table.PeekCell(0, table.FindRow(0, 0, "term 999", 0)), "term 999");
    table.Resize(2, 10);
    EXPECT_EQ(table.FindRow(0, 0, "term 1000", 1), -1) << "rows hidden by the smaller size never match";
    table.AddRows(2990);
    EXPECT_NE(table.FindRow(0, 0, "term 1000", 1), -1) << "and match again once the table grows over them";
}

// Tables long enough that the copies of a column fill several groups of filtered blocks.
TEST(FindRowIndexed, AgreesWithThePlainScanOverManyBlocksOfCopies) {
    for (unsigned seed = 1; seed <= 2; ++seed) {
        SCOPED_TRACE(seed);
        TableFuzzer fuzzer(seed);
        ClassTable table;
        FillRandomly(table, fuzzer, 4000 + fuzzer.Below(500), 1, 3);
        QueryThroughEdits(table, fuzzer, 10, 12);
    }
}

// Cells too long to be copied (explanations): a substring search that builds the index is answered by the pass
// that builds it.
TEST(FindRowIndexed, AgreesWithThePlainScanOnColumnsOfLongCells) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        TableFuzzer fuzzer(seed);
        ClassTable table;
        FillRandomly(table, fuzzer, 30 + fuzzer.Below(120), 3, 40);
        QueryThroughEdits(table, fuzzer, 40, 6);
    }
}
