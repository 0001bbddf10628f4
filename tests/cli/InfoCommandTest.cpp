#include "CliTestSupport.h"
#include "cli/Commands.h"

#include <ctime>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lexaro {
namespace {

using test::CliResult;

// File dates are shown in local time; the tests fix the zone and the file's time.
class CliInfo : public ::testing::Test {
protected:
    void SetUp() override {
        const char* zone = std::getenv("TZ");
        m_HadZone = zone != nullptr;
        m_Zone = m_HadZone ? zone : "";
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    void TearDown() override {
        if (m_HadZone) {
            ::setenv("TZ", m_Zone.c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }

    // 2021-03-04 05:06:07 UTC
    static void SetFileTime(const std::string& path) {
        const timespec times[2] = {{1614834367, 0}, {1614834367, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }

    test::TempFolder folder;

private:
    bool m_HadZone = false;
    std::string m_Zone;
};

TEST_F(CliInfo, PropertiesInTheOrderOfTheWindowsCopy) {
    const std::string path = test::CopyFixture(folder, "small.lxd");
    SetFileTime(path);
    CliResult result = test::RunCommand<cli::InfoCommand>({path});
    EXPECT_EQ(result.code, 0);
    EXPECT_TRUE(result.err.empty());
    EXPECT_EQ(result.out, "Dictionary name - small.lxd\n"
                          "Complete name - " +
                              path +
                              "\n"
                              "Filesize [KB] - 0.74 (757 bytes)\n"
                              "Filedate - 2021-03-04 05:06:07\n"
                              "Number of terms - 5\n"
                              "Largest term - 9 ('houseboat')\n"
                              "Smallest term - 3 ('big')\n"
                              "Largest explanation - 61 ('Maus<add_exp><exp_pos>Die Maus ist klein.</exp_pos>"
                              "</add_exp>')\n"
                              "Smallest explanation - 4 ('Haus')\n"
                              "Charset - 65001\n");
}

TEST_F(CliInfo, EmptyDictionaryAndRoundKilobytes) {
    // Bytes after the document are not read; they make the file exactly 2 KiB.
    std::string bytes = test::Document({});
    bytes.resize(2048, ' ');
    const std::string path = folder / "empty.lxd";
    test::WriteBytes(path, bytes);
    CliResult result = test::RunCommand<cli::InfoCommand>({path});
    EXPECT_EQ(result.code, 0);
    EXPECT_NE(result.out.find("Filesize [KB] - 2.00 (2048 bytes)\n"
                              "Filedate - "),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("Number of terms - 0\n"
                              "Largest term - \n"
                              "Smallest term - \n"
                              "Largest explanation - \n"
                              "Smallest explanation - \n"
                              "Charset - 65001\n"),
              std::string::npos)
        << result.out;
}

TEST_F(CliInfo, CharsetIsTheOneTheFileNames) {
    CliResult utf8 = test::RunCommand<cli::InfoCommand>({test::DataFile("latin1.lxd")});
    EXPECT_TRUE(utf8.out.ends_with("Largest term - 4 ('caf\xE9')\n"
                                   "Smallest term - 4 ('caf\xE9')\n"
                                   "Largest explanation - 10 ('Kaffeehaus')\n"
                                   "Smallest explanation - 10 ('Kaffeehaus')\n"
                                   "Charset - 1252\n"))
        << utf8.out;
    // Read in its code page, the term is UTF-8 and one byte longer.
    CliResult latin1 = test::RunCommand<cli::InfoCommand>({test::DataFile("latin1.lxd"), "--charset", "1252"});
    EXPECT_NE(latin1.out.find("Largest term - 5 ('café')\n"), std::string::npos) << latin1.out;

    // The older XML form names its charset as well.
    CliResult legacy = test::RunCommand<cli::InfoCommand>({test::DataFile("legacy.lxd")});
    EXPECT_TRUE(legacy.out.ends_with("Charset - 65001\n")) << legacy.out;
}

TEST_F(CliInfo, RelativePathIsShownComplete) {
    test::CopyFixture(folder, "small.lxd");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    CliResult result = test::RunCommand<cli::InfoCommand>({"./small.lxd"});
    std::filesystem::current_path(before);
    EXPECT_EQ(result.code, 0);
    EXPECT_TRUE(result.out.starts_with("Dictionary name - small.lxd\n"
                                       "Complete name - " +
                                       (folder / "small.lxd").string() + "\n"))
        << result.out;
}

TEST_F(CliInfo, UnreadableDictionary) {
    for (const test::FaultyFile& faulty : test::FaultyDictionaries()) {
        if (faulty.name != "missing.lxd" && faulty.name != "folder.lxd" && faulty.name != "text.lxd") {
            continue;
        }
        CliResult result = test::RunCommand<cli::InfoCommand>({test::Place(folder, faulty)});
        EXPECT_EQ(result.code, 2) << faulty.name;
        EXPECT_TRUE(result.out.empty());
        EXPECT_NE(result.err.find("cannot read the dictionary"), std::string::npos) << faulty.name;
    }
}

} // namespace
} // namespace lexaro
