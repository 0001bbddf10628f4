#include "ui/training/ReviewDlg.h"

#include "app/Prompter.h"
#include "engine/Clock.h"
#include "training/QuizRules.h"
#include "ui/qt/QtText.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cerrno>

namespace lexaro {

namespace {

constexpr const char* kRateNames[4] = {"m_BTNAgain", "m_BTNHard", "m_BTNGood", "m_BTNEasy"};

QString Minutes(long long seconds) {
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

CReviewDlg::CReviewDlg(const ToolWindowContext& context, ReviewDeck& deck, const ClassTable& entries, ReviewQueue queue,
                       const Clock& clock, RandomSource& random, ReviewJudging judging, QWidget* parent)
    : QDialog(parent), m_Context(context), m_Deck(deck), m_Clock(clock), m_Random(random), m_Judging(judging),
      m_Session(deck, entries, std::move(queue), UtcSeconds(WithSystemOffset(clock.Now()))),
      m_LBLProgress(Named(new QLabel(this), "m_LBLProgress")), m_LBLQuestion(Named(new QLabel(this), "m_LBLQuestion")),
      m_LBLAnswer(Named(new QLabel(context.Text("FrmReview.m_LBLAnswer"), this), "m_LBLAnswer")),
      m_EDTAnswer(Named(new QLineEdit(this), "m_EDTAnswer")),
      m_BTNHelp(Named(new QPushButton(context.Text("FrmReview.m_BTNHelp"), this), "m_BTNHelp")),
      m_BTNShow(Named(new QPushButton(context.Text("FrmReview.m_BTNShow"), this), "m_BTNShow")),
      m_LBLVerdict(Named(new QLabel(this), "m_LBLVerdict")),
      m_EDTSolution(Named(new QPlainTextEdit(this), "m_EDTSolution")), m_BTNRate{} {
    setObjectName(QStringLiteral("CReviewDlg"));
    context.ApplyFont(*this);
    setWindowTitle(context.Text("FrmReview.m_acMReview"));
    setSizeGripEnabled(true);

    QFont big = m_LBLQuestion->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    m_LBLQuestion->setFont(big);
    m_LBLQuestion->setWordWrap(true);
    m_LBLQuestion->setAlignment(Qt::AlignCenter);
    m_LBLQuestion->setTextFormat(Qt::PlainText);
    m_LBLQuestion->setMinimumHeight(60);
    m_EDTSolution->setReadOnly(true);
    m_EDTAnswer->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_LBLProgress, 0, Qt::AlignRight);
    layout->addWidget(m_LBLQuestion);
    auto* answerRow = new QHBoxLayout;
    answerRow->addWidget(m_LBLAnswer);
    answerRow->addWidget(m_EDTAnswer, 1);
    answerRow->addWidget(m_BTNHelp);
    answerRow->addWidget(m_BTNShow);
    layout->addLayout(answerRow);
    layout->addWidget(m_LBLVerdict);
    layout->addWidget(m_EDTSolution, 1);
    auto* rateRow = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        m_BTNRate[i] = Named(new QPushButton(this), kRateNames[i]);
        m_BTNRate[i]->setAutoDefault(false);
        rateRow->addWidget(m_BTNRate[i]);
        connect(m_BTNRate[i], &QPushButton::clicked, this, [this, i] { Rate(static_cast<Rating>(i + 1)); });
    }
    layout->addLayout(rateRow);
    m_BTNShow->setAutoDefault(false);
    m_BTNHelp->setAutoDefault(false);
    connect(m_BTNShow, &QPushButton::clicked, this, [this] { ShowAnswer(); });
    connect(m_BTNHelp, &QPushButton::clicked, this, [this] { Hint(); });

