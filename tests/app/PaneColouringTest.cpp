#include "app/PaneColouring.h"

#include <gtest/gtest.h>

using lexaro::ColourPassages;
using lexaro::PaneColour;
using lexaro::PaneColouring;
using lexaro::PanePassage;

namespace {

// The rules the main window gives the pane: only the two delimiter pairs.
PaneColouring ProgramRules() {
    PaneColouring rules;
    rules.pair1Start = u"[";
    rules.pair1End = u"]";
    rules.pair2Start = u"<<";
    rules.pair2End = u">>";
    return rules;
}

// The passages as text, e.g. "1:[house] 2:<<x>>", so a failure shows what was coloured.
std::u16string Show(std::u16string_view text, const std::vector<PanePassage>& passages) {
    std::u16string shown;
    for (const auto& passage : passages) {
        if (!shown.empty()) {
            shown += u' ';
        }
        static constexpr char16_t kNames[] = u"12nskc";
        shown += kNames[static_cast<int>(passage.colour)];
        shown += u':';
        shown += passage.form.empty() ? std::u16string(text.substr(passage.start, passage.length)) : passage.form;
    }
    return shown;
}

std::u16string Colour(std::u16string_view text, const PaneColouring& rules = ProgramRules()) {
    std::u16string shown;
    for (const auto& passage : ColourPassages(text, rules)) {
        if (passage.colour == PaneColour::Number) {
            continue;
        }
        if (!shown.empty()) {
            shown += u' ';
        }
        shown += Show(text, {passage});
    }
    return shown;
}

} // namespace

TEST(PaneColouringPairs, BracketWordPlainWordAngleWord) {
    const std::u16string text = u"[house] garden <<words.lxd>>";
    const auto passages = ColourPassages(text, ProgramRules());
    ASSERT_EQ(passages.size(), 2u);
    EXPECT_EQ(passages[0], (PanePassage{0, 7, PaneColour::Colour1, {}}));
    EXPECT_EQ(passages[1], (PanePassage{15, 13, PaneColour::Colour2, {}}));
}

TEST(PaneColouringPairs, UnclosedPairRunsToTheEnd) {
    EXPECT_EQ(Colour(u"a [house\r\nmore text"), u"1:[house\r\nmore text");
    EXPECT_EQ(Colour(u"<<file.lxd\nrest]"), u"2:<<file.lxd\nrest]");
    EXPECT_EQ(Colour(u"x ["), u"1:[");
    EXPECT_EQ(Colour(u"<< >"), u"2:<< >") << "a lone '>' does not close the pair";
}

TEST(PaneColouringPairs, NestedAndAdjacentMarkers) {
    EXPECT_EQ(Colour(u"[a [b] c]"), u"1:[a [b]") << "the first closing bracket ends the passage";
    EXPECT_EQ(Colour(u"[a][b]"), u"1:[a] 1:[b]");
    EXPECT_EQ(Colour(u"<<a [b] c>>"), u"2:<<a [b] c>>") << "a pair inside a passage is part of it";
    EXPECT_EQ(Colour(u"[a <<b>> c]<<d>>"), u"1:[a <<b>> c] 2:<<d>>");
    EXPECT_EQ(Colour(u"<<<x>>>"), u"2:<<<x>>");
    EXPECT_EQ(Colour(u"<<>>[]"), u"2:<<>> 1:[]");
    EXPECT_EQ(Colour(u"<<x>[y]"), u"2:<<x>[y]") << "the passage runs to the end when '>>' never comes";
}

TEST(PaneColouringPairs, TextWithoutMarkers) {
    EXPECT_TRUE(ColourPassages(u"", ProgramRules()).empty());
    EXPECT_TRUE(ColourPassages(u"plain words only", ProgramRules()).empty());
    EXPECT_EQ(Colour(u"] >> < x"), u"") << "closing markers alone colour nothing";
    EXPECT_TRUE(ColourPassages(u"[a] <<b>>", PaneColouring{}).empty()) << "no rules, no colour";
}

TEST(PaneColouringPairs, PairsInsideWordsAndNumbers) {
    EXPECT_EQ(Colour(u"abc[def]ghi"), u"1:[def]");
    EXPECT_EQ(Colour(u"12[3]4"), u"1:[3]");
    EXPECT_EQ(Colour(u"Stra\u00dfe[\u00e9t\u00e9]"), u"1:[\u00e9t\u00e9]");
}

TEST(PaneColouringRules, LineCommentsComeFirst) {
    auto rules = ProgramRules();
    rules.comment1 = u"//";
    rules.comment2 = u"#";
    EXPECT_EQ(Colour(u"x // [not a pair]\r\n[pair]", rules), u"1:// [not a pair] 1:[pair]");
    EXPECT_EQ(Colour(u"# one\n#two", rules), u"1:# one 1:#two");
    EXPECT_EQ(Colour(u"[a // b] c", rules), u"1:[a // b]") << "inside a pair a comment starter is text";
}

TEST(PaneColouringRules, StringsHonourTheBackslash) {
    auto rules = ProgramRules();
    rules.stringDelimiters = u"\"'";
    EXPECT_EQ(Colour(uR"(say "a [b]" then 'c\'d' [e])", rules), uR"(s:"a [b]" s:'c\'d' 1:[e])");
    EXPECT_EQ(Colour(u"\"open [x]", rules), u"s:\"open [x]") << "an unclosed string runs to the end";
    EXPECT_EQ(Colour(u"'a\" b' \"'\"", rules), u"s:'a\" b' s:\"'\"") << "only the opening character closes";
}

TEST(PaneColouringRules, NumbersReadAsFarAsADecimalNumber) {
    const std::u16string text = u"1 2.5 3e10 4.e 6.02E+23x 0x1F 7.8.9";
    std::vector<std::u16string> numbers;
    for (const auto& passage : ColourPassages(text, PaneColouring{})) {
        EXPECT_EQ(passage.colour, PaneColour::Number);
        numbers.emplace_back(text.substr(passage.start, passage.length));
    }
    EXPECT_EQ(numbers, (std::vector<std::u16string>{u"1", u"2.5", u"3e10", u"4.", u"6.02E+23", u"0", u"7.8", u"9"}));
    EXPECT_TRUE(ColourPassages(u"a1 b2_3 x9", PaneColouring{}).empty()) << "digits inside words are no numbers";
}

TEST(PaneColouringRules, KeywordsAndConstants) {
    PaneColouring rules;
    rules.keywords = u"select from  where";
    rules.keywordForms = u"SELECT From";
    rules.constants = u"null true";
    EXPECT_EQ(Colour(u"Select x FROM t where NULL selects", rules), u"k:SELECT k:From k:where c:NULL");
    const auto passages = ColourPassages(u"SELECT", rules);
    ASSERT_EQ(passages.size(), 1u);
    EXPECT_TRUE(passages[0].form.empty()) << "a keyword already in its form is not rewritten";

    rules.caseSensitive = true;
    EXPECT_EQ(Colour(u"Select select NULL null", rules), u"k:SELECT c:null");
}
