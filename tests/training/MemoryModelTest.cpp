#include "training/MemoryModel.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

struct Step {
    Rating rating;
    int days;
    double stability;
    double difficulty;
};

void ExpectChain(Rating first, const std::vector<Step>& steps, double firstStability, double firstDifficulty) {
    MemoryState state = FirstReview(first);
    EXPECT_NEAR(state.stability, firstStability, 1e-6);
    EXPECT_NEAR(state.difficulty, firstDifficulty, 1e-6);
    for (const Step& step : steps) {
        state = NextReview(state, step.rating, step.days);
        EXPECT_NEAR(state.stability, step.stability, 1e-6) << "after " << static_cast<int>(step.rating);
        EXPECT_NEAR(state.difficulty, step.difficulty, 1e-6) << "after " << static_cast<int>(step.rating);
    }
}

TEST(MemoryModel, FollowsTheReferenceChainAndHandComputedOnes) {
    ExpectChain(Rating::Good,
                {{Rating::Good, 3, 13.826903, 2.111214},
                 {Rating::Again, 0, 4.129932, 7.392238},
                 {Rating::Good, 0, 4.129932, 7.380074},
                 {Rating::Hard, 8, 10.040636, 8.246000},
                 {Rating::Easy, 20, 39.898104, 7.645123},
                 {Rating::Again, 1, 2.177520, 9.211196}},
                2.306500, 2.118104);
    ExpectChain(Rating::Again, {{Rating::Good, 1, 1.886788, 6.402115}}, 0.212, 6.4133);
    ExpectChain(Rating::Easy, {{Rating::Hard, 10, 29.826527, 4.010609}}, 8.2956, 1.0);
    ExpectChain(Rating::Hard, {{Rating::Again, 2, 0.407175, 8.378632}}, 1.2931, 5.112171);
    EXPECT_NEAR(Retrievability(3, 2.3065), 0.880948, 1e-6);
    EXPECT_NEAR(Retrievability(0, 5), 1.0, 1e-12);
}

TEST(MemoryModel, IntervalsFollowRetentionLimitAndOrder) {
    const ScheduleOptions standard;
    EXPECT_EQ(IntervalDays(13.826903, standard), 14);
    EXPECT_EQ(IntervalDays(0.212, standard), 1);
    EXPECT_EQ(IntervalDays(100000, standard), 36500);
    EXPECT_LT(IntervalDays(50, {0.95, 36500}), 50);
    EXPECT_GT(IntervalDays(50, {0.80, 36500}), 50);
    EXPECT_EQ(IntervalDays(50, {0.90, 30}), 30);

    EXPECT_EQ(OfferIntervals(nullptr, 0, standard), (OfferedIntervals{0, 1, 2, 8}));
    // Capped at 1 day, Good and Easy are still pushed a day apart.
    EXPECT_EQ(OfferIntervals(nullptr, 0, {0.90, 1}), (OfferedIntervals{0, 1, 2, 3}));
    const MemoryState known{20, 5};
    const OfferedIntervals later = OfferIntervals(&known, 20, standard);
    EXPECT_LT(later[1], later[2]);
    EXPECT_LT(later[2], later[3]);
}

} // namespace
} // namespace lexaro
