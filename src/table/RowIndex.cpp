#include "table/RowIndex.h"

#include "table/AsciiFold.h"
#include "table/GroupByKey.h"

#include <algorithm>
#include <climits>

namespace lexaro {

namespace {

// Columns whose cells are longer than this on average (explanations) are not copied.
constexpr std::uint64_t kMaxAveragePieceCell = 48;
constexpr int kMaxIndexedColumn = 64;
// Searches that walk through every hit, or try several modes in turn, ask about the same text again and again.
constexpr std::size_t kRememberedAnswers = 16;

std::uint64_t PowerOfTwoAtLeast(std::uint64_t value) {
    std::uint64_t power = 1;
    while (power < value) {
        power <<= 1;
    }
    return power;
}

// The cells of a column lie far apart in the document, one or more cache misses each: asking for them some rows
// ahead keeps several reads in flight while the index is built.
constexpr int kPrefetchDistance = 16;

void PrefetchCell(const TableCells& rows, int column, int row) {
    if (const char* text = rows.Where(row, column)) {
        __builtin_prefetch(text);
    }
}

int BitsOf(std::uint64_t powerOfTwo) {
    int bits = 0;
    while ((std::uint64_t{1} << bits) < powerOfTwo) {
        ++bits;
    }
    return bits;
}

} // namespace

ColumnIndex::ColumnIndex(const TableCells& rows, int column, int end) : m_Column(column), m_End(end) {
    m_Sizes = BuildHashes(rows, end);
    m_PiecesWanted = m_Sizes.cells > 0 && m_Sizes.bytes / m_Sizes.cells <= kMaxAveragePieceCell &&
                     m_Sizes.bytes + m_Sizes.cells < UINT32_MAX;
}

void ColumnIndex::PreparePieces(const TableCells& rows, int end) {
    if (m_PiecesWanted && m_CopyStart.empty()) {
        CopyCells(rows, end);
    }
}

std::optional<std::string_view> ColumnIndex::CellOf(const TableCells& rows, int row) const {
    return rows.Stored(row, m_Column);
}

// Entries are grouped by bucket and, inside a bucket, kept in row order, so the first fitting entry is the
// first row.
ColumnIndex::CellSizes ColumnIndex::BuildHashes(const TableCells& rows, int end) {
    CellSizes sizes;
    const std::uint64_t buckets = PowerOfTwoAtLeast(static_cast<std::uint64_t>(std::max(end, 1)));
    m_HashMask = buckets - 1;
    std::vector<std::uint64_t> hashes;
    std::vector<std::int32_t> hashedRows;
    hashes.reserve(static_cast<std::size_t>(end));
    hashedRows.reserve(static_cast<std::size_t>(end));
    for (int r = 0; r < end; ++r) {
        PrefetchCell(rows, m_Column, r + kPrefetchDistance);
        if (const std::optional<std::string_view> cell = CellOf(rows, r)) {
            hashes.push_back(HashFoldedHead(*cell));
            hashedRows.push_back(r);
            ++sizes.cells;
            sizes.bytes += cell->size();
        }
    }
    GroupByKey<Entry>(
        BitsOf(buckets),
        [&](const auto& emit) {
            for (std::size_t k = 0; k < hashes.size(); ++k) {
                emit(static_cast<std::uint32_t>(hashes[k] & m_HashMask),
                     Entry{static_cast<std::uint32_t>(hashes[k] >> 32), hashedRows[k]});
            }
        },
        m_Hashes, m_HashStart);
    return sizes;
}

void ColumnIndex::CopyCells(const TableCells& rows, int end) {
    m_Copies.reserve(static_cast<std::size_t>(m_Sizes.bytes + m_Sizes.cells));
    m_CopyStart.reserve(static_cast<std::size_t>(m_Sizes.cells) + 1);
    m_CopyRows.reserve(static_cast<std::size_t>(m_Sizes.cells));
    for (int r = 0; r < end; ++r) {
        PrefetchCell(rows, m_Column, r + kPrefetchDistance);
        if (const std::optional<std::string_view> cell = CellOf(rows, r)) {
            m_CopyStart.push_back(static_cast<std::uint32_t>(m_Copies.size()));
            m_CopyRows.push_back(r);
            m_Copies.insert(m_Copies.end(), cell->begin(), cell->end());
            m_Copies.push_back('\0');
        }
    }
    m_CopyStart.push_back(static_cast<std::uint32_t>(m_Copies.size()));
}

// A place where the piece is found may run over the end of a copy into the next (a piece holding a NUL); the
// search then goes on from the next byte. A copy that holds the piece but does not match is passed without
// reading its row: every row not changed since the copies were made has its own true copy. A copy that matches is
// checked against its row, which after a removal may be another one.
int ColumnIndex::FirstCopyHolding(std::string_view piece, int start, int end, const std::function<bool(int)>& matches,
                                  const std::function<bool(std::string_view)>& cellMatches) const {
    const std::string_view copies(m_Copies.data(), m_Copies.size());
    const auto first = std::lower_bound(m_CopyRows.begin(), m_CopyRows.end(), start) - m_CopyRows.begin();
    std::size_t from = m_CopyStart[static_cast<std::size_t>(first)];
    while (true) {
        const std::size_t at = FindFolded(copies, piece, from);
        if (at == std::string_view::npos) {
            return -1;
        }
        const auto copy = static_cast<std::size_t>(
            std::upper_bound(m_CopyStart.begin(), m_CopyStart.end(), static_cast<std::uint32_t>(at)) -
            m_CopyStart.begin() - 1);
        const std::size_t copyEnd = m_CopyStart[copy + 1] - 1;
        if (at + piece.size() > copyEnd) {
            from = at + 1;
            continue;
        }
        const std::int32_t row = m_CopyRows[copy];
        if (row >= end) {
            return -1;
        }
        if (!IsChanged(row) && cellMatches(copies.substr(m_CopyStart[copy], copyEnd - m_CopyStart[copy])) &&
            matches(row)) {
            return row;
        }
        from = copyEnd + 1;
    }
}

int ColumnIndex::FirstChanged(int start, int limit, const std::function<bool(int)>& matches) const {
    for (auto it = m_Changed.lower_bound(start); it != m_Changed.end() && *it < limit; ++it) {
        if (matches(*it)) {
            return *it;
        }
    }
    return -1;
}

bool ColumnIndex::FindFirst(const RowNeedle& needle, int start, int end, const std::function<bool(int)>& matches,
                            const std::function<bool(std::string_view)>& cellMatches, int& found) const {
    int best = -1;
    if (needle.equal) {
        const std::uint64_t hash = HashFoldedHead(needle.text);
        const std::uint64_t bucket = hash & m_HashMask;
        const auto tag = static_cast<std::uint32_t>(hash >> 32);
        for (std::uint32_t k = m_HashStart[bucket]; k < m_HashStart[bucket + 1]; ++k) {
            const Entry& entry = m_Hashes[k];
            if (entry.row >= end) {
                break;
            }
            if (entry.row >= start && entry.tag == tag && !IsChanged(entry.row) && matches(entry.row)) {
                best = entry.row;
                break;
            }
        }
        if (const auto it = m_ChangedByHash.find(hash); it != m_ChangedByHash.end()) {
            for (const int row : it->second) {
                if (row >= start && row < (best == -1 ? end : best) && matches(row)) {
                    best = row;
                }
            }
        }
        found = best;
        return true;
    }
    // Every piece is somewhere in a matching cell: the longest is the rarest.
    const std::string_view piece =
        needle.pieces[1].size() > needle.pieces[0].size() ? needle.pieces[1] : needle.pieces[0];
    if (m_CopyStart.empty() || piece.empty()) {
        return false;
    }
    best = FirstCopyHolding(piece, start, end, matches, cellMatches);
    const int changed = FirstChanged(start, best == -1 ? end : best, matches);
    found = changed != -1 ? changed : best;
    return true;
}

bool ColumnIndex::RowsChanged(const TableCells& rows, int first, int last) {
    const std::size_t limit = 4096 + static_cast<std::size_t>(m_End) / 16;
    if (first < 0 || last < first || static_cast<std::size_t>(last - first) + m_Changed.size() + m_StaleRows >= limit) {
        return false;
    }
    for (int r = first; r <= last; ++r) {
        m_Changed.insert(r);
        if (const auto old = m_ChangedHash.find(r); old != m_ChangedHash.end()) {
            auto& listed = m_ChangedByHash[old->second];
            listed.erase(std::remove(listed.begin(), listed.end(), r), listed.end());
            if (listed.empty()) {
                m_ChangedByHash.erase(old->second);
            }
            m_ChangedHash.erase(old);
        }
        if (const std::optional<std::string_view> cell = CellOf(rows, r)) {
            const std::uint64_t hash = HashFoldedHead(*cell);
            m_ChangedHash[r] = hash;
            m_ChangedByHash[hash].push_back(r);
        }
    }
    return true;
}

const ColumnIndex* RowIndexes::For(const TableCells& rows, int column, int end, std::uint64_t version,
                                   bool withPieces) {
    if (column < 0 || column >= kMaxIndexedColumn || end < m_MinRows) {
        return nullptr;
    }
    if (m_Slots.size() <= static_cast<std::size_t>(column)) {
        m_Slots.resize(static_cast<std::size_t>(column) + 1);
    }
    Slot& slot = m_Slots[static_cast<std::size_t>(column)];
    if (slot.index && slot.version == version) {
        slot.index->ApplyMoves(withPieces);
        if (withPieces) {
            slot.index->PreparePieces(rows, end);
        }
        return slot.index.get();
    }
    slot.index.reset();
    if (slot.searchedVersion != version) {
        slot.searchedVersion = version;
        slot.searches = 0;
    }
    // A table that changes between every two searches is cheaper to scan than to index.
    if (++slot.searches < 2) {
        return nullptr;
    }
    slot.index = std::make_unique<ColumnIndex>(rows, column, end);
    slot.version = version;
    if (withPieces) {
        slot.index->PreparePieces(rows, end);
    }
    return slot.index.get();
}

void RowIndexes::RowsChanged(const TableCells& rows, int first, int last, std::uint64_t before, std::uint64_t after) {
    FollowOrDrop(before, after, [&](ColumnIndex& index) { return index.RowsChanged(rows, first, last); });
}

void RowIndexes::Unchanged(std::uint64_t before, std::uint64_t after) {
    FollowOrDrop(before, after, [](ColumnIndex&) { return true; });
}

void RowIndexes::Drop() {
    m_Slots.clear();
    m_Answers.clear();
    m_NextAnswer = 0;
}

bool RowIndexes::Recall(int column, int mode, std::string_view text, std::string_view suffix, int start,
                        std::uint64_t version, int& found) const {
    for (const Answer& answer : m_Answers) {
        if (answer.version == version && answer.column == column && answer.mode == mode && start >= answer.from &&
            (answer.hit == -1 || start <= answer.hit) && answer.text == text && answer.suffix == suffix) {
            found = answer.hit;
            return true;
        }
    }
    return false;
}

void RowIndexes::Remember(int column, int mode, std::string_view text, std::string_view suffix, int start, int found,
                          std::uint64_t version) {
    if (m_Answers.size() < kRememberedAnswers) {
        m_Answers.emplace_back();
        m_NextAnswer = m_Answers.size() - 1;
    }
    Answer& answer = m_Answers[m_NextAnswer];
    m_NextAnswer = (m_NextAnswer + 1) % kRememberedAnswers;
    answer.version = version;
    answer.column = column;
    answer.mode = mode;
    answer.text.assign(text);
    answer.suffix.assign(suffix);
    answer.from = start;
    answer.hit = found;
}

} // namespace lexaro
