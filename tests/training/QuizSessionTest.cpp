#include "training/QuizSession.h"

#include "TrainingTestSupport.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::ScriptedRandom;

struct Quiz {
    ClassTable entries = test::Dictionary({{"house", "Haus"}, {"mouse", "Maus<add_exp>x</add_exp>"}, {"tree", "Baum"}});
    TrainingUnit unit;
    ScriptedRandom random;

    explicit Quiz(std::initializer_list<int> rows = {0, 1, 2}) {
        for (const int row : rows) {
            unit.AddEntry(row);
        }
    }
    QuizSession Session(QuizOptions options = {}) { return QuizSession(unit, entries, random, options); }
};

AnswerOutcome Type(QuizSession& quiz, std::u16string_view text) {
    quiz.SetAnswerText(text);
    return quiz.Answer();
}

TEST(QuizSessionTyped, TwoOfThreeRightThenRepeatTheWrongOne) {
    Quiz fixture;
    QuizSession quiz = fixture.Session();
    quiz.Open();
    EXPECT_EQ(quiz.Question(), u"house");
    EXPECT_EQ(quiz.AnswerText(), u"");
    EXPECT_EQ(quiz.Picture(), QuizPicture::Start);

    EXPECT_TRUE(Type(quiz, u"Haus").right);
    EXPECT_EQ(quiz.InfoLine(), u"Last term: house = Haus");
    EXPECT_EQ(quiz.Question(), u"mouse"); // additions are cut off by default
    const AnswerOutcome wrong = Type(quiz, u"Mau");
    EXPECT_FALSE(wrong.right);
    EXPECT_EQ(wrong.hint, u"... mouse = Maus !!");
    EXPECT_EQ(quiz.Picture(), QuizPicture::Wrong);
    const AnswerOutcome last = Type(quiz, u"Baum");
    EXPECT_TRUE(last.finished);

    const QuizStatistics statistics = quiz.Statistics();
    EXPECT_EQ(statistics.wrongLine, u"Wrong: 1");
    EXPECT_EQ(statistics.correctLine, u"Correct: 2");
    EXPECT_EQ(statistics.totalLine, u"Total: 3 / 3 (100 %)");
    const EndOfTraining end = quiz.End();
    EXPECT_FALSE(end.allCorrect);
    EXPECT_EQ(end.text, u"Training finished. Correct: 66.7 %. Wrong: 33.3 %. Repeat false answered terms?");

    quiz.RepeatWrong();
    EXPECT_EQ(fixture.unit.Mark(1), "0");
    EXPECT_EQ(fixture.unit.AnsweredCount(), 2);
    EXPECT_EQ(fixture.unit.CurrentIndex(), 1); // the quiz goes on after the first question
    EXPECT_TRUE(Type(quiz, u"Maus").finished);
    EXPECT_TRUE(quiz.End().allCorrect);
    EXPECT_EQ(quiz.End().text, u"Training finished. Correct: 100 %. Wrong: 0 %.");
}

TEST(QuizSessionTyped, TheRepeatRoundAsksEveryReopenedQuestionInTurn) {
    Quiz fixture;
    QuizSession quiz = fixture.Session();
    quiz.Open();
    Type(quiz, u"?");
    Type(quiz, u"Maus");
    EXPECT_TRUE(Type(quiz, u"?").finished);

    quiz.RepeatWrong();
    EXPECT_EQ(quiz.Question(), u"house");
    EXPECT_TRUE(Type(quiz, u"Haus").judged);
    EXPECT_EQ(quiz.Question(), u"tree"); // the answered question between them is passed over
    EXPECT_TRUE(quiz.AnswerEnabled());
    EXPECT_TRUE(Type(quiz, u"Baum").finished);

    // A question skipped with Next is asked after the last one.
    Quiz skipped;
    QuizSession again = skipped.Session();
    again.Open();
    again.Show(true);
    Type(again, u"Maus");
    EXPECT_EQ(again.Question(), u"tree");
    EXPECT_FALSE(Type(again, u"Baum").finished);
    EXPECT_EQ(again.Question(), u"house");
    EXPECT_TRUE(Type(again, u"Haus").finished);
}

TEST(QuizSessionTyped, AnswerNeedsAnOpenQuestionAndAnAnswer) {
    Quiz fixture;
    fixture.unit.MarkCorrect(0);
    QuizSession quiz = fixture.Session();
    quiz.Open();
    EXPECT_EQ(quiz.Question(), u"mouse"); // the first open question
    EXPECT_FALSE(Type(quiz, u"").judged);

    quiz.Show(false);
    EXPECT_TRUE(quiz.QuestionAnswered());
    EXPECT_FALSE(quiz.AnswerEnabled());
    EXPECT_EQ(quiz.AnswerText(), u"Haus");
    EXPECT_FALSE(Type(quiz, u"Haus").judged);
    EXPECT_EQ(fixture.unit.AnsweredCount(), 1);
}

