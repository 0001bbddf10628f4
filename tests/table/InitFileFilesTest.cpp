#include "TableTestSupport.h"
#include "table/InitFileDocument.h"
#include "table/SafeFile.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

using lexaro::InitFileDocument;
using lexaro::InitFileForm;
using lexaro::test::PermissionOverrideSuspended;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

// A fresh folder per test under the build tree's scratch folder, removed afterwards.
class InitFileFiles : public ::testing::Test {
protected:
    void SetUp() override {
        const char* scratch = std::getenv("LEXARO_TEST_TMP");
        const fs::path base = scratch != nullptr ? fs::path(scratch) : fs::temp_directory_path();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_Folder = base / ("initfile-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
        fs::remove_all(m_Folder);
        fs::create_directories(m_Folder);
    }

    void TearDown() override {
        std::error_code ignored;
        fs::permissions(m_Folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_Folder, ignored);
    }

    static void WriteBytes(const fs::path& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    static std::string ReadBytes(const fs::path& path) {
        std::string bytes;
        EXPECT_TRUE(lexaro::ReadFileBytes(path, bytes));
        return bytes;
    }

    // Names of everything in the folder, to see that no temporary file was left behind.
    std::size_t EntriesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_Folder), fs::directory_iterator()));
    }

    fs::path m_Folder;
};

InitFileDocument SettingsDocument() {
    InitFileDocument document(InitFileForm::Element);
    document.AddValue("StartDictionary", "/home/u/W\xC3\xB6rter.lxd");
    document.AddBool("AutoSafe", true);
    document.AddInt("TrainInterval", -5);
    document.AddValue("Separator", "line one\r\nline two");
    document.AddValue("AddDictionary", "a");
    document.AddValue("AddDictionary", "b");
    return document;
}

} // namespace

TEST_F(InitFileFiles, SavedSettingsLoadBackValueForValue) {
    const fs::path path = m_Folder / "Lexaro.ini";
    const InitFileDocument written = SettingsDocument();
    ASSERT_TRUE(written.SaveToFile(path));
    EXPECT_EQ(ReadBytes(path), written.ComposeText());
    EXPECT_EQ(EntriesInFolder(), 1u);

    InitFileDocument read(InitFileForm::Element);
    ASSERT_TRUE(read.LoadFromFile(path));
    EXPECT_EQ(read.GetString("StartDictionary", ""), "/home/u/W\xC3\xB6rter.lxd");
    EXPECT_TRUE(read.GetBool("AutoSafe", false));
    EXPECT_EQ(read.GetInt("TrainInterval", 4000), -5);
    EXPECT_EQ(read.GetString("Separator", ";"), "line one\r\nline two");
    EXPECT_EQ(read.GetString("AddDictionary", ""), "a");
    EXPECT_EQ(read.GetValueNext("AddDictionary"), "b");
    EXPECT_EQ(read.GetValueNext("AddDictionary"), "");
    EXPECT_EQ(read.GetInt("TermLengthMax", 20), 20);

    InitFileDocument pair(InitFileForm::Pair);
    ASSERT_TRUE(pair.ParseText(written.ComposeText()));
    ASSERT_TRUE(pair.SaveToFile(path));
    EXPECT_EQ(ReadBytes(path), written.ComposeText());
}

TEST_F(InitFileFiles, SettingsWithoutDeclarationLoadAsFalseAndGiveDefaults) {
    const fs::path path = m_Folder / "Lexaro.ini";
    WriteBytes(path, "<InitFile>\r\n  <AutoSafe>1</AutoSafe>\r\n  <TrainInterval>9</TrainInterval>\r\n</InitFile>\r\n");
    InitFileDocument document(InitFileForm::Element);
    EXPECT_FALSE(document.LoadFromFile(path));
    EXPECT_FALSE(document.GetBool("AutoSafe", false));
    EXPECT_EQ(document.GetInt("TrainInterval", 4000), 4000);
    EXPECT_EQ(document.Root(), "InitFile");
}

TEST_F(InitFileFiles, DifferentRootLoadsAndIsWrittenBack) {
    const fs::path path = m_Folder / "Lexaro.ini";
    WriteBytes(path, "<?xml version=\"1.0\"?>\n<Config>\n  <AutoSafe>1</AutoSafe>\n</Config>\n");
    InitFileDocument document(InitFileForm::Element);
    ASSERT_TRUE(document.LoadFromFile(path));
    EXPECT_TRUE(document.GetBool("AutoSafe", false));
    document.ClearBody();
    document.AddBool("AutoSafe", false);
    ASSERT_TRUE(document.SaveToFile(path));
    EXPECT_EQ(ReadBytes(path), "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<Config>\r\n"
                               "  <AutoSafe>0</AutoSafe>\r\n</Config>\r\n");
}

