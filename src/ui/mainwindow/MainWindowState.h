#pragma once

#include "app/InterfaceTexts.h"
#include "app/Prompter.h"
#include "app/RecoverySchedule.h"
#include "app/Settings.h"
#include "app/Storage.h"
#include "engine/Clock.h"
#include "engine/EntryStore.h"
#include "ui/qt/ToolWindow.h"

#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <string_view>

class QDialog;

namespace lexaro {

class Clipboard;
class FileChooser;
class SampleOutput;
class SpeechEngine;
class SpeechPlayer;

// The name shown for a dictionary that has no file yet.
inline QString NoName() {
    return QStringLiteral("<noname>");
}

// What the program hands its main window: the desktop services and the clock.
struct MainWindowServices {
    Prompter* prompter = nullptr;
    FileChooser* chooser = nullptr;
    std::shared_ptr<const Clock> clock;
    // The desktop clipboard for entries and clipboard watching.
    Clipboard* clipboard = nullptr;
    // Opens a link with the desktop's default handler and says whether it could; QDesktopServices when
    // empty.
    std::function<bool(const QString&)> openUrl;
    // Times the recovery copy; the machine's steady clock when empty.
    std::shared_ptr<const MonotonicClock> ticks = nullptr;
    // How long after a change the recovery copy of an unsaved dictionary is written.
    std::chrono::milliseconds recoveryInterval = kRecoveryInterval;
    // Speech and where it is played; espeak-ng and the desktop's audio output when empty.
    std::shared_ptr<SpeechEngine> speech = nullptr;
    std::shared_ptr<SampleOutput> audio = nullptr;
};

// What the main window's parts share: the services, the interface texts, the settings, the storage folders,
// the open dictionary with its path and the list of additional dictionaries. Every part is handed this at
// construction; none reaches into another part's widgets.
struct MainWindowState {
    explicit MainWindowState(MainWindowServices givenServices);

    MainWindowServices services;
    InterfaceTexts texts;
    Settings settings;
    StartupStorage storage;
    EntryStore engine;
    EntryStore additional;
    QString currentPath = NoName();
    // Says terms and explanations for the main window and the windows it opens.
    std::shared_ptr<SpeechPlayer> speech;
    bool autoSafe = false;
    // Told whenever what the window's title shows may have changed: the entries, the current row, the path.
    std::function<void()> changed;
    // Told of a look-up that found the entry of this row, of an entry that Modify gave another term, of the
    // window going to the tray and of options changed in the Options window.
    std::function<void(int row)> lookedUp;
    std::function<void(std::string_view from, std::string_view to)> renamed;
    std::function<void()> wentToTray;
    std::function<void()> optionsChanged;
    // Told the path of a dictionary about to be read, and an empty path once that opening has ended, whether
    // the file became the open dictionary or not.
    std::function<void(const QString& path)> opening;

    QString Text(std::string_view key) const { return QString::fromStdU16String(texts.GetWideText(key)); }
    // Shows a message in the interface language; the answer is not needed.
    void Tell(const QString& text, PromptIcon icon) const;
    PromptAnswer Ask(const QString& text, PromptButtons buttons, PromptIcon icon) const;
    LocalTime Now() const;
    ToolWindowContext ToolContext();
    // Runs a tool window modally with clipboard watching suspended (copying inside it must not start a look-up
    // here); the title is updated afterwards.
    int RunToolWindow(QDialog& dialog);
    void Changed() const;
    // Puts the list of additional dictionaries from the settings into the engine's list, and back.
    void TakeAdditionalDictionaries();
    void CollectAdditionalDictionaries(Settings& into);
};

} // namespace lexaro
