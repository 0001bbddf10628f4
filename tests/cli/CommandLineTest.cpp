#include "CliTestSupport.h"
#include "cli/Commands.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::DataFile;
using test::RunCli;

TEST(CliCommandLine, OptionsTakeValuesInBothFormsAndRepeat) {
    const std::vector<cli::OptionDefinition> options{{"also", true}, {"limit", true}, {"swap", false}};
    cli::CommandLine line;
    std::string error;
    ASSERT_TRUE(line.Parse({"d.lxd", "--also", "a.lxd", "--limit=7", "text", "--also=b.lxd", "--swap", "--limit", "-3"},
                           options, error))
        << error;
    EXPECT_EQ(line.Positionals(), (std::vector<std::string>{"d.lxd", "text"}));
    EXPECT_EQ(line.Values("also"), (std::vector<std::string>{"a.lxd", "b.lxd"}));
    // The last occurrence counts, and a value may begin with a hyphen.
    EXPECT_EQ(line.Value("limit"), "-3");
    EXPECT_TRUE(line.Has("swap"));
    EXPECT_FALSE(line.Has("origin"));
    EXPECT_FALSE(line.Value("origin").has_value());
}

TEST(CliCommandLine, DoubleHyphenAndLoneHyphenArePositional) {
    const std::vector<cli::OptionDefinition> options{{"swap", false}};
    cli::CommandLine line;
    std::string error;
    ASSERT_TRUE(line.Parse({"-", "--", "--swap", "-ing", "--help"}, options, error)) << error;
    EXPECT_EQ(line.Positionals(), (std::vector<std::string>{"-", "--swap", "-ing", "--help"}));
    EXPECT_FALSE(line.Has("swap"));
    EXPECT_FALSE(line.HelpAsked());
}

TEST(CliCommandLine, MalformedOptionsAreRejected) {
    const std::vector<cli::OptionDefinition> options{{"limit", true}, {"swap", false}};
    std::string error;
    EXPECT_FALSE(cli::CommandLine().Parse({"--limit"}, options, error));
    EXPECT_NE(error.find("needs a value"), std::string::npos);
    EXPECT_FALSE(cli::CommandLine().Parse({"--swap=1"}, options, error));
    EXPECT_NE(error.find("takes no value"), std::string::npos);
    EXPECT_FALSE(cli::CommandLine().Parse({"--swapped"}, options, error));
    EXPECT_NE(error.find("--swapped"), std::string::npos);
    EXPECT_FALSE(cli::CommandLine().Parse({"-x"}, options, error));
}

TEST(CliCommandLine, NumbersAreWholeAndInRange) {
    EXPECT_EQ(cli::ParseNumber("12", 0, 20), 12);
    EXPECT_EQ(cli::ParseNumber("-1", -1, 20), -1);
    EXPECT_FALSE(cli::ParseNumber("21", 0, 20));
    EXPECT_FALSE(cli::ParseNumber("1x", 0, 20));
    EXPECT_FALSE(cli::ParseNumber(" 1", 0, 20));
    EXPECT_FALSE(cli::ParseNumber("", 0, 20));
    EXPECT_FALSE(cli::ParseNumber("99999999999", 0, 2147483647));
}

TEST(CliDispatch, OverviewAndHelp) {
    const test::CliResult bare = RunCli({});
    EXPECT_EQ(bare.code, 2);
    EXPECT_TRUE(bare.out.empty());
    EXPECT_NE(bare.err.find("Usage: lexaro-cli COMMAND"), std::string::npos);

    const test::CliResult overview = RunCli({"--help"});
    EXPECT_EQ(overview.code, 0);
    EXPECT_TRUE(overview.err.empty());
    for (const auto& command : cli::AllCommands()) {
        EXPECT_NE(overview.out.find("  " + std::string(command->Name()) + " "), std::string::npos) << command->Name();
        // Every command answers --help on standard output, wherever it stands, and does nothing else.
        const std::string name(command->Name());
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{name, "--help"}, std::vector<std::string>{name, "x", "-h"},
              std::vector<std::string>{"help", name}}) {
            const test::CliResult help = RunCli(args);
            EXPECT_EQ(help.code, 0) << name;
            EXPECT_EQ(help.out, command->Help());
            EXPECT_TRUE(help.err.empty());
        }
        EXPECT_TRUE(command->Help().starts_with("Usage: lexaro-cli " + std::string(command->Name()) + " "));
    }
}

TEST(CliDispatch, UsageErrorsExitWithTwoAndPointToHelp) {
    const test::CliResult unknown = RunCli({"lokup", "d.lxd"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.err, "lexaro-cli: unknown command 'lokup'\nTry 'lexaro-cli --help'.\n");

    const test::CliResult option = RunCli({"lookup", DataFile("small.lxd"), "house", "--swap"});
    EXPECT_EQ(option.code, 2);
    EXPECT_TRUE(option.out.empty());
    EXPECT_EQ(option.err, "lexaro-cli lookup: unknown option --swap (put -- before a text that begins with -)\n"
                          "Try 'lexaro-cli lookup --help'.\n");

    EXPECT_EQ(RunCli({"lookup", DataFile("small.lxd")}).code, 2);
    // An unknown option is an error even when help is asked for too.
    EXPECT_EQ(RunCli({"lookup", "--bogus", "--help"}).code, 2);
    const test::CliResult extra = RunCli({"info", DataFile("small.lxd"), "second"});
    EXPECT_EQ(extra.code, 2);
    EXPECT_NE(extra.err.find("too many arguments: second"), std::string::npos);
}

TEST(CliDispatch, TextBeginningWithHyphenAfterDoubleHyphen) {
    const test::CliResult result = RunCli({"lookup", DataFile("small.lxd"), "--", "-ing"});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.out, "Term not found.\n");
}

TEST(CliDispatch, VersionOnStandardOutput) {
    const test::CliResult result = RunCli({"--version"});
    EXPECT_EQ(result.code, 0);
    EXPECT_TRUE(result.out.starts_with("lexaro-cli ")) << result.out;
    EXPECT_TRUE(result.out.ends_with("\n"));
}

} // namespace
} // namespace lexaro
