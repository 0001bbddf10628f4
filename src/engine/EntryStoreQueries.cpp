#include "engine/EntryStore.h"
#include "table/SafeFile.h"

#include <algorithm>
#include <cstddef>

namespace lexaro {

namespace {

// Texts of this length or more never count as the shortest.
constexpr std::size_t kShortestStart = 4096;

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
    std::string bytes;
    try {
        const int rows = m_Entries.RowCount();
        const int columns = m_Entries.ColumnCount();
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                bytes += MainExplanation(m_Entries.PeekCell(c, r));
                if (c < columns - 1) {
                    bytes += m_Entries.Separator();
                }
            }
            bytes += "\r\n";
        }
    } catch (...) {
        m_Entries.AccessGuard(kGuardRelease);
        return false;
    }
    m_Entries.AccessGuard(kGuardRelease);
    if (!WriteFileSafely(path, bytes)) {
        return false;
    }
    m_Entries.SetFileName({});
    return true;
}

} // namespace lexaro
