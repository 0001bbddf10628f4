#include "app/StorageExit.h"

#include <gtest/gtest.h>

using lexaro::AfterExitSave;
using lexaro::AnswerExitQuestion;
using lexaro::ExitState;
using lexaro::ExitStep;
using lexaro::PrepareExit;
using lexaro::PromptAnswer;

namespace {

ExitState State(bool autoSafe, bool modified, int entries, std::string_view path, bool inTray = false) {
    return ExitState{autoSafe, modified, entries, path, inTray};
}

TEST(PrepareExit, AutoSafeSavesWithoutAsking) {
    EXPECT_EQ(PrepareExit(State(true, true, 3, "/u/words.lxd")), ExitStep::Save);
    EXPECT_EQ(PrepareExit(State(true, true, 0, "/u/words.lxd")), ExitStep::Save) << "emptied on purpose";
    EXPECT_EQ(PrepareExit(State(true, true, 3, "<noname>")), ExitStep::SaveAs);
    EXPECT_EQ(PrepareExit(State(true, true, 0, "")), ExitStep::SaveAs);
    EXPECT_EQ(PrepareExit(State(true, false, 3, "<noname>")), ExitStep::Exit);
}

TEST(PrepareExit, AModifiedDictionaryWithEntriesIsAskedAbout) {
    EXPECT_EQ(PrepareExit(State(false, true, 1, "/u/words.lxd")), ExitStep::Ask);
    EXPECT_EQ(PrepareExit(State(false, true, 1, "<noname>", true)), ExitStep::RestoreAndAsk);
    EXPECT_EQ(PrepareExit(State(false, true, 0, "/u/words.lxd")), ExitStep::Exit) << "nothing to lose";
    EXPECT_EQ(PrepareExit(State(false, false, 9, "/u/words.lxd", true)), ExitStep::Exit);
}

TEST(PrepareExit, TheAnswerDecidesTheNextStep) {
    const ExitState withFile = State(false, true, 2, "/u/words.lxd");
    const ExitState newOne = State(false, true, 2, "<noname>");
    EXPECT_EQ(AnswerExitQuestion(withFile, PromptAnswer::Yes), ExitStep::Save);
    EXPECT_EQ(AnswerExitQuestion(newOne, PromptAnswer::Yes), ExitStep::SaveAs);
    EXPECT_EQ(AnswerExitQuestion(withFile, PromptAnswer::No), ExitStep::Exit);
    EXPECT_EQ(AnswerExitQuestion(newOne, PromptAnswer::Cancel), ExitStep::Stay);
}

TEST(PrepareExit, AFailedSaveKeepsTheProgramOpen) {
    EXPECT_EQ(AfterExitSave(true), ExitStep::Exit);
    EXPECT_EQ(AfterExitSave(false), ExitStep::Stay);
}

} // namespace
