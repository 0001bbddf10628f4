#include "TableTestSupport.h"
#include "table/ClassTable.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

TEST(HtmlWriter, WritesThePageByteForByteWithoutEscaping) {
    test::TempFolder folder;
    ClassTable table;
    test::Fill(table, {{"a&b", "<i>"}, {"c"}});
    ASSERT_TRUE(table.SaveHtml(folder / "out.html"));
    EXPECT_EQ(test::ReadBytes(folder / "out.html"),
              "<HTML>\r\n <HEAD>\r\n  <TITLE></TITLE>\r\n </HEAD>\r\n\r\n <BODY>\r\n"
              "  <TABLE>\r\n"
              "   <TR>\r\n    <TD>a&b</TD>\r\n    <TD><i></TD>\r\n   </TR>\r\n"
              "   <TR>\r\n    <TD>c</TD>\r\n    <TD></TD>\r\n   </TR>\r\n"
              "  </TABLE>\r\n </BODY>\r\n</HTML>");
}

TEST(HtmlWriter, NeitherNamesNorCleansTheTable) {
    test::TempFolder folder;
    ClassTable table;
    test::Fill(table, {{"x"}});
    table.SetCharset(1252);
    ASSERT_TRUE(table.SaveHtml(folder / "out.html"));
    EXPECT_TRUE(table.FileName().empty());
    EXPECT_TRUE(table.IsModified());
    EXPECT_FALSE(table.SaveHtml(""));
    EXPECT_FALSE(table.SaveHtml(folder / "no-such-folder" / "out.html"));
}

// The page is written in pieces of about a megabyte: a table of several pieces comes out whole, each row once, and
// so does a cell larger than a piece.
TEST(HtmlWriter, LargeTableIsWrittenWhole) {
    test::TempFolder folder;
    ClassTable table;
    constexpr int kRows = 30000;
    table.Resize(2, kRows);
    std::string expected = "<HTML>\r\n <HEAD>\r\n  <TITLE></TITLE>\r\n </HEAD>\r\n\r\n <BODY>\r\n  <TABLE>\r\n";
    for (int r = 0; r < kRows; ++r) {
        const std::string term = "term " + std::to_string(r);
        const std::string explanation =
            "Erkl\xc3\xa4rung " +
            std::string(r == kRows / 2 ? std::size_t{3} << 20 : static_cast<std::size_t>(r % 97), 'x');
        table.SetCell(0, r, term);
        table.SetCell(1, r, explanation);
        expected += "   <TR>\r\n    <TD>" + term + "</TD>\r\n    <TD>" + explanation + "</TD>\r\n   </TR>\r\n";
    }
    expected += "  </TABLE>\r\n </BODY>\r\n</HTML>";
    ASSERT_GT(expected.size(), 6U << 20);
    ASSERT_TRUE(table.SaveHtml(folder / "big.html"));
    EXPECT_TRUE(test::ReadBytes(folder / "big.html") == expected);
}

} // namespace
} // namespace lexaro
