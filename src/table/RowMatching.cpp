#include "table/AsciiFold.h"
#include "table/ClassTable.h"

#include <algorithm>

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

} // namespace

// Rows are scanned up to the logical row count: stored rows hidden by a shrinking Resize are not
// entries and never match.
int ClassTable::FindRow(int column, int startRow, std::string_view text, int mode) {
    if (!AccessGuard(kGuardShared)) {
        return -1;
    }
    int found = -1;
    const int end = std::min(RowCount(), StoredRowCount());
    if (column >= 0) {
        for (int r = std::max(startRow, 0); r < end; ++r) {
            const auto& cells = m_Rows[static_cast<std::size_t>(r)];
            if (static_cast<std::size_t>(column) < cells.size() &&
                CellMatches(cells[static_cast<std::size_t>(column)], text, mode)) {
                found = r;
                break;
            }
        }
    }
    AccessGuard(kGuardRelease);
    return found;
}

int ClassTable::FindRowAround(int column, int startRow, std::string_view prefix, std::string_view suffix) {
    if (!AccessGuard(kGuardShared)) {
        return -1;
    }
    int found = -1;
    const int end = std::min(RowCount(), StoredRowCount());
    if (column >= 0) {
        for (int r = std::max(startRow, 0); r < end; ++r) {
            const auto& cells = m_Rows[static_cast<std::size_t>(r)];
            if (static_cast<std::size_t>(column) >= cells.size()) {
                continue;
            }
            const std::string_view cell = cells[static_cast<std::size_t>(column)];
            if (cell.size() > prefix.size() + suffix.size() && BeginsWithFolded(cell, prefix) &&
                EndsWithFolded(cell, suffix)) {
                found = r;
                break;
            }
        }
    }
    AccessGuard(kGuardRelease);
    return found;
}

} // namespace lexaro
