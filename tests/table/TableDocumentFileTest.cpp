#include "TableTestSupport.h"
#include "table/ClassTable.h"

#include <gtest/gtest.h>
#include <string>

using namespace std::string_view_literals;

namespace lexaro {
namespace {

using test::Cells;
using test::Fill;
using Rows = std::vector<std::vector<std::string>>;

TEST(DocumentFile, SaveAndLoadKeepCellsAndRecordThePath) {
    test::TempFolder folder;
    const auto path = folder / "words.lxd";
    ClassTable table;
    Fill(table, {{"term", "explanation", "2024-01-02 03:04:05"}, {"x", "", "y"}});
    ASSERT_TRUE(table.SaveDocumentFile(path));
    EXPECT_FALSE(table.IsModified());
    EXPECT_EQ(table.FileName(), path);
    EXPECT_EQ(test::ReadBytes(path), table.ToXml2Text());

    ClassTable loaded;
    ASSERT_TRUE(loaded.LoadDocumentFile(path));
    EXPECT_EQ(Cells(loaded), Cells(table));
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_EQ(loaded.FileName(), path);
    EXPECT_EQ(folder.Names().size(), 1u); // no temporary file left behind
}

TEST(DocumentFile, CodePageFileReadsBackIntoATableOfThatCodePage) {
    test::TempFolder folder;
    const auto path = folder / "western.lxd";
    ClassTable table;
    table.SetCharset(1252);
    Fill(table, {{"caf\xC3\xA9"}});
    ASSERT_TRUE(table.SaveDocumentFile(path));
    EXPECT_NE(test::ReadBytes(path).find("<CT_C=5>caf\xE9</CT_C>"), std::string::npos);

    ClassTable western;
    western.SetCharset(1252);
    ASSERT_TRUE(western.LoadDocumentFile(path));
    EXPECT_EQ(western.GetCell(0, 0), "caf\xC3\xA9");
    EXPECT_EQ(western.FileCharset(), 1252);
}

TEST(DocumentFile, FailedLoadLeavesAnEmptyCleanTable) {
    test::TempFolder folder;
    test::WriteBytes(folder / "empty.lxd", "");
    ClassTable table;
    Fill(table, {{"old"}});
    for (const auto& path : {folder / "missing.lxd", folder / "empty.lxd", folder.Path(), std::filesystem::path()}) {
        EXPECT_FALSE(table.LoadDocumentFile(path)) << path;
        EXPECT_EQ(table.RowCount(), 0);
        EXPECT_EQ(table.StoredRowCount(), 0);
        EXPECT_FALSE(table.IsModified());
        EXPECT_TRUE(table.FileName().empty());
    }
}

TEST(DocumentFile, UnparsableDocumentStillRecordsThePath) {
    test::TempFolder folder;
    test::WriteBytes(folder / "bad.lxd", "<CT_ROWS>1</CT_ROWS> and no columns");
    ClassTable table;
    EXPECT_FALSE(table.LoadDocumentFile(folder / "bad.lxd"));
    EXPECT_EQ(table.FileName(), folder / "bad.lxd");
    EXPECT_FALSE(table.IsModified());
}

TEST(DocumentFile, ContentEndsAtANulByte) {
    test::TempFolder folder;
    test::WriteBytes(folder / "nul.lxd", "<CT_ROWS>2</CT_ROWS><CT_COLUMNS>1</CT_COLUMNS><CT_R><CT_C>a</CT_C>\0"
                                         "<CT_R><CT_C>b</CT_C>"sv);
    for (const auto access : {ClassTable::DocumentAccess::Copy, ClassTable::DocumentAccess::Map}) {
        ClassTable table;
        EXPECT_TRUE(table.LoadDocumentFile(folder / "nul.lxd", access));
        EXPECT_EQ(Cells(table), (Rows{{"a"}}));
    }
}

// A table read through a mapping of its file is saved over that file as safely as any other.
TEST(DocumentFile, MappedTableSavesOverItsOwnFile) {
    test::TempFolder folder;
    const auto path = folder / "words.lxd";
    ClassTable table;
    Fill(table, {{"term", "explanation"}, {"other", "more"}});
    ASSERT_TRUE(table.SaveDocumentFile(path));
    ClassTable mapped;
    ASSERT_TRUE(mapped.LoadDocumentFile(path, ClassTable::DocumentAccess::Map));
    ASSERT_TRUE(mapped.SetCell(1, 0, "changed"));
    ASSERT_TRUE(mapped.SaveDocumentFile(path));
    EXPECT_EQ(Cells(mapped), (Rows{{"term", "changed"}, {"other", "more"}}));
    ClassTable reread;
    ASSERT_TRUE(reread.LoadDocumentFile(path));
    EXPECT_EQ(Cells(reread), Cells(mapped));
}

TEST(DocumentFile, TableFileHelpersReadUpToTheFirstNul) {
    test::TempFolder folder;
    test::WriteBytes(folder / "f", "ab\0cd"sv);
    std::FILE* file = ClassTable::OpenTableFile(folder / "f", true);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ClassTable::ReadWholeFile(file, 5), "ab");
    std::fclose(file);
    EXPECT_EQ(ClassTable::OpenTableFile(folder / "missing", true), nullptr);
    EXPECT_EQ(ClassTable::OpenTableFile(folder.Path(), true), nullptr);
    EXPECT_EQ(ClassTable::OpenTableFile("", false), nullptr);
}

// Every writer replaces its target in one step: a failed write reports false and leaves the old file,
// the table's file name and its modified flag as they were.
class FailedWrite : public ::testing::Test {
protected:
    void SetUp() override {
        m_Path = m_Folder / "target";
        test::WriteBytes(m_Path, "old content");
        m_Table.SetFileName("/somewhere/before.lxd");
        std::string big(4096, 'x');
        Fill(m_Table, {{big, big}});
        m_Table.SetModified(true);
    }

