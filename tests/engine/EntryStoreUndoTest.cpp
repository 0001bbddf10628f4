#include "EntryStoreTestSupport.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::Fixture;
using test::Rows;
using test::Snapshot;

constexpr const char* kOld = "2001-01-01 00:00:00";

Rows SixEntries() {
    return {{"alpha", "first", "2001-01-01 00:00:01"}, {"beta", "second", "2001-01-01 00:00:02"},
            {"go", "third", "2001-01-01 00:00:03"},    {"delta", "fourth", "2001-01-01 00:00:04"},
            {"GO", "fifth", "2001-01-01 00:00:05"},    {"omega", "sixth", "2001-01-01 00:00:06"}};
}

TEST(EntryStoreUndo, AddIsTakenBackAndTheLogEmptied) {
    Fixture f;
    f.Fill({{"apple", "fruit", kOld}});
    f.store.StoreEntry("tree", "plant");
    EXPECT_TRUE(f.store.UndoChanges(0));
    EXPECT_EQ(Snapshot(f.store.Entries()), (Rows{{"apple", "fruit", kOld}}));
    EXPECT_EQ(f.store.UndoLog().RowCount(), 0);
}

TEST(EntryStoreUndo, DeletedEntryComesBackAtItsIndex) {
    Fixture f;
    const Rows before = SixEntries();
    f.Fill(before);
    f.store.DeleteEntries("delta");
    EXPECT_TRUE(f.store.UndoChanges(0));
    EXPECT_EQ(Snapshot(f.store.Entries()), before);

    f.store.DeleteEntries("omega");
    EXPECT_TRUE(f.store.UndoChanges(0));
    EXPECT_EQ(Snapshot(f.store.Entries()), before);
}

TEST(EntryStoreUndo, EmptyLogReportsFalseAndChangesNothing) {
    Fixture f;
    f.Fill(SixEntries());
    EXPECT_FALSE(f.store.UndoChanges(0));
    EXPECT_EQ(Snapshot(f.store.Entries()), SixEntries());
}

TEST(EntryStoreUndo, MixedGroupRestoresTheTableExactly) {
    Fixture f;
    const Rows before = SixEntries();
    f.Fill(before);
    f.store.SetMultiDelete(true);
    f.store.SetDoAutoAdd(true);
    f.SetTime(10, 0, 0);

    f.store.StoreEntry("new1", "added");
    f.store.StoreEntry("go", "merged"); // merges into row 2
    f.store.SetCurrentRow(1);
    f.store.ModifyEntry("BETA", "renamed");
    f.store.StoreEntry("Go", "appended"); // merges again
    f.store.SetNoMultiTerms(false);
    f.store.StoreEntry("gO", "third go"); // appended: now three go rows
    f.store.DeleteEntries("go");          // removes rows 2, 4 and the appended one
    f.store.DeleteEntries("alpha");       // first row
    f.store.StoreEntry("new2", "added");
    f.store.DeleteEntries("new1");
    f.store.SetCurrentRow(0);
    f.store.ModifyEntry("b", "again");
    ASSERT_EQ(f.store.UndoLog().RowCount(), 12);
    ASSERT_NE(Snapshot(f.store.Entries()), before);

    EXPECT_TRUE(f.store.UndoChanges(0));
    EXPECT_EQ(Snapshot(f.store.Entries()), before);
    EXPECT_EQ(f.store.UndoLog().RowCount(), 0);
    EXPECT_FALSE(f.store.UndoChanges(0));
}

TEST(EntryStoreUndo, ReplacingAnEntryIsUndoneWithItsOldTermAndDate) {
    Fixture f;
    f.Fill({{"house", "building", kOld}});
    f.SetTime(12, 0, 0);
    f.store.StoreEntry("House", "home");
    EXPECT_TRUE(f.store.UndoChanges(0));
    EXPECT_EQ(Snapshot(f.store.Entries()), (Rows{{"house", "building", kOld}}));
}

