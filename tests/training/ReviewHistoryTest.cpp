#include "training/ReviewHistory.h"

#include "ReviewTestSupport.h"
#include "training/ReviewFigures.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::At;
using test::Day;
using test::Rated;

TEST(ReviewHistory, ReplaysRatingsByReviewDay) {
    ReviewHistory history;
    history.Apply(Rated("2026-12-10 20:00:00", "Haus", Rating::Good));
    // 03:59 still belongs to the evening before: the same review day.
    history.Apply(Rated("2026-12-11 03:59:00", "Haus", Rating::Again));
    history.Apply(Rated("2026-12-14 04:00:00", "Baum", Rating::Good));
    history.Apply(Rated("2026-12-13 04:00:00", "Baum", Rating::Good));

    const ReviewCard* haus = history.Find("Haus", false);
    ASSERT_TRUE(haus);
    EXPECT_NEAR(haus->schedule.state.stability, NextReview(FirstReview(Rating::Good), Rating::Again, 0).stability,
                1e-9);
    EXPECT_EQ(haus->schedule.dueDay, Day("2026-12-10 20:00:00"));
    EXPECT_EQ(haus->schedule.lapses, 1);
    // Merged out of order, Baum's ratings are replayed in time order: Good, then Good a day later.
    const ReviewCard* baum = history.Find("Baum", false);
    ASSERT_TRUE(baum);
    EXPECT_NEAR(baum->schedule.state.stability, NextReview(FirstReview(Rating::Good), Rating::Good, 1).stability, 1e-9);
    EXPECT_EQ(baum->schedule.dueDay - baum->schedule.lastDay, IntervalDays(baum->schedule.state.stability, {}));
    EXPECT_FALSE(history.Find("Baum", true));

    // Capped at a day, Hard gets 1 and Good one more.
    history.SetOptions({0.90, 1});
    EXPECT_EQ(history.Find("Baum", false)->schedule.dueDay, Day("2026-12-16 04:00:00"));
}

TEST(ReviewHistory, UndoRenameAndLookupsFollowTheTerm) {
    ReviewHistory history;
    history.Apply(Rated("2026-12-10 08:00:00", "Haus", Rating::Good));
    history.Apply(Rated("2026-12-10 08:00:00", "Haus", Rating::Easy, true));
    history.Apply(Rated("2026-12-13 08:00:00", "Haus", Rating::Again));
    history.Apply(At("2026-12-13 08:01:00", ReviewEventKind::Undo, "Haus"));
    EXPECT_EQ(history.Find("Haus", false)->schedule.reviews, 1);
    EXPECT_EQ(history.RatingCount(), 2u);

    history.Apply(At("2026-12-13 09:00:00", ReviewEventKind::Rename, "Haus", false, Rating::Good, "Gebäude"));
    EXPECT_FALSE(history.Find("Haus", false));
    ASSERT_TRUE(history.Find("Gebäude", false));
    ASSERT_TRUE(history.Find("Gebäude", true));
    EXPECT_EQ(history.Find("Gebäude", true)->records.front().rating, Rating::Easy);

    history.Apply(At("2026-12-12 09:00:00", ReviewEventKind::Lookup, "Baum"));
    history.Apply(At("2026-12-11 09:00:00", ReviewEventKind::Lookup, "Baum"));
    EXPECT_EQ(history.LastLookupDay("Baum"), Day("2026-12-12 09:00:00"));
    EXPECT_EQ(history.LastLookupDay("Haus"), -1);
}

TEST(ReviewFigures, CountsRatingsDueDaysRetentionAndRecall) {
    ReviewHistory history;
    history.Apply(Rated("2026-12-01 08:00:00", "a", Rating::Good));
    history.Apply(Rated("2026-12-03 08:00:00", "a", Rating::Again));
    history.Apply(Rated("2026-12-03 09:00:00", "a", Rating::Good));
    history.Apply(Rated("2026-12-09 08:00:00", "b", Rating::Easy));
    history.Apply(Rated("2026-12-09 08:00:00", "b", Rating::Easy, true));
    const int today = Day("2026-12-10 08:00:00");
    const ReviewFigures figures = ComputeReviewFigures(history, today);

    EXPECT_EQ(figures.ratingsPerDay[kFigureDays - 1 - 7], (std::array<int, 4>{1, 0, 1, 0}));
    EXPECT_EQ(figures.ratingsPerDay[kFigureDays - 2][3], 2);
    const ReviewCard& a = *history.Find("a", false);
    EXPECT_EQ(figures.duePerDay[std::max(a.schedule.dueDay - today, 0)], 1);
    int retained = 0;
    int counted = 0;
    for (const WeekRetention& week : figures.retentionPerWeek) {
        retained += week.recalled;
        counted += week.reviews;
    }
    // Only the Again two days after the first rating was a review after at least a day.
    EXPECT_EQ(counted, 1);
    EXPECT_EQ(retained, 0);
    EXPECT_EQ(figures.ratedCards, 3);
    EXPECT_EQ(figures.learningCards + figures.knownCards, 3);
    const double recallA = Retrievability(7, a.schedule.state.stability);
    EXPECT_NEAR(figures.expectedRecall, recallA + 2 * Retrievability(1, 8.2956), 1e-9);
}

} // namespace
} // namespace lexaro
