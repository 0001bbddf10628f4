#include "engine/EntryStore.h"

namespace lexaro {

bool EntryStore::LogChange(int row, int operation, int group) {
    return AppendLogRow(m_Entries.GetCell(kTermColumn, row), m_Entries.GetCell(kExplanationColumn, row),
                        m_Entries.GetCell(kDateColumn, row), row, operation, group);
}

bool EntryStore::AppendLogRow(std::string_view term, std::string_view explanation, std::string_view date, int row,
                              int operation, int group) {
    if (m_UndoLog.ColumnCount() < kUndoLogColumns) {
        m_UndoLog.Resize(kUndoLogColumns, m_UndoLog.RowCount());
    }
    const int logRow = m_UndoLog.RowCount();
    // If the log did not grow, its last row is an older change that must not be overwritten.
    if (!m_UndoLog.AddRows(1) || m_UndoLog.RowCount() != logRow + 1) {
        return false;
    }
    m_UndoLog.SetCell(kTermColumn, logRow, term);
    m_UndoLog.SetCell(kExplanationColumn, logRow, explanation);
    m_UndoLog.SetCell(kDateColumn, logRow, date);
    m_UndoLog.SetCellInt(kLogRowColumn, logRow, row);
    m_UndoLog.SetCellInt(kLogOperationColumn, logRow, operation);
    m_UndoLog.SetCellInt(kLogGroupColumn, logRow, group);
    return true;
}

void EntryStore::ClearUndoLog() {
    m_UndoLog.Clear(true);
    m_UndoLog.Resize(kUndoLogColumns, 0);
}

void EntryStore::WriteLoggedCells(int logRow, int row) {
    for (int c = kTermColumn; c <= kDateColumn; ++c) {
        m_Entries.SetCell(c, row, m_UndoLog.PeekCell(c, logRow));
    }
}

// Each logged row index refers to the table as it was right after that change, so reverting from the newest
// change to the oldest meets every index in the state it was recorded in. Indexes outside the table (a log
// that no longer fits the entries) are skipped rather than written beyond the visible rows.
void EntryStore::RevertLogRow(int logRow) {
    const int row = m_UndoLog.GetCellInt(kLogRowColumn, logRow);
    const int count = m_Entries.RowCount();
    switch (m_UndoLog.GetCellInt(kLogOperationColumn, logRow)) {
    case kUndoModify:
        if (row >= 0 && row < count) {
            WriteLoggedCells(logRow, row);
        }
        break;
    case kUndoDelete:
        if (row < 0 || row > count) {
            break;
        }
        if (row < count) {
            if (!m_Entries.InsertRow(row)) {
                break;
            }
            RowInserted(row);
        } else if (!m_Entries.AddRows(1) || m_Entries.RowCount() != count + 1) {
            break;
        }
        WriteLoggedCells(logRow, row);
        break;
    case kUndoAdd:
        if (row >= 0 && row < count && m_Entries.DeleteRow(row)) {
            RowRemoved(row);
        }
        break;
    default:
        break;
    }
}

bool EntryStore::UndoChanges(int group) {
    bool reverted = false;
    for (int logRow = m_UndoLog.RowCount() - 1; logRow >= 0; --logRow) {
        if (m_UndoLog.GetCellInt(kLogGroupColumn, logRow) == group) {
            RevertLogRow(logRow);
            reverted = true;
        }
    }
    if (!reverted) {
        return false;
    }
    for (int logRow = m_UndoLog.RowCount() - 1; logRow >= 0; --logRow) {
        if (m_UndoLog.GetCellInt(kLogGroupColumn, logRow) == group) {
            m_UndoLog.DeleteRow(logRow);
        }
    }
    return true;
}

} // namespace lexaro
