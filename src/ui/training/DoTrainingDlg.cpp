#include "ui/training/DoTrainingDlg.h"

#include "app/Prompter.h"
#include "engine/EntryStore.h"
#include "table/TextEncoding.h"
#include "ui/qt/QtText.h"
#include "ui/qt/SpeechPlayer.h"
#include "widgets/ElidedText.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace lexaro {

namespace {

inline constexpr int kCompactHeight = 75;
inline constexpr int kFullWidth = 510;
inline constexpr int kFullHeight = 410;
inline constexpr int kMinFullWidth = 460;
inline constexpr int kMinFullHeight = 360;
inline constexpr int kModeShift = 250;
inline constexpr int kTitleShift = 25;

// A window switching between the full and the compact form keeps its top, unless it lies in the lower half
// of the screen: then it moves by shift (down into compact, up into full) within the screen.
int ShiftedTop(int top, int shift, int screenHeight) {
    if (top <= screenHeight / 2) {
        return top;
    }
    int moved = std::max(top + shift, 0);
    if (moved >= screenHeight - 20) {
        moved = screenHeight - kModeShift;
    }
    return moved;
}

QuizTexts TextsOf(const ToolWindowContext& context) {
    auto utf8 = [&](std::string_view key) { return context.Text(key).toStdString(); };
    QuizTexts texts;
    texts.lastTerm = utf8("FrmDoTraining.m_acTLastVocab");
    texts.wrong = utf8("FrmDoTraining.m_acTWrong");
    texts.correct = utf8("FrmDoTraining.m_acTCorrect");
    texts.total = utf8("FrmDoTraining.m_acTTotal");
    texts.finished = utf8("FrmDoTraining.m_acTEnd");
    texts.repeat = utf8("FrmDoTraining.m_acTEndRepeat");
    return texts;
}

} // namespace

CDoTrainingDlg::CDoTrainingDlg(ToolWindowContext context, TrainingUnit& unit, const ClassTable& entries,
                               RandomSource& random, QuizStart& start, QWidget* parent)
    : QDialog(parent), m_Context(context), m_Start(start),
      m_Session(unit, entries, random, start.options, TextsOf(context)) {
    setObjectName("CDoTrainingDlg");
    m_Context.ApplyFont(*this);
    CreateControls();
    setWindowTitle(m_Context.Text("FrmTrain.m_acMTraining") + QStringLiteral(" - ") + m_Start.dictionaryName);

    m_Timer.setInterval(m_Session.Options().interval);
    connect(&m_Timer, &QTimer::timeout, this, [this] { AutoPlayTick(); });

    m_Session.Open();
    m_CHKHint->setChecked(true);
    m_CHKMultipleChoice->setChecked(m_Session.MultipleChoice());
    Refresh();

    if (m_Start.autoPlay) {
        SetFullMode(false);
    } else {
        const Rect& rect = m_Start.fullRect;
        if (rect.Width() > 0 && rect.Height() > 0 && rect.left >= 0 && rect.top >= 0) {
            setGeometry(rect.left, rect.top, static_cast<int>(rect.Width()), static_cast<int>(rect.Height()));
        } else {
            resize(kFullWidth, kFullHeight);
        }
    }
    if (!m_Start.showTitle) {
        setWindowFlag(Qt::FramelessWindowHint, true);
    }
    m_EDTExplanation->setFocus();
}

CDoTrainingDlg::~CDoTrainingDlg() = default;

