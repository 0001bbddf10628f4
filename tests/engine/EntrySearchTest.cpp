#include "EntryStoreTestSupport.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using Paths = std::vector<std::filesystem::path>;
const std::string kRule = "\r\n-------------------------\r\n";

struct SearchFixture : test::Fixture {
    SearchFixture() {
        Fill({{"house", "Haus", ""},
              {"House", "Haus (Gebäude)", ""},
              {"big", "groß", ""},
              {"hse", "abbreviation", ""},
              {"dog", "a loyal animal\r\nbarks", ""}});
    }
    bool found = false;

    std::string Search(std::string_view text) {
        store.SetCurrentRow(-1);
        std::string out = "stale";
        found = store.Lookup(text, store.SearchSubstring(), false, Paths{}, "none", out);
        EXPECT_EQ(out, store.ResultText());
        return out;
    }
};

TEST(EntrySearchPasses, ExactTermsComeFirstAndSetTheCurrentRow) {
    SearchFixture f;
    EXPECT_EQ(f.Search("HOUSE"), "[house]\r\nHaus" + kRule + "[House]\r\nHaus (Gebäude)");
    EXPECT_TRUE(f.found);
    EXPECT_EQ(f.store.ResultCount(), 2);
    EXPECT_EQ(f.store.CurrentRow(), 0);

    // A current row chosen by the caller is kept.
    f.store.SetCurrentRow(3);
    std::string out;
    f.store.Lookup("big", true, false, Paths{}, "", out);
    EXPECT_EQ(f.store.CurrentRow(), 3);
}

TEST(EntrySearchPasses, ExplanationsThenSubstringsWhenEarlierPassesFail) {
    SearchFixture f;
    EXPECT_EQ(f.Search("groß"), "[groß]\r\nbig");
    EXPECT_EQ(f.store.CurrentRow(), 2);
    EXPECT_EQ(f.Search("ous"), "[house]\r\nHaus" + kRule + "[House]\r\nHaus (Gebäude)");
    // The whole explanation is shown, line breaks and all.
    EXPECT_EQ(f.Search("loyal"), "[a loyal animal\r\nbarks]\r\ndog");

    // Without substrings the explanations are still searched for contained text.
    f.store.SetSearchSubstring(false);
    EXPECT_EQ(f.Search("ous"), "");
    EXPECT_FALSE(f.found);
    EXPECT_EQ(f.Search("Gebäude"), "[Haus (Gebäude)]\r\nHouse");
    EXPECT_EQ(f.store.CurrentRow(), 1);

    f.store.SetSearchViceVersa(false);
    EXPECT_EQ(f.Search("Gebäude"), "");
    EXPECT_EQ(f.Search("groß"), "");
    EXPECT_EQ(f.store.ResultCount(), 0);
    EXPECT_EQ(f.store.CurrentRow(), -1);
}

TEST(EntrySearchPasses, NothingToFind) {
    SearchFixture f;
    EXPECT_EQ(f.Search(""), "");
    EXPECT_FALSE(f.found);

    // A busy table behaves as if nothing matched.
    ASSERT_TRUE(f.store.Entries().AccessGuard(kGuardExclusive));
    EXPECT_EQ(f.Search("house"), "");
    EXPECT_FALSE(f.found);
    f.store.Entries().AccessGuard(kGuardRelease);
}

TEST(EntrySearchWildcard, PositionDecidesTheMatch) {
    SearchFixture f;
    EXPECT_EQ(f.Search("hou*"), "[house]\r\nHaus" + kRule + "[House]\r\nHaus (Gebäude)");
    EXPECT_EQ(f.Search("*SE"),
              "[house]\r\nHaus" + kRule + "[House]\r\nHaus (Gebäude)" + kRule + "[hse]\r\nabbreviation");
    // In the middle it stands for at least one byte.
    EXPECT_EQ(f.Search("h*se"), "[house]\r\nHaus" + kRule + "[House]\r\nHaus (Gebäude)");
    EXPECT_EQ(f.Search("Ha*äude)"), "[Haus (Gebäude)]\r\nHouse");
    // Only the first wildcard counts; a second one is an ordinary byte.
    EXPECT_EQ(f.Search("*ous*"), "");

    f.store.SetWildcard("");
    EXPECT_EQ(f.Search("hou*"), "");
}