TEST(QuizSessionTyped, ShownCharactersAndHints) {
    Quiz fixture;
    fixture.entries.SetCell(1, 0, "hello");
    QuizOptions options;
    options.shownCharacters = 2;
    QuizSession quiz = fixture.Session(options);
    quiz.Open();
    EXPECT_EQ(quiz.AnswerText(), u"he");

    fixture.random.script = {0, 1, 2, 3, 4};
    EXPECT_TRUE(quiz.Help());
    EXPECT_EQ(quiz.AnswerText(), u"*****");
    EXPECT_EQ(quiz.HintLevel(), 25);
    for (int press = 0; press < 4; ++press) {
        quiz.Help();
    }
    EXPECT_EQ(quiz.AnswerText(), u"hello");
    EXPECT_EQ(quiz.HintLevel(), 100);
}

TEST(QuizSessionTyped, BothDirectionsAskTheExplanationsInTheSecondHalf) {
    Quiz fixture;
    fixture.unit.SetBothDirections(true);
    QuizSession quiz = fixture.Session();
    quiz.Open();
    for (int i = 0; i < 3; ++i) {
        Type(quiz, u"?");
    }
    EXPECT_EQ(quiz.Question(), u"Haus");
    EXPECT_EQ(quiz.Expected(), u"house");
    EXPECT_TRUE(Type(quiz, u"house").right);
    EXPECT_EQ(fixture.unit.Mark(0), "-+");
}

TEST(QuizSessionTyped, EntriesTheDictionaryDoesNotHave) {
    Quiz fixture({7, -1});
    QuizSession quiz = fixture.Session();
    quiz.Open();
    EXPECT_EQ(quiz.Question(), u"");
    EXPECT_EQ(quiz.Expected(), u"");
    EXPECT_FALSE(Type(quiz, u"x").right);
    quiz.SetMultipleChoice(true);
    EXPECT_EQ(quiz.Offers()[static_cast<std::size_t>(quiz.CorrectOffer())].text, u"");
}

TEST(QuizSessionChoice, OffersClicksAndHelp) {
    Quiz fixture;
    fixture.random.script = {2, 1, 0, 2};
    QuizOptions options;
    options.multipleChoice = true;
    QuizSession quiz = fixture.Session(options);
    quiz.Open();
    const auto& offers = quiz.Offers();
    EXPECT_EQ(quiz.CorrectOffer(), 2);
    // Three entries have three texts to offer; the fourth place stays empty and hidden.
    EXPECT_EQ((std::vector<std::u16string>{offers[0].text, offers[1].text, offers[2].text, offers[3].text}),
              (std::vector<std::u16string>{u"Maus", u"Baum", u"Haus", u""}));
    EXPECT_TRUE(offers[2].visible && !offers[3].visible && !offers[4].visible && !offers[5].visible);
    EXPECT_FALSE(quiz.AnswerGiven());

    EXPECT_TRUE(quiz.Help()); // the third offer is right, so the second goes
    EXPECT_FALSE(offers[1].visible);
    quiz.ClickOffer(1); // a removed offer cannot be clicked
    EXPECT_FALSE(quiz.AnswerGiven());
    quiz.ClickOffer(0);
    quiz.ClickOffer(2);
    EXPECT_TRUE(offers[2].checked && !offers[0].checked);
    EXPECT_TRUE(quiz.Answer().right);

    // Back on the answered question, the right offer is checked and none can be clicked.
    quiz.Show(false);
    EXPECT_TRUE(offers[static_cast<std::size_t>(quiz.CorrectOffer())].checked);
    EXPECT_FALSE(offers[0].enabled);
}

TEST(QuizSessionAutoPlay, ShowsEveryOpenQuestionOnceThenEnds) {
    Quiz fixture;
    fixture.unit.MarkWrong(1);
    QuizOptions options;
    options.multipleChoice = true;
    options.choiceCount = 2;
    QuizSession quiz = fixture.Session(options);
    quiz.Open();
    EXPECT_EQ(quiz.Step(), AutoPlayStep::Shown);
    EXPECT_EQ(quiz.Question(), u"house");
    EXPECT_EQ(quiz.AnswerText(), u"Haus");
    EXPECT_EQ(quiz.InfoLine(), u" house = Haus");
    EXPECT_TRUE(quiz.Offers()[static_cast<std::size_t>(quiz.CorrectOffer())].checked);
    // What auto-play counted cannot be answered again once it is stopped.
    EXPECT_FALSE(quiz.Answer().judged);

    quiz.Step();
    EXPECT_EQ(quiz.Question(), u"mouse");
    quiz.Step();
    EXPECT_EQ(quiz.Question(), u"tree");
    EXPECT_EQ(quiz.Step(), AutoPlayStep::Ended);
    EXPECT_EQ(fixture.unit.CorrectCount(), 2);
    EXPECT_EQ(fixture.unit.WrongCount(), 1);
    EXPECT_EQ(fixture.unit.Mark(1), "-");
}

TEST(QuizSessionAutoPlay, OptionsOutsideTheirRangeAreReplaced) {
    Quiz fixture;
    fixture.entries = test::Dictionary({{"house", "Haus"}, {"mouse", "Maus"}, {"tree", "Baum"}, {"dog", "Hund"}});
    QuizOptions options;
    options.choiceCount = 0;
    options.interval = 5;
    QuizSession quiz = fixture.Session(options);
    EXPECT_EQ(quiz.Options().choiceCount, 4);
    EXPECT_EQ(quiz.Options().interval, 4000);
    quiz.Open();
    quiz.SetMultipleChoice(true);
    EXPECT_TRUE(quiz.Offers()[3].visible && !quiz.Offers()[4].visible);
}

} // namespace
} // namespace lexaro
