#include "StorageTestSupport.h"
#include "app/Storage.h"

#include <sys/stat.h>

namespace fs = std::filesystem;
using lexaro::DataFolder;
using lexaro::DecideStorage;
using lexaro::GetStartDictionaryPath;
using lexaro::PrepareStorage;
using lexaro::test::StorageFolder;

namespace {

class StorageDecision : public StorageFolder {
protected:
    void WriteSavePath(const std::string& body) { WriteBytes(ProgramFolder() / "SavePath.ini", body); }
};

TEST_F(StorageDecision, WithoutSavePathTheSettingsGoToThePerUserFolder) {
    const auto storage = PrepareStorage(m_Environment, m_Clock);
    EXPECT_FALSE(storage.decision.customStorage);
    EXPECT_FALSE(storage.portable.has_value());
    EXPECT_EQ(storage.decision.programFolder, ProgramFolder());
    EXPECT_EQ(storage.programFile, m_Environment.programFile);
    EXPECT_EQ(storage.applicationFolder, UserFolder());
    EXPECT_EQ(storage.settingsPath, UserFolder() / "Lexaro.ini");
    EXPECT_TRUE(fs::is_directory(UserFolder()));
    EXPECT_TRUE(fs::exists(RecordPath()));

    // New folders are the user's own; the settings may hold private paths.
    struct stat info {};
    ASSERT_EQ(::stat(UserFolder().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat((m_Folder / "home" / ".config").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(StorageDecision, UseExeFilePathKeepsEverythingBesideTheProgram) {
    WriteSavePath("UseExeFilePath=\"1\"\r\n");
    const auto storage = PrepareStorage(m_Environment, m_Clock);
    EXPECT_TRUE(storage.decision.customStorage);
    EXPECT_EQ(storage.applicationFolder, ProgramFolder());
    EXPECT_EQ(storage.settingsPath, ProgramFolder() / "Lexaro.ini");
    EXPECT_FALSE(fs::exists(m_Folder / "home" / ".config")) << "no per-user folder";
    EXPECT_FALSE(fs::exists(RecordPath())) << "no installation record";
}

TEST_F(StorageDecision, OnlyTheExactOneCountsAsUseExeFilePath) {
    for (const char* value : {"0", "01", "true", " 1", ""}) {
        WriteSavePath(std::string("UseExeFilePath=\"") + value + "\"\r\n");
        EXPECT_FALSE(DecideStorage(m_Environment).customStorage) << value;
    }
}

TEST_F(StorageDecision, ApplicationStorageIsTakenRelativeToTheProgramFolder) {
    const fs::path before = fs::current_path();
    fs::create_directory(ProgramFolder() / "data");
    WriteSavePath("UseExeFilePath=\"0\"\r\nApplicationStorage=\"data\"\r\n");
    const auto decision = DecideStorage(m_Environment);
    EXPECT_TRUE(decision.customStorage);
    EXPECT_EQ(decision.applicationFolder, ProgramFolder() / "data");
    EXPECT_EQ(fs::current_path(), before) << "the process's working folder is never changed";

    const auto storage = PrepareStorage(m_Environment, m_Clock);
    EXPECT_EQ(storage.settingsPath, ProgramFolder() / "data" / "Lexaro.ini");
    EXPECT_FALSE(fs::exists(RecordPath()));
}

TEST_F(StorageDecision, ApplicationStorageAcceptsParentsAbsoluteFoldersAndBackslashes) {
    fs::create_directories(m_Folder / "prefix" / "settings");
    WriteSavePath("ApplicationStorage=\"..\\settings\\\"\r\n");
    EXPECT_EQ(DecideStorage(m_Environment).applicationFolder, m_Folder / "prefix" / "settings");

    fs::create_directories(m_Folder / "elsewhere");
    WriteSavePath("ApplicationStorage=\"" + (m_Folder / "elsewhere").string() + "/\"\r\n");
    EXPECT_EQ(DecideStorage(m_Environment).applicationFolder, m_Folder / "elsewhere");
}

TEST_F(StorageDecision, AMissingApplicationStorageFallsBackToThePerUserFolder) {
    WriteSavePath("ApplicationStorage=\"data\"\r\n");
    auto storage = PrepareStorage(m_Environment, m_Clock);
    EXPECT_FALSE(storage.decision.customStorage);
    EXPECT_EQ(storage.applicationFolder, UserFolder());

    // A file of that name is no folder to keep settings in.
    WriteBytes(ProgramFolder() / "data", "not a folder");
    storage = PrepareStorage(m_Environment, m_Clock);
    EXPECT_FALSE(storage.decision.customStorage);

    // An empty SavePath.ini is the same as none.
    WriteSavePath("");
    EXPECT_FALSE(DecideStorage(m_Environment).customStorage);
}

TEST_F(StorageDecision, RelativeStartDictionariesFollowTheFolderThatSavePathChose) {
    EXPECT_EQ(DecideStorage(m_Environment).baseFolder, m_Environment.currentDirectory);
    EXPECT_EQ(GetStartDictionaryPath("words.lxd", DecideStorage(m_Environment).baseFolder),
              m_Folder / "cwd" / "words.lxd");

    WriteSavePath("ApplicationStorage=\"missing\"\r\n");
    const auto decision = DecideStorage(m_Environment);
    EXPECT_EQ(decision.baseFolder, ProgramFolder());
    EXPECT_EQ(GetStartDictionaryPath("../dict/words.lxd", decision.baseFolder),
              m_Folder / "prefix" / "dict" / "words.lxd");
    EXPECT_EQ(GetStartDictionaryPath("/gone/W\xC3\xB6rter.lxd", decision.baseFolder),
              fs::path("/gone/W\xC3\xB6rter.lxd"));
    EXPECT_EQ(GetStartDictionaryPath("", decision.baseFolder), fs::path()) << "no start dictionary";
    EXPECT_EQ(GetStartDictionaryPath("a.lxd", fs::path()), fs::path()) << "nothing to resolve against";
}

TEST_F(StorageDecision, TheFirstCommandLineWordLocatesAProgramWithoutAProgramFile) {
    m_Environment.programFile.clear();
    m_Environment.firstArgument = "../prefix/bin/lexaro";
    const auto storage = PrepareStorage(m_Environment, m_Clock);
    EXPECT_EQ(storage.decision.programFolder, ProgramFolder());
    EXPECT_EQ(storage.programFile, ProgramFolder() / "lexaro");

    m_Environment.programFile = m_Folder / "deleted" / "lexaro";
    EXPECT_EQ(DecideStorage(m_Environment).programFolder, ProgramFolder());
}

TEST_F(StorageDecision, ConfigurationFolderFollowsXdgConfigHome) {
    m_Environment.xdgConfigHome = (m_Folder / "xdg").string();
    EXPECT_EQ(PrepareStorage(m_Environment, m_Clock).applicationFolder, m_Folder / "xdg" / "Corvane" / "Lexaro");
    EXPECT_TRUE(fs::is_directory(m_Folder / "xdg" / "Corvane" / "Lexaro"));

    m_Environment.xdgConfigHome = "relative/xdg";
    EXPECT_EQ(PrepareStorage(m_Environment, m_Clock).applicationFolder, UserFolder()) << "a relative one is ignored";

    m_Environment.xdgConfigHome.clear();
    m_Environment.home.clear();
    const auto storage = PrepareStorage(m_Environment, m_Clock);
    EXPECT_TRUE(storage.applicationFolder.empty());
    EXPECT_TRUE(storage.settingsPath.empty()) << "no settings file rather than one in a guessed place";
}

TEST_F(StorageDecision, DataFolderIsTheProgramFolderOnlyWhenItHoldsTheLanguages) {
    EXPECT_EQ(DataFolder(ProgramFolder()), m_Folder / "prefix" / "share" / "lexaro");
    EXPECT_EQ(DataFolder(fs::path("/usr/bin/")), fs::path("/usr/share/lexaro"));
    WriteBytes(ProgramFolder() / "Languages.ini", "LanguageDefault=\"English\"\r\n");
    EXPECT_EQ(DataFolder(ProgramFolder()), ProgramFolder());
    EXPECT_EQ(PrepareStorage(m_Environment, m_Clock).dataFolder, ProgramFolder());
}

} // namespace

namespace {

TEST(SystemEnvironment, DescribesThisProcess) {
    const lexaro::Environment environment = lexaro::SystemEnvironment();
    EXPECT_EQ(environment.programFile.filename(), "lexaro_app_tests");
    EXPECT_TRUE(environment.programFile.is_absolute());
    EXPECT_EQ(fs::path(environment.firstArgument).filename(), "lexaro_app_tests");
    EXPECT_EQ(environment.currentDirectory, fs::current_path());
    EXPECT_FALSE(environment.home.empty());
}

} // namespace
