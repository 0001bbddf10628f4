#include "table/RowIndex.h"

#include "table/AsciiFold.h"

#include <algorithm>
#include <climits>

namespace lexaro {

namespace {

// Columns whose cells are longer than this on average (explanations) get no piece lists.
constexpr std::uint64_t kMaxAveragePieceCell = 48;
constexpr int kMaxIndexedColumn = 64;
// Enough for the three-byte pieces of real text, and small enough to stay in the cache while building.
constexpr std::uint64_t kMaxPieceBuckets = 1U << 16;
// Rows proposed for a needle are on the shortest lists of its pieces, up to this many lists.
constexpr std::size_t kIntersectedLists = 3;
// Searches that walk through every hit, or try several modes in turn, ask about the same text again and again.
constexpr std::size_t kRememberedAnswers = 16;

std::uint64_t PowerOfTwoAtLeast(std::uint64_t value) {
    std::uint64_t power = 1;
    while (power < value) {
        power <<= 1;
    }
    return power;
}

} // namespace

ColumnIndex::ColumnIndex(const TableCells& rows, int column, int end) : m_Column(column), m_End(end) {
    m_Sizes = BuildHashes(rows, end);
    m_PiecesWanted =
        m_Sizes.cells > 0 && m_Sizes.bytes / m_Sizes.cells <= kMaxAveragePieceCell && m_Sizes.pieces <= UINT32_MAX;
}

void ColumnIndex::PreparePieces(const TableCells& rows, int end) {
    if (m_PiecesWanted && m_PieceStart.empty()) {
        BuildPieces(rows, end, m_Sizes);
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
    m_HashStart.assign(buckets + 1, 0);
    std::vector<std::uint64_t> hashes(static_cast<std::size_t>(end));
    std::vector<bool> present(static_cast<std::size_t>(end));
    for (int r = 0; r < end; ++r) {
        if (const std::optional<std::string_view> cell = CellOf(rows, r)) {
            const std::uint64_t hash = HashFolded(*cell);
            hashes[static_cast<std::size_t>(r)] = hash;
            present[static_cast<std::size_t>(r)] = true;
            ++m_HashStart[(hash & m_HashMask) + 1];
            ++sizes.cells;
            sizes.bytes += cell->size();
            sizes.pieces += cell->size() > 2 ? cell->size() - 2 : 0;
        }
    }
    for (std::size_t b = 1; b < m_HashStart.size(); ++b) {
        m_HashStart[b] += m_HashStart[b - 1];
    }
    m_Hashes.resize(m_HashStart.back());
    std::vector<std::uint32_t> next(m_HashStart.begin(), m_HashStart.end() - 1);
    for (int r = 0; r < end; ++r) {
        if (present[static_cast<std::size_t>(r)]) {
            const std::uint64_t hash = hashes[static_cast<std::size_t>(r)];
            m_Hashes[next[hash & m_HashMask]++] = Entry{static_cast<std::uint32_t>(hash >> 32), r};
        }
    }
    return sizes;
}

std::uint32_t ColumnIndex::PieceBucket(const char* three) const {
    std::uint32_t value = FoldAscii(static_cast<unsigned char>(three[0])) |
                          (static_cast<std::uint32_t>(FoldAscii(static_cast<unsigned char>(three[1]))) << 8) |
                          (static_cast<std::uint32_t>(FoldAscii(static_cast<unsigned char>(three[2]))) << 16);
    value ^= value >> 15;
    value *= 0x2c1b3c6dU;
    value ^= value >> 12;
    value *= 0x297a2d39U;
    value ^= value >> 15;
    return value & m_PieceMask;
}

// Each row is listed once under every bucket of its three-byte pieces, in row order. The buckets of every row
// are gathered first, so the cells are read only once.
void ColumnIndex::BuildPieces(const TableCells& rows, int end, const CellSizes& sizes) {
    const std::uint64_t cells = sizes.cells;
    const std::uint64_t pieces = sizes.pieces;
    const std::uint64_t buckets = std::clamp<std::uint64_t>(PowerOfTwoAtLeast(cells / 16), 1024, kMaxPieceBuckets);
    m_PieceMask = static_cast<std::uint32_t>(buckets - 1);
    m_PieceStart.assign(buckets + 1, 0);
    std::vector<std::uint16_t> rowBuckets;
    rowBuckets.reserve(static_cast<std::size_t>(pieces));
    std::vector<std::uint32_t> rowEnd(static_cast<std::size_t>(end));
    // The last row (plus one) listed under each bucket: a row is listed once however often a piece recurs.
    std::vector<std::uint32_t> listedFor(buckets, 0);
    for (int r = 0; r < end; ++r) {
        const std::optional<std::string_view> cell = CellOf(rows, r);
        const auto mark = static_cast<std::uint32_t>(r) + 1;
        for (std::size_t i = 0; cell && i + 3 <= cell->size(); ++i) {
            const std::uint32_t bucket = PieceBucket(cell->data() + i);
            if (listedFor[bucket] != mark) {
                listedFor[bucket] = mark;
                rowBuckets.push_back(static_cast<std::uint16_t>(bucket));
                ++m_PieceStart[bucket + 1U];
            }
        }
        rowEnd[static_cast<std::size_t>(r)] = static_cast<std::uint32_t>(rowBuckets.size());
    }
    for (std::size_t b = 1; b < m_PieceStart.size(); ++b) {
        m_PieceStart[b] += m_PieceStart[b - 1];
    }
    m_PieceRows.resize(m_PieceStart.back());
    std::vector<std::uint32_t> next(m_PieceStart.begin(), m_PieceStart.end() - 1);
    std::size_t k = 0;
    for (int r = 0; r < end; ++r) {
        for (; k < rowEnd[static_cast<std::size_t>(r)]; ++k) {
            m_PieceRows[next[rowBuckets[k]]++] = r;
        }
    }
}

std::vector<ColumnIndex::RowList> ColumnIndex::ShortestPieceLists(const RowNeedle& needle) const {
    std::vector<RowList> lists;
    if (m_PieceStart.empty()) {
        return lists;
    }
    std::vector<std::uint32_t> buckets;
    for (std::string_view piece : needle.pieces) {
        for (std::size_t i = 0; i + 3 <= piece.size(); ++i) {
            buckets.push_back(PieceBucket(piece.data() + i));
        }
    }
    std::sort(buckets.begin(), buckets.end());
    buckets.erase(std::unique(buckets.begin(), buckets.end()), buckets.end());
    for (const std::uint32_t bucket : buckets) {
        lists.push_back(
            RowList{m_PieceRows.data() + m_PieceStart[bucket], m_PieceRows.data() + m_PieceStart[bucket + 1]});
    }
    std::sort(lists.begin(), lists.end(),
              [](const RowList& a, const RowList& b) { return a.end - a.begin < b.end - b.begin; });
    if (lists.size() > kIntersectedLists) {
        lists.resize(kIntersectedLists);
    }
    return lists;
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
                            int& found) const {
    int best = -1;
    if (needle.equal) {
        const std::uint64_t hash = HashFolded(needle.text);
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
    std::vector<RowList> lists = ShortestPieceLists(needle);
    if (lists.empty()) {
        return false;
    }
    // Only rows on every list are checked against the table; the lists are sorted, so each is walked once.
    for (RowList& list : lists) {
        list.begin = std::lower_bound(list.begin, list.end, start);
    }
    for (const std::int32_t* it = lists[0].begin; it != lists[0].end && *it < end; ++it) {
        bool onEveryList = true;
        for (std::size_t k = 1; k < lists.size() && onEveryList; ++k) {
            RowList& other = lists[k];
            other.begin = std::lower_bound(other.begin, other.end, *it);
            onEveryList = other.begin != other.end && *other.begin == *it;
        }
        if (onEveryList && !IsChanged(*it) && matches(*it)) {
            best = *it;
            break;
        }
    }
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
            const std::uint64_t hash = HashFolded(*cell);
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
