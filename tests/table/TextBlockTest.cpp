#include "table/TextBlock.h"

#include "TableTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace lexaro::test {

TEST(TextBlock, GrowsPastItsEstimateAndMakesEveryLineBreakCrLf) {
    TextBlock block(4);
    block.Append("term");
    block.AppendCrLf("a\nb\r\nc\rd\n\n");
    const std::string many(100000, 'x');
    block.AppendCrLf(many);
    std::string_view text;
    const std::shared_ptr<const void> owner = block.Release(text);
    EXPECT_EQ(text.substr(0, 19), "terma\r\nb\r\nc\r\nd\r\n\r\nx");
    EXPECT_EQ(text.size(), 4 + 14 + many.size());
    EXPECT_EQ(block.Size(), 0u);
}

// Released pages of private memory read back as zeros: what shows that they went back, and no further.
TEST(ReadOnceBlock, GivesBackTheWholePagesBeforeTheOffsetAndNothingAfter) {
    constexpr std::size_t kMegabyte = 1 << 20;
    ReadOnceBlock block(3 * kMegabyte);
    std::fill_n(block.Data(), 3 * kMegabyte, 'x');
    block.ReleaseBefore(kMegabyte / 2);
    EXPECT_EQ(block.View(0, 1), "x");
    block.ReleaseBefore(2 * kMegabyte + 100);
    EXPECT_EQ(block.View(2 * kMegabyte - 1, 3), std::string("\0xx", 3));
}

TEST(ClassTableAdoptRows, CellsAreTheKeptDocumentsTextsAndOnlyAnEmptyTableTakesThem) {
    TextBlock block(0);
    block.Append("houseHaus");
    std::string_view document;
    ClassTable table;
    ASSERT_TRUE(table.Resize(3, 2));
    ASSERT_TRUE(table.AdoptRows(block.Release(document), document, 2, 2, [&](int row, int cell) {
        return row == 1 ? std::string_view() : document.substr(cell == 0 ? 0 : 5, cell == 0 ? 5 : 4);
    }));
    EXPECT_EQ(Cells(table), (std::vector<std::vector<std::string>>{{"house", "Haus", ""}, {"", "", ""}}));
    EXPECT_EQ(table.CellView(1, 0).data(), document.data() + 5);
    EXPECT_FALSE(table.AdoptRows(nullptr, {}, 1, 1, [](int, int) { return std::string_view(); }));
    EXPECT_EQ(table.RowCount(), 2);
}

} // namespace lexaro::test