    resize(520, 420);
    // The first question is shown once the window's signals can be connected.
    QMetaObject::invokeMethod(
        this, [this] { ShowQuestion(); }, Qt::QueuedConnection);
    SetAnswering(true);
}

CReviewDlg::~CReviewDlg() = default;

int CReviewDlg::Today() const {
    return ReviewDay(m_Clock.Now());
}

void CReviewDlg::SetAnswering(bool answering) {
    m_EDTAnswer->setEnabled(answering);
    m_BTNHelp->setEnabled(answering);
    m_BTNShow->setEnabled(answering);
    for (QPushButton* button : m_BTNRate) {
        button->setEnabled(!answering);
    }
}

void CReviewDlg::ShowQuestion() {
    if (m_Session.Finished()) {
        ShowSummary();
        return;
    }
    m_Answered = false;
    m_HintLevel = 0;
    m_Outcome = ReviewAnswer::Shown;
    m_LBLProgress->setText(m_Context.Text("FrmReview.m_acTProgress").arg(m_Session.Number()).arg(m_Session.Count()));
    const QString question = Wide(m_Session.Question());
    m_LBLQuestion->setText(question);
    m_EDTAnswer->clear();
    m_LBLVerdict->clear();
    m_EDTSolution->clear();
    const OfferedIntervals offered = m_Session.Offered(Today());
    static constexpr const char* kKeys[4] = {"FrmReview.m_BTNAgain", "FrmReview.m_BTNHard", "FrmReview.m_BTNGood",
                                             "FrmReview.m_BTNEasy"};
    for (int i = 0; i < 4; ++i) {
        m_BTNRate[i]->setText(m_Context.Text("FrmReview.m_acTInterval").arg(m_Context.Text(kKeys[i])).arg(offered[i]));
        m_BTNRate[i]->setVisible(true);
    }
    SetAnswering(true);
    m_EDTAnswer->setFocus();
    emit questionShown(question, m_Session.Current().reverse);
}

QString CReviewDlg::ExpectedAnswer() const {
    return m_Session.Finished() ? QString() : Wide(m_Session.ExpectedAnswer());
}

void CReviewDlg::Hint() {
    if (m_Answered || m_Session.Finished()) {
        return;
    }
    m_HintLevel = NextHintLevel(m_HintLevel);
    m_EDTAnswer->setText(Q(MaskHint(Utf8ToWide(m_Session.ExpectedAnswer()), m_HintLevel, m_Random)));
    m_EDTAnswer->setFocus();
}

void CReviewDlg::ShowAnswer() {
    if (m_Answered || m_Session.Finished()) {
        return;
    }
    m_Answered = true;
    const QString typed = m_EDTAnswer->text();
    if (!typed.isEmpty()) {
        const bool right =
            JudgeAnswer(Utf8(typed), m_Session.ExpectedAnswer(), m_Judging.ignoreCase, m_Judging.countSubwords);
        m_Outcome = !right ? ReviewAnswer::Wrong : m_HintLevel > 0 ? ReviewAnswer::RightAfterHelp : ReviewAnswer::Right;
        m_LBLVerdict->setText(m_Context.Text(right ? "FrmReview.m_acTRight" : "FrmReview.m_acTWrong"));
    }
    const QString answer = Wide(ShownAnswer(m_Session.Term(), m_Session.Explanation()));
    m_EDTSolution->setPlainText(answer);
    SetAnswering(false);
    QPushButton* suggested = m_BTNRate[static_cast<int>(SuggestedRating(m_Outcome)) - 1];
    suggested->setFocus();
    emit answerShown(answer, m_Session.Current().reverse);
}

void CReviewDlg::Rate(Rating rating) {
    if (!m_Answered || m_Session.Finished()) {
        return;
    }
    if (!m_Session.Rate(rating, WithSystemOffset(m_Clock.Now()))) {
        const int error = errno;
        m_Context.prompter.Ask(
            FileReportText(m_Context.Text("FrmReview.m_acTUnwritable"), Wide(m_Deck.LogPath().string()), error)
                .toStdU16String(),
            u"", PromptButtons::Ok, PromptIcon::Warning);
        return;
    }
    ShowQuestion();
}

void CReviewDlg::UndoRating() {
    if (!m_Session.CanUndo()) {
        return;
    }
    if (!m_Session.Undo(WithSystemOffset(m_Clock.Now()))) {
        const int error = errno;
        m_Context.prompter.Ask(
            FileReportText(m_Context.Text("FrmReview.m_acTUnwritable"), Wide(m_Deck.LogPath().string()), error)
                .toStdU16String(),
            u"", PromptButtons::Ok, PromptIcon::Warning);
        return;
    }
    m_EDTAnswer->show();
    m_LBLAnswer->show();
    m_BTNHelp->show();
    m_BTNShow->show();
    m_EDTSolution->show();
    ShowQuestion();
}

void CReviewDlg::ShowSummary() {
    const ReviewSummary summary = m_Session.Summary(UtcSeconds(WithSystemOffset(m_Clock.Now())), Today());
    m_LBLProgress->clear();
    m_LBLQuestion->setText(summary.reviewed == 0 && m_Session.Count() == 0 ? m_Context.Text("FrmReview.m_acTNothingDue")
                                                                           : m_Context.Text("FrmReview.m_acTSummary")
                                                                                 .arg(summary.reviewed)
                                                                                 .arg(summary.right)
                                                                                 .arg(Minutes(summary.seconds))
                                                                                 .arg(summary.dueTomorrow));
    m_LBLVerdict->clear();
    m_EDTSolution->clear();
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_EDTAnswer, m_LBLAnswer, m_BTNHelp, m_BTNShow, m_EDTSolution, m_BTNRate[0],
                                         m_BTNRate[1], m_BTNRate[2], m_BTNRate[3]}) {
        widget->hide();
    }
}

bool CReviewDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_EDTAnswer && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Space on an empty answer shows it; a space inside an answer is typed.
        if (key->key() == Qt::Key_Space && m_EDTAnswer->text().isEmpty()) {
            ShowAnswer();
            return true;
        }
        // Enter judges here; the line edit would pass it on to the window, which would rate at once.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            ShowAnswer();
            return true;
        }
        if (key->matches(QKeySequence::Undo)) {
            UndoRating();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CReviewDlg::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo)) {
        UndoRating();
        return;
    }
    if (m_Answered && event->key() >= Qt::Key_1 && event->key() <= Qt::Key_4) {
        Rate(static_cast<Rating>(event->key() - Qt::Key_0));
        return;
    }
    if (m_Answered && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        Rate(SuggestedRating(m_Outcome));
        return;
    }
    if (!m_Answered && event->key() == Qt::Key_Space) {
        ShowAnswer();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace lexaro
