#include "TableTestSupport.h"
#include "table/ClassTable.h"

#include <gtest/gtest.h>
#include <string>

namespace lexaro {
namespace {

using test::Cells;
using test::Fill;
using Rows = std::vector<std::vector<std::string>>;

const std::string kFrameStart = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<CLASS_TABLE_XML>\r\n";

std::string Head(int rows, int columns, int charset) {
    return kFrameStart + "<CLASS_TABLE_ROWS>" + std::to_string(rows) + "</CLASS_TABLE_ROWS>\r\n" +
           "<CLASS_TABLE_COLUMNS>" + std::to_string(columns) + "</CLASS_TABLE_COLUMNS>\r\n" + "<CLASS_TABLE_CHARSET>" +
           std::to_string(charset) + "</CLASS_TABLE_CHARSET>\r\n";
}

std::string Row(std::initializer_list<std::string> cells) {
    std::string row = " <CLASS_TABLE_ROW>\r\n";
    for (const std::string& cell : cells) {
        row += "  <CLASS_TABLE_COLUMN>" + cell + "</CLASS_TABLE_COLUMN>\r\n";
    }
    return row + " </CLASS_TABLE_ROW>\r\n";
}

TEST(XmlWriter, WritesTheFormByteForByte) {
    ClassTable table;
    Fill(table, {{"ab", "c"}});
    EXPECT_EQ(table.ToXmlText(), "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n"
                                 "<CLASS_TABLE_XML>\r\n"
                                 "<CLASS_TABLE_ROWS>1</CLASS_TABLE_ROWS>\r\n"
                                 "<CLASS_TABLE_COLUMNS>2</CLASS_TABLE_COLUMNS>\r\n"
                                 "<CLASS_TABLE_CHARSET>65001</CLASS_TABLE_CHARSET>\r\n"
                                 " <CLASS_TABLE_ROW>\r\n"
                                 "  <CLASS_TABLE_COLUMN>ab</CLASS_TABLE_COLUMN>\r\n"
                                 "  <CLASS_TABLE_COLUMN>c</CLASS_TABLE_COLUMN>\r\n"
                                 " </CLASS_TABLE_ROW>\r\n"
                                 "</CLASS_TABLE_XML>\r\n");
}

TEST(XmlWriter, BufferOfAnEmptyTableIsTheFrameAndANul) {
    ClassTable table;
    table.SetModified(true);
    const std::vector<char> buffer = table.ToXmlBuffer();
    const std::string expected = Head(0, 0, 65001) + "</CLASS_TABLE_XML>\r\n";
    ASSERT_EQ(buffer.size(), expected.size() + 1);
    EXPECT_EQ(std::string(buffer.data(), expected.size()), expected);
    EXPECT_EQ(buffer.back(), '\0');
    EXPECT_FALSE(table.IsModified());
}

TEST(XmlWriter, ConvertsToTheCodePageAndFailsForAnUnknownOne) {
    ClassTable table;
    table.SetCharset(1252);
    Fill(table, {{"\xC3\xA9"}});
    EXPECT_EQ(table.ToXmlText(), Head(1, 1, 1252) + Row({"\xE9"}) + "</CLASS_TABLE_XML>\r\n");

    table.SetCharset(777);
    table.SetModified(true);
    EXPECT_EQ(table.ToXmlText(), "");
    EXPECT_TRUE(table.ToXmlBuffer().empty());
    EXPECT_TRUE(table.IsModified());
}

TEST(XmlReader, ReadsTheFormItWrote) {
    ClassTable source;
    Fill(source, {{"a", "b<c>"}, {"\r\n", ""}});
    ClassTable table;
    EXPECT_TRUE(table.ParseXmlText(source.ToXmlText()));
    EXPECT_EQ(Cells(table), (Rows{{"a", "b<c>"}, {"\r\n", ""}}));
    EXPECT_EQ(table.FileCharset(), 65001);
}

TEST(XmlReader, CStringFormStopsAtTheNulAndRefusesNone) {
    ClassTable source;
    Fill(source, {{"x"}});
    const std::vector<char> buffer = source.ToXmlBuffer();
    ClassTable table;
    EXPECT_TRUE(table.ParseXmlCString(buffer.data()));
    EXPECT_EQ(Cells(table), (Rows{{"x"}}));
    EXPECT_FALSE(table.ParseXmlCString(nullptr));
}

TEST(XmlReader, NulByteEndsTheDocumentSoNoCellHoldsOne) {
    // A cell holding a NUL could not travel through the clipboard's NUL-terminated buffer.
    const std::string document = Head(2, 1, 65001) + Row({"a"}) + Row({std::string("b\0c", 3)});
    ClassTable table;
    EXPECT_FALSE(table.ParseXmlText(document));
    EXPECT_EQ(Cells(table), (Rows{{"a"}}));
}

TEST(XmlReader, MissingCountTagsFailWithNothingStored) {
    ClassTable table;
    EXPECT_FALSE(table.ParseXmlText("<CLASS_TABLE_ROWS>1</CLASS_TABLE_ROWS>" + Row({"a"})));
    EXPECT_FALSE(table.ParseXmlText("<CLASS_TABLE_COLUMNS>1</CLASS_TABLE_COLUMNS>" + Row({"a"})));
    EXPECT_EQ(table.StoredRowCount(), 0);
}

TEST(XmlReader, FewerRowsLoadWhatIsThereAndABrokenCellKeepsCompleteRows) {
    ClassTable fewer;
    EXPECT_TRUE(fewer.ParseXmlText(Head(5, 1, 65001) + Row({"a"}) + Row({"b"})));
    EXPECT_EQ(Cells(fewer), (Rows{{"a"}, {"b"}}));

    ClassTable broken;
    EXPECT_FALSE(broken.ParseXmlText(Head(2, 1, 65001) + Row({"a"}) + " <CLASS_TABLE_ROW><CLASS_TABLE_COLUMN>b"));
    EXPECT_EQ(Cells(broken), (Rows{{"a"}}));
}

TEST(XmlReader, CellHoldingTheClosingTagEndsEarly) {
    ClassTable table;
    EXPECT_TRUE(table.ParseXmlText(Head(1, 1, 65001) + Row({"x</CLASS_TABLE_COLUMN>y"})));
    EXPECT_EQ(table.GetCell(0, 0), "x");
}

TEST(XmlReader, CharsetWithoutClosingTagIsNotRecorded) {
    ClassTable table;
    EXPECT_TRUE(table.ParseXmlText("<CLASS_TABLE_ROWS>0</CLASS_TABLE_ROWS><CLASS_TABLE_COLUMNS>1"
                                   "</CLASS_TABLE_COLUMNS><CLASS_TABLE_CHARSET>1252"));
    EXPECT_EQ(table.FileCharset(), -2);
}

TEST(XmlReader, ConvertsFromTheTablesCodePage) {
    ClassTable table;
    table.SetCharset(1251);
    EXPECT_TRUE(table.ParseXmlText(Head(1, 1, 1251) + Row({"\xC6"})));
    EXPECT_EQ(table.GetCell(0, 0), "\xD0\x96");

    ClassTable unknown;
    unknown.SetCharset(31337);
    EXPECT_FALSE(unknown.ParseXmlText(Head(1, 1, 1251) + Row({"a"})));
    EXPECT_EQ(unknown.StoredRowCount(), 0);
}

TEST(XmlReaderHostile, AnnouncedCountsBeyondTheMarkupAreNotFollowed) {
    ClassTable rows;
    EXPECT_TRUE(rows.ParseXmlText(Head(2147483647, 1, 65001) + Row({"a"})));
    EXPECT_EQ(rows.RowCount(), 1);

    const std::string document = Head(1, 2000000000, 65001) + Row({"a"});
    ClassTable columns;
    EXPECT_FALSE(columns.ParseXmlText(document));
    EXPECT_EQ(columns.RowCount(), 0);
    EXPECT_LE(columns.ColumnCount(), 65536);
}

TEST(XmlReaderHostile, CellsNestedInCellsCannotMultiplyTheDocument) {
    std::string document = Head(1, 100000, 65001) + "<CLASS_TABLE_ROW>";
    for (int i = 0; i < 100000; ++i) {
        document += "<CLASS_TABLE_COLUMN>";
    }
    document += "</CLASS_TABLE_COLUMN>";
    ClassTable table;
    EXPECT_FALSE(table.ParseXmlText(document));
    EXPECT_EQ(table.RowCount(), 0);
}

} // namespace
} // namespace lexaro
