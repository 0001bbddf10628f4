#pragma once

#include <QString>

class QMainWindow;

namespace lexaro {

class EntryCommands;
class MenuTable;
class RandomSource;
struct MainWindowState;

// The windows that work on the open dictionary's entries: properties, mass data, All entries, the translator
// and the training. Each runs modally; the main window shows the current entry again afterwards.
class ToolWindows {
public:
    ToolWindows(QMainWindow& window, MainWindowState& state, const MenuTable& menus, EntryCommands& entries);

    void ShowProperties();
    void EditMassData(bool addMode);
    void ShowAllEntries();
    void OpenTranslator();
    // Opens the training set-up window, with a unit file to load or auto-play at once.
    void StartTraining(const QString& unitPath = QString(), bool autoPlay = false);
    // The quiz draws from this source instead of one seeded with the time (tests).
    void SetTrainingRandom(RandomSource* random) { m_TrainingRandom = random; }

private:
    QMainWindow& m_Window;
    MainWindowState& m_State;
    EntryCommands& m_Entries;
    RandomSource* m_TrainingRandom = nullptr;
};

} // namespace lexaro
