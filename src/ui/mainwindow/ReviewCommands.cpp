#include "ui/mainwindow/ReviewCommands.h"

#include "app/Environment.h"
#include "app/SpeechLanguages.h"
#include "engine/Clock.h"
#include "training/ReviewQueue.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/mainwindow/MenuTable.h"
#include "ui/mainwindow/TrayAndClipboard.h"
#include "ui/qt/QtText.h"
#include "ui/training/ReviewDlg.h"
#include "ui/training/ReviewSpeech.h"
#include "ui/training/StatisticsDlg.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cerrno>

namespace lexaro {

namespace {

// The due count and the reminder follow the day while the program runs.
constexpr int kDayCheckMilliseconds = 10 * 60 * 1000;
// How long the entries stay unchanged before the due count follows them: not while someone is typing entries.
constexpr int kRecountAfterChangeMilliseconds = 1500;

} // namespace

ReviewCommands::ReviewCommands(QMainWindow& window, MainWindowState& state, const MenuTable& menus,
                               TrayAndClipboard& tray)
    : QObject(&window), m_Window(window), m_State(state), m_Tray(tray), m_ACTReview(menus.Action("ID_MEN_REVIEW")),
      m_ACTStatistics(menus.Action("ID_MEN_STATISTICS")), m_FallbackFolder(ReviewLogFolder(SystemEnvironment())),
      m_Clock(state.services.clock ? state.services.clock : std::make_shared<SystemClock>()),
      m_Random(SeededRandom::FromTime()) {
    menus.On("ID_MEN_REVIEW", this, [this] { OpenReview(); });
    menus.On("ID_MEN_STATISTICS", this, [this] { OpenStatistics(); });
    if (QMenu* trayMenu = m_Tray.Menu()) {
        const QList<QAction*> items = trayMenu->actions();
        trayMenu->insertAction(items.isEmpty() ? nullptr : items.first(), m_ACTReview);
    }
    m_State.lookedUp = [this](int row) { LookedUp(row); };
    m_State.renamed = [this](std::string_view from, std::string_view to) { TermRenamed(from, to); };
    m_State.wentToTray = [this] { ShowCount(); };
    m_State.optionsChanged = [this] { OptionsChanged(); };
    m_State.opening = [this](const QString& path) { DictionaryOpening(path); };
    m_DayTimer = new QTimer(this);
    m_DayTimer->setInterval(kDayCheckMilliseconds);
    connect(m_DayTimer, &QTimer::timeout, this, [this] {
        Recount();
        ShowCount();
    });
    m_DayTimer->start();
    m_RecountTimer = new QTimer(this);
    m_RecountTimer->setObjectName(QStringLiteral("m_TMRRecount"));
    m_RecountTimer->setSingleShot(true);
    m_RecountTimer->setInterval(kRecountAfterChangeMilliseconds);
    connect(m_RecountTimer, &QTimer::timeout, this, [this] {
        if (m_Deck && m_State.engine.Entries().Version() != m_CountedVersion) {
            Recount();
            ShowCount();
        }
    });
    m_ACTReview->setEnabled(false);
    m_ACTStatistics->setEnabled(false);
}

ReviewCommands::~ReviewCommands() = default;

QString ReviewCommands::Text(std::string_view key) const {
    return m_State.Text(key);
}

ScheduleOptions ReviewCommands::Schedule() const {
    const Settings& s = m_State.settings;
    return {CheckedReviewRetention(s.reviewRetention) / 100.0, CheckedReviewMaxInterval(s.reviewMaxInterval)};
}

void ReviewCommands::DictionaryShown(const QString& path) {
    if (path == m_Path && (m_Deck != nullptr) == !path.isEmpty()) {
        if (m_Deck && m_State.engine.Entries().Version() != m_CountedVersion) {
            m_RecountTimer->start();
        }
        return;
    }
    m_Path = path;
    m_Deck.reset();
    m_KeptEntries = {};
    m_Due = 0;
    const bool hasFile = !path.isEmpty();
    m_ACTReview->setEnabled(hasFile);
    m_ACTStatistics->setEnabled(hasFile);
    const std::unique_ptr<ReviewDeckLoading> loading = std::move(m_Loading);
    if (hasFile) {
        const std::filesystem::path log = LogPathOf(path);
        ReviewLogReading reading;
        if (loading && loading->LogPath() == log) {
            m_Deck = loading->Take(reading);
        } else {
            m_Deck = std::make_unique<ReviewDeck>(log, Schedule());
            reading = m_Deck->Load();
        }
        const QString logPath = Wide(m_Deck->LogPath().string());
        if (reading.failed) {
            m_State.services.prompter->Ask(
                FileReportText(Text("FrmMain.m_acTReviewLogUnreadable"), logPath, reading.error).toStdU16String(), u"",
                PromptButtons::Ok, PromptIcon::Warning);
        } else if (const int skipped = reading.unreadableLines + (reading.tornLastLine ? 1 : 0); skipped > 0) {
            m_State.services.prompter->Ask(
                FileReportText(Text("FrmMain.m_acTReviewLogSkipped").arg(skipped), logPath).toStdU16String(), u"",
                PromptButtons::Ok, PromptIcon::Warning);
        }
        Recount();
    }
    ShowCount();
}

void ReviewCommands::DictionaryOpening(const QString& path) {
    m_Loading.reset();
    // The dictionary shown read again keeps its deck (DictionaryShown).
    if (!path.isEmpty() && !(path == m_Path && m_Deck)) {
        m_Loading = std::make_unique<ReviewDeckLoading>(LogPathOf(path), Schedule());
    }
}

std::filesystem::path ReviewCommands::LogPathOf(const QString& dictionary) const {
    return ReviewLogPath(std::filesystem::path(dictionary.toStdString()), m_FallbackFolder);
}

void ReviewCommands::LookedUp(int row) {
    const ClassTable& entries = m_State.engine.Entries();
    if (m_Deck && row >= 0 && row < entries.RowCount()) {
        // A look-up that cannot be written is not worth a message: it only orders new cards.
        m_Deck->RecordLookup(entries.CellView(0, row), WithSystemOffset(m_State.Now()));
    }
}

void ReviewCommands::TermRenamed(std::string_view from, std::string_view to) {
    if (m_Deck && !m_Deck->RecordRename(from, to, WithSystemOffset(m_State.Now()))) {
        const int error = errno;
        m_State.services.prompter->Ask(
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
    m_RecountTimer->stop();
    m_CountedVersion = m_State.engine.Entries().Version();
    if (!m_Deck) {
        m_Due = 0;
        return;
    }
    // The count is of the due cards only, which new cards do not change: they are not looked for, and a log
    // without a card (a dictionary just saved under another name) needs no look at the entries at all.
    if (m_Deck->History().Cards().empty()) {
        m_Due = 0;
        return;
    }
    m_Due = BuildReviewQueue(m_State.engine.Entries(), m_Deck->History(), {0, m_State.settings.reviewBoth},
                             ReviewDay(m_State.Now()), &m_KeptEntries)
                .dueCount;
}

void ReviewCommands::ShowCount() {
    QString text = Text("FrmMain.ID_MEN_REVIEW");
    if (m_Deck) {
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        const QString count = QLatin1Char(' ') + Text("FrmMain.m_acTReviewDue").arg(m_Due);
        text.insert(tab < 0 ? text.size() : tab, count);
    }
    m_ACTReview->setText(text);
    if (QSystemTrayIcon* tray = m_Tray.IconInUse()) {
        QString tip = m_Window.windowTitle().left(100);
        if (m_Due > 0) {
            tip += QLatin1Char('\n') + Text("FrmMain.m_acTTrayDue").arg(m_Due);
        }
        tray->setToolTip(tip);
        Remind();
    }
}

void ReviewCommands::Remind() {
    QSystemTrayIcon* tray = m_Tray.IconInUse();
    const int today = ReviewDay(m_State.Now());
    if (tray == nullptr || !m_State.settings.reviewReminder || m_Due == 0 || m_RemindedDay == today) {
        return;
    }
    m_RemindedDay = today;
    tray->showMessage(QStringLiteral("Lexaro"), Text("FrmMain.m_acTTrayDue").arg(m_Due));
}

void ReviewCommands::OpenReview() {
    if (!m_Deck) {
        return;
    }
    // Counted again when the window closes.
    m_RecountTimer->stop();
    const Settings& s = m_State.settings;
    const int today = ReviewDay(m_State.Now());
    CReviewDlg dialog(m_State.ToolContext(), *m_Deck, m_State.engine.Entries(),
                      BuildReviewQueue(m_State.engine.Entries(), m_Deck->History(),
                                       {CheckedReviewNewCards(s.reviewNewCards), s.reviewBoth}, today, &m_KeptEntries),
                      *m_Clock, m_Random, {}, &m_Window);
    SpeakReview(dialog, *m_State.speech, VoicesForDictionary(s, m_State.currentPath.toStdString()),
                s.speakReviewQuestion, s.speakReviewAnswer);
    emit reviewWindowOpened(dialog);
    m_State.RunToolWindow(dialog);
    Recount();
    ShowCount();
}

void ReviewCommands::OpenStatistics() {
    if (!m_Deck) {
        return;
    }
    CStatisticsDlg dialog(m_State.ToolContext(), *m_Deck, m_State.engine.Entries(), m_State.settings.reviewBoth,
                          *m_Clock, &m_Window);
    m_State.RunToolWindow(dialog);
    Recount();
    ShowCount();
}

} // namespace lexaro
