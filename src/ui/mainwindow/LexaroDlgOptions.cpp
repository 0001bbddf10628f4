#include "app/Autostart.h"
#include "app/HelpFiles.h"
#include "app/Prompter.h"
#include "app/TranslatorCredits.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/dialogs/LanguageDlg.h"
#include "ui/dialogs/OptionsDlg.h"
#include "ui/mainwindow/LexaroDlg.h"
#include "ui/mainwindow/ScriptEdit.h"
#include "ui/tools/TranslatorDlg.h"

#include <QAction>
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>
#include <system_error>

namespace lexaro {

void LexaroDlg::OpenTranslator() {
    CTranslatorDlg dialog(ToolContext(), m_Engine.Entries(), m_Settings.winPosTranslator, this);
    RunToolWindow(dialog);
    m_Settings.winPosTranslator = dialog.WindowRect();
}

void LexaroDlg::OpenOptions() {
    Settings current = m_Settings;
    ReadEngineSettings(m_Engine, current);
    current.autoSafe = m_AutoSafe;
    current.addDictionaries.clear();
    ClassTable& list = m_AddDictionaries.Entries();
    for (int row = 0; row < list.RowCount(); ++row) {
        current.addDictionaries.push_back(list.GetCell(0, row));
    }

    COptionsDlg dialog(ToolContext(), current, m_Storage.programFile, AutostartFolder(SystemEnvironment()), this);
    const bool accepted = RunToolWindow(dialog) == QDialog::Accepted;
    const Settings before = m_Settings;
    if (accepted) {
        m_Settings = dialog.Result();
    } else {
        // Colours are taken as soon as they are chosen, even when the rest is cancelled.
        m_Settings.highlightColor = dialog.Result().highlightColor;
        m_Settings.highlightColor2 = dialog.Result().highlightColor2;
    }
    ApplyOptions(before);
}

// What changes at once after the Options window; everything else is read where it is used.
void LexaroDlg::ApplyOptions(const Settings& before) {
    const Settings& s = m_Settings;
    ApplyEngineSettings(s, m_Engine);
    m_AutoSafe = s.autoSafe;
    m_EDTExplanation->SetColour1(s.highlightColor, true);
    m_EDTExplanation->SetColour2(s.highlightColor2, true);

    ClassTable& list = m_AddDictionaries.Entries();
    list.Clear(true);
    list.Resize(1, 0);
    for (const std::string& path : s.addDictionaries) {
        list.AddRows(1);
        list.SetCell(0, list.RowCount() - 1, path);
    }

    if (s.clipFront) {
        if (QAction* active = findChild<QAction*>(QStringLiteral("ID_MENTRAY_ACTIVATE"))) {
            active->setChecked(true);
        }
    }
    if (s.startDictionary != before.startDictionary) {
        const auto answer = Prompts().Ask(Text("FrmMain.m_acTChangeDictionary").toStdU16String(), u"",
                                          PromptButtons::YesNo, PromptIcon::Information);
        if (answer == PromptAnswer::Yes) {
            const std::filesystem::path start =
                GetStartDictionaryPath(s.startDictionary, m_Storage.decision.baseFolder);
            OpenFile(start.empty() ? NoName() : QString::fromStdString(start.string()));
        }
    }
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != s.alwaysOnTop) {
        ApplyAlwaysOnTop();
    }
    ApplyFonts();
    update();
}

void LexaroDlg::OpenLanguageDialog() {
    CLanguageDlg dialog(m_Storage.dataFolder / kLanguagesFile, m_Storage.dataFolder, m_Texts.LanguageFile(), this);
    ToolContext().ApplyFont(dialog);
    if (RunToolWindow(dialog) != QDialog::Accepted) {
        return;
    }
    const LanguageItem& chosen = dialog.Chosen();
    m_Texts.LoadLanguageFile(chosen.file);
    m_Settings.languageName = chosen.name;
    m_Settings.noLanguageChosen = false;
    ApplyTexts();
    menuBar()->update();
}

void LexaroDlg::OpenWithDefaultHandler(const QString& url) {
    const bool opened = m_Services.openUrl ? m_Services.openUrl(url) : QDesktopServices::openUrl(QUrl(url));
    if (!opened) {
        const QUrl target(url);
        const QString shown = target.isLocalFile() ? target.toLocalFile() : url;
        Prompts().Ask((Text("FrmMain.m_acTOpenFailed") + QLatin1Char('\n') + shown).toStdU16String(), u"",
                      PromptButtons::Ok, PromptIcon::Warning);
    }
}

void LexaroDlg::OpenHelp() {
    const std::filesystem::path help = HelpFilePath(m_Storage.dataFolder, m_Texts.LanguageFile().string());
    OpenWithDefaultHandler(QUrl::fromLocalFile(QString::fromStdString(help.string())).toString());
}

void LexaroDlg::OpenDataFile(std::string_view name) {
    const std::filesystem::path file = m_Storage.dataFolder / name;
    OpenWithDefaultHandler(QUrl::fromLocalFile(QString::fromStdString(file.string())).toString());
}

void LexaroDlg::ShowInfo() {
    const AboutTexts texts{Text("FrmMain.m_acTInfoCaption"),
                           Text("FrmMain.m_acTInfoDescription") + QLatin1Char('\n') +
                               Text("FrmMain.m_acTInfoCopyright"),
                           Text("FrmMain.m_acTBtnOk")};
    CAboutDlg dialog(
        m_Settings.fonts, texts, ReadTranslatorCredits(m_Storage.dataFolder),
        [this](const QString& url) { OpenWithDefaultHandler(url); }, this);
    RunToolWindow(dialog);
}

// The licence and the change notes are offered only when they are there; the update check goes with the
// change notes.
void LexaroDlg::RemoveMissingHelpItems() {
    auto missing = [this](std::string_view name) {
        std::error_code error;
        return !std::filesystem::is_regular_file(m_Storage.dataFolder / name, error);
    };
    auto remove = [this](const char* name) {
        if (QAction* action = findChild<QAction*>(QString::fromLatin1(name))) {
            if (auto* menu = findChild<QMenu*>(QStringLiteral("ID_MEN_HELPMENU"))) {
                menu->removeAction(action);
            }
            action->setVisible(false);
        }
    };
    if (missing(kLicenseFile)) {
        remove("ID_MEN_LICENSE");
    }
    if (missing(kReadMeFile)) {
        remove("ID_MEN_README");
        remove("ID_MEN_CHECKUPDATE");
    }
}

} // namespace lexaro
