#include "app/DictionaryFiles.h"

#include "AppTestSupport.h"
#include "app/RecentList.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace lexaro {
namespace {

DictionaryRead ReadFile(const std::string& name, const std::string& bytes, ClassTable& table) {
    test::TempFolder folder;
    test::WriteBytes(folder / name, bytes);
    return ReadDictionaryFile(table, folder / name, KindOfFile(name));
}

TEST(DictionaryFiles, KindComesFromTheExtensionAndOnlyOpenedKindsAreRecent) {
    EXPECT_EQ(KindOfFile("/d/Words.LXD"), FileKind::Dictionary);
    EXPECT_EQ(KindOfFile("in.csv"), FileKind::SeparatedText);
    EXPECT_EQ(KindOfFile("unit.lxt"), FileKind::TrainingUnit);
    EXPECT_EQ(KindOfFile("page.htm"), FileKind::Other);
    EXPECT_TRUE(BelongsInRecentList("/d/unit.lxt"));
    EXPECT_FALSE(BelongsInRecentList("/d/words.htm"));
    EXPECT_FALSE(BelongsInRecentList("/d/words.html"));
}

TEST(DictionaryFiles, DictionaryOfNoEntriesOpensButOtherContentIsNone) {
    ClassTable empty;
    empty.Resize(3, 0);
    ClassTable table;
    EXPECT_EQ(ReadFile("empty.lxd", empty.ToXml2Text(), table), DictionaryRead::Complete);
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(ReadFile("picture.lxd", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s, table), DictionaryRead::NotADictionary);
    EXPECT_EQ(ReadFile("notes.lxd", "house;Haus\r\n", table), DictionaryRead::NotADictionary);
    EXPECT_EQ(ReadFile("nothing.lxd", "", table), DictionaryRead::NotADictionary);
    // The counts are there but the first row breaks: nothing to open.
    EXPECT_EQ(ReadFile("broken.lxd", "<CT_ROWS>1</CT_ROWS><CT_COLUMNS>2</CT_COLUMNS><CT_R><CT_C=1>a", table),
              DictionaryRead::NotADictionary);
    EXPECT_EQ(ReadFile("damaged.lxd",
                       "<CT_ROWS>2</CT_ROWS><CT_COLUMNS>1</CT_COLUMNS><CT_R><CT_C=1>a</CT_C></CT_R><CT_R><CT_C=1>b",
                       table),
              DictionaryRead::Partial);
    EXPECT_EQ(table.RowCount(), 1);
}

TEST(DictionaryFiles, SeparatedTextNeedsACellWithText) {
    ClassTable table;
    EXPECT_EQ(ReadFile("in.csv", "castle;Burg\nnewword;neu\n", table), DictionaryRead::Complete);
    EXPECT_EQ(table.RowCount(), 2);
    for (const std::string& none : {"just notes\nno separator"s, ";"s, ""s, "\x89PNG\r\n\x1a\n\0;x"s}) {
        EXPECT_EQ(ReadFile("in.csv", none, table), DictionaryRead::NotADictionary) << none;
        EXPECT_EQ(table.RowCount(), 0);
    }
}

} // namespace
} // namespace lexaro
