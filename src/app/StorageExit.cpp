#include "app/StorageExit.h"

#include "app/CommandLine.h"

namespace lexaro {

namespace {

ExitStep SaveStep(const ExitState& state) {
    const bool hasFile = !state.currentPath.empty() && state.currentPath != kNoName;
    return hasFile ? ExitStep::Save : ExitStep::SaveAs;
}

} // namespace

ExitStep PrepareExit(const ExitState& state) {
    if (state.autoSafe && state.modified) {
        return SaveStep(state);
    }
    if (state.modified && state.entryCount > 0) {
        return state.inTray ? ExitStep::RestoreAndAsk : ExitStep::Ask;
    }
    return ExitStep::Exit;
}

ExitStep AnswerExitQuestion(const ExitState& state, PromptAnswer answer) {
    switch (answer) {
    case PromptAnswer::Yes:
        return SaveStep(state);
    case PromptAnswer::No:
        return ExitStep::Exit;
    default:
        return ExitStep::Stay;
    }
}

ExitStep AfterExitSave(bool saved) {
    return saved ? ExitStep::Exit : ExitStep::Stay;
}

} // namespace lexaro
