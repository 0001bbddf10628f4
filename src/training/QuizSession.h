#pragma once

#include "table/ClassTable.h"
#include "training/QuizRules.h"
#include "training/RandomSource.h"
#include "training/TrainingUnit.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// The interface texts the quiz builds its lines and messages from (UTF-8); the defaults are the built-in
// English texts.
struct QuizTexts {
    std::string lastTerm = "Last term: ";
    std::string wrong = "Wrong";
    std::string correct = "Correct";
    std::string total = "Total";
    std::string finished = "Training finished";
    std::string repeat = "Repeat false answered terms";
};

// What the training set-up window hands to the quiz besides the unit and the dictionary.
struct QuizOptions {
    // How many bytes of the expected answer an open question shows at once; -1 (or 0) shows nothing.
    int shownCharacters = -1;
    // Number of offered answers (2..6) and the auto-play interval (100..60000 ms); values outside are
    // replaced by the defaults, 4 and 4000.
    int choiceCount = kDefaultChoiceCount;
    int interval = kDefaultInterval;
    bool multipleChoice = false;
    // Questions, answers and offered answers are cut to their main part.
    bool cutAdditions = true;
};

// One of the six offered-answer buttons.
struct Offer {
    std::u16string text;
    bool checked = false;
    // Taken part in this question (position below the choice count) and not removed by Help. The window
    // shows it only in multiple-choice mode and in the full window.
    bool visible = false;
    // Clickable: the question is open.
    bool enabled = false;
};

// The status picture: none before the first answer, then that of the last answer.
enum class QuizPicture { Start, Right, Wrong };

struct AnswerOutcome {
    // False when nothing happened: the unit is complete, the question is answered or no answer is given.
    bool judged = false;
    bool right = false;
    // For a wrong answer the explanation shown when "Hint ON" is checked: ... house = Haus !!
    std::u16string hint;
    // The unit is complete now: the window shows End().
    bool finished = false;
};

struct EndOfTraining {
    // With wrong answers, the text ends in the offer to repeat them (Yes: RepeatWrong; No ends the quiz;
    // Cancel stays). Without, it is the plain end text (OK ends the quiz; Cancel stays).
    std::u16string text;
    bool allCorrect = false;
};

struct QuizStatistics {
    std::u16string wrongLine;
    std::u16string correctLine;
    std::u16string totalLine;
    // The progress bar: answered of all questions.
    int answered = 0;
    int questions = 0;
};

enum class AutoPlayStep { Shown, Ended };

// The quiz over a training unit without its window: which question and answer are on show, judging, hints,
// multiple choice, statistics, the end of the training and the auto-play steps. The window shows the state
// after each call and asks the user where a message is due; it owns the timer and calls Step() on each tick.
// The unit is changed in place; the dictionary is only read.
class QuizSession {
public:
    QuizSession(TrainingUnit& unit, const ClassTable& entries, RandomSource& random, QuizOptions options,
                QuizTexts texts = {});

    // Places the quiz before the first open question, shows it and starts multiple choice when the options
    // say so.
    void Open();
    // Next (forward) and Back.
    void Show(bool forward);

    bool MultipleChoice() const { return m_MultipleChoice; }
    // Switching multiple choice on offers answers for the question on show.
    void SetMultipleChoice(bool on);
    // A click on offered answer k (0..5): its text becomes the answer, the others are unchecked.
    void ClickOffer(int index);

    const std::u16string& AnswerText() const { return m_AnswerText; }
    void SetAnswerText(std::u16string_view text) { m_AnswerText = text; }
    // In multiple choice an offer must be checked; in any case the answer must not be empty.
    bool AnswerGiven() const;
    // Judges the answer to the question on show, marks it, and moves on to the next open question.
    AnswerOutcome Answer();
    // Reveals part of the answer (typed mode) or removes one wrong offer (multiple choice). False when the
    // question is answered, the unit complete or nothing was left to remove.
    bool Help();

    EndOfTraining End() const;
    // The answer Yes to the end question: reopens the wrong answers and shows the first of them.
    void RepeatWrong();

    // One auto-play tick: shows the next question with its answer and counts an open one as right. Ended
    // when every question is answered: the window ends the quiz.
    AutoPlayStep Step();

    const std::u16string& Question() const { return m_Question; }
    // Whether the question on show is a term (and the answer an explanation) or the other way round.
    bool QuestionIsTerm() const { return m_Unit.Direction() == 0; }
    const std::u16string& Expected() const { return m_Expected; }
    // The question on show is answered: the answer field shows the expected answer and is disabled.
    bool QuestionAnswered() const { return m_Answered; }
    bool AnswerEnabled() const { return !m_Answered; }
    int HintLevel() const { return m_HintLevel; }
    const std::array<Offer, kMaxChoiceCount>& Offers() const { return m_Offers; }
    // The offer that carries the expected answer.
    int CorrectOffer() const { return m_CorrectOffer; }
    QuizPicture Picture() const { return m_Picture; }
    const std::u16string& InfoLine() const { return m_InfoLine; }
    QuizStatistics Statistics() const;
    // The unit row of the question on show; -1 for a unit without rows.
    int UnitRow() const { return m_UnitRow; }
    const QuizOptions& Options() const { return m_Options; }

private:
    void BuildOffers();
    // Shows the next open question after the one on show, from the first again after the last one; with
    // none left, the next question as Next would.
    void ShowNextOpen();

    TrainingUnit& m_Unit;
    const ClassTable& m_EntryTable;
    RandomSource& m_Random;
    QuizOptions m_Options;
    QuizTexts m_Texts;

    int m_UnitRow = -1;
    std::u16string m_Question;
    std::u16string m_Expected;
    // The expected answer's cell as the dictionary holds it, additional part included.
    std::string m_RawAnswerCell;
    std::u16string m_AnswerText;
    bool m_Answered = false;
    bool m_MultipleChoice = false;
    int m_HintLevel = 0;
    std::array<Offer, kMaxChoiceCount> m_Offers;
    int m_CorrectOffer = 0;
    QuizPicture m_Picture = QuizPicture::Start;
    std::u16string m_InfoLine;
};

} // namespace lexaro
