#pragma once

#include "table/ClassTable.h"
#include "training/RandomSource.h"

#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// The quiz's rules that need no window. Texts are UTF-8 (as the cells hold them) unless a name says
// otherwise; hints work on what the answer field shows, UTF-16.

// Auto-play interval in milliseconds and number of offered answers, as the settings hold them. A value
// outside its range (a hand-edited settings file) is replaced by the default.
inline constexpr int kDefaultInterval = 4000;
inline constexpr int kMinInterval = 100;
inline constexpr int kMaxInterval = 60000;
inline constexpr int kDefaultChoiceCount = 4;
inline constexpr int kMinChoiceCount = 2;
inline constexpr int kMaxChoiceCount = 6;
int NormalizedInterval(int milliseconds);
int NormalizedChoiceCount(int count);

// An entry's cell, cut to its main part when cut is set; empty for a row or column the table does not have.
std::string EntryCell(const ClassTable& entries, int entryRow, int column, bool cut);

// Only the ASCII letters A-Z are folded; every other byte stays as it is.
std::string FoldAsciiCase(std::string_view text);

// Judges an answer against the expected text: equal byte for byte; with ignoreCase after folding both;
// with countSubwords it is enough that the answer occurs in the expected text. An empty answer is never
// right, so nothing matches an empty expected text.
bool JudgeAnswer(std::string_view answer, std::string_view expected, bool ignoreCase, bool countSubwords);

// The beginning of the expected answer shown with an open question: at most count bytes, without a
// character cut in half. Empty when count is below 1.
std::string ShownBeginning(std::string_view expected, int count);

// Hint levels: 0 for a new question, then 25, 50, 75 and 100 with every press of Help.
inline constexpr int kHintStep = 25;
inline constexpr int kMaxHintLevel = 100;
int NextHintLevel(int level);
// The expected answer with L x (100 - level) / 100 drawn positions (L its length in UTF-16 units; positions
// may repeat) replaced by "*"; a space is never masked, and a character outside the basic plane is masked
// as a whole. At level 100 nothing is masked.
std::u16string MaskHint(std::u16string_view expected, int level, RandomSource& random);

// The offered answers of a multiple-choice question.
struct OfferRequest {
    // The expected answer as shown (cut when cutAdditions is set).
    std::string_view expected;
    // The expected answer's whole cell: its negative examples are offered first.
    std::string_view rawAnswerCell;
    int choiceCount = kDefaultChoiceCount;
    bool cutAdditions = true;
    // Direction of the question: 0 offers explanations, 1 offers terms.
    int direction = 0;
};
struct OfferedAnswers {
    std::vector<std::string> texts;
    // The position that carries the expected answer.
    int correct = 0;
};
// Draws the position of the expected answer, fills the other positions with the cell's negative examples
// (only when cutAdditions is set) and then with the texts of randomly drawn entries. Every offered text is
// distinct and not blank: a drawn text already offered is drawn again, up to kMaxOfferDraws times, then the
// first unused text of the dictionary is taken. A position for which the dictionary has no unused text
// stays empty.
inline constexpr int kMaxOfferDraws = 20;
OfferedAnswers BuildOfferedAnswers(const OfferRequest& request, const ClassTable& entries, RandomSource& random);

// The offered answer that Help removes: the first, in the order 3, 2, 4, 5, 1, 6, whose text is neither
// empty nor the expected answer; -1 when there is none.
int OfferToRemove(const std::vector<std::u16string>& offers, std::u16string_view expected);

// A number as C's printf "%.3g" writes it in the "C" locale, whatever the program's locale is.
std::string FormatThreeDigits(double value);

// The end-of-training text, "%s. %s: %.3g %c. %s: %.3g %c.": for example
// Training finished. Correct: 66.7 %. Wrong: 33.3 %.
std::string EndText(std::string_view finished, std::string_view correctWord, std::string_view wrongWord, int correct,
                    int questions);
// The end text followed by the offer to repeat, "%s %s?".
std::string EndQuestion(std::string_view endText, std::string_view repeat);
// Every question was answered right (no repetition to offer).
bool AllCorrect(int correct, int questions);

// Statistics lines: "%s: %i" (wrong and correct counts) and "%s: %i / %i (%.3g %c)" (answered of all).
std::string CountLine(std::string_view label, int count);
std::string TotalLine(std::string_view label, int answered, int questions);

} // namespace lexaro
