#include "app/EntryListTools.h"

#include "AppTestSupport.h"
#include "engine/EntryStore.h"
#include "engine/EntryStoreTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace lexaro {
namespace {

constexpr std::string_view kStamp = "2024-03-05 09:04:01";

ClassTable Entries(const test::Rows& rows) {
    ClassTable table;
    test::FillTable(table, rows);
    return table;
}

std::vector<std::string> Column(const ClassTable& table, int column) {
    std::vector<std::string> cells;
    for (int r = 0; r < table.RowCount(); ++r) {
        cells.push_back(table.PeekCell(column, r));
    }
    return cells;
}

using Cells = std::vector<std::string>;

TEST(MassDataText, WritesEveryFieldFollowedByTheSeparatorAndReadsItBack) {
    ClassTable table = Entries({{"house", "das Haus", "2007-03-05 09:04:01"}, {"tree", "der Baum", ""}});
    EXPECT_EQ(BuildMassDataText(table, ";", false), "house;das Haus;\r\ntree;der Baum;\r\n");
    EXPECT_EQ(BuildMassDataText(table, ";", true), "house;das Haus;2007-03-05 09:04:01;\r\ntree;der Baum;;\r\n");

    // Without dates every complete entry is stamped with the time of applying.
    ClassTable back;
    EXPECT_EQ(ApplyMassDataText(back, BuildMassDataText(table, ";", false, "\n"), ";", false, false, kStamp), 2);
    EXPECT_EQ(Column(back, 0), (Cells{"house", "tree"}));
    EXPECT_EQ(Column(back, 1), (Cells{"das Haus", "der Baum"}));
    EXPECT_EQ(Column(back, 2), (Cells{std::string(kStamp), std::string(kStamp)}));

    // With dates the typed date stays.
    ClassTable dated;
    ApplyMassDataText(dated, "a;b;2007-03-05 09:04:01;\r\n", ";", true, false, kStamp);
    EXPECT_EQ(Column(dated, 2), (Cells{"2007-03-05 09:04:01"}));
}

TEST(MassDataText, ScanRules) {
    ClassTable third;
    ApplyMassDataText(third, "a;b;c;\n", ";", false, false, kStamp);
    ASSERT_EQ(third.RowCount(), 1);
    EXPECT_EQ(third.PeekCell(2, 0), kStamp);

    ClassTable open;
    ApplyMassDataText(open, "a;b", ";", false, false, kStamp);
    ASSERT_EQ(open.RowCount(), 1);
    EXPECT_EQ(open.PeekCell(1, 0), "b");
    EXPECT_EQ(open.PeekCell(2, 0), "");

    ClassTable spread;
    ApplyMassDataText(spread, "x;first line\nsecond line;\n", ";", false, false, kStamp);
    ASSERT_EQ(spread.RowCount(), 1);
    EXPECT_EQ(spread.PeekCell(1, 0), "first line\nsecond line");

    ClassTable finalWord;
    ApplyMassDataText(finalWord, "a;b;\r\nlast", ";", false, false, kStamp);
    EXPECT_EQ(Column(finalWord, 0), (Cells{"a", "last"}));

    // Single lines: a line end ends the field as a separator would.
    ClassTable single;
    ApplyMassDataText(single, "x\ny;\n", ";", false, true, kStamp);
    ASSERT_EQ(single.RowCount(), 1);
    EXPECT_EQ(single.PeekCell(0, 0), "x");
    EXPECT_EQ(single.PeekCell(1, 0), "y");

    // Only the first character of a longer separator ends fields; an empty one falls back to ";".
    ClassTable longer;
    ApplyMassDataText(longer, "a|b|\n", "|#", false, false, kStamp);
    EXPECT_EQ(Column(longer, 1), (Cells{"b"}));
    ClassTable empty;
    EXPECT_EQ(ApplyMassDataText(empty, "a;b;\n", "", false, false, kStamp), 1);

    // Appending keeps what was there.
    ClassTable existing = Entries({{"old", "alt", "2001-01-01 00:00:00"}});
    EXPECT_EQ(ApplyMassDataText(existing, "new;neu;\n", ";", false, false, kStamp), 1);
    EXPECT_EQ(Column(existing, 0), (Cells{"old", "new"}));
    EXPECT_EQ(existing.PeekCell(2, 0), "2001-01-01 00:00:00");
}

TEST(MassDataText, ReportsProgressInFewRisingStepsWithoutChangingTheResult) {
    ClassTable table;
    table.Resize(3, 0);
    for (int r = 0; r < 10000; ++r) {
        table.SetCell(0, r, "term" + std::to_string(r));
        table.SetCell(1, r, "explanation\nover two lines " + std::to_string(r));
        table.AddRows(1);
    }
    std::vector<int> built;
    const std::string text = BuildMassDataText(table, ";", false, "\n", [&](int percent) { built.push_back(percent); });
    EXPECT_EQ(text, BuildMassDataText(table, ";", false, "\n"));

    std::vector<int> applied;
    ClassTable back;
    EXPECT_EQ(
        ApplyMassDataText(back, text, ";", false, false, kStamp, [&](int percent) { applied.push_back(percent); }),
        10000);
    EXPECT_EQ(back.PeekCell(1, 9999), "explanation\nover two lines 9999");
    for (const auto& reports : {built, applied}) {
        EXPECT_GE(reports.size(), 10u);
        EXPECT_LE(reports.size(), 51u);
        EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
        EXPECT_GE(reports.front(), 0);
        EXPECT_LE(reports.back(), 100);
    }

    // Separators far from the line ends, and none at all after some point, read as before.
    ClassTable sparse;
    EXPECT_EQ(ApplyMassDataText(sparse, "a;b\nc\nd\ne;f;\ng\nh", ";", false, true, kStamp), 3);
    EXPECT_EQ(Column(sparse, 0), (Cells{"a", "d", "g"}));
    EXPECT_EQ(Column(sparse, 1), (Cells{"b", "e", "h"}));
}

TEST(MassDataCheck, FlagsBlanksBesideTheSeparatorAndLinesWithoutOne) {
    EXPECT_EQ(CheckMassDataLine("house ;Haus;", ";", false), MassLineCheck::UnwantedChar);
    EXPECT_EQ(CheckMassDataLine("house; Haus;", ";", false), MassLineCheck::UnwantedChar);
    EXPECT_EQ(CheckMassDataLine("house;Haus;", ";", false), MassLineCheck::Fine);
    EXPECT_EQ(CheckMassDataLine("no separator", ";", false), MassLineCheck::Fine);
    EXPECT_EQ(CheckMassDataLine("no separator", ";", true), MassLineCheck::Error);

    const std::vector<std::string> text{"a;b;", "", "house ;Haus;", "x"};
    const LineSource lines = LineSource::Of(text);
    auto issue = FindMassDataIssue(lines, 0, ";", true, false);
    ASSERT_TRUE(issue);
    EXPECT_EQ(issue->first, 2);
    EXPECT_EQ(issue->second, MassLineCheck::UnwantedChar);
    issue = FindMassDataIssue(lines, 3, ";", true, false);
    ASSERT_TRUE(issue);
    EXPECT_EQ(issue->second, MassLineCheck::Error);
    EXPECT_EQ(FindMassDataIssue(lines, 3, ";", false, false)->second, MassLineCheck::Error);
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Cells{"a", "b", "c", "d"}));
}

