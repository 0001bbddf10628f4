#include "training/ReviewLog.h"

#include "ReviewTestSupport.h"
#include "support/TempFolder.h"
#include "training/ReviewDeck.h"
#include "training/ReviewDeckLoading.h"

#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace lexaro {
namespace {

using test::At;
using test::Rated;

std::vector<ReviewEvent> ReadAll(const std::filesystem::path& log, ReviewLogReading& reading) {
    std::vector<ReviewEvent> events;
    reading = ReadReviewLog(log, [&](ReviewEvent&& e) { events.push_back(std::move(e)); });
    return events;
}

TEST(ReviewLogLines, EveryKindSurvivesAndOddTermsAreEscaped) {
    const std::string odd = "a\tb\nc\\d\re";
    const ReviewEvent events[] = {
        Rated("2026-12-10 23:59:59", odd, Rating::Hard, true),
        At("2026-12-10 08:00:00", ReviewEventKind::Undo, odd, true),
        At("2026-12-10 08:00:00", ReviewEventKind::Lookup, "Haus"),
        At("2026-12-10 08:00:00", ReviewEventKind::Rename, odd, false, Rating::Good, "neu\\"),
    };
    for (const ReviewEvent& event : events) {
        const std::string line = FormatEventLine(event);
        EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
        const std::optional<ReviewEvent> back = ParseEventLine(line.substr(0, line.size() - 1));
        ASSERT_TRUE(back) << line;
        EXPECT_EQ(FormatEventLine(*back), line);
    }
    EXPECT_EQ(FormatEventLine(events[0]), "2026-12-10 23:59:59 +0100\trate\ta\\tb\\nc\\\\d\\re\treverse\t2\n");
    for (const char* bad :
         {"2026-12-10 08:00:00 +0100\trate\tx\tforward\t5", "2026-12-10 08:00:00 +0100\trate\tx\tsideways\t3",
          "2026-12-10 08:00:00 +0100\trate\tx\\q\tforward\t3", "2026-02-30 08:00:00 +0100\tlookup\tx",
          "2026-12-10 08:00:00\tlookup\tx", "2026-12-10 08:00:00 +0100\tlookup\tx\textra",
          "2026-12-10 08:00:00 +0100\tforget\tx", "2026-12-10T08:00:00 +0100\tlookup\tx",
          "2026-12-10 08:00:0x +0100\tlookup\tx", "2026-12-10 08:00:00 *0100\tlookup\tx",
          "2026-12-10 08:00:00 +01a0\tlookup\tx", "2026-12-10 24:00:00 +0100\tlookup\tx"}) {
        EXPECT_FALSE(ParseEventLine(bad)) << bad;
    }
}

TEST(ReviewLogFile, AppendsCreatesOnlyForRatingsAndSurvivesATornLine) {
    test::TempFolder folder;
    const std::filesystem::path log = folder / "words.lxr";
    ReviewDeck deck(log, {});
    const ReviewTime time = At("2026-12-10 08:00:00", ReviewEventKind::Lookup, "").time;
    ASSERT_TRUE(deck.RecordLookup("Haus", time));
    EXPECT_FALSE(std::filesystem::exists(log));

    ASSERT_TRUE(deck.Rate("Haus", false, Rating::Good, time));
    ASSERT_TRUE(deck.RecordLookup("Haus", time));
    // A crash in the middle of the next line.
    const std::string torn = "2026-12-10 08:02:00 +0100\trate\tBa";
    test::WriteBytes(log, test::ReadBytes(log) + torn);
    const std::string before = test::ReadBytes(log);
    ReviewLogReading reading;
    EXPECT_EQ(ReadAll(log, reading).size(), 2u);
    EXPECT_TRUE(reading.tornLastLine);
    EXPECT_EQ(test::ReadBytes(log), before);

    ASSERT_TRUE(AppendReviewEvent(log, Rated("2026-12-10 08:03:00", "Baum", Rating::Easy), true));
    const std::vector<ReviewEvent> events = ReadAll(log, reading);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[2].term, "Baum");
    EXPECT_FALSE(reading.tornLastLine);
    EXPECT_EQ(reading.unreadableLines, 1);
    EXPECT_EQ(test::ReadBytes(log).rfind(std::string(kReviewLogHeader) + "\n", 0), 0u);
}

TEST(ReviewLogFile, UnreadableLinesAreCountedAndSkipped) {
    int visited = 0;
    const ReviewLogReading reading =
        ParseReviewLog("not a header\r\n2026-12-10 08:00:00 +0100\tlookup\tx\r\ngarbage\n\n\xff\xfe\n",
                       [&](ReviewEvent&&) { ++visited; });
    EXPECT_EQ(visited, 1);
    EXPECT_EQ(reading.unreadableLines, 3);
}