void CDoTrainingDlg::CreateControls() {
    auto* layout = new QVBoxLayout(this);
    m_Full = Named(new QWidget(this), "m_Full");
    auto* full = new QGridLayout(m_Full);
    full->setContentsMargins(0, 0, 0, 0);

    QFont bold = font();
    bold.setWeight(QFont::Bold);

    m_LBLSearchedTerm = Named(new QLabel(m_Context.Text("FrmDoTraining.m_LBLSearchedTerm")), "m_LBLSearchedTerm");
    m_EDTSearchedTerm = Named(new QPlainTextEdit, "m_EDTSearchedTerm");
    m_EDTSearchedTerm->setReadOnly(true);
    m_EDTSearchedTerm->setFont(bold);
    m_EDTSearchedTerm->setMaximumHeight(80);
    m_LBLExplanation = Named(new QLabel(m_Context.Text("FrmDoTraining.m_LBLExplanation")), "m_LBLExplanation");
    m_EDTExplanation = Named(new QLineEdit, "m_EDTExplanation");
    m_EDTExplanation->setFont(bold);
    connect(m_EDTExplanation, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_Session.SetAnswerText(text.toStdU16String()); });

    full->addWidget(m_LBLSearchedTerm, 0, 0, 1, 4);
    full->addWidget(m_EDTSearchedTerm, 1, 0, 1, 4);
    full->addWidget(m_LBLExplanation, 2, 0, 1, 4);
    full->addWidget(m_EDTExplanation, 3, 0, 1, 4);

    auto* choices = new QGridLayout;
    static constexpr const char* kChoiceNames[] = {"m_CHKChoice1", "m_CHKChoice2", "m_CHKChoice3",
                                                   "m_CHKChoice4", "m_CHKChoice5", "m_CHKChoice6"};
    for (int k = 0; k < kMaxChoiceCount; ++k) {
        QPushButton* button = Named(new CElidedButton, kChoiceNames[k]);
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setFont(bold);
        button->hide();
        connect(button, &QPushButton::clicked, this, [this, k] {
            m_Session.ClickOffer(k);
            Refresh();
        });
        choices->addWidget(button, k / 2, k % 2);
        m_CHKChoice[static_cast<std::size_t>(k)] = button;
    }
    full->addLayout(choices, 4, 0, 1, 4);

    m_LBLWrong = Named(new QLabel, "m_LBLWrong");
    m_LBLCorrect = Named(new QLabel, "m_LBLCorrect");
    m_LBLTotal = Named(new QLabel, "m_LBLTotal");
    m_PRGAnswered = Named(new QProgressBar, "m_PRGAnswered");
    m_PICStatus = Named(new QLabel, "m_PICStatus");
    m_PICStatus->setAlignment(Qt::AlignCenter);
    m_PICStatus->setMinimumSize(40, 40);
    QFont large = bold;
    large.setPointSize(std::max(large.pointSize(), 9) * 2);
    m_PICStatus->setFont(large);
    auto* statistics = new QVBoxLayout;
    statistics->addWidget(m_LBLWrong);
    statistics->addWidget(m_LBLCorrect);
    statistics->addWidget(m_LBLTotal);
    statistics->addWidget(m_PRGAnswered);
    full->addLayout(statistics, 5, 0, 1, 3);
    full->addWidget(m_PICStatus, 5, 3);

    m_CHKHint = Named(new QCheckBox(m_Context.Text("FrmDoTraining.m_CHKHint")), "m_CHKHint");
    m_CHKMultipleChoice =
        Named(new QCheckBox(m_Context.Text("FrmDoTraining.m_CHKMultipleChoice")), "m_CHKMultipleChoice");
    connect(m_CHKMultipleChoice, &QCheckBox::clicked, this, [this](bool on) {
        m_Session.SetMultipleChoice(on);
        Refresh();
    });
    full->addWidget(m_CHKHint, 6, 0, 1, 2);
    full->addWidget(m_CHKMultipleChoice, 6, 2, 1, 2);

    auto button = [this](const char* name, const QString& text, std::string_view tip) {
        QPushButton* created = Named(new QPushButton(text), name);
        created->setAutoDefault(false);
        if (!tip.empty()) {
            created->setToolTip(m_Context.Text(tip));
        }
        return created;
    };
    m_BTNHelp = button("m_BTNHelp", m_Context.Text("FrmDoTraining.m_BTNHelp"), {});
    m_BTNBack = button("m_BTNBack", QStringLiteral("<<"), "FrmDoTraining.m_BTNBack");
    m_BTNAnswer = button("m_BTNAnswer", QStringLiteral("OK"), "FrmDoTraining.m_BTNAnswer");
    m_BTNAnswer->setDefault(true);
    m_BTNNext = button("m_BTNNext", QStringLiteral(">>"), "FrmDoTraining.m_BTNNext");
    m_BTNPlay = button("m_BTNPlay", QString(), "FrmDoTraining.m_BTNPlay");
    m_BTNPlay->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    auto* commands = new QHBoxLayout;
    for (QPushButton* command : {m_BTNHelp, m_BTNBack, m_BTNAnswer, m_BTNNext, m_BTNPlay}) {
        commands->addWidget(command);
    }
    full->addLayout(commands, 7, 0, 1, 4);
    layout->addWidget(m_Full);

    // The info line and the two small buttons stay in the compact window.
    m_LBLInfo = Named(new CElidedLabel, "m_LBLInfo");
    m_LBLInfo->setAutoFillBackground(true);
    m_LBLInfo->setFont(bold);
    QPalette palette = m_LBLInfo->palette();
    palette.setColor(QPalette::Window, Qt::white);
    const int colour = m_Start.infoColour;
    palette.setColor(QPalette::WindowText, QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    m_LBLInfo->setPalette(palette);
    m_BTNClose = button("m_BTNClose", QStringLiteral("X"), {});
    m_BTNMode = button("m_BTNMode", QStringLiteral("<"), {});
    m_BTNClose->setMaximumWidth(30);
    m_BTNMode->setMaximumWidth(30);
    m_BTNMode->hide();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_LBLInfo, 1);
    bottom->addWidget(m_BTNMode);
    bottom->addWidget(m_BTNClose);
    layout->addLayout(bottom);

    connect(m_BTNAnswer, &QPushButton::clicked, this, [this] { AnswerQuestion(); });
    connect(m_BTNNext, &QPushButton::clicked, this, [this] { ShowQuestion(true); });
    connect(m_BTNBack, &QPushButton::clicked, this, [this] { ShowQuestion(false); });
    connect(m_BTNHelp, &QPushButton::clicked, this, [this] { Hint(); });
    connect(m_BTNPlay, &QPushButton::clicked, this, [this] { ToggleAutoPlay(); });
    connect(m_BTNMode, &QPushButton::clicked, this, [this] { SetFullMode(!m_FullMode); });
    connect(m_BTNClose, &QPushButton::clicked, this, [this] {
        m_Start.closedWithX = true;
        Finish();
    });
}

