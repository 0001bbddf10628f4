#include "CliTestSupport.h"
#include "cli/Commands.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::CliResult;
using test::DataFile;

CliResult Translate(std::vector<std::string> args, std::string_view input = {}) {
    args.insert(args.begin(), DataFile("small.lxd"));
    return test::RunCommand<cli::TranslateCommand>(args, input);
}

TEST(CliTranslate, TextFromTheArgumentOrStandardInput) {
    CliResult result = Translate({"big house."});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, "groß Haus.\n");
    EXPECT_TRUE(result.err.empty());

    // The line end that closes standard input is not part of the text; others are.
    EXPECT_EQ(Translate({}, "big house.\n").out, "groß Haus.\n");
    EXPECT_EQ(Translate({}, "big house.\r\n").out, "groß Haus.\n");
    EXPECT_EQ(Translate({}, "big\nhouse\n\n").out, "groß\nHaus\n\n");
    EXPECT_EQ(Translate({}, "").out, "\n");
    // Standard input is not read when the text is given.
    EXPECT_EQ(Translate({"garden"}, "big").out, "Garten\n");
}

TEST(CliTranslate, LevelDefaultsToSubwordAsTheWindowOpens) {
    // "hous" begins the word house: level 2 and above.
    EXPECT_EQ(Translate({"hous"}).out, "Haus\n");
    EXPECT_EQ(Translate({"hous", "--level", "1"}).out, "hous\n");
    EXPECT_EQ(Translate({"House", "--level", "0"}).out, "House\n");
    EXPECT_EQ(Translate({"House", "--level", "1"}).out, "Haus\n");
    // "ouse" is inside a word only: level 4.
    EXPECT_EQ(Translate({"ouse"}).out, "ouse\n");
    EXPECT_EQ(Translate({"ouse", "--level=4"}).out, "Haus\n");

    for (const char* level : {"5", "-1", "three", ""}) {
        CliResult bad = Translate({"big", "--level", level});
        EXPECT_EQ(bad.code, 2) << level;
        EXPECT_TRUE(bad.out.empty());
    }
}

TEST(CliTranslate, WindowOptions) {
    EXPECT_EQ(Translate({"big house.", "--origin"}).out, "groß [big]  Haus [house] .\n");
    EXPECT_EQ(Translate({"big house.", "--linefeed"}).out, "groß\r\nHaus\r\n\n");
    EXPECT_EQ(Translate({"groß Haus", "--swap"}).out, "big house\n");
    EXPECT_EQ(Translate({"hous", "--candidates"}).out, "Haus { Hausboot }\n");
}

TEST(CliTranslate, UnreadableDictionary) {
    test::TempFolder folder;
    CliResult result = test::RunCommand<cli::TranslateCommand>({folder / "none.lxd", "big"});
    EXPECT_EQ(result.code, 2);
    EXPECT_TRUE(result.out.empty());
    EXPECT_NE(result.err.find("cannot read the dictionary"), std::string::npos);
}

} // namespace
} // namespace lexaro
