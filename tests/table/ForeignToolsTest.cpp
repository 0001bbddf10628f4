// The dictd and StarDict forms checked against the programs that own them: each test skips, saying which, when
// a program or package is missing (scripts/install-deps test installs them all).
#include "TableTestSupport.h"
#include "table/ForeignDictionary.h"
#include "table/SafeFile.h"

#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace lexaro::test {

namespace {

constexpr const char* kTabfile = "/usr/lib/stardict-tools/tabfile";
constexpr const char* kFreedict = "/usr/share/dictd/freedict-eng-deu.index";

bool Installed(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// Standard output of a shell command.
std::string Output(const std::string& command) {
    std::string out;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return out;
    }
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, got);
    }
    ::pclose(pipe);
    return out;
}

void Entries(ClassTable& table) {
    Fill(table, {{"apple", "Apfel\r\nFrucht", ""},
                 {"Zebra crossing", "Zebrastreifen", ""},
                 {"Stra\xC3\x9F"
                  "e",
                  "street <exp>", ""},
                 {"e.g.", "zum Beispiel", ""}});
}

} // namespace

TEST(ForeignTools, StarDictToolsMakeWhatWeReadAndSdcvReadsWhatWeWrite) {
    if (!std::filesystem::exists(kTabfile) || !Installed("sdcv")) {
        GTEST_SKIP() << "stardict-tools (" << kTabfile << ") or sdcv is not installed";
    }
    TempFolder folder;
    WriteBytes(folder / "tab.txt", "apple\tApfel\\nFrucht\nZebra crossing\tZebrastreifen\n\xC3\x84rger\ttrouble\n");
    ASSERT_EQ(std::system(("cd '" + folder.Path().string() + "' && " + kTabfile + " tab.txt >/dev/null 2>&1").c_str()),
              0);
    ClassTable read;
    const ForeignRead result = ReadForeignDictionary(folder / "tab.ifo", read);
    ASSERT_TRUE(result.complete) << result.error;
    EXPECT_EQ(Cells(read), (std::vector<std::vector<std::string>>{{"apple", "Apfel\r\nFrucht", ""},
                                                                  {"Zebra crossing", "Zebrastreifen", ""},
                                                                  {"\xC3\x84rger", "trouble", ""}}));

    std::filesystem::create_directory(folder / "ours");
    ClassTable table;
    Entries(table);
    std::string error;
    ASSERT_TRUE(
        WriteForeignDictionary(ForeignForm::StarDict, folder / "ours" / "ours.ifo", table, "Ours", nullptr, error))
        << error;
    const std::string sdcv =
        "HOME='" + folder.Path().string() + "' sdcv -2 '" + (folder / "ours").string() + "' -x -n -e -j -0 -1 ";
    for (const auto& row : Cells(table)) {
        const std::string json = row[1] == "Apfel\r\nFrucht" ? "Apfel\\nFrucht" : row[1];
        EXPECT_NE(Output(sdcv + "'" + row[0] + "'").find("\"definition\":\"\\n" + json + "\""), std::string::npos)
            << row[0];
    }
}

TEST(ForeignTools, IndexMatchesDictfmtAndDictdServesOurExport) {
    if (!Installed("dictfmt") || !Installed("dictd") || !Installed("dict")) {
        GTEST_SKIP() << "dictfmt, dictd or dict is not installed";
    }
    TempFolder folder;
    ::chmod(folder.Path().c_str(), 0755); // dictd reads as its own user
    ClassTable table;
    Fill(table, {{"apple", "Apfel", ""},
                 {"Zebra crossing", "Zebrastreifen", ""},
                 {"Stra\xC3\x9F"
                  "e",
                  "street", ""},
                 {"e.g.", "zum Beispiel", ""},
                 {"  A - b ", "x", ""},
                 {"\xC3\x84pfel", "x", ""},
                 {"apple", "second", ""}});
    std::string error;
    ASSERT_TRUE(WriteForeignDictionary(ForeignForm::Dictd, folder / "ours.index", table, "Ours", nullptr, error))
        << error;
    std::string c5;
    for (int row = 0; row < table.RowCount(); ++row) {
        c5 += "_____\n\n" + table.GetCell(0, row) + "\nx\n";
    }
    WriteBytes(folder / "in.txt", c5);
    ASSERT_EQ(std::system(
                  ("cd '" + folder.Path().string() + "' && dictfmt --utf8 -c5 -s T theirs <in.txt >/dev/null").c_str()),
              0);
    const auto keys = [](const std::string& index) {
        std::string keys;
        for (std::size_t at = 0; at < index.size(); at = index.find('\n', at) + 1) {
            if (index.compare(at, 2, "00") != 0) {
                keys += index.substr(at, index.find('\t', at) - at) + "|";
            }
        }
        return keys;
    };
    EXPECT_EQ(keys(ReadBytes(folder / "ours.index")), keys(ReadBytes(folder / "theirs.index")));

    const int port = 20000 + ::getpid() % 20000;
    WriteBytes(folder / "dictd.conf", "global {\n listen_to 127.0.0.1\n port " + std::to_string(port) +
                                          "\n}\ndatabase ours {\n data " + (folder / "ours.dict.dz").string() +
                                          "\n index " + (folder / "ours.index").string() + "\n}\n");
    const pid_t server = ::fork();
    ASSERT_GE(server, 0);
    if (server == 0) {
        ::execlp("timeout", "timeout", "30", "dictd", "-c", (folder / "dictd.conf").c_str(), "-d", "nodetach",
                 "--locale", "C.UTF-8", static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    const std::string dict = "dict -h 127.0.0.1 -p " + std::to_string(port) + " -d ours ";
    std::string databases;
    for (int attempt = 0; attempt < 100 && databases.find("Ours") == std::string::npos; ++attempt) {
        ::usleep(50000);
        databases = Output(dict + "-D 2>/dev/null");
    }
    EXPECT_NE(databases.find("ours"), std::string::npos) << databases;
    EXPECT_NE(Output(dict + "'zebra crossing'").find("Zebrastreifen"), std::string::npos);
    EXPECT_NE(Output(dict + "'stra\xC3\x9F"
                            "e'")
                  .find("street"),
              std::string::npos);
    EXPECT_NE(Output(dict + "'e.g.'").find("zum Beispiel"), std::string::npos);
    ::kill(server, SIGTERM);
    ::waitpid(server, nullptr, 0);
}

TEST(ForeignTools, FreedictEnglishGermanReadsWhole) {
    if (!std::filesystem::exists(kFreedict)) {
        GTEST_SKIP() << "dict-freedict-eng-deu is not installed";
    }
    ClassTable table;
    const ForeignRead read = ReadForeignDictionary(kFreedict, table);
    ASSERT_TRUE(read.complete) << read.error;
    EXPECT_EQ(table.RowCount(), 464179);
    EXPECT_EQ(read.name.substr(0, 41), "English - German Ding/FreeDict dictionary");
    const int house = table.FindRow(0, 0, "house", kMatchExact);
    ASSERT_GE(house, 0);
    EXPECT_EQ(table.GetCell(1, house).substr(0, 18), "house /h\xCB\x88"
                                                     "a\xCA\x8As/\r\nG");
    const int half = table.FindRow(0, 0, "\xE2\x80\xA6 and a half", kMatchExact);
    ASSERT_GE(half, 0);
}

} // namespace lexaro::test
