#include "EntryStoreTestSupport.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::Fixture;
using test::LogRow;
using test::Rows;
using test::Snapshot;
using Cells = std::vector<std::string>;

constexpr const char* kOld = "2001-01-01 00:00:00";
constexpr const char* kNow = "2024-11-30 14:05:09";

TEST(EntryStoreDateStamp, FormatsTheClockTimeWithLeadingZeros) {
    EXPECT_EQ(FormatDateStamp({2007, 3, 5, 9, 4, 1}), "2007-03-05 09:04:01");
    EXPECT_EQ(FormatDateStamp({1999, 12, 31, 23, 59, 59}), "1999-12-31 23:59:59");
    Fixture f;
    f.SetTime(14, 5, 9);
    EXPECT_EQ(f.store.DateStamp(), kNow);

    const LocalTime now = SystemClock().Now();
    EXPECT_GE(now.year, 2000);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_EQ(EntryStore().DateStamp().size(), 19u);
}

TEST(EntryStoreStore, NewTermIsAppendedWithTheCurrentDateAndLogged) {
    Fixture f;
    f.Fill({{"apple", "fruit", kOld}});
    f.SetTime(14, 5, 9);
    EXPECT_EQ(f.store.StoreEntry("tree", "plant"), 1);
    EXPECT_EQ(Snapshot(f.store.Entries()), (Rows{{"apple", "fruit", kOld}, {"tree", "plant", kNow}}));
    ASSERT_EQ(f.store.UndoLog().RowCount(), 1);
    EXPECT_EQ(LogRow(f.store.UndoLog(), 0), (Cells{"tree", "plant", kNow, "1", "0", "0"}));
}

TEST(EntryStoreStore, UniqueTermsReplaceTheEntryFoundIgnoringCase) {
    Fixture f;
    f.Fill({{"apple", "fruit", kOld}, {"house", "building", kOld}});
    f.store.SetCurrentRow(-1);
    f.SetTime(14, 5, 9);
    EXPECT_EQ(f.store.StoreEntry("House", "home"), 1);
    EXPECT_EQ(Snapshot(f.store.Entries()), (Rows{{"apple", "fruit", kOld}, {"House", "home", kNow}}));
    EXPECT_EQ(f.store.CurrentRow(), 1);
    // The log keeps the entry as it was, so undo can give it back.
    ASSERT_EQ(f.store.UndoLog().RowCount(), 1);
    EXPECT_EQ(LogRow(f.store.UndoLog(), 0), (Cells{"house", "building", kOld, "1", "2", "0"}));
}

TEST(EntryStoreStore, WithoutUniqueTermsTheSameTermIsAddedAgain) {
    Fixture f;
    f.store.SetNoMultiTerms(false);
    f.Fill({{"house", "building", kOld}});
    EXPECT_EQ(f.store.StoreEntry("house", "home"), 1);
    EXPECT_EQ(f.store.Entries().RowCount(), 2);
    EXPECT_EQ(f.store.Entries().PeekCell(1, 0), "building");
    EXPECT_EQ(f.store.Entries().PeekCell(1, 1), "home");
}

TEST(EntryStoreStore, AutoAddMergesANewExplanationOnce) {
    Fixture f;
    f.store.SetDoAutoAdd(true);
    f.Fill({{"go", "A", kOld}});
    f.SetTime(14, 5, 9);

    EXPECT_EQ(f.store.StoreEntry("GO", "A"), 0);
    EXPECT_EQ(Snapshot(f.store.Entries()), (Rows{{"go", "A", kOld}}));
    EXPECT_EQ(f.store.UndoLog().RowCount(), 0);

    EXPECT_EQ(f.store.StoreEntry("GO", "B"), 0);
    EXPECT_EQ(Snapshot(f.store.Entries()), (Rows{{"go", "A, B", kNow}}));
    ASSERT_EQ(f.store.UndoLog().RowCount(), 1);
    EXPECT_EQ(f.store.UndoLog().PeekCell(1, 0), "A");

    f.store.SetSeparator(" | ");
    f.store.StoreEntry("go", "C");
    EXPECT_EQ(f.store.Entries().PeekCell(1, 0), "A, B | C");
}

