#include "scripted/ScriptDriver.h"

#include "ui/mainwindow/EntryCommands.h"
#include "ui/mainwindow/FileCommands.h"
#include "ui/mainwindow/LexaroDlg.h"
#include "ui/mainwindow/ScriptEdit.h"
#include "ui/mainwindow/TrayAndClipboard.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QSystemTrayIcon>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <iterator>
#include <utility>

namespace lexaro {

namespace {

inline constexpr int kPollMs = 50;

// The first named widget from the focus widget up, for example the term box for its line edit.
QString FocusName() {
    for (const QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget()) {
        if (!widget->objectName().isEmpty()) {
            return widget->objectName();
        }
    }
    return QStringLiteral("none");
}

// The state of the main window's fields, as one line: the focused field, the term box, the number of
// history entries and whether the pane is empty.
QString FieldsState(const LexaroDlg& window) {
    const auto* term = window.findChild<QComboBox*>(QStringLiteral("m_CBBTerm"));
    const auto* pane = window.findChild<CScriptEdit*>(QStringLiteral("m_EDTExplanation"));
    return QStringLiteral("focus=%1 term=%2 history=%3 pane-empty=%4")
        .arg(FocusName(), term->currentText())
        .arg(term->count())
        .arg(int(pane->toPlainText().isEmpty()));
}

QString ModalName() {
    const QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal->objectName() : QStringLiteral("none");
}

} // namespace

void ScriptLog::Write(const QString& line) const {
    QFile file(m_Path);
    if (file.open(QIODevice::Append | QIODevice::Text)) {
        file.write((line + QLatin1Char('\n')).toUtf8());
    }
}

PromptAnswer ScriptPrompter::Ask(const std::u16string& text, const std::u16string&, PromptButtons buttons, PromptIcon) {
    m_Log.Write(QStringLiteral("prompt ") + QString::fromStdU16String(text));
    if (!m_Next.empty()) {
        const PromptAnswer answer = m_Next.front();
        m_Next.pop_front();
        return answer;
    }
    switch (buttons) {
    case PromptButtons::Ok:
        return PromptAnswer::Ok;
    case PromptButtons::YesNo:
        return PromptAnswer::No;
    case PromptButtons::YesNoCancel:
    case PromptButtons::OkCancel:
        break;
    }
    return PromptAnswer::Cancel;
}

ScriptDriver::ScriptDriver(LexaroDlg& window, const QString& scriptPath, const ScriptLog& log, int timeLimitMs)
    : m_Window(window), m_Log(log), m_TimeLimitMs(timeLimitMs) {
    QFile file(scriptPath);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_Lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    } else {
        m_Log.Write(QStringLiteral("FAIL cannot read the script ") + scriptPath);
    }
    m_Timer.setSingleShot(true);
    connect(&m_Timer, &QTimer::timeout, this, [this] { Step(); });
}

void ScriptDriver::Start() {
    m_Timer.start(0);
}

void ScriptDriver::Step() {
    while (m_Next < m_Lines.size()) {
        const QString line = m_Lines[m_Next].trimmed();
        const qsizetype blank = line.indexOf(QLatin1Char(' '));
        const QString command = blank < 0 ? line : line.left(blank);
        const QString argument = blank < 0 ? QString() : line.mid(blank + 1);
        if (!Run(command, argument)) {
            return;
        }
        m_Log.Write(QStringLiteral("done ") + line);
        ++m_Next;
        m_Waited = 0;
        if (m_Yield) {
            m_Yield = false;
            m_Timer.start(0);
            return;
        }
    }
}

// True when the step is finished; otherwise the step runs again after a short pause, until the time limit.
bool ScriptDriver::Waited(bool done, const QString& line) {
    if (done) {
        return true;
    }
    m_Waited += kPollMs;
    if (m_Waited > m_TimeLimitMs) {
        m_Log.Write(QStringLiteral("FAIL timeout ") + line);
        QCoreApplication::exit(3);
        return false;
    }
    m_Timer.start(kPollMs);
    return false;
}

