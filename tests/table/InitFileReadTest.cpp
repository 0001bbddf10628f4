#include "table/InitFileDocument.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using lexaro::InitFileDocument;
using lexaro::InitFileForm;

namespace {

class InitFileRead : public ::testing::TestWithParam<InitFileForm> {};

} // namespace

INSTANTIATE_TEST_SUITE_P(Forms, InitFileRead, ::testing::Values(InitFileForm::Element, InitFileForm::Pair),
                         [](const auto& info) {
                             return info.param == InitFileForm::Element ? std::string("Element") : std::string("Pair");
                         });

TEST_P(InitFileRead, RepeatedKeysWalkInOrderWithOneCursorForAllKeys) {
    InitFileDocument document(GetParam());
    document.AddValue("LanguageDefault", "English");
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {"Deutsch", "German.lng"}, {"English", "English.lng"}, {"Deutsch", "German2.lng"}};
    for (const auto& [name, file] : pairs) {
        document.AddValue("LanguageName", name);
        document.AddValue("LanguageFile", file);
    }
    std::vector<std::pair<std::string, std::string>> read;
    std::string name = document.GetString("LanguageName", "");
    std::string file = document.GetString("LanguageFile", "");
    while (!name.empty() || !file.empty()) {
        read.emplace_back(name, file);
        name = document.GetValueNext("LanguageName");
        file = document.GetValueNext("LanguageFile");
    }
    EXPECT_EQ(read, pairs);
    // A miss leaves the cursor after the last value found, just before that line's CR LF.
    EXPECT_EQ(document.Cursor(), document.Body().size() - 2);

    const std::size_t second = document.Body().find("English.lng");
    EXPECT_EQ(document.GetValue(second, "LanguageName"), "Deutsch");
    EXPECT_EQ(document.GetValueNext("LanguageFile"), "German2.lng");
    EXPECT_EQ(document.GetValue(document.Body().size(), "LanguageName"), "");
    EXPECT_EQ(document.GetValue(document.Body().size() + 100, "LanguageName"), "");
}

TEST_P(InitFileRead, MissingEmptyOrUnclosedValuesGiveTheDefaults) {
    InitFileDocument document(GetParam());
    document.AddValue("Empty", "");
    document.AppendLine(GetParam() == InitFileForm::Element ? "<Open>1\r\n" : "Open=\"1\r\n");
    for (const char* key : {"Empty", "Absent", "Open"}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(document.GetValue(0, key), "");
        EXPECT_EQ(document.GetString(key, "fallback"), "fallback");
        EXPECT_EQ(document.GetInt(key, 4000), 4000);
        EXPECT_TRUE(document.GetBool(key, true));
        EXPECT_FALSE(document.GetBool(key, false));
    }
}

TEST_P(InitFileRead, NumbersReadAsStrtolDoesWithinTheIntRange) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"1", 1},
        {"2", 2},
        {"-5", -5},
        {"  \t 42", 42},
        {"+7", 7},
        {"007", 7},
        {"3;4;5;6", 3},
        {"abc", 0},
        {"-", 0},
        {" ", 0},
        {"0x10", 0},
        {"1.9", 1},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        // Out of range values stop at the int limits instead of wrapping.
        {"2147483648", 2147483647},
        {"99999999999999999999999", 2147483647},
        {"-2147483649", -2147483647 - 1},
        {"-99999999999999999999999", -2147483647 - 1},
    };
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored);
        InitFileDocument document(GetParam());
        document.AddValue("TrainInterval", stored);
        document.AddValue("TrainInterval", "1");
        EXPECT_EQ(document.GetInt("TrainInterval", 4000), expected);
        EXPECT_EQ(document.GetBool("TrainInterval", expected != 1), expected == 1);
        EXPECT_EQ(document.GetValueNext("TrainInterval"), "1");
    }
    InitFileDocument document(GetParam());
    document.AddValue("AutoSafe", "1x");
    document.AddValue("ClipWatch", "true");
    EXPECT_TRUE(document.GetBool("AutoSafe", false));
    EXPECT_FALSE(document.GetBool("ClipWatch", true));
}

TEST(InitFileKeyMatching, PairKeyInsideALongerKeyIsNotTakenForIt) {
    InitFileDocument document(InitFileForm::Pair);
    document.AddValue("FrmTrain.m_Text", "long");
    document.AddValue("FrmMain.Caption", "main");
    document.AddValue("XText", "other");
    document.AddValue("Text", "short");
    document.AddValue("Caption", "bare");
    EXPECT_EQ(document.GetValue(0, "Text"), "short");
    EXPECT_EQ(document.GetValue(0, "Caption"), "bare");
    EXPECT_EQ(document.GetValue(0, "FrmTrain.m_Text"), "long");
    EXPECT_EQ(document.GetValue(0, "m_Text"), "");
    EXPECT_EQ(document.GetString("Main.Caption", "dflt"), "dflt");
}

TEST(InitFileKeyMatching, PairKeyAfterByteOrderMarkBlankOrPreviousValueIsFound) {
    InitFileDocument document(InitFileForm::Pair);
    ASSERT_TRUE(document.ParseText("\xEF\xBB\xBF"
                                   "First=\"1\"\r\n  Indented=\"2\"\r\nA=\"3\"B=\"4\"\n\tTabbed=\"5\"\r\n"
                                   "Spaced = \"6\"\r\nOpen=\"7\r\nC=\"x\""));
    EXPECT_EQ(document.GetValue(0, "First"), "1");
    EXPECT_EQ(document.GetValue(0, "Indented"), "2");
    EXPECT_EQ(document.GetValue(0, "B"), "4");
    EXPECT_EQ(document.GetValue(0, "Tabbed"), "5");
    EXPECT_EQ(document.GetValue(0, "Spaced"), "");
    // A value runs to the next double quote, across line ends.
    EXPECT_EQ(document.GetValue(0, "Open"), "7\r\nC=");
}
