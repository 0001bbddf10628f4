#include "engine/EntryStore.h"
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
    std::string piece;
    piece.reserve(kPlainPieceBytes + 4096);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const std::string_view cell = entries.CellView(c, r);
            piece.append(cell.substr(0, cell.find(kAdditionalOpen)));
            if (c < columns - 1) {
                piece.append(separator);
            }
        }
        piece.append("\r\n");
        if (piece.size() >= kPlainPieceBytes) {
            if (!write(piece)) {
                return false;
            }
            piece.clear();
        }
    }
    return write(piece);
}

} // namespace

// The first row that beats the best so far wins, so of two equally long cells the earlier one is reported.
std::string EntryStore::Extreme(int column, bool longest) {
    std::size_t best = longest ? 0 : kShortestStart;
    int bestRow = -1;
    // Lengths only: copying a million cells to measure them took longer than the comparison.
    for (int r = 0; r < m_Entries.RowCount(); ++r) {
        const auto length = static_cast<std::size_t>(std::max(m_Entries.CellLength(column, r), 0));
        if (longest ? length > best : length < best) {
            best = length;
            bestRow = r;
        }
    }
    if (bestRow < 0) {
        return {};
    }
    return std::to_string(best) + " ('" + m_Entries.GetCell(column, bestRow) + "')";
}

std::string EntryStore::LongestTerm() {
    return Extreme(kTermColumn, true);
}

std::string EntryStore::ShortestTerm() {
    return Extreme(kTermColumn, false);
}

std::string EntryStore::LongestExplanation() {
    return Extreme(kExplanationColumn, true);
}

std::string EntryStore::ShortestExplanation() {
    return Extreme(kExplanationColumn, false);
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
