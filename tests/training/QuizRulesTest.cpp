#include "training/QuizRules.h"

#include "TrainingTestSupport.h"

#include <clocale>
#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::ScriptedRandom;

TEST(QuizJudging, EachModeOfComparison) {
    struct Case {
        const char* answer;
        const char* expected;
        bool ignoreCase;
        bool subwords;
        bool right;
    };
    const Case cases[] = {
        {"house", "house", false, false, true}, {"House", "house", false, false, false},
        {"House", "house", true, false, true},  {"ous", "house", false, false, false},
        {"ous", "house", false, true, true},    {"OUS", "house", false, true, false},
        {"OUS", "house", true, true, true},     {"house", "house", false, true, true},
        {"houses", "house", true, true, false}, {"\xC3\x84", "\xC3\xA4", true, false, false},
        {"x", "", false, false, false},         {"x", "", true, true, false},
        {"", "house", false, true, false},      {"", "", false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JudgeAnswer(c.answer, c.expected, c.ignoreCase, c.subwords), c.right)
            << c.answer << " / " << c.expected << " case " << c.ignoreCase << " subwords " << c.subwords;
    }
}

TEST(QuizHints, MaskingRevealsMoreWithEachLevel) {
    ScriptedRandom random{0, 1, 2};
    EXPECT_EQ(MaskHint(u"a b", 0, random), u"* *");
    EXPECT_EQ(random.bounds, (std::vector<int>{3, 3, 3}));

    ScriptedRandom repeated{2, 2, 2, 2, 2, 2, 2, 2};
    EXPECT_EQ(MaskHint(u"abcdefgh", 50, repeated), u"ab*defgh");
    EXPECT_EQ(repeated.bounds.size(), 4u);

    ScriptedRandom none;
    EXPECT_EQ(MaskHint(u"a b", 100, none), u"a b");
    EXPECT_EQ(MaskHint(u"", 0, none), u"");
    EXPECT_TRUE(none.bounds.empty());

    // A character outside the basic plane is masked whole, never left as half a pair.
    ScriptedRandom pair{2};
    EXPECT_EQ(MaskHint(u"x\U0001F600", 50, pair), u"x**");

    EXPECT_EQ(NextHintLevel(0), 25);
    EXPECT_EQ(NextHintLevel(100), 100);
}

TEST(QuizHints, ShownBeginningCountsBytesWithoutSplittingCharacters) {
    EXPECT_EQ(ShownBeginning("hello", 2), "he");
    EXPECT_EQ(ShownBeginning("hello", 99), "hello");
    EXPECT_EQ(ShownBeginning("hello", 0), "");
    EXPECT_EQ(ShownBeginning("hello", -1), "");
    EXPECT_EQ(ShownBeginning("\xC3\xBC"
                             "ber",
                             1),
              "");
    EXPECT_EQ(ShownBeginning("\xC3\xBC"
                             "ber",
                             3),
              "\xC3\xBC"
              "b");
    EXPECT_EQ(ShownBeginning("\x80\x80\x80\x80\x80", 2), "\x80\x80");
}

TEST(QuizOffers, ExpectedAnswerNegativeExamplesThenRandomEntries) {
    const ClassTable entries = test::Dictionary({{"a", "A<add_exp>x</add_exp>"}, {"b", "B"}, {"c", "C"}});
    OfferRequest request;
    request.expected = "Haus";
    request.rawAnswerCell = "Haus<add_exp><exp_neg>Maus</exp_neg><exp_neg>Laus</exp_neg></add_exp>";
    request.choiceCount = 4;

    ScriptedRandom random{1, 0};
    OfferedAnswers offers = BuildOfferedAnswers(request, entries, random);
    EXPECT_EQ(offers.correct, 1);
    EXPECT_EQ(offers.texts, (std::vector<std::string>{"Maus", "Haus", "Laus", "A"}));
    EXPECT_EQ(random.bounds, (std::vector<int>{4, 3}));

    // Uncut, the examples are not offered and the drawn entries are shown whole; terms for direction 1.
    request.cutAdditions = false;
    ScriptedRandom whole{0, 0, 2};
    offers = BuildOfferedAnswers(request, entries, whole);
    EXPECT_EQ(offers.texts, (std::vector<std::string>{"Haus", "A<add_exp>x</add_exp>", "C", "B"}));
    request.direction = 1;
    ScriptedRandom terms{3, 1, 2, 0};
    EXPECT_EQ(BuildOfferedAnswers(request, entries, terms).texts, (std::vector<std::string>{"b", "c", "a", "Haus"}));
}

