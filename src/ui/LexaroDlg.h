#pragma once

#include "engine/Clock.h"
#include "engine/EntryStore.h"

#include <QMainWindow>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;

namespace lexaro {

class CScriptEdit;
class FileChooser;
class Prompter;

// What the program hands its main window: the desktop services and the clock.
struct MainWindowServices {
    Prompter* prompter = nullptr;
    FileChooser* chooser = nullptr;
    std::shared_ptr<const Clock> clock;
    // Opens a link with the desktop's default handler; QDesktopServices when empty.
    std::function<void(const QString&)> openUrl;
};

inline constexpr const char* kNoName = "<noname>";

// The main window: the term box, the explanation pane, the menus and every main-window command.
class LexaroDlg : public QMainWindow {
    Q_OBJECT

public:
    explicit LexaroDlg(MainWindowServices services, QWidget* parent = nullptr);
    ~LexaroDlg() override;

    EntryStore& Engine() { return m_Engine; }
    EntryStore& AdditionalDictionaries() { return m_AddDictionaries; }
    const QString& CurrentPath() const { return m_CurrentPath; }

    void UpdateTitle();

    // Searches the term box text and shows the result.
    void Search();
    void AddEntry();
    void ModifyEntry();
    void DeleteEntry();
    void PreviousEntry();
    void NextEntry();
    void Undo();

    // File commands.
    void OpenFile(const QString& path);
    bool SaveFile(const QString& path);
    void NewDictionary();
    void OpenDictionary();
    void SaveDictionary();
    void SaveDictionaryAs();
    void CreateBackup();
    void AddRecent(const QString& path, bool atTop);

    // The history of the term box, newest first.
    QStringList SearchHistory() const;
    void AddToHistory(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateControls();
    void CreateMenus();
    QAction* AddCommand(QMenu* menu, const char* name, const QKeySequence& shortcut = {});
    void ConnectCommands();
    void ApplyTexts();

    QString TermText() const;
    QString PaneText() const;
    void SetPaneText(const QString& text);
    void ShowEntry(int row);
    void ClearFields();
    void SetDateShown(bool shown);
    void SetFastEdit(bool on);
    void SetHighlighting(bool on);
    void SetHyperlinks(bool on);
    void OpenLink(const QString& url);
    void OpenRecent(QAction* item);
    void ClearRecent();
    QList<QAction*> RecentItems() const;
    bool AskToSaveChanges();
    bool PrepareExit();
    Prompter& Prompts() { return *m_Services.prompter; }

    MainWindowServices m_Services;
    EntryStore m_Engine;
    EntryStore m_AddDictionaries;
    QString m_CurrentPath = kNoName;
    QString m_PresetTerm;
    QString m_PresetExplanation;
    bool m_DateShown = false;
    bool m_AutoSafe = false;
    bool m_ExitAfterSaveAs = false;
    bool m_ExitConfirmed = false;

    QLabel* m_LBLTerm = nullptr;
    QComboBox* m_CBBTerm = nullptr;
    QPushButton* m_BTNSearch = nullptr;
    QPushButton* m_BTNAdd = nullptr;
    QPushButton* m_BTNDelete = nullptr;
    QPushButton* m_BTNLast = nullptr;
    QPushButton* m_BTNNext = nullptr;
    QLabel* m_LBLExplanation = nullptr;
    CScriptEdit* m_EDTExplanation = nullptr;
    QLabel* m_LBLDate = nullptr;
    QMenu* m_MENRecent = nullptr;
    QAction* m_ACTRecentSeparator = nullptr;
};

} // namespace lexaro