TEST(ReviewLogFile, ALongLogReadsAsItsBytesParse) {
    // Several megabytes, so that lines, a carriage return and an escape fall across the pieces the file is read in.
    std::string bytes = std::string(kReviewLogHeader) + "\n";
    for (int i = 0; bytes.size() < 3'500'000; ++i) {
        const std::string term = "term\\\\" + std::string(static_cast<size_t>(i % 97), 'x') + std::to_string(i);
        bytes += "2026-12-10 08:00:00 +0100\trate\t" + term + "\tforward\t" + std::to_string(i % 4 + 1) +
                 (i % 7 == 0 ? "\r\n" : "\n") + (i % 1000 == 0 ? "garbage\n" : "");
    }
    bytes += "2026-12-10 08:00:00 +0100\trate\tcut";
    test::TempFolder folder;
    test::WriteBytes(folder / "words.lxr", bytes);
    std::vector<std::string> parsed;
    std::vector<std::string> read;
    const ReviewLogReading whole =
        ParseReviewLog(bytes, [&](ReviewEvent&& e) { parsed.push_back(FormatEventLine(e)); });
    ReviewLogReading reading;
    for (const ReviewEvent& e : ReadAll(folder / "words.lxr", reading)) {
        read.push_back(FormatEventLine(e));
    }
    EXPECT_GT(parsed.size(), 30'000u);
    EXPECT_EQ(read, parsed);
    EXPECT_EQ(reading.unreadableLines, whole.unreadableLines);
    EXPECT_GT(reading.unreadableLines, 20);
    EXPECT_TRUE(reading.tornLastLine);
}

TEST(ReviewLogFile, ALogReadOnAThreadOfItsOwnGivesWhatReadingItDirectlyGives) {
    test::TempFolder folder;
    const std::filesystem::path log = folder / "words.lxr";
    for (int i = 0; i < 2000; ++i) {
        AppendReviewEvent(log,
                          Rated("2026-12-0" + std::to_string(1 + i % 9) + " 08:00:00", std::to_string(i % 300),
                                static_cast<Rating>(1 + i % 4)),
                          false);
    }
    std::ofstream(log, std::ios::app) << "nonsense\n";
    ReviewDeck direct(log, {0.85, 400});
    const ReviewLogReading directReading = direct.Load();

    ReviewDeckLoading loading(log, {0.85, 400});
    ReviewLogReading reading;
    const std::unique_ptr<ReviewDeck> deck = loading.Take(reading);
    ASSERT_EQ(deck->History().Cards().size(), 300u);
    EXPECT_EQ(reading.unreadableLines, directReading.unreadableLines);
    EXPECT_EQ(reading.unreadableLines, 1);
    for (const ReviewCard& card : direct.History().Cards()) {
        const ReviewCard* same = deck->History().Find(card.term, card.reverse);
        ASSERT_NE(same, nullptr);
        EXPECT_EQ(same->schedule.dueDay, card.schedule.dueDay);
        EXPECT_EQ(same->schedule.state.stability, card.schedule.state.stability);
    }
    // A reading never taken (the file opened was no dictionary) is waited for and thrown away.
    ReviewDeckLoading{log, {}};
}

TEST(ReviewLogFile, ResetKeepsADatedBackupAndUnwritableFoldersFallBack) {
    test::TempFolder folder;
    const std::filesystem::path log = folder / "words.lxr";
    test::WriteBytes(log, "first");
    const LocalTime now{2026, 12, 10, 7, 5, 9};
    EXPECT_EQ(BackUpReviewLog(log, now), folder / "words.lxr.2026-12-10_070509.bak");
    test::WriteBytes(log, "second");
    EXPECT_EQ(BackUpReviewLog(log, now), folder / "words.lxr.2026-12-10_070509-2.bak");
    EXPECT_FALSE(std::filesystem::exists(log));
    EXPECT_EQ(test::ReadBytes(folder / "words.lxr.2026-12-10_070509.bak"), "first");
    EXPECT_FALSE(BackUpReviewLog(log, now));

    EXPECT_EQ(ReviewLogPath(folder / "words.lxd", "/data"), log);
    const std::filesystem::path fallback = ReviewLogPath(folder / "missing" / "words.lxd", folder / "data");
    EXPECT_EQ(fallback, folder / "data" / "words.lxr");
    EXPECT_TRUE(AppendReviewEvent(fallback, Rated("2026-12-10 08:00:00", "Haus", Rating::Good), false));
}

} // namespace
} // namespace lexaro
