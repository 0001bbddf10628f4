#include "ui/mainwindow/MainWindowState.h"

#include "speech/EspeakSpeech.h"
#include "ui/qt/AudioOutput.h"
#include "ui/qt/SpeechPlayer.h"

#include <QDialog>

namespace lexaro {

MainWindowState::MainWindowState(MainWindowServices givenServices)
    : services(std::move(givenServices)), engine(services.clock), additional(nullptr) {
    additional.Entries().Clear(true);
    additional.Entries().Resize(1, 0);
    std::shared_ptr<SpeechEngine> voices = services.speech;
    if (!voices) {
        voices = std::make_shared<EspeakSpeech>();
    }
    std::shared_ptr<SampleOutput> audio = services.audio;
    if (!audio) {
        audio = std::make_shared<AudioOutput>();
    }
    speech = std::make_shared<SpeechPlayer>(std::move(voices), std::move(audio));
}

void MainWindowState::Tell(const QString& text, PromptIcon icon) const {
    services.prompter->Ask(text.toStdU16String(), u"", PromptButtons::Ok, icon);
}

PromptAnswer MainWindowState::Ask(const QString& text, PromptButtons buttons, PromptIcon icon) const {
    return services.prompter->Ask(text.toStdU16String(), u"", buttons, icon);
}

LocalTime MainWindowState::Now() const {
    return services.clock ? services.clock->Now() : SystemClock().Now();
}

ToolWindowContext MainWindowState::ToolContext() {
    return ToolWindowContext{texts, *services.prompter, *services.chooser, &settings.fonts};
}

int MainWindowState::RunToolWindow(QDialog& dialog) {
    const bool watching = settings.clipWatch;
    settings.clipWatch = false;
    const int result = dialog.exec();
    settings.clipWatch = watching;
    Changed();
    return result;
}

void MainWindowState::Changed() const {
    if (changed) {
        changed();
    }
}

void MainWindowState::TakeAdditionalDictionaries() {
    ClassTable& list = additional.Entries();
    list.Clear(true);
    list.Resize(1, 0);
    for (const std::string& path : settings.addDictionaries) {
        list.AddRows(1);
        list.SetCell(0, list.RowCount() - 1, path);
    }
}

void MainWindowState::CollectAdditionalDictionaries(Settings& into) {
    into.addDictionaries.clear();
    ClassTable& list = additional.Entries();
    for (int row = 0; row < list.RowCount(); ++row) {
        into.addDictionaries.push_back(list.GetCell(0, row));
    }
}

} // namespace lexaro
