#include "CliTestSupport.h"
#include "cli/Commands.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::CliResult;
using test::DataFile;

CliResult Lookup(std::vector<std::string> args) {
    args.insert(args.begin(), DataFile("small.lxd"));
    return test::RunCommand<cli::LookupCommand>(args);
}

constexpr std::string_view kRule = "\r\n-------------------------\r\n";

TEST(CliLookup, HitsAreWrittenAsTheMainWindowShowsThem) {
    CliResult result = Lookup({"HOUSE"});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, "[house]\r\nHaus\n");
    EXPECT_TRUE(result.err.empty());

    // Found in the explanations: the explanation in brackets, the term below.
    EXPECT_EQ(Lookup({"Garten"}).out, "[Garten]\r\ngarden\n");
    // Found as part of a term.
    EXPECT_EQ(Lookup({"boat"}).out, "[houseboat]\r\nHausboot\n");
    // An explanation with an additional part is written whole.
    EXPECT_EQ(Lookup({"mouse"}).out, "[mouse]\r\nMaus<add_exp><exp_pos>Die Maus ist klein.</exp_pos></add_exp>\n");
    EXPECT_EQ(Lookup({"hou*"}).out, "[house]\r\nHaus" + std::string(kRule) + "[houseboat]\r\nHausboot\n");
}

TEST(CliLookup, NothingFoundWritesTheNotFoundText) {
    CliResult result = Lookup({"xyz"});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.out, "Term not found.\n");
    EXPECT_TRUE(result.err.empty());
    EXPECT_EQ(Lookup({"xyz", "--not-found", "Nichts gefunden."}).out, "Nichts gefunden.\n");
    EXPECT_EQ(Lookup({"xyz", "--not-found="}).out, "\n");
    // An empty text finds nothing.
    EXPECT_EQ(Lookup({""}).code, 1);
}

TEST(CliLookup, SearchPassesCanBeSwitchedOff) {
    // "aus" is only inside explanations: found by the last pass.
    CliResult both = Lookup({"aus"});
    EXPECT_EQ(both.code, 0);
    EXPECT_EQ(both.out, "[Haus]\r\nhouse" + std::string(kRule) +
                            "[Maus<add_exp><exp_pos>Die Maus ist klein.</exp_pos></add_exp>]\r\nmouse" +
                            std::string(kRule) + "[Hausboot]\r\nhouseboat\n");
    EXPECT_EQ(Lookup({"aus", "--no-vice-versa"}).code, 1);
    EXPECT_EQ(Lookup({"Garten", "--no-vice-versa"}).code, 1);

    EXPECT_EQ(Lookup({"boat", "--no-substring"}).code, 1);
    // Without the substring pass, the explanations are still searched for the text inside them.
    EXPECT_EQ(Lookup({"arte", "--no-substring"}).out, "[Garten]\r\ngarden\n");
}

TEST(CliLookup, LimitWildcardAndTranslateCharacter) {
    EXPECT_EQ(Lookup({"aus", "--limit", "1"}).out, "[Haus]\r\nhouse\n");
    EXPECT_EQ(Lookup({"*", "--limit=2"}).out, "[house]\r\nHaus" + std::string(kRule) + "[big]\r\ngroß\n");

    EXPECT_EQ(Lookup({"hou?", "--wildcard", "?"}).out, Lookup({"hou*"}).out);
    // Without a wildcard the star is an ordinary byte.
    EXPECT_EQ(Lookup({"hou*", "--wildcard", ""}).code, 1);

    CliResult phrase = Lookup({"\"big house\""});
    EXPECT_EQ(phrase.code, 0);
    EXPECT_EQ(phrase.out, "groß Haus\n");
    EXPECT_EQ(Lookup({"'big house'", "--translate-char", "'"}).out, "groß Haus\n");
    EXPECT_EQ(Lookup({"\"big house\"", "--translate-char", ""}).code, 1);
}

TEST(CliLookup, AdditionalDictionariesFollowInOrder) {
    const std::string extra = DataFile("extra.lxd");
    EXPECT_EQ(Lookup({"house", "--also", extra}).out, "[house]\r\nHaus\r\n\r\n<<extra.lxd>>\r\n[house]\r\nGebäude\n");

    // Found only in an additional dictionary still counts as found.
    CliResult cat = Lookup({"cat", "--also", extra});
    EXPECT_EQ(cat.code, 0);
    EXPECT_EQ(cat.out, "<<extra.lxd>>\r\n[cat]\r\nKatze\n");

    EXPECT_EQ(Lookup({"garden", "--also", extra}).out, "[garden]\r\nGarten\r\n\r\n<<extra.lxd>>\r\nTerm not found.\n");
    CliResult none = Lookup({"xyz", "--also", extra, "--also", DataFile("legacy.lxd"), "--not-found", "-"});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.out, "<<extra.lxd>>\r\n-\r\n\r\n<<legacy.lxd>>\r\n-\n");
}

TEST(CliLookup, CharsetOfTheDictionary) {
    const std::string latin1 = DataFile("latin1.lxd");
    CliResult result = test::RunCommand<cli::LookupCommand>({latin1, "café", "--charset", "1252"});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, "[café]\r\nKaffeehaus\n");
    // Read as UTF-8 the cell keeps its code-page byte and does not equal the UTF-8 text.
    EXPECT_EQ(test::RunCommand<cli::LookupCommand>({latin1, "café"}).code, 1);
    // -1 and 0 to 3 are the locale's code page, as in the settings; other numbers below 1250 are none.
    EXPECT_EQ(Lookup({"house", "--charset", "-1"}).code, 0);
    EXPECT_EQ(Lookup({"house", "--charset", "0"}).code, 0);
    EXPECT_EQ(Lookup({"house", "--charset", "-2"}).code, 2);
    EXPECT_EQ(Lookup({"house", "--charset", "4"}).code, 2);
}

TEST(CliLookup, UnreadableInputAndBadOptionsExitWithTwo) {
    test::TempFolder folder;
    CliResult missing = test::RunCommand<cli::LookupCommand>({folder / "none.lxd", "house"});
    EXPECT_EQ(missing.code, 2);
    EXPECT_TRUE(missing.out.empty());
    EXPECT_EQ(missing.err, "lexaro-cli lookup: cannot read the dictionary '" + (folder / "none.lxd").string() + "'\n");

    test::WriteBytes(folder / "text.lxd", "just some words");
    EXPECT_EQ(test::RunCommand<cli::LookupCommand>({folder / "text.lxd", "house"}).code, 2);

    // An additional dictionary the engine would skip silently is reported.
    CliResult also = Lookup({"house", "--also", folder / "none.lxd"});
    EXPECT_EQ(also.code, 2);
    EXPECT_TRUE(also.out.empty());
    EXPECT_NE(also.err.find("additional dictionary"), std::string::npos);

    for (const char* limit : {"0", "-1", "ten", ""}) {
        EXPECT_EQ(Lookup({"house", "--limit", limit}).code, 2) << limit;
    }
    CliResult charset = Lookup({"house", "--charset", "4711"});
    EXPECT_EQ(charset.code, 2);
    EXPECT_NE(charset.err.find("--charset 4711"), std::string::npos);
}

} // namespace
} // namespace lexaro
