#include "TableTestSupport.h"
#include "table/SafeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>

namespace lexaro {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

fs::perms ModeOf(const fs::path& path) {
    return fs::status(path).permissions() & fs::perms::mask;
}

TEST(SafeFileLinks, LinkStaysAndTheFileItLeadsToIsReplacedWithItsMode) {
    TempFolder folder;
    fs::create_directory(folder / "synced");
    WriteBytes(folder / "synced/words.lxd", "old");
    fs::permissions(folder / "synced/words.lxd",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("synced/words.lxd", folder / "words.lxd");

    ASSERT_TRUE(WriteFileSafely(folder / "words.lxd", "new"));
    EXPECT_TRUE(fs::is_symlink(folder / "words.lxd"));
    EXPECT_EQ(fs::read_symlink(folder / "words.lxd"), "synced/words.lxd");
    EXPECT_EQ(ReadBytes(folder / "synced/words.lxd"), "new");
    EXPECT_EQ(ModeOf(folder / "synced/words.lxd"),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(folder.Names().size(), 2u); // no temporary file beside the link
}

TEST(SafeFileLinks, ChainOfLinksIsFollowedToItsEnd) {
    TempFolder folder;
    fs::create_directories(folder / "a/b");
    WriteBytes(folder / "a/b/unit.lxt", "old");
    // An absolute link to a link whose relative text counts from its own folder, not from the first link's.
    fs::create_symlink("b/unit.lxt", folder / "a/middle");
    fs::create_symlink(folder / "a/middle", folder / "first");

    const bool written =
        WriteFileSafely(folder / "first", [](const PieceWriter& write) { return write("ne") && write("w"); });
    ASSERT_TRUE(written);
    EXPECT_TRUE(fs::is_symlink(folder / "first"));
    EXPECT_TRUE(fs::is_symlink(folder / "a/middle"));
    EXPECT_EQ(ReadBytes(folder / "a/b/unit.lxt"), "new");
}

TEST(SafeFileLinks, LinkLeadingNowhereOrInCirclesFailsAndChangesNothing) {
    TempFolder folder;
    fs::create_symlink("missing.lxd", folder / "dangling.lxd");
    fs::create_symlink("round2", folder / "round1");
    fs::create_symlink("round1", folder / "round2");

    EXPECT_FALSE(WriteFileSafely(folder / "dangling.lxd", "new"));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_TRUE(fs::is_symlink(folder / "dangling.lxd"));
    EXPECT_FALSE(WriteFileSafely(folder / "round1", "new", fs::perms::owner_read | fs::perms::owner_write));
    EXPECT_EQ(errno, ELOOP);
    EXPECT_TRUE(fs::is_symlink(folder / "round1"));
    EXPECT_EQ(folder.Names().size(), 3u);
}

TEST(SafeFileLinks, LinkIntoAFolderThatCannotBeWrittenFailsAndChangesNothing) {
    TempFolder folder;
    fs::create_directory(folder / "locked");
    WriteBytes(folder / "locked/words.lxd", "old");
    fs::create_symlink(folder / "locked/words.lxd", folder / "words.lxd");
    fs::permissions(folder / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    bool written = true;
    int reason = 0;
    {
        const test::PermissionOverrideSuspended asOrdinaryUser;
        if (::faccessat(AT_FDCWD, (folder / "locked").c_str(), W_OK, AT_EACCESS) == 0) {
            fs::permissions(folder / "locked", fs::perms::owner_all);
            GTEST_SKIP() << "this process writes into read-only folders";
        }
        written = WriteFileSafely(folder / "words.lxd", "new");
        reason = errno;
    }
    fs::permissions(folder / "locked", fs::perms::owner_all);
    EXPECT_FALSE(written);
    EXPECT_EQ(reason, EACCES);
    EXPECT_TRUE(fs::is_symlink(folder / "words.lxd"));
    EXPECT_EQ(ReadBytes(folder / "locked/words.lxd"), "old");
    EXPECT_EQ(folder.Names().size(), 2u);
}

} // namespace
} // namespace lexaro
