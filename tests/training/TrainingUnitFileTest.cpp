#include "TrainingTestSupport.h"
#include "training/TrainingUnit.h"

#include <climits>
#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::UnitDocument;
using test::WriteBytes;

// Entries 4 and 9, entry 4 answered right, random order on.
TrainingUnit FrenchUnit() {
    TrainingUnit unit;
    unit.AddEntry(4);
    unit.AddEntry(9);
    unit.MarkCorrect(0);
    unit.SetRandomOrder(true);
    return unit;
}

TEST(TrainingUnitFile, SavesCountersAndTrailer) {
    TempFolder folder;
    TrainingUnit unit = FrenchUnit();
    ASSERT_TRUE(unit.SaveUnit(folder / "verbs.lxt", "/voc/French.lxd"));
    EXPECT_EQ(ReadBytes(folder / "verbs.lxt"),
              UnitDocument({{"4", "+", "1", "0", "1"}, {"9"}, {"", "0xFFLXROFF", "/voc/French.lxd", "001"}}));
    // The trailer exists only in the file.
    EXPECT_EQ(unit.RowCount(), 2);
    EXPECT_FALSE(unit.IsModified());
}

TEST(TrainingUnitFile, LoadsWhatWasSaved) {
    TempFolder folder;
    TrainingUnit saved = FrenchUnit();
    saved.SetBothDirections(true);
    saved.SetIgnoreCase(true);
    ASSERT_TRUE(saved.SaveUnit(folder / "verbs.lxt", "/voc/French.lxd"));

    TrainingUnit unit;
    unit.SetIgnoreCase(false);
    unit.SetCountSubwords(true);
    const UnitLoadResult loaded = unit.LoadUnit(folder / "verbs.lxt");
    EXPECT_TRUE(loaded.read);
    EXPECT_TRUE(loaded.marked);
    EXPECT_EQ(loaded.dictionary, "/voc/French.lxd");
    EXPECT_EQ(unit.RowCount(), 2);
    EXPECT_EQ(unit.EntryRow(1), 9);
    EXPECT_EQ(unit.Mark(0), "+");
    EXPECT_EQ(unit.AnsweredCount(), 1);
    EXPECT_EQ(unit.CorrectCount(), 1);
    EXPECT_TRUE(unit.BothDirections() && unit.RandomOrder() && !unit.SwapColumns());
    // The two comparison flags are not stored.
    EXPECT_TRUE(!unit.IgnoreCase() && unit.CountSubwords());
    EXPECT_FALSE(unit.IsModified());

    // Rows added after loading never carry the removed trailer's cells.
    unit.AddEntry(3);
    for (int column = kUnitMarkColumn; column < kUnitColumns; ++column) {
        EXPECT_EQ(unit.Entries().PeekCell(column, 2), "");
    }
}

TEST(TrainingUnitFile, WithoutDictionaryPathThereIsNoTrailer) {
    TempFolder folder;
    TrainingUnit saved = FrenchUnit();
    ASSERT_TRUE(saved.SaveUnit(folder / "u.lxt", ""));
    EXPECT_EQ(ReadBytes(folder / "u.lxt"), UnitDocument({{"4", "+", "1", "0", "1"}, {"9"}}));

    TrainingUnit unit;
    unit.SetSwapColumns(true);
    const UnitLoadResult loaded = unit.LoadUnit(folder / "u.lxt");
    EXPECT_TRUE(loaded.read);
    EXPECT_FALSE(loaded.marked);
    EXPECT_TRUE(loaded.dictionary.empty());
    EXPECT_EQ(unit.RowCount(), 2);
    EXPECT_TRUE(unit.SwapColumns() && !unit.RandomOrder());
}

