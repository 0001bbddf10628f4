#include "TrainingTestSupport.h"
#include "training/TrainingDictionary.h"
#include "training/TrainingLists.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

ClassTable Words() {
    return test::Dictionary({{"abc", "x<add_exp>y</add_exp>"}, {"ab", "b"}, {"Abc", "c"}, {"cab", "d"}});
}

std::vector<int> EntryRows(const TrainingUnit& unit) {
    std::vector<int> rows;
    for (int row = 0; row < unit.RowCount(); ++row) {
        rows.push_back(unit.EntryRow(row));
    }
    return rows;
}

TEST(TrainingSetupLists, PositionsTextsAndMarks) {
    const ClassTable entries = Words();
    EXPECT_EQ(AvailableCount(4, true), 8);
    EXPECT_EQ(AvailableText(entries, 5, true, false, false), "b");
    EXPECT_EQ(AvailableText(entries, 0, false, true, true), "x");
    EXPECT_EQ(AvailableText(entries, 0, false, false, true), "abc");

    TrainingUnit unit;
    unit.SetBothDirections(true);
    AddSelected(unit, {5, 0, 9}, entries.RowCount(), -1); // a second-half position adds the same entry
    EXPECT_EQ(EntryRows(unit), (std::vector<int>{1, 0}));
    unit.AddEntry(42);
    EXPECT_EQ(TrainingText(unit, entries, 4, false), "x<add_exp>y</add_exp>");
    EXPECT_EQ(TrainingText(unit, entries, 2, false), ""); // an entry the dictionary does not have
    unit.MarkWrong(0);
    EXPECT_EQ((std::vector<std::string>{SolvedText(unit, 0), SolvedText(unit, 3), SolvedText(unit, 1)}),
              (std::vector<std::string>{"-", "0", "0"}));
    unit.SetBothDirections(false);
    EXPECT_EQ(SolvedText(unit, 0), "- ");
}

TEST(TrainingSetupCommands, AddAllWithFilterInsertAndRemove) {
    const ClassTable entries = Words();
    TrainingUnit unit;
    unit.AddEntry(3);
    unit.MarkCorrect(0);
    AddAll(unit, entries, std::string("ab"), false);
    EXPECT_EQ(EntryRows(unit), (std::vector<int>{0, 1}));
    EXPECT_EQ(unit.AnsweredCount(), 0);
    AddAll(unit, entries, std::string("x<"), true);
    EXPECT_EQ(EntryRows(unit), (std::vector<int>{0}));
    AddAll(unit, entries, std::nullopt, false);
    EXPECT_EQ(EntryRows(unit), (std::vector<int>{0, 1, 2, 3}));

    AddSelected(unit, {3, 2}, entries.RowCount(), 1); // in the order of the selection
    EXPECT_EQ(EntryRows(unit), (std::vector<int>{0, 3, 2, 1, 2, 3}));

    unit.SetBothDirections(true);
    RemoveSelected(unit, {1, 7, 5, 99}); // rows 1 and 5, row 1 selected in both halves
    EXPECT_EQ(EntryRows(unit), (std::vector<int>{0, 2, 1, 2}));

    EXPECT_EQ(ShownCharactersSetting(true, " 12x"), 12);
    EXPECT_EQ(ShownCharactersSetting(true, "abc"), 0);
    EXPECT_EQ(ShownCharactersSetting(false, "3"), -1);
}

TEST(TrainingSetupCommands, TitlesAndTheDictionaryCheck) {
    EXPECT_EQ(LoadedUnitTitle("Training", "/home/u/verbs.lxt", "C:\\Voc\\French.lxd"),
              "Training - verbs.lxt [French.lxd]");
    EXPECT_EQ(UnitTitle("Training", "verbs.lxt"), "Training - verbs.lxt");

    UnitLoadResult loaded;
    EXPECT_EQ(CheckDictionary(loaded, "/d/French.lxd", true), DictionaryAction::Keep);
    loaded.dictionary = "/d/French.lxd";
    EXPECT_EQ(CheckDictionary(loaded, "/d/French.lxd", false), DictionaryAction::Keep);
    EXPECT_EQ(CheckDictionary(loaded, "/d/french.lxd", false), DictionaryAction::Ask);
    EXPECT_EQ(CheckDictionary(loaded, "/d//French.lxd", true), DictionaryAction::Load);
}

TEST(TrainingSetupDictionary, TheOpenDictionaryStaysAsItWas) {
    test::TempFolder folder;
    ClassTable other = test::Dictionary({{"chat", "cat"}});
    ASSERT_TRUE(other.SaveDocumentFile(folder / "French.lxd"));

    ClassTable open = test::Dictionary({{"Haus", "house"}});
    open.SetCell(0, 1, "unsaved");
    open.SetModified(true);
    open.SetFileName(folder / "German.lxd");
    TrainingDictionary dictionary(open, folder / "German.lxd");

    EXPECT_FALSE(dictionary.Load(folder / "missing.lxd"));
    EXPECT_FALSE(dictionary.Switched());
    EXPECT_EQ(&dictionary.Entries(), &open);

    ASSERT_TRUE(dictionary.Load(folder / "French.lxd"));
    EXPECT_TRUE(dictionary.Switched());
    EXPECT_EQ(dictionary.Path(), folder / "French.lxd");
    EXPECT_EQ(dictionary.Entries().PeekCell(0, 0), "chat");
    EXPECT_EQ(dictionary.Entries().ColumnCount(), 3);

    EXPECT_EQ(open.PeekCell(0, 0), "Haus");
    EXPECT_EQ(open.StoredRowCount(), 2);
    EXPECT_TRUE(open.IsModified());
    EXPECT_EQ(open.FileName(), folder / "German.lxd");

    // A unit of the open dictionary trains on it again, as it is in memory.
    ASSERT_TRUE(dictionary.Load(folder / "German.lxd"));
    EXPECT_EQ(&dictionary.Entries(), &open);
}

} // namespace
} // namespace lexaro
