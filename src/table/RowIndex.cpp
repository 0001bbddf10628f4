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

// Judged by the lengths of rows spread over the column, without reading any text.
bool LooksTooLongToCopy(const TableCells& rows, int column, int end) {
    constexpr int kSamples = 1024;
    const int step = std::max(1, end / kSamples);
    std::uint64_t cells = 0;
    std::uint64_t bytes = 0;
    for (int r = 0; r < end; r += step) {
        if (const std::optional<std::string_view> cell = rows.Stored(r, column)) {
            ++cells;
            bytes += cell->size();
        }
    }
    return cells > 0 && bytes / cells > kMaxAveragePieceCell;
}

int BitsOf(std::uint64_t powerOfTwo) {
    int bits = 0;
    while ((std::uint64_t{1} << bits) < powerOfTwo) {
        ++bits;
    }
    return bits;
}

} // namespace

ColumnIndex::ColumnIndex(const TableCells& rows, int column, int end, const CellVisitor* visit)
    : m_Column(column), m_End(end) {
    const bool visits = visit != nullptr && LooksTooLongToCopy(rows, column, end);
    m_Sizes = BuildHashes(rows, end, visits ? visit : nullptr);
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
ColumnIndex::CellSizes ColumnIndex::BuildHashes(const TableCells& rows, int end, const CellVisitor* visit) {
    CellSizes sizes;
    const std::uint64_t buckets = PowerOfTwoAtLeast(static_cast<std::uint64_t>(std::max(end, 1)));
    m_HashMask = buckets - 1;
    std::vector<std::uint64_t> hashes;
    std::vector<std::int32_t> hashedRows;
    hashes.reserve(static_cast<std::size_t>(end));
    hashedRows.reserve(static_cast<std::size_t>(end));
    for (int r = 0; r < end; ++r) {
        rows.Prefetch(r + kPrefetchDistance, m_Column);
        if (const std::optional<std::string_view> cell = CellOf(rows, r)) {
            hashes.push_back(HashFoldedHead(*cell));
            hashedRows.push_back(r);
            if (visit != nullptr) {
                (*visit)(r, *cell);
            }
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

namespace {

// The copies are taken in blocks of this many, and the blocks in groups of 64, one bit of a word for each.
constexpr std::size_t kBlockCopies = 16;
constexpr std::size_t kGroupBlocks = 64;
constexpr std::uint32_t kFilterBits = 2048;

// Calls visit with the two filter bits of every three-byte piece of text, folded.
template <typename Visit>
void ForEachPieceBit(std::string_view text, Visit visit) {
    std::uint32_t piece = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        piece = (piece >> 8) | (static_cast<std::uint32_t>(FoldAscii(static_cast<unsigned char>(text[i]))) << 16);
        if (i >= 2) {
            // The upper bits of one multiplication by an odd constant spread every bit of the piece over them.
            const std::uint64_t value = piece * 0x9e3779b97f4a7c15ULL;
            visit(static_cast<std::uint32_t>(value >> 53));
            visit(static_cast<std::uint32_t>(value >> 42) & (kFilterBits - 1));
        }
    }
}

} // namespace

// Each block of copies has a filter of kFilterBits bits with two set for every three-byte piece in its copies: a
// block whose filter lacks a bit of the needle's pieces holds no copy with the needle and is passed without being
// read. With about 200 pieces in a block of terms, one bit in six is set, so a block without a piece of the
// needle is read one time in thirty. A group's filters are kept bit by bit, word f of the group holding filter
// bit f of each of its blocks, so that a search reads one word per bit of the needle for 64 blocks, and so that
// building writes only to the 16 KB of the group at hand.
void ColumnIndex::CopyCells(const TableCells& rows, int end) {
    m_Copies.reserve(static_cast<std::size_t>(m_Sizes.bytes + m_Sizes.cells));
    m_CopyStart.reserve(static_cast<std::size_t>(m_Sizes.cells) + 1);
    m_CopyRows.reserve(static_cast<std::size_t>(m_Sizes.cells));
    constexpr std::size_t kGroupCopies = kBlockCopies * kGroupBlocks;
    m_Filters.assign((static_cast<std::size_t>(m_Sizes.cells) + kGroupCopies - 1) / kGroupCopies * kFilterBits, 0);
    for (int r = 0; r < end; ++r) {
        rows.Prefetch(r + kPrefetchDistance, m_Column);
        if (const std::optional<std::string_view> cell = CellOf(rows, r)) {
            const std::size_t block = m_CopyRows.size() / kBlockCopies;
            std::uint64_t* group = m_Filters.data() + block / kGroupBlocks * kFilterBits;
            const std::uint64_t blockBit = std::uint64_t{1} << (block % kGroupBlocks);
            ForEachPieceBit(*cell, [group, blockBit](std::uint32_t bit) { group[bit] |= blockBit; });
            m_CopyStart.push_back(static_cast<std::uint32_t>(m_Copies.size()));
            m_CopyRows.push_back(r);
            m_Copies.insert(m_Copies.end(), cell->begin(), cell->end());
            m_Copies.push_back('\0');
        }
    }
    m_CopyStart.push_back(static_cast<std::uint32_t>(m_Copies.size()));
}

std::uint64_t ColumnIndex::BlocksThatMayHold(std::size_t group, const std::vector<std::uint32_t>& bits) const {
    const std::uint64_t* words = m_Filters.data() + group * kFilterBits;
    std::uint64_t blocks = ~std::uint64_t{0};
    for (const std::uint32_t bit : bits) {
        blocks &= words[bit];
    }
    return blocks;
}

// A place where the piece is found may run over the end of a copy into the next (a piece holding a NUL); the
// search then goes on from the next byte. A copy that holds the piece but does not match is passed without
// reading its row: every row not changed since the copies were made has its own true copy. A copy that matches is
// checked against its row, which after a removal may be another one.
int ColumnIndex::FirstCopyHolding(const RowNeedle& needle, int start, int end, const std::function<bool(int)>& matches,
                                  const std::function<bool(std::string_view)>& cellMatches) const {
    // Every piece is somewhere in a matching cell: the longest is the rarest.
    const std::string_view piece =
        needle.pieces[1].size() > needle.pieces[0].size() ? needle.pieces[1] : needle.pieces[0];
    std::vector<std::uint32_t> bits;
    for (const std::string_view each : needle.pieces) {
        ForEachPieceBit(each, [&bits](std::uint32_t bit) { bits.push_back(bit); });
    }
    // A handful of pieces rule out nearly every block that a longer needle would.
    constexpr std::size_t kMostBits = 12;
    if (bits.size() > kMostBits) {
        bits.resize(kMostBits);
    }
    const std::size_t count = m_CopyRows.size();
    const auto first =
        static_cast<std::size_t>(std::lower_bound(m_CopyRows.begin(), m_CopyRows.end(), start) - m_CopyRows.begin());
    if (bits.empty()) {
        return first < count ? FirstCopyIn(piece, first, count, end, matches, cellMatches) : -1;
    }
    for (std::size_t group = first / kBlockCopies / kGroupBlocks; group * kGroupBlocks * kBlockCopies < count;
         ++group) {
        std::uint64_t blocks = BlocksThatMayHold(group, bits);
        while (blocks != 0) {
            const std::size_t block = group * kGroupBlocks + static_cast<std::size_t>(__builtin_ctzll(blocks));
            blocks &= blocks - 1;
            if (block * kBlockCopies >= count) {
                break;
            }
            const std::size_t blockEnd = std::min((block + 1) * kBlockCopies, count);
            if (blockEnd <= first) {
                continue;
            }
            const int found =
                FirstCopyIn(piece, std::max(block * kBlockCopies, first), blockEnd, end, matches, cellMatches);
            if (found != -1 || m_CopyRows[blockEnd - 1] >= end) {
                return found;
            }
        }
        if (m_CopyRows[std::min((group + 1) * kGroupBlocks * kBlockCopies, count) - 1] >= end) {
            return -1;
        }
    }
    return -1;
}

int ColumnIndex::FirstCopyIn(std::string_view piece, std::size_t copy, std::size_t copyLimit, int end,
                             const std::function<bool(int)>& matches,
                             const std::function<bool(std::string_view)>& cellMatches) const {
    const std::string_view copies(m_Copies.data(), m_CopyStart[copyLimit]);
    std::size_t from = m_CopyStart[copy];
    std::size_t at = 0;
    while ((at = FindFolded(copies, piece, from)) != std::string_view::npos) {
        copy = static_cast<std::size_t>(std::upper_bound(m_CopyStart.begin() + static_cast<std::ptrdiff_t>(copy),
                                                         m_CopyStart.begin() + static_cast<std::ptrdiff_t>(copyLimit),
                                                         static_cast<std::uint32_t>(at)) -
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
    return -1;
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
    if (m_CopyStart.empty() || (needle.pieces[0].empty() && needle.pieces[1].empty())) {
        return false;
    }
    best = FirstCopyHolding(needle, start, end, matches, cellMatches);
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

const ColumnIndex* RowIndexes::For(const TableCells& rows, int column, int end, std::uint64_t version, bool withPieces,
                                   const ColumnIndex::CellVisitor* visit) {
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
    slot.index = std::make_unique<ColumnIndex>(rows, column, end, visit);
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
