#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QAction;
class QMainWindow;

namespace lexaro {

class EntryCommands;
class MenuTable;
struct MainWindowState;
struct Settings;

// The dictionary's file: new, open (also by dropping a file on the window), save, save as, the backup copy,
// the portable copy of the program, and the list of recent files in the File menu.
class FileCommands : public QObject {
    Q_OBJECT

public:
    FileCommands(QMainWindow& window, MainWindowState& state, const MenuTable& menus, EntryCommands& entries);

    // A training unit opened as a file goes here; the open dictionary stays as it is.
    void SetUnitOpener(std::function<void(const QString&)> openUnit) { m_OpenUnit = std::move(openUnit); }

    void OpenFile(const QString& path);
    bool SaveFile(const QString& path);
    void NewDictionary();
    void OpenDictionary();
    void SaveDictionary();
    void SaveDictionaryAs();
    // Save as, on the way out: a successful save closes the window.
    void SaveDictionaryAsThenClose();
    void CreateBackup();
    void CreatePortableCopy();
    void AddRecent(const QString& path, bool atTop);

    void ApplySettings(const Settings& settings);
    void CollectSettings(Settings& settings) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool AskToSaveChanges();
    // False when the user cancels writing separated text that holds entries with the separator.
    bool SeparatedTextAgreed(const QString& path);
    std::string CsvSeparator() const;
    QList<QAction*> RecentItems() const;
    void OpenRecent(QAction* item);
    void ClearRecent();

    QMainWindow& m_Window;
    MainWindowState& m_State;
    const MenuTable& m_Menus;
    EntryCommands& m_Entries;
    std::function<void(const QString&)> m_OpenUnit;
    bool m_CloseAfterSaveAs = false;
};

} // namespace lexaro
