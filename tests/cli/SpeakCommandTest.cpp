#include "CliTestSupport.h"
#include "app/WavFile.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::CliResult;
using test::RunCli;

TEST(CliSpeak, WavToStandardOutputOrFile) {
    const CliResult out = RunCli({"speak", "Haus", "--voice", "de"});
    ASSERT_EQ(out.code, 0) << out.err;
    ASSERT_GT(out.out.size(), 44U + 2000U);
    EXPECT_EQ(out.out.substr(0, 4), "RIFF");
    EXPECT_EQ(out.out.substr(8, 8), "WAVEfmt ");

    test::TempFolder folder;
    const CliResult file = RunCli({"speak", "Haus", "--voice=de", "--out", (folder / "haus.wav").string()});
    ASSERT_EQ(file.code, 0) << file.err;
    const std::string written = test::ReadBytes(folder / "haus.wav");
    EXPECT_EQ(written.substr(8, 32), out.out.substr(8, 32)) << "the same format";
    EXPECT_NEAR(static_cast<double>(written.size()), static_cast<double>(out.out.size()), 1000.0);
    EXPECT_EQ(RunCli({"speak", "Haus", "--out", (folder / "no" / "haus.wav").string()}).code, 2);
}

TEST(CliSpeak, VoicesAndTheirErrors) {
    const CliResult list = RunCli({"speak", "--list-voices"});
    ASSERT_EQ(list.code, 0);
    EXPECT_NE(list.out.find("\nde          German\n"), std::string::npos);

    const CliResult unknown = RunCli({"speak", "Haus", "--voice", "xx"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("unknown voice 'xx'"), std::string::npos);
    EXPECT_TRUE(unknown.out.empty());
    EXPECT_EQ(RunCli({"speak"}).code, 2);
    EXPECT_EQ(RunCli({"speak", "Haus", "--list-voices"}).code, 2);
}

} // namespace
} // namespace lexaro
