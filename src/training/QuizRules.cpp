#include "training/QuizRules.h"

#include "engine/EntryStore.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>

namespace lexaro {

namespace {

// Percentages are real numbers; a unit without questions has none to count.
double Percent(int part, int whole) {
    return whole > 0 ? static_cast<double>(part) * 100.0 / static_cast<double>(whole) : 0.0;
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void MaskAt(std::u16string& text, std::size_t pos) {
    if (text[pos] == u' ') {
        return;
    }
    // Masking half of a surrogate pair would leave text that is no longer UTF-16.
    if (IsHighSurrogate(text[pos]) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1])) {
        text[pos + 1] = u'*';
    } else if (IsLowSurrogate(text[pos]) && pos > 0 && IsHighSurrogate(text[pos - 1])) {
        text[pos - 1] = u'*';
    }
    text[pos] = u'*';
}

} // namespace

int NormalizedInterval(int milliseconds) {
    return milliseconds < kMinInterval || milliseconds > kMaxInterval ? kDefaultInterval : milliseconds;
}

int NormalizedChoiceCount(int count) {
    return count < kMinChoiceCount || count > kMaxChoiceCount ? kDefaultChoiceCount : count;
}

std::string EntryCell(const ClassTable& entries, int entryRow, int column, bool cut) {
    const std::string cell = entries.PeekCell(column, entryRow);
    return cut ? EntryStore::MainExplanation(cell) : cell;
}

std::string FoldAsciiCase(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

bool JudgeAnswer(std::string_view answer, std::string_view expected, bool ignoreCase, bool countSubwords) {
    if (answer.empty()) {
        return false;
    }
    std::string foldedAnswer;
    std::string foldedExpected;
    if (ignoreCase) {
        foldedAnswer = FoldAsciiCase(answer);
        foldedExpected = FoldAsciiCase(expected);
        answer = foldedAnswer;
        expected = foldedExpected;
    }
    if (countSubwords) {
        return expected.find(answer) != std::string_view::npos;
    }
    return answer == expected;
}

std::string ShownBeginning(std::string_view expected, int count) {
    if (count < 1) {
        return {};
    }
    const std::size_t cut = std::min(static_cast<std::size_t>(count), expected.size());
    const auto continues = [&](std::size_t pos) {
        return pos < expected.size() && (static_cast<unsigned char>(expected[pos]) & 0xC0) == 0x80;
    };
    // Step back to the start of a character the cut would split (UTF-8 continues for at most three bytes);
    // text that is not UTF-8 is cut where the count says.
    std::size_t end = cut;
    for (int steps = 0; steps < 3 && end > 0 && continues(end); ++steps) {
        --end;
    }
    if (continues(end)) {
        end = cut;
    }
    return std::string(expected.substr(0, end));
}

int NextHintLevel(int level) {
    return std::clamp(level + kHintStep, 0, kMaxHintLevel);
}

std::u16string MaskHint(std::u16string_view expected, int level, RandomSource& random) {
    std::u16string masked(expected);
    const auto length = static_cast<long long>(std::min<std::size_t>(masked.size(), 0x7FFFFFFF));
    const long long draws = length * (kMaxHintLevel - std::clamp(level, 0, kMaxHintLevel)) / kMaxHintLevel;
    for (long long i = 0; i < draws; ++i) {
        MaskAt(masked, static_cast<std::size_t>(Draw(random, static_cast<int>(length))));
    }
    return masked;
}

OfferedAnswers BuildOfferedAnswers(const OfferRequest& request, const ClassTable& entries, RandomSource& random) {
    const int count = NormalizedChoiceCount(request.choiceCount);
    OfferedAnswers offers;
    offers.texts.assign(static_cast<std::size_t>(count), std::string());
    std::vector<bool> filled(static_cast<std::size_t>(count), false);
    const auto offered = [&](const std::string& text) {
        for (std::size_t i = 0; i < filled.size(); ++i) {
            if (filled[i] && offers.texts[i] == text) {
                return true;
            }
        }
        return false;
    };
    offers.correct = Draw(random, count);
    offers.texts[static_cast<std::size_t>(offers.correct)] = request.expected;
    filled[static_cast<std::size_t>(offers.correct)] = true;

    if (request.cutAdditions && EntryStore::HasExampleBlock(request.rawAnswerCell)) {
        ClassTable negatives;
        EntryStore::ExtractExamples(request.rawAnswerCell, false, negatives);
        std::size_t next = 0;
        for (int row = 0; row < negatives.RowCount(); ++row) {
            while (next < filled.size() && filled[next]) {
                ++next;
            }
            if (next == filled.size()) {
                break;
            }
            const std::string example = negatives.PeekCell(0, row);
            if (!example.empty() && !offered(example)) {
                offers.texts[next] = example;
                filled[next] = true;
            }
        }
    }

    const int entryRows = entries.RowCount();
    const int column = request.direction == 0 ? kExplanationColumn : kTermColumn;
    // A blank or a repeated text offers nothing to choose between.
    const auto usable = [&](const std::string& text) { return !text.empty() && !offered(text); };
    for (std::size_t i = 0; i < filled.size(); ++i) {
        if (filled[i] || entryRows == 0) {
            continue;
        }
        std::string text;
        for (int draw = 0; draw < kMaxOfferDraws && !usable(text); ++draw) {
            text = EntryCell(entries, Draw(random, entryRows), column, request.cutAdditions);
        }
        // Few distinct texts in the dictionary: the first unused one, or none at all.
        for (int row = 0; row < entryRows && !usable(text); ++row) {
            text = EntryCell(entries, row, column, request.cutAdditions);
        }
        if (usable(text)) {
            offers.texts[i] = text;
            filled[i] = true;
        }
    }
    return offers;
}

int OfferToRemove(const std::vector<std::u16string>& offers, std::u16string_view expected) {
    static constexpr std::array<int, 6> kOrder = {2, 1, 3, 4, 0, 5};
    for (const int index : kOrder) {
        if (static_cast<std::size_t>(index) < offers.size()) {
            const std::u16string& text = offers[static_cast<std::size_t>(index)];
            if (!text.empty() && text != expected) {
                return index;
            }
        }
    }
    return -1;
}

std::string FormatThreeDigits(double value) {
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 3);
    return std::string(buffer.data(), result.ptr);
}

std::string EndText(std::string_view finished, std::string_view correctWord, std::string_view wrongWord, int correct,
                    int questions) {
    const double correctPercent = Percent(correct, questions);
    const double wrongPercent = 100.0 - correctPercent;
    std::string text(finished);
    text += ". ";
    text += correctWord;
    text += ": " + FormatThreeDigits(correctPercent) + " %. ";
    text += wrongWord;
    text += ": " + FormatThreeDigits(wrongPercent) + " %.";
    return text;
}

std::string EndQuestion(std::string_view endText, std::string_view repeat) {
    std::string text(endText);
    text += ' ';
    text += repeat;
    text += '?';
    return text;
}

bool AllCorrect(int correct, int questions) {
    return Percent(correct, questions) == 100.0;
}

std::string CountLine(std::string_view label, int count) {
    std::string line(label);
    line += ": " + std::to_string(count);
    return line;
}

std::string TotalLine(std::string_view label, int answered, int questions) {
    std::string line(label);
    line += ": " + std::to_string(answered) + " / " + std::to_string(questions) + " (" +
            FormatThreeDigits(Percent(answered, questions)) + " %)";
    return line;
}

} // namespace lexaro
