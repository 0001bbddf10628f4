#include "table/ClassTable.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using lexaro::ClassTable;

namespace {

ClassTable OneColumn(const std::vector<std::string>& cells) {
    ClassTable table;
    table.SetSize(1, static_cast<int>(cells.size()));
    for (int r = 0; r < static_cast<int>(cells.size()); ++r) {
        table.SetCell(0, r, cells[static_cast<std::size_t>(r)]);
    }
    return table;
}

bool Matches(const std::string& cell, const std::string& text, int mode) {
    ClassTable table = OneColumn({cell});
    return table.FindRow(0, 0, text, mode) == 0;
}

} // namespace

TEST(FindRowModes, ExactAndCaseInsensitiveEquality) {
    EXPECT_TRUE(Matches("House", "House", 0));
    EXPECT_FALSE(Matches("House", "house", 0));
    EXPECT_TRUE(Matches("House", "house", 1));
    EXPECT_FALSE(Matches("Houses", "house", 1));
    EXPECT_FALSE(Matches("house", "houses", 1));
    EXPECT_TRUE(Matches("House", "House", 42)) << "unknown modes compare exactly";
    EXPECT_FALSE(Matches("House", "house", -1));
}

TEST(FindRowModes, OnlyAsciiLettersFold) {
    EXPECT_FALSE(Matches("\xc3\x89t\xc3\xa9", "\xc3\xa9t\xc3\xa9", 1)) << "E acute and e acute differ";
    EXPECT_TRUE(Matches("\xc3\xa9T\xc3\xa9", "\xc3\xa9t\xc3\xa9", 1));
    EXPECT_FALSE(Matches("\xc3\x89t\xc3\xa9 x", "\xc3\xa9t\xc3\xa9", 4));
}

TEST(FindRowModes, BeginsWordStopsAtBlankCommaOrStop) {
    EXPECT_FALSE(Matches("house, the", "house", 2));
    EXPECT_FALSE(Matches("House boat", "house", 2));
    EXPECT_FALSE(Matches("house.", "house", 2));
    EXPECT_TRUE(Matches("household", "house", 2));
    EXPECT_TRUE(Matches("house", "house", 2));
    EXPECT_TRUE(Matches("house;x", "house", 2));
    EXPECT_FALSE(Matches("hous", "house", 2));
}

TEST(FindRowModes, WholeWordLooksAtTheFirstOccurrenceOnly) {
    EXPECT_TRUE(Matches("go, went", "go", 3));
    EXPECT_TRUE(Matches("go went", "go", 3));
    EXPECT_FALSE(Matches("ago", "go", 3));
    EXPECT_TRUE(Matches("a go", "go", 3));
    EXPECT_TRUE(Matches("to;GO", "go", 3));
    EXPECT_FALSE(Matches("goes", "go", 3));
    EXPECT_FALSE(Matches("ago go", "go", 3)) << "the first occurrence decides";
    EXPECT_FALSE(Matches("a.go", "go", 3));
}

TEST(FindRowModes, ContainsBeginsAndEnds) {
    EXPECT_TRUE(Matches("the HOUSE here", "house", 4));
    EXPECT_FALSE(Matches("hose", "house", 4));
    EXPECT_TRUE(Matches("Household", "house", 5));
    EXPECT_FALSE(Matches("a house", "house", 5));
    EXPECT_TRUE(Matches("Greenhouse", "HOUSE", 6));
    EXPECT_FALSE(Matches("use", "house", 6)) << "a cell shorter than the text";
    EXPECT_TRUE(Matches("anything", "", 4));
}

TEST(FindRowScan, StartRowColumnAndStoredRowsBoundTheScan) {
    ClassTable table = OneColumn({"a", "b", "a", "c"});
    EXPECT_EQ(table.FindRow(0, 0, "a", 0), 0);
    EXPECT_EQ(table.FindRow(0, 1, "a", 0), 2);
    EXPECT_EQ(table.FindRow(0, 3, "a", 0), -1);
    EXPECT_EQ(table.FindRow(0, 4, "c", 0), -1);
    EXPECT_EQ(table.FindRow(0, 99, "c", 0), -1);
    EXPECT_EQ(table.FindRow(0, -4, "a", 0), 0);
    EXPECT_EQ(table.FindRow(1, 0, "", 0), -1) << "no row stores column 1";
    EXPECT_EQ(table.FindRow(-1, 0, "", 0), -1);
}

TEST(FindRowScan, RowsHiddenByShrinkingNeverMatch) {
    ClassTable table = OneColumn({"a", "b", "c"});
    table.Resize(1, 2);
    EXPECT_EQ(table.FindRow(0, 0, "c", 0), -1);
    EXPECT_EQ(table.FindRowAround(0, 0, "c", ""), -1);
    table.Resize(1, 3);
    EXPECT_EQ(table.FindRow(0, 0, "c", 0), 2);
}

TEST(FindRowScan, ShortRowsDoNotMatchBeyondTheirCells) {
    ClassTable table;
    table.SetSize(2, 2);
    table.SetCell(0, 0, "x");
    table.SetCell(1, 1, "");
    EXPECT_EQ(table.FindRow(1, 0, "", 0), 1);
}

TEST(FindRowAround, NeedsAByteBetweenPrefixAndSuffix) {
    ClassTable table = OneColumn({"hse", "HOUSE", "house"});
    EXPECT_EQ(table.FindRowAround(0, 0, "h", "se"), 1);
    EXPECT_EQ(table.FindRowAround(0, 2, "h", "se"), 2);
    EXPECT_EQ(table.FindRowAround(0, 0, "hou", "use"), -1) << "prefix and suffix may not overlap";
    EXPECT_EQ(table.FindRowAround(0, 0, "", "e"), 0);
    EXPECT_EQ(table.FindRowAround(0, 0, "x", ""), -1);
}
