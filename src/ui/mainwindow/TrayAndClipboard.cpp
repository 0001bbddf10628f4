#include "ui/mainwindow/TrayAndClipboard.h"

#include "engine/Clipboard.h"
#include "ui/mainwindow/EntryCommands.h"
#include "ui/mainwindow/MainWindowControls.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/mainwindow/MenuTable.h"
#include "ui/qt/QtText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMainWindow>
#include <QMenu>
#include <QStyle>
#include <QSystemTrayIcon>

namespace lexaro {

namespace {

inline constexpr int kLongestWatchedText = 4096;

} // namespace

TrayAndClipboard::TrayAndClipboard(QMainWindow& window, MainWindowState& state, MainWindowControls& controls,
                                   const MenuTable& menus, EntryCommands& entries)
    : m_Window(window), m_State(state), m_Controls(controls), m_Menus(menus), m_Entries(entries) {
    CreateTrayMenu();
    menus.On("ID_MEN_HIDE", &window, [this] { HideInTray(); });
    QObject::connect(QApplication::clipboard(), &QClipboard::dataChanged, &window, [this] { ClipboardChanged(); });
}

void TrayAndClipboard::CreateTrayMenu() {
    m_TrayMenu = new QMenu(&m_Window);
    m_TrayMenu->setObjectName("m_TrayMenu");
    auto add = [this](const char* name) {
        QAction* action = m_TrayMenu->addAction(QString::fromLatin1(name));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    QObject::connect(add("ID_MENTRAY_RESTORE"), &QAction::triggered, &m_Window, [this] { RestoreFromTray(); });
    m_Activate = add("ID_MENTRAY_ACTIVATE");
    m_Activate->setCheckable(true);
    // Only the user's choice switches watching: the check mark set from the settings changes nothing.
    QObject::connect(m_Activate, &QAction::triggered, &m_Window, [this](bool on) {
        m_State.settings.clipWatch = on;
        m_State.settings.clipFront = on;
    });
    QObject::connect(add("ID_MENTRAY_EXIT"), &QAction::triggered, &m_Window, [this] {
        // Ends at once, unless there are unsaved changes (entries collected while in the tray, for instance):
        // those are saved or asked about first, as when the window is closed.
        if (m_MayExit && !m_MayExit()) {
            return;
        }
        RemoveTrayIcon();
        m_Window.close();
        // A window hidden in the tray is no longer a visible last window, so closing it alone ends nothing.
        QCoreApplication::quit();
    });
    m_TrayMenu->addSeparator();
    add("ID_MENTRAY_CLOSE");
}

bool TrayAndClipboard::IsWatchable(const QString& text) const {
    const Settings& s = m_State.settings;
    const qsizetype length = text.size();
    return length <= kLongestWatchedText && text != QLatin1String(" ") && length >= s.termLengthMin &&
           (s.termLengthMax <= 0 || length <= s.termLengthMax);
}

void TrayAndClipboard::ClipboardChanged() {
    // Lexaro's own copies (the pane, entries) are never looked up: that could only repeat itself.
    Clipboard* clipboard = m_State.services.clipboard;
    if (!m_State.settings.clipWatch || !clipboard || QApplication::clipboard()->ownsClipboard()) {
        return;
    }
    const auto text = clipboard->GetText();
    if (text) {
        HandleClipboardText(QString::fromStdU16String(*text));
    }
}

void TrayAndClipboard::HandleClipboardText(const QString& text) {
    if (!m_State.settings.clipWatch) {
        return;
    }
    EntryStore& engine = m_State.engine;
    engine.SetCurrentRow(-1);
    if (m_Menus.Action("ID_MEN_COLLECTCLIPBOARD")->isChecked()) {
        const QString collected = m_State.Text("FrmMain.m_acTCollected");
        const int row = engine.AddIfNew(Utf8(text), Utf8(collected));
        if (row != -1) {
            engine.SetCurrentRow(row);
            m_Entries.ShowCollected(text, collected, row);
            return;
        }
    }
    if (!IsWatchable(text)) {
        return;
    }
    m_Controls.m_CBBTerm->setEditText(text);
    m_Entries.Search();
    const bool found = engine.ResultCount() != 0;
    // A phrase in the translate character whose result only repeats the copied words does not call the window.
    const QString pane = m_Controls.PaneText();
    const QString translate = Wide(engine.TranslateChar());
    if (pane.size() > 2 && !translate.isEmpty() && pane.front() == translate.front() &&
        pane.back() == translate.front() && text.contains(pane.mid(1, pane.size() - 2))) {
        return;
    }
    if (found && m_State.settings.clipFront) {
        if (m_InTray) {
            RestoreFromTray();
        }
        m_Window.showNormal();
        m_Window.raise();
        m_Window.activateWindow();
        m_Entries.AddToHistory(text);
    }
}

void TrayAndClipboard::RemoveTrayIcon() {
    if (m_Tray) {
        m_Tray->hide();
    }
    m_InTray = false;
}

void TrayAndClipboard::HideInTray() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        m_State.Tell(m_State.Text("FrmMain.m_acTTrayIconFailed"), PromptIcon::None);
        m_InTray = false;
        m_Window.show();
        return;
    }
    if (!m_Tray) {
        const QIcon icon = m_Window.windowIcon().isNull() ? m_Window.style()->standardIcon(QStyle::SP_FileIcon)
                                                          : m_Window.windowIcon();
        m_Tray = new QSystemTrayIcon(icon, &m_Window);
        m_Tray->setContextMenu(m_TrayMenu);
        QObject::connect(m_Tray, &QSystemTrayIcon::activated, &m_Window,
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
                                 RestoreFromTray();
                             }
                         });
    }
    m_Tray->setToolTip(m_Window.windowTitle().left(127));
    m_Tray->show();
    m_InTray = true;
    if (m_State.wentToTray) {
        m_State.wentToTray();
    }
    m_Window.hide();
}

void TrayAndClipboard::RestoreFromTray() {
    m_InTray = false;
    if (m_Tray) {
        m_Tray->hide();
    }
    m_Window.showNormal();
    m_Window.raise();
    m_Window.activateWindow();
}

void TrayAndClipboard::ApplyTexts(const MainWindowState& state) {
    for (QAction* action : m_TrayMenu->actions()) {
        if (!action->objectName().isEmpty()) {
            action->setText(state.Text(("FrmMain." + action->objectName()).toStdString()));
        }
    }
    m_Activate->setChecked(state.settings.clipFront);
}

void TrayAndClipboard::ShowWatchingOn() {
    m_Activate->setChecked(true);
}

} // namespace lexaro
