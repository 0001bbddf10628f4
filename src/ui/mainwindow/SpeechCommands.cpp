#include "ui/mainwindow/SpeechCommands.h"

#include "app/SpeechLanguages.h"
#include "ui/mainwindow/MainWindowControls.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/mainwindow/MenuTable.h"
#include "ui/mainwindow/ScriptEdit.h"
#include "ui/qt/QtText.h"
#include "ui/qt/SpeechPlayer.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMainWindow>
#include <QPushButton>
#include <QTextCursor>

namespace lexaro {

SpeechCommands::SpeechCommands(QMainWindow& window, MainWindowState& state, MainWindowControls& controls,
                               const MenuTable& menus)
    : QObject(&window), m_State(state), m_Controls(controls) {
    QPushButton& button = *m_Controls.m_BTNSpeak;
    button.setIcon(QIcon::fromTheme(QStringLiteral("audio-volume-high")));
    if (button.icon().isNull()) {
        button.setText(QString(QChar(0x266A)));
    }
    // A click and the menu command say the explanation while Shift is held.
    const auto shifted = [] { return QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier); };
    connect(&button, &QPushButton::clicked, this, [this, shifted] { Speak(shifted()); });
    menus.On("ID_MEN_SPEAK", this, [this, shifted] { Speak(shifted()); });
    menus.On("ID_MEN_SPEAKEXPLANATION", this, [this] { Speak(true); });
    connect(m_State.speech.get(), &SpeechPlayer::NoAudioDevice, this,
            [this] { m_State.Tell(m_State.Text("FrmMain.m_acTNoAudioDevice"), PromptIcon::Information); });
}

void SpeechCommands::Speak(bool explanation) {
    QString text = Selection();
    if (text.isEmpty()) {
        text = explanation ? MainExplanation() : Term();
    }
    const VoicePair voices = VoicesForDictionary(m_State.settings, m_State.currentPath.toStdString());
    m_State.speech->Say(ToUtf8(text.trimmed()), explanation ? voices.explanations : voices.terms);
}

QString SpeechCommands::Term() const {
    const QString term = m_Controls.TermText();
    const int row = m_State.engine.CurrentRow();
    if (!term.isEmpty() || row < 0 || row >= m_State.engine.Entries().RowCount()) {
        return term;
    }
    return Wide(m_State.engine.Entries().CellView(kTermColumn, row));
}

QString SpeechCommands::Selection() const {
    return m_Controls.m_EDTExplanation->textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n');
}

QString SpeechCommands::MainExplanation() const {
    const int row = m_State.engine.CurrentRow();
    const ClassTable& entries = m_State.engine.Entries();
    const std::string explanation = row >= 0 && row < entries.RowCount()
                                        ? std::string(entries.CellView(kExplanationColumn, row))
                                        : ToUtf8(m_Controls.PaneText());
    return Wide(EntryStore::MainExplanation(explanation));
}

} // namespace lexaro
