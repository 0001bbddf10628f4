#include "app/InterfaceTexts.h"

#include "AppTestSupport.h"
#include "app/DefaultTexts.h"
#include "app/LanguageSelection.h"
#include "app/Storage.h"

#include <gtest/gtest.h>

using namespace lexaro;
using lexaro::test::TempFolder;
using lexaro::test::WriteBytes;

TEST(InterfaceTexts, LanguageValuesReplaceDefaultsUnlessEmpty) {
    TempFolder folder;
    WriteBytes(folder / "lang_German.xml", "FrmMain.ID_MEN_FILE=\"\"\r\n"
                                           "FrmMain.m_BTNSearch=\"Suchen\"\r\n"
                                           "FrmMain.ID_MEN_NEW=\"Neues W\xC3\xB6rterbuch\tStrg+N\"\r\n");
    InterfaceTexts texts;
    ASSERT_TRUE(texts.LoadLanguageFile(folder / "lang_German.xml"));
    EXPECT_EQ(texts.LanguageFile(), folder / "lang_German.xml");
    EXPECT_EQ(texts.GetText("FrmMain.ID_MEN_FILE"), "File") << "an empty value keeps the built-in text";
    EXPECT_EQ(texts.GetText("FrmMain.m_BTNSearch"), "Suchen");
    EXPECT_EQ(texts.GetWideText("FrmMain.ID_MEN_NEW"), u"Neues W\u00F6rterbuch\tStrg+N");
    EXPECT_EQ(texts.GetText("FrmMain.ID_MEN_OPEN"), "Open dictionary\tCtrl+O") << "a missing key too";
    EXPECT_EQ(texts.GetText("FrmMain.NoSuchKey", "own default"), "own default");
}

TEST(InterfaceTexts, AFileThatCannotBeLoadedLeavesNothingOfTheOldLanguage) {
    TempFolder folder;
    WriteBytes(folder / "lang_German.xml", "FrmMain.m_BTNSearch=\"Suchen\"\r\n");
    WriteBytes(folder / "lang_Empty.xml", "");
    InterfaceTexts texts;
    for (const char* broken : {"lang_Missing.xml", "lang_Empty.xml", ""}) {
        SCOPED_TRACE(broken);
        ASSERT_TRUE(texts.LoadLanguageFile(folder / "lang_German.xml"));
        const std::filesystem::path path = *broken == '\0' ? std::filesystem::path() : folder / broken;
        EXPECT_FALSE(texts.LoadLanguageFile(path));
        EXPECT_EQ(texts.GetText("FrmMain.m_BTNSearch"), "Search");
        EXPECT_TRUE(texts.LanguageFile().empty());
    }
}

TEST(InterfaceTexts, EmbeddedTextsComeWithoutAFile) {
    InterfaceTexts texts;
    texts.SetText("FrmMain.m_BTNSearch=\"Chercher\"\r\n");
    EXPECT_EQ(texts.GetText("FrmMain.m_BTNSearch"), "Chercher");
    EXPECT_TRUE(texts.LanguageFile().empty());
    texts.Clear();
    EXPECT_EQ(texts.GetText("FrmMain.m_BTNSearch"), "Search");
}

TEST(LanguageTag, IsTheWordAfterTheLastUnderscoreBeforeTheFirstPoint) {
    EXPECT_EQ(LanguageTag("/usr/share/lexaro/lang_German.xml"), "German");
    EXPECT_EQ(LanguageTag("C:\\Lexaro\\lang_French.xml"), "French");
    EXPECT_EQ(LanguageTag("lang_pt_Portuguese.v2.xml"), "Portuguese");
    EXPECT_EQ(LanguageTag("/prog/German.xml"), "");
    EXPECT_EQ(LanguageTag("/my_folder/German.xml"), "") << "only the file name counts";
    EXPECT_EQ(LanguageTag("lang_German"), "") << "no point";
    EXPECT_EQ(LanguageTag("German.lang_x"), "") << "the underscore must come before the first point";
    EXPECT_EQ(LanguageTag(""), "");
}

namespace {

void WriteLanguages(const TempFolder& folder, const std::string& pairs) {
    WriteBytes(folder / std::string(kLanguagesFile), pairs);
}

} // namespace