TEST_F(InitFileFiles, MissingEmptyOrUnreadableFilesLeaveTheDocumentAlone) {
    WriteBytes(m_Folder / "empty.ini", "");
    fs::create_directory(m_Folder / "folder.ini");
    for (const InitFileForm form : {InitFileForm::Element, InitFileForm::Pair}) {
        for (const fs::path& path : {m_Folder / "missing.ini", m_Folder / "empty.ini", m_Folder / "folder.ini",
                                     fs::path("/dev/zero"), fs::path()}) {
            SCOPED_TRACE(path);
            InitFileDocument document(form);
            document.AddValue("Keep", "me");
            const std::string before = document.ComposeText();
            EXPECT_FALSE(document.LoadFromFile(path));
            EXPECT_EQ(document.ComposeText(), before);
        }
    }
}

TEST_F(InitFileFiles, ContentEndsAtTheFirstNulByte) {
    const fs::path path = m_Folder / "German.lng";
    WriteBytes(path, "A=\"1\"\r\n\0B=\"2\"\r\n"s);
    InitFileDocument pair(InitFileForm::Pair);
    ASSERT_TRUE(pair.LoadFromFile(path));
    EXPECT_EQ(pair.Body(), "A=\"1\"\r\n");
    EXPECT_EQ(pair.GetString("B", "dflt"), "dflt");

    // A file that starts with NUL is an empty pair document, but no element document.
    WriteBytes(path, "\0<?xml?><InitFile></InitFile>"s);
    ASSERT_TRUE(pair.LoadFromFile(path));
    EXPECT_EQ(pair.Body(), "");
    InitFileDocument element(InitFileForm::Element);
    EXPECT_FALSE(element.LoadFromFile(path));

    WriteBytes(path, "<?xml?><InitFile>\r\n<A>1</A>\0</InitFile>"s);
    EXPECT_FALSE(element.LoadFromFile(path));
}

TEST_F(InitFileFiles, OversizedFileIsRefusedWithoutReadingIt) {
    const fs::path path = m_Folder / "huge.ini";
    WriteBytes(path, "A=\"1\"\r\n");
    fs::resize_file(path, lexaro::kInitFileMaxBytes + 1); // sparse: takes no disk space
    InitFileDocument document(InitFileForm::Pair);
    document.AddValue("Keep", "me");
    EXPECT_FALSE(document.LoadFromFile(path));
    EXPECT_EQ(document.GetString("Keep", ""), "me");

    fs::resize_file(path, lexaro::kInitFileMaxBytes);
    EXPECT_TRUE(document.LoadFromFile(path));
    EXPECT_EQ(document.GetString("A", ""), "1");
}

TEST_F(InitFileFiles, FailedSaveReportsFalseAndKeepsTheOldFile) {
    const fs::path path = m_Folder / "Lexaro.ini";
    const std::string old = "old settings";
    WriteBytes(path, old);
    const InitFileDocument document = SettingsDocument();

    EXPECT_FALSE(document.SaveToFile(m_Folder / "missing" / "Lexaro.ini"));
    EXPECT_FALSE(document.SaveToFile(path / "below-a-file.ini"));
    EXPECT_FALSE(document.SaveToFile(m_Folder)); // a folder is no file to replace
    EXPECT_FALSE(document.SaveToFile(fs::path()));
    // No room for the temporary file's name beside the target.
    const fs::path longName = m_Folder / std::string(250, 'n');
    WriteBytes(longName, old);
    EXPECT_FALSE(document.SaveToFile(longName));
    EXPECT_EQ(ReadBytes(longName), old);
    fs::remove(longName);

    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(InitFileFiles, UnwritableFolderReportsFalseAndKeepsTheOldFile) {
    const fs::path path = m_Folder / "Lexaro.ini";
    WriteBytes(path, "old settings");
    fs::permissions(m_Folder, fs::perms::owner_read | fs::perms::owner_exec);
    bool saved = false;
    {
        const PermissionOverrideSuspended asOrdinaryUser;
        if (::faccessat(AT_FDCWD, m_Folder.c_str(), W_OK, AT_EACCESS) == 0) {
            fs::permissions(m_Folder, fs::perms::owner_all);
            GTEST_SKIP() << "this process writes into read-only folders";
        }
        saved = SettingsDocument().SaveToFile(path);
    }
    fs::permissions(m_Folder, fs::perms::owner_all);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadBytes(path), "old settings");
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(InitFileFiles, WriteThatFailsHalfwayReportsFalseAndKeepsTheOldFile) {
    const fs::path path = m_Folder / "Lexaro.ini";
    WriteBytes(path, "old settings");
    InitFileDocument document(InitFileForm::Element);
    document.AddValue("SearchWords", std::string(64 * 1024, 'w'));

    // The file size limit makes the write stop part of the way, as a full disk would.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved64k = document.SaveToFile(path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved64k);
    EXPECT_EQ(ReadBytes(path), "old settings");
    EXPECT_EQ(EntriesInFolder(), 1u);
}