void CDoTrainingDlg::Refresh() {
    m_EDTSearchedTerm->setPlainText(Q(m_Session.Question()));
    const bool choice = m_Session.MultipleChoice();
    m_EDTExplanation->setText(Q(m_Session.AnswerText()));
    m_EDTExplanation->setEnabled(m_Session.AnswerEnabled());
    m_EDTExplanation->setVisible(!choice);
    for (std::size_t k = 0; k < m_CHKChoice.size(); ++k) {
        const Offer& offer = m_Session.Offers()[k];
        QPushButton* button = m_CHKChoice[k];
        button->setText(Q(offer.text));
        button->setChecked(offer.checked);
        button->setEnabled(offer.enabled);
        button->setVisible(choice && offer.visible && m_FullMode);
    }

    const QuizStatistics statistics = m_Session.Statistics();
    m_LBLWrong->setText(Q(statistics.wrongLine));
    m_LBLCorrect->setText(Q(statistics.correctLine));
    m_LBLTotal->setText(Q(statistics.totalLine));
    m_PRGAnswered->setRange(0, std::max(statistics.questions, 1));
    m_PRGAnswered->setValue(statistics.answered);

    switch (m_Session.Picture()) {
    case QuizPicture::Start:
        m_PICStatus->setText(QStringLiteral("?"));
        m_PICStatus->setStyleSheet(QStringLiteral("color: gray"));
        m_PICStatus->setProperty("picture", QStringLiteral("start"));
        break;
    case QuizPicture::Right:
        m_PICStatus->setText(QString(QChar(0x2714)));
        m_PICStatus->setStyleSheet(QStringLiteral("color: darkgreen"));
        m_PICStatus->setProperty("picture", QStringLiteral("right"));
        break;
    case QuizPicture::Wrong:
        m_PICStatus->setText(QString(QChar(0x2718)));
        m_PICStatus->setStyleSheet(QStringLiteral("color: darkred"));
        m_PICStatus->setProperty("picture", QStringLiteral("wrong"));
        break;
    }
    m_LBLInfo->setText(Q(m_Session.InfoLine()));
}

void CDoTrainingDlg::ShowQuestion(bool forward) {
    m_Session.Show(forward);
    Refresh();
    if (!m_Session.MultipleChoice()) {
        m_EDTExplanation->setFocus();
    }
}

void CDoTrainingDlg::AnswerQuestion() {
    const AnswerOutcome outcome = m_Session.Answer();
    if (!outcome.judged) {
        return;
    }
    Refresh();
    if (!outcome.right && m_CHKHint->isChecked()) {
        m_Context.prompter.Ask(outcome.hint, m_Context.Text("FrmDoTraining.m_acTWrong").toStdU16String(),
                               PromptButtons::Ok, PromptIcon::Information);
    }
    if (!m_Session.MultipleChoice()) {
        m_EDTExplanation->setFocus();
    }
    if (outcome.finished) {
        EndOfTraining();
    }
}

void CDoTrainingDlg::Hint() {
    if (m_Session.Help()) {
        Refresh();
    }
}

void CDoTrainingDlg::EndOfTraining() {
    const lexaro::EndOfTraining end = m_Session.End();
    const std::u16string caption = m_Context.Text("FrmDoTraining.m_acTEnd").toStdU16String();
    if (end.allCorrect) {
        if (m_Context.prompter.Ask(end.text, caption, PromptButtons::OkCancel, PromptIcon::Information) ==
            PromptAnswer::Ok) {
            Finish();
        }
        return;
    }
    switch (m_Context.prompter.Ask(end.text, caption, PromptButtons::YesNoCancel, PromptIcon::Information)) {
    case PromptAnswer::Yes:
        m_Session.RepeatWrong();
        Refresh();
        break;
    case PromptAnswer::No:
        Finish();
        break;
    default:
        break;
    }
}

void CDoTrainingDlg::ToggleAutoPlay() {
    if (m_Timer.isActive()) {
        StopAutoPlay();
    } else {
        StartAutoPlay();
    }
}

