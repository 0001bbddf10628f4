#include "training/TrainingUnit.h"

#include "TrainingTestSupport.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::ScriptedRandom;

TrainingUnit UnitOf(std::initializer_list<int> entryRows, bool both = false) {
    TrainingUnit unit;
    unit.SetBothDirections(both);
    for (const int row : entryRows) {
        unit.AddEntry(row);
    }
    unit.SetModified(false);
    return unit;
}

std::vector<std::string> Marks(const TrainingUnit& unit) {
    std::vector<std::string> marks;
    for (int row = 0; row < unit.RowCount(); ++row) {
        marks.push_back(unit.Mark(row));
    }
    return marks;
}

TEST(TrainingUnitMarks, OneDirectionMarksOnceAndCounts) {
    TrainingUnit unit = UnitOf({4, 9});
    EXPECT_EQ(unit.EntryRow(1), 9);
    EXPECT_TRUE(unit.MarkCorrect(0));
    EXPECT_TRUE(unit.MarkWrong(1));
    EXPECT_EQ(Marks(unit), (std::vector<std::string>{"+", "-"}));
    EXPECT_TRUE(unit.IsModified());
    EXPECT_TRUE(unit.IsComplete());

    // A question counts at most once; a row the unit does not have is never written.
    EXPECT_FALSE(unit.MarkCorrect(0));
    EXPECT_FALSE(unit.MarkWrong(7));
    EXPECT_FALSE(unit.MarkCorrect(-1));
    EXPECT_EQ(unit.Entries().StoredRowCount(), 2);
    EXPECT_EQ(unit.AnsweredCount(), 2);
    EXPECT_EQ(unit.CorrectCount(), 1);
    EXPECT_EQ(unit.WrongCount(), 1);
}

TEST(TrainingUnitMarks, BothDirectionsUseOneCharacterEach) {
    TrainingUnit unit = UnitOf({0, 1, 2}, true);
    ScriptedRandom random;
    EXPECT_EQ(unit.QuestionCount(), 6);
    unit.SetCurrentIndex(3);
    EXPECT_EQ(unit.NextQuestion(true, random), 1); // question 4 asks row 1 the other way round
    EXPECT_EQ(unit.Direction(), 1);
    EXPECT_TRUE(unit.MarkWrong(1));
    EXPECT_EQ(unit.Mark(1), " -");
    EXPECT_FALSE(unit.IsAnswered(1));
    EXPECT_TRUE(unit.IsAnswered(4));

    unit.SetCurrentIndex(0);
    EXPECT_EQ(unit.NextQuestion(true, random), 1);
    EXPECT_EQ(unit.Direction(), 0);
    EXPECT_TRUE(unit.MarkCorrect(1));
    EXPECT_EQ(unit.Mark(1), "+-");
    EXPECT_EQ(unit.AnsweredCount(), 2);
}

TEST(TrainingUnitMarks, IsAnsweredReadsMarksOfOtherForms) {
    TrainingUnit unit;
    // Read from a file, so that every form of mark is present.
    test::TempFolder folder;
    test::WriteBytes(folder / "marks.lxt",
                     test::UnitDocument({{"0", ""}, {"0", "0"}, {"0", "+"}, {"0", "0+"}, {"0", " -"}, {"0", "00"}}));
    unit.LoadUnit(folder / "marks.lxt");
    EXPECT_EQ((std::vector<bool>{unit.IsAnswered(0), unit.IsAnswered(1), unit.IsAnswered(2), unit.IsAnswered(3),
                                 unit.IsAnswered(4), unit.IsAnswered(5)}),
              (std::vector<bool>{false, false, true, true, true, true}));
    unit.SetBothDirections(true);
    // First half: character 0; second half: character 1, a one-character mark counting for both.
    EXPECT_EQ((std::vector<bool>{unit.IsAnswered(2), unit.IsAnswered(3), unit.IsAnswered(4), unit.IsAnswered(8),
                                 unit.IsAnswered(9), unit.IsAnswered(10), unit.IsAnswered(11)}),
              (std::vector<bool>{true, false, false, true, true, true, false}));
    EXPECT_FALSE(unit.IsAnswered(12));
}

TEST(TrainingUnitMarks, ReopenWrongResetAndClear) {
    test::TempFolder folder;
    test::WriteBytes(folder / "u.lxt",
                     test::UnitDocument({{"0", "-", "5", "3", "2"}, {"1", "-+"}, {"2", "+-"}, {"3", "+"}}));
    TrainingUnit unit;
    unit.LoadUnit(folder / "u.lxt");
    unit.SetBothDirections(true);
    unit.SetCurrentIndex(5);
    EXPECT_TRUE(unit.ReopenWrong());
    EXPECT_EQ(Marks(unit), (std::vector<std::string>{"0", "0+", "+0", "+"}));
    EXPECT_EQ(unit.WrongCount(), 0);
    EXPECT_EQ(unit.AnsweredCount(), 2);
    EXPECT_EQ(unit.CurrentIndex(), 0);
    EXPECT_FALSE(unit.ReopenWrong());

    unit.ResetAll();
    EXPECT_EQ(Marks(unit), (std::vector<std::string>{"0", "0", "0", "0"}));
    EXPECT_EQ(unit.Entries().PeekCell(kUnitAnsweredColumn, 0), "0");
    EXPECT_EQ(unit.AnsweredCount() + unit.CorrectCount() + unit.WrongCount(), 0);

    unit.ClearUnit();
    EXPECT_EQ(unit.RowCount(), 0);
    EXPECT_EQ(unit.Entries().ColumnCount(), kUnitColumns);
}