// Each of these lost an entry or ran one into the next term.
TEST(MassDataText, EveryEntryArrivesWhateverTheEmptyLinesAndTheLastLineEnd) {
    ClassTable gap;
    EXPECT_EQ(ApplyMassDataText(gap, "a;b;\n\nc;d;", ";", false, false, kStamp), 2);
    EXPECT_EQ(Column(gap, 0), (Cells{"a", "c"}));
    EXPECT_EQ(Column(gap, 2), (Cells{std::string(kStamp), std::string(kStamp)}));
    ClassTable open;
    EXPECT_EQ(ApplyMassDataText(open, "a;b\n", ";", false, false, kStamp), 1);
    EXPECT_EQ(Column(open, 1), (Cells{"b"}));
}

TEST(MassDataCheck, FindsLinesThatRunIntoTheNextTermAndEntriesWithTooManyFields) {
    const std::vector<std::string> text{"house", "tree;Baum;", "x;first", "", "second;", "a;b;c;", "d;e;2001;"};
    const LineSource lines = LineSource::Of(text);
    EXPECT_EQ(FindMassDataIssue(lines, 0, ";", false, false), std::make_pair(0, MassLineCheck::Error));
    EXPECT_EQ(FindMassDataIssue(lines, 1, ";", false, false), std::make_pair(5, MassLineCheck::Error));
    EXPECT_EQ(FindMassDataIssue(lines, 6, ";", false, false), std::make_pair(6, MassLineCheck::Error));
    EXPECT_FALSE(FindMassDataIssue(lines, 1, ";", false, true));
    // With single lines a line end ends a field as well.
    const std::vector<std::string> single{"a;b", "c;d;"};
    EXPECT_EQ(FindMassDataIssue(LineSource::Of(single), 0, ";", true, false), std::make_pair(1, MassLineCheck::Error));
}

