#pragma once

#include "app/Prompter.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <deque>

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

// Prompts of a scripted run: logged and answered with the choice that changes nothing (OK, No or Cancel),
// unless the script named the answer to the next prompt.
class ScriptPrompter : public Prompter {
public:
    explicit ScriptPrompter(const ScriptLog& log) : m_Log(log) {}
    PromptAnswer Ask(const std::u16string& text, const std::u16string& caption, PromptButtons buttons,
                     PromptIcon icon) override;
    void AnswerNext(PromptAnswer answer) { m_Next.push_back(answer); }

private:
    const ScriptLog& m_Log;
    std::deque<PromptAnswer> m_Next;
};

// Runs the commands of a script file against the main window, one per line, from the event loop, so that a
// test can drive several running programs on one display. Commands:
//   search TEXT        look TEXT up as the Search button does
//   trigger NAME       trigger the menu or tray command with that object name
//   trigger-later NAME trigger the command later and go on, so that the next steps act in the window it opens
//   press NAME         click the button with that object name in the modal window, once one is open
//   answer ANSWER      answer the next prompt with Ok, Yes, No or Cancel
//   touch PATH         create the file PATH (tells the driving test or another program that a step is done)
//   wait-file PATH     wait until PATH exists
//   wait-clipboard F   wait until the clipboard offers the format F (another program's copy arrives as an event)
//   wait-pane TEXT     wait until the explanation pane contains TEXT
//   report             log the window's state: visible, in-tray, tray icon shown, term box text
//   open PATH          open PATH as File > Open dictionary does
//   report-dictionary  log the open dictionary: window title, its path, entry count, modified flag
//   report-review      log the review command's text with its count of due cards
//   quit               close the window and end the program
// A wait that lasts longer than the time limit logs "FAIL" and ends the program with status 3.
class ScriptDriver : public QObject {
    Q_OBJECT

public:
    ScriptDriver(LexaroDlg& window, const QString& scriptPath, const ScriptLog& log, int timeLimitMs = 20000);
    void Start();
    // Needed by "answer".
    void SetPrompter(ScriptPrompter& prompter) { m_Prompter = &prompter; }

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
    ScriptPrompter* m_Prompter = nullptr;
    // Set by a step after which the event loop has to run before the next one (a modal window closes).
    bool m_Yield = false;
};

} // namespace lexaro
