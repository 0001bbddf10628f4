#include "table/ClassTable.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using lexaro::ClassTable;

namespace {

// Rows "r0".."rN-1" in column 0 and "x0".. in column 1; the logical size may hide some of the stored rows
// or show rows that are not stored.
ClassTable Numbered(int stored, int visible) {
    ClassTable table;
    table.SetSize(2, 1);
    for (int r = 0; r < stored; ++r) {
        table.SetCell(0, r, "r" + std::to_string(r));
        table.SetCell(1, r, "x" + std::to_string(r));
    }
    table.Resize(2, visible);
    return table;
}

// Everything a reader can see of a table, stored rows beyond the logical size included.
struct Snapshot {
    int rows;
    int stored;
    std::vector<std::string> cells;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const ClassTable& table) {
    Snapshot shot{table.RowCount(), table.StoredRowCount(), {}};
    ClassTable copy = table;
    copy.Resize(2, copy.StoredRowCount() > copy.RowCount() ? copy.StoredRowCount() : copy.RowCount());
    for (int r = 0; r < copy.RowCount(); ++r) {
        shot.cells.push_back(copy.PeekCell(0, r) + "|" + copy.PeekCell(1, r));
    }
    return shot;
}

Snapshot OneByOne(ClassTable table, int first, int count) {
    for (int i = 0; i < count; ++i) {
        table.DeleteRow(first);
    }
    return Take(table);
}

} // namespace

TEST(ClassTableDeleteRows, EqualsDeletingRowByRow) {
    struct Case {
        int stored, visible, first, count;
    };
    // Middle, start, end, past the end, hidden stored rows, shown rows that are not stored, bad arguments.
    const std::vector<Case> cases = {{10, 10, 3, 4},  {10, 10, 0, 10}, {10, 10, 7, 3},  {10, 10, 8, 5},
                                     {10, 6, 4, 4},   {10, 6, 7, 2},   {5, 9, 3, 5},    {5, 9, 6, 2},
                                     {10, 10, -1, 3}, {10, 10, 2, 0},  {10, 10, 2, -4}, {0, 0, 0, 1}};
    for (const Case& c : cases) {
        ClassTable table = Numbered(c.stored, c.visible);
        const Snapshot expected = OneByOne(table, c.first, c.count);
        table.SetModified(false);
        const int removed = table.DeleteRows(c.first, c.count);
        SCOPED_TRACE(testing::Message() << c.stored << "/" << c.visible << " from " << c.first << " x" << c.count);
        EXPECT_EQ(Take(table), expected);
        EXPECT_EQ(removed, c.stored - Take(table).stored);
        EXPECT_TRUE(table.IsModified());
    }
}

TEST(ClassTableDeleteRows, HalfOfAMillionRowsInTheMiddle) {
    const int rows = 1000000;
    ClassTable table = Numbered(rows, rows);
    // A search before the removal lets the table keep a row index; it must not outlive the removal.
    EXPECT_EQ(table.FindRow(0, 0, "r750000", lexaro::kMatchExact), 750000);
    EXPECT_EQ(table.DeleteRows(250000, 500000), 500000);
    EXPECT_EQ(table.FindRow(0, 0, "r750000", lexaro::kMatchExact), 250000);
    EXPECT_EQ(table.FindRow(0, 0, "r300000", lexaro::kMatchExact), -1);
    ASSERT_EQ(table.RowCount(), 500000);
    EXPECT_EQ(table.PeekCell(0, 249999), "r249999");
    EXPECT_EQ(table.PeekCell(0, 250000), "r750000");
    EXPECT_EQ(table.PeekCell(1, 499999), "x999999");
}

TEST(ClassTableDeleteRows, ABusyTableIsLeftAlone) {
    ClassTable table = Numbered(4, 4);
    ASSERT_TRUE(table.AccessGuard(lexaro::kGuardShared));
    EXPECT_EQ(table.DeleteRows(0, 2), 0);
    EXPECT_EQ(table.RowCount(), 4);
    table.AccessGuard(lexaro::kGuardRelease);
}
