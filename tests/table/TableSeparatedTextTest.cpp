#include "TableTestSupport.h"
#include "table/ClassTable.h"
#include "table/SeparatedText.h"

#include <gtest/gtest.h>
#include <string>

using namespace std::string_view_literals;

namespace lexaro {
namespace {

using test::Cells;
using test::Fill;
using Rows = std::vector<std::vector<std::string>>;

// The table that separated text gives, read with the default separator.
Rows Read(std::string_view content, std::string_view separator = ";") {
    ClassTable table;
    table.SetSeparator(separator);
    EXPECT_TRUE(ParseSeparatedText(table, content));
    return Cells(table);
}

TEST(SeparatedTextReader, LinesBecomeRowsAndAFinalLineEndAddsNone) {
    EXPECT_EQ(Read("a;b\r\nc;d"), (Rows{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(Read("a;b\r\nc;d\r\n"), (Rows{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(Read("a;b"), (Rows{{"a", "b"}}));
}

TEST(SeparatedTextReader, ColumnCountIsTheLongestLine) {
    EXPECT_EQ(Read("a;b;c\r\nd;e\r\n"), (Rows{{"a", "b", "c"}, {"d", "e", ""}}));
    EXPECT_EQ(Read("a;\r\nb;"), (Rows{{"a", ""}, {"b", ""}}));
    EXPECT_EQ(Read("a;b;"), (Rows{{"a", "b"}})); // nothing after the last separator: no further cell
}

TEST(SeparatedTextReader, OnlyTheOuterEndsOfALineAreTrimmed) {
    EXPECT_EQ(Read(" \ta ; b \r\n  c ; d \t"), (Rows{{"a ", " b"}, {"c ", " d"}}));
}

TEST(SeparatedTextReader, TextWithoutSeparatorGivesOneEmptyCell) {
    ClassTable table;
    EXPECT_TRUE(ParseSeparatedText(table, "one\r\ncolumn\r\nonly"));
    EXPECT_EQ(table.RowCount(), 1);
    EXPECT_EQ(table.ColumnCount(), 1);
    EXPECT_EQ(table.GetCell(0, 0), "");
}

TEST(SeparatedTextReader, LineEndCountsOnlyWhereASeparatorFollows) {
    EXPECT_EQ(Read("a;b\r\nc\r\nd"), (Rows{{"a", "b\r\nc\r\nd"}}));
    EXPECT_EQ(Read("first\r\nline;x"), (Rows{{"first\r\nline", "x"}}));
}

TEST(SeparatedTextReader, LfEndsLinesOnlyInTextWithoutAnyCr) {
    EXPECT_EQ(Read("castle;Burg\nnewword;neu"), (Rows{{"castle", "Burg"}, {"newword", "neu"}}));
    for (const std::string crLf : {"a;b\r\nc;d\r\n", "a;b\r\n\r\nc;d", " a;b;c\r\nd \r\ne;f"}) {
        std::string lf = crLf;
        std::erase(lf, '\r');
        EXPECT_EQ(Read(lf), Read(crLf)) << lf;
    }
    // In a file with CR LF line ends a lone LF is text.
    EXPECT_EQ(Read("a;b\nc\r\nd;e"), (Rows{{"a", "b\nc"}, {"d", "e"}}));
    // The first byte after a lone CR starts the next line; it is not swallowed as if it were an LF.
    EXPECT_EQ(Read("a;b\rc;d"), (Rows{{"a", "b"}, {"c", "d"}}));
}

TEST(SeparatedTextReader, NulByteEndsTheText) {
    EXPECT_EQ(Read("a;b\0;c"sv), (Rows{{"a", "b"}}));
}

TEST(SeparatedTextReader, ByteOrderMarkStaysInTheFirstCell) {
    EXPECT_EQ(Read("\xEF\xBB\xBF"
                   "a;b"),
              (Rows{{"\xEF\xBB\xBF"
                     "a",
                     "b"}}));
}

TEST(SeparatedTextReader, SeparatorMayBeLongerThanOneByte) {
    EXPECT_EQ(Read("a, b;c, d\r\ne, f", ", "), (Rows{{"a", "b;c", "d"}, {"e", "f", ""}}));
}

TEST(SeparatedTextReader, ConvertsFromTheTablesCodePage) {
    ClassTable table;
    table.SetCharset(1252);
    EXPECT_TRUE(ParseSeparatedText(table, "\xE9;\x80"));
    EXPECT_EQ(Cells(table), (Rows{{"\xC3\xA9", "\xE2\x82\xAC"}}));
}

TEST(SeparatedTextReader, RefusesWhatItCannotSplitOrConvertAndKeepsTheTable) {
    ClassTable table;
    Fill(table, {{"keep"}});
    table.SetSeparator("");
    EXPECT_FALSE(ParseSeparatedText(table, "a;b"));
    table.SetSeparator(";");
    table.SetCharset(9999);
    EXPECT_FALSE(ParseSeparatedText(table, "a;b"));
    table.SetCharset(65001);
    ASSERT_TRUE(table.AccessGuard(kGuardShared));
    EXPECT_FALSE(ParseSeparatedText(table, "a;b"));
    table.AccessGuard(kGuardRelease);
    EXPECT_EQ(Cells(table), (Rows{{"keep"}}));
}

TEST(SeparatedTextReader, VeryLongLineLoadsInOnePass) {
    // No CR anywhere: a reader that looked for the line end from every cell afresh would rescan the
    // whole rest of the text for each of the 300000 cells.
    std::string content;
    for (int i = 0; i < 300000; ++i) {
        content += "a;";
    }
    ClassTable table;
    EXPECT_TRUE(ParseSeparatedText(table, content));
    EXPECT_EQ(table.RowCount(), 1);
    EXPECT_EQ(table.ColumnCount(), 300000);
}

TEST(SeparatedTextFile, LoadSetsTheFileNameAndLeavesTheTableClean) {
    test::TempFolder folder;
    test::WriteBytes(folder / "in.csv", "a;b\r\nc;d\r\n");
    ClassTable table;
    ASSERT_TRUE(table.LoadSeparatedText(folder / "in.csv"));
    EXPECT_EQ(Cells(table), (Rows{{"a", "b"}, {"c", "d"}}));
    EXPECT_FALSE(table.IsModified());
    EXPECT_EQ(table.FileName(), folder / "in.csv");
    // The cells are the bytes as read: the file written over where it lies changes nothing in the table.
    test::WriteBytes(folder / "in.csv", "x;y\r\nz;w\r\n");
    EXPECT_EQ(Cells(table), (Rows{{"a", "b"}, {"c", "d"}}));
}

TEST(SeparatedTextFile, EmptyMissingOrUnreadableFileLeavesTheTableAlone) {
    test::TempFolder folder;
    test::WriteBytes(folder / "empty.csv", "");
    ClassTable table;
    Fill(table, {{"keep"}});
    table.SetModified(false);
    EXPECT_FALSE(table.LoadSeparatedText(folder / "empty.csv"));
    EXPECT_FALSE(table.LoadSeparatedText(folder / "missing.csv"));
    EXPECT_FALSE(table.LoadSeparatedText(folder.Path()));
    EXPECT_FALSE(table.LoadSeparatedText(""));
    EXPECT_EQ(Cells(table), (Rows{{"keep"}}));
    EXPECT_TRUE(table.FileName().empty());
}

TEST(SeparatedTextFile, ContentEndsAtANulByte) {
    test::TempFolder folder;
    test::WriteBytes(folder / "nul.csv", "a;b\0c;d"sv);
    ClassTable table;
    ASSERT_TRUE(table.LoadSeparatedText(folder / "nul.csv"));
    EXPECT_EQ(Cells(table), (Rows{{"a", "b"}}));
}

TEST(SeparatedTextWriter, WritesCellsSeparatorsAndLineEndsOnly) {
    test::TempFolder folder;
    ClassTable table;
    Fill(table, {{"a", "b"}, {"c", "d"}});
    table.SetModified(true);
    ASSERT_TRUE(table.SaveSeparatedText(folder / "out.csv"));
    EXPECT_EQ(test::ReadBytes(folder / "out.csv"), "a;b\r\nc;d");
    EXPECT_EQ(table.FileName(), folder / "out.csv");
    EXPECT_TRUE(table.IsModified());
}

TEST(SeparatedTextWriter, WritesCellsUnquotedInTheCodePage) {
    test::TempFolder folder;
    ClassTable table;
    table.SetCharset(1252);
    table.SetSeparator("|");
    Fill(table, {{"x|y", "\xC3\xA9\r\n"}});
    ASSERT_TRUE(table.SaveSeparatedText(folder / "out.csv"));
    EXPECT_EQ(test::ReadBytes(folder / "out.csv"), "x|y|\xE9\r\n");
}

// Written in pieces of about a megabyte: a table of several pieces comes out whole, each row once.
TEST(SeparatedTextWriter, LargeTableIsWrittenWhole) {
    test::TempFolder folder;
    ClassTable table;
    table.SetSeparator(";");
    constexpr int kRows = 40000;
    table.Resize(3, kRows);
    std::string expected;
    for (int r = 0; r < kRows; ++r) {
        const std::string term = "term " + std::to_string(r);
        const std::string explanation = "Erkl\xc3\xa4rung " + std::string(static_cast<std::size_t>(r % 97), 'x');
        table.SetCell(0, r, term);
        table.SetCell(1, r, explanation);
        table.SetCell(2, r, "2026-12-08");
        expected += (r > 0 ? "\r\n" : "") + term + ";" + explanation + ";2026-12-08";
    }
    ASSERT_GT(expected.size(), 3U << 20);
    ASSERT_TRUE(table.SaveSeparatedText(folder / "big.csv"));
    EXPECT_TRUE(test::ReadBytes(folder / "big.csv") == expected);
}

} // namespace
} // namespace lexaro
