#include "table/ClassTable.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>

namespace lexaro {

void ClassTable::Changed() {
    ++m_Version;
    m_Indexes.Drop();
}

bool ClassTable::AccessGuard(int mode) {
    switch (mode) {
    case kGuardShared:
        if (m_Guard == kGuardExclusive) {
            return false;
        }
        m_Guard = kGuardShared;
        ++m_Readers;
        return true;
    case kGuardExclusive:
        if (m_Guard != kGuardRelease) {
            return false;
        }
        m_Guard = kGuardExclusive;
        return true;
    case kGuardRelease:
        if (m_Guard == kGuardExclusive) {
            m_Readers = 0;
            m_Guard = kGuardRelease;
        } else if (--m_Readers <= 0) {
            m_Readers = 0;
            m_Guard = kGuardRelease;
        }
        return true;
    default:
        return true;
    }
}

bool ClassTable::SetSize(int columns, int rows) {
    if (!AccessGuard(kGuardExclusive)) {
        return false;
    }
    if (columns > 0 && rows >= 0 && !m_Sized) {
        if (rows > 0) {
            m_LastRow = rows - 1;
        }
        m_LastColumn = columns - 1;
        m_Sized = true;
        Changed();
    }
    AccessGuard(kGuardRelease);
    return true;
}

bool ClassTable::AddRows(int count) {
    if (!AccessGuard(kGuardExclusive)) {
        return false;
    }
    if (count > 0 && m_Sized && count <= INT_MAX - 1 - m_LastRow) {
        // New rows have no stored cells, so FindRow sees nothing new unless they uncover hidden stored rows.
        const bool uncovers = StoredRowCount() > RowCount();
        m_LastRow += count;
        if (uncovers) {
            Changed();
        } else {
            const std::uint64_t before = m_Version++;
            m_Indexes.Unchanged(before, m_Version);
        }
    }
    m_Modified = true;
    AccessGuard(kGuardRelease);
    return true;
}

bool ClassTable::Resize(int columns, int rows) {
    if (!AccessGuard(kGuardExclusive)) {
        return false;
    }
    if (rows < 0 || columns <= 0) {
        AccessGuard(kGuardRelease);
        return false;
    }
    if (m_Sized) {
        m_LastRow = rows - 1;
        m_LastColumn = columns - 1;
        Changed();
        AccessGuard(kGuardRelease);
        return true;
    }
    AccessGuard(kGuardRelease);
    return SetSize(columns, rows);
}

bool ClassTable::AdoptRows(std::shared_ptr<const void> owner, std::string_view document, int rows, int cells,
                           const std::function<std::string_view(int row, int cell)>& text) {
    if (rows < 0 || cells < 0 || StoredRowCount() != 0 || m_Guard != kGuardRelease) {
        return false;
    }
    // Allocated before the table is marked busy: appending texts of the document into the reserved room allocates
    // nothing more.
    m_Cells.Reserve(static_cast<std::size_t>(rows), static_cast<std::size_t>(rows) * static_cast<std::size_t>(cells));
    std::vector<std::string_view> row(static_cast<std::size_t>(cells));
    AccessGuard(kGuardExclusive);
    m_Cells.KeepDocument(std::move(owner), document);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cells; ++c) {
            row[static_cast<std::size_t>(c)] = text(r, c);
        }
        m_Cells.AppendRow(row);
    }
    m_Modified = true;
    Changed();
    AccessGuard(kGuardRelease);
    return true;
}

bool ClassTable::KeepDocument(std::shared_ptr<const void> owner, std::string_view document) {
    if (StoredRowCount() != 0 || m_Guard != kGuardRelease) {
        return false;
    }
    m_Cells.KeepDocument(std::move(owner), document);
    return true;
}

bool ClassTable::Clear(bool keepClean) {
    if (!AccessGuard(kGuardExclusive)) {
        return false;
    }
    m_Cells.Clear();
    m_LastRow = -1;
    m_LastColumn = -1;
    m_Sized = false;
    m_Modified = !keepClean;
    m_FileName.clear();
    Changed();
    AccessGuard(kGuardRelease);
    return true;
}

int ClassTable::CellLength(int column, int row) const {
    const std::optional<std::string_view> cell = VisibleCell(column, row);
    return cell ? static_cast<int>(cell->size()) : -1;
}

std::string ClassTable::GetCell(int column, int row) {
    if (!AccessGuard(kGuardShared)) {
        return {};
    }
    std::string result;
    try {
        result = PeekCell(column, row);
    } catch (...) {
        result.clear();
    }
    AccessGuard(kGuardRelease);
    return result;
}

std::string ClassTable::PeekCell(int column, int row) const {
    const std::optional<std::string_view> cell = VisibleCell(column, row);
    return cell ? std::string(*cell) : std::string();
}

