#include "app/OptionRules.h"

#include "AppTestSupport.h"
#include "app/HelpFiles.h"

#include <climits>
#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::TempFolder;
using test::WriteBytes;

TEST(OptionRules, DecimalsAreReadAsStrtolReadsThem) {
    EXPECT_EQ(ReadDecimal("4000"), 4000);
    EXPECT_EQ(ReadDecimal("  -12abc"), -12);
    EXPECT_EQ(ReadDecimal("+7"), 7);
    EXPECT_EQ(ReadDecimal("abc"), 0);
    EXPECT_EQ(ReadDecimal(""), 0);
    EXPECT_EQ(ReadDecimal("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ReadDecimal("-99999999999999999999"), INT_MIN);
}

TEST(OptionRules, CharsetTextsRoundTrip) {
    EXPECT_EQ(CharsetText(65001), "UTF-8");
    EXPECT_EQ(CharsetText(-1), "System");
    EXPECT_EQ(CharsetText(1252), "1252");
    for (const char* utf8 : {"UTF-8", "UTF8", "UFT8", "utf-8", "Utf8"}) {
        EXPECT_EQ(CharsetFromText(utf8), 65001) << utf8;
    }
    EXPECT_EQ(CharsetFromText("System"), -1);
    EXPECT_EQ(CharsetFromText("1252"), 1252);
    EXPECT_EQ(CharsetFromText(" 0"), 0);
    EXPECT_EQ(CharsetFromText("utf"), kNoCharset) << "0 would stand for the system's code page";
    EXPECT_EQ(CharsetFromText("system"), kNoCharset);
    EXPECT_FALSE(IsUsableCharset(kNoCharset));
}

TEST(OptionRules, OnlyConvertibleCharsetsAreUsable) {
    EXPECT_TRUE(IsUsableCharset(65001));
    EXPECT_TRUE(IsUsableCharset(-1));
    EXPECT_TRUE(IsUsableCharset(1252));
    EXPECT_TRUE(IsUsableCharset(0)) << "the current code page, as -1";
    EXPECT_FALSE(IsUsableCharset(4));
    EXPECT_FALSE(IsUsableCharset(12345));
}

TEST(HelpFiles, TheLanguageTagChoosesThePageWithTheEnglishOneAsFallback) {
    TempFolder folder;
    // The built-in texts have no tag; their page is the English one, also when it is missing.
    EXPECT_EQ(HelpFilePath(folder.Path(), ""), folder / "Lexaro_English.html");
    EXPECT_EQ(HelpFilePath(folder.Path(), "/usr/share/lexaro/lang_German.xml"), folder / "Lexaro_English.html");

    WriteBytes(folder / "Lexaro_English.html", "english");
    EXPECT_EQ(HelpFilePath(folder.Path(), ""), folder / "Lexaro_English.html");
    EXPECT_EQ(HelpFilePath(folder.Path(), "/usr/share/lexaro/lang_German.xml"), folder / "Lexaro_English.html");

    WriteBytes(folder / "Lexaro_German.html", "german");
    EXPECT_EQ(HelpFilePath(folder.Path(), "/usr/share/lexaro/lang_German.xml"), folder / "Lexaro_German.html");
    // A file name without "_" has no tag; a folder named like a page is not a page.
    EXPECT_EQ(HelpFilePath(folder.Path(), "German.xml"), folder / "Lexaro_English.html");
    std::filesystem::create_directory(folder / "Lexaro_French.html");
    EXPECT_EQ(HelpFilePath(folder.Path(), "lang_French.xml"), folder / "Lexaro_English.html");
}

TEST(HelpFiles, TheUpdateAddressAsksTheReleasePageForTheEnglishPageOfThisVersion) {
    EXPECT_EQ(UpdateAddress(), std::string(kReleasePage) + "?lang=ENG&progvers=2.580");
    EXPECT_EQ(std::string(kReleasePage).rfind("https://", 0), 0u);
}

} // namespace
} // namespace lexaro
