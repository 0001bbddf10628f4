#include "TableTestSupport.h"
#include "table/ClassTable.h"

#include <gtest/gtest.h>
#include <string>

using namespace std::string_literals;
using namespace std::string_view_literals;

namespace lexaro {
namespace {

using test::Cells;
using test::Fill;
using Rows = std::vector<std::vector<std::string>>;

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<CLASS_TABLE_XML2>\r\n";

std::string Document(int rows, int columns, int charset, const std::string& body) {
    return kHeader + "<CT_ROWS>" + std::to_string(rows) + "</CT_ROWS>\r\n<CT_COLUMNS>" + std::to_string(columns) +
           "</CT_COLUMNS>\r\n<CT_CHARSET>" + std::to_string(charset) + "</CT_CHARSET>\r\n" + body +
           "</CLASS_TABLE_XML2>\r\n";
}

TEST(Xml2Writer, WritesTheWholeDocumentByteForByte) {
    ClassTable table;
    Fill(table, {{"ab", "c"}});
    EXPECT_EQ(table.ToXml2Text(), "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n"
                                  "<CLASS_TABLE_XML2>\r\n"
                                  "<CT_ROWS>1</CT_ROWS>\r\n"
                                  "<CT_COLUMNS>2</CT_COLUMNS>\r\n"
                                  "<CT_CHARSET>65001</CT_CHARSET>\r\n"
                                  " <CT_R>\r\n"
                                  "  <CT_C=2>ab</CT_C>\r\n"
                                  "  <CT_C=1>c</CT_C>\r\n"
                                  " </CT_R>\r\n"
                                  "</CLASS_TABLE_XML2>\r\n");
}

TEST(Xml2Writer, EmptyTableWritesOnlyTheFrame) {
    ClassTable table;
    EXPECT_EQ(table.ToXml2Text(), Document(0, 0, 65001, ""));
}

TEST(Xml2Writer, MissingCellsAreWrittenWithLengthZero) {
    ClassTable table;
    table.Resize(2, 2);
    table.SetCell(0, 0, "x");
    EXPECT_EQ(table.ToXml2Text(), Document(2, 2, 65001,
                                           " <CT_R>\r\n  <CT_C=1>x</CT_C>\r\n  <CT_C=0></CT_C>\r\n </CT_R>\r\n"
                                           " <CT_R>\r\n  <CT_C=0></CT_C>\r\n  <CT_C=0></CT_C>\r\n </CT_R>\r\n"));
}

TEST(Xml2Writer, CellsAreWrittenUnescapedAndHiddenCellsNotAtAll) {
    ClassTable table;
    Fill(table, {{"a<b>&\"\r\n"}, {"hidden"}});
    table.Resize(1, 1);
    EXPECT_EQ(table.ToXml2Text(), Document(1, 1, 65001, " <CT_R>\r\n  <CT_C=8>a<b>&\"\r\n</CT_C>\r\n </CT_R>\r\n"));
}

TEST(Xml2Writer, CodePageCellsKeepTheirUtf8Length) {
    ClassTable table;
    table.SetCharset(1252);
    Fill(table, {{"\xC3\xA9", "\xCE\xB1"}});
    EXPECT_EQ(table.ToXml2Text(),
              Document(1, 2, 1252, " <CT_R>\r\n  <CT_C=2>\xE9</CT_C>\r\n  <CT_C=2>?</CT_C>\r\n </CT_R>\r\n"));
}

TEST(Xml2Writer, BusyOrUnconvertibleTableGivesNoDocument) {
    ClassTable table;
    Fill(table, {{"a"}});
    ASSERT_TRUE(table.AccessGuard(kGuardExclusive));
    EXPECT_EQ(table.ToXml2Text(), "");
    table.AccessGuard(kGuardRelease);

    table.SetCharset(4242);
    EXPECT_EQ(table.ToXml2Text(), "");
}

TEST(Xml2Reader, ReadsTheDocumentItWrote) {
    ClassTable source;
    Fill(source, {{"ab", "c"}, {"line\r\nbreak", "<&>"}});
    ClassTable table;
    EXPECT_TRUE(table.ParseXml2Text(source.ToXml2Text()));
    EXPECT_EQ(Cells(table), (Rows{{"ab", "c"}, {"line\r\nbreak", "<&>"}}));
    EXPECT_EQ(table.FileCharset(), 65001);
}

TEST(Xml2Reader, NeedsNeitherLineBreaksNorLengthsNorDeclaration) {
    ClassTable table;
    EXPECT_TRUE(table.ParseXml2Text("<CT_C=9>junk before<CT_ROWS>1</CT_ROWS><CT_COLUMNS>2</CT_COLUMNS>"
                                    "<CT_R><CT_C>x</CT_C><CT_C=77>y</CT_C>"));
    EXPECT_EQ(Cells(table), (Rows{{"x", "y"}}));
    EXPECT_EQ(table.FileCharset(), -2);
}

TEST(Xml2Reader, FewerRowsThanAnnouncedLoadTheRowsFound) {
    ClassTable table;
    EXPECT_TRUE(table.ParseXml2Text(Document(
        3, 1, 65001, " <CT_R>\r\n  <CT_C=1>a</CT_C>\r\n </CT_R>\r\n <CT_R>\r\n  <CT_C=1>b</CT_C>\r\n </CT_R>\r\n")));
    EXPECT_EQ(Cells(table), (Rows{{"a"}, {"b"}}));
}

TEST(Xml2Reader, BrokenCellKeepsTheCompleteRowsBeforeIt) {
    ClassTable table;
    EXPECT_FALSE(table.ParseXml2Text(Document(
        2, 2, 65001, " <CT_R><CT_C=1>a</CT_C><CT_C=1>b</CT_C></CT_R> <CT_R><CT_C=1>c</CT_C><CT_C=1>d</CT_R>")));
    EXPECT_EQ(Cells(table), (Rows{{"a", "b"}}));
}

TEST(Xml2Reader, CellHoldingTheClosingTagIsReadWholeWhenItsLengthSaysSo) {
    const std::string cell = " <CT_R>\r\n  <CT_C=9>a</CT_C>b</CT_C>\r\n  <CT_C=1>c</CT_C>\r\n";
    ClassTable table;
    EXPECT_TRUE(table.ParseXml2Text(Document(1, 2, 65001, cell)));
    EXPECT_EQ(Cells(table), (Rows{{"a</CT_C>b", "c"}}));

    // Lengths count UTF-8 bytes: in a code-page document, or where a length does not lead to a closing tag,
    // the cell ends at the first one.
    ClassTable codePage;
    EXPECT_TRUE(codePage.ParseXml2Text(Document(1, 2, 1252, cell)));
    EXPECT_EQ(Cells(codePage), (Rows{{"a", "c"}}));
    ClassTable wrongLength;
    EXPECT_TRUE(wrongLength.ParseXml2Text(
        Document(1, 2, 65001, " <CT_R>\r\n  <CT_C=8>a</CT_C>b</CT_C>\r\n  <CT_C=1>c</CT_C>\r\n")));
    EXPECT_EQ(Cells(wrongLength), (Rows{{"a", "c"}}));
    ClassTable hugeLength;
    EXPECT_TRUE(hugeLength.ParseXml2Text(
        Document(1, 2, 65001, " <CT_R>\r\n  <CT_C=2147483647>a</CT_C>b</CT_C>\r\n  <CT_C=1>c</CT_C>\r\n")));
    EXPECT_EQ(Cells(hugeLength), (Rows{{"a", "c"}}));
}

TEST(Xml2Reader, AnyCellTextSurvivesWritingAndReading) {
    ClassTable table;
    table.SetSize(2, 2);
    table.StoreCell(0, 0, "</CT_C><CT_R><CT_C=3>x</CT_C>");
    table.StoreCell(1, 0, "</CT_R>\r\n</CLASS_TABLE_XML2>");
    table.StoreCell(0, 1, "<CT_ROWS>9</CT_ROWS>");
    table.StoreCell(1, 1, "plain");
    ClassTable read;
    EXPECT_TRUE(read.ParseXml2Text(table.ToXml2Text()));
    EXPECT_EQ(Cells(read), (Rows{{"</CT_C><CT_R><CT_C=3>x</CT_C>", "</CT_R>\r\n</CLASS_TABLE_XML2>"},
                                 {"<CT_ROWS>9</CT_ROWS>", "plain"}}));
}

TEST(Xml2Reader, MissingColumnsTagFails) {
    ClassTable table;
    EXPECT_FALSE(table.ParseXml2Text("<CT_ROWS>1</CT_ROWS><CT_COLUMNS>1"));
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.ColumnCount(), 0);
}

TEST(Xml2Reader, CharsetIsRecordedButDoesNotChangeTheTable) {
    ClassTable table;
    EXPECT_TRUE(table.ParseXml2Text(Document(0, 3, 1251, "")));
    EXPECT_EQ(table.FileCharset(), 1251);
    EXPECT_EQ(table.Charset(), 65001);
    EXPECT_EQ(table.ColumnCount(), 3);

    ClassTable unclosed;
    EXPECT_TRUE(unclosed.ParseXml2Text("<CT_ROWS>0</CT_ROWS><CT_COLUMNS>1</CT_COLUMNS><CT_CHARSET>1252"));
    EXPECT_EQ(unclosed.FileCharset(), -2);
}

TEST(Xml2Reader, ConvertsCellsFromTheTablesCodePageOnly) {
    const std::string document = Document(1, 1, 1252, " <CT_R>\r\n  <CT_C=2>\xE9</CT_C>\r\n </CT_R>\r\n");
    ClassTable western;
    western.SetCharset(1252);
    EXPECT_TRUE(western.ParseXml2Text(document));
    EXPECT_EQ(western.GetCell(0, 0), "\xC3\xA9");

    ClassTable utf8;
    EXPECT_TRUE(utf8.ParseXml2Text(document));
    EXPECT_EQ(utf8.GetCell(0, 0), "\xE9");
}

TEST(Xml2Reader, NulByteEndsTheDocument) {
    ClassTable table;
    EXPECT_TRUE(table.ParseXml2Text("<CT_ROWS>2</CT_ROWS><CT_COLUMNS>1</CT_COLUMNS><CT_R><CT_C>a</CT_C>"
                                    "\0<CT_R><CT_C>b</CT_C>"sv));
    EXPECT_EQ(Cells(table), (Rows{{"a"}}));
}

TEST(Xml2Reader, FallsBackToTheXmlForm) {
    ClassTable source;
    Fill(source, {{"p", "q"}});
    ClassTable table;
    EXPECT_TRUE(table.ParseXml2Text(source.ToXmlText()));
    EXPECT_EQ(Cells(table), (Rows{{"p", "q"}}));
    EXPECT_FALSE(table.ParseXml2Text("no table here"));
}

TEST(Xml2Reader, CountsThatAreNoNumbersReadAsZero) {
    ClassTable table;
    EXPECT_TRUE(table.ParseXml2Text("<CT_ROWS>x</CT_ROWS><CT_COLUMNS>abc</CT_COLUMNS><CT_R><CT_C=1>a</CT_C>"));
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.ColumnCount(), 0);
    EXPECT_EQ(table.GetCell(0, 0), "");
}

