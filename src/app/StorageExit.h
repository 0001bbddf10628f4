#pragma once

#include "app/Prompter.h"

#include <string_view>

namespace lexaro {

// What the main window knows about its dictionary when the user asks to end the program.
struct ExitState {
    bool autoSafe = false;        // the AutoSafe setting: save without asking
    bool modified = false;        // the dictionary has unsaved changes
    int entryCount = 0;           // entries in the dictionary
    std::string_view currentPath; // the dictionary's file (UTF-8), "<noname>" or empty for none
    bool inTray = false;          // the window is hidden in the tray
};

// The next step of ending the program.
enum class ExitStep {
    Exit,          // nothing to save: clean up and end
    Save,          // save to the current path; end only when that save succeeded (AfterExitSave)
    SaveAs,        // set the exit-after-save-as flag, start "Save dictionary as..." and stay open
    Ask,           // ask whether to save, then AnswerExitQuestion
    RestoreAndAsk, // the same, after bringing the window back from the tray
    Stay,          // keep running
};

// The first step: AutoSafe saves a modified dictionary without asking (through "Save as" when it has no
// file); otherwise a modified dictionary with entries is asked about, and everything else just ends.
ExitStep PrepareExit(const ExitState& state);

// The step after the save question: Yes saves as AutoSafe would, No ends, Cancel stays.
ExitStep AnswerExitQuestion(const ExitState& state, PromptAnswer answer);

// The step after a save made for ending: a save that failed keeps the program open, so the changes it
// could not write are not thrown away.
ExitStep AfterExitSave(bool saved);

} // namespace lexaro