TEST(EntryStoreStore, AnUnsizedTableStillTakesTheEntryInThreeColumns) {
    Fixture f;
    f.store.Entries().Clear(true);
    EXPECT_EQ(f.store.StoreEntry("tree", "plant"), 0);
    EXPECT_EQ(f.store.Entries().ColumnCount(), 3);
    EXPECT_EQ(Snapshot(f.store.Entries()), (Rows{{"tree", "plant", "2007-03-05 09:04:01"}}));
}

TEST(EntryStoreStore, BusyTableAddsNothingAndLogsNothing) {
    Fixture f;
    f.Fill({{"apple", "fruit", kOld}});
    ASSERT_TRUE(f.store.Entries().AccessGuard(kGuardExclusive));
    EXPECT_EQ(f.store.StoreEntry("tree", "plant"), -1);
    f.store.Entries().AccessGuard(kGuardRelease);
    EXPECT_EQ(Snapshot(f.store.Entries()), (Rows{{"apple", "fruit", kOld}}));
    EXPECT_EQ(f.store.UndoLog().RowCount(), 0);
}

TEST(EntryStoreModify, CurrentEntryIsChangedAndRenamedKeepingItsDate) {
    Fixture f;
    Rows rows;
    for (int i = 0; i < 9; ++i) {
        rows.push_back({"term" + std::to_string(i), "text", kOld});
    }
    f.Fill(rows);
    f.store.SetCurrentRow(7);
    f.SetTime(14, 5, 9);
    EXPECT_EQ(f.store.ModifyEntry("other", "new text"), 7);
    rows[7] = {"other", "new text", kOld};
    EXPECT_EQ(Snapshot(f.store.Entries()), rows);
    ASSERT_EQ(f.store.UndoLog().RowCount(), 1);
    EXPECT_EQ(LogRow(f.store.UndoLog(), 0), (Cells{"term7", "text", kOld, "7", "2", "0"}));
}

TEST(EntryStoreModify, WithoutCurrentEntryOnlyTheExactTermIsChangedInPlace) {
    Fixture f;
    f.Fill({{"apple", "fruit", kOld}, {"house", "building", kOld}});
    f.store.SetCurrentRow(-1);
    EXPECT_EQ(f.store.ModifyEntry("house", "home"), 1);
    EXPECT_EQ(Snapshot(f.store.Entries()), (Rows{{"apple", "fruit", kOld}, {"house", "home", kOld}}));
    EXPECT_EQ(f.store.CurrentRow(), -1);
}

TEST(EntryStoreModify, OtherLetterCaseHandsOverToStore) {
    Fixture unique;
    unique.Fill({{"house", "building", kOld}});
    unique.store.SetCurrentRow(-1);
    unique.SetTime(14, 5, 9);
    EXPECT_EQ(unique.store.ModifyEntry("HOUSE", "home"), 0);
    EXPECT_EQ(Snapshot(unique.store.Entries()), (Rows{{"HOUSE", "home", kNow}}));

    Fixture multi;
    multi.store.SetNoMultiTerms(false);
    multi.Fill({{"house", "building", kOld}});
    multi.store.SetCurrentRow(-1);
    EXPECT_EQ(multi.store.ModifyEntry("HOUSE", "home"), 1);
    EXPECT_EQ(multi.store.Entries().RowCount(), 2);
    EXPECT_EQ(multi.store.Entries().PeekCell(1, 0), "building");
}

TEST(EntryStoreModify, CurrentRowPastTheTableCountsAsNoCurrentEntry) {
    Fixture f;
    f.Fill({{"apple", "fruit", kOld}, {"pear", "fruit", kOld}});
    f.store.SetCurrentRow(2);
    EXPECT_EQ(f.store.ModifyEntry("pear", "green fruit"), 1);
    EXPECT_EQ(f.store.Entries().PeekCell(1, 1), "green fruit");
    EXPECT_EQ(f.store.Entries().RowCount(), 2);

    f.store.SetCurrentRow(-1);
    EXPECT_EQ(f.store.ModifyEntry("plum", "fruit too"), 2);
    EXPECT_EQ(f.store.Entries().RowCount(), 3);
}