TEST(EntrySearchWildcard, AloneListsEveryEntry) {
    SearchFixture f;
    const std::string all = f.Search("*");
    EXPECT_EQ(f.store.ResultCount(), 5);
    EXPECT_EQ(all.rfind("[house]\r\nHaus" + kRule + "[House]", 0), 0u);
    EXPECT_TRUE(all.ends_with(kRule + "[dog]\r\na loyal animal\r\nbarks"));
}

TEST(EntrySearchWildcard, LongerWildcardIsOneUnit) {
    SearchFixture f;
    f.store.SetWildcard("%%");
    EXPECT_EQ(f.Search("bi%%"), "[big]\r\ngroß");
    EXPECT_EQ(f.Search("%%og"), "[dog]\r\na loyal animal\r\nbarks");
    EXPECT_EQ(f.Search("d%%g"), "[dog]\r\na loyal animal\r\nbarks");
    EXPECT_EQ(f.Search("do%%g"), "");
    f.Search("%%");
    EXPECT_EQ(f.store.ResultCount(), 5);
    // A single byte of it is no wildcard.
    EXPECT_EQ(f.Search("bi%"), "");
}

TEST(EntrySearchPhrase, EnclosedTextIsTranslatedInsteadOfLookedUp) {
    SearchFixture f;
    EXPECT_EQ(f.Search("\"big house.\""), "groß Haus.");
    EXPECT_TRUE(f.found);
    EXPECT_EQ(f.store.ResultCount(), 1);
    EXPECT_EQ(f.store.CurrentRow(), -1);

    // Nothing translated: shown as it is, found, but no hit is counted.
    EXPECT_EQ(f.Search("\"zebra\""), "zebra");
    EXPECT_TRUE(f.found);
    EXPECT_EQ(f.store.ResultCount(), 0);

    f.store.SetTranslateChar("'x");
    EXPECT_EQ(f.Search("'big'"), "groß");
    EXPECT_EQ(f.Search("\"big\""), "");
    f.store.SetTranslateChar("");
    EXPECT_EQ(f.Search("'big'"), "");
}

TEST(EntrySearchPhrase, TranslateCharacterAloneFindsNothing) {
    SearchFixture f;
    f.Fill({{"\"", "quote", ""}});
    for (const char* text : {"\"", "\"\""}) {
        EXPECT_EQ(f.Search(text), "") << text;
        EXPECT_FALSE(f.found);
        EXPECT_EQ(f.store.ResultCount(), 0);
    }
}

TEST(EntrySearchLimits, LimitFlagAndHardCap) {
    test::Fixture f;
    for (int i = 0; i < 600; ++i) {
        f.Fill({{"w" + std::to_string(i), "x", ""}});
    }
    std::string out;
    const Paths none;
    EXPECT_TRUE(f.store.Lookup("w*", true, false, none, "", out));
    EXPECT_EQ(f.store.ResultCount(), kSearchHitCap);
    EXPECT_TRUE(out.ends_with(kRule + "[w499]\r\nx"));

    f.store.SetLimitMaxResults(true);
    f.store.SetMaxResults(10);
    f.store.Lookup("w*", true, false, none, "", out);
    EXPECT_EQ(f.store.ResultCount(), 10);
    EXPECT_EQ(out.size(), 10 * std::string("[wN]\r\nx").size() + 9 * kRule.size());
    EXPECT_TRUE(out.ends_with(kRule + "[w9]\r\nx"));

    f.store.SetMaxResults(1000);
    f.store.Lookup("x", true, false, none, "", out);
    EXPECT_EQ(f.store.ResultCount(), kSearchHitCap);
}

} // namespace
} // namespace lexaro
