#include "training/QuizSession.h"

#include "engine/EntryStore.h"
#include "table/TextEncoding.h"

#include <utility>

namespace lexaro {

QuizSession::QuizSession(TrainingUnit& unit, const ClassTable& entries, RandomSource& random, QuizOptions options,
                         QuizTexts texts)
    : m_Unit(unit), m_EntryTable(entries), m_Random(random), m_Options(options), m_Texts(std::move(texts)) {
    m_Options.choiceCount = NormalizedChoiceCount(m_Options.choiceCount);
    m_Options.interval = NormalizedInterval(m_Options.interval);
}

void QuizSession::Open() {
    const int count = m_Unit.QuestionCount();
    int index = 0;
    while (index < count && m_Unit.IsAnswered(index)) {
        ++index;
    }
    m_Unit.SetCurrentIndex(index - 1);
    m_HintLevel = 0;
    m_Picture = QuizPicture::Start;
    m_InfoLine.clear();
    m_MultipleChoice = false;
    Show(true);
    if (m_Options.multipleChoice) {
        SetMultipleChoice(true);
    }
}

void QuizSession::Show(bool forward) {
    m_HintLevel = 0;
    m_UnitRow = m_Unit.NextQuestion(forward, m_Random);
    const int entryRow = m_UnitRow >= 0 ? m_Unit.EntryRow(m_UnitRow) : -1;
    const int direction = m_Unit.Direction();
    const int answerColumn = direction == 0 ? kExplanationColumn : kTermColumn;
    m_Question = Utf8ToWide(EntryCell(m_EntryTable, entryRow, direction, m_Options.cutAdditions));
    m_Answered = m_Unit.IsAnswered(m_Unit.CurrentIndex());
    const std::string expected = EntryCell(m_EntryTable, entryRow, answerColumn, m_Options.cutAdditions);
    m_Expected = Utf8ToWide(expected);
    m_RawAnswerCell = EntryCell(m_EntryTable, entryRow, answerColumn, false);
    if (m_Answered) {
        m_AnswerText = m_Expected;
    } else {
        m_AnswerText = Utf8ToWide(ShownBeginning(expected, m_Options.shownCharacters));
    }
    if (m_MultipleChoice) {
        BuildOffers();
    }
}

void QuizSession::SetMultipleChoice(bool on) {
    m_MultipleChoice = on;
    if (on) {
        BuildOffers();
    }
}

void QuizSession::BuildOffers() {
    const std::string expected = WideToUtf8(m_Expected);
    OfferRequest request;
    request.expected = expected;
    request.rawAnswerCell = m_RawAnswerCell;
    request.choiceCount = m_Options.choiceCount;
    request.cutAdditions = m_Options.cutAdditions;
    request.direction = m_Unit.Direction();
    const OfferedAnswers offered = BuildOfferedAnswers(request, m_EntryTable, m_Random);
    for (std::size_t i = 0; i < m_Offers.size(); ++i) {
        Offer& offer = m_Offers[i];
        offer.text = i < offered.texts.size() ? Utf8ToWide(offered.texts[i]) : std::u16string();
        offer.checked = false;
        // A place the dictionary had no text for is not offered.
        offer.visible = i < offered.texts.size() && (!offer.text.empty() || static_cast<int>(i) == offered.correct);
        offer.enabled = !m_Answered;
    }
    m_CorrectOffer = offered.correct;
    m_AnswerText.clear();
    m_HintLevel = 0;
    if (m_Answered) {
        m_Offers[static_cast<std::size_t>(m_CorrectOffer)].checked = true;
    }
}

void QuizSession::ClickOffer(int index) {
    if (index < 0 || index >= kMaxChoiceCount) {
        return;
    }
    const Offer& clicked = m_Offers[static_cast<std::size_t>(index)];
    if (!clicked.visible || !clicked.enabled) {
        return;
    }
    m_AnswerText = clicked.text;
    for (std::size_t i = 0; i < m_Offers.size(); ++i) {
        m_Offers[i].checked = static_cast<int>(i) == index;
    }
}

bool QuizSession::AnswerGiven() const {
    if (m_MultipleChoice) {
        bool checked = false;
        for (const Offer& offer : m_Offers) {
            checked = checked || offer.checked;
        }
        if (!checked) {
            return false;
        }
    }
    return !m_AnswerText.empty();
}

AnswerOutcome QuizSession::Answer() {
    AnswerOutcome outcome;
    if (m_Unit.IsComplete() || m_Answered || !AnswerGiven()) {
        return outcome;
    }
    // The question is worked out again from the current index, as the unit sees it.
    const int index = m_Unit.CurrentIndex();
    const int rows = m_Unit.RowCount();
    bool forward = !(m_Unit.SwapColumns() && !m_Unit.BothDirections());
    int unitRow = index;
    if (index >= rows) {
        unitRow = index - rows;
        forward = false;
    }
    const int entryRow = m_Unit.EntryRow(unitRow);
    const int expectedColumn = forward ? kExplanationColumn : kTermColumn;
    const std::string expected = EntryCell(m_EntryTable, entryRow, expectedColumn, m_Options.cutAdditions);
    const std::string question = EntryCell(m_EntryTable, entryRow, 1 - expectedColumn, m_Options.cutAdditions);

    outcome.judged = true;
    outcome.right = JudgeAnswer(WideToUtf8(m_AnswerText), expected, m_Unit.IgnoreCase(), m_Unit.CountSubwords());
    const std::u16string shown = Utf8ToWide(question) + u" = " + Utf8ToWide(expected);
    if (outcome.right) {
        m_Unit.MarkCorrect(unitRow);
        m_Picture = QuizPicture::Right;
    } else {
        m_Unit.MarkWrong(unitRow);
        m_Picture = QuizPicture::Wrong;
        outcome.hint = u"... " + shown + u" !!";
    }
    m_InfoLine = Utf8ToWide(m_Texts.lastTerm) + shown;
    ShowNextOpen();
    outcome.finished = m_Unit.IsComplete();
    return outcome;
}

bool QuizSession::Help() {
    if (m_Answered || m_Unit.IsComplete()) {
        return false;
    }
    if (m_MultipleChoice) {
        std::vector<std::u16string> texts;
        for (const Offer& offer : m_Offers) {
            texts.push_back(offer.text);
        }
        const int index = OfferToRemove(texts, m_Expected);
        if (index < 0) {
            return false;
        }
        Offer& removed = m_Offers[static_cast<std::size_t>(index)];
        removed.text.clear();
        removed.visible = false;
        removed.checked = false;
        return true;
    }
    m_AnswerText = MaskHint(m_Expected, m_HintLevel, m_Random);
    m_HintLevel = NextHintLevel(m_HintLevel);
    return true;
}

EndOfTraining QuizSession::End() const {
    EndOfTraining end;
    const std::string text =
        EndText(m_Texts.finished, m_Texts.correct, m_Texts.wrong, m_Unit.CorrectCount(), m_Unit.QuestionCount());
    end.allCorrect = AllCorrect(m_Unit.CorrectCount(), m_Unit.QuestionCount());
    end.text = Utf8ToWide(end.allCorrect ? text : EndQuestion(text, m_Texts.repeat));
    return end;
}

void QuizSession::RepeatWrong() {
    m_Unit.ReopenWrong();
    m_Unit.SetCurrentIndex(-1);
    ShowNextOpen();
}

void QuizSession::ShowNextOpen() {
    // In random order the unit itself draws an open question.
    if (!m_Unit.RandomOrder() && m_Unit.HasOpenQuestion()) {
        const int count = m_Unit.QuestionCount();
        const int from = m_Unit.CurrentIndex();
        for (int step = 1; step <= count; ++step) {
            const int question = (from + step) % count;
            if (!m_Unit.IsAnswered(question)) {
                m_Unit.SetCurrentIndex(question - 1);
                break;
            }
        }
    }
    Show(true);
}

AutoPlayStep QuizSession::Step() {
    if (m_Unit.AnsweredCount() >= m_Unit.QuestionCount()) {
        return AutoPlayStep::Ended;
    }
    // An open question on show is shown again rather than skipped.
    if (!m_Unit.IsAnswered(m_Unit.CurrentIndex())) {
        m_Unit.SetCurrentIndex(m_Unit.CurrentIndex() - 1);
    }
    Show(true);
    m_AnswerText = m_Expected;
    if (m_MultipleChoice) {
        for (Offer& offer : m_Offers) {
            offer.checked = offer.text == m_Expected;
        }
    }
    if (!m_Answered && m_UnitRow >= 0) {
        m_Unit.MarkCorrect(m_UnitRow);
        // The question now shows as answered, so Answer cannot count it a second time.
        m_Answered = m_Unit.IsAnswered(m_Unit.CurrentIndex());
        for (Offer& offer : m_Offers) {
            offer.enabled = !m_Answered;
        }
    }
    m_InfoLine = u" " + m_Question + u" = " + m_Expected;
    return AutoPlayStep::Shown;
}

QuizStatistics QuizSession::Statistics() const {
    QuizStatistics statistics;
    statistics.answered = m_Unit.AnsweredCount();
    statistics.questions = m_Unit.QuestionCount();
    statistics.wrongLine = Utf8ToWide(CountLine(m_Texts.wrong, m_Unit.WrongCount()));
    statistics.correctLine = Utf8ToWide(CountLine(m_Texts.correct, m_Unit.CorrectCount()));
    statistics.totalLine = Utf8ToWide(TotalLine(m_Texts.total, statistics.answered, statistics.questions));
    return statistics;
}

} // namespace lexaro