TEST(Xml2ReaderHostile, HugeAnnouncedRowCountStopsWhereTheRowsEnd) {
    ClassTable table;
    EXPECT_TRUE(table.ParseXml2Text("<CT_ROWS>2000000000</CT_ROWS><CT_COLUMNS>1</CT_COLUMNS>"
                                    "<CT_R><CT_C>a</CT_C><CT_R><CT_C>b</CT_C>"));
    EXPECT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.StoredRowCount(), 2);
}

TEST(Xml2ReaderHostile, HugeAnnouncedColumnCountIsBoundedByTheDocument) {
    const std::string document = "<CT_ROWS>1</CT_ROWS><CT_COLUMNS>2000000000</CT_COLUMNS><CT_R><CT_C>a</CT_C>";
    ClassTable table;
    EXPECT_FALSE(table.ParseXml2Text(document));
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_LE(table.ColumnCount(), 65536);

    ClassTable empty;
    EXPECT_TRUE(empty.ParseXml2Text("<CT_ROWS>0</CT_ROWS><CT_COLUMNS>2147483647</CT_COLUMNS>"));
    EXPECT_LE(empty.ColumnCount(), 65536);
}

TEST(Xml2Reader, TableWithoutRowsKeepsItsColumns) {
    ClassTable wide;
    wide.Resize(300, 0);
    ClassTable table;
    EXPECT_TRUE(table.ParseXml2Text(wide.ToXml2Text()));
    EXPECT_EQ(table.ColumnCount(), 300);
    EXPECT_EQ(table.RowCount(), 0);
}