bool ScriptDriver::Run(const QString& command, const QString& argument) {
    const QString line = command + QLatin1Char(' ') + argument;
    if (command == QLatin1String("search")) {
        m_Window.findChild<QComboBox*>(QStringLiteral("m_CBBTerm"))->setEditText(argument);
        m_Window.Entries().Search();
    } else if (command == QLatin1String("trigger")) {
        QAction* action = m_Window.findChild<QAction*>(argument);
        if (!action) {
            m_Log.Write(QStringLiteral("FAIL no command ") + argument);
        } else {
            action->trigger();
        }
    } else if (command == QLatin1String("trigger-later")) {
        QAction* action = m_Window.findChild<QAction*>(argument);
        if (!action) {
            m_Log.Write(QStringLiteral("FAIL no command ") + argument);
        } else {
            QTimer::singleShot(0, action, &QAction::trigger);
        }
    } else if (command == QLatin1String("press")) {
        QWidget* modal = QApplication::activeModalWidget();
        auto* button = modal ? modal->findChild<QAbstractButton*>(argument) : nullptr;
        if (!Waited(button != nullptr, line)) {
            return false;
        }
        button->click();
        m_Yield = true;
    } else if (command == QLatin1String("answer")) {
        const std::pair<QLatin1String, PromptAnswer> answers[] = {{QLatin1String("Ok"), PromptAnswer::Ok},
                                                                  {QLatin1String("Yes"), PromptAnswer::Yes},
                                                                  {QLatin1String("No"), PromptAnswer::No},
                                                                  {QLatin1String("Cancel"), PromptAnswer::Cancel}};
        const auto* named = std::find_if(std::begin(answers), std::end(answers),
                                         [&](const auto& answer) { return answer.first == argument; });
        if (named == std::end(answers) || !m_Prompter) {
            m_Log.Write(QStringLiteral("FAIL cannot answer ") + argument);
        } else {
            m_Prompter->AnswerNext(named->second);
        }
    } else if (command == QLatin1String("touch")) {
        QFile file(argument);
        if (!file.open(QIODevice::WriteOnly)) {
            m_Log.Write(QStringLiteral("FAIL cannot create ") + argument);
        }
    } else if (command == QLatin1String("wait-file")) {
        return Waited(QFileInfo::exists(argument), line);
    } else if (command == QLatin1String("wait-clipboard")) {
        // Another program's copy reaches this one as an X event; a paste before it would see the old clipboard.
        const QMimeData* data = QApplication::clipboard()->mimeData();
        return Waited(data && data->hasFormat(argument), line);
    } else if (command == QLatin1String("wait-pane")) {
        const auto* pane = m_Window.findChild<CScriptEdit*>(QStringLiteral("m_EDTExplanation"));
        return Waited(pane->toPlainText().contains(argument), line);
    } else if (command == QLatin1String("edit-pane")) {
        // "OLD => NEW": the first OLD in the pane is replaced by NEW, as if selected and typed over.
        auto* pane = m_Window.findChild<CScriptEdit*>(QStringLiteral("m_EDTExplanation"));
        const QStringList parts = argument.split(QStringLiteral(" => "));
        QTextCursor found = parts.size() == 2 ? pane->document()->find(parts[0]) : QTextCursor();
        if (found.isNull()) {
            m_Log.Write(QStringLiteral("FAIL not in the pane ") + argument);
        } else {
            found.insertText(parts[1]);
        }
    } else if (command == QLatin1String("report")) {
        const auto* tray = m_Window.findChild<QSystemTrayIcon*>();
        m_Log.Write(QStringLiteral("state visible=%1 in-tray=%2 icon=%3 term=%4")
                        .arg(int(m_Window.isVisible()))
                        .arg(int(m_Window.Tray().IsInTray()))
                        .arg(int(tray && tray->isVisible()))
                        .arg(m_Window.findChild<QComboBox*>(QStringLiteral("m_CBBTerm"))->currentText()));
    } else if (command == QLatin1String("wait-fields")) {
        const QString state = FieldsState(m_Window);
        return Waited(state == argument, line + QStringLiteral(" (now ") + state + QLatin1Char(')'));
    } else if (command == QLatin1String("wait-modal")) {
        const QString modal = ModalName();
        return Waited(modal == argument, line + QStringLiteral(" (now ") + modal + QLatin1Char(')'));
    } else if (command == QLatin1String("close-modal")) {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialog->reject();
        } else {
            m_Log.Write(QStringLiteral("FAIL no dialog to close"));
        }
    } else if (command == QLatin1String("open")) {
        m_Window.Files().OpenFile(argument);
    } else if (command == QLatin1String("report-dictionary")) {
        const ClassTable& entries = m_Window.Engine().Entries();
        m_Log.Write(QStringLiteral("dictionary title=%1 path=%2 entries=%3 modified=%4")
                        .arg(m_Window.windowTitle(), m_Window.CurrentPath())
                        .arg(entries.RowCount())
                        .arg(int(entries.IsModified())));
    } else if (command == QLatin1String("report-review")) {
        // The review command's text without its key: "Review (3 due)".
        const auto* review = m_Window.findChild<QAction*>(QStringLiteral("ID_MEN_REVIEW"));
        m_Log.Write(QStringLiteral("review ") + (review ? review->text().section(QLatin1Char('\t'), 0, 0) : QString()));
    } else if (command == QLatin1String("quit")) {
        if (!m_Window.close()) {
            m_Log.Write(QStringLiteral("FAIL the window refused to close"));
        }
        QCoreApplication::quit();
    } else {
        m_Log.Write(QStringLiteral("FAIL unknown command ") + line);
    }
    return true;
}

} // namespace lexaro
