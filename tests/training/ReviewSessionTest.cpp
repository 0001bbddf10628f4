#include "training/ReviewSession.h"

#include "ReviewTestSupport.h"
#include "TrainingTestSupport.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

TEST(ReviewSession, AgainComesBackAtTheEndAndUndoTakesRatingsBack) {
    test::TempFolder folder;
    const ClassTable entries =
        test::Dictionary({{"Haus", "house<add_exp><exp_pos>a house</exp_pos></add_exp>"}, {"Baum", "tree"}});
    ReviewDeck deck(folder / "words.lxr", {});
    const ReviewTime time = test::Rated("2026-12-10 08:00:00", "", Rating::Good).time;
    const int today = ReviewDay(time.local);
    ReviewSession session(deck, entries, {{{0, false, true}, {1, true, true}}, 0}, UtcSeconds(time));

    EXPECT_EQ(session.Question(), "Haus");
    EXPECT_EQ(session.ExpectedAnswer(), "house");
    EXPECT_EQ(session.Offered(today), (OfferedIntervals{0, 1, 2, 8}));
    ASSERT_TRUE(session.Rate(Rating::Again, time));
    EXPECT_EQ(session.Question(), "tree");
    EXPECT_EQ(session.ExpectedAnswer(), "Baum");
    ASSERT_TRUE(session.Rate(Rating::Good, time));
    EXPECT_EQ(session.Number(), 3);
    EXPECT_EQ(session.Count(), 3);
    EXPECT_EQ(session.Question(), "Haus");
    // Asked again the same day, the card starts from its weak state after Again: Easy no longer gives 8 days.
    EXPECT_EQ(session.Offered(today), (OfferedIntervals{0, 1, 2, 3}));

    ASSERT_TRUE(session.Undo(time));
    ASSERT_TRUE(session.Undo(time));
    EXPECT_EQ(session.Count(), 2);
    EXPECT_EQ(session.Question(), "Haus");
    EXPECT_FALSE(deck.History().Find("Haus", false));
    EXPECT_EQ(ReviewDeck(folder / "words.lxr", {}).Load().unreadableLines, 0);

    ASSERT_TRUE(session.Rate(Rating::Easy, time));
    ASSERT_TRUE(session.Rate(Rating::Again, time));
    ASSERT_TRUE(session.Rate(Rating::Hard, time));
    EXPECT_TRUE(session.Finished());
    const ReviewSummary summary = session.Summary(UtcSeconds(time) + 90, today);
    EXPECT_EQ(summary.reviewed, 3);
    EXPECT_EQ(summary.right, 2);
    EXPECT_EQ(summary.seconds, 90);
    EXPECT_EQ(summary.dueTomorrow, 1);

    ReviewDeck reread(folder / "words.lxr", {});
    reread.Load();
    EXPECT_EQ(reread.History().RatingCount(), 3u);
}

TEST(ReviewSession, TheAnswerShowsTheWholeExplanation) {
    EXPECT_EQ(ShownAnswer("Haus", "house<add_exp><exp_pos>a big house</exp_pos><exp_neg>a mouse</exp_neg></add_exp>"),
              "Haus\nhouse\n+ a big house\n- a mouse");
    EXPECT_EQ(ShownAnswer("Baum", "tree"), "Baum\ntree");
}

TEST(ReviewSession, EnterSuggestsFromTheAnswer) {
    EXPECT_EQ(SuggestedRating(ReviewAnswer::Wrong), Rating::Again);
    EXPECT_EQ(SuggestedRating(ReviewAnswer::RightAfterHelp), Rating::Hard);
    EXPECT_EQ(SuggestedRating(ReviewAnswer::Right), Rating::Good);
    EXPECT_EQ(SuggestedRating(ReviewAnswer::Shown), Rating::Good);
}

TEST(ReviewDeck, RenameFollowsOnlyRatedTermsAndResetStartsAfresh) {
    test::TempFolder folder;
    ReviewDeck deck(folder / "words.lxr", {});
    const ReviewTime time = test::Rated("2026-12-10 08:00:00", "", Rating::Good).time;
    ASSERT_TRUE(deck.RecordRename("Haus", "Heim", time));
    EXPECT_FALSE(std::filesystem::exists(deck.LogPath()));
    ASSERT_TRUE(deck.Rate("Haus", false, Rating::Good, time));
    ASSERT_TRUE(deck.RecordRename("Haus", "Heim", time));
    ReviewDeck reread(deck.LogPath(), {});
    reread.Load();
    EXPECT_TRUE(reread.History().Find("Heim", false));

    ASSERT_TRUE(deck.Reset(time.local));
    EXPECT_TRUE(deck.History().Cards().empty());
    EXPECT_FALSE(std::filesystem::exists(deck.LogPath()));
    EXPECT_EQ(folder.Names().size(), 1u);
}

} // namespace
} // namespace lexaro
