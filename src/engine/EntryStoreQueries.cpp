#include "engine/EntryStore.h"
#include "table/PieceBuffer.h"
#include "table/SafeFile.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace lexaro {

namespace {

// Texts of this length or more never count as the shortest.
constexpr std::size_t kShortestStart = 4096;

constexpr std::size_t kPlainPieceBytes = std::size_t{1} << 20;

// In pieces of about a megabyte, made of the cells in place: copying every cell and growing one text of the
// whole table cost ten times as long as the writing. Running out of memory is a failed write of the safe writer.
bool WritePlainTextPieces(const ClassTable& entries, const PieceWriter& write) {
    const int rows = entries.RowCount();
    const int columns = entries.ColumnCount();
    const std::string& separator = entries.Separator();
    PieceBuffer piece(kPlainPieceBytes + 4096);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const std::string_view cell = entries.CellView(c, r);
            piece.Append(cell.substr(0, cell.find(kAdditionalOpen)));
            if (c < columns - 1) {
                piece.Append(separator);
            }
        }
        piece.Append("\r\n");
        if (piece.Size() >= kPlainPieceBytes) {
            if (!write(piece.Bytes())) {
                return false;
            }
            piece.Clear();
        }
    }
    return write(piece.Bytes());
}

} // namespace

namespace {

// The first row that beats the best so far wins, so of two equally long cells the earlier one is reported.
struct Extreme {
    bool longest;
    std::size_t best = longest ? 0 : kShortestStart;
    int row = -1;

    void Consider(int length, int r) {
        const auto size = static_cast<std::size_t>(std::max(length, 0));
        if (longest ? size > best : size < best) {
            best = size;
            row = r;
        }
    }
    std::string Shown(ClassTable& entries, int column) const {
        return row < 0 ? std::string() : std::to_string(best) + " ('" + entries.GetCell(column, row) + "')";
    }
};

} // namespace

EntryStore::Extremes EntryStore::FindExtremes() {
    Extreme longestTerm{true};
    Extreme shortestTerm{false};
    Extreme longestExplanation{true};
    Extreme shortestExplanation{false};
    // Lengths only, both columns in one pass: copying a million cells to measure them took longer than the
    // comparison, and each pass reads the row records of the whole table.
    for (int r = 0; r < m_Entries.RowCount(); ++r) {
        const int term = m_Entries.CellLength(kTermColumn, r);
        const int explanation = m_Entries.CellLength(kExplanationColumn, r);
        longestTerm.Consider(term, r);
        shortestTerm.Consider(term, r);
        longestExplanation.Consider(explanation, r);
        shortestExplanation.Consider(explanation, r);
    }
    return Extremes{longestTerm.Shown(m_Entries, kTermColumn), shortestTerm.Shown(m_Entries, kTermColumn),
                    longestExplanation.Shown(m_Entries, kExplanationColumn),
                    shortestExplanation.Shown(m_Entries, kExplanationColumn)};
}

bool EntryStore::ExportPlainText(const std::filesystem::path& path) {
    // Held for the whole export: a busy table must fail, not be written out as empty cells.
    if (!m_Entries.AccessGuard(kGuardShared)) {
        return false;
    }
    const bool written =
        WriteFileSafely(path, [this](const PieceWriter& write) { return WritePlainTextPieces(m_Entries, write); });
    m_Entries.AccessGuard(kGuardRelease);
    if (!written) {
        return false;
    }
    m_Entries.SetFileName({});
    return true;
}

} // namespace lexaro
