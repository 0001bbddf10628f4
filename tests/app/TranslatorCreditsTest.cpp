#include "app/TranslatorCredits.h"

#include "AppTestSupport.h"
#include "TestData.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::TempFolder;
using test::WriteBytes;

TEST(TranslatorCredits, EachListedFileThatNamesItsTranslatorIsCreditedInListOrder) {
    TempFolder folder;
    WriteBytes(folder / "Languages.ini", "LanguageDefault=\"Deutsch\"\r\n"
                                         "LanguageName=\"English\"\r\nLanguageFile=\"lang_English.xml\"\r\n"
                                         "LanguageName=\"Français\"\r\nLanguageFile=\"lang_French.xml\"\r\n"
                                         "LanguageName=\"Deutsch\"\r\nLanguageFile=\"lang_German.xml\"\r\n"
                                         "LanguageName=\"Dansk\"\r\nLanguageFile=\"lang_Danish.xml\"\r\n"
                                         "LanguageName=\"Missing\"\r\nLanguageFile=\"lang_Gone.xml\"\r\n"
                                         "LanguageName=\"Deutsch 2\"\r\nLanguageFile=\"lang_German.xml\"\r\n"
                                         "LanguageName=\"Suomi\"\r\nLanguageFile=\"suomi.xml\"\r\n");
    // The program's own texts are not a translation, even when the file names someone.
    WriteBytes(folder / "lang_English.xml", "FrmMain.m_acTTranslator=\"The Lexaro developers\"\r\n");
    WriteBytes(folder / "lang_French.xml", "FrmMain.m_acTTranslator=\"Claire Martin\"\r\n");
    WriteBytes(folder / "lang_German.xml", "FrmMain.ID_MEN_FILE=\"Datei\"\r\n"
                                           "FrmMain.m_acTTranslator=\"Anna Weber\"\r\n"
                                           "FrmMain.m_acTTranslatorContact=\"anna@example.net\"\r\n");
    // No translator of its own: the built-in makers' credit is not repeated for it.
    WriteBytes(folder / "lang_Danish.xml", "FrmMain.ID_MEN_FILE=\"Fil\"\r\n");
    WriteBytes(folder / "suomi.xml", "FrmMain.m_acTTranslator=\"Aino\"\r\n");

    const std::vector<TranslatorCredit> credits = ReadTranslatorCredits(folder.Path());
    ASSERT_EQ(credits.size(), 3u);
    EXPECT_EQ(credits[0].language, "French");
    EXPECT_EQ(CreditText(credits[0]), "Claire Martin");
    EXPECT_EQ(credits[1].language, "German");
    EXPECT_EQ(CreditText(credits[1]), "Anna Weber (anna@example.net)");
    // Without a tag in the file name the listed name stands for the language.
    EXPECT_EQ(credits[2].language, "Suomi");
}

TEST(TranslatorCredits, TheShippedTranslationsAreCredited) {
    std::vector<std::string> languages;
    for (const TranslatorCredit& credit :
         ReadTranslatorCredits(std::filesystem::path(LEXARO_SOURCE_DIR) / "resources")) {
        languages.push_back(credit.language);
        EXPECT_FALSE(credit.name.empty()) << credit.language;
    }
    EXPECT_EQ(languages, (std::vector<std::string>{"German", "French"}));
}

TEST(TranslatorCredits, NoLanguageListGivesNoCreditsAndALongListIsCut) {
    TempFolder folder;
    EXPECT_TRUE(ReadTranslatorCredits(folder.Path()).empty());

    std::string list;
    for (int i = 0; i < 40; ++i) {
        const std::string file = "lang_L" + std::to_string(i) + ".xml";
        list += "LanguageName=\"L" + std::to_string(i) + "\"\r\nLanguageFile=\"" + file + "\"\r\n";
        WriteBytes(folder / file, "FrmMain.m_acTTranslator=\"T\"\r\n");
    }
    WriteBytes(folder / "Languages.ini", list);
    EXPECT_EQ(ReadTranslatorCredits(folder.Path()).size(), kMaxTranslatorCredits);
}

TEST(TranslatorCredits, OnlyMailAndWebContactsBecomeLinks) {
    EXPECT_EQ(ContactLink("anna@example.net"), "mailto:anna@example.net");
    EXPECT_EQ(ContactLink("mailto:anna@example.net"), "mailto:anna@example.net");
    EXPECT_EQ(ContactLink("https://example.net/anna"), "https://example.net/anna");
    EXPECT_EQ(ContactLink("HTTP://example.net"), "HTTP://example.net");
    EXPECT_EQ(ContactLink("www.example.net"), "https://www.example.net");

    EXPECT_EQ(ContactLink(""), "");
    EXPECT_EQ(ContactLink("file:///etc/passwd"), "");
    EXPECT_EQ(ContactLink("smb://host@share/x"), "");
    EXPECT_EQ(ContactLink("javascript:alert(1)"), "");
    EXPECT_EQ(ContactLink("anna @example.net"), "");
    EXPECT_EQ(ContactLink("https://example.net/\nrm"), "");
    EXPECT_EQ(ContactLink("@example.net"), "");
    EXPECT_EQ(ContactLink("anna@"), "");
    EXPECT_EQ(ContactLink("Anna Weber"), "");
}

} // namespace
} // namespace lexaro
