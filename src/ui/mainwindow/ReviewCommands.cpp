#include "ui/mainwindow/ReviewCommands.h"

#include "app/Prompter.h"
#include "engine/Clock.h"
#include "engine/EntryStore.h"
#include "training/ReviewQueue.h"
#include "ui/qt/QtText.h"
#include "ui/training/ReviewDlg.h"
#include "ui/training/StatisticsDlg.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cerrno>

namespace lexaro {

namespace {

// The due count and the reminder follow the day while the program runs.
constexpr int kDayCheckMilliseconds = 10 * 60 * 1000;

} // namespace

ReviewCommands::ReviewCommands(Wiring wiring)
    : QObject(wiring.window), m_Wiring(std::move(wiring)), m_Random(SeededRandom::FromTime()) {
    connect(m_Wiring.review, &QAction::triggered, this, [this] { OpenReview(); });
    connect(m_Wiring.statistics, &QAction::triggered, this, [this] { OpenStatistics(); });
    if (m_Wiring.trayMenu != nullptr) {
        const QList<QAction*> items = m_Wiring.trayMenu->actions();
        m_Wiring.trayMenu->insertAction(items.isEmpty() ? nullptr : items.first(), m_Wiring.review);
    }
    m_DayTimer = new QTimer(this);
    m_DayTimer->setInterval(kDayCheckMilliseconds);
    connect(m_DayTimer, &QTimer::timeout, this, [this] {
        Recount();
        ShowCount();
    });
    m_DayTimer->start();
    m_Wiring.review->setEnabled(false);
    m_Wiring.statistics->setEnabled(false);
}

ReviewCommands::~ReviewCommands() = default;

QString ReviewCommands::Text(std::string_view key) const {
    return m_Wiring.context().Text(key);
}

ScheduleOptions ReviewCommands::Schedule() const {
    const Settings& s = *m_Wiring.settings;
    return {CheckedReviewRetention(s.reviewRetention) / 100.0, CheckedReviewMaxInterval(s.reviewMaxInterval)};
}

void ReviewCommands::DictionaryShown(const QString& path) {
    if (path == m_Path && (m_Deck != nullptr) == !path.isEmpty()) {
        return;
    }
    m_Path = path;
    m_Deck.reset();
    m_Due = 0;
    const bool hasFile = !path.isEmpty();
    m_Wiring.review->setEnabled(hasFile);
    m_Wiring.statistics->setEnabled(hasFile);
    if (hasFile) {
        m_Deck = std::make_unique<ReviewDeck>(
            ReviewLogPath(std::filesystem::path(path.toStdString()), m_Wiring.fallbackFolder), Schedule());
        const ReviewLogReading reading = m_Deck->Load();
        const QString logPath = Wide(m_Deck->LogPath().string());
        if (reading.failed) {
            m_Wiring.prompter->Ask(
                FileReportText(Text("FrmMain.m_acTReviewLogUnreadable"), logPath, reading.error).toStdU16String(), u"",
                PromptButtons::Ok, PromptIcon::Warning);
        } else if (const int skipped = reading.unreadableLines + (reading.tornLastLine ? 1 : 0); skipped > 0) {
            m_Wiring.prompter->Ask(
                FileReportText(Text("FrmMain.m_acTReviewLogSkipped").arg(skipped), logPath).toStdU16String(), u"",
                PromptButtons::Ok, PromptIcon::Warning);
        }
        Recount();
    }
    ShowCount();
}

void ReviewCommands::LookedUp(int row) {
    const ClassTable& entries = m_Wiring.engine->Entries();
    if (m_Deck && row >= 0 && row < entries.RowCount()) {
        // A look-up that cannot be written is not worth a message: it only orders new cards.
        m_Deck->RecordLookup(entries.CellView(0, row), WithSystemOffset(m_Wiring.clock->Now()));
    }
}

void ReviewCommands::TermRenamed(std::string_view from, std::string_view to) {
    if (m_Deck && !m_Deck->RecordRename(from, to, WithSystemOffset(m_Wiring.clock->Now()))) {
        const int error = errno;
        m_Wiring.prompter->Ask(
            FileReportText(Text("FrmReview.m_acTUnwritable"), Wide(m_Deck->LogPath().string()), error).toStdU16String(),
            u"", PromptButtons::Ok, PromptIcon::Warning);
    }
}

void ReviewCommands::OptionsChanged() {
    if (m_Deck) {
        m_Deck->SetOptions(Schedule());
        Recount();
    }
    ShowCount();
}

void ReviewCommands::Recount() {
    if (!m_Deck) {
        m_Due = 0;
        return;
    }
    const Settings& s = *m_Wiring.settings;
    m_Due = BuildReviewQueue(m_Wiring.engine->Entries(), m_Deck->History(),
                             {CheckedReviewNewCards(s.reviewNewCards), s.reviewBoth}, ReviewDay(m_Wiring.clock->Now()))
                .dueCount;
}

void ReviewCommands::ShowCount() {
    QString text = Text("FrmMain.ID_MEN_REVIEW");
    if (m_Deck) {
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        const QString count = QLatin1Char(' ') + Text("FrmMain.m_acTReviewDue").arg(m_Due);
        text.insert(tab < 0 ? text.size() : tab, count);
    }
    m_Wiring.review->setText(text);
    if (QSystemTrayIcon* tray = m_Wiring.trayInUse()) {
        QString tip = m_Wiring.window->windowTitle().left(100);
        if (m_Due > 0) {
            tip += QLatin1Char('\n') + Text("FrmMain.m_acTTrayDue").arg(m_Due);
        }
        tray->setToolTip(tip);
        Remind();
    }
}

void ReviewCommands::Remind() {
    QSystemTrayIcon* tray = m_Wiring.trayInUse();
    const int today = ReviewDay(m_Wiring.clock->Now());
    if (tray == nullptr || !m_Wiring.settings->reviewReminder || m_Due == 0 || m_RemindedDay == today) {
        return;
    }
    m_RemindedDay = today;
    tray->showMessage(QStringLiteral("Lexaro"), Text("FrmMain.m_acTTrayDue").arg(m_Due));
}

void ReviewCommands::OpenReview() {
    if (!m_Deck) {
        return;
    }
    const Settings& s = *m_Wiring.settings;
    const int today = ReviewDay(m_Wiring.clock->Now());
    CReviewDlg dialog(m_Wiring.context(), *m_Deck, m_Wiring.engine->Entries(),
                      BuildReviewQueue(m_Wiring.engine->Entries(), m_Deck->History(),
                                       {CheckedReviewNewCards(s.reviewNewCards), s.reviewBoth}, today),
                      *m_Wiring.clock, m_Random, {}, m_Wiring.window);
    emit reviewWindowOpened(dialog);
    m_Wiring.runTool(dialog);
    Recount();
    ShowCount();
}

void ReviewCommands::OpenStatistics() {
    if (!m_Deck) {
        return;
    }
    CStatisticsDlg dialog(m_Wiring.context(), *m_Deck, m_Wiring.engine->Entries(), m_Wiring.settings->reviewBoth,
                          *m_Wiring.clock, m_Wiring.window);
    m_Wiring.runTool(dialog);
    Recount();
    ShowCount();
}

} // namespace lexaro
