#include "table/ClassTable.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>

namespace lexaro {

namespace {

// A row never reserves room for more cells than this ahead of storing them.
constexpr std::size_t kReservedCells = 16;

} // namespace

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

bool ClassTable::Clear(bool keepClean) {
    if (!AccessGuard(kGuardExclusive)) {
        return false;
    }
    m_Rows.clear();
    m_Rows.shrink_to_fit();
    m_LastRow = -1;
    m_LastColumn = -1;
    m_Sized = false;
    m_Modified = !keepClean;
    m_FileName.clear();
    Changed();
    AccessGuard(kGuardRelease);
    return true;
}

const std::string* ClassTable::VisibleCell(int column, int row) const {
    if (row < 0 || row > m_LastRow || column < 0 || column > m_LastColumn) {
        return nullptr;
    }
    if (static_cast<std::size_t>(row) >= m_Rows.size()) {
        return nullptr;
    }
    const auto& cells = m_Rows[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(column) >= cells.size()) {
        return nullptr;
    }
    return &cells[static_cast<std::size_t>(column)];
}

int ClassTable::CellLength(int column, int row) const {
    const std::string* cell = VisibleCell(column, row);
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
    const std::string* cell = VisibleCell(column, row);
    return cell ? *cell : std::string();
}

std::string_view ClassTable::CellView(int column, int row) const {
    const std::string* cell = VisibleCell(column, row);
    return cell ? std::string_view(*cell) : std::string_view();
}

int ClassTable::GetCellInt(int column, int row) const {
    const std::string* cell = VisibleCell(column, row);
    if (!cell || cell->empty()) {
        return 0;
    }
    // strtol semantics; out-of-range values saturate to the int range.
    errno = 0;
    long value = std::strtol(cell->c_str(), nullptr, 10);
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
    const auto r = static_cast<std::size_t>(row);
    const auto c = static_cast<std::size_t>(column);
    const int firstChanged = r < m_Rows.size() ? row : StoredRowCount();
    if (r < m_Rows.size()) {
        auto& cells = m_Rows[r];
        if (c >= cells.size()) {
            cells.resize(c + 1);
            m_Modified = true;
        }
        cells[c].assign(text);
    } else {
        while (m_Rows.size() <= r) {
            // Room for the row's visible cells at once: a row filled cell by cell is not moved for each.
            auto& cells = m_Rows.emplace_back();
            cells.reserve(std::max(c + 1, std::min(static_cast<std::size_t>(ColumnCount()), kReservedCells)));
            cells.resize(c + 1);
        }
        m_Rows[r][c].assign(text);
        m_Modified = true;
    }
    const std::uint64_t before = m_Version++;
    m_Indexes.RowsChanged(m_Rows, firstChanged, row, before, m_Version);
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

bool ClassTable::SetCellInt(int column, int row, int value) {
    return SetCell(column, row, std::to_string(value));
}

bool ClassTable::InsertRow(int index) {
    if (!AccessGuard(kGuardExclusive)) {
        return false;
    }
    bool inserted = false;
    if (index >= 0 && static_cast<std::size_t>(index) < m_Rows.size()) {
        m_Rows.insert(m_Rows.begin() + index, std::vector<std::string>(static_cast<std::size_t>(ColumnCount())));
        ++m_LastRow;
        m_Modified = true;
        inserted = true;
        const std::uint64_t before = m_Version++;
        m_Indexes.RowInserted(m_Rows, index, before, m_Version);
    }
    AccessGuard(kGuardRelease);
    return inserted;
}

bool ClassTable::DeleteRow(int index) {
    if (!AccessGuard(kGuardExclusive)) {
        return false;
    }
    bool deleted = false;
    if (index >= 0 && static_cast<std::size_t>(index) < m_Rows.size() &&
        !m_Rows[static_cast<std::size_t>(index)].empty()) {
        m_Rows.erase(m_Rows.begin() + index);
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
    if (first >= 0 && count > 0 && static_cast<std::size_t>(first) < m_Rows.size()) {
        // DeleteRow stops at a row that is not stored or holds no cells; so does the range.
        const std::size_t begin = static_cast<std::size_t>(first);
        std::size_t end = begin;
        while (end < m_Rows.size() && end - begin < static_cast<std::size_t>(count) && !m_Rows[end].empty()) {
            ++end;
        }
        removed = static_cast<int>(end - begin);
        m_Rows.erase(m_Rows.begin() + first, m_Rows.begin() + first + removed);
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
