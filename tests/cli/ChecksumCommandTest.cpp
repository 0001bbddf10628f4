#include "CliTestSupport.h"
#include "cli/Commands.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace lexaro {
namespace {

using test::CliResult;

CliResult Checksum(const std::vector<std::string>& args) {
    return test::RunCommand<cli::ChecksumCommand>(args);
}

TEST(CliChecksum, OneTypeByNumberOrLabel) {
    const std::string small = test::DataFile("small.lxd");
    // Digests of the fixture as md5sum and sha256sum give them.
    for (const char* type : {"3", "MD5", "md5"}) {
        CliResult result = Checksum({small, "--type", type});
        EXPECT_EQ(result.code, 0) << type;
        EXPECT_EQ(result.out, "7e7701bfa0ecff15b24a4c398dd388cb\n") << type;
        EXPECT_TRUE(result.err.empty());
    }
    EXPECT_EQ(Checksum({small, "--type=SHA-2(256)"}).out,
              "52365314b5cff91b6b69ff00ba02a4d5654fce34b297a5af0395f10f73d47eed\n");
    EXPECT_EQ(Checksum({small, "--type", "sha-2(256)"}).out, Checksum({small, "--type", "6"}).out);
}

TEST(CliChecksum, EveryTypeInListOrder) {
    test::TempFolder folder;
    test::WriteBytes(folder / "empty", "");
    CliResult result = Checksum({folder / "empty"});
    ASSERT_EQ(result.code, 0);
    std::istringstream lines(result.out);
    std::vector<std::pair<std::string, std::string>> digests;
    for (std::string label, hex; lines >> label >> hex;) {
        digests.emplace_back(label, hex);
    }
    const std::vector<std::pair<std::string, std::size_t>> expected{
        {"MD2", 32},        {"MD4", 32},        {"MD5", 32},        {"SHA-1", 40},
        {"SHA-2(224)", 56}, {"SHA-2(256)", 64}, {"SHA-2(384)", 96}, {"SHA-2(512)", 128},
        {"SHA-3(224)", 56}, {"SHA-3(256)", 64}, {"SHA-3(384)", 96}, {"SHA-3(512)", 128}};
    ASSERT_EQ(digests.size(), expected.size()) << result.out;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(digests[i].first, expected[i].first);
        EXPECT_EQ(digests[i].second.size(), expected[i].second) << digests[i].first;
    }
    // Published digests of the empty message; one line each, single blank, LF.
    EXPECT_NE(result.out.find("\nMD5 d41d8cd98f00b204e9800998ecf8427e\n"), std::string::npos);
    EXPECT_NE(result.out.find("\nSHA-3(256) a7ffc6f8bf1ed76651c14756a061d662f580ff4de43b49fa82d80a4b80f8434a\n"),
              std::string::npos);
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 12);
}

TEST(CliChecksum, UnknownTypeOrUnreadableFile) {
    test::TempFolder folder;
    for (const char* type : {"0", "-", "13", "SHA-256", ""}) {
        CliResult result = Checksum({test::DataFile("small.lxd"), "--type", type});
        EXPECT_EQ(result.code, 2) << type;
        EXPECT_TRUE(result.out.empty());
        EXPECT_NE(result.err.find("unknown checksum type"), std::string::npos) << type;
    }
    for (const std::string& path : {(folder / "none").string(), folder.Path().string()}) {
        CliResult result = Checksum({path});
        EXPECT_EQ(result.code, 2) << path;
        EXPECT_TRUE(result.out.empty());
        EXPECT_EQ(result.err, "lexaro-cli checksum: cannot read '" + path + "'\n");
    }
}

} // namespace
} // namespace lexaro
