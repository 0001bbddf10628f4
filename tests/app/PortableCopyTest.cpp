#include "StorageTestSupport.h"
#include "app/PortablePayload.h"
#include "app/Storage.h"
#include "table/ClassTable.h"
#include "table/InitFileDocument.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace fs = std::filesystem;
using lexaro::CheckPortablePayload;
using lexaro::ClassTable;
using lexaro::InitFileDocument;
using lexaro::InitFileForm;
using lexaro::WritePortableCopy;

extern char** environ;

namespace {

class PortableCopy : public lexaro::test::StorageFolder {
protected:
    void SetUp() override {
        StorageFolder::SetUp();
        m_Program = ReadBytes(m_Environment.programFile);
        fs::permissions(m_Environment.programFile, fs::perms(0750));

        m_Dictionary.SetSize(3, 2);
        m_Dictionary.SetCell(0, 0, "Haus");
        m_Dictionary.SetCell(1, 0, "house <add_exp><exp_pos>ein Haus</exp_pos></add_exp>");
        m_Dictionary.SetCell(2, 0, "2019-05-22 14:30:05");
        m_Dictionary.SetCell(0, 1,
                             "M\xC3\xBC"
                             "cke");
        m_Dictionary.SetCell(1, 1, "gnat");
        m_Texts.AddValue("FrmMain.m_BTNSearch", "Suchen");
        m_Texts.AddValue("FrmMain.ID_MEN_FILE", "Datei");
    }

    bool Write(const fs::path& source, const fs::path& target) {
        return WritePortableCopy(source, target, m_Dictionary.ToXml2Text(), m_Texts.ComposeText());
    }

    static unsigned Mode(const fs::path& path) {
        struct stat info {};
        EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
        return info.st_mode & 07777;
    }

    std::string m_Program;
    ClassTable m_Dictionary;
    InitFileDocument m_Texts{InitFileForm::Pair};
};

TEST_F(PortableCopy, CarriesTheDictionaryAndTextsBehindTheUnchangedProgram) {
    const fs::path copy = m_Folder / "lexaro-portable";
    ASSERT_TRUE(Write(m_Environment.programFile, copy));
    const std::string bytes = ReadBytes(copy);
    EXPECT_EQ(bytes.substr(0, m_Program.size()), m_Program) << "no byte of the program is changed";
    EXPECT_EQ(Mode(copy), 0750u);

    const auto payload = CheckPortablePayload(copy);
    ASSERT_TRUE(payload.has_value());
    EXPECT_EQ(payload->offset, m_Program.size());
    ClassTable dictionary;
    ASSERT_TRUE(dictionary.ParseXml2Text(payload->dictionaryText));
    ASSERT_EQ(dictionary.RowCount(), 2);
    EXPECT_EQ(dictionary.GetCell(1, 0), m_Dictionary.GetCell(1, 0));
    EXPECT_EQ(dictionary.GetCell(0, 1), "M\xC3\xBC"
                                        "cke");
    InitFileDocument texts(InitFileForm::Pair);
    ASSERT_TRUE(texts.ParseText(payload->interfaceText));
    EXPECT_EQ(texts.GetString("FrmMain.ID_MEN_FILE", "File"), "Datei");
}

TEST_F(PortableCopy, ACopyOfACopyCarriesOnlyTheOriginalProgram) {
    const fs::path first = m_Folder / "first";
    const fs::path second = m_Folder / "second";
    ASSERT_TRUE(Write(m_Environment.programFile, first));
    m_Dictionary.SetCell(1, 1, "a much longer explanation of a small insect");
    ASSERT_TRUE(Write(first, second));

    const auto payload = CheckPortablePayload(second);
    ASSERT_TRUE(payload.has_value());
    EXPECT_EQ(payload->offset, m_Program.size());
    EXPECT_NE(payload->dictionaryText.find("small insect"), std::string::npos);
    const std::string bytes = ReadBytes(second);
    EXPECT_EQ(bytes.substr(0, m_Program.size()), m_Program);
    EXPECT_EQ(bytes.size(), m_Program.size() + 8 + payload->dictionaryText.size() + payload->interfaceText.size() + 12);

    // Permission bits travel, a set-user-id bit does not; an older read-only file is replaced.
    fs::permissions(first, fs::perms(04755));
    fs::permissions(second, fs::perms(0444));
    ASSERT_TRUE(Write(first, second));
    EXPECT_EQ(Mode(second), 0755u);

    // Made over itself, a copy stays one program and one payload.
    ASSERT_TRUE(Write(second, second));
    EXPECT_EQ(ReadBytes(second).size(), bytes.size());
}

TEST_F(PortableCopy, WritesNothingWhenItCannotReadOrWrite) {
    EXPECT_FALSE(Write(m_Folder / "missing", m_Folder / "copy"));
    EXPECT_FALSE(fs::exists(m_Folder / "copy"));
    WriteBytes(m_Folder / "empty", "");
    EXPECT_FALSE(Write(m_Folder / "empty", m_Folder / "copy"));
    EXPECT_FALSE(fs::exists(m_Folder / "copy"));
    EXPECT_FALSE(Write(m_Environment.programFile, m_Folder / "no-folder" / "copy"));

    WriteBytes(m_Folder / "copy", "kept");
    EXPECT_FALSE(Write(m_Environment.programFile, m_Folder / "copy" / "inside"));
    EXPECT_EQ(ReadBytes(m_Folder / "copy"), "kept");
}

TEST_F(PortableCopy, StartsAsPortableWithItsSettingsBesideIt) {
    const fs::path folder = m_Folder / "stick";
    fs::create_directory(folder);
    ASSERT_TRUE(Write(m_Environment.programFile, folder / "lexaro"));
    m_Environment.programFile = folder / "lexaro";
    const auto storage = lexaro::PrepareStorage(m_Environment, m_Clock);
    ASSERT_TRUE(storage.portable.has_value());
    EXPECT_EQ(storage.applicationFolder, folder);
    EXPECT_EQ(storage.settingsPath, folder / "Lexaro.ini");
    EXPECT_FALSE(fs::exists(m_Folder / "home" / ".config"));
}

// The payload sits after the last byte the loader looks at, so a real executable still runs.
TEST_F(PortableCopy, ARealProgramStillRunsWithAPayload) {
    const fs::path source = "/bin/true";
    if (!fs::exists(source)) {
        GTEST_SKIP() << "no /bin/true";
    }
    const fs::path copy = m_Folder / "true-portable";
    ASSERT_TRUE(Write(source, copy));
    ASSERT_TRUE(CheckPortablePayload(copy).has_value());
    const std::string path = copy.string();
    char* arguments[] = {const_cast<char*>(path.c_str()), nullptr};
    pid_t child = 0;
    ASSERT_EQ(::posix_spawn(&child, path.c_str(), nullptr, nullptr, arguments, environ), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
