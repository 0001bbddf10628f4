#include "AppTestSupport.h"
#include "app/Storage.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::TempFolder;
using test::WriteBytes;

// An installed tree: prefix/bin for the program, prefix/share/lexaro for its data.
struct InstalledTree {
    explicit InstalledTree(const std::filesystem::path& prefix)
        : bin(prefix / "bin"), data(prefix / "share" / "lexaro") {
        std::filesystem::create_directories(bin);
        std::filesystem::create_directories(data);
    }
    std::filesystem::path bin;
    std::filesystem::path data;
};

const InstalledDataLayout kLayout{"../share/lexaro", "/nonexistent/lexaro-data"};

TEST(DataFolder, ProgramFolderHoldingTheLanguageListWins) {
    TempFolder temp;
    InstalledTree tree(temp.Path());
    WriteBytes(tree.bin / "Languages.ini", "LanguageDefault=\"English\"\r\n");
    WriteBytes(tree.data / "Languages.ini", "LanguageDefault=\"English\"\r\n");
    EXPECT_EQ(DataFolder(tree.bin, kLayout), tree.bin);
    EXPECT_EQ(DataFolder(tree.bin.string() + "/", kLayout), tree.bin);
}

TEST(DataFolder, InstalledProgramFindsItsDataRelativeToItself) {
    TempFolder temp;
    InstalledTree tree(temp.Path());
    WriteBytes(tree.data / "Languages.ini", "LanguageDefault=\"English\"\r\n");
    EXPECT_EQ(DataFolder(tree.bin, kLayout), tree.data);

    // A program folder other than bin, as a distribution may configure it.
    const std::filesystem::path games = temp / "games";
    std::filesystem::create_directories(games);
    EXPECT_EQ(DataFolder(games, {"../share/lexaro", ""}), tree.data);
}

TEST(DataFolder, CopyElsewhereFallsBackToTheConfiguredInstallation) {
    TempFolder temp;
    InstalledTree installed(temp / "usr");
    WriteBytes(installed.data / "Languages.ini", "LanguageDefault=\"English\"\r\n");
    InstalledTree copy(temp / "stick");
    EXPECT_EQ(DataFolder(copy.bin, {"../share/lexaro", installed.data}), installed.data);
}

TEST(DataFolder, NothingInstalledGivesTheRelativeFolderAndNoProgramFolderNothing) {
    TempFolder temp;
    InstalledTree tree(temp.Path());
    // A folder named Languages.ini is not the list.
    std::filesystem::create_directories(tree.bin / "Languages.ini");
    EXPECT_EQ(DataFolder(tree.bin, kLayout), tree.data);
    EXPECT_TRUE(DataFolder({}, kLayout).empty());
}

TEST(DataFolder, BuiltInLayoutPointsFromTheProgramToItsData) {
    const InstalledDataLayout layout = BuiltInDataLayout();
    EXPECT_TRUE(layout.relativeToProgram.is_relative());
    EXPECT_EQ(layout.relativeToProgram.filename(), "lexaro");
    EXPECT_TRUE(layout.absolute.is_absolute());
    EXPECT_EQ(layout.absolute.filename(), "lexaro");
}

} // namespace
} // namespace lexaro