TEST(TrainingUnitMarks, OneDirectionReopensOnlyTheFirstCharacter) {
    test::TempFolder folder;
    test::WriteBytes(folder / "u.lxt", test::UnitDocument({{"0", "-", "2", "2", "0"}, {"1", "+-"}}));
    TrainingUnit unit;
    unit.LoadUnit(folder / "u.lxt");
    EXPECT_TRUE(unit.ReopenWrong());
    EXPECT_EQ(Marks(unit), (std::vector<std::string>{"0", "+-"}));
    EXPECT_EQ(unit.WrongCount(), 1);
}

TEST(TrainingUnitOptions, BothDirectionsAndSwapColumnsExcludeEachOther) {
    TrainingUnit unit;
    unit.SetSwapColumns(true);
    unit.SetBothDirections(true);
    EXPECT_FALSE(unit.SwapColumns());
    unit.SetSwapColumns(true);
    EXPECT_FALSE(unit.BothDirections());
    unit.SetBothDirections(false);
    EXPECT_TRUE(unit.SwapColumns());
}

TEST(TrainingUnitRows, AddInsertRemove) {
    TrainingUnit unit = UnitOf({1, 2});
    EXPECT_TRUE(unit.InsertEntry(1, 7));
    EXPECT_TRUE(unit.InsertEntry(3, 8)); // at the end it appends
    EXPECT_FALSE(unit.InsertEntry(9, 9));
    EXPECT_TRUE(unit.RemoveEntry(0));
    EXPECT_FALSE(unit.RemoveEntry(3));
    EXPECT_EQ((std::vector<int>{unit.EntryRow(0), unit.EntryRow(1), unit.EntryRow(2)}), (std::vector<int>{7, 2, 8}));
    EXPECT_EQ(unit.RowCount(), 3);
    EXPECT_TRUE(unit.IsModified());
}

TEST(TrainingUnitOrder, SequentialStaysAtBothEnds) {
    TrainingUnit unit = UnitOf({5, 6, 7});
    ScriptedRandom random;
    unit.SetCurrentIndex(-1);
    EXPECT_EQ(unit.NextQuestion(true, random), 0);
    EXPECT_EQ(unit.NextQuestion(false, random), 0);
    unit.NextQuestion(true, random);
    unit.NextQuestion(true, random);
    EXPECT_EQ(unit.NextQuestion(true, random), 2);
    EXPECT_TRUE(random.bounds.empty());

    unit.SetSwapColumns(true);
    unit.NextQuestion(true, random);
    EXPECT_EQ(unit.Direction(), 1);
    // Rows removed behind the index: the question on show is still one the unit has.
    unit.RemoveEntry(2);
    unit.RemoveEntry(1);
    EXPECT_EQ(unit.NextQuestion(true, random), 0);
}

TEST(TrainingUnitOrder, RandomDrawsOpenQuestions) {
    TrainingUnit unit = UnitOf({0, 1, 2});
    unit.SetRandomOrder(true);
    unit.MarkCorrect(1);
    ScriptedRandom random{1, 1, 2};
    EXPECT_EQ(unit.NextQuestion(false, random), 2); // two answered draws, then an open one
    EXPECT_EQ(random.bounds, (std::vector<int>{3, 3, 3}));

    unit.MarkCorrect(0);
    unit.MarkCorrect(2);
    EXPECT_EQ(unit.NextQuestion(true, random), 0); // all answered: the first, without drawing
    EXPECT_EQ(random.bounds.size(), 3u);
}

TEST(TrainingUnitOrder, RandomGivesUpAfterTheRedrawLimit) {
    TrainingUnit unit = UnitOf({0, 1});
    unit.SetRandomOrder(true);
    unit.MarkCorrect(1);
    ScriptedRandom random{1};
    for (int i = 0; i < kMaxRedraws; ++i) {
        random.script.push_back(1);
    }
    EXPECT_EQ(unit.NextQuestion(true, random), 0);
    EXPECT_EQ(random.bounds.size(), static_cast<std::size_t>(kMaxRedraws) + 1);

    // Counters that disagree with the marks (a hand-edited file): nothing open, so nothing to draw.
    test::TempFolder folder;
    test::WriteBytes(folder / "u.lxt", test::UnitDocument({{"0", "+", "0"}, {"1", "+"}}));
    unit.LoadUnit(folder / "u.lxt");
    EXPECT_EQ(unit.NextQuestion(true, random), 0);
    EXPECT_EQ(random.bounds.size(), static_cast<std::size_t>(kMaxRedraws) + 1);
}

TEST(TrainingUnitOrder, EmptyUnitHasNoQuestionToShow) {
    TrainingUnit unit;
    ScriptedRandom random;
    EXPECT_EQ(unit.NextQuestion(true, random), -1);
    unit.SetRandomOrder(true);
    EXPECT_EQ(unit.NextQuestion(true, random), -1);
    EXPECT_TRUE(random.bounds.empty());
    EXPECT_TRUE(unit.IsComplete());
}

} // namespace
} // namespace lexaro