TEST(TrainingUnitFile, EmptyUnitKeepsItsTrailerIntact) {
    // Row 0 of an empty unit is the trailer: the counters must not overwrite its path and options.
    TempFolder folder;
    TrainingUnit saved;
    saved.SetSwapColumns(true);
    ASSERT_TRUE(saved.SaveUnit(folder / "empty.lxt", "2024/French.lxd"));
    EXPECT_EQ(ReadBytes(folder / "empty.lxt"), UnitDocument({{"", "0xFFLXROFF", "2024/French.lxd", "100"}}));

    TrainingUnit unit;
    const UnitLoadResult loaded = unit.LoadUnit(folder / "empty.lxt");
    EXPECT_EQ(loaded.dictionary, "2024/French.lxd");
    EXPECT_TRUE(unit.SwapColumns());
    EXPECT_EQ(unit.RowCount(), 0);
    EXPECT_EQ(unit.AnsweredCount(), 0);
}

TEST(TrainingUnitFile, FailuresLeaveAUsableUnit) {
    TempFolder folder;
    TrainingUnit unit = FrenchUnit();
    EXPECT_FALSE(unit.SaveUnit(folder / "missing" / "u.lxt", "/d.lxd"));
    EXPECT_EQ(unit.RowCount(), 2);
    EXPECT_TRUE(unit.IsModified());

    const UnitLoadResult loaded = unit.LoadUnit(folder / "missing.lxt");
    EXPECT_FALSE(loaded.read);
    EXPECT_TRUE(loaded.dictionary.empty());
    EXPECT_EQ(unit.RowCount(), 0);
    EXPECT_EQ(unit.AnsweredCount(), 0);
    // After a failed load entries can be added at once.
    EXPECT_TRUE(unit.AddEntry(5));
    EXPECT_EQ(unit.EntryRow(0), 5);
}

TEST(TrainingUnitFile, HostileFilesLoadSafely) {
    TempFolder folder;
    TrainingUnit unit;
    // Huge and negative counters, entry rows that no dictionary has, an odd options cell.
    WriteBytes(
        folder / "a.lxt",
        UnitDocument({{"99999999999", "+", "99999999999", "-4", "x"}, {"-3", ""}, {"x", "0xFFLXROFF", "", "1\xff"}}));
    UnitLoadResult loaded = unit.LoadUnit(folder / "a.lxt");
    EXPECT_TRUE(loaded.marked);
    EXPECT_TRUE(loaded.dictionary.empty());
    EXPECT_TRUE(unit.SwapColumns() && !unit.BothDirections());
    EXPECT_EQ(unit.EntryRow(0), INT_MAX);
    EXPECT_EQ(unit.EntryRow(1), -3);
    EXPECT_EQ(unit.AnsweredCount(), INT_MAX);
    EXPECT_EQ(unit.WrongCount(), 0);
    EXPECT_TRUE(unit.MarkWrong(1)); // counters stay in range
    EXPECT_EQ(unit.AnsweredCount(), INT_MAX);

    // Fewer or more columns than a unit has: every row still has a visible mark column.
    WriteBytes(folder / "b.lxt", "<CT_ROWS>2</CT_ROWS><CT_COLUMNS>1</CT_COLUMNS><CT_R><CT_C=1>3</CT_C>"
                                 "<CT_R><CT_C=1>4</CT_C>");
    loaded = unit.LoadUnit(folder / "b.lxt");
    EXPECT_TRUE(loaded.read);
    EXPECT_EQ(unit.Entries().ColumnCount(), kUnitColumns);
    EXPECT_TRUE(unit.MarkCorrect(1));
    EXPECT_TRUE(unit.IsAnswered(1));

    // A marker in a row that is not the last is an ordinary row; a document announcing more rows than
    // it holds loads those it has.
    WriteBytes(folder / "c.lxt", UnitDocument({{"", "0xFFLXROFF", "/x.lxd"}, {"7"}}, 2000000000));
    loaded = unit.LoadUnit(folder / "c.lxt");
    EXPECT_FALSE(loaded.marked);
    EXPECT_EQ(unit.RowCount(), 2);
}

} // namespace
} // namespace lexaro
