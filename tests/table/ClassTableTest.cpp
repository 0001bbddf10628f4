#include "table/ClassTable.h"

#include "table/AsciiFold.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using lexaro::ClassTable;

namespace {

// A sized table of the given columns whose column 0 holds the keys, one row each.
ClassTable TableWithKeys(const std::vector<std::string>& keys, int columns = 2) {
    ClassTable table;
    table.SetSize(columns, static_cast<int>(keys.size()));
    for (int r = 0; r < static_cast<int>(keys.size()); ++r) {
        table.SetCell(0, r, keys[static_cast<std::size_t>(r)]);
        for (int c = 1; c < columns; ++c) {
            table.SetCell(c, r, keys[static_cast<std::size_t>(r)] + "#" + std::to_string(c));
        }
    }
    return table;
}

std::vector<std::string> Column(ClassTable& table, int column) {
    std::vector<std::string> cells;
    for (int r = 0; r < table.RowCount(); ++r) {
        cells.push_back(table.GetCell(column, r));
    }
    return cells;
}

} // namespace

TEST(ClassTableState, NewTableHasTheDefaults) {
    ClassTable table;
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.ColumnCount(), 0);
    EXPECT_EQ(table.Charset(), 65001);
    EXPECT_EQ(table.FileCharset(), -2);
    EXPECT_EQ(table.Separator(), ";");
    EXPECT_FALSE(table.IsModified());
    EXPECT_TRUE(table.FileName().empty());
}

TEST(ClassTableState, SetSizeAppliesOnlyOnce) {
    ClassTable table;
    EXPECT_TRUE(table.SetSize(3, 0));
    EXPECT_EQ(table.ColumnCount(), 3);
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_TRUE(table.SetSize(5, 2));
    EXPECT_EQ(table.ColumnCount(), 3);
    EXPECT_EQ(table.RowCount(), 0);
}

TEST(ClassTableState, AddRowsNeedsASizedTableButAlwaysMarksModified) {
    ClassTable unsized;
    EXPECT_TRUE(unsized.AddRows(1));
    EXPECT_EQ(unsized.RowCount(), 0);
    EXPECT_TRUE(unsized.IsModified());

    ClassTable sized;
    sized.SetSize(2, 1);
    sized.AddRows(3);
    EXPECT_EQ(sized.RowCount(), 4);
    sized.AddRows(-2);
    EXPECT_EQ(sized.RowCount(), 4);
}

TEST(ClassTableState, ResizeRejectsBadSizesAndSizesAnUnsizedTable) {
    ClassTable table;
    EXPECT_FALSE(table.Resize(0, 3));
    EXPECT_FALSE(table.Resize(2, -1));
    EXPECT_EQ(table.ColumnCount(), 0);
    EXPECT_TRUE(table.Resize(2, 3));
    EXPECT_EQ(table.ColumnCount(), 2);
    EXPECT_EQ(table.RowCount(), 3);
    EXPECT_TRUE(table.Resize(4, 1));
    EXPECT_EQ(table.ColumnCount(), 4);
    EXPECT_EQ(table.RowCount(), 1);
}

TEST(ClassTableState, ClearDropsEverythingAndSetsTheFlagAsAsked) {
    ClassTable table = TableWithKeys({"a", "b"});
    table.SetFileName("/tmp/x.lxd");
    table.SetModified(false);
    EXPECT_TRUE(table.Clear(false));
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.ColumnCount(), 0);
    EXPECT_TRUE(table.IsModified());
    EXPECT_TRUE(table.FileName().empty());
    EXPECT_EQ(table.StoredRowCount(), 0);
    table.Clear(true);
    EXPECT_FALSE(table.IsModified());
    // After Clear the table can be sized again.
    table.SetSize(1, 1);
    EXPECT_EQ(table.ColumnCount(), 1);
}

TEST(ClassTableCells, StoreCellGrowsStorageButNotTheLogicalSize) {
    ClassTable table;
    EXPECT_TRUE(table.StoreCell(4, 7, "x"));
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.StoredRowCount(), 8);
    EXPECT_EQ(table.GetCell(4, 7), "");
    table.Resize(5, 8);
    EXPECT_EQ(table.GetCell(4, 7), "x");
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 5; ++c) {
            if (r != 7 || c != 4) {
                EXPECT_EQ(table.GetCell(c, r), "") << c << "," << r;
                EXPECT_EQ(table.CellLength(c, r), 0) << c << "," << r;
            }
        }
    }
}