int ClassTable::GetCellInt(int column, int row) const {
    const std::optional<std::string_view> cell = VisibleCell(column, row);
    if (!cell || cell->empty()) {
        return 0;
    }
    // strtol semantics; out-of-range values saturate to the int range. Cells are not NUL-terminated.
    const std::string text(*cell);
    errno = 0;
    long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

bool ClassTable::StoreCell(int column, int row, std::string_view text) {
    if (column < 0 || row < 0) {
        return true;
    }
    const int stored = StoredRowCount();
    const auto cells = static_cast<std::size_t>(column) + 1;
    if (row < stored) {
        if (column >= m_Cells.CellCount(row)) {
            m_Cells.Widen(row, cells);
            m_Modified = true;
        }
    } else {
        // Every row added on the way gets as many cells as this one.
        m_Cells.AppendRows(static_cast<std::size_t>(row - stored) + 1, cells);
        m_Modified = true;
    }
    m_Cells.Store(row, column, text);
    const std::uint64_t before = m_Version++;
    m_Indexes.RowsChanged(m_Cells, std::min(row, stored), row, before, m_Version);
    return true;
}

bool ClassTable::SetCell(int column, int row, std::string_view text) {
    if (!AccessGuard(kGuardExclusive)) {
        return false;
    }
    StoreCell(column, row, text);
    AccessGuard(kGuardRelease);
    return true;
}

bool ClassTable::SetRow(int row, std::span<const std::string_view> cells) {
    if (row < 0 || !AccessGuard(kGuardExclusive)) {
        return false;
    }
    const int stored = StoredRowCount();
    if (row == stored && !cells.empty()) {
        m_Cells.AppendRow(cells);
        m_Modified = true;
        const std::uint64_t before = m_Version++;
        m_Indexes.RowsChanged(m_Cells, row, row, before, m_Version);
    } else if (row < stored && !cells.empty()) {
        if (static_cast<std::size_t>(m_Cells.CellCount(row)) < cells.size()) {
            m_Cells.Widen(row, cells.size());
            m_Modified = true;
        }
        for (std::size_t column = 0; column < cells.size(); ++column) {
            m_Cells.Store(row, static_cast<int>(column), cells[column]);
        }
        const std::uint64_t before = m_Version++;
        m_Indexes.RowsChanged(m_Cells, row, row, before, m_Version);
    } else {
        for (std::size_t column = 0; column < cells.size(); ++column) {
            StoreCell(static_cast<int>(column), row, cells[column]);
        }
    }
    AccessGuard(kGuardRelease);
    return true;
}

bool ClassTable::SetCellInt(int column, int row, int value) {
    return SetCell(column, row, std::to_string(value));
}

bool ClassTable::InsertRow(int index) {
    if (!AccessGuard(kGuardExclusive)) {
        return false;
    }
    bool inserted = false;
    if (index >= 0 && index < StoredRowCount()) {
        m_Cells.InsertRow(index, static_cast<std::size_t>(ColumnCount()));
        ++m_LastRow;
        m_Modified = true;
        inserted = true;
        const std::uint64_t before = m_Version++;
        m_Indexes.RowInserted(m_Cells, index, before, m_Version);
    }
    AccessGuard(kGuardRelease);
    return inserted;
}

bool ClassTable::DeleteRow(int index) {
    if (!AccessGuard(kGuardExclusive)) {
        return false;
    }
    bool deleted = false;
    if (index >= 0 && index < StoredRowCount() && m_Cells.CellCount(index) > 0) {
        m_Cells.EraseRows(index, 1);
        // A hidden row beyond the logical size leaves the visible row count alone.
        if (index <= m_LastRow) {
            --m_LastRow;
        }
        deleted = true;
        const std::uint64_t before = m_Version++;
        m_Indexes.RowsRemoved(index, 1, before, m_Version);
    }
    m_Modified = true;
    AccessGuard(kGuardRelease);
    return deleted;
}

int ClassTable::DeleteRows(int first, int count) {
    if (!AccessGuard(kGuardExclusive)) {
        return 0;
    }
    int removed = 0;
    if (first >= 0 && count > 0 && first < StoredRowCount()) {
        // DeleteRow stops at a row that is not stored or holds no cells; so does the range.
        int end = first;
        while (end < StoredRowCount() && end - first < count && m_Cells.CellCount(end) > 0) {
            ++end;
        }
        removed = end - first;
        m_Cells.EraseRows(first, removed);
        // Rows hidden beyond the logical size leave the visible row count alone.
        const int visible = m_LastRow - first + 1;
        m_LastRow -= std::min(removed, std::max(visible, 0));
        if (removed > 0) {
            const std::uint64_t before = m_Version++;
            m_Indexes.RowsRemoved(first, removed, before, m_Version);
        }
    }
    m_Modified = true;
    AccessGuard(kGuardRelease);
    return removed;
}

bool ClassTable::AppendRowTo(int row, ClassTable& target) {
    if (!AccessGuard(kGuardShared)) {
        return false;
    }
    target.Resize(ColumnCount(), target.RowCount());
    target.AddRows(1);
    const int targetRow = target.RowCount() - 1;
    for (int c = 0; c < ColumnCount(); ++c) {
        target.StoreCell(c, targetRow, PeekCell(c, row));
    }
    AccessGuard(kGuardRelease);
    return true;
}

} // namespace lexaro
