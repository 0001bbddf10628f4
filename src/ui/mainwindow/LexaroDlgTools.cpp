#include "ui/mainwindow/LexaroDlg.h"
#include "ui/tools/MassDataDlg.h"
#include "ui/tools/OverviewDlg.h"
#include "ui/tools/PropertiesDlg.h"

namespace lexaro {

void LexaroDlg::ShowProperties() {
    CPropertiesDlg dialog(ToolContext(), m_CurrentPath, m_Engine, m_Settings.checksumType, this);
    RunToolWindow(dialog);
}

void LexaroDlg::EditMassData(bool addMode) {
    CMassDataDlg dialog(ToolContext(), m_Engine, addMode, QString::fromStdString(m_Settings.separator), m_DateShown,
                        this);
    ApplyDialogRect(dialog, m_Settings.winPosMassData);
    RunToolWindow(dialog);
    m_Settings.winPosMassData = DialogRectOf(dialog);
    // The entries may all be new: show the current one, or nothing when it is gone.
    const int row = m_Engine.CurrentRow();
    if (row >= 0 && row < m_Engine.Entries().RowCount()) {
        ShowEntry(row);
    }
}

void LexaroDlg::ShowAllEntries() {
    COverviewDlg dialog(ToolContext(), m_Engine, m_CurrentPath, QString::fromStdString(m_Settings.separator), this);
    ApplyDialogRect(dialog, m_Settings.winPosOverView);
    RunToolWindow(dialog);
    m_Settings.winPosOverView = DialogRectOf(dialog);
    const int picked = dialog.PickedRow();
    if (picked >= 0 && picked < m_Engine.Entries().RowCount()) {
        m_Engine.SetCurrentRow(picked - 1);
        NextEntry();
    }
}

} // namespace lexaro