TEST(MassDataGoto, StarMatchesAtTheStartAndRepeatsContinueBelow) {
    const std::vector<std::string> text{"shoe;Schuh;", "house;Haus;", "home;Heim;"};
    const LineSource lines = LineSource::Of(text);
    LineFinder finder;
    EXPECT_EQ(finder.Next(lines, "ho*"), 1);
    EXPECT_EQ(finder.Next(lines, "ho*"), 2);
    EXPECT_EQ(finder.Next(lines, "ho*"), -1);
    EXPECT_EQ(finder.Next(lines, "ho*"), 1); // wrapped round
    EXPECT_EQ(finder.Next(lines, "ho"), 0);  // a new text starts at the top
    EXPECT_EQ(finder.Next(lines, "ho"), 1);
    EXPECT_EQ(finder.Next(lines, "Ho"), -1); // case matters
    EXPECT_EQ(finder.Next(lines, ""), -1);
}

TEST(EntryAppend, SkipsOrRenamesDuplicatesIgnoringCase) {
    ClassTable entries = Entries({{"House", "Haus", "2007-03-05 09:04:01"}, {"house", "Gebaeude", ""}});
    entries.SetModified(false);
    ClassTable file;
    file.Resize(2, 0);
    file.SetCell(0, 0, "HOUSE");
    file.SetCell(1, 0, "Haus 3");
    file.SetCell(0, 1, "tree");
    file.SetCell(1, 1, "Baum");
    file.AddRows(2);

    ClassTable skipping = entries;
    ClassTable copy = file;
    EXPECT_EQ(AppendImportedRows(skipping, copy, false, kStamp), 1);
    EXPECT_EQ(Column(skipping, 0), (Cells{"House", "house", "tree"}));
    EXPECT_EQ(skipping.ColumnCount(), 3);
    EXPECT_EQ(skipping.PeekCell(2, 0), "2007-03-05 09:04:01"); // existing dates survive the two-column file
    EXPECT_EQ(skipping.PeekCell(2, 2), kStamp);
    EXPECT_TRUE(skipping.IsModified());

    ClassTable renaming = entries;
    copy = file;
    EXPECT_EQ(AppendImportedRows(renaming, copy, true, kStamp), 2);
    EXPECT_EQ(Column(renaming, 0), (Cells{"House", "house", "HOUSE (1)", "tree"}));
    copy = file;
    AppendImportedRows(renaming, copy, true, kStamp);
    EXPECT_EQ(renaming.PeekCell(0, 4), "HOUSE (2)");
    EXPECT_EQ(renaming.PeekCell(0, 5), "tree (1)");
}

