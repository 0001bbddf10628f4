#include "EntryStoreTestSupport.h"
#include "table/SafeFile.h"

#include <fstream>
#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::Fixture;
using test::TempDir;

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
    TempDir dir;
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

TEST(EntryStoreExport, FailureKeepsTheOldFileAndTheFileName) {
    TempDir dir;
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
