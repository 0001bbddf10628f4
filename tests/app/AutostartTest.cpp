#include "app/Autostart.h"

#include "AppTestSupport.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(Autostart, FolderFollowsTheConfigurationFolder) {
    Environment environment;
    environment.home = "/home/ann";
    EXPECT_EQ(AutostartFolder(environment), std::filesystem::path("/home/ann/.config/autostart"));
    environment.xdgConfigHome = "/cfg";
    EXPECT_EQ(AutostartFolder(environment), std::filesystem::path("/cfg/autostart"));
    EXPECT_TRUE(AutostartFolder(Environment{}).empty());
}

TEST(Autostart, SwitchingOnWritesAnEntryThatStartsTheProgramAndOffRemovesIt) {
    TempFolder folder;
    const auto autostart = folder / "autostart";
    EXPECT_FALSE(IsAutostartOn(autostart));

    ASSERT_TRUE(SetAutostart(autostart, "/opt/lexaro/bin/lexaro", true));
    EXPECT_TRUE(IsAutostartOn(autostart));
    const std::string entry = ReadBytes(autostart / "lexaro.desktop");
    EXPECT_NE(entry.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(entry.find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(entry.find("\nExec=\"/opt/lexaro/bin/lexaro\"\n"), std::string::npos);

    ASSERT_TRUE(SetAutostart(autostart, "/opt/lexaro/bin/lexaro", false));
    EXPECT_FALSE(IsAutostartOn(autostart));
    EXPECT_FALSE(std::filesystem::exists(autostart / "lexaro.desktop"));
    // Switching off again is not an error.
    EXPECT_TRUE(SetAutostart(autostart, "/opt/lexaro/bin/lexaro", false));
}

TEST(Autostart, AnExistingEntryIsNeverRewritten) {
    TempFolder folder;
    std::filesystem::create_directories(folder / "autostart");
    WriteBytes(folder / "autostart" / "lexaro.desktop", "edited by hand\n");
    EXPECT_TRUE(SetAutostart(folder / "autostart", "/usr/bin/lexaro", true));
    EXPECT_EQ(ReadBytes(folder / "autostart" / "lexaro.desktop"), "edited by hand\n");
    EXPECT_TRUE(IsAutostartOn(folder / "autostart"));
}

TEST(Autostart, AFolderInPlaceOfTheEntryIsNeitherOnNorRemoved) {
    TempFolder folder;
    std::filesystem::create_directories(folder / "autostart" / "lexaro.desktop");
    EXPECT_FALSE(IsAutostartOn(folder / "autostart"));
    EXPECT_FALSE(SetAutostart(folder / "autostart", "/usr/bin/lexaro", false));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "autostart" / "lexaro.desktop"));
}

TEST(Autostart, NothingIsWrittenWithoutAFolderOrAProgram) {
    TempFolder folder;
    EXPECT_FALSE(SetAutostart({}, "/usr/bin/lexaro", true));
    EXPECT_FALSE(SetAutostart(folder / "autostart", {}, true));
    EXPECT_FALSE(IsAutostartOn(folder / "autostart"));
}

TEST(Autostart, UnusualProgramPathsAreQuotedForTheExecLine) {
    EXPECT_NE(AutostartEntryText("/home/a b/lexaro").find("Exec=\"/home/a b/lexaro\"\n"), std::string::npos);
    EXPECT_NE(AutostartEntryText("/x/100%/lexaro").find("Exec=\"/x/100%%/lexaro\"\n"), std::string::npos);
    EXPECT_NE(AutostartEntryText("/x/$HOME/lexaro").find("Exec=\"/x/\\\\$HOME/lexaro\"\n"), std::string::npos);
    EXPECT_NE(AutostartEntryText("/x/a\"b/lexaro").find("Exec=\"/x/a\\\\\"b/lexaro\"\n"), std::string::npos);
    EXPECT_NE(AutostartEntryText("/x/a\\b").find("Exec=\"/x/a\\\\\\\\b\"\n"), std::string::npos);
    // A line break in the path must not start a new key of the entry.
    EXPECT_EQ(AutostartEntryText("/x/a\nHidden=true").find("\nHidden=true"), std::string::npos);
}

} // namespace
} // namespace lexaro
