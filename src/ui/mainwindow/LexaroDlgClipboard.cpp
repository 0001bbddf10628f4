#include "app/Prompter.h"
#include "engine/Clipboard.h"
#include "table/TextEncoding.h"
#include "ui/mainwindow/LexaroDlg.h"
#include "ui/mainwindow/ScriptEdit.h"
#include "ui/qt/QtText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QSystemTrayIcon>

namespace lexaro {

namespace {

inline constexpr int kLongestWatchedText = 4096;

} // namespace

void LexaroDlg::CutEntry() {
    if (m_Services.clipboard && m_Engine.CopyEntry(*m_Services.clipboard, m_Engine.CurrentRow(), true)) {
        UpdateTitle();
    }
}

void LexaroDlg::CopyPaneText() {
    const bool watching = m_Settings.clipWatch;
    m_Settings.clipWatch = false;
    m_EDTExplanation->copy();
    m_Settings.clipWatch = watching;
}

void LexaroDlg::CopyEntry() {
    if (m_Services.clipboard) {
        m_Engine.CopyEntry(*m_Services.clipboard, m_Engine.CurrentRow(), false);
    }
}

void LexaroDlg::PasteEntry() {
    if (m_Services.clipboard && m_Engine.PasteEntry(*m_Services.clipboard, m_Engine.CurrentRow() + 1)) {
        UpdateTitle();
    }
}

bool LexaroDlg::IsWatchable(const QString& text) const {
    const qsizetype length = text.size();
    return length <= kLongestWatchedText && text != QLatin1String(" ") && length >= m_Settings.termLengthMin &&
           (m_Settings.termLengthMax <= 0 || length <= m_Settings.termLengthMax);
}

void LexaroDlg::ClipboardChanged() {
    // Lexaro's own copies (the pane, entries) are never looked up: that could only repeat itself.
    if (!m_Settings.clipWatch || !m_Services.clipboard || QApplication::clipboard()->ownsClipboard()) {
        return;
    }
    const auto text = m_Services.clipboard->GetText();
    if (text) {
        HandleClipboardText(QString::fromStdU16String(*text));
    }
}

void LexaroDlg::HandleClipboardText(const QString& text) {
    if (!m_Settings.clipWatch) {
        return;
    }
    m_Engine.SetCurrentRow(-1);
    if (findChild<QAction*>("ID_MEN_COLLECTCLIPBOARD")->isChecked()) {
        const QString collected = Text("FrmMain.m_acTCollected");
        const int row = m_Engine.AddIfNew(Utf8(text), Utf8(collected));
        if (row != -1) {
            m_Engine.SetCurrentRow(row);
            m_CBBTerm->setEditText(text);
            SetPaneText(collected);
            m_PaneOrigin = PaneOrigin{text, false, {}, {}};
            m_LBLDate->setText(Wide(m_Engine.Entries().GetCell(kDateColumn, row)));
            UpdateTitle();
            return;
        }
    }
    if (!IsWatchable(text)) {
        return;
    }
    m_CBBTerm->setEditText(text);
    Search();
    const bool found = m_Engine.ResultCount() != 0;
    // A phrase in the translate character whose result only repeats the copied words does not call the window.
    const QString pane = PaneText();
    const QString translate = Wide(m_Engine.TranslateChar());
    if (pane.size() > 2 && !translate.isEmpty() && pane.front() == translate.front() &&
        pane.back() == translate.front() && text.contains(pane.mid(1, pane.size() - 2))) {
        return;
    }
    if (found && m_Settings.clipFront) {
        if (m_InTray) {
            RestoreFromTray();
        }
        showNormal();
        raise();
        activateWindow();
        AddToHistory(text);
    }
}

void LexaroDlg::CreateTray() {
    m_TrayMenu = new QMenu(this);
    m_TrayMenu->setObjectName("m_TrayMenu");
    auto add = [this](const char* name) {
        QAction* action = m_TrayMenu->addAction(QString::fromLatin1(name));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    connect(add("ID_MENTRAY_RESTORE"), &QAction::triggered, this, [this] { RestoreFromTray(); });
    QAction* active = add("ID_MENTRAY_ACTIVATE");
    active->setCheckable(true);
    // Only the user's choice switches watching: the check mark set from the settings changes nothing.
    connect(active, &QAction::triggered, this, [this](bool on) {
        m_Settings.clipWatch = on;
        m_Settings.clipFront = on;
    });
    connect(add("ID_MENTRAY_EXIT"), &QAction::triggered, this, [this] {
        // Ends at once, unless there are unsaved changes (entries collected while in the tray, for instance):
        // those are saved or asked about first, as when the window is closed.
        if (!PrepareExit()) {
            return;
        }
        RemoveTrayIcon();
        close();
        // A window hidden in the tray is no longer a visible last window, so closing it alone ends nothing.
        QCoreApplication::quit();
    });
    m_TrayMenu->addSeparator();
    add("ID_MENTRAY_CLOSE");
}

void LexaroDlg::RemoveTrayIcon() {
    if (m_Tray) {
        m_Tray->hide();
    }
    m_InTray = false;
}

void LexaroDlg::HideInTray() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        Prompts().Ask(Text("FrmMain.m_acTTrayIconFailed").toStdU16String(), u"", PromptButtons::Ok, PromptIcon::None);
        m_InTray = false;
        show();
        return;
    }
    if (!m_Tray) {
        m_Tray = new QSystemTrayIcon(windowIcon().isNull() ? style()->standardIcon(QStyle::SP_FileIcon) : windowIcon(),
                                     this);
        m_Tray->setContextMenu(m_TrayMenu);
        connect(m_Tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
                RestoreFromTray();
            }
        });
    }
    m_Tray->setToolTip(windowTitle().left(127));
    m_Tray->show();
    m_InTray = true;
    hide();
}

void LexaroDlg::RestoreFromTray() {
    m_InTray = false;
    if (m_Tray) {
        m_Tray->hide();
    }
    showNormal();
    raise();
    activateWindow();
}

void LexaroDlg::ApplyTrayTexts() {
    for (QAction* action : m_TrayMenu->actions()) {
        if (!action->objectName().isEmpty()) {
            action->setText(Text(("FrmMain." + action->objectName()).toStdString()));
        }
    }
    findChild<QAction*>("ID_MENTRAY_ACTIVATE")->setChecked(m_Settings.clipFront);
}

} // namespace lexaro
