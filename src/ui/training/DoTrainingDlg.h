#pragma once

#include "app/Settings.h"
#include "app/SpeechLanguages.h"
#include "training/QuizSession.h"
#include "ui/qt/ToolWindow.h"

#include <QDialog>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace lexaro {

class SpeechPlayer;

// What the set-up window hands to the quiz, and what the quiz hands back (rectangles, title, "X").
struct QuizStart {
    QuizOptions options;
    // Start auto-play at once, in the compact window.
    bool autoPlay = false;
    Rect fullRect;
    Rect compactRect;
    bool showTitle = true;
    // 0x00BBGGRR, the colour of the info line.
    int infoColour = 0x880000;
    // The dictionary's file name for the title.
    QString dictionaryName;
    // Set when the quiz was left with "X".
    bool closedWithX = false;
    // Auto-play says each question and answer as it shows them, in the dictionary's languages.
    SpeechPlayer* speech = nullptr;
    VoicePair voices;
};

// The quiz window: one question at a time, typed or chosen answers, hints, statistics and auto-play.
// The rules live in QuizSession; this window shows its state and asks the user where a message is due.
class CDoTrainingDlg : public QDialog {
    Q_OBJECT

public:
    CDoTrainingDlg(ToolWindowContext context, TrainingUnit& unit, const ClassTable& entries, RandomSource& random,
                   QuizStart& start, QWidget* parent = nullptr);
    ~CDoTrainingDlg() override;

    bool AutoPlaying() const { return m_Timer.isActive(); }
    bool MultipleChoice() const { return m_Session.MultipleChoice(); }
    bool FullMode() const { return m_FullMode; }
    // True once the quiz has ended (by any way out).
    bool Ended() const { return m_Ended; }

public slots:
    // Escape, Cancel and the window's close button.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void CreateControls();
    void Refresh();
    void ShowQuestion(bool forward);
    void AnswerQuestion();
    void Hint();
    void EndOfTraining();
    void ToggleAutoPlay();
    void StartAutoPlay();
    void StopAutoPlay();
    void AutoPlayTick();
    void SpeakShown();
    void SetFullMode(bool full);
    void ToggleTitle();
    void StoreRect();
    void Finish();

    ToolWindowContext m_Context;
    QuizStart& m_Start;
    QuizSession m_Session;
    QTimer m_Timer;
    bool m_FullMode = true;
    bool m_Ended = false;
    bool m_Opened = false;
    QPoint m_DragOffset;

    QWidget* m_Full = nullptr;
    QLabel* m_LBLSearchedTerm = nullptr;
    QPlainTextEdit* m_EDTSearchedTerm = nullptr;
    QLabel* m_LBLExplanation = nullptr;
    QLineEdit* m_EDTExplanation = nullptr;
    std::array<QPushButton*, kMaxChoiceCount> m_CHKChoice{};
    QLabel* m_LBLWrong = nullptr;
    QLabel* m_LBLCorrect = nullptr;
    QLabel* m_LBLTotal = nullptr;
    QProgressBar* m_PRGAnswered = nullptr;
    QLabel* m_PICStatus = nullptr;
    QCheckBox* m_CHKHint = nullptr;
    QCheckBox* m_CHKMultipleChoice = nullptr;
    QPushButton* m_BTNHelp = nullptr;
    QPushButton* m_BTNBack = nullptr;
    QPushButton* m_BTNAnswer = nullptr;
    QPushButton* m_BTNNext = nullptr;
    QPushButton* m_BTNPlay = nullptr;
    QPushButton* m_BTNClose = nullptr;
    QPushButton* m_BTNMode = nullptr;
    QLabel* m_LBLInfo = nullptr;
};

} // namespace lexaro
