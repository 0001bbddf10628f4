#include "TableTestSupport.h"
#include "table/ClassTable.h"
#include "table/SafeFile.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <new>
#include <string>

namespace lexaro {
namespace {

// A dictionary file of tens of MB: long enough that the reader gives back the memory of what it has read
// several times over. With odd cells, some cells hold a row tag and one a bare "<CT_C" (which does not
// survive a save), and the file goes on after a NUL byte.
std::string LargeDocument(int rows, bool oddCells) {
    std::string document = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<CLASS_TABLE_XML2>\r\n<CT_ROWS>" +
                           std::to_string(rows + 5) +
                           "</CT_ROWS>\r\n<CT_COLUMNS>3</CT_COLUMNS>\r\n"
                           "<CT_CHARSET>65001</CT_CHARSET>\r\n";
    for (int row = 0; row < rows; ++row) {
        std::string explanation = "Erklärung " + std::to_string(row) + " <b>fett</b> ";
        explanation.append(static_cast<std::size_t>(400 + row % 300), static_cast<char>('a' + row % 26));
        if (oddCells && row % 997 == 0) {
            explanation += " <CT_R> inside";
        }
        if (oddCells && row == rows / 2) {
            explanation += " <CT_C";
        }
        document += " <CT_R>\r\n  <CT_C=9>term " + std::to_string(row) +
                    "</CT_C>\r\n  <CT_C=" + std::to_string(explanation.size()) + ">" + explanation +
                    "</CT_C>\r\n  <CT_C=19>2024-01-01 00:00:00</CT_C>\r\n </CT_R>\r\n";
    }
    if (oddCells) {
        document += std::string(1, '\0');
    }
    document +=
        " <CT_R>\r\n  <CT_C=5>after</CT_C><CT_C=0></CT_C><CT_C=0></CT_C>\r\n </CT_R>\r\n</CLASS_TABLE_XML2>\r\n";
    return document;
}

TEST(LargeDocumentFile, LoadingAFileGivesTheTableItsTextGives) {
    const std::string document = LargeDocument(70000, true);
    ASSERT_GT(document.size(), std::size_t{40} << 20);
    test::TempFolder folder;
    test::WriteBytes(folder / "large.lxd", document);

    ClassTable fromText;
    EXPECT_TRUE(fromText.ParseXml2Text(document));
    ClassTable fromFile;
    EXPECT_TRUE(fromFile.LoadDocumentFile(folder / "large.lxd"));

    ASSERT_EQ(fromFile.RowCount(), fromText.RowCount());
    EXPECT_TRUE(test::Cells(fromFile) == test::Cells(fromText));
    EXPECT_EQ(fromFile.PeekCell(0, fromFile.RowCount() - 1), "term 69999");
    EXPECT_EQ(fromFile.PeekCell(2, fromFile.RowCount() - 1), "2024-01-01 00:00:00");
    EXPECT_FALSE(fromFile.IsModified());
}

TEST(LargeDocumentFile, SavedLargeTableLoadsBackUnchanged) {
    ClassTable source;
    ASSERT_TRUE(source.ParseXml2Text(LargeDocument(40000, false)));
    test::TempFolder folder;
    ASSERT_TRUE(source.SaveDocumentFile(folder / "saved.lxd"));
    ClassTable loaded;
    ASSERT_TRUE(loaded.LoadDocumentFile(folder / "saved.lxd"));
    ASSERT_EQ(source.RowCount(), 40001);
    EXPECT_TRUE(test::Cells(loaded) == test::Cells(source));
}

TEST(LargeDocumentFile, SaveThatFailsAfterSeveralPiecesKeepsTheOldFile) {
    ClassTable table;
    ASSERT_TRUE(table.ParseXml2Text(LargeDocument(20000, false)));
    table.SetFileName("/somewhere/before.lxd");
    test::TempFolder folder;
    test::WriteBytes(folder / "target.lxd", "old content");
    {
        test::FileSizeLimit limit(std::size_t{3} << 20);
        EXPECT_FALSE(table.SaveDocumentFile(folder / "target.lxd"));
        EXPECT_EQ(errno, EFBIG); // the reason the window names
    }
    EXPECT_EQ(test::ReadBytes(folder / "target.lxd"), "old content");
    EXPECT_EQ(folder.Names().size(), 1u);
    EXPECT_EQ(table.FileName(), "/somewhere/before.lxd");
}

TEST(LargeDocumentFile, WriterWhosePiecesRunOutOfMemoryLeavesNothingBehind) {
    test::TempFolder folder;
    test::WriteBytes(folder / "target.lxd", "old content");
    const auto openFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator());
    };
    const auto before = openFiles();
    const bool written = WriteFileSafely(folder / "target.lxd", [](const PieceWriter& write) {
        write("a first piece");
        throw std::bad_alloc();
        return true;
    });
    EXPECT_FALSE(written);
    EXPECT_EQ(errno, ENOMEM);
    EXPECT_EQ(test::ReadBytes(folder / "target.lxd"), "old content");
    EXPECT_EQ(folder.Names().size(), 1u);
    EXPECT_EQ(openFiles(), before);
}

TEST(LargeDocumentFile, FailedSaveLeavesTheSystemsReasonInErrno) {
    test::TempFolder folder;
    ClassTable table;
    EXPECT_FALSE(table.SaveSeparatedText(folder / "missing" / "words.csv"));
    EXPECT_EQ(SystemReason(errno), "No such file or directory");
    EXPECT_EQ(SystemReason(0), "");
}

} // namespace
} // namespace lexaro