TEST(EntryStoreDelete, MultiDeleteRemovesEveryOccurrenceInAnyCase) {
    Fixture f;
    f.store.SetMultiDelete(true);
    f.Fill({{"go", "1", kOld}, {"stay", "2", kOld}, {"GO", "3", kOld}, {"Go", "4", kOld}, {"run", "5", kOld}});
    f.store.SetCurrentRow(-1);
    f.store.DeleteEntries("go");
    EXPECT_EQ(Snapshot(f.store.Entries()), (Rows{{"stay", "2", kOld}, {"run", "5", kOld}}));
    // Each logged index is the row as it was when that one went.
    ASSERT_EQ(f.store.UndoLog().RowCount(), 3);
    EXPECT_EQ(LogRow(f.store.UndoLog(), 0), (Cells{"go", "1", kOld, "0", "1", "0"}));
    EXPECT_EQ(LogRow(f.store.UndoLog(), 1), (Cells{"GO", "3", kOld, "1", "1", "0"}));
    EXPECT_EQ(LogRow(f.store.UndoLog(), 2), (Cells{"Go", "4", kOld, "1", "1", "0"}));
}

TEST(EntryStoreDelete, WithoutMultiDeleteOnlyTheFirstGoes) {
    Fixture f;
    f.Fill({{"go", "1", kOld}, {"GO", "2", kOld}});
    f.store.DeleteEntries("Go");
    EXPECT_EQ(Snapshot(f.store.Entries()), (Rows{{"GO", "2", kOld}}));
    EXPECT_EQ(f.store.UndoLog().RowCount(), 1);

    f.store.DeleteEntries("missing");
    EXPECT_EQ(f.store.Entries().RowCount(), 1);
    EXPECT_EQ(f.store.UndoLog().RowCount(), 1);
}

TEST(EntryStoreDelete, CurrentRowStaysOnItsEntryOrBecomesNone) {
    Fixture f;
    f.Fill({{"a", "1", kOld}, {"b", "2", kOld}, {"c", "3", kOld}, {"d", "4", kOld}});
    f.store.SetCurrentRow(2);
    f.store.DeleteEntries("a");
    EXPECT_EQ(f.store.CurrentRow(), 1);
    EXPECT_EQ(f.store.Entries().PeekCell(0, 1), "c");

    f.store.DeleteEntries("c");
    EXPECT_EQ(f.store.CurrentRow(), -1);
    // Modify after that must not rename the entry that moved into the deleted one's place.
    f.store.ModifyEntry("x", "9");
    EXPECT_EQ(Snapshot(f.store.Entries()),
              (Rows{{"b", "2", kOld}, {"d", "4", kOld}, {"x", "9", "2007-03-05 09:04:01"}}));
}

TEST(EntryStoreDelete, RowThatCannotBeRemovedEndsTheLoopWithoutLogging) {
    Fixture f;
    f.store.SetMultiDelete(true);
    f.Fill({{"go", "1", kOld}, {"go", "2", kOld}});
    // Another reader holds the table: rows are found but cannot be removed.
    ASSERT_TRUE(f.store.Entries().AccessGuard(kGuardShared));
    f.store.DeleteEntries("go");
    f.store.Entries().AccessGuard(kGuardRelease);
    EXPECT_EQ(f.store.Entries().RowCount(), 2);
    EXPECT_EQ(f.store.UndoLog().RowCount(), 0);
}

TEST(EntryStoreAddIfNew, AddsOnlyUnknownTerms) {
    Fixture f;
    f.Fill({{"house", "building", kOld}});
    EXPECT_EQ(f.store.AddIfNew("HOUSE", "collected"), -1);
    EXPECT_EQ(Snapshot(f.store.Entries()), (Rows{{"house", "building", kOld}}));
    EXPECT_EQ(f.store.UndoLog().RowCount(), 0);

    EXPECT_EQ(f.store.AddIfNew("tree", "collected"), 1);
    EXPECT_EQ(f.store.Entries().PeekCell(1, 1), "collected");
    EXPECT_EQ(f.store.UndoLog().RowCount(), 1);
}

} // namespace
} // namespace lexaro
