#pragma once

#include "ui/mainwindow/MainWindowState.h"

#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

class InitFileDocument;
class EntryCommands;
class FileCommands;
class HelpCommands;
class MenuTable;
class OptionsCommands;
class RecoveryKeeper;
class ReviewCommands;
class SpeechCommands;
class ToolWindows;
class TrayAndClipboard;
class WindowFrame;
struct MainWindowControls;

// The main window: the term box, the explanation pane and the menus, with one part per concern (entries,
// files, tray and clipboard, frame, tool windows, options, help, recovery). The window creates the parts,
// hands each what it needs, and runs start-up and the end of the program across them.
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

    EntryStore& Engine() { return m_State.engine; }
    InterfaceTexts& Texts() { return m_State.texts; }
    const Settings& CurrentSettings() const { return m_State.settings; }
    EntryStore& AdditionalDictionaries() { return m_State.additional; }
    const QString& CurrentPath() const { return m_State.currentPath; }

    EntryCommands& Entries() { return *m_Entries; }
    FileCommands& Files() { return *m_Files; }
    TrayAndClipboard& Tray() { return *m_Tray; }
    WindowFrame& Frame() { return *m_Frame; }
    ToolWindows& Tools() { return *m_Tools; }

    void UpdateTitle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Sets every text of the window from the current language.
    void ApplyTexts();
    void SelectLanguage(std::string_view name);
    void ApplySettings();
    // Puts back into the settings what the window and its parts own while they run.
    void CollectSettings();
    // The exit question, saving, and the settings written: true when the program may end.
    bool PrepareExit();

    MainWindowState m_State;
    std::unique_ptr<InitFileDocument> m_SettingsDocument;
    bool m_ExitConfirmed = false;
    std::unique_ptr<MainWindowControls> m_Controls;
    std::unique_ptr<MenuTable> m_Menus;
    std::unique_ptr<EntryCommands> m_Entries;
    std::unique_ptr<TrayAndClipboard> m_Tray;
    WindowFrame* m_Frame = nullptr;
    FileCommands* m_Files = nullptr;
    std::unique_ptr<RecoveryKeeper> m_Recovery;
    std::unique_ptr<ToolWindows> m_Tools;
    std::unique_ptr<HelpCommands> m_Help;
    std::unique_ptr<OptionsCommands> m_Options;
    ReviewCommands* m_Review = nullptr;
    std::unique_ptr<SpeechCommands> m_Speech;
};

} // namespace lexaro
