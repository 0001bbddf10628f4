#pragma once

#include "training/RandomSource.h"
#include "training/ReviewSession.h"
#include "ui/qt/ToolWindow.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lexaro {

struct Clock;

// How typed answers are judged, as in the quiz.
struct ReviewJudging {
    bool ignoreCase = true;
    bool countSubwords = false;
};

// The review window: asks the session's cards one by one. The user types the answer (or presses Space on an
// empty answer to see it), then rates with the four buttons, the keys 1-4 or Enter for the suggested rating;
// Ctrl+Z takes back the last rating.
class CReviewDlg : public QDialog {
    Q_OBJECT

public:
    CReviewDlg(const ToolWindowContext& context, ReviewDeck& deck, const ClassTable& entries, ReviewQueue queue,
               const Clock& clock, RandomSource& random, ReviewJudging judging = {}, QWidget* parent = nullptr);
    ~CReviewDlg() override;

    // Judges the typed answer (or shows the answer when none was typed) and offers the ratings.
    void ShowAnswer();
    void Rate(Rating rating);
    void UndoRating();
    void Hint();
    // What the card on show asks for: its main explanation, or its term for a reverse card.
    QString ExpectedAnswer() const;

signals:
    // The question of a card is on show, and its answer: where speech or other output hooks in.
    void questionShown(const QString& question, bool reverse);
    void answerShown(const QString& answer, bool reverse);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowQuestion();
    void ShowSummary();
    void SetAnswering(bool answering);
    int Today() const;

    ToolWindowContext m_Context;
    ReviewDeck& m_Deck;
    const Clock& m_Clock;
    RandomSource& m_Random;
    ReviewJudging m_Judging;
    ReviewSession m_Session;
    ReviewAnswer m_Outcome = ReviewAnswer::Shown;
    int m_HintLevel = 0;
    bool m_Answered = false;

    QLabel* m_LBLProgress;
    QLabel* m_LBLQuestion;
    QLabel* m_LBLAnswer;
    QLineEdit* m_EDTAnswer;
    QPushButton* m_BTNHelp;
    QPushButton* m_BTNShow;
    QLabel* m_LBLVerdict;
    QPlainTextEdit* m_EDTSolution;
    QPushButton* m_BTNRate[4];
};

} // namespace lexaro
