#include "ui/mainwindow/OptionsCommands.h"

#include "app/Autostart.h"
#include "app/DictionaryFiles.h"
#include "ui/dialogs/LanguageDlg.h"
#include "ui/dialogs/OptionsDlg.h"
#include "ui/mainwindow/FileCommands.h"
#include "ui/mainwindow/MainWindowControls.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/mainwindow/MenuTable.h"
#include "ui/mainwindow/ScriptEdit.h"
#include "ui/mainwindow/TrayAndClipboard.h"
#include "ui/mainwindow/WindowFrame.h"

#include <QMainWindow>
#include <QMenuBar>

namespace lexaro {

OptionsCommands::OptionsCommands(QMainWindow& window, MainWindowState& state, const MenuTable& menus,
                                 MainWindowControls& controls, FileCommands& files, WindowFrame& frame,
                                 TrayAndClipboard& tray, std::function<void()> textsChanged)
    : m_Window(window), m_State(state), m_Controls(controls), m_Files(files), m_Frame(frame), m_Tray(tray),
      m_TextsChanged(std::move(textsChanged)) {
    menus.On("ID_MEN_OPTIONS", &window, [this] { OpenOptions(); });
    menus.On("ID_MEN_LANGUAGE", &window, [this] { OpenLanguageDialog(); });
}

void OptionsCommands::OpenOptions() {
    Settings current = m_State.settings;
    ReadEngineSettings(m_State.engine, current);
    current.autoSafe = m_State.autoSafe;
    m_State.CollectAdditionalDictionaries(current);

    COptionsDlg dialog(m_State.ToolContext(), current, m_State.storage.programFile,
                       AutostartFolder(SystemEnvironment()),
                       FindInstalledDictionaries(ForeignDictionaryFolders(SystemEnvironment())), &m_Window);
    const bool accepted = m_State.RunToolWindow(dialog) == QDialog::Accepted;
    const Settings before = m_State.settings;
    if (accepted) {
        m_State.settings = dialog.Result();
    } else {
        // Colours are taken as soon as they are chosen, even when the rest is cancelled.
        m_State.settings.highlightColor = dialog.Result().highlightColor;
        m_State.settings.highlightColor2 = dialog.Result().highlightColor2;
    }
    ApplyOptions(before);
}

void OptionsCommands::ApplyOptions(const Settings& before) {
    const Settings& s = m_State.settings;
    ApplyEngineSettings(s, m_State.engine);
    m_State.autoSafe = s.autoSafe;
    if (m_State.optionsChanged) {
        m_State.optionsChanged();
    }
    m_Controls.m_EDTExplanation->SetColour1(s.highlightColor, true);
    m_Controls.m_EDTExplanation->SetColour2(s.highlightColor2, true);
    m_State.TakeAdditionalDictionaries();

    if (s.clipFront) {
        m_Tray.ShowWatchingOn();
    }
    if (s.startDictionary != before.startDictionary &&
        m_State.Ask(m_State.Text("FrmMain.m_acTChangeDictionary"), PromptButtons::YesNo, PromptIcon::Information) ==
            PromptAnswer::Yes) {
        const std::filesystem::path start =
            GetStartDictionaryPath(s.startDictionary, m_State.storage.decision.baseFolder);
        m_Files.OpenFile(start.empty() ? NoName() : QString::fromStdString(start.string()));
    }
    if (m_Window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) != s.alwaysOnTop) {
        m_Frame.ApplyAlwaysOnTop();
    }
    m_Controls.ApplyFonts(m_Window, s.fonts);
    m_Window.update();
}

void OptionsCommands::OpenLanguageDialog() {
    const StartupStorage& storage = m_State.storage;
    CLanguageDlg dialog(storage.dataFolder / kLanguagesFile, storage.dataFolder, m_State.texts.LanguageFile(),
                        &m_Window);
    m_State.ToolContext().ApplyFont(dialog);
    if (m_State.RunToolWindow(dialog) != QDialog::Accepted) {
        return;
    }
    const LanguageItem& chosen = dialog.Chosen();
    m_State.texts.LoadLanguageFile(chosen.file);
    m_State.settings.languageName = chosen.name;
    m_State.settings.noLanguageChosen = false;
    m_TextsChanged();
    m_Window.menuBar()->update();
}

} // namespace lexaro