TEST(QuizOffers, NoTextIsOfferedTwice) {
    const ClassTable entries =
        test::Dictionary({{"a", "Abend"}, {"b", "Abend"}, {"c", "Tag"}, {"d", ""}, {"e", "Nacht"}, {"f", "Morgen"}});
    OfferRequest request;
    request.expected = "Tag";
    request.rawAnswerCell = "Tag<add_exp><exp_neg>Tag</exp_neg><exp_neg>Abend</exp_neg></add_exp>";
    // A repeated example, a repeated entry, the expected answer and a blank explanation are drawn again.
    ScriptedRandom random{0, 0, 2, 3, 4, 0, 5};
    EXPECT_EQ(BuildOfferedAnswers(request, entries, random).texts,
              (std::vector<std::string>{"Tag", "Abend", "Nacht", "Morgen"}));

    // The draws are bounded; then the first unused text is offered, or none when the dictionary has no more.
    request.rawAnswerCell = request.expected;
    ScriptedRandom zeros;
    EXPECT_EQ(BuildOfferedAnswers(request, entries, zeros).texts,
              (std::vector<std::string>{"Tag", "Abend", "Nacht", "Morgen"}));
    EXPECT_EQ(zeros.bounds.size(), 1u + 1u + 2u * kMaxOfferDraws);
    request.choiceCount = 6;
    ScriptedRandom few;
    EXPECT_EQ(BuildOfferedAnswers(request, entries, few).texts,
              (std::vector<std::string>{"Tag", "Abend", "Nacht", "Morgen", "", ""}));
}

TEST(QuizOffers, BoundsAndEmptyDictionary) {
    OfferRequest request;
    request.expected = "Haus";
    ScriptedRandom random{5};
    for (const int count : {0, 1, 7, 99}) {
        request.choiceCount = count;
        EXPECT_EQ(BuildOfferedAnswers(request, ClassTable(), random).texts.size(), 4u);
    }
    // No entry to draw from: the other positions stay empty and nothing divides by zero.
    request.choiceCount = 2;
    ScriptedRandom empty{1};
    const OfferedAnswers offers = BuildOfferedAnswers(request, ClassTable(), empty);
    EXPECT_EQ(offers.texts, (std::vector<std::string>{"", "Haus"}));
    EXPECT_EQ(empty.bounds, (std::vector<int>{2}));

    EXPECT_EQ(NormalizedChoiceCount(6), 6);
    EXPECT_EQ(NormalizedChoiceCount(1), 4);
    EXPECT_EQ(NormalizedInterval(100), 100);
    EXPECT_EQ(NormalizedInterval(60001), 4000);
    EXPECT_EQ(NormalizedInterval(-5), 4000);
}

TEST(QuizOffers, HelpRemovesAWrongOfferInItsOrder) {
    EXPECT_EQ(OfferToRemove({u"a", u"b", u"c", u"d"}, u"c"), 1);
    EXPECT_EQ(OfferToRemove({u"a", u"", u"c", u"c", u"e", u""}, u"c"), 4);
    EXPECT_EQ(OfferToRemove({u"c", u"", u"", u""}, u"c"), -1);
}

TEST(QuizTexts, EndTextAndStatisticsLines) {
    EXPECT_EQ(EndText("Training finished", "Correct", "Wrong", 2, 3),
              "Training finished. Correct: 66.7 %. Wrong: 33.3 %.");
    EXPECT_EQ(EndQuestion(EndText("Training finished", "Correct", "Wrong", 2, 3), "Repeat false answered terms"),
              "Training finished. Correct: 66.7 %. Wrong: 33.3 %. Repeat false answered terms?");
    EXPECT_EQ(EndText("E", "C", "W", 3, 3), "E. C: 100 %. W: 0 %.");
    EXPECT_FALSE(AllCorrect(2, 3));
    EXPECT_TRUE(AllCorrect(3, 3));
    EXPECT_FALSE(AllCorrect(0, 0));

    EXPECT_EQ(CountLine("Wrong", 2), "Wrong: 2");
    EXPECT_EQ(TotalLine("Total", 3, 12), "Total: 3 / 12 (25 %)");
    EXPECT_EQ(TotalLine("Total", 0, 0), "Total: 0 / 0 (0 %)");
}

TEST(QuizTexts, NumbersAsPrintfWritesThemWhateverTheLocale) {
    for (const double value : {66.66666, 0.5, 100.0, 12.345, 1234.5, 0.000123, 99.96}) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.3g", value);
        EXPECT_EQ(FormatThreeDigits(value), expected);
    }
    // A program running in a locale with a decimal comma still writes a point.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr) {
        EXPECT_EQ(FormatThreeDigits(33.333), "33.3");
        std::setlocale(LC_NUMERIC, "C");
    }
}

} // namespace
} // namespace lexaro