void CDoTrainingDlg::StartAutoPlay() {
    if (m_Ended) {
        return;
    }
    for (QPushButton* command : {m_BTNNext, m_BTNBack, m_BTNHelp, m_BTNAnswer}) {
        command->hide();
    }
    m_BTNMode->show();
    m_BTNPlay->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    m_Timer.start();
    AutoPlayTick();
}

void CDoTrainingDlg::StopAutoPlay() {
    m_Timer.stop();
    for (QPushButton* command : {m_BTNNext, m_BTNBack, m_BTNHelp, m_BTNAnswer}) {
        command->show();
    }
    m_BTNMode->hide();
    if (!m_FullMode) {
        SetFullMode(true);
    }
    m_BTNPlay->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
}

void CDoTrainingDlg::AutoPlayTick() {
    if (!m_Timer.isActive()) {
        return;
    }
    if (m_Session.Step() == AutoPlayStep::Ended) {
        Finish();
        return;
    }
    Refresh();
    SpeakShown();
}

void CDoTrainingDlg::SpeakShown() {
    if (m_Start.speech == nullptr) {
        return;
    }
    // The examples of an explanation are not read out.
    const auto part = [this](const std::u16string& text, bool term) {
        const std::string utf8 = WideToUtf8(text);
        return SpeechPlayer::Part{term ? utf8 : EntryStore::MainExplanation(utf8),
                                  term ? m_Start.voices.terms : m_Start.voices.explanations};
    };
    const bool questionIsTerm = m_Session.QuestionIsTerm();
    m_Start.speech->Say({part(m_Session.Question(), questionIsTerm), part(m_Session.Expected(), !questionIsTerm)});
}

void CDoTrainingDlg::SetFullMode(bool full) {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int screenHeight = screen ? screen->availableGeometry().height() : 768;
    // The rectangle of the form being left is kept; a window not yet shown has none of its own.
    if (isVisible()) {
        StoreRect();
    }
    m_FullMode = full;
    const QRect now = geometry();
    if (full) {
        m_Full->show();
        m_BTNMode->setText(QStringLiteral("<"));
        setMinimumSize(kMinFullWidth, kMinFullHeight);
        const Rect& rect = m_Start.fullRect;
        if (rect.Width() > 0 && rect.Height() > 0) {
            setGeometry(rect.left, rect.top, static_cast<int>(rect.Width()), static_cast<int>(rect.Height()));
        } else {
            setGeometry(now.left(), ShiftedTop(now.top(), -kModeShift, screenHeight), kFullWidth, kFullHeight);
        }
    } else {
        m_Full->hide();
        m_BTNMode->setText(QStringLiteral(">"));
        setMinimumSize(0, 0);
        const Rect& rect = m_Start.compactRect;
        if (rect.Width() > 0 && rect.Height() > 0) {
            setGeometry(rect.left, rect.top, static_cast<int>(rect.Width()), static_cast<int>(rect.Height()));
        } else {
            setGeometry(now.left(), ShiftedTop(now.top(), kModeShift, screenHeight), now.width(), kCompactHeight);
        }
    }
    Refresh();
}

void CDoTrainingDlg::ToggleTitle() {
    const bool titled = !m_Start.showTitle;
    m_Start.showTitle = titled;
    const QPoint at = pos();
    setWindowFlag(Qt::FramelessWindowHint, !titled);
    // The contents stay where they were on the screen.
    move(at + QPoint(0, titled ? -kTitleShift : kTitleShift));
    show();
}

void CDoTrainingDlg::StoreRect() {
    (m_FullMode ? m_Start.fullRect : m_Start.compactRect) = DialogRectOf(*this);
}

void CDoTrainingDlg::Finish() {
    m_Timer.stop();
    if (isVisible()) {
        StoreRect();
    }
    m_Ended = true;
    done(QDialog::Accepted);
}

void CDoTrainingDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_Opened) {
        m_Opened = true;
        if (m_Start.autoPlay) {
            // Once the window runs, so that a unit already complete can end the quiz.
            QTimer::singleShot(0, this, [this] { StartAutoPlay(); });
        }
    }
}

void CDoTrainingDlg::closeEvent(QCloseEvent* event) {
    m_Timer.stop();
    StoreRect();
    m_Ended = true;
    QDialog::closeEvent(event);
}

void CDoTrainingDlg::reject() {
    m_Timer.stop();
    m_Ended = true;
    QDialog::reject();
}

void CDoTrainingDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_DragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
    QDialog::mousePressEvent(event);
}

void CDoTrainingDlg::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        move(event->globalPosition().toPoint() - m_DragOffset);
    }
    QDialog::mouseMoveEvent(event);
}

void CDoTrainingDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        ToggleTitle();
        return;
    }
    QDialog::mouseDoubleClickEvent(event);
}

} // namespace lexaro
