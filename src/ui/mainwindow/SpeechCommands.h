#pragma once

#include <QObject>
#include <QString>

class QMainWindow;

namespace lexaro {

class MenuTable;
struct MainWindowControls;
struct MainWindowState;

// The speaker button beside the term box and Entry > "Speak": the pane's selection, or else the term box's
// text (the current entry's term when the box is empty), in the dictionary's terms' language. With Shift
// (Shift+click, Shift with the key, or Entry > "Speak explanation") the selection or else the current entry's
// main explanation, in the explanations' language.
class SpeechCommands : public QObject {
    Q_OBJECT

public:
    SpeechCommands(QMainWindow& window, MainWindowState& state, MainWindowControls& controls, const MenuTable& menus);

    void Speak(bool explanation);

private:
    QString Term() const;
    QString Selection() const;
    QString MainExplanation() const;

    MainWindowState& m_State;
    MainWindowControls& m_Controls;
};

} // namespace lexaro
