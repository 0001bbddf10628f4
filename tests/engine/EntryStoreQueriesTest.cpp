#include "EntryStoreTestSupport.h"
#include "table/SafeFile.h"

#include <fstream>
#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::Fixture;
using test::TempFolder;

TEST(EntryStoreNavigation, PreviousAndNextStayInsideTheTable) {
    Fixture f;
    f.Fill({{"a", "", ""}, {"b", "", ""}, {"c", "", ""}});
    f.store.SetCurrentRow(-1);
    EXPECT_EQ(f.store.NextEntry(), 0);
    EXPECT_EQ(f.store.NextEntry(), 1);
    EXPECT_EQ(f.store.NextEntry(), 2);
    EXPECT_EQ(f.store.NextEntry(), 2);
    EXPECT_EQ(f.store.PreviousEntry(), 1);
    EXPECT_EQ(f.store.PreviousEntry(), 0);
    EXPECT_EQ(f.store.PreviousEntry(), 0);
    EXPECT_EQ(f.store.CurrentRow(), 0);

    // A current row left past the end steps back onto the last entry, not into nothing.
    f.store.SetCurrentRow(50);
    EXPECT_EQ(f.store.PreviousEntry(), 2);
    f.store.SetCurrentRow(50);
    EXPECT_EQ(f.store.NextEntry(), 2);
}

TEST(EntryStoreNavigation, EmptyDictionary) {
    Fixture f;
    EXPECT_EQ(f.store.NextEntry(), -1);
    EXPECT_EQ(f.store.PreviousEntry(), 0);
}

TEST(EntryStoreStatistics, FirstOfEquallyLongCellsWins) {
    Fixture f;
    f.Fill({{"ab", "long text", ""}, {"abc", "x", ""}, {"xyz", "long txet", ""}, {"q", "y", ""}});
    EXPECT_EQ(f.store.LongestTerm(), "3 ('abc')");
    EXPECT_EQ(f.store.ShortestTerm(), "1 ('q')");
    EXPECT_EQ(f.store.LongestExplanation(), "9 ('long text')");
    EXPECT_EQ(f.store.ShortestExplanation(), "1 ('x')");
}

TEST(EntryStoreStatistics, EmptyTableAndVeryLongCells) {
    Fixture f;
    EXPECT_EQ(f.store.LongestTerm(), "");
    EXPECT_EQ(f.store.ShortestTerm(), "");
    EXPECT_EQ(f.store.LongestExplanation(), "");
    EXPECT_EQ(f.store.ShortestExplanation(), "");

    const std::string huge(4096, 'w');
    f.Fill({{huge, "", ""}});
    EXPECT_EQ(f.store.ShortestTerm(), "");
    EXPECT_EQ(f.store.LongestTerm(), "4096 ('" + huge + "')");
    EXPECT_EQ(f.store.ShortestExplanation(), "0 ('')");
    EXPECT_EQ(f.store.LongestExplanation(), "");

    f.Fill({{huge.substr(1), "", ""}});
    EXPECT_EQ(f.store.ShortestTerm(), "4095 ('" + huge.substr(1) + "')");
}

std::string ReadAll(const std::filesystem::path& path) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes));
    return bytes;
}

TEST(EntryStoreExport, WritesEveryCellWithoutAdditionalPartsAndCrLf) {
    TempFolder dir;
    Fixture f;
    f.Fill({{"go", "to move<add_exp><exp_pos>I go</exp_pos></add_exp>", "2007-03-05 09:04:01"},
            {"täg<add_exp>x", "", ""}});
    f.store.Entries().SetFileName("/somewhere/words.lxd");
    const auto path = dir.Path() / "out.csv";
    ASSERT_TRUE(f.store.ExportPlainText(path));
    EXPECT_EQ(ReadAll(path), "go;to move;2007-03-05 09:04:01\r\ntäg;;\r\n");
    EXPECT_TRUE(f.store.Entries().FileName().empty());

    f.store.Entries().SetSeparator("\t");
    ASSERT_TRUE(f.store.ExportPlainText(path));
    EXPECT_EQ(ReadAll(path), "go\tto move\t2007-03-05 09:04:01\r\ntäg\t\t\r\n");

    Fixture empty;
    ASSERT_TRUE(empty.store.ExportPlainText(dir.Path() / "empty.csv"));
    EXPECT_EQ(ReadAll(dir.Path() / "empty.csv"), "");
}

// Written in pieces: rows cut at every piece boundary, cells never stored and a separator of several bytes
// must come out exactly as one text of the whole table.
TEST(EntryStoreExport, LargeTableIsWrittenByteForByte) {
    TempFolder dir;
    Fixture f;
    ClassTable& table = f.store.Entries();
    table.SetSeparator("<|>");
    const int rows = 80000;
    table.AddRows(rows);
    for (int r = 0; r < rows; ++r) {
        const std::string n = std::to_string(r);
        table.SetCell(0, r, "term " + n + std::string(static_cast<std::size_t>(r % 97), 'a'));
        if (r % 5 != 0) {
            table.SetCell(1, r, "explanation " + n + (r % 3 == 0 ? "<add_exp><exp_pos>" + n + "</exp_pos>" : ""));
        }
        if (r % 7 == 0) {
            table.SetCell(2, r, "2026-12-08 08:00:00");
        }
    }
    table.Resize(3, rows + 3); // rows whose cells were never stored

    std::string expected;
    for (int r = 0; r < table.RowCount(); ++r) {
        for (int c = 0; c < 3; ++c) {
            expected += EntryStore::MainExplanation(table.PeekCell(c, r));
            expected += c < 2 ? "<|>" : "\r\n";
        }
    }
    ASSERT_GT(expected.size(), std::size_t{5} << 20);
    const auto path = dir.Path() / "large.csv";
    ASSERT_TRUE(f.store.ExportPlainText(path));
    EXPECT_TRUE(ReadAll(path) == expected);
}

TEST(EntryStoreExport, FailureKeepsTheOldFileAndTheFileName) {
    TempFolder dir;
    Fixture f;
    f.Fill({{"go", "to move", ""}});
    f.store.Entries().SetFileName("/somewhere/words.lxd");

    EXPECT_FALSE(f.store.ExportPlainText(dir.Path() / "missing" / "out.csv"));
    EXPECT_EQ(f.store.Entries().FileName(), "/somewhere/words.lxd");

    // A folder in the target's place cannot be replaced.
    std::filesystem::create_directory(dir.Path() / "taken");
    EXPECT_FALSE(f.store.ExportPlainText(dir.Path() / "taken"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "taken"));

    // A busy table is not written out as empty cells.
    const auto path = dir.Path() / "old.csv";
    std::ofstream(path, std::ios::binary) << "old content";
    ASSERT_TRUE(f.store.Entries().AccessGuard(kGuardExclusive));
    EXPECT_FALSE(f.store.ExportPlainText(path));
    f.store.Entries().AccessGuard(kGuardRelease);
    EXPECT_EQ(ReadAll(path), "old content");
    EXPECT_EQ(f.store.Entries().FileName(), "/somewhere/words.lxd");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

} // namespace
} // namespace lexaro