TEST(EntryStoreUndo, OnlyTheNamedGroupIsReverted) {
    Fixture f;
    f.Fill({{"a", "1", kOld}, {"b", "2", kOld}});
    f.store.StoreEntry("c", "3");
    ASSERT_TRUE(f.store.LogChange(0, kUndoModify, 4));
    f.store.Entries().SetCell(1, 0, "changed");

    EXPECT_FALSE(f.store.UndoChanges(7));
    EXPECT_TRUE(f.store.UndoChanges(4));
    EXPECT_EQ(f.store.Entries().PeekCell(1, 0), "1");
    EXPECT_EQ(f.store.Entries().RowCount(), 3);
    ASSERT_EQ(f.store.UndoLog().RowCount(), 1);
    EXPECT_EQ(f.store.UndoLog().PeekCell(5, 0), "0");
}

TEST(EntryStoreUndo, LogRowsOutsideTheTableAreSkipped) {
    Fixture f;
    f.Fill({{"a", "1", kOld}, {"b", "2", kOld}});
    f.store.StoreEntry("c", "3");
    // Changed behind the log's back: the logged add now points past the last entry.
    f.store.Entries().DeleteRow(2);
    f.store.LogChange(40, kUndoModify, 0);
    f.store.LogChange(-3, kUndoDelete, 0);
    EXPECT_TRUE(f.store.UndoChanges(0));
    EXPECT_EQ(Snapshot(f.store.Entries()), (Rows{{"a", "1", kOld}, {"b", "2", kOld}}));
    EXPECT_EQ(f.store.Entries().StoredRowCount(), 2);
    EXPECT_EQ(f.store.UndoLog().RowCount(), 0);
}

TEST(EntryStoreUndo, CurrentRowFollowsTheEntriesThatMove) {
    Fixture f;
    f.Fill({{"a", "1", kOld}, {"b", "2", kOld}, {"c", "3", kOld}});
    f.store.DeleteEntries("a");
    f.store.SetCurrentRow(1); // "c"
    f.store.UndoChanges(0);
    EXPECT_EQ(f.store.CurrentRow(), 2);
    EXPECT_EQ(f.store.Entries().PeekCell(0, 2), "c");

    const int added = f.store.StoreEntry("d", "4");
    f.store.SetCurrentRow(added);
    f.store.UndoChanges(0);
    EXPECT_EQ(f.store.CurrentRow(), -1);
}

TEST(EntryStoreLog, BusyLogDoesNotOverwriteItsLastRow) {
    Fixture f;
    f.Fill({{"a", "1", kOld}, {"b", "2", kOld}});
    ASSERT_TRUE(f.store.LogChange(0, kUndoModify, 0));
    ASSERT_TRUE(f.store.UndoLog().AccessGuard(kGuardExclusive));
    EXPECT_FALSE(f.store.LogChange(1, kUndoDelete, 0));
    f.store.UndoLog().AccessGuard(kGuardRelease);
    ASSERT_EQ(f.store.UndoLog().RowCount(), 1);
    EXPECT_EQ(test::LogRow(f.store.UndoLog(), 0), (std::vector<std::string>{"a", "1", kOld, "0", "2", "0"}));
}

TEST(EntryStoreDictionaryReplaced, OldChangesAreNeverAppliedToTheNewDictionary) {
    Fixture f;
    f.Fill(SixEntries());
    f.store.StoreEntry("new", "entry");
    f.store.DeleteEntries("alpha");
    f.store.SetCurrentRow(4);

    // What a loader does: the table gets another dictionary's rows.
    ClassTable& table = f.store.Entries();
    table.Clear(true);
    table.Resize(3, 0);
    f.Fill({{"x", "1", kOld}, {"y", "2", kOld}});
    f.store.DictionaryReplaced();

    EXPECT_EQ(f.store.UndoLog().RowCount(), 0);
    EXPECT_EQ(f.store.UndoLog().ColumnCount(), 6);
    EXPECT_EQ(f.store.CurrentRow(), 0);
    EXPECT_FALSE(f.store.UndoChanges(0));
    EXPECT_EQ(Snapshot(table), (Rows{{"x", "1", kOld}, {"y", "2", kOld}}));

    // The new dictionary's own changes are logged and undone as usual.
    f.store.StoreEntry("z", "3");
    EXPECT_TRUE(f.store.UndoChanges(0));
    EXPECT_EQ(Snapshot(table), (Rows{{"x", "1", kOld}, {"y", "2", kOld}}));

    table.Clear(true);
    table.Resize(3, 0);
    f.store.DictionaryReplaced();
    EXPECT_EQ(f.store.CurrentRow(), -1);
}

