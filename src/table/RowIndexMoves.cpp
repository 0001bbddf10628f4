#include "table/RowIndex.h"

#include <algorithm>

namespace lexaro {

namespace {

// More moves than this between two searches (an undo that puts back many rows, say) are cheaper to follow by
// building the index again when it is next needed.
constexpr std::size_t kMaxPendingMoves = 8;

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

bool ColumnIndex::RowInserted(const TableRows& rows, int at) {
    if (at < 0 || m_Moves.size() >= kMaxPendingMoves) {
        return false;
    }
    const Move move{at, 1, false};
    m_Moves.push_back(move);
    MoveChangedRows(move);
    // The new row holds empty cells, which an empty needle finds.
    return RowsChanged(rows, at, at);
}

bool ColumnIndex::RowsRemoved(int first, int count) {
    const std::size_t limit = 4096 + static_cast<std::size_t>(m_End) / 16;
    if (first < 0 || count <= 0 || m_Moves.size() >= kMaxPendingMoves ||
        m_StaleRows + static_cast<std::size_t>(count) + m_Changed.size() >= limit) {
        return false;
    }
    const Move move{first, count, true};
    m_Moves.push_back(move);
    m_StaleRows += static_cast<std::size_t>(count);
    MoveChangedRows(move);
    return true;
}

void ColumnIndex::ApplyMoves() {
    if (m_Moves.empty()) {
        return;
    }
    auto renumber = [&](std::int32_t row) {
        for (const Move& move : m_Moves) {
            row = move.Apply(row);
        }
        return row;
    };
    for (Entry& entry : m_Hashes) {
        entry.row = renumber(entry.row);
    }
    for (std::int32_t& row : m_PieceRows) {
        row = renumber(row);
    }
    m_Moves.clear();
}

void RowIndexes::RowInserted(const TableRows& rows, int at, std::uint64_t before, std::uint64_t after) {
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
