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

} // namespace
} // namespace lexaro