TEST(EntryStoreReorder, SortKeepsTheCurrentEntryAndForgetsTheLog) {
    Fixture f;
    f.Fill({{"pear", "b", "2003"}, {"Apple", "c", "2001"}, {"fig", "a", "2002"}});
    f.store.StoreEntry("kiwi", "d");
    f.store.SetCurrentRow(0); // "pear"
    EXPECT_TRUE(f.store.SortEntries(9, true));
    EXPECT_EQ(f.store.Entries().PeekCell(0, 0), "Apple");
    EXPECT_EQ(f.store.Entries().PeekCell(0, 3), "pear");
    EXPECT_EQ(f.store.CurrentRow(), 3);
    EXPECT_EQ(f.store.UndoLog().RowCount(), 0);
    // An undo now would have removed whatever sorted into kiwi's old row.
    EXPECT_FALSE(f.store.UndoChanges(0));
    EXPECT_EQ(f.store.Entries().RowCount(), 4);

    f.store.SetCurrentRow(-1);
    EXPECT_TRUE(f.store.SortEntries(2, false));
    EXPECT_EQ(f.store.Entries().PeekCell(0, 1), "pear");
    EXPECT_EQ(f.store.Entries().PeekCell(0, 3), "Apple");
    EXPECT_EQ(f.store.CurrentRow(), -1);
}

TEST(EntryStoreReorder, SwapExchangesTermAndExplanationEverywhere) {
    Fixture f;
    f.Fill({{"a", "1", kOld}, {"b", "2", kOld}});
    f.store.StoreEntry("c", "3");
    f.store.Entries().SetModified(false);
    f.store.SwapColumns();
    EXPECT_EQ(Snapshot(f.store.Entries()),
              (Rows{{"1", "a", kOld}, {"2", "b", kOld}, {"3", "c", "2007-03-05 09:04:01"}}));
    EXPECT_TRUE(f.store.Entries().IsModified());
    EXPECT_EQ(f.store.UndoLog().RowCount(), 0);
}

TEST(EntryStoreUndo, ReplacedEntriesComeBackWithOneUndo) {
    for (const Rows& replacement : {Rows{{"alpha", "first", "2001-01-01 00:00:01"}, {"new", "neu", kOld}},
                                    Rows{{"x", "y", kOld},
                                         {"beta", "second", "2001-01-01 00:00:02"},
                                         {"go", "3", kOld},
                                         {"delta", "fourth", "2001-01-01 00:00:04"},
                                         {"GO", "5", kOld},
                                         {"o", "6", kOld},
                                         {"more", "mehr", kOld},
                                         {"last", "letzte", kOld}}}) {
        Fixture f;
        f.Fill(SixEntries());
        f.store.SetCurrentRow(5);
        ClassTable table;
        table.Resize(3, 0);
        for (const auto& row : replacement) {
            table.AddRows(1);
            for (int c = 0; c < 3; ++c) {
                table.SetCell(c, table.RowCount() - 1, row[static_cast<std::size_t>(c)]);
            }
        }
        EXPECT_GT(f.store.ReplaceEntries(table), 0);
        EXPECT_EQ(Snapshot(f.store.Entries()), replacement);
        EXPECT_LT(f.store.CurrentRow(), f.store.Entries().RowCount());
        EXPECT_TRUE(f.store.UndoChanges(0));
        EXPECT_EQ(Snapshot(f.store.Entries()), SixEntries());
        // Replacing the entries by themselves changes and logs nothing.
        EXPECT_EQ(f.store.ReplaceEntries(f.store.Entries()), 0);
        EXPECT_EQ(f.store.UndoLog().RowCount(), 0);
    }
}

} // namespace
} // namespace lexaro
