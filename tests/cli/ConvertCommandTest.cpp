#include "CliTestSupport.h"
#include "cli/Commands.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::CliResult;
using test::DataFile;
using test::ReadBytes;

CliResult Convert(const std::vector<std::string>& args) {
    return test::RunCommand<cli::ConvertCommand>(args);
}

TEST(CliConvert, OutputFormFollowsTheExtension) {
    test::TempFolder folder;
    CliResult csv = Convert({DataFile("legacy.lxd"), folder / "out.csv"});
    EXPECT_EQ(csv.code, 0);
    EXPECT_TRUE(csv.out.empty());
    EXPECT_TRUE(csv.err.empty());
    EXPECT_EQ(ReadBytes(folder / "out.csv"), "tree;Baum;2023-05-05 05:05:05\r\nleaf;Blatt;2023-05-05 05:05:06");

    // The older XML form comes out as the current document.
    ASSERT_EQ(Convert({DataFile("legacy.lxd"), folder / "out.LXD"}).code, 0);
    EXPECT_EQ(ReadBytes(folder / "out.LXD"),
              test::Document({{"tree", "Baum", "2023-05-05 05:05:05"}, {"leaf", "Blatt", "2023-05-05 05:05:06"}}));

    ASSERT_EQ(Convert({DataFile("legacy.lxd"), folder / "out.htm"}).code, 0);
    const std::string html = ReadBytes(folder / "out.htm");
    EXPECT_TRUE(html.starts_with("<HTML>\r\n")) << html;
    EXPECT_NE(html.find("<TD>tree</TD>\r\n    <TD>Baum</TD>"), std::string::npos) << html;
    ASSERT_EQ(Convert({DataFile("legacy.lxd"), folder / "out.html"}).code, 0);
    EXPECT_EQ(ReadBytes(folder / "out.html"), html);
}

TEST(CliConvert, SeparatedTextInAndPlainTextOut) {
    test::TempFolder folder;
    ASSERT_EQ(Convert({DataFile("words.csv"), folder / "words.lxd"}).code, 0);
    EXPECT_EQ(ReadBytes(folder / "words.lxd"),
              test::Document({{"sun", "Sonne", "2024-04-01 09:00:00"},
                              {"moon", "Mond<add_exp><exp_neg>Mund</exp_neg></add_exp>", "2024-04-01 09:00:01"}}));

    // Plain text cuts off the additional parts and ends every row with CR LF.
    ASSERT_EQ(Convert({DataFile("words.csv"), folder / "plain.csv", "--plain"}).code, 0);
    EXPECT_EQ(ReadBytes(folder / "plain.csv"), "sun;Sonne;2024-04-01 09:00:00\r\nmoon;Mond;2024-04-01 09:00:01\r\n");

    ASSERT_EQ(Convert({DataFile("words.csv"), folder / "tabs.csv", "--separator", ";", "--plain"}).code, 0);
    ASSERT_EQ(Convert({folder / "words.lxd", folder / "tabs.csv", "--separator", "\t"}).code, 0);
    EXPECT_EQ(ReadBytes(folder / "tabs.csv"),
              "sun\tSonne\t2024-04-01 09:00:00\r\nmoon\tMond<add_exp><exp_neg>Mund</exp_neg></add_exp>\t"
              "2024-04-01 09:00:01");
    // The separator is used for reading too.
    ASSERT_EQ(Convert({folder / "tabs.csv", folder / "back.lxd", "--separator", "\t"}).code, 0);
    EXPECT_EQ(ReadBytes(folder / "back.lxd"), ReadBytes(folder / "words.lxd"));
}