TEST(Xml2ReaderHostile, OverflowingAndNegativeCountsAreHarmless) {
    ClassTable overflow;
    EXPECT_TRUE(overflow.ParseXml2Text("<CT_ROWS>99999999999999999999999</CT_ROWS><CT_COLUMNS>1</CT_COLUMNS>"
                                       "<CT_CHARSET>-99999999999999999999</CT_CHARSET><CT_R><CT_C>a</CT_C>"));
    EXPECT_EQ(overflow.RowCount(), 1);
    EXPECT_EQ(overflow.FileCharset(), INT_MIN);

    ClassTable negative;
    EXPECT_TRUE(negative.ParseXml2Text("<CT_ROWS>-5</CT_ROWS><CT_COLUMNS>-3</CT_COLUMNS><CT_R><CT_C>a</CT_C>"));
    EXPECT_EQ(negative.RowCount(), 0);
    EXPECT_EQ(negative.ColumnCount(), 0);

    ClassTable reversed;
    EXPECT_TRUE(reversed.ParseXml2Text("</CT_ROWS><CT_ROWS>1</CT_COLUMNS><CT_COLUMNS>"));
    EXPECT_EQ(reversed.RowCount(), 0);
}

TEST(Xml2ReaderHostile, CellsNestedInCellsCannotMultiplyTheDocument) {
    // Each cell's text holds the start of the next one, so every cell would be a copy of the rest of
    // the document.
    std::string document = "<CT_ROWS>1</CT_ROWS><CT_COLUMNS>200000</CT_COLUMNS><CT_R>";
    for (int i = 0; i < 200000; ++i) {
        document += "<CT_C>";
    }
    document += "</CT_C>";
    ClassTable table;
    EXPECT_FALSE(table.ParseXml2Text(document));
    EXPECT_EQ(table.RowCount(), 0);
}

TEST(Xml2ReaderHostile, BusyTableIsNotFilled) {
    ClassTable table;
    ASSERT_TRUE(table.AccessGuard(kGuardShared));
    EXPECT_FALSE(table.ParseXml2Text(Document(1, 1, 65001, "<CT_R><CT_C>a</CT_C>")));
    table.AccessGuard(kGuardRelease);
    EXPECT_EQ(table.StoredRowCount(), 0);
}

} // namespace
} // namespace lexaro
