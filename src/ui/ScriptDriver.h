#pragma once

#include "app/Prompter.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

namespace lexaro {

class LexaroDlg;

// Writes one line per event to a log file that the driving test reads.
class ScriptLog {
public:
    explicit ScriptLog(QString path) : m_Path(std::move(path)) {}
    void Write(const QString& line) const;

private:
    QString m_Path;
};

// Prompts of a scripted run: logged and answered with the choice that changes nothing (OK, No or Cancel).
class ScriptPrompter : public Prompter {
public:
    explicit ScriptPrompter(const ScriptLog& log) : m_Log(log) {}
    PromptAnswer Ask(const std::u16string& text, const std::u16string& caption, PromptButtons buttons,
                     PromptIcon icon) override;

private:
    const ScriptLog& m_Log;
};

// Runs the commands of a script file against the main window, one per line, from the event loop, so that a
// test can drive several running programs on one display. Commands:
//   search TEXT        look TEXT up as the Search button does
//   trigger NAME       trigger the menu or tray command with that object name
//   touch PATH         create the file PATH (tells the driving test or another program that a step is done)
//   wait-file PATH     wait until PATH exists
//   wait-pane TEXT     wait until the explanation pane contains TEXT
//   report             log the window's state: visible, in-tray, tray icon shown, term box text
//   open PATH          open PATH as File > Open dictionary does
//   report-dictionary  log the open dictionary: window title, its path, entry count, modified flag
//   quit               close the window and end the program
// A wait that lasts longer than the time limit logs "FAIL" and ends the program with status 3.
class ScriptDriver : public QObject {
    Q_OBJECT

public:
    ScriptDriver(LexaroDlg& window, const QString& scriptPath, const ScriptLog& log, int timeLimitMs = 20000);
    void Start();

private:
    void Step();
    bool Run(const QString& command, const QString& argument);
    bool Waited(bool done, const QString& line);

    LexaroDlg& m_Window;
    const ScriptLog& m_Log;
    QStringList m_Lines;
    int m_Next = 0;
    int m_Waited = 0;
    int m_TimeLimitMs;
    QTimer m_Timer;
};

} // namespace lexaro
