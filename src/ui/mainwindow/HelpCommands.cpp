#include "ui/mainwindow/HelpCommands.h"

#include "app/HelpFiles.h"
#include "app/TranslatorCredits.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/mainwindow/MainWindowControls.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/mainwindow/MenuTable.h"
#include "ui/mainwindow/ScriptEdit.h"

#include <QDesktopServices>
#include <QMainWindow>
#include <QUrl>

namespace lexaro {

HelpCommands::HelpCommands(QMainWindow& window, MainWindowState& state, const MenuTable& menus,
                           MainWindowControls& controls)
    : m_Window(window), m_State(state) {
    menus.On("ID_MEN_HELP", &window, [this] { OpenHelp(); });
    menus.On("ID_MEN_LICENSE", &window, [this] { OpenDataFile(kLicenseFile); });
    menus.On("ID_MEN_README", &window, [this] { OpenDataFile(kReadMeFile); });
    menus.On("ID_MEN_CHECKUPDATE", &window,
             [this] { OpenWithDefaultHandler(QString::fromStdString(UpdateAddress())); });
    menus.On("ID_MEN_INFO", &window, [this] { ShowInfo(); });
    QObject::connect(controls.m_EDTExplanation, &CScriptEdit::OpenLink, &window,
                     [this](const QString& url) { OpenLink(url); });
}

void HelpCommands::OpenLink(const QString& url) {
    const QString scheme = QUrl(url).scheme().toLower();
    const bool harmless = scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                          scheme == QLatin1String("ftp") || scheme == QLatin1String("mailto");
    if (!harmless && m_State.Ask(m_State.Text("FrmMain.m_acTOpenLink") + QLatin1Char('\n') + url, PromptButtons::YesNo,
                                 PromptIcon::Question) != PromptAnswer::Yes) {
        return;
    }
    OpenWithDefaultHandler(url);
}

void HelpCommands::OpenWithDefaultHandler(const QString& url) {
    const auto& openUrl = m_State.services.openUrl;
    const bool opened = openUrl ? openUrl(url) : QDesktopServices::openUrl(QUrl(url));
    if (!opened) {
        const QUrl target(url);
        const QString shown = target.isLocalFile() ? target.toLocalFile() : url;
        m_State.Tell(m_State.Text("FrmMain.m_acTOpenFailed") + QLatin1Char('\n') + shown, PromptIcon::Warning);
    }
}

void HelpCommands::OpenHelp() {
    const std::filesystem::path help = HelpFilePath(m_State.storage.dataFolder, m_State.texts.LanguageFile().string());
    OpenWithDefaultHandler(QUrl::fromLocalFile(QString::fromStdString(help.string())).toString());
}

void HelpCommands::OpenDataFile(std::string_view name) {
    const std::filesystem::path file = m_State.storage.dataFolder / name;
    OpenWithDefaultHandler(QUrl::fromLocalFile(QString::fromStdString(file.string())).toString());
}

void HelpCommands::ShowInfo() {
    const AboutTexts texts{m_State.Text("FrmMain.m_acTInfoCaption"),
                           m_State.Text("FrmMain.m_acTInfoDescription") + QLatin1Char('\n') +
                               m_State.Text("FrmMain.m_acTInfoCopyright"),
                           m_State.Text("FrmMain.m_acTBtnOk")};
    CAboutDlg dialog(
        m_State.settings.fonts, texts, ReadTranslatorCredits(m_State.storage.dataFolder),
        [this](const QString& url) { OpenWithDefaultHandler(url); }, &m_Window);
    m_State.RunToolWindow(dialog);
}

} // namespace lexaro
