#include "training/ReviewQueue.h"

#include "ReviewTestSupport.h"
#include "TrainingTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <tuple>

namespace lexaro {
namespace {

using test::At;
using test::Day;
using test::Rated;

std::vector<std::string> Terms(const ClassTable& entries, const ReviewQueue& queue) {
    std::vector<std::string> terms;
    for (const QueuedCard& card : queue.cards) {
        terms.push_back(entries.PeekCell(0, card.entryRow) + (card.reverse ? "<" : "") + (card.isNew ? "*" : ""));
    }
    return terms;
}

TEST(ReviewQueue, DueCardsThenLookedUpThenOldestNewCards) {
    ClassTable entries = test::Dictionary(
        {{"old", "x"}, {"older", "x"}, {"due2", "x"}, {"due1", "x"}, {"later", "x"}, {"seen", "x"}, {"due1", "y"}});
    const char* dates[] = {"2020-01-02 00:00:00", "2020-01-01 00:00:00", "", "",
                           "2026-01-01 00:00:00", "2026-02-01 00:00:00", ""};
    for (int row = 0; row < entries.RowCount(); ++row) {
        entries.SetCell(2, row, dates[row]);
    }
    ReviewHistory history;
    history.Apply(Rated("2026-12-01 08:00:00", "due1", Rating::Good));
    history.Apply(Rated("2026-12-02 08:00:00", "due2", Rating::Good));
    history.Apply(Rated("2026-12-08 08:00:00", "gone", Rating::Good));
    history.Apply(Rated("2026-12-10 08:00:00", "notyet", Rating::Good));
    history.Apply(At("2026-12-09 08:00:00", ReviewEventKind::Lookup, "later"));
    history.Apply(At("2026-12-08 08:00:00", ReviewEventKind::Lookup, "seen"));
    history.Apply(At("2026-10-01 08:00:00", ReviewEventKind::Lookup, "old"));
    const int today = Day("2026-12-10 09:00:00");

    // "notyet" was started today, so 4 of the 5 new cards are left.
    ReviewQueue queue = BuildReviewQueue(entries, history, {5, false}, today);
    EXPECT_EQ(Terms(entries, queue), (std::vector<std::string>{"due1", "due2", "later*", "seen*", "older*", "old*"}));
    EXPECT_EQ(queue.dueCount, 2);

    queue = BuildReviewQueue(entries, history, {3, true}, today);
    EXPECT_EQ(Terms(entries, queue), (std::vector<std::string>{"due1", "due2", "later*", "later<*"}));
    // The two entries of "due1" count once each for the reverse direction.
    EXPECT_EQ(CountNewCards(entries, history, true), 11);
    EXPECT_EQ(CountNewCards(entries, history, false), 4);
}

TEST(ReviewQueue, DueCardsOfOneDayByTermAfterCardsDueCenturiesEarlier) {
    ClassTable entries = test::Dictionary({{"abcdefgh2", "x"},
                                           {"abcdefgh1", "x"},
                                           {"ancient", "x"},
                                           {"abcdefgh10", "x"},
                                           {"abcdefgh", "x"},
                                           {"abcdefgh1", "y"}});
    ReviewHistory history;
    for (const char* term : {"abcdefgh10", "abcdefgh", "abcdefgh2", "abcdefgh1"}) {
        history.Apply(Rated("2026-12-01 08:00:00", term, Rating::Good));
    }
    history.Apply(Rated("1700-03-01 08:00:00", "ancient", Rating::Good));

    const ReviewQueue queue = BuildReviewQueue(entries, history, {0, false}, Day("2026-12-10 09:00:00"));
    EXPECT_EQ(Terms(entries, queue),
              (std::vector<std::string>{"ancient", "abcdefgh", "abcdefgh1", "abcdefgh10", "abcdefgh2"}));
    EXPECT_EQ(queue.cards[2].entryRow, 1);
}

// A queue built again from what an earlier one kept of the same dictionary picks the same rows; the rows of the
// oldest entries it keeps grow when those have cards; a changed dictionary is read afresh.
TEST(ReviewQueue, AQueueBuiltAgainFromWhatOneKeptIsTheSameUntilTheDictionaryChanges) {
    ClassTable entries = test::Dictionary({{"a", "x"},
                                           {"b", "x"},
                                           {"c", "x"},
                                           {"due", "x"},
                                           {"d", "x"},
                                           {"b", "y"},
                                           {"e", "x"},
                                           {"f", "x"},
                                           {"seen", "x"},
                                           {"g", "x"}});
    for (int row = 0; row < entries.RowCount(); ++row) {
        entries.SetCell(2, row, row % 3 == 0 ? "2020-01-01 00:00:00" : "2021-01-01 00:00:00");
    }
    ReviewHistory history;
    for (const char* term : {"a", "due", "g"}) {
        history.Apply(Rated("2026-12-01 08:00:00", term, Rating::Good));
    }
    history.Apply(Rated("2026-12-09 08:00:00", "f", Rating::Good, true));
    history.Apply(At("2026-12-09 08:00:00", ReviewEventKind::Lookup, "seen"));
    const int today = Day("2026-12-10 09:00:00");
    const auto picked = [&entries](const ReviewQueue& queue) {
        std::vector<std::string> rows = Terms(entries, queue);
        for (size_t i = 0; i < rows.size(); ++i) {
            rows[i] += "@" + std::to_string(queue.cards[i].entryRow);
        }
        return rows;
    };
    const ReviewQueueOptions options{4, true};
    ReviewEntryDigest kept;
    kept.oldestRows = 2;
    const std::vector<std::string> fresh = picked(BuildReviewQueue(entries, history, options, today));
    EXPECT_EQ(fresh, (std::vector<std::string>{"a@0", "due@3", "g@9", "seen*@8", "seen<*@8", "a<*@0", "due<*@3"}));
    for (int build = 0; build < 3; ++build) {
        EXPECT_EQ(picked(BuildReviewQueue(entries, history, options, today, &kept)), fresh) << build;
    }
    EXPECT_GT(kept.oldestRows, 2U);

    entries.SetCell(0, 9, "due");
    entries.SetCell(0, 3, "h");
    EXPECT_EQ(picked(BuildReviewQueue(entries, history, options, today, &kept)),
              picked(BuildReviewQueue(entries, history, options, today)));
}

// Random dictionaries (repeated terms, terms alike in their first bytes, shared dates) and histories (both
// directions, look-ups, undone ratings): the due cards come in order of due day, term and entry, and the queues built
// from what was kept pick what a queue built afresh picks, also after the history or the dictionary changed.
TEST(ReviewQueue, KeptAndFreshQueuesOfRandomDictionariesAgree) {
    const char* dates[] = {"", "2020-01-01 00:00:00", "2020-01-01 00:00:01", "2019-12-31 23:59:59", "2020-01-01"};
    const int today = Day("2026-12-10 09:00:00");
    for (unsigned seed = 0; seed < 150; ++seed) {
        std::mt19937 random(seed);
        const auto pick = [&random](unsigned count) { return static_cast<int>(random() % count); };
        const int rows = pick(3) == 0 ? pick(20) : pick(1500);
        const int terms = 1 + pick(static_cast<unsigned>(rows) + 5);
        // Some terms share their first eight bytes and differ only after them.
        const auto term = [&] {
            return (pick(2) == 0 ? "w" : "wordlist") + std::to_string(pick(static_cast<unsigned>(terms) + 3));
        };
        ClassTable entries;
        entries.Resize(3, rows);
        for (int row = 0; row < rows; ++row) {
            entries.SetCell(0, row, term());
            entries.SetCell(2, row, dates[pick(pick(2) == 0 ? 2 : 5)]);
        }
        ReviewHistory history;
        const auto event = [&](ReviewEventKind kind, int daysAgo) {
            ReviewEvent e = At(ReviewDayDate(today - daysAgo) + " 08:00:00", kind, term(), pick(3) == 0);
            e.rating = static_cast<Rating>(1 + pick(4));
            history.Apply(e);
        };
        for (int i = pick(1500); i > 0; --i) {
            const int kind = pick(10);
            event(kind < 7   ? ReviewEventKind::Rating
                  : kind < 9 ? ReviewEventKind::Lookup
                             : ReviewEventKind::Undo,
                  pick(60));
        }
        const ReviewQueueOptions options{pick(4) == 0 ? 0 : pick(40), pick(2) == 0};
        ReviewEntryDigest kept;
        kept.oldestRows = 1 + static_cast<size_t>(pick(32));
        const auto agree = [&] {
            const ReviewQueue fresh = BuildReviewQueue(entries, history, options, today);
            const ReviewQueue again = BuildReviewQueue(entries, history, options, today, &kept);
            // The main window counts the due cards without looking for new ones.
            const ReviewQueue counted = BuildReviewQueue(entries, history, {0, options.bothDirections}, today, &kept);
            return Terms(entries, fresh) == Terms(entries, again) && fresh.dueCount == again.dueCount &&
                   counted.dueCount == fresh.dueCount &&
                   std::equal(fresh.cards.begin(), fresh.cards.end(), again.cards.begin(), again.cards.end(),
                              [](const QueuedCard& a, const QueuedCard& b) { return a.entryRow == b.entryRow; });
        };
        // The due cards, worked out entry by entry: by due day, term, row and direction.
        std::vector<std::tuple<int, std::string, int, bool>> due;
        std::set<std::pair<std::string, bool>> seen;
        for (int row = 0; row < rows; ++row) {
            for (const bool reverse : {false, true}) {
                const std::string name = entries.PeekCell(0, row);
                const ReviewCard* card = history.Find(name, reverse);
                if ((reverse && !options.bothDirections) || card == nullptr || !seen.insert({name, reverse}).second ||
                    card->schedule.dueDay > today) {
                    continue;
                }
                due.emplace_back(card->schedule.dueDay, name, row, reverse);
            }
        }
        std::sort(due.begin(), due.end());
        const ReviewQueue queue = BuildReviewQueue(entries, history, options, today);
        ASSERT_EQ(static_cast<size_t>(queue.dueCount), due.size()) << "seed " << seed;
        for (size_t i = 0; i < due.size(); ++i) {
            ASSERT_EQ(queue.cards[i].entryRow, std::get<2>(due[i])) << "seed " << seed << ", due card " << i;
            ASSERT_EQ(queue.cards[i].reverse, std::get<3>(due[i])) << "seed " << seed << ", due card " << i;
        }
        for (int build = 0; build < 3; ++build) {
            ASSERT_TRUE(agree()) << "seed " << seed << ", build " << build;
        }
        event(ReviewEventKind::Rating, 0);
        event(ReviewEventKind::Lookup, 0);
        ASSERT_TRUE(agree()) << "seed " << seed << ", after the history changed";
        history.SetOptions({0.75, 1 + pick(30)});
        ASSERT_TRUE(agree()) << "seed " << seed << ", after the options changed";
        // The next day, from what this day's queues kept.
        const ReviewQueue tomorrow = BuildReviewQueue(entries, history, options, today + 1, &kept);
        ASSERT_EQ(Terms(entries, tomorrow), Terms(entries, BuildReviewQueue(entries, history, options, today + 1)))
            << "seed " << seed << ", the next day";
        const ReviewQueueOptions otherDirections{options.newCardsPerDay, !options.bothDirections};
        ASSERT_EQ(Terms(entries, BuildReviewQueue(entries, history, otherDirections, today + 1, &kept)),
                  Terms(entries, BuildReviewQueue(entries, history, otherDirections, today + 1)))
            << "seed " << seed << ", the other directions";
        if (rows > 0) {
            entries.SetCell(0, pick(static_cast<unsigned>(rows)), term());
            ASSERT_TRUE(agree()) << "seed " << seed << ", after the dictionary changed";
        }
    }
}

} // namespace
} // namespace lexaro
