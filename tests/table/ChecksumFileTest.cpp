#include "table/Checksum.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <ostream>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace lexaro {
namespace {

namespace fs = std::filesystem;

class ChecksumFile : public ::testing::Test {
protected:
    void SetUp() override {
        const char* base = std::getenv("LEXARO_TEST_TMP");
        const fs::path root = base != nullptr ? fs::path(base) : fs::temp_directory_path();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name =
            "checksum-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name();
        for (char& c : name) {
            if (c == '/') {
                c = '_';
            }
        }
        m_Dir = root / name;
        fs::remove_all(m_Dir);
        fs::create_directories(m_Dir);
    }

    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_Dir, ignored);
    }

    fs::path Write(const std::string& name, const std::string& bytes) {
        const fs::path path = m_Dir / name;
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    fs::path m_Dir;
};

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(generator() & 0xFF);
    }
    return bytes;
}

TEST_F(ChecksumFile, HashesEveryByteOfTheFile) {
    // Larger than one read, and with NUL bytes: a checksum covers the file as stored, not a text.
    const std::string bytes = RandomBytes(700000, 7) + std::string(5, '\0') + "tail";
    const fs::path path = Write("big.lxd", bytes);
    for (int type = 1; type < kChecksumTypeCount; ++type) {
        EXPECT_EQ(FileChecksum(path, type), BufferChecksum(bytes, type)) << type;
    }
}

TEST_F(ChecksumFile, EmptyFileGivesTheDigestOfTheEmptyMessage) {
    const fs::path path = Write("empty.lxd", "");
    EXPECT_EQ(FileChecksum(path, kChecksumMd5), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(FileChecksum(path, kChecksumSha1), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
    for (int type = 1; type < kChecksumTypeCount; ++type) {
        const std::string sum = FileChecksum(path, type);
        EXPECT_EQ(sum.size(), 2 * ChecksumDigestSize(type)) << type;
        EXPECT_EQ(sum, BufferChecksum("", type)) << type;
    }
}

TEST_F(ChecksumFile, WrittenAsLowercaseHexWithoutSeparators) {
    const fs::path path = Write("words.lxd", "<Table>Haus;house</Table>");
    for (int type = 1; type < kChecksumTypeCount; ++type) {
        const std::string sum = FileChecksum(path, type);
        EXPECT_EQ(sum.size(), 2 * ChecksumDigestSize(type)) << type;
        EXPECT_EQ(sum.find_first_not_of("0123456789abcdef"), std::string::npos) << sum;
    }
    const std::string sha2 = FileChecksum(path, kChecksumSha512);
    const std::string sha3 = FileChecksum(path, kChecksumSha3_512);
    EXPECT_EQ(sha2.size(), 128u);
    EXPECT_EQ(sha3.size(), 128u);
    EXPECT_NE(sha2, sha3);
}

TEST_F(ChecksumFile, NothingToHashGivesAnEmptyResult) {
    const fs::path path = Write("words.lxd", "abc");
    EXPECT_EQ(FileChecksum(path, kChecksumNone), "");
    EXPECT_EQ(FileChecksum(path, -1), "");
    EXPECT_EQ(FileChecksum(path, kChecksumTypeCount), "");
    EXPECT_EQ(FileChecksum(m_Dir / "missing.lxd", kChecksumMd5), "");
    EXPECT_EQ(FileChecksum(m_Dir, kChecksumMd5), "");
    EXPECT_EQ(FileChecksum(fs::path(), kChecksumMd5), "");
}

// A stopped computation never passes off the part it has read as the file's checksum.
TEST_F(ChecksumFile, StopGivesUpWithAnEmptyResult) {
    const std::string bytes = RandomBytes(300000, 3);
    const fs::path path = Write("words.lxd", bytes);
    std::atomic<bool> stop{false};
    EXPECT_EQ(FileChecksum(path, kChecksumMd2, &stop), BufferChecksum(bytes, kChecksumMd2));
    stop = true;
    EXPECT_EQ(FileChecksum(path, kChecksumMd2, &stop), "");
}

TEST_F(ChecksumFile, PipeIsRefusedWithoutWaitingForAWriter) {
    const fs::path fifo = m_Dir / "pipe.lxd";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(FileChecksum(fifo, kChecksumSha256), "");
}

// The same digests as the system's own tools, on random files whose sizes sit around the block sizes.
struct ToolCase {
    const char* name;
    int type;
    const char* program;
    const char* command;
};

void PrintTo(const ToolCase& tool, std::ostream* out) {
    *out << tool.command;
}

class ChecksumAgainstTool : public ChecksumFile, public ::testing::WithParamInterface<ToolCase> {};

bool ProgramExists(const std::string& program) {
    const std::string probe = "command -v " + program + " >/dev/null 2>&1";
    return std::system(probe.c_str()) == 0;
}

// First word of every output line; empty when the command fails.
std::vector<std::string> RunTool(const std::string& command) {
    std::vector<std::string> words;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return {};
    }
    std::string output;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    const int status = ::pclose(pipe);
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return {};
    }
    std::size_t at = 0;
    while (at < output.size()) {
        std::size_t end = output.find('\n', at);
        if (end == std::string::npos) {
            end = output.size();
        }
        const std::string line = output.substr(at, end - at);
        words.push_back(line.substr(0, line.find(' ')));
        at = end + 1;
    }
    return words;
}

