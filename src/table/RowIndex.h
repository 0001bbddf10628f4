#pragma once

#include "table/TableCells.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lexaro {

// What a row's cell must hold to be worth checking: a text equal to the needle ignoring case, or every piece
// somewhere inside it. The index only narrows the rows down; every row it proposes is checked by the caller.
struct RowNeedle {
    bool equal = false;
    // The match mode, which tells apart remembered answers for the same text.
    int mode = 0;
    std::string_view text;
    std::string_view pieces[2];
};

// The rows of one column by the folded hash of their cell and, for columns of short cells, a copy of their
// cells side by side, which a needle's piece is found in far faster than in cells scattered over memory. Rows changed
// after it was built are kept apart and checked one by one, until there are so many of them that the index is better
// built again.
class ColumnIndex {
public:
    // Called with each row's cell while the index is built.
    using CellVisitor = std::function<void(int row, std::string_view cell)>;

    // With visit, and when the column's cells look too long to be copied (which leaves a search for a piece to a
    // scan of the table), every stored cell is handed to visit while the index reads it: one pass over the
    // table then builds the index and answers that search too.
    ColumnIndex(const TableCells& rows, int column, int end, const CellVisitor* visit = nullptr);

    // The first row r with start <= r < end for which matches(r) holds, among the rows that may hold the needle;
    // false when the index cannot narrow this needle down (the caller scans instead). cellMatches tells the same
    // as matches for the text of a cell, which lets a copied cell be checked without reading the table.
    bool FindFirst(const RowNeedle& needle, int start, int end, const std::function<bool(int)>& matches,
                   const std::function<bool(std::string_view)>& cellMatches, int& found) const;
    // Rows first..last were stored or changed; false when the index should rather be dropped.
    bool RowsChanged(const TableCells& rows, int first, int last);
    // An empty row was inserted at row at; the rows from there on moved down by one. False when the index should
    // rather be dropped.
    bool RowInserted(const TableCells& rows, int at);
    // Rows first..first+count-1 were removed; the rows after them moved up by count. False when the index should
    // rather be dropped.
    bool RowsRemoved(int first, int count);
    // Brings the row numbers of the hashes, and with pieces those of the copied cells, up to date with the moves
    // since the last search.
    void ApplyMoves(bool pieces);
    // The cells are copied when a search first needs them: exact look-ups need only the hashes.
    void PreparePieces(const TableCells& rows, int end);

private:
    struct Entry {
        std::uint32_t tag;
        std::int32_t row;
    };

    // Rows that moved since the index was built: applied to the row numbers of the index before the next search.
    // The rows of a removed range are renumbered to the row before it, which keeps every list in order; such rows
    // are only proposed, and every proposed row is checked against the table.
    struct Move {
        int first = 0;
        int count = 0;
        bool removed = false;

        std::int32_t Apply(std::int32_t row) const;
    };

    struct CellSizes {
        std::uint64_t cells = 0;
        std::uint64_t bytes = 0;
    };

    CellSizes BuildHashes(const TableCells& rows, int end, const CellVisitor* visit);
    // Only for columns of short cells: a copy of long ones would double the memory of the table.
    void CopyCells(const TableCells& rows, int end);
    std::optional<std::string_view> CellOf(const TableCells& rows, int row) const;
    // The first row from start up to end whose copied cell holds the needle and for which matches holds; -1 if
    // none.
    int FirstCopyHolding(const RowNeedle& needle, int start, int end, const std::function<bool(int)>& matches,
                         const std::function<bool(std::string_view)>& cellMatches) const;
    // The first row among the copies copy up to copyLimit, as FirstCopyHolding.
    int FirstCopyIn(std::string_view piece, std::size_t copy, std::size_t copyLimit, int end,
                    const std::function<bool(int)>& matches,
                    const std::function<bool(std::string_view)>& cellMatches) const;
    // The blocks of the group, one bit each, whose filters have all these bits set.
    std::uint64_t BlocksThatMayHold(std::size_t group, const std::vector<std::uint32_t>& bits) const;
    bool IsChanged(int row) const { return !m_Changed.empty() && m_Changed.count(row) != 0; }
    int FirstChanged(int start, int limit, const std::function<bool(int)>& matches) const;

