#include "app/CommandLine.h"
#include "app/LanguageSelection.h"
#include "app/Prompter.h"
#include "table/InitFileDocument.h"
#include "ui/mainwindow/LexaroDlg.h"
#include "ui/mainwindow/ScriptEdit.h"
#include "ui/qt/FontConvert.h"
#include "ui/qt/QtText.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <ranges>

namespace lexaro {

void LexaroDlg::SelectLanguage(std::string_view name) {
    const LanguageSelection selection = SelectLanguageByName(m_Storage.dataFolder, name);
    m_Texts.LoadLanguageFile(selection.file);
    if (selection.matched) {
        m_Settings.languageName = selection.name;
    }
    ApplyTexts();
}

void LexaroDlg::Start(const StartupStorage& storage, const std::vector<std::string>& arguments,
                      const std::filesystem::path& currentDirectory) {
    m_Storage = storage;
    const bool portable = m_Storage.portable.has_value();
    if (portable) {
        ClassTable& entries = m_Engine.Entries();
        entries.Clear(true);
        entries.ParseXml2Text(m_Storage.portable->dictionaryText);
        entries.Resize(kEntryColumns, entries.RowCount());
        entries.SetModified(false);
        m_Engine.DictionaryReplaced();
        m_Texts.SetText(m_Storage.portable->interfaceText);
    } else {
        SelectLanguage("");
    }

    m_SettingsDocument = std::make_unique<InitFileDocument>(InitFileForm::Element);
    SettingsReadContext context;
    context.currentLanguageFile = m_Texts.LanguageFile().string();
    m_Settings.fonts = DesktopFontSettings();
    context.fonts = m_Settings.fonts;
    if (!m_Storage.settingsPath.empty()) {
        LoadSettings(m_Storage.settingsPath, context, m_Settings, *m_SettingsDocument);
    }
    ApplySettings();
    if (portable) {
        ApplyTexts();
        findChild<QAction*>("ID_MEN_LANGUAGE")->setEnabled(false);
    }

    RemoveMissingHelpItems();
    const bool recovered = StartRecovery();

    const StartRequest request = ReadCommandLine(
        arguments, portable, GetStartDictionaryPath(m_Settings.startDictionary, m_Storage.decision.baseFolder),
        currentDirectory);
    if (!request.refusedArgument.empty()) {
        Prompts().Ask((Text("FrmMain.m_acTCannotOpenKind") + QLatin1Char('\n') + FromUtf8(request.refusedArgument))
                          .toStdU16String(),
                      u"", PromptButtons::Ok, PromptIcon::Warning);
    }
    if (!request.trainingUnit.empty()) {
        StartTraining(QString::fromStdString(request.trainingUnit.string()));
    }
    // Restored entries stay open: another file would only ask to save them.
    if (!recovered && request.keepPayloadDictionary) {
        m_CurrentPath = NoName();
        UpdateTitle();
    } else if (!recovered) {
        OpenFile(request.dictionary.empty() ? NoName() : QString::fromStdString(request.dictionary.string()));
    }
    if (request.autoStart) {
        HideInTray();
    }
}

void LexaroDlg::ApplySettings() {
    const Settings& s = m_Settings;
    ApplyEngineSettings(s, m_Engine);
    m_AutoSafe = s.autoSafe;
    SetDateShown(s.showDate);
    findChild<QAction*>("ID_MEN_CLEARONENTRYADD")->setChecked(s.clearOnEntryAdd);
    m_EDTExplanation->SetColour1(s.highlightColor, true);
    m_EDTExplanation->SetColour2(s.highlightColor2, true);
    SetHighlighting(s.enableHighlighting);
    SetHyperlinks(s.enableHyperlinks);
    if (!s.noLanguageChosen && !s.languageName.empty() && !m_Storage.portable) {
        SelectLanguage(s.languageName);
    }
    m_PresetTerm = FromUtf8(s.presetTerm);
    m_PresetExplanation = FromUtf8(s.presetExplanation);

    findChild<QAction*>("ID_MENTRAY_ACTIVATE")->setChecked(s.clipFront);
    ApplyAlwaysOnTop();
    if (s.rememberPos) {
        if (HideCaptionAtStart(s)) {
            ShowCaption(false, false);
        }
        if (s.winPos.maximised) {
            setWindowState(windowState() | Qt::WindowMaximized);
        } else if (ShouldApplyWindowRect(s.winPos.rect)) {
            setGeometry(s.winPos.rect.left, s.winPos.rect.top, static_cast<int>(s.winPos.rect.Width()),
                        static_cast<int>(s.winPos.rect.Height()));
        }
    }

    findChild<QAction*>("ID_MEN_DEACTIVATE")->setChecked(false);
    for (const std::string& path : s.recent) {
        AddRecent(FromUtf8(path), false);
    }
    findChild<QAction*>("ID_MEN_DEACTIVATE")->setChecked(s.deactivate);

    ClassTable& list = m_AddDictionaries.Entries();
    list.Clear(true);
    list.Resize(1, 0);
    for (const std::string& path : s.addDictionaries) {
        list.AddRows(1);
        list.SetCell(0, list.RowCount() - 1, path);
    }
    list.SetModified(false);

    m_CBBTerm->clear();
    for (const std::string& word : s.searchWords) {
        m_CBBTerm->addItem(FromUtf8(word));
    }
    m_CBBTerm->setEditText(QString());
    ApplyFonts();
}

void LexaroDlg::ApplyFonts() {
    ApplyUserFont(*this, m_Settings.fonts, true);
    // The "+" and "-" buttons keep their own big signs.
    m_BTNAdd->setFont(SignFont());
    m_BTNDelete->setFont(SignFont());
}

// Puts back into the settings what the window owns while it runs.
void LexaroDlg::CollectSettings() {
    Settings& s = m_Settings;
    ReadEngineSettings(m_Engine, s);
    s.showDate = m_DateShown;
    s.clearOnEntryAdd = findChild<QAction*>("ID_MEN_CLEARONENTRYADD")->isChecked();
    s.enableHighlighting = findChild<QAction*>("ID_MEN_HIGHLIGHTING")->isChecked();
    s.enableHyperlinks = findChild<QAction*>("ID_MEN_HYPERLINKS")->isChecked();
    s.presetTerm = m_PresetTerm.toStdString();
    s.presetExplanation = m_PresetExplanation.toStdString();

    s.winPos.maximised = isMaximized();
    const QRect frame = isMinimized() || isMaximized() ? normalGeometry() : geometry();
    s.winPos.rect = Rect{frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};

    s.recent.clear();
    for (QAction* item : RecentItems()) {
        s.recent.push_back(item->text().toStdString());
    }
    s.deactivate = findChild<QAction*>("ID_MEN_DEACTIVATE")->isChecked();

    s.addDictionaries.clear();
    ClassTable& list = m_AddDictionaries.Entries();
    for (int row = 0; row < list.RowCount(); ++row) {
        s.addDictionaries.push_back(list.GetCell(0, row));
    }
    s.searchWords.clear();
    for (int i = 0; i < m_CBBTerm->count(); ++i) {
        s.searchWords.push_back(m_CBBTerm->itemText(i).toStdString());
    }
    s.folderHomeBase = m_Storage.decision.programFolder.string();
    s.folderAppDir = m_Storage.applicationFolder.string();
}

void LexaroDlg::ExitCleanup() {
    EndRecovery();
    CollectSettings();
    if (!m_Storage.settingsPath.empty() && m_SettingsDocument) {
        SaveSettings(m_Storage.settingsPath, m_Settings, *m_SettingsDocument);
    }
}

} // namespace lexaro
