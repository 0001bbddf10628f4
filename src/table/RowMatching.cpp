#include "table/AsciiFold.h"
#include "table/ClassTable.h"

#include <algorithm>
#include <new>

namespace lexaro {

namespace {

bool IsBlankCommaOrStop(char ch) {
    return ch == ' ' || ch == ',' || ch == '.';
}

bool IsWordBoundary(char ch) {
    return ch == ' ' || ch == ',' || ch == ';';
}

bool BeginsWithFolded(std::string_view cell, std::string_view text) {
    return cell.size() >= text.size() && EqualsFolded(cell.substr(0, text.size()), text);
}

bool EndsWithFolded(std::string_view cell, std::string_view text) {
    return cell.size() >= text.size() && EqualsFolded(cell.substr(cell.size() - text.size()), text);
}

bool CellMatches(std::string_view cell, std::string_view text, int mode) {
    switch (mode) {
    case kMatchEqualNoCase:
        return EqualsFolded(cell, text);
    case kMatchBeginsWord:
        return BeginsWithFolded(cell, text) && (cell.size() == text.size() || !IsBlankCommaOrStop(cell[text.size()]));
    case kMatchWholeWord: {
        const auto n = FindFolded(cell, text);
        if (n == std::string_view::npos) {
            return false;
        }
        const auto after = n + text.size();
        if (after < cell.size() && !IsWordBoundary(cell[after])) {
            return false;
        }
        return n == 0 || IsWordBoundary(cell[n - 1]);
    }
    case kMatchContains:
        return FindFolded(cell, text) != std::string_view::npos;
    case kMatchBeginsWith:
        return BeginsWithFolded(cell, text);
    case kMatchEndsWith:
        return EndsWithFolded(cell, text);
    default:
        return cell == text;
    }
}

// Tells remembered answers of FindRowAround apart from those of FindRow.
constexpr int kAroundMode = -1;

} // namespace

// Rows are searched up to the logical row count: stored rows hidden by a shrinking Resize are not entries and
// never match. The index only proposes rows; each is checked with the same rule as the plain scan, which runs
// whenever the index cannot narrow the text down.
int ClassTable::FirstMatchingRow(int column, int startRow, const RowNeedle& needle,
                                 const std::function<bool(std::string_view)>& cellMatches) {
    const int end = std::min(RowCount(), StoredRowCount());
    const int start = std::max(startRow, 0);
    if (column < 0 || start >= end) {
        return -1;
    }
    int found = -1;
    if (m_Indexes.Recall(column, needle.mode, needle.pieces[0], needle.pieces[1], start, m_Version, found)) {
        return found;
    }
    found = FirstMatchingRowIn(column, start, end, needle, cellMatches);
    m_Indexes.Remember(column, needle.mode, needle.pieces[0], needle.pieces[1], start, found, m_Version);
    return found;
}

int ClassTable::FirstMatchingRowIn(int column, int start, int end, const RowNeedle& needle,
                                   const std::function<bool(std::string_view)>& cellMatches) {
    auto matches = [&](int row) {
        const std::optional<std::string_view> cell = m_Cells.Stored(row, column);
        return cell && cellMatches(*cell);
    };
    // An index that this search builds for a column of long cells hands over every cell as it reads it: the search
    // is answered by the same pass. (One reference captured, so that making the visitor allocates nothing.)
    struct Visits {
        bool any = false;
        int found = -1;
        int start = 0;
        const std::function<bool(std::string_view)>* cellMatches = nullptr;
    } visits{false, -1, start, &cellMatches};
    const ColumnIndex::CellVisitor visit = [&visits](int row, std::string_view cell) {
        visits.any = true;
        if (visits.found == -1 && row >= visits.start && (*visits.cellMatches)(cell)) {
            visits.found = row;
        }
    };
    try {
        if (const ColumnIndex* index =
                m_Indexes.For(m_Cells, column, end, m_Version, !needle.equal, needle.equal ? nullptr : &visit)) {
            if (visits.any) {
                return visits.found;
            }
            int found = -1;
            if (index->FindFirst(needle, start, end, matches, cellMatches, found)) {
                return found;
            }
        }
    } catch (const std::bad_alloc&) {
        // Without memory for an index the scan still gives the answer.
        m_Indexes.Drop();
    }
    for (int r = start; r < end; ++r) {
        if (matches(r)) {
            return r;
        }
    }
    return -1;
}

int ClassTable::FindRow(int column, int startRow, std::string_view text, int mode) {
    if (!AccessGuard(kGuardShared)) {
        return -1;
    }
    RowNeedle needle;
    needle.text = text;
    needle.equal = mode < kMatchBeginsWord || mode > kMatchEndsWith;
    // Every mode outside 1-6 compares exactly, like mode 0.
    needle.mode = needle.equal && mode != kMatchEqualNoCase ? kMatchExact : mode;
    needle.pieces[0] = text;
    const int found = FirstMatchingRow(column, startRow, needle,
                                       [&](std::string_view cell) { return CellMatches(cell, text, mode); });
    AccessGuard(kGuardRelease);
    return found;
}

int ClassTable::FindRowAround(int column, int startRow, std::string_view prefix, std::string_view suffix) {
    if (!AccessGuard(kGuardShared)) {
        return -1;
    }
    RowNeedle needle;
    needle.mode = kAroundMode;
    needle.pieces[0] = prefix;
    needle.pieces[1] = suffix;
    const int found = FirstMatchingRow(column, startRow, needle, [&](std::string_view cell) {
        return cell.size() > prefix.size() + suffix.size() && BeginsWithFolded(cell, prefix) &&
               EndsWithFolded(cell, suffix);
    });
    AccessGuard(kGuardRelease);
    return found;
}

} // namespace lexaro