    int m_Column = 0;
    int m_End = 0;
    std::uint64_t m_HashMask = 0;
    std::vector<std::uint32_t> m_HashStart;
    std::vector<Entry> m_Hashes;
    // The copied cells, each followed by a NUL, where m_CopyStart says, of the rows m_CopyRows says (in row
    // order); m_CopyStart has one more entry, the end.
    std::vector<char> m_Copies;
    std::vector<std::uint32_t> m_CopyStart;
    std::vector<std::int32_t> m_CopyRows;
    std::vector<std::uint64_t> m_Filters;
    // Keeps the changed rows numbered as the table is now.
    void MoveChangedRows(const Move& move);
    // Records a move for the hashes and, once they are made, the copied cells.
    void Follow(const Move& move);
    void ApplyCopyMoves();
    static std::int32_t OriginalRow(const std::vector<std::int32_t>& inserts, std::int32_t at);

    CellSizes m_Sizes;
    bool m_PiecesWanted = false;
    std::vector<Move> m_Moves;
    // Moves the copied cells have not followed yet: a paste looks its term up exactly, and renumbering a million
    // copies for every paste would cost more than the rest of it.
    std::vector<Move> m_CopyMoves;
    // Entries left behind by removed rows; with the changed rows they count towards building the index again.
    std::size_t m_StaleRows = 0;
    std::set<int> m_Changed;
    std::unordered_map<int, std::uint64_t> m_ChangedHash;
    std::unordered_map<std::uint64_t, std::vector<int>> m_ChangedByHash;
};

// The column indexes of one table. Each belongs to one version of the table; a change the indexes cannot follow
// leaves them behind and they are dropped. Copying a table never copies its indexes.
class RowIndexes {
public:
    RowIndexes() = default;
    RowIndexes(const RowIndexes&) {}
    RowIndexes& operator=(const RowIndexes&) {
        Drop();
        return *this;
    }
    RowIndexes(RowIndexes&&) noexcept {}
    RowIndexes& operator=(RowIndexes&&) noexcept {
        Drop();
        return *this;
    }
    ~RowIndexes() = default;

    // The index of the column for this version of the table; it is built once the column has been searched
    // twice in the same version of a table of at least MinRows rows. Null while there is none. withPieces: the
    // search needs the piece lists, which are then built if the column gets them. visit: as for ColumnIndex, used
    // only when the index is built now.
    const ColumnIndex* For(const TableCells& rows, int column, int end, std::uint64_t version, bool withPieces,
                           const ColumnIndex::CellVisitor* visit = nullptr);
    // The table went from version before to after by storing rows first..last.
    void RowsChanged(const TableCells& rows, int first, int last, std::uint64_t before, std::uint64_t after);
    // The table went from version before to after by inserting an empty row at row at.
    void RowInserted(const TableCells& rows, int at, std::uint64_t before, std::uint64_t after);
    // The table went from version before to after by removing count rows from row first on.
    void RowsRemoved(int first, int count, std::uint64_t before, std::uint64_t after);
    // The table went from version before to after without a change to what FindRow can see.
    void Unchanged(std::uint64_t before, std::uint64_t after);
    void Drop();

    // The answer of an earlier search in this version that settles this one: it found row hit as the first match
    // from row from (or nothing, hit -1), so every start from from up to hit has the same answer.
    bool Recall(int column, int mode, std::string_view text, std::string_view suffix, int start, std::uint64_t version,
                int& found) const;
    void Remember(int column, int mode, std::string_view text, std::string_view suffix, int start, int found,
                  std::uint64_t version);

    int MinRows() const { return m_MinRows; }
    void SetMinRows(int rows) { m_MinRows = rows; }

private:
    struct Slot {
        std::unique_ptr<ColumnIndex> index;
        std::uint64_t version = 0;
        std::uint64_t searchedVersion = 0;
        int searches = 0;
    };

    struct Answer {
        std::uint64_t version = 0;
        int column = -1;
        int mode = 0;
        std::string text;
        std::string suffix;
        int from = 0;
        int hit = -1;
    };

    // Each index of version before that follows the change (follow returns true) belongs to version after; the
    // others are dropped.
    template <typename Follow>
    void FollowOrDrop(std::uint64_t before, std::uint64_t after, Follow follow) {
        for (Slot& slot : m_Slots) {
            if (slot.index && slot.version == before && follow(*slot.index)) {
                slot.version = after;
            } else {
                slot.index.reset();
            }
        }
    }

    std::vector<Slot> m_Slots;
    std::vector<Answer> m_Answers;
    std::size_t m_NextAnswer = 0;
    int m_MinRows = 2048;
};

} // namespace lexaro