    void ExpectUntouched() {
        EXPECT_EQ(test::ReadBytes(m_Path), "old content");
        EXPECT_EQ(m_Table.FileName(), "/somewhere/before.lxd");
        EXPECT_TRUE(m_Table.IsModified());
        EXPECT_EQ(m_Folder.Names().size(), 1u);
    }

    test::TempFolder m_Folder;
    std::filesystem::path m_Path;
    ClassTable m_Table;
};

TEST_F(FailedWrite, WriteErrorHalfWayKeepsTheOldFile) {
    {
        test::FileSizeLimit limit(1000);
        EXPECT_FALSE(m_Table.SaveDocumentFile(m_Path));
        EXPECT_FALSE(m_Table.SaveSeparatedText(m_Path));
        EXPECT_FALSE(m_Table.SaveHtml(m_Path));
    }
    ExpectUntouched();
}

TEST_F(FailedWrite, UnknownCodePageWritesNothing) {
    m_Table.SetCharset(31337);
    EXPECT_FALSE(m_Table.SaveDocumentFile(m_Path));
    EXPECT_FALSE(m_Table.SaveSeparatedText(m_Path));
    EXPECT_FALSE(m_Table.SaveHtml(m_Path));
    ExpectUntouched();
}

TEST_F(FailedWrite, BusyTableIsNotWrittenAsEmptyCells) {
    ASSERT_TRUE(m_Table.AccessGuard(kGuardExclusive));
    EXPECT_FALSE(m_Table.SaveDocumentFile(m_Path));
    EXPECT_FALSE(m_Table.SaveSeparatedText(m_Path));
    EXPECT_FALSE(m_Table.SaveHtml(m_Path));
    m_Table.AccessGuard(kGuardRelease);
    ExpectUntouched();
}

TEST_F(FailedWrite, MissingFolderOrEmptyPathFails) {
    const auto elsewhere = m_Folder / "no-such-folder" / "target";
    EXPECT_FALSE(m_Table.SaveDocumentFile(elsewhere));
    EXPECT_FALSE(m_Table.SaveSeparatedText(elsewhere));
    EXPECT_FALSE(m_Table.SaveDocumentFile(""));
    EXPECT_FALSE(m_Table.SaveSeparatedText(""));
    ExpectUntouched();
}

TEST(DocumentFileCodePage, UnknownCodePageFailsTheLoadInsteadOfShowingEmptyCells) {
    test::TempFolder folder;
    ClassTable source;
    Fill(source, {{"word"}});
    ASSERT_TRUE(source.SaveDocumentFile(folder / "d.lxd"));
    ASSERT_TRUE(source.SaveSeparatedText(folder / "d.csv"));

    ClassTable table;
    table.SetCharset(31337);
    EXPECT_FALSE(table.LoadDocumentFile(folder / "d.lxd"));
    EXPECT_EQ(table.StoredRowCount(), 0);
    EXPECT_TRUE(table.FileName().empty());

    Fill(table, {{"mine"}});
    EXPECT_FALSE(table.LoadSeparatedText(folder / "d.csv"));
    EXPECT_EQ(Cells(table), (Rows{{"mine"}}));
}

} // namespace
} // namespace lexaro
