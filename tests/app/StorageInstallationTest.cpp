#include "StorageTestSupport.h"
#include "app/Storage.h"

namespace fs = std::filesystem;
using lexaro::InstallationRecord;
using lexaro::PrepareApplicationFolder;
using lexaro::WriteInstallationRecord;
using lexaro::test::StorageFolder;

namespace {

using InstallationRecordFile = StorageFolder;

TEST_F(InstallationRecordFile, IsWrittenWithItsFiveKeysInOrder) {
    EXPECT_EQ(WriteInstallationRecord(m_Environment, m_Clock, ProgramFolder()), InstallationRecord::Written);
    EXPECT_EQ(ReadBytes(RecordPath()), "InstallationDirectory=\"" + ProgramFolder().string() +
                                           "/\"\r\n"
                                           "LanguageFile=\"Languages.ini\"\r\n"
                                           "IniFile=\"Lexaro.ini\"\r\n"
                                           "Version=\"Version 2.580 (22.05.2019)\"\r\n"
                                           "InstallDate=\"2019-05-22 14:30:05\"\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(RecordPath().parent_path()), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
}

TEST_F(InstallationRecordFile, IsKeptWhileTheVersionMatchesAndReplacedWhenItDiffers) {
    ASSERT_EQ(WriteInstallationRecord(m_Environment, m_Clock, ProgramFolder()), InstallationRecord::Written);
    const std::string first = ReadBytes(RecordPath());

    m_Clock.now = {2024, 1, 2, 3, 4, 5};
    EXPECT_EQ(WriteInstallationRecord(m_Environment, m_Clock, m_Folder / "moved"), InstallationRecord::Current);
    EXPECT_EQ(ReadBytes(RecordPath()), first);

    WriteBytes(RecordPath(), "InstallationDirectory=\"/old/\"\r\nVersion=\"Version 2.570 (01.01.2018)\"\r\n");
    EXPECT_EQ(WriteInstallationRecord(m_Environment, m_Clock, ProgramFolder()), InstallationRecord::Written);
    const std::string rewritten = ReadBytes(RecordPath());
    EXPECT_NE(rewritten.find("Version=\"Version 2.580 (22.05.2019)\""), std::string::npos);
    EXPECT_NE(rewritten.find("InstallDate=\"2024-01-02 03:04:05\""), std::string::npos);
    EXPECT_EQ(rewritten.find("/old/"), std::string::npos);

    WriteBytes(RecordPath(), "");
    EXPECT_EQ(WriteInstallationRecord(m_Environment, m_Clock, ProgramFolder()), InstallationRecord::Written)
        << "an empty record is no record";
}

TEST_F(InstallationRecordFile, AnUnwritableFolderIsIgnored) {
    // A file where the folder should be: creating it fails even for root.
    WriteBytes(m_Folder / "blocked", "a file");
    m_Environment.commonDir = (m_Folder / "blocked" / "Corvane" / "Lexaro").string();
    EXPECT_EQ(WriteInstallationRecord(m_Environment, m_Clock, ProgramFolder()), InstallationRecord::Failed);
    EXPECT_EQ(PrepareApplicationFolder(m_Environment, m_Clock, ProgramFolder()), UserFolder())
        << "the per-user folder does not depend on the record";
    EXPECT_TRUE(fs::is_directory(UserFolder()));
}

} // namespace
