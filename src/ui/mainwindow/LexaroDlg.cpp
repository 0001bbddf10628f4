#include "ui/mainwindow/LexaroDlg.h"

#include "app/CommandLine.h"
#include "app/LanguageSelection.h"
#include "app/StorageExit.h"
#include "table/InitFileDocument.h"
#include "ui/mainwindow/AcceleratorsFirst.h"
#include "ui/mainwindow/EntryCommands.h"
#include "ui/mainwindow/FileCommands.h"
#include "ui/mainwindow/HelpCommands.h"
#include "ui/mainwindow/MainWindowControls.h"
#include "ui/mainwindow/MenuTable.h"
#include "ui/mainwindow/OptionsCommands.h"
#include "ui/mainwindow/RecoveryKeeper.h"
#include "ui/mainwindow/ReviewCommands.h"
#include "ui/mainwindow/SpeechCommands.h"
#include "ui/mainwindow/ToolWindows.h"
#include "ui/mainwindow/TrayAndClipboard.h"
#include "ui/mainwindow/WindowFrame.h"
#include "ui/qt/FontConvert.h"
#include "ui/qt/QtText.h"
#include "ui/qt/QtTranslation.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>

namespace lexaro {

LexaroDlg::LexaroDlg(MainWindowServices services, QWidget* parent) : QMainWindow(parent), m_State(std::move(services)) {
    setObjectName("LexaroDlg");
    setMinimumSize(200, 180);
    setAcceptDrops(true);
    m_Controls = std::make_unique<MainWindowControls>(*this);
    m_Menus = std::make_unique<MenuTable>(*this);
    m_Entries = std::make_unique<EntryCommands>(*this, m_State, *m_Controls, *m_Menus);
    m_Tray = std::make_unique<TrayAndClipboard>(*this, m_State, *m_Controls, *m_Menus, *m_Entries);
    m_Frame = new WindowFrame(*this, m_State.settings, *m_Controls, *m_Tray);
    m_Files = new FileCommands(*this, m_State, *m_Menus, *m_Entries);
    m_Recovery = std::make_unique<RecoveryKeeper>(*this, m_State, *m_Files);
    m_Tools = std::make_unique<ToolWindows>(*this, m_State, *m_Menus, *m_Entries);
    m_Help = std::make_unique<HelpCommands>(*this, m_State, *m_Menus, *m_Controls);
    m_Options = std::make_unique<OptionsCommands>(*this, m_State, *m_Menus, *m_Controls, *m_Files, *m_Frame, *m_Tray,
                                                  [this] { ApplyTexts(); });
    m_Speech = std::make_unique<SpeechCommands>(*this, m_State, *m_Controls, *m_Menus);
    m_Files->SetUnitOpener([this](const QString& path) { m_Tools->StartTraining(path); });
    m_Tray->SetExitCheck([this] { return PrepareExit(); });
    m_Review = new ReviewCommands(*this, m_State, *m_Menus, *m_Tray);
    m_State.changed = [this] { UpdateTitle(); };
    m_Menus->On("ID_MEN_CLOSE", this, [this] { close(); });
    new AcceleratorsFirst(*this);
    ApplyTexts();
    UpdateTitle();
    resize(480, 360);
}

LexaroDlg::~LexaroDlg() {
    // The parts that watch the window's events go first, before the parts they call.
    delete m_Files;
    delete m_Frame;
}

void LexaroDlg::ApplyTexts() {
    m_Menus->ApplyTexts(m_State);
    m_Tray->ApplyTexts(m_State);
    UseQtTranslation(m_State.texts.GetText("FrmLanguage.m_acTLocale"));
    m_Controls->ApplyTexts(m_State);
    if (m_Review) {
        m_Review->ShowCount();
    }
}

void LexaroDlg::UpdateTitle() {
    const int count = m_State.engine.Entries().RowCount();
    const QString& path = m_State.currentPath;
    const QString name = QFileInfo(path).fileName().isEmpty() ? path : QFileInfo(path).fileName();
    if (count <= 0) {
        setWindowTitle(QStringLiteral("Lexaro - %1 : 0 [0]").arg(name));
    } else {
        const int row = std::clamp(m_State.engine.CurrentRow(), 0, count - 1);
        setWindowTitle(QStringLiteral("Lexaro - %1 : %2 [%3]").arg(name).arg(count).arg(row + 1));
    }
    m_Recovery->NoteState();
    if (m_Review) {
        m_Review->DictionaryShown(path == NoName() ? QString() : path);
    }
}

void LexaroDlg::closeEvent(QCloseEvent* event) {
    if (m_ExitConfirmed || PrepareExit()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void LexaroDlg::SelectLanguage(std::string_view name) {
    const LanguageSelection selection = SelectLanguageByName(m_State.storage.dataFolder, name);
    m_State.texts.LoadLanguageFile(selection.file);
    if (selection.matched) {
        m_State.settings.languageName = selection.name;
    }
    ApplyTexts();
}

void LexaroDlg::Start(const StartupStorage& storage, const std::vector<std::string>& arguments,
                      const std::filesystem::path& currentDirectory) {
    m_State.storage = storage;
    const bool portable = m_State.storage.portable.has_value();
    if (portable) {
        ClassTable& entries = m_State.engine.Entries();
        entries.Clear(true);
        entries.ParseXml2Text(m_State.storage.portable->dictionaryText);
        entries.Resize(kEntryColumns, entries.RowCount());
        entries.SetModified(false);
        m_State.engine.DictionaryReplaced();
        m_State.texts.SetText(m_State.storage.portable->interfaceText);
    } else {
        SelectLanguage("");
    }

    m_SettingsDocument = std::make_unique<InitFileDocument>(InitFileForm::Element);
    SettingsReadContext context;
    context.currentLanguageFile = m_State.texts.LanguageFile().string();
    m_State.settings.fonts = DesktopFontSettings();
    context.fonts = m_State.settings.fonts;
    if (!m_State.storage.settingsPath.empty()) {
        LoadSettings(m_State.storage.settingsPath, context, m_State.settings, *m_SettingsDocument);
    }
    ApplySettings();
    if (portable) {
        ApplyTexts();
        m_Menus->Action("ID_MEN_LANGUAGE")->setEnabled(false);
    }

    m_Menus->RemoveMissingHelpItems(m_State.storage.dataFolder);
    const bool recovered = m_Recovery->Start();

    const StartRequest request =
        ReadCommandLine(arguments, portable,
                        GetStartDictionaryPath(m_State.settings.startDictionary, m_State.storage.decision.baseFolder),
                        currentDirectory);
    if (!request.refusedArgument.empty()) {
        m_State.Tell(m_State.Text("FrmMain.m_acTCannotOpenKind") + QLatin1Char('\n') +
                         FromUtf8(request.refusedArgument),
                     PromptIcon::Warning);
    }
    if (!request.trainingUnit.empty()) {
        m_Tools->StartTraining(QString::fromStdString(request.trainingUnit.string()));
    }
    // Restored entries stay open: another file would only ask to save them.
    if (!recovered && request.keepPayloadDictionary) {
        m_State.currentPath = NoName();
        UpdateTitle();
    } else if (!recovered) {
        m_Files->OpenFile(request.dictionary.empty() ? NoName() : QString::fromStdString(request.dictionary.string()));
    }
    if (request.autoStart) {
        m_Tray->HideInTray();
    }
}

void LexaroDlg::ApplySettings() {
    const Settings& s = m_State.settings;
    ApplyEngineSettings(s, m_State.engine);
    m_State.autoSafe = s.autoSafe;
    m_Entries->ApplySettings(s);
    if (!s.noLanguageChosen && !s.languageName.empty() && !m_State.storage.portable) {
        SelectLanguage(s.languageName);
    }
    m_Tray->ApplyTexts(m_State);
    m_Frame->ApplySettings(s);
    m_Files->ApplySettings(s);
    m_State.TakeAdditionalDictionaries();
    m_State.additional.Entries().SetModified(false);
    m_Controls->ApplyFonts(*this, s.fonts);
}

void LexaroDlg::CollectSettings() {
    Settings& s = m_State.settings;
    ReadEngineSettings(m_State.engine, s);
    m_Entries->CollectSettings(s);
    m_Frame->CollectSettings(s);
    m_Files->CollectSettings(s);
    m_State.CollectAdditionalDictionaries(s);
    s.folderHomeBase = m_State.storage.decision.programFolder.string();
    s.folderAppDir = m_State.storage.applicationFolder.string();
}

void LexaroDlg::ExitCleanup() {
    m_Recovery->End();
    CollectSettings();
    if (!m_State.storage.settingsPath.empty() && m_SettingsDocument) {
        SaveSettings(m_State.storage.settingsPath, m_State.settings, *m_SettingsDocument);
    }
}

bool LexaroDlg::PrepareExit() {
    ClassTable& entries = m_State.engine.Entries();
    const std::string path = m_State.currentPath.toStdString();
    const ExitState state{m_State.autoSafe, entries.IsModified(), entries.RowCount(), path, m_Tray->IsInTray()};
    ExitStep step = lexaro::PrepareExit(state);
    if (step == ExitStep::RestoreAndAsk) {
        m_Tray->RestoreFromTray();
    }
    if (step == ExitStep::Ask || step == ExitStep::RestoreAndAsk) {
        const auto answer = m_State.Ask(m_State.Text("FrmMain.m_acTQuitWithoutSaving"), PromptButtons::YesNoCancel,
                                        PromptIcon::Information);
        step = AnswerExitQuestion(state, answer);
    }
    switch (step) {
    case ExitStep::Save:
        step = AfterExitSave(m_Files->SaveFile(m_State.currentPath));
        break;
    case ExitStep::SaveAs:
        // A successful "Save as" ends the program itself.
        m_Files->SaveDictionaryAsThenClose();
        return false;
    default:
        break;
    }
    if (step != ExitStep::Exit) {
        return false;
    }
    m_ExitConfirmed = true;
    ExitCleanup();
    return true;
}

} // namespace lexaro
