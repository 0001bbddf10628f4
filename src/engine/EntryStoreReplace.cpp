#include "engine/EntryStore.h"

#include <algorithm>

namespace lexaro {

int EntryStore::ReplaceEntries(const ClassTable& replacement) {
    EnsureEntryColumns();
    const int oldCount = m_Entries.RowCount();
    const int newCount = replacement.RowCount();
    auto sameRow = [&](int row) {
        for (int c = kTermColumn; c <= kDateColumn; ++c) {
            if (m_Entries.CellView(c, row) != replacement.CellView(c, row)) {
                return false;
            }
        }
        return true;
    };
    auto copyRow = [&](int row) {
        for (int c = kTermColumn; c <= kDateColumn; ++c) {
            m_Entries.SetCell(c, row, replacement.CellView(c, row));
        }
    };

    int changed = 0;
    for (int row = 0; row < std::min(oldCount, newCount); ++row) {
        if (!sameRow(row)) {
            LogChange(row, kUndoModify, m_UndoGroup);
            copyRow(row);
            ++changed;
        }
    }
    // Logged from the last row up: Undo, newest first, then puts them back from the first of them down.
    for (int row = oldCount - 1; row >= newCount; --row) {
        LogChange(row, kUndoDelete, m_UndoGroup);
        ++changed;
    }
    if (oldCount > newCount) {
        m_Entries.DeleteRows(newCount, oldCount - newCount);
    }
    for (int row = oldCount; row < newCount; ++row) {
        if (!m_Entries.AddRows(1) || m_Entries.RowCount() != row + 1) {
            break;
        }
        copyRow(row);
        LogChange(row, kUndoAdd, m_UndoGroup);
        ++changed;
    }
    if (m_CurrentRow >= m_Entries.RowCount()) {
        m_CurrentRow = m_Entries.RowCount() - 1;
    }
    if (changed > 0) {
        m_Entries.SetModified(true);
    }
    return changed;
}

} // namespace lexaro
