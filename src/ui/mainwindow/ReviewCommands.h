#pragma once

#include "app/Settings.h"
#include "training/RandomSource.h"
#include "training/ReviewDeck.h"
#include "ui/qt/ToolWindow.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string_view>

class QAction;
class QDialog;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class QWidget;

namespace lexaro {

struct Clock;
class EntryStore;
class CReviewDlg;

// The main window's review commands: View > Review (F7, also in the tray menu) with the number of due cards,
// View > Statistics, the review log of the open dictionary (loaded when a dictionary is opened, told of
// look-ups and renamed terms) and the daily reminder in the tray.
class ReviewCommands : public QObject {
    Q_OBJECT

public:
    struct Wiring {
        QWidget* window = nullptr;
        EntryStore* engine = nullptr;
        const Settings* settings = nullptr;
        Prompter* prompter = nullptr;
        std::shared_ptr<const Clock> clock;
        // The folder for logs of dictionaries whose own folder cannot be written.
        std::filesystem::path fallbackFolder;
        std::function<ToolWindowContext()> context;
        // Runs a tool window modally the way the main window runs its tool windows.
        std::function<int(QDialog&)> runTool;
        QAction* review = nullptr;
        QAction* statistics = nullptr;
        QMenu* trayMenu = nullptr;
        // The tray icon while the program sits in the tray, otherwise nullptr.
        std::function<QSystemTrayIcon*()> trayInUse;
    };
    explicit ReviewCommands(Wiring wiring);
    ~ReviewCommands() override;

    // The window shows the dictionary of this path (empty for one without a file): its log is read when the
    // path changed.
    void DictionaryShown(const QString& path);
    // A look-up found the entry of this row.
    void LookedUp(int row);
    void TermRenamed(std::string_view from, std::string_view to);
    // The options changed: due days and the count follow.
    void OptionsChanged();
    // Puts the count into the command's text (after the window set its texts) and the tray's tooltip, and shows
    // the day's reminder when the program sits in the tray.
    void ShowCount();

    void OpenReview();
    void OpenStatistics();
    int DueCount() const { return m_Due; }
    const ReviewDeck* Deck() const { return m_Deck.get(); }

signals:
    // A review window was opened, before it runs: where speech or another helper connects to it.
    void reviewWindowOpened(CReviewDlg& dialog);

private:
    ScheduleOptions Schedule() const;
    QString Text(std::string_view key) const;
    void Recount();
    void Remind();

    Wiring m_Wiring;
    QString m_Path;
    std::unique_ptr<ReviewDeck> m_Deck;
    SeededRandom m_Random;
    QTimer* m_DayTimer = nullptr;
    int m_Due = 0;
    int m_RemindedDay = -1;
};

} // namespace lexaro
