#pragma once

#include "app/Settings.h"
#include "training/TrainingDictionary.h"
#include "training/TrainingUnit.h"
#include "ui/qt/ToolWindow.h"

#include <QDialog>
#include <QString>
#include <filesystem>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace lexaro {

class SpeechPlayer;

class AvailableEntriesModel;
class RandomSource;
class TrainingEntriesModel;

// What the main window hands to the training set-up window besides the dictionary and the settings.
struct TrainingStart {
    // The open dictionary's file; empty when it has none.
    std::filesystem::path dictionaryPath;
    // A unit to load at once (its dictionary is loaded without a question), or empty.
    std::filesystem::path unitPath;
    // Opened by View > Auto Play: the quiz starts in auto-play at once.
    bool autoPlay = false;
    // Says the questions and answers of auto-play; none keeps the quiz silent.
    SpeechPlayer* speech = nullptr;
};

// The training set-up window: assembles a unit from the dictionary, opens and saves units and starts the
// quiz. The open dictionary is only read: a unit of another dictionary trains on a copy of that one, so
// the open dictionary keeps its unsaved changes. The training values of the settings are written back.
class CTrainingDlg : public QDialog {
    Q_OBJECT

public:
    CTrainingDlg(ToolWindowContext context, ClassTable& entries, Settings& settings, TrainingStart start,
                 QWidget* parent = nullptr);
    ~CTrainingDlg() override;

    // The quiz draws from this source instead of a generator seeded with the time (tests).
    void SetRandomSource(RandomSource* random) { m_Random = random; }

    TrainingUnit& Unit() { return m_Unit; }
    const TrainingDictionary& Dictionary() const { return m_Dictionary; }

    // Loads a unit file; a unit handed over at the start loads its dictionary without a question.
    void LoadUnitFile(const std::filesystem::path& file, bool handedOverAtStart);
    // Go (autoPlay false) and Autoplay.
    void StartQuiz(bool autoPlay);

public slots:
    // Escape, Cancel and the window's close button.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void ConnectControls();
    void Redraw();
    void AddAllEntries();
    void AddSelectedEntries();
    bool ShiftRangeBeyondPage(const std::vector<int>& positions) const;
    void RemoveSelectedEntries();
    void RemoveAllEntries();
    void BothToggled();
    void OpenUnit();
    enum class SaveOutcome { Saved, Cancelled, Failed };
    // Asks for a file name and saves; a file that cannot be written is reported.
    SaveOutcome SaveUnit();
    bool CloseTraining();
    std::filesystem::path CurrentDictionaryPath() const { return m_Dictionary.Path(); }

    ToolWindowContext m_Context;
    Settings& m_Settings;
    TrainingStart m_Start;
    TrainingDictionary m_Dictionary;
    TrainingUnit m_Unit;
    RandomSource* m_Random = nullptr;
    std::filesystem::path m_UnitPath;
    bool m_Opened = false;
    bool m_Closing = false;
    // The available list's selection was last extended with Shift and a movement key.
    bool m_ShiftRange = false;

    AvailableEntriesModel* m_AvailableModel = nullptr;
    TrainingEntriesModel* m_TrainingModel = nullptr;

    QLabel* m_LBLAllEntries = nullptr;
    QLabel* m_LBLAllCount = nullptr;
    QTableView* m_LISAllEntries = nullptr;
    QLabel* m_LBLUsedEntries = nullptr;
    QLabel* m_LBLUsedCount = nullptr;
    QTableView* m_LISUsedEntries = nullptr;
    QPushButton* m_BTNAdd = nullptr;
    QPushButton* m_BTNSub = nullptr;
    QPushButton* m_BTNAddAll = nullptr;
    QPushButton* m_BTNSubAll = nullptr;
    QCheckBox* m_CHKSwap = nullptr;
    QCheckBox* m_CHKBoth = nullptr;
    QCheckBox* m_CHKRandom = nullptr;
    QCheckBox* m_CHKFilter = nullptr;
    QLineEdit* m_EDTFilter = nullptr;
    QPushButton* m_BTNOpen = nullptr;
    QPushButton* m_BTNSave = nullptr;
    QPushButton* m_BTNReset = nullptr;
    QCheckBox* m_CHKNoCaseSensitive = nullptr;
    QCheckBox* m_CHKAllowSubwords = nullptr;
    QCheckBox* m_CHKShowExplanation = nullptr;
    QLineEdit* m_EDTShowExplanation = nullptr;
    QPushButton* m_BTNGo = nullptr;
    QPushButton* m_BTNPlay = nullptr;
    QPushButton* m_BTNCancel = nullptr;
};

} // namespace lexaro