TEST(SelectLanguageByName, TheLastPairOfANameWins) {
    TempFolder folder;
    WriteLanguages(folder, "LanguageDefault=\"Deutsch\"\r\n"
                           "LanguageName=\"Deutsch\"\r\nLanguageFile=\"lang_Old.xml\"\r\n"
                           "LanguageName=\"Fran\xC3\xA7"
                           "ais\"\r\nLanguageFile=\"lang_French.xml\"\r\n"
                           "LanguageName=\"Deutsch\"\r\nLanguageFile=\"lang_German.xml\"\r\n");
    const LanguageSelection byDefault = SelectLanguageByName(folder.Path(), "");
    EXPECT_TRUE(byDefault.matched);
    EXPECT_EQ(byDefault.name, "Deutsch");
    EXPECT_EQ(byDefault.file, folder / "lang_German.xml");
    EXPECT_EQ(SelectLanguageByName(folder.Path(), "Fran\xC3\xA7"
                                                  "ais")
                  .file,
              folder / "lang_French.xml");
    EXPECT_FALSE(SelectLanguageByName(folder.Path(), "deutsch").matched) << "names compare exactly";
}

TEST(SelectLanguageByName, WithoutAMatchTheBuiltInTextsApply) {
    TempFolder folder;
    const LanguageSelection noList = SelectLanguageByName(folder.Path(), "Deutsch");
    EXPECT_FALSE(noList.matched);
    EXPECT_TRUE(noList.file.empty());

    WriteLanguages(folder, "LanguageName=\"Deutsch\"\r\nLanguageFile=\"lang_German.xml\"\r\n"
                           "LanguageName=\"\"\r\nLanguageFile=\"lang_Nameless.xml\"\r\n");
    EXPECT_FALSE(SelectLanguageByName(folder.Path(), "").matched) << "no LanguageDefault, no stored name";
    EXPECT_FALSE(SelectLanguageByName(folder.Path(), "Dansk").matched);
}

TEST(SelectLanguageByName, ListedFilesStayInsideTheProgramFolder) {
    TempFolder folder;
    WriteLanguages(folder, "LanguageName=\"A\"\r\nLanguageFile=\"lang\\lang_A.xml\"\r\n"
                           "LanguageName=\"B\"\r\nLanguageFile=\"/lang_B.xml\"\r\n");
    EXPECT_EQ(SelectLanguageByName(folder.Path(), "A").file, folder.Path() / "lang" / "lang_A.xml");
    EXPECT_EQ(SelectLanguageByName(folder.Path(), "B").file, folder / "lang_B.xml");
}

TEST(LanguageChoices, BuiltInEnglishComesFirstUnlessTheListHasItsOwn) {
    TempFolder folder;
    const std::filesystem::path list = folder / std::string(kLanguagesFile);
    const LanguageChoices none = ReadLanguageChoices(list, folder.Path(), {});
    ASSERT_EQ(none.items.size(), 1u);
    EXPECT_EQ(none.items[0].name, "English");
    EXPECT_TRUE(none.items[0].file.empty());

    WriteLanguages(folder, "LanguageName=\"Deutsch\"\r\nLanguageFile=\"lang_German.xml\"\r\n"
                           "LanguageName=\"Italiano\"\r\nLanguageFile=\"lang_Italian.xml\"\r\n");
    const LanguageChoices two = ReadLanguageChoices(list, folder.Path(), folder / "lang_Italian.xml");
    ASSERT_EQ(two.items.size(), 3u);
    EXPECT_EQ(two.items[0].name, "English");
    EXPECT_EQ(two.items[1].file, folder / "lang_German.xml");
    EXPECT_EQ(two.selected, 2u);
    EXPECT_EQ(ReadLanguageChoices(list, folder.Path(), {}).selected, 0u) << "the built-in texts";
    EXPECT_EQ(ReadLanguageChoices(list, folder.Path(), folder / "lang_Gone.xml").selected, 0u);

    WriteLanguages(folder, "LanguageName=\"Deutsch\"\r\nLanguageFile=\"lang_German.xml\"\r\n"
                           "LanguageName=\"English\"\r\nLanguageFile=\"lang_English.xml\"\r\n");
    const LanguageChoices own = ReadLanguageChoices(list, folder.Path(), folder / "lang_English.xml");
    ASSERT_EQ(own.items.size(), 2u);
    EXPECT_EQ(own.items[0].name, "Deutsch");
    EXPECT_EQ(own.items[1].name, "English");
    EXPECT_EQ(own.selected, 1u);
    EXPECT_EQ(ReadLanguageChoices(list, folder.Path(), {}).selected, 0u);

    WriteLanguages(folder, "LanguageName=\"english\"\r\nLanguageFile=\"lang_english.xml\"\r\n");
    EXPECT_EQ(ReadLanguageChoices(list, folder.Path(), {}).items.size(), 2u) << "only the exact name replaces it";
}
