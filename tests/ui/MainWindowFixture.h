#pragma once

#include "RecordingSpeech.h"
#include "ScriptedPlatform.h"
#include "TestData.h"
#include "app/Environment.h"
#include "engine/Clock.h"
#include "ui/mainwindow/LexaroDlg.h"
#include "ui/mainwindow/ScriptEdit.h"
#include "ui/qt/QtPlatform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace lexaro::testing {

// A program folder and a home inside the test's temporary folder.
inline Environment TestEnvironment(const QTemporaryDir& folder) {
    Environment environment;
    const std::filesystem::path root = folder.path().toStdString();
    std::filesystem::create_directories(root / "bin");
    std::filesystem::create_directories(root / "home");
    environment.home = root / "home";
    environment.commonDir = (root / "common").string();
    environment.programFile = root / "bin" / "lexaro";
    environment.currentDirectory = root;
    return environment;
}

struct FixedClock : Clock {
    LocalTime now{2024, 3, 5, 9, 4, 1};
    LocalTime Now() const override { return now; }
};

// A fresh main window with scripted prompts and file choices, a fixed clock and a temporary folder.
struct MainWindowFixture {
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    QtClipboard clipboard;
    std::shared_ptr<FixedClock> clock = std::make_shared<FixedClock>();
    QTemporaryDir folder;
    std::unique_ptr<LexaroDlg> window;

    // What the desktop was asked to open, and whether it can.
    QStringList opened;
    bool desktopOpens = true;

    // adjust changes the services before the window is made (speech fakes, for example).
    explicit MainWindowFixture(const std::function<void(MainWindowServices&)>& adjust = {}) {
        MainWindowServices services{&prompter, &chooser, clock, &clipboard, [this](const QString& url) {
                                        opened << url;
                                        return desktopOpens;
                                    }};
        // Speech goes nowhere unless a test asks for it: no sound card is needed and none is played on.
        services.speech = std::make_shared<RecordingSpeech>();
        services.audio = std::make_shared<RecordingOutput>();
        if (adjust) {
            adjust(services);
        }
        window = std::make_unique<LexaroDlg>(std::move(services));
    }

    QAction* Action(const char* name) const { return window->findChild<QAction*>(name); }
    QComboBox* TermBox() const { return window->findChild<QComboBox*>("m_CBBTerm"); }
    lexaro::CScriptEdit* Pane() const { return window->findChild<lexaro::CScriptEdit*>("m_EDTExplanation"); }
    QLabel* DateLine() const { return window->findChild<QLabel*>("m_LBLDate"); }
    QPushButton* Button(const char* name) const { return window->findChild<QPushButton*>(name); }
    QString Path(const QString& name) const { return folder.filePath(name); }

    void Type(const QString& term, const QString& explanation = QString()) {
        TermBox()->setEditText(term);
        Pane()->SetPaneText(explanation);
    }
    void Add(const QString& term, const QString& explanation) {
        Type(term, explanation);
        Button("m_BTNAdd")->click();
    }
    void SearchFor(const QString& term) {
        TermBox()->setEditText(term);
        Button("m_BTNSearch")->click();
    }
};

// Runs the step once a dialog of the given type runs modally (a progress window may let events through
// before that).
template <typename Dialog, typename Step>
void WhenOpen(Step step, int tries = 200) {
    QTimer::singleShot(10, [step, tries] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr && tries > 0) {
            WhenOpen<Dialog>(step, tries - 1);
            return;
        }
        QVERIFY(dialog);
        step(*dialog);
    });
}

} // namespace lexaro::testing