TEST_P(ChecksumAgainstTool, AgreesOnRandomFiles) {
    const ToolCase& tool = GetParam();
    if (!ProgramExists(tool.program)) {
        GTEST_SKIP() << tool.program << " is not installed";
    }
    const std::size_t sizes[] = {0, 1, 55, 56, 64, 111, 112, 128, 135, 136, 143, 144, 1000, 300001};
    std::vector<fs::path> paths;
    std::string command = std::string(tool.command) + " 2>/dev/null";
    for (std::size_t i = 0; i < std::size(sizes); ++i) {
        paths.push_back(Write("random" + std::to_string(i) + ".bin", RandomBytes(sizes[i], static_cast<unsigned>(i))));
        command += " '" + paths.back().string() + "'";
    }
    const std::vector<std::string> expected = RunTool(command);
    if (expected.size() != paths.size()) {
        GTEST_SKIP() << "'" << tool.command << "' cannot compute this digest here";
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(FileChecksum(paths[i], tool.type), expected[i]) << tool.command << " on " << sizes[i] << " bytes";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tools, ChecksumAgainstTool,
    ::testing::Values(ToolCase{"Md4", kChecksumMd4, "openssl",
                               "openssl dgst -md4 -provider legacy -provider default -r"},
                      ToolCase{"Md5", kChecksumMd5, "md5sum", "md5sum"},
                      ToolCase{"Sha1", kChecksumSha1, "sha1sum", "sha1sum"},
                      ToolCase{"Sha224", kChecksumSha224, "sha224sum", "sha224sum"},
                      ToolCase{"Sha256", kChecksumSha256, "sha256sum", "sha256sum"},
                      ToolCase{"Sha384", kChecksumSha384, "sha384sum", "sha384sum"},
                      ToolCase{"Sha512", kChecksumSha512, "sha512sum", "sha512sum"},
                      ToolCase{"Sha3_224", kChecksumSha3_224, "openssl", "openssl dgst -sha3-224 -r"},
                      ToolCase{"Sha3_256", kChecksumSha3_256, "openssl", "openssl dgst -sha3-256 -r"},
                      ToolCase{"Sha3_384", kChecksumSha3_384, "openssl", "openssl dgst -sha3-384 -r"},
                      ToolCase{"Sha3_512", kChecksumSha3_512, "openssl", "openssl dgst -sha3-512 -r"}),
    [](const ::testing::TestParamInfo<ToolCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace lexaro
