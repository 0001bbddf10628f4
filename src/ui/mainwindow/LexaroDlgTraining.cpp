#include "ui/mainwindow/LexaroDlg.h"
#include "ui/training/TrainingDlg.h"

#include <QFileInfo>

namespace lexaro {

// The training works on the open dictionary without changing it; the main window steps aside meanwhile
// (into the tray when it has one, else minimised) and comes back as it was.
void LexaroDlg::StartTraining(const QString& unitPath, bool autoPlay) {
    TrainingStart start;
    if (m_CurrentPath != NoName() && QFileInfo(m_CurrentPath).isFile()) {
        start.dictionaryPath = std::filesystem::path(m_CurrentPath.toStdString());
    }
    if (!unitPath.isEmpty()) {
        start.unitPath = std::filesystem::path(unitPath.toStdString());
    }
    start.autoPlay = autoPlay;

    const bool wasVisible = isVisible();
    const Qt::WindowStates state = windowState();
    if (m_Settings.trayIcon) {
        hide();
    } else if (wasVisible) {
        showMinimized();
    }
    {
        CTrainingDlg dialog(ToolContext(), m_Engine.Entries(), m_Settings, start);
        dialog.SetRandomSource(m_TrainingRandom);
        RunToolWindow(dialog);
    }
    if (wasVisible) {
        setWindowState(state);
        show();
    }
}

void LexaroDlg::SetTrainingRandom(RandomSource* random) {
    m_TrainingRandom = random;
}

} // namespace lexaro