TEST(ClassTableCells, ShrinkingHidesCellsAndGrowingShowsThemAgain) {
    ClassTable table = TableWithKeys({"a", "b", "c"});
    table.Resize(2, 1);
    EXPECT_EQ(table.GetCell(0, 2), "");
    EXPECT_EQ(table.CellLength(0, 2), -1);
    EXPECT_EQ(table.PeekCell(1, 1), "");
    table.Resize(1, 3);
    EXPECT_EQ(table.GetCell(1, 0), "");
    table.Resize(2, 3);
    EXPECT_EQ(Column(table, 0), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(table.GetCell(1, 2), "c#1");
}

TEST(ClassTableCells, ModifiedFlagFollowsStorageGrowthOnly) {
    ClassTable table;
    table.SetSize(2, 1);
    table.SetCell(0, 0, "a");
    table.SetModified(false);
    table.SetCell(0, 0, "b");
    EXPECT_FALSE(table.IsModified());
    table.SetCell(1, 0, "c");
    EXPECT_TRUE(table.IsModified());
    table.SetModified(false);
    table.SetCell(0, 3, "d");
    EXPECT_TRUE(table.IsModified());
}

TEST(ClassTableCells, OutOfRangeReadsAreEmpty) {
    ClassTable table = TableWithKeys({"a"});
    EXPECT_EQ(table.CellLength(-1, 0), -1);
    EXPECT_EQ(table.CellLength(0, -1), -1);
    EXPECT_EQ(table.CellLength(2, 0), -1);
    EXPECT_EQ(table.CellLength(0, 1), -1);
    EXPECT_EQ(table.GetCell(0, 5), "");
    EXPECT_EQ(table.GetCellInt(7, 7), 0);
    table.Resize(2, 2);
    EXPECT_EQ(table.CellLength(0, 1), -1) << "a row inside the size but not stored";
}

TEST(ClassTableCells, GetCellIntParsesLikeStrtol) {
    ClassTable table;
    table.SetSize(1, 6);
    const std::vector<std::string> texts{"  42", "-7", "12abc", "abc", "", "+5"};
    for (int r = 0; r < 6; ++r) {
        table.SetCell(0, r, texts[static_cast<std::size_t>(r)]);
    }
    EXPECT_EQ(table.GetCellInt(0, 0), 42);
    EXPECT_EQ(table.GetCellInt(0, 1), -7);
    EXPECT_EQ(table.GetCellInt(0, 2), 12);
    EXPECT_EQ(table.GetCellInt(0, 3), 0);
    EXPECT_EQ(table.GetCellInt(0, 4), 0);
    EXPECT_EQ(table.GetCellInt(0, 5), 5);
    table.SetCellInt(0, 0, -123);
    EXPECT_EQ(table.GetCell(0, 0), "-123");
}

TEST(ClassTableGuard, ExclusiveHolderBlocksOthers) {
    ClassTable table = TableWithKeys({"a"});
    ASSERT_TRUE(table.AccessGuard(lexaro::kGuardExclusive));
    EXPECT_EQ(table.GetCell(0, 0), "");
    EXPECT_FALSE(table.SetCell(0, 0, "z"));
    EXPECT_FALSE(table.AccessGuard(lexaro::kGuardShared));
    EXPECT_FALSE(table.AccessGuard(lexaro::kGuardExclusive));
    EXPECT_EQ(table.FindRow(0, 0, "a", 0), -1);
    EXPECT_FALSE(table.Resize(3, 3));
    EXPECT_TRUE(table.AccessGuard(lexaro::kGuardRelease));
    EXPECT_EQ(table.GetCell(0, 0), "a");
    EXPECT_EQ(table.ColumnCount(), 2);
}

TEST(ClassTableGuard, ReadersShareAndBlockWritersUntilAllRelease) {
    ClassTable table = TableWithKeys({"a"});
    ASSERT_TRUE(table.AccessGuard(lexaro::kGuardShared));
    ASSERT_TRUE(table.AccessGuard(lexaro::kGuardShared));
    EXPECT_EQ(table.GetCell(0, 0), "a");
    EXPECT_FALSE(table.SetCell(0, 0, "b"));
    table.AccessGuard(lexaro::kGuardRelease);
    EXPECT_FALSE(table.SetCell(0, 0, "b"));
    table.AccessGuard(lexaro::kGuardRelease);
    EXPECT_TRUE(table.SetCell(0, 0, "b"));
    EXPECT_TRUE(table.AccessGuard(99));
}

TEST(ClassTableRows, InsertRowOnlyBeforeStoredRows) {
    ClassTable table = TableWithKeys({"a", "b"});
    EXPECT_FALSE(table.InsertRow(2));
    EXPECT_FALSE(table.InsertRow(-1));
    EXPECT_EQ(table.RowCount(), 2);
    EXPECT_TRUE(table.InsertRow(1));
    EXPECT_EQ(Column(table, 0), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(table.CellLength(1, 1), 0);
}

TEST(ClassTableRows, DeleteRowRemovesAndShifts) {
    ClassTable table = TableWithKeys({"a", "b", "c"});
    table.SetModified(false);
    EXPECT_TRUE(table.DeleteRow(1));
    EXPECT_EQ(Column(table, 0), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(table.GetCell(1, 1), "c#1");
    table.SetModified(false);
    EXPECT_FALSE(table.DeleteRow(2));
    EXPECT_FALSE(table.DeleteRow(-3));
    EXPECT_EQ(table.RowCount(), 2);
    EXPECT_TRUE(table.IsModified());
}

TEST(ClassTableRows, DeletingAHiddenRowKeepsTheVisibleRowCount) {
    ClassTable table = TableWithKeys({"a", "b", "c"});
    table.Resize(2, 1);
    EXPECT_TRUE(table.DeleteRow(2));
    EXPECT_EQ(table.RowCount(), 1);
    table.Resize(2, 2);
    EXPECT_EQ(table.GetCell(0, 1), "b");
}

TEST(ClassTableRows, AppendRowToCopiesOneRowIntoTheTarget) {
    ClassTable source = TableWithKeys({"a", "b"}, 3);
    ClassTable target;
    EXPECT_TRUE(source.AppendRowTo(1, target));
    EXPECT_TRUE(source.AppendRowTo(0, target));
    EXPECT_EQ(target.ColumnCount(), 3);
    EXPECT_EQ(target.RowCount(), 2);
    EXPECT_EQ(Column(target, 0), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(target.GetCell(2, 0), "b#2");
}

TEST(ClassTableSort, RangeIsClampedAndOnlyAsciiFolds) {
    ClassTable table = TableWithKeys({"b", "A", "a", "B", "\xc3\xa9", "Z", "z", "", "ab", "a"});
    ASSERT_TRUE(table.SortRows(0, true, -5, 1000));
    const auto keys = Column(table, 0);
    ASSERT_EQ(keys.size(), 10u);
    EXPECT_EQ(keys[0], "");
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(keys[static_cast<std::size_t>(i)] == "a" || keys[static_cast<std::size_t>(i)] == "A");
    }
    EXPECT_EQ(keys[4], "ab");
    EXPECT_TRUE((keys[5] == "b" && keys[6] == "B") || (keys[5] == "B" && keys[6] == "b"));
    EXPECT_EQ(keys[9], "\xc3\xa9") << "bytes above 0x7F sort after ASCII letters";
    EXPECT_TRUE(table.IsModified());
    for (int r = 0; r < 10; ++r) {
        EXPECT_EQ(table.GetCell(1, r), keys[static_cast<std::size_t>(r)] + "#1") << "rows move whole";
    }
}

TEST(ClassTableSort, DescendingPutsTheLargestKeysFirst) {
    ClassTable table = TableWithKeys({"b", "A", "a", "B"});
    table.SortRows(0, false, 0, 3);
    const auto keys = Column(table, 0);
    EXPECT_EQ(lexaro::FoldAsciiCopy(keys[0]), "b");
    EXPECT_EQ(lexaro::FoldAsciiCopy(keys[1]), "b");
    EXPECT_EQ(lexaro::FoldAsciiCopy(keys[2]), "a");
    EXPECT_EQ(lexaro::FoldAsciiCopy(keys[3]), "a");
}

TEST(ClassTableSort, RowsWithoutTheKeyCellSortAsEmpty) {
    ClassTable table;
    table.SetSize(2, 3);
    table.SetCell(0, 0, "m");
    table.SetCell(1, 1, "only an explanation");
    table.SetCell(0, 2, "c");
    table.SortRows(1, true, 0, 2);
    EXPECT_EQ(table.GetCell(1, 2), "only an explanation");
    table.SortRows(0, true, 0, 2);
    EXPECT_EQ(Column(table, 0), (std::vector<std::string>{"", "c", "m"}));
    EXPECT_EQ(table.GetCell(1, 0), "only an explanation");
}

TEST(ClassTableSort, OnlyTheGivenRangeMoves) {
    ClassTable table = TableWithKeys({"d", "c", "b", "a"});
    table.SortRows(0, true, 1, 2);
    EXPECT_EQ(Column(table, 0), (std::vector<std::string>{"d", "b", "c", "a"}));
}

TEST(ClassTableSort, LargeEqualAndPresortedInputsSortWithoutDeepRecursion) {
    const int rows = 300000;
    ClassTable equal;
    equal.SetSize(1, rows);
    ClassTable ascending;
    ascending.SetSize(1, rows);
    for (int r = 0; r < rows; ++r) {
        equal.StoreCell(0, r, "2024-01-01 00:00:00");
        char key[16];
        std::snprintf(key, sizeof key, "%08d", r);
        ascending.StoreCell(0, r, key);
    }
    ASSERT_TRUE(equal.SortRows(0, true, 0, rows - 1));
    ASSERT_TRUE(ascending.SortRows(0, false, 0, rows - 1));
    EXPECT_EQ(ascending.GetCell(0, 0), "00299999");
    for (int r = 1; r < rows; ++r) {
        ASSERT_LT(ascending.PeekCell(0, r), ascending.PeekCell(0, r - 1));
    }
}
