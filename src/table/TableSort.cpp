#include "table/AsciiFold.h"
#include "table/ClassTable.h"

#include <utility>

namespace lexaro {

namespace {

std::string_view SortKey(const std::vector<std::vector<std::string>>& rows, int column, int row) {
    if (static_cast<std::size_t>(row) >= rows.size()) {
        return {};
    }
    const auto& cells = rows[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(column) >= cells.size()) {
        return {};
    }
    return cells[static_cast<std::size_t>(column)];
}

} // namespace

bool ClassTable::SortRows(int column, bool ascending, int first, int last) {
    if (first < 0 || first > RowCount() - 1) {
        first = 0;
    }
    if (last < 0 || last > RowCount() - 1) {
        last = RowCount() - 1;
    }
    if (!AccessGuard(kGuardExclusive)) {
        return false;
    }
    // Rows that exist only logically are stored as empty rows so that every row in range can move.
    if (last >= 0 && static_cast<std::size_t>(last) >= m_Rows.size()) {
        m_Rows.resize(static_cast<std::size_t>(last) + 1);
        Changed();
    }
    SortRange(column, ascending, first, last);
    Changed();
    m_Modified = true;
    AccessGuard(kGuardRelease);
    return true;
}

// Three-way quicksort with the middle row as pivot. Whole rows move together. The smaller side is
// sorted by recursion and the larger one by the loop, so the depth stays logarithmic.
void ClassTable::SortRange(int column, bool ascending, int first, int last) {
    while (first < last) {
        const std::string pivot(SortKey(m_Rows, column, first + (last - first) / 2));
        auto compare = [&](int row) {
            const int order = CompareFolded(SortKey(m_Rows, column, row), pivot);
            return ascending ? order : -order;
        };
        int i = first;
        int j = first;
        int k = last;
        while (i <= k) {
            if (compare(k) > 0) {
                --k;
                continue;
            }
            std::swap(m_Rows[static_cast<std::size_t>(i)], m_Rows[static_cast<std::size_t>(k)]);
            if (compare(i) < 0) {
                std::swap(m_Rows[static_cast<std::size_t>(j)], m_Rows[static_cast<std::size_t>(i)]);
                ++j;
            }
            ++i;
        }
        if (j - 1 - first < last - (k + 1)) {
            SortRange(column, ascending, first, j - 1);
            first = k + 1;
        } else {
            SortRange(column, ascending, k + 1, last);
            last = j - 1;
        }
    }
}

} // namespace lexaro