// With the term index in use, rows appended from the file are found by the check of the rows after them.
TEST(EntryAppend, FindsDuplicatesWithinTheFileInAnIndexedDictionary) {
    ClassTable entries = Entries({{"house", "Haus", "2007-03-05 09:04:01"}, {"cat", "Katze", ""}});
    entries.SetIndexMinRows(1);
    ClassTable file;
    file.Resize(2, 0);
    file.AddRows(4);
    const Cells terms{"tree", "TREE", "house", "tree"};
    for (int row = 0; row < 4; ++row) {
        file.SetCell(0, row, terms[static_cast<std::size_t>(row)]);
        file.SetCell(1, row, "x" + std::to_string(row));
    }

    ClassTable skipping = entries;
    ClassTable copy = file;
    EXPECT_EQ(AppendImportedRows(skipping, copy, false, kStamp), 1);
    EXPECT_EQ(Column(skipping, 0), (Cells{"house", "cat", "tree"}));
    EXPECT_EQ(skipping.PeekCell(1, 2), "x0");

    ClassTable renaming = entries;
    copy = file;
    EXPECT_EQ(AppendImportedRows(renaming, copy, true, kStamp), 4);
    EXPECT_EQ(Column(renaming, 0), (Cells{"house", "cat", "tree", "TREE (1)", "house (1)", "tree (2)"}));
    EXPECT_EQ(Column(renaming, 2), (Cells{"2007-03-05 09:04:01", std::string(kStamp), std::string(kStamp),
                                          std::string(kStamp), std::string(kStamp), std::string(kStamp)}));
    EXPECT_EQ(renaming.FindRow(0, 0, "tree (2)", 1), 5);
}

TEST(EntryExport, WritesTheChosenRowsWithoutDatesAndFailsVisibly) {
    test::TempFolder folder;
    ClassTable entries =
        Entries({{"a", "x<add_exp>more</add_exp>", "2007-03-05 09:04:01"}, {"b", "y", ""}, {"c", "z", ""}});
    ASSERT_TRUE(ExportEntryRows(entries, {}, folder / "all.csv", ";", false));
    EXPECT_EQ(test::ReadBytes(folder / "all.csv"), "a;x<add_exp>more</add_exp>\r\nb;y\r\nc;z");
    ASSERT_TRUE(ExportEntryRows(entries, {2, 0}, folder / "some.csv", ";", true));
    EXPECT_EQ(test::ReadBytes(folder / "some.csv"), "c;z\r\na;x\r\n");
    EXPECT_EQ(entries.ColumnCount(), 3);
    EXPECT_FALSE(ExportEntryRows(entries, {}, folder / "missing" / "x.csv", ";", false));
}

TEST(EntryExport, CountsTheRowsThatHoldTheSeparatorInWhatIsWritten) {
    const ClassTable entries = Entries({{"home", "Heim; Zuhause", "2007-03-05 09:04:01"},
                                        {"a;b", "x", ""},
                                        {"c", "z<add_exp>e.g.; more</add_exp>", ""},
                                        {"d", "w", ""}});
    EXPECT_EQ(CountRowsHoldingSeparator(entries, {}, 2, ";", false), 3);
    EXPECT_EQ(CountRowsHoldingSeparator(entries, {}, 2, ";", true), 2); // the additional part is not written
    EXPECT_EQ(CountRowsHoldingSeparator(entries, {3, 1}, 2, ";", false), 1);
    EXPECT_EQ(CountRowsHoldingSeparator(entries, {}, 2, ":", false), 0);
    EXPECT_EQ(CountRowsHoldingSeparator(entries, {}, 3, ":", false), 1); // only the written columns count
}

TEST(Properties, FileFactsAndTexts) {
    test::TempFolder folder;
    test::WriteBytes(folder / "French.lxd", std::string(2048, 'x'));
    const auto facts = ReadFileFacts(folder / "French.lxd");
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->size, 2048u);
    EXPECT_GE(facts->modified.year, 2020);
    EXPECT_FALSE(ReadFileFacts(folder.Path()));
    EXPECT_FALSE(ReadFileFacts(folder / "none.lxd"));

    EXPECT_EQ(FormatKilobytes(2048), "2.00");
    EXPECT_EQ(FormatKilobytes(12637), "12.34");
    EXPECT_EQ(FileNameOf("C:\\Voc\\French.lxd"), "French.lxd");
    EXPECT_EQ(FileNameOf("/home/u/French.lxd"), "French.lxd");
    EXPECT_EQ(FileNameOf("plain"), "plain");
    EXPECT_EQ(BuildPropertiesText({{"Dictionary name", "French.lxd"}, {"Charset", "-2"}}),
              "Dictionary name - French.lxd\r\nCharset - -2\r\n");
}

} // namespace
} // namespace lexaro
