#include "engine/EntryStore.h"

#include <cstdio>

namespace lexaro {

std::string FormatDateStamp(const LocalTime& time) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%04i-%02i-%02i %02i:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return buffer;
}

EntryStore::EntryStore(std::shared_ptr<const Clock> clock) : m_Clock(std::move(clock)) {
    if (!m_Clock) {
        m_Clock = std::make_shared<SystemClock>();
    }
    m_Entries.Resize(kEntryColumns, 0);
    m_UndoLog.Resize(kUndoLogColumns, 0);
}

std::string EntryStore::DateStamp() const {
    return FormatDateStamp(m_Clock->Now());
}

void EntryStore::EnsureEntryColumns() {
    // A table left unsized (or narrower) by a loader would hide the new entry's cells.
    if (m_Entries.ColumnCount() < kEntryColumns) {
        m_Entries.Resize(kEntryColumns, m_Entries.RowCount());
    }
}

int EntryStore::AppendEntry(std::string_view term, std::string_view explanation, std::string_view stamp) {
    EnsureEntryColumns();
    const int row = m_Entries.RowCount();
    // If the table did not grow, the "last row" would be an existing entry: never overwrite it.
    if (!m_Entries.AddRows(1) || m_Entries.RowCount() != row + 1) {
        return -1;
    }
    m_Entries.SetCell(kTermColumn, row, term);
    m_Entries.SetCell(kExplanationColumn, row, explanation);
    m_Entries.SetCell(kDateColumn, row, stamp);
    LogChange(row, kUndoAdd, m_UndoGroup);
    return row;
}

int EntryStore::StoreEntry(std::string_view term, std::string_view explanation) {
    const std::string stamp = DateStamp();
    const int row = m_Entries.FindRow(kTermColumn, 0, term, kMatchEqualNoCase);
    if (row == -1 || !m_NoMultiTerms) {
        return AppendEntry(term, explanation, stamp);
    }
    if (m_DoAutoAdd) {
        const std::string stored = m_Entries.GetCell(kExplanationColumn, row);
        if (stored != explanation) {
            LogChange(row, kUndoModify, m_UndoGroup);
            std::string merged = stored;
            merged += m_Separator;
            merged += explanation;
            m_Entries.SetCell(kExplanationColumn, row, merged);
            m_Entries.SetCell(kDateColumn, row, stamp);
        }
        return row;
    }
    // Replacing an entry is a modification of it that also renames it to the term as typed now.
    m_CurrentRow = row;
    ModifyEntry(term, explanation);
    m_Entries.SetCell(kDateColumn, row, stamp);
    return row;
}

int EntryStore::ModifyEntry(std::string_view term, std::string_view explanation) {
    int row = -1;
    if (m_CurrentRow >= 0 && m_CurrentRow < m_Entries.RowCount()) {
        row = m_CurrentRow;
    } else {
        row = m_Entries.FindRow(kTermColumn, 0, term, kMatchExact);
    }
    if (row == -1) {
        return StoreEntry(term, explanation);
    }
    LogChange(row, kUndoModify, m_UndoGroup);
    m_Entries.SetCell(kExplanationColumn, row, explanation);
    if (row == m_CurrentRow) {
        m_Entries.SetCell(kTermColumn, row, term);
    }
    return row;
}

void EntryStore::DeleteEntries(std::string_view term) {
    int row = m_Entries.FindRow(kTermColumn, 0, term, kMatchEqualNoCase);
    while (row != -1) {
        const std::string oldTerm = m_Entries.GetCell(kTermColumn, row);
        const std::string oldExplanation = m_Entries.GetCell(kExplanationColumn, row);
        const std::string oldDate = m_Entries.GetCell(kDateColumn, row);
        // A row that could not be removed is neither logged nor looked for again (that would never end).
        if (!m_Entries.DeleteRow(row)) {
            return;
        }
        AppendLogRow(oldTerm, oldExplanation, oldDate, row, kUndoDelete, m_UndoGroup);
        RowRemoved(row);
        if (!m_MultiDelete) {
            return;
        }
        row = m_Entries.FindRow(kTermColumn, 0, term, kMatchEqualNoCase);
    }
}

int EntryStore::AddIfNew(std::string_view term, std::string_view explanation) {
    if (m_Entries.FindRow(kTermColumn, 0, term, kMatchEqualNoCase) != -1) {
        return -1;
    }
    return StoreEntry(term, explanation);
}

void EntryStore::RowRemoved(int row) {
    if (m_CurrentRow == row) {
        m_CurrentRow = -1;
    } else if (m_CurrentRow > row) {
        --m_CurrentRow;
    }
}

void EntryStore::RowInserted(int row) {
    if (m_CurrentRow >= row) {
        ++m_CurrentRow;
    }
}

void EntryStore::DictionaryReplaced() {
    ClearUndoLog();
    m_CurrentRow = m_Entries.RowCount() > 0 ? 0 : -1;
}

int EntryStore::PreviousEntry() {
    int row = m_CurrentRow > 0 ? m_CurrentRow - 1 : 0;
    const int last = m_Entries.RowCount() - 1;
    if (last >= 0 && row > last) {
        row = last;
    }
    m_CurrentRow = row;
    return row;
}

int EntryStore::NextEntry() {
    const int last = m_Entries.RowCount() - 1;
    m_CurrentRow = m_CurrentRow < last ? m_CurrentRow + 1 : last;
    return m_CurrentRow;
}

bool EntryStore::SortEntries(int column, bool ascending) {
    if (column < kTermColumn || column > kDateColumn) {
        column = kTermColumn;
    }
    // The current entry moves with the sort (a number outside the table is left as it is).
    if (!m_Entries.SortRows(column, ascending, 0, m_Entries.RowCount() - 1, m_CurrentRow)) {
        return false;
    }
    // Logged row indexes no longer name the same entries: undoing would remove or overwrite the wrong ones.
    ClearUndoLog();
    return true;
}

void EntryStore::SwapColumns() {
    for (int r = 0; r < m_Entries.RowCount(); ++r) {
        const std::string term = m_Entries.GetCell(kTermColumn, r);
        const std::string explanation = m_Entries.GetCell(kExplanationColumn, r);
        m_Entries.SetCell(kTermColumn, r, explanation);
        m_Entries.SetCell(kExplanationColumn, r, term);
    }
    m_Entries.SetModified(true);
    // Undoing an older change would bring an entry back with term and explanation the other way round.
    ClearUndoLog();
}

} // namespace lexaro
