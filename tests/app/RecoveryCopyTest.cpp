#include "app/RecoveryCopy.h"

#include "AppTestSupport.h"
#include "app/RecoverySchedule.h"

#include <algorithm>
#include <memory>
#include <sys/stat.h>
#include <vector>

using namespace std::chrono_literals;

namespace lexaro {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(RecoverySchedule, WritesOneIntervalAfterTheFirstUnwrittenChange) {
    RecoverySchedule schedule(60s);
    EXPECT_FALSE(schedule.DueIn(0ms));

    schedule.Changed(1000ms);
    schedule.Changed(50'000ms); // a later change does not put the copy off
    EXPECT_EQ(schedule.DueIn(50'000ms), 11'000ms);
    EXPECT_FALSE(schedule.Due(60'999ms));
    EXPECT_TRUE(schedule.Due(61'000ms));
    EXPECT_EQ(schedule.DueIn(90'000ms), 0ms);

    schedule.Written();
    EXPECT_FALSE(schedule.Pending());
    schedule.Changed(61'001ms);
    EXPECT_FALSE(schedule.Due(121'000ms)); // copies stay an interval apart
    EXPECT_TRUE(schedule.Due(121'001ms));
}

TEST(RecoverySchedule, ANonPositiveIntervalFallsBackToTheUsualOne) {
    EXPECT_EQ(RecoverySchedule(0ms).Interval(), kRecoveryInterval);
    EXPECT_EQ(RecoverySchedule(-5ms).Interval(), kRecoveryInterval);
}

TEST(RecoveryOrigin, AnyPathSurvivesTheRoundTrip) {
    const std::string paths[] = {"", "/home/ann/words.lxd", "/tmp/100% sure\r\n\"quoted\"\t.lxd",
                                 "/home/\xC3\xA4nne/W\xC3\xB6rter.lxd",
                                 std::string("/a\x7F"
                                             "b")};
    for (const std::string& path : paths) {
        const std::string text = ComposeRecoveryOrigin(path);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
        EXPECT_EQ(ParseRecoveryOrigin(text), path);
    }
}

TEST(RecoveryOrigin, DamagedOrForeignTextIsRefused) {
    const std::string good = ComposeRecoveryOrigin("/w.lxd");
    EXPECT_FALSE(ParseRecoveryOrigin(""));
    EXPECT_FALSE(ParseRecoveryOrigin(good.substr(0, good.size() - 2))); // no line end
    EXPECT_FALSE(ParseRecoveryOrigin("LexaroRecovery 2\r\nPath=/w.lxd\r\n"));
    EXPECT_FALSE(ParseRecoveryOrigin("LexaroRecovery 1\r\nName=/w.lxd\r\n"));
    EXPECT_FALSE(ParseRecoveryOrigin("LexaroRecovery 1\r\nPath=/w%\r\n"));
    EXPECT_FALSE(ParseRecoveryOrigin("LexaroRecovery 1\r\nPath=/w%4\r\n"));
    EXPECT_FALSE(ParseRecoveryOrigin("LexaroRecovery 1\r\nPath=/w%G1\r\n"));
    EXPECT_FALSE(ParseRecoveryOrigin("LexaroRecovery 1\r\nPath=/a%00b\r\n"));
    EXPECT_FALSE(ParseRecoveryOrigin("LexaroRecovery 1\r\nPath=/a\tb\r\n"));
    EXPECT_FALSE(ParseRecoveryOrigin(good + std::string(kRecoveryOriginLimit, 'x')));
    EXPECT_EQ(ParseRecoveryOrigin("LexaroRecovery 1\r\nPath=/a%41%2fb\r\nextra"), "/aA/b");
}

TEST(RecoveryCopy, WritesReadsAndRemovesTheCopyOfItsSlot) {
    TempFolder folder;
    RecoveryCopy copy;
    EXPECT_FALSE(copy.Write("<doc/>", "/w.lxd")); // nothing claimed, nothing written
    ASSERT_TRUE(copy.Claim(folder.Path()));
    EXPECT_EQ(copy.Files().document, folder / "Recovery.lxd");
    EXPECT_FALSE(copy.Exists());

    ASSERT_TRUE(copy.Write("<doc/>", "/home/ann/w.lxd"));
    EXPECT_TRUE(copy.Exists());
    EXPECT_EQ(ReadBytes(copy.Files().document), "<doc/>");
    EXPECT_EQ(copy.ReadOrigin(), "/home/ann/w.lxd");
    struct stat info {};
    ASSERT_EQ(::stat(copy.Files().document.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u); // a copy of someone's dictionary is theirs alone

    EXPECT_FALSE(copy.Write("", "/home/ann/w.lxd")); // an empty document would replace a good copy
    EXPECT_EQ(ReadBytes(copy.Files().document), "<doc/>");

    EXPECT_TRUE(copy.Remove());
    EXPECT_FALSE(std::filesystem::exists(copy.Files().document));
    EXPECT_FALSE(std::filesystem::exists(copy.Files().origin));
}

TEST(RecoveryCopy, ASecondProgramGetsItsOwnSlotAndAFreedSlotShowsTheLeftCopy) {
    TempFolder folder;
    auto first = std::make_unique<RecoveryCopy>();
    ASSERT_TRUE(first->Claim(folder.Path()));
    ASSERT_TRUE(first->Write("<first/>", "/a.lxd"));

    RecoveryCopy second;
    ASSERT_TRUE(second.Claim(folder.Path()));
    EXPECT_EQ(second.Slot(), 1);
    EXPECT_EQ(second.Files().document, folder / "Recovery-2.lxd");
    EXPECT_FALSE(second.Exists());
    ASSERT_TRUE(second.Write("<second/>", "/b.lxd"));
    EXPECT_EQ(ReadBytes(folder / "Recovery.lxd"), "<first/>");

    first.reset(); // the first program is gone without removing its copy
    RecoveryCopy third;
    ASSERT_TRUE(third.Claim(folder.Path()));
    EXPECT_EQ(third.Slot(), 0);
    EXPECT_TRUE(third.Exists());
    EXPECT_EQ(third.ReadOrigin(), "/a.lxd");
}

TEST(RecoveryCopy, EverySlotTakenMeansNoCopy) {
    TempFolder folder;
    std::vector<std::unique_ptr<RecoveryCopy>> running;
    for (int i = 0; i < kRecoverySlots; ++i) {
        running.push_back(std::make_unique<RecoveryCopy>());
        ASSERT_TRUE(running.back()->Claim(folder.Path()));
    }
    RecoveryCopy extra;
    EXPECT_FALSE(extra.Claim(folder.Path()));
    EXPECT_FALSE(extra.Write("<doc/>", ""));
    EXPECT_FALSE(RecoveryCopy().Claim({}));
}

TEST(RecoveryCopy, KeepAsideMovesTheCopyToADatedBackupWithoutOverwriting) {
    TempFolder folder;
    RecoveryCopy copy;
    ASSERT_TRUE(copy.Claim(folder.Path()));
    const LocalTime time{2024, 3, 5, 9, 4, 1};
    EXPECT_TRUE(copy.KeepAside(time).empty()); // nothing to keep

    ASSERT_TRUE(copy.Write("<one/>", "/w.lxd"));
    EXPECT_EQ(copy.KeepAside(time), folder / "Recovery_20240305-090401.lxd");
    EXPECT_FALSE(copy.Exists());
    EXPECT_EQ(ReadBytes(folder / "Recovery_20240305-090401.origin"), ComposeRecoveryOrigin("/w.lxd"));

    ASSERT_TRUE(copy.Write("<two/>", "/w.lxd"));
    EXPECT_EQ(copy.KeepAside(time), folder / "Recovery_20240305-090401-1.lxd");
    EXPECT_EQ(ReadBytes(folder / "Recovery_20240305-090401.lxd"), "<one/>");
    EXPECT_EQ(ReadBytes(folder / "Recovery_20240305-090401-1.lxd"), "<two/>");
}

TEST(RecoveryCopy, AHostileOriginFileIsNotRead) {
    TempFolder folder;
    RecoveryCopy copy;
    ASSERT_TRUE(copy.Claim(folder.Path()));
    WriteBytes(copy.Files().document, "<doc/>");
    EXPECT_FALSE(copy.ReadOrigin()); // missing
    WriteBytes(copy.Files().origin, ComposeRecoveryOrigin("/w.lxd") + std::string(kRecoveryOriginLimit, ' '));
    EXPECT_FALSE(copy.ReadOrigin()); // larger than any origin file
    std::filesystem::remove(copy.Files().origin);
    std::filesystem::create_directory(copy.Files().origin);
    EXPECT_FALSE(copy.ReadOrigin()); // not a file
}

} // namespace
} // namespace lexaro