TEST(CliConvert, StarDictAndDictdOutWithExamplesAsLinesAndBackIn) {
    test::TempFolder folder;
    ASSERT_EQ(Convert({DataFile("words.csv"), folder / "words.ifo"}).code, 0);
    ASSERT_EQ(Convert({folder / "words.ifo", folder / "words.index"}).code, 0);
    ASSERT_EQ(Convert({folder / "words.index", folder / "back.csv", "--plain"}).code, 0);
    EXPECT_EQ(ReadBytes(folder / "back.csv"), "moon;Mond\r\n- Mund;\r\nsun;Sonne;\r\n");
    EXPECT_NE(ReadBytes(folder / "words.index").find("00databaseshort"), std::string::npos);

    test::WriteBytes(folder / "words.index", "moon\tA\t=\n");
    const CliResult bad = test::RunCommand<cli::LookupCommand>({folder / "words.index", "moon"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("words.index': line 1 holds an invalid base64 number '='"), std::string::npos) << bad.err;
}

TEST(CliConvert, CharsetAppliesToReadingAndWriting) {
    test::TempFolder folder;
    ASSERT_EQ(Convert({DataFile("latin1.lxd"), folder / "out.csv", "--charset", "1252"}).code, 0);
    EXPECT_EQ(ReadBytes(folder / "out.csv"), "caf\xE9;Kaffeehaus;2024-03-01 12:00:00");
    ASSERT_EQ(Convert({DataFile("latin1.lxd"), folder / "out.lxd", "--charset", "1252"}).code, 0);
    EXPECT_EQ(ReadBytes(folder / "out.lxd"), ReadBytes(DataFile("latin1.lxd")));
}

TEST(CliConvert, UsageErrorsWriteNothing) {
    test::TempFolder folder;
    const std::string in = DataFile("small.lxd");
    for (const std::vector<std::string>& args : {
             std::vector<std::string>{in, folder / "out.txt"},
             std::vector<std::string>{in, folder / "out"},
             std::vector<std::string>{in, folder / "out.lxd", "--plain"},
             std::vector<std::string>{in, folder / "out.csv", "--separator", ""},
             std::vector<std::string>{in, folder / "out.csv", "--charset", "4"},
         }) {
        CliResult result = Convert(args);
        EXPECT_EQ(result.code, 2) << args[1];
        EXPECT_NE(result.err.find("Try 'lexaro-cli convert --help'"), std::string::npos) << result.err;
    }
    EXPECT_TRUE(folder.Names().empty());
}

TEST(CliConvert, InputThatCannotBeReadCompletelyWritesNothing) {
    test::TempFolder folder;
    for (const test::FaultyFile& faulty : test::FaultyDictionaries()) {
        const std::string in = test::Place(folder, faulty);
        test::WriteBytes(folder / "out.csv", "old");
        CliResult result = Convert({in, folder / "out.csv"});
        EXPECT_EQ(result.code, 2) << faulty.name;
        EXPECT_NE(result.err.find("nothing was written"), std::string::npos) << faulty.name << ": " << result.err;
        EXPECT_EQ(ReadBytes(folder / "out.csv"), "old") << faulty.name;
    }
    // Separated text that a NUL byte would cut short is refused too.
    test::WriteBytes(folder / "nul.csv", std::string("a;1\r\nb;2\0\r\nc;3", 14));
    EXPECT_EQ(Convert({folder / "nul.csv", folder / "out.lxd"}).code, 2);
    EXPECT_FALSE(std::filesystem::exists(folder / "out.lxd"));
}

TEST(CliConvert, OutputThatCannotBeWritten) {
    test::TempFolder folder;
    CliResult result = Convert({DataFile("small.lxd"), folder / "no/such/out.csv"});
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.err, "lexaro-cli convert: cannot write '" + (folder / "no/such/out.csv").string() +
                              "': No such file or directory\n");
}

TEST(CliConvert, OutputReachedThroughALinkKeepsTheLink) {
    test::TempFolder folder;
    std::filesystem::create_directory(folder / "dotfiles");
    test::WriteBytes(folder / "dotfiles/out.csv", "old");
    std::filesystem::create_symlink("dotfiles/out.csv", folder / "out.csv");
    ASSERT_EQ(Convert({DataFile("legacy.lxd"), folder / "out.csv"}).code, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "out.csv"));
    EXPECT_EQ(ReadBytes(folder / "dotfiles/out.csv"),
              "tree;Baum;2023-05-05 05:05:05\r\nleaf;Blatt;2023-05-05 05:05:06");
}

TEST(CliConvert, SeparatedTextOutWarnsAboutEntriesHoldingTheSeparator) {
    test::TempFolder folder;
    test::WriteBytes(folder / "in.lxd", test::Document({{"home", "Heim; Zuhause", ""}, {"tree", "Baum", ""}}));
    CliResult result = Convert({folder / "in.lxd", folder / "out.csv"});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.err, "lexaro-cli convert: warning: 1 entry holds the separator ';'; separated text has no "
                          "quoting, so it does not read back as it was written\n");
    EXPECT_EQ(ReadBytes(folder / "out.csv"), "home;Heim; Zuhause;\r\ntree;Baum;");
    EXPECT_TRUE(Convert({folder / "in.lxd", folder / "out.csv", "--separator", "|"}).err.empty());
}

} // namespace
} // namespace lexaro
