#include "engine/PhraseTranslator.h"

#include "EntryStoreTestSupport.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

std::vector<std::string> TokensOf(std::string_view text) {
    ClassTable dictionary;
    PhraseTranslator translator(dictionary);
    translator.SetText(text);
    std::vector<std::string> tokens;
    for (int r = 0; r < translator.TokenCount(); ++r) {
        tokens.push_back(translator.Tokens().PeekCell(0, r));
    }
    return tokens;
}

struct TranslatorFixture : test::Fixture {
    TranslatorFixture() { Fill({{"house", "Haus", ""}, {"big", "groß", ""}}); }
    PhraseTranslator translator{store.Entries()};

    std::string Translate(std::string_view text) {
        translator.SetText(text);
        return translator.TranslateAll();
    }
};

using Tokens = std::vector<std::string>;

TEST(PhraseTranslatorTokens, BreakBytesStandAloneAndSemicolonsOnlyCut) {
    EXPECT_EQ(TokensOf("a, b"), (Tokens{"a", ",", "", " ", "b"}));
    EXPECT_EQ(TokensOf("a;b"), (Tokens{"a", "b"}));
    EXPECT_EQ(TokensOf("(big)"), (Tokens{"", "(", "big", ")", ""}));
    EXPECT_EQ(TokensOf("x:y/z\r\n"), (Tokens{"x", ":", "y", "/", "z", "\r", "", "\n", ""}));
    EXPECT_EQ(TokensOf("tab\there"), (Tokens{"tab\there"}));
    EXPECT_EQ(TokensOf(std::string_view("a\0b", 3)), (Tokens{"a", std::string(1, '\0'), "b"}));
    EXPECT_EQ(TokensOf(""), (Tokens{""}));
}

TEST(PhraseTranslatorOutput, WordsAreReplacedAndBreaksKept) {
    TranslatorFixture f;
    EXPECT_EQ(f.Translate("big house."), "groß Haus.");
    EXPECT_EQ(f.Translate("(big) cat"), "(groß) cat");
    EXPECT_EQ(f.Translate("big;house"), "großHaus");
    EXPECT_EQ(f.Translate(""), "");
    EXPECT_FALSE(f.translator.TranslateStep());
}

TEST(PhraseTranslatorOutput, OriginWordsAndLineFeeds) {
    TranslatorFixture f;
    f.translator.SetShowOriginWords(true);
    EXPECT_EQ(f.Translate("big house."), "groß [big]  Haus [house] .");

    f.translator.SetShowOriginWords(false);
    f.translator.SetLineFeedAfterWord(true);
    EXPECT_EQ(f.Translate("big house."), "groß\r\nHaus\r\n");
    // A word that translates to a single break byte is dropped like the break itself.
    f.Fill({{"dot", ".", ""}});
    EXPECT_EQ(f.Translate("dot big"), "groß\r\n");
}

TEST(PhraseTranslatorLevels, HigherLevelsTryLooserModesInOrder) {
    TranslatorFixture f;
    f.Fill({{"houseboat", "Hausboot", ""}, {"a tall tree", "ein hoher Baum", ""}});
    f.translator.SetLevel(0);
    EXPECT_EQ(f.Translate("House"), "House");
    f.translator.SetLevel(1);
    EXPECT_EQ(f.Translate("House"), "Haus");
    EXPECT_EQ(f.Translate("tall"), "tall");
    f.translator.SetLevel(3);
    EXPECT_EQ(f.Translate("tall"), "ein hoher Baum");
    EXPECT_EQ(f.Translate("boat"), "boat");
    f.translator.SetLevel(4);
    EXPECT_EQ(f.Translate("boat"), "Hausboot");
    // Levels above the last mode find what the last mode finds; a negative level finds nothing.
    f.translator.SetLevel(40);
    EXPECT_EQ(f.Translate("boat"), "Hausboot");
    f.translator.SetLevel(-1);
    EXPECT_EQ(f.Translate("house"), "house");
}

TEST(PhraseTranslatorOptions, SwappedColumnsTranslateBack) {
    TranslatorFixture f;
    f.translator.SetSwapColumns(true);
    EXPECT_EQ(f.Translate("groß Haus"), "big house");
}

TEST(PhraseTranslatorOptions, PossibleTranslationsListAtMostElevenMore) {
    test::Fixture f;
    f.Fill({{"go", "a0", ""}, {"GO", "b1", ""}, {"go", "a2", ""}});
    for (int i = 3; i < 15; ++i) {
        f.Fill({{"GO", "b" + std::to_string(i), ""}});
    }
    PhraseTranslator translator(f.store.Entries());
    translator.SetShowPossibleTranslations(true);
    // Each further candidate is the first row under the strictest mode that still finds one.
    translator.SetText("go");
    EXPECT_EQ(translator.TranslateAll(), "a0 { a2 | b3 | b4 | b5 | b6 | b7 | b8 | b9 | b10 | b11 | b12 }");
    translator.SetLevel(0);
    translator.SetText("go go");
    EXPECT_EQ(translator.TranslateAll(), "a0 { a2 } a0 { a2 }");
    f.Fill({{"stay", "bleiben", ""}});
    translator.SetText("stay");
    EXPECT_EQ(translator.TranslateAll(), "bleiben");
}

TEST(PhraseTranslatorWordCache, RepeatedWordsComeFromTheCache) {
    TranslatorFixture f;
    f.translator.SetText("house house");
    ASSERT_TRUE(f.translator.TranslateStep());
    // The dictionary changes after the first look-up; the repeat still uses what was found then.
    f.store.Entries().SetCell(1, 0, "Heim");
    f.translator.TranslateAll();
    EXPECT_EQ(f.translator.Output(), "Haus Haus");
    ASSERT_EQ(f.translator.WordCache().RowCount(), 1);
    EXPECT_EQ(f.translator.WordCache().PeekCell(0, 0), "house");
    EXPECT_EQ(f.translator.WordCache().PeekCell(1, 0), "Haus");

    // A word not in the dictionary is cached as itself and then counts as translated; case matters for the cache.
    f.translator.SetShowOriginWords(true);
    EXPECT_EQ(f.Translate("cat cat Cat"), "cat cat [cat]  Cat");
    EXPECT_EQ(f.translator.WordCache().RowCount(), 2);
    f.Translate("");
    EXPECT_EQ(f.translator.WordCache().RowCount(), 0);
}

TEST(PhraseTranslatorSteps, OneTokenPerStepWithProgressReports) {
    TranslatorFixture f;
    std::string text = "w";
    for (int i = 1; i < 100; ++i) {
        text += ";w";
    }
    f.translator.SetText(text);
    ASSERT_EQ(f.translator.TokenCount(), 100);
    ASSERT_TRUE(f.translator.TranslateStep());
    EXPECT_EQ(f.translator.NextToken(), 1);
    std::vector<int> reports;
    f.translator.TranslateAll([&](int done, int total) {
        EXPECT_EQ(total, 100);
        reports.push_back(done);
    });
    EXPECT_EQ(reports, (std::vector<int>{7, 13, 19, 25, 31, 37, 43, 49, 55, 61, 67, 73, 79, 85, 91, 97}));
    EXPECT_EQ(f.translator.NextToken(), 100);
    EXPECT_EQ(f.translator.Output(), std::string(100, 'w'));
    EXPECT_FALSE(f.translator.TranslateStep());
}

} // namespace
} // namespace lexaro
