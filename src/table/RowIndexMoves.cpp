#include "table/RowIndex.h"

#include <algorithm>

namespace lexaro {

namespace {

// More moves than this between two searches (an undo that puts back many rows, say) are cheaper to follow by
// building the index again when it is next needed.
constexpr std::size_t kMaxPendingMoves = 8;

// One move over every row number, without a branch on the row: the hashes list their rows in no order, so such a
// branch would go wrong every other time.
template <typename Item, typename RowOf>
void Renumber(std::vector<Item>& items, std::int32_t first, std::int32_t count, bool removed, RowOf rowOf) {
    if (!removed) {
        for (Item& item : items) {
            std::int32_t& row = rowOf(item);
            row += static_cast<std::int32_t>(row >= first) * count;
        }
        return;
    }
    const std::int32_t end = first + count;
    const std::int32_t inside = std::max(first - 1, 0);
    for (Item& item : items) {
        std::int32_t& row = rowOf(item);
        const std::int32_t moved = row < end ? inside : row - count;
        row = row < first ? row : moved;
    }
}

} // namespace

std::int32_t ColumnIndex::Move::Apply(std::int32_t row) const {
    if (row < first) {
        return row;
    }
    if (!removed) {
        return row + count;
    }
    if (row < first + count) {
        return std::max(first - 1, 0);
    }
    return row - count;
}

void ColumnIndex::MoveChangedRows(const Move& move) {
    auto keeps = [&](int row) { return !move.removed || row < move.first || row >= move.first + move.count; };
    std::set<int> changed;
    for (const int row : m_Changed) {
        if (keeps(row)) {
            changed.insert(changed.end(), move.Apply(row));
        }
    }
    m_Changed.swap(changed);
    std::unordered_map<int, std::uint64_t> changedHash;
    for (const auto& [row, hash] : m_ChangedHash) {
        if (keeps(row)) {
            changedHash.emplace(move.Apply(row), hash);
        }
    }
    m_ChangedHash.swap(changedHash);
    for (auto it = m_ChangedByHash.begin(); it != m_ChangedByHash.end();) {
        std::vector<int>& rows = it->second;
        rows.erase(std::remove_if(rows.begin(), rows.end(), [&](int row) { return !keeps(row); }), rows.end());
        for (int& row : rows) {
            row = move.Apply(row);
        }
        it = rows.empty() ? m_ChangedByHash.erase(it) : std::next(it);
    }
}

bool ColumnIndex::RowInserted(const TableCells& rows, int at) {
    if (at < 0 || m_Moves.size() >= kMaxPendingMoves) {
        return false;
    }
    Follow(Move{at, 1, false});
    // The new row holds empty cells, which an empty needle finds.
    return RowsChanged(rows, at, at);
}

bool ColumnIndex::RowsRemoved(int first, int count) {
    const std::size_t limit = 4096 + static_cast<std::size_t>(m_End) / 16;
    if (first < 0 || count <= 0 || m_Moves.size() >= kMaxPendingMoves ||
        m_StaleRows + static_cast<std::size_t>(count) + m_Changed.size() >= limit) {
        return false;
    }
    m_StaleRows += static_cast<std::size_t>(count);
    Follow(Move{first, count, true});
    return true;
}

void ColumnIndex::Follow(const Move& move) {
    m_Moves.push_back(move);
    MoveChangedRows(move);
    if (m_CopyStart.empty()) {
        return;
    }
    if (m_CopyMoves.size() >= kMaxPendingMoves) {
        ApplyCopyMoves();
    }
    m_CopyMoves.push_back(move);
}

void ColumnIndex::ApplyMoves(bool pieces) {
    for (const Move& move : m_Moves) {
        Renumber(m_Hashes, move.first, move.count, move.removed,
                 [](Entry& entry) -> std::int32_t& { return entry.row; });
    }
    m_Moves.clear();
    if (pieces) {
        ApplyCopyMoves();
    }
}

void ColumnIndex::ApplyCopyMoves() {
    if (m_CopyMoves.empty()) {
        return;
    }
    // Rows inserted one by one (pastes) are followed in one pass: the copies are in row order, so the inserts at or
    // before a row are counted by walking the insert positions along with them.
    std::vector<std::int32_t> inserts;
    for (const Move& move : m_CopyMoves) {
        if (move.removed || move.count != 1) {
            inserts.clear();
            break;
        }
        inserts.push_back(OriginalRow(inserts, move.first));
    }
    if (inserts.size() != m_CopyMoves.size()) {
        for (const Move& move : m_CopyMoves) {
            Renumber(m_CopyRows, move.first, move.count, move.removed,
                     [](std::int32_t& row) -> std::int32_t& { return row; });
        }
        m_CopyMoves.clear();
        return;
    }
    std::sort(inserts.begin(), inserts.end());
    std::size_t before = 0;
    for (std::int32_t& row : m_CopyRows) {
        while (before < inserts.size() && inserts[before] <= row) {
            ++before;
        }
        row += static_cast<std::int32_t>(before);
    }
    m_CopyMoves.clear();
}

// The row, numbered as before the inserts so far, that now stands at row at: the first one that the inserts have
// moved to at or beyond it.
std::int32_t ColumnIndex::OriginalRow(const std::vector<std::int32_t>& inserts, std::int32_t at) {
    std::int32_t row = std::max<std::int32_t>(at - static_cast<std::int32_t>(inserts.size()), 0);
    auto movedTo = [&](std::int32_t original) {
        std::int32_t shift = 0;
        for (const std::int32_t insert : inserts) {
            shift += static_cast<std::int32_t>(insert <= original);
        }
        return original + shift;
    };
    while (movedTo(row) < at) {
        ++row;
    }
    return row;
}

void RowIndexes::RowInserted(const TableCells& rows, int at, std::uint64_t before, std::uint64_t after) {
    m_Answers.clear();
    m_NextAnswer = 0;
    FollowOrDrop(before, after, [&](ColumnIndex& index) { return index.RowInserted(rows, at); });
}

void RowIndexes::RowsRemoved(int first, int count, std::uint64_t before, std::uint64_t after) {
    m_Answers.clear();
    m_NextAnswer = 0;
    FollowOrDrop(before, after, [&](ColumnIndex& index) { return index.RowsRemoved(first, count); });
}

} // namespace lexaro
