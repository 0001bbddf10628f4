#include "EntryStoreTestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lexaro {
namespace {

std::vector<std::string> Column(const ClassTable& table) {
    std::vector<std::string> cells;
    for (int r = 0; r < table.RowCount(); ++r) {
        cells.push_back(table.PeekCell(0, r));
    }
    return cells;
}

TEST(EntryStoreExamples, MainExplanationIsTheTextBeforeTheAdditionalPart) {
    EXPECT_EQ(EntryStore::MainExplanation("to run<add_exp><exp_pos>I run</exp_pos></add_exp>"), "to run");
    EXPECT_EQ(EntryStore::MainExplanation("to run, to hurry"), "to run, to hurry");
    EXPECT_EQ(EntryStore::MainExplanation("<add_exp>only examples</add_exp>"), "");
    // Tags are exact bytes: another letter case is plain text.
    EXPECT_EQ(EntryStore::MainExplanation("a<ADD_EXP>b"), "a<ADD_EXP>b");

    test::Fixture f;
    f.Fill({{"run<add_exp>x", "to run<add_exp>y", "d"}});
    EXPECT_EQ(f.store.MainCell(0, 0), "run");
    EXPECT_EQ(f.store.MainCell(1, 0), "to run");
    EXPECT_EQ(f.store.MainCell(1, 5), "");
}

TEST(EntryStoreExamples, ExampleBlockNeedsTheAdditionalPartAndOneCompleteExample) {
    EXPECT_TRUE(EntryStore::HasExampleBlock("go<add_exp><exp_pos>I go</exp_pos></add_exp>"));
    EXPECT_TRUE(EntryStore::HasExampleBlock("go<add_exp><exp_neg>I went</exp_neg></add_exp>"));
    EXPECT_TRUE(EntryStore::HasExampleBlock("go<add_exp><exp_pos>a</exp_pos><exp_neg>b</exp_neg></add_exp>"));

    EXPECT_FALSE(EntryStore::HasExampleBlock("go"));
    EXPECT_FALSE(EntryStore::HasExampleBlock("go<exp_pos>I go</exp_pos>"));
    EXPECT_FALSE(EntryStore::HasExampleBlock("go<exp_pos>I go</exp_pos><add_exp></add_exp>"));
    EXPECT_FALSE(EntryStore::HasExampleBlock("go<add_exp></add_exp>"));
    EXPECT_FALSE(EntryStore::HasExampleBlock("go<add_exp><exp_pos>unclosed<exp_neg>too</add_exp>"));
    EXPECT_FALSE(EntryStore::HasExampleBlock("go<add_exp></exp_pos>reversed<exp_pos></add_exp>"));
}

TEST(EntryStoreExamples, ExtractsEachKindInOrderAsWritten) {
    const std::string text = "go<add_exp><exp_pos> I go </exp_pos><exp_neg>I goes</exp_neg>"
                             "<exp_pos>we go</exp_pos><exp_neg></exp_neg></add_exp>";
    ClassTable target;
    EXPECT_TRUE(EntryStore::ExtractExamples(text, true, target));
    EXPECT_EQ(target.ColumnCount(), 1);
    EXPECT_EQ(Column(target), (std::vector<std::string>{" I go ", "we go"}));

    EXPECT_TRUE(EntryStore::ExtractExamples(text, false, target));
    EXPECT_EQ(Column(target), (std::vector<std::string>{"I goes", ""}));
}

TEST(EntryStoreExamples, NegativeExamplesWithoutPositiveOnes) {
    ClassTable target;
    EXPECT_TRUE(EntryStore::ExtractExamples("go<add_exp><exp_neg>went</exp_neg></add_exp>", false, target));
    EXPECT_EQ(Column(target), (std::vector<std::string>{"went"}));
    EXPECT_TRUE(EntryStore::ExtractExamples("go<add_exp><exp_neg>went</exp_neg></add_exp>", true, target));
    EXPECT_EQ(target.RowCount(), 0);
}

TEST(EntryStoreExamples, TargetIsResetAndIncompleteExamplesAreLeftOut) {
    ClassTable target;
    target.Resize(3, 0);
    target.AddRows(4);
    target.SetCell(0, 0, "stale");
    // Examples before the additional part do not count; an unclosed last one ends the list.
    const std::string text = "<exp_pos>before</exp_pos>go<add_exp><exp_pos>one</exp_pos><exp_pos>open";
    EXPECT_TRUE(EntryStore::ExtractExamples(text, true, target));
    EXPECT_EQ(target.ColumnCount(), 1);
    EXPECT_EQ(Column(target), (std::vector<std::string>{"one"}));

    EXPECT_FALSE(EntryStore::ExtractExamples("no examples", true, target));
    EXPECT_EQ(target.ColumnCount(), 1);
    EXPECT_EQ(target.RowCount(), 0);
}

} // namespace
} // namespace lexaro
