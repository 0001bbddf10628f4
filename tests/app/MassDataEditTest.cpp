#include "app/MassDataEdit.h"

#include "engine/EntryStore.h"
#include "engine/EntryStoreTestSupport.h"

#include <array>
#include <gtest/gtest.h>

namespace lexaro {
namespace {

constexpr std::string_view kStamp = "2024-03-05 09:04:01";

using test::Rows;
using test::Snapshot;
constexpr auto Fill = test::FillTable;

const Rows kBefore{{"house", "das Haus", "2001-01-01 00:00:00"},
                   {"tree", "der Baum", "2002-02-02 00:00:00"},
                   {"home", "Zuhause; Heim", "2003-03-03 00:00:00"}};

TEST(MassDataEdit, FindsTheEntriesTheTextCannotShow) {
    ClassTable entries;
    Fill(entries, kBefore);
    entries.SetCell(1, 0, "\nHaus");
    const UnfaithfulEntries found = FindUnfaithfulEntries(entries, ";", false);
    EXPECT_EQ(found.count, 2);
    EXPECT_EQ(found.firstRow, 0);
    EXPECT_EQ(FindUnfaithfulEntries(entries, "|", false).count, 1);

    MassDataFormat dated;
    dated.withDates = true;
    const std::string text = BuildMassDataText(entries, ";", true, "\n");
    EXPECT_TRUE(IsMassDataTextOf(entries, text, dated));
    EXPECT_FALSE(IsMassDataTextOf(entries, text, {}));
    EXPECT_FALSE(IsMassDataTextOf(entries, text + "x", dated));
}

TEST(MassDataEdit, OnlyNewAndChangedEntriesAreStampedAndOneUndoTakesTheEditBack) {
    EntryStore engine;
    Fill(engine.Entries(), kBefore);
    EXPECT_EQ(ApplyMassDataEdit(engine, "tree;der Baum;\nhouse;das Haus!;\nnew;neu;\n", {}, false, kStamp), 3);
    EXPECT_EQ(Snapshot(engine.Entries()), (Rows{{"tree", "der Baum", "2002-02-02 00:00:00"},
                                                {"house", "das Haus!", std::string(kStamp)},
                                                {"new", "neu", std::string(kStamp)}}));
    EXPECT_TRUE(engine.UndoChanges(0));
    EXPECT_EQ(Snapshot(engine.Entries()), kBefore);

    // A change above it leaves the entry holding the separator as it was.
    std::string shown = BuildMassDataText(engine.Entries(), ";", false, "\n");
    shown.replace(0, 1, "H");
    EXPECT_EQ(ApplyMassDataEdit(engine, shown, {}, false, kStamp), 1);
    EXPECT_EQ(Snapshot(engine.Entries()), (Rows{{"House", "das Haus", std::string(kStamp)}, kBefore[1], kBefore[2]}));
    EXPECT_TRUE(engine.UndoChanges(0));

    // Two equal entries lend their dates one each; typed dates are kept as typed.
    ClassTable before;
    Fill(before, {{"a", "b", "1"}, {"a", "b", "2"}});
    ClassTable edited;
    Fill(edited, {{"x", "y", "now"}, {"a", "b", "now"}, {"a", "b", "now"}, {"a", "b", "now"}});
    KeepDatesOfUnchangedEntries(before, 0, 2, edited);
    EXPECT_EQ(Snapshot(edited), (Rows{{"x", "y", "now"}, {"a", "b", "2"}, {"a", "b", "1"}, {"a", "b", "now"}}));

    MassDataFormat dated;
    dated.withDates = true;
    EXPECT_EQ(ApplyMassDataEdit(engine, "add;dazu;2000;\n", dated, true, kStamp), 1);
    EXPECT_EQ(engine.Entries().PeekCell(2, 3), "2000");
    EXPECT_TRUE(engine.UndoChanges(0));
    EXPECT_EQ(Snapshot(engine.Entries()), kBefore);
}

TEST(MassDataEdit, AddingNothingLeavesTheDictionaryUnmodified) {
    for (const char* text : {"", "\n", "\r\n\r\n", "\n\n\n"}) {
        EntryStore engine;
        Fill(engine.Entries(), kBefore);
        engine.Entries().SetModified(false);
        EXPECT_EQ(ApplyMassDataEdit(engine, text, {}, true, kStamp), 0) << text;
        EXPECT_EQ(Snapshot(engine.Entries()), kBefore);
        EXPECT_FALSE(engine.Entries().IsModified()) << text;
    }
}

} // namespace
} // namespace lexaro
