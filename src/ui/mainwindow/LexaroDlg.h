#pragma once

#include "app/InterfaceTexts.h"
#include "app/RecoverySchedule.h"
#include "app/Settings.h"
#include "app/Storage.h"
#include "engine/Clock.h"
#include "engine/EntryStore.h"
#include "ui/qt/ToolWindow.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QAction;
class QComboBox;
class QDialog;
class QLabel;
class QMenu;
class QPushButton;
class QSystemTrayIcon;
class QTimer;

namespace lexaro {

class CScriptEdit;
class Clipboard;
class FileChooser;
class RandomSource;
class Prompter;
class RecoveryCopy;

// The name shown for a dictionary that has no file yet.
inline QString NoName() {
    return QStringLiteral("<noname>");
}

// What the program hands its main window: the desktop services and the clock.
struct MainWindowServices {
    Prompter* prompter = nullptr;
    FileChooser* chooser = nullptr;
    std::shared_ptr<const Clock> clock;
    // The desktop clipboard for entries and clipboard watching.
    Clipboard* clipboard = nullptr;
    // Opens a link with the desktop's default handler and says whether it could; QDesktopServices when
    // empty.
    std::function<bool(const QString&)> openUrl;
    // Times the recovery copy; the machine's steady clock when empty.
    std::shared_ptr<const MonotonicClock> ticks = nullptr;
    // How long after a change the recovery copy of an unsaved dictionary is written.
    std::chrono::milliseconds recoveryInterval = kRecoveryInterval;
};

// The main window: the term box, the explanation pane, the menus and every main-window command.
class LexaroDlg : public QMainWindow {
    Q_OBJECT

public:
    explicit LexaroDlg(MainWindowServices services, QWidget* parent = nullptr);
    ~LexaroDlg() override;

    // Start-up: storage, language, settings, then the file of the command line or the start dictionary.
    void Start(const StartupStorage& storage, const std::vector<std::string>& arguments,
               const std::filesystem::path& currentDirectory);
    // Orderly end after the exit question: writes the settings.
    void ExitCleanup();

    EntryStore& Engine() { return m_Engine; }
    InterfaceTexts& Texts() { return m_Texts; }
    const Settings& CurrentSettings() const { return m_Settings; }
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

    // Entries through the clipboard, clipboard watching and the tray.
    void CutEntry();
    void CopyEntry();
    // Copies the pane's selection without looking it up again.
    void CopyPaneText();
    void PasteEntry();
    void HandleClipboardText(const QString& text);
    void HideInTray();
    void RestoreFromTray();
    bool IsInTray() const { return m_InTray; }
    void ShowCaption(bool show, bool shift);
    bool IsCaptionShown() const { return m_CaptionShown; }
    void ApplyAlwaysOnTop();

    // File commands.
    void OpenFile(const QString& path);
    bool SaveFile(const QString& path);
    void NewDictionary();
    void OpenDictionary();
    void SaveDictionary();
    void SaveDictionaryAs();
    void CreateBackup();
    void CreatePortableCopy();
    void AddRecent(const QString& path, bool atTop);

    // Tool windows of the entry list.
    void ShowProperties();
    void EditMassData(bool addMode);
    void ShowAllEntries();

    // Opens the training set-up window, with a unit file to load or auto-play at once.
    void StartTraining(const QString& unitPath = QString(), bool autoPlay = false);
    // The quiz draws from this source instead of one seeded with the time (tests).
    void SetTrainingRandom(RandomSource* random);

    // The history of the term box, newest first.
    QStringList SearchHistory() const;
    void AddToHistory(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Runs a tool window modally with clipboard watching suspended; the title is updated afterwards.
    int RunToolWindow(QDialog& dialog);
    ToolWindowContext ToolContext();

    // Sets every text of the window from the current language.
    void ApplyTexts();

private:
    void CreateControls();
    void CreateMenus();
    // Gives each menu bar title a mnemonic; called whenever the texts change.
    void MarkMenuTitles();
    QAction* AddCommand(QMenu* menu, const char* name, const QKeySequence& shortcut = {});
    void ConnectCommands();

    QString TermText() const;
    QString PaneText() const;
    void SetPaneText(const QString& text);
    // The term and explanation that Modify and "+" store, or nothing after telling the user why not.
    std::optional<std::pair<std::string, std::string>> EntryToStore(const QString& term, const QString& explanation);
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
    // False when the user cancels writing separated text that holds entries with the separator.
    bool SeparatedTextAgreed(const QString& path);
    std::string CsvSeparator() const;
    bool PrepareExit();
    Prompter& Prompts() { return *m_Services.prompter; }
    QString Text(std::string_view key) const { return QString::fromStdU16String(m_Texts.GetWideText(key)); }
    void ApplySettings();
    // The user's font on the window, its controls and the pane, with its height.
    void ApplyFonts();
    static QFont SignFont();
    void ClipboardChanged();
    bool IsWatchable(const QString& text) const;
    void CreateTray();
    void RemoveTrayIcon();
    void ApplyTrayTexts();
    void CollectSettings();
    void SelectLanguage(std::string_view name);

    // Tool windows and the "?" menu (LexaroDlgOptions.cpp).
    void OpenTranslator();
    void OpenOptions();
    void ApplyOptions(const Settings& before);
    void OpenLanguageDialog();
    void OpenHelp();
    void OpenDataFile(std::string_view name);
    void ShowInfo();
    void RemoveMissingHelpItems();
    // Opens a page, a file or an address with the desktop and tells the user when that fails.
    void OpenWithDefaultHandler(const QString& url);

    // The recovery copy of an unsaved dictionary (LexaroDlgRecovery.cpp).
    bool StartRecovery();
    bool RestoreRecoveryCopy(const std::optional<std::string>& origin);
    void NoteRecoveryState();
    void WriteRecoveryCopy();
    void EndRecovery();

    MainWindowServices m_Services;
    InterfaceTexts m_Texts;
    Settings m_Settings;
    std::unique_ptr<InitFileDocument> m_SettingsDocument;
    StartupStorage m_Storage;
    EntryStore m_Engine;
    EntryStore m_AddDictionaries;
    QString m_CurrentPath = QStringLiteral("<noname>");
    // What the pane shows when it was last filled: a look-up's result or an entry, with the term box text then.
    // Empty once the pane was filled with anything else.
    struct PaneOrigin {
        QString term;
        bool isResult = false;
        LookupShape shape;
        std::string shown;
    };
    std::optional<PaneOrigin> m_PaneOrigin;
    QString m_PresetTerm;
    QString m_PresetExplanation;
    bool m_DateShown = false;
    bool m_AutoSafe = false;
    bool m_ExitAfterSaveAs = false;
    bool m_ExitConfirmed = false;
    bool m_InTray = false;
    bool m_CaptionShown = true;
    QPoint m_DragOrigin;
    QMenu* m_TrayMenu = nullptr;
    QSystemTrayIcon* m_Tray = nullptr;
    RandomSource* m_TrainingRandom = nullptr;
    std::unique_ptr<RecoveryCopy> m_Recovery;
    RecoverySchedule m_RecoverySchedule;
    QTimer* m_RecoveryTimer = nullptr;
    bool m_RecoveryWarned = false;

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
    QPushButton* m_BTNMinimize = nullptr;
    QPushButton* m_BTNClose = nullptr;
    QMenu* m_MENRecent = nullptr;
    QAction* m_ACTRecentSeparator = nullptr;
};

} // namespace lexaro
