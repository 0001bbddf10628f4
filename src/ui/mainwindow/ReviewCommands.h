#pragma once

#include "training/RandomSource.h"
#include "training/ReviewDeck.h"
#include "training/ReviewDeckLoading.h"
#include "training/ReviewQueue.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

class QAction;
class QMainWindow;
class QTimer;

namespace lexaro {

class CReviewDlg;
struct Clock;
class MenuTable;
class TrayAndClipboard;
struct MainWindowState;

// The main window's review commands: View > Review (F7, also in the tray menu) with the number of due cards,
// View > Statistics, the review log of the open dictionary (loaded when a dictionary is opened, told of
// look-ups and renamed terms) and the daily reminder in the tray.
class ReviewCommands : public QObject {
    Q_OBJECT

public:
    // Connects View > Review and View > Statistics, puts Review into the tray menu and listens to the state's
    // look-ups, renamed terms, options and the tray.
    ReviewCommands(QMainWindow& window, MainWindowState& state, const MenuTable& menus, TrayAndClipboard& tray);
    ~ReviewCommands() override;

    // The window shows the dictionary of this path (empty for one without a file): its log is read when the
    // path changed.
    void DictionaryShown(const QString& path);
    // The log of a dictionary about to be read is read meanwhile on a thread of its own; an empty path (the
    // opening has ended) throws away a reading that the dictionary shown did not take.
    void DictionaryOpening(const QString& path);
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
    std::filesystem::path LogPathOf(const QString& dictionary) const;
    void Remind();

    QMainWindow& m_Window;
    MainWindowState& m_State;
    TrayAndClipboard& m_Tray;
    QAction* m_ACTReview;
    QAction* m_ACTStatistics;
    // Logs of dictionaries whose own folder cannot be written go here.
    std::filesystem::path m_FallbackFolder;
    std::shared_ptr<const Clock> m_Clock;
    QString m_Path;
    std::unique_ptr<ReviewDeck> m_Deck;
    std::unique_ptr<ReviewDeckLoading> m_Loading;
    // What the queue keeps of the dictionary between the counts and the review window.
    ReviewEntryDigest m_KeptEntries;
    SeededRandom m_Random;
    QTimer* m_DayTimer = nullptr;
    // Counts again once the entries have been left alone for a moment after a change: the count follows the
    // entries, and the review window opened afterwards starts from what the count kept.
    QTimer* m_RecountTimer = nullptr;
    std::uint64_t m_CountedVersion = 0;
    int m_Due = 0;
    int m_RemindedDay = -1;
};

} // namespace lexaro
