#include "CliTestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace lexaro {
namespace {

// Runs the built lexaro-cli through the shell; standard output and error are kept in files of the folder.
test::CliResult RunProgram(const test::TempFolder& folder, const std::string& arguments,
                           const std::string& input = "") {
    const std::string out = folder / "stdout";
    const std::string err = folder / "stderr";
    std::string command = "'" LEXARO_CLI_EXECUTABLE "' " + arguments + " >'" + out + "' 2>'" + err + "'";
    if (!input.empty()) {
        test::WriteBytes(folder / "stdin", input);
        command += " <'" + (folder / "stdin").string() + "'";
    } else {
        command += " </dev/null";
    }
    const int status = std::system(command.c_str());
    test::CliResult result;
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = test::ReadBytes(out);
    result.err = test::ReadBytes(err);
    return result;
}

std::string Quote(const std::string& text) {
    return "'" + text + "'";
}

TEST(CliProgram, LookupWritesExactBytesAndExitCodes) {
    test::TempFolder folder;
    const std::string dictionary = Quote(test::DataFile("small.lxd"));

    test::CliResult found = RunProgram(folder, "lookup " + dictionary + " 'hou*'");
    EXPECT_EQ(found.code, 0);
    EXPECT_EQ(found.out, "[house]\r\nHaus\r\n-------------------------\r\n[houseboat]\r\nHausboot\n");
    EXPECT_EQ(found.err, "");

    test::CliResult none = RunProgram(folder, "lookup " + dictionary + " xyz");
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.out, "Term not found.\n");

    test::CliResult missing = RunProgram(folder, "lookup " + Quote(folder / "none.lxd") + " house");
    EXPECT_EQ(missing.code, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("cannot read the dictionary"), std::string::npos);
}

TEST(CliProgram, TranslateReadsStandardInputAndAddChangesTheFile) {
    test::TempFolder folder;
    test::CliResult translated = RunProgram(folder, "translate " + Quote(test::DataFile("small.lxd")), "big house.\n");
    EXPECT_EQ(translated.code, 0);
    EXPECT_EQ(translated.out, "groß Haus.\n");

    const std::string dictionary = Quote(folder / "new.lxd");
    ASSERT_EQ(RunProgram(folder, "add " + dictionary + " cat Katze").code, 0);
    test::CliResult lookup = RunProgram(folder, "lookup " + dictionary + " CAT");
    EXPECT_EQ(lookup.code, 0);
    EXPECT_EQ(lookup.out, "[cat]\r\nKatze\n");

    EXPECT_EQ(RunProgram(folder, "").code, 2);
    EXPECT_EQ(RunProgram(folder, "--help").code, 0);
}

} // namespace
} // namespace lexaro
