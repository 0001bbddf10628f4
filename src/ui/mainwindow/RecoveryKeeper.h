#pragma once

#include "app/RecoverySchedule.h"

#include <memory>
#include <optional>
#include <string>

class QObject;
class QTimer;

namespace lexaro {

class FileCommands;
class RecoveryCopy;
struct MainWindowState;

// The recovery copy of an unsaved dictionary: written one interval after a change, offered back after a run
// that did not end in order, removed once the dictionary is saved or its changes are given up.
class RecoveryKeeper {
public:
    RecoveryKeeper(QObject& owner, MainWindowState& state, FileCommands& files);
    ~RecoveryKeeper();
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

    // Claims this program's recovery slot and offers a copy left there. True when the copy was restored as the
    // open dictionary.
    bool Start();
    // Called whenever the window shows a new state.
    void NoteState();
    // An orderly end: the user saved or chose to discard the changes, so no copy is kept.
    void End();

private:
    bool Restore(const std::optional<std::string>& origin);
    void Write();

    QObject& m_Owner;
    MainWindowState& m_State;
    FileCommands& m_Files;
    std::unique_ptr<RecoveryCopy> m_Recovery;
    RecoverySchedule m_Schedule;
    QTimer* m_Timer = nullptr;
    bool m_Warned = false;
};

} // namespace lexaro
