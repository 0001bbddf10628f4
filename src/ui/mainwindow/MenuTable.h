#pragma once

#include <QKeySequence>
#include <QString>
#include <filesystem>

class QAction;
class QMainWindow;
class QMenu;

namespace lexaro {

struct MainWindowState;

// The main window's menu bar: every command as a QAction named by its id ("ID_MEN_SAVE"), with its key.
// A part finds its commands here by id and connects them itself.
class MenuTable {
public:
    explicit MenuTable(QMainWindow& window);

    // The command with this id; every id passed here exists.
    QAction* Action(const char* id) const;
    template <typename Handler>
    void On(const char* id, QObject* context, Handler handler) const;

    QMenu* RecentMenu() const { return m_MENRecent; }
    // The separator below the recent files, above the list's own commands.
    QAction* RecentSeparator() const { return m_ACTRecentSeparator; }

    // Every command and menu title in the current language, each title with a mnemonic of its own.
    void ApplyTexts(const MainWindowState& state);
    // The licence and the change notes are offered only when they are in the data folder; the update check
    // goes with the change notes.
    void RemoveMissingHelpItems(const std::filesystem::path& dataFolder);

private:
    QAction* AddCommand(QMenu* menu, const char* name, const QKeySequence& shortcut = {});
    void CreateMenus();
    void MarkMenuTitles(const MainWindowState& state);

    QMainWindow& m_Window;
    QMenu* m_MENRecent = nullptr;
    QAction* m_ACTRecentSeparator = nullptr;
};

} // namespace lexaro

#include <QAction>

namespace lexaro {

template <typename Handler>
void MenuTable::On(const char* id, QObject* context, Handler handler) const {
    QObject::connect(Action(id), &QAction::triggered, context, handler);
}

} // namespace lexaro
