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

TEST(DictionaryFiles, OnlyKindsTheProgramOpensAreRecent) {
    EXPECT_TRUE(BelongsInRecentList("/d/Words.LXD") && BelongsInRecentList("in.csv") && BelongsInRecentList("u.lxt"));
    EXPECT_FALSE(BelongsInRecentList("/d/words.htm") || BelongsInRecentList("/d/words.html"));
}

TEST(DictionaryFiles, DictdAndStarDictFilesReadWholeOrGiveTheReason) {
    test::TempFolder folder;
    test::WriteBytes(folder / "d.index", "house\tA\tL\n");
    test::WriteBytes(folder / "d.dict", "house\nHaus\n");
    ClassTable table;
    std::string why;
    EXPECT_EQ(ReadDictionaryFile(table, folder / "d.dict", KindOfFile((folder / "d.dict").string()), &why),
              DictionaryRead::Complete);
    EXPECT_EQ(table.GetCell(1, 0), "Haus");
    test::WriteBytes(folder / "d.index", "house\tA\tZ\n");
    EXPECT_EQ(ReadDictionaryFile(table, folder / "d.index", FileKind::Foreign, &why), DictionaryRead::NotADictionary);
    EXPECT_NE(why.find("past the end"), std::string::npos) << why;
    Environment environment;
    environment.home = "/home/u";
    EXPECT_EQ(ForeignDictionaryFolders(environment).back(), "/home/u/.local/share/stardict/dic");
    environment.xdgDataHome = "/data";
    EXPECT_EQ(ForeignDictionaryFolders(environment),
              (std::vector<std::filesystem::path>{"/usr/share/dictd", "/usr/share/stardict/dic",
                                                  "/home/u/.stardict/dic", "/data/stardict/dic"}));
}

TEST(DictionaryFiles, ADictionaryOfNoEntriesOpensOtherContentIsNone) {
    ClassTable table;
    table.Resize(3, 0);
    EXPECT_EQ(ReadFile("empty.lxd", table.ToXml2Text(), table), DictionaryRead::Complete);
    const std::string damaged = "<CT_ROWS>2</CT_ROWS><CT_COLUMNS>1</CT_COLUMNS><CT_R><CT_C=1>a</CT_C></CT_R><CT_R>";
    EXPECT_EQ(ReadFile("damaged.lxd", damaged, table), DictionaryRead::Partial);
    EXPECT_EQ(ReadFile("in.csv", "castle;Burg\nnewword;neu\n", table), DictionaryRead::Complete);
    EXPECT_EQ(table.RowCount(), 2);
    // A picture, separated text in a dictionary's name, a first row that breaks; text without the separator.
    for (const auto& [name, bytes] : {std::pair{"picture.lxd", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s},
                                      {"notes.lxd", "house;Haus\r\n"s},
                                      {"broken.lxd", "<CT_ROWS>1</CT_ROWS><CT_COLUMNS>2</CT_COLUMNS><CT_R>"s},
                                      {"empty.csv", ""s},
                                      {"notes.csv", "just notes\nno separator"s},
                                      {"blank.csv", ";"s}}) {
        EXPECT_EQ(ReadFile(name, bytes, table), DictionaryRead::NotADictionary) << name;
        EXPECT_EQ(table.RowCount(), 0);
    }
}

} // namespace
} // namespace lexaro
