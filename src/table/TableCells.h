#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace lexaro {

// The stored cells of a table: rows of cells, each row a small record naming its run of cell references.
// A cell's bytes lie either in the document the table was read from, kept whole in memory of the table's own
// and never changed, or in an arena of the texts stored since. So a load makes no allocation per cell, a
// cleared table frees a handful of blocks, and moving, inserting or deleting rows moves no text.
class TableCells {
public:
    int RowCount() const { return static_cast<int>(m_Rows.size()); }
    int CellCount(int row) const { return static_cast<int>(m_Rows[static_cast<std::size_t>(row)].count); }

    // The cell if the row is stored and has the column, otherwise nothing.
    std::optional<std::string_view> Stored(int row, int column) const {
        if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= m_Rows.size()) {
            return std::nullopt;
        }
        const Row& record = m_Rows[static_cast<std::size_t>(row)];
        if (static_cast<std::uint32_t>(column) >= record.count) {
            return std::nullopt;
        }
        return Text(m_Cells[record.first + static_cast<std::uint32_t>(column)]);
    }
    // Asks for the start of the cell's text to be fetched into the cache, if the row has the cell: a pass over a
    // column reads cells lying far apart, and asking some rows ahead keeps several reads in flight.
    void Prefetch(int row, int column) const;

    // Keeps document as the memory that stored texts lying inside it refer to instead of being copied.
    void KeepDocument(std::shared_ptr<const void> owner, std::string_view document);
    void Clear();
    void Reserve(std::size_t rows, std::size_t cells);

    // Appends a row of these cells.
    void AppendRow(std::span<const std::string_view> cells);
    // Appends count rows of cells empty cells each.
    void AppendRows(std::size_t count, std::size_t cells);
    void InsertRow(int at, std::size_t cells);
    void EraseRows(int first, int count);
    // Gives the row at least cells cells, the new ones empty.
    void Widen(int row, std::size_t cells);
    // Stores text into a cell the row has.
    void Store(int row, int column, std::string_view text);
    // Puts the rows first + order[i] at first + i.
    void Reorder(int first, const std::vector<std::uint32_t>& order);

private:
    struct Row {
        std::uint32_t first = 0;
        std::uint32_t count = 0;
    };
    // Twelve bytes: a million rows of three cells cost 36 MB beside their text.
    struct Cell {
        std::uint32_t length = 0;
        std::uint32_t offsetLow = 0;
        std::uint16_t offsetHigh = 0;
        std::uint16_t inArena = 0;
    };

    static std::size_t Offset(const Cell& cell) {
        return static_cast<std::size_t>(cell.offsetLow) | (static_cast<std::size_t>(cell.offsetHigh) << 32);
    }
    std::string_view Text(const Cell& cell) const {
        if (cell.length == 0) {
            return {};
        }
        const char* base = cell.inArena != 0 ? m_Arena.data() : m_Document.data();
        return {base + Offset(cell), cell.length};
    }
    // Puts text into the cell: a reference into the document when the text lies inside it, otherwise a copy in
    // the arena.
    void WriteCell(Cell& target, std::string_view text);
    // Room for count more cell references; their index.
    std::uint32_t GrowCells(std::size_t count);
    void Forget(const Row& row);
    // Rewrites the references and the arena without what no row refers to any more once that is the larger part,
    // so that editing the same cells over and over does not grow the table without end. The rewrite costs as
    // much as the memory in use, so it is paid for by as much waste.
    void CompactIfWasteful();

    std::vector<Row> m_Rows;
    std::vector<Cell> m_Cells;
    std::vector<char> m_Arena;
    std::shared_ptr<const void> m_DocumentOwner;
    std::string_view m_Document;
    // References and arena bytes that no row refers to any more.
    std::size_t m_DeadCells = 0;
    std::size_t m_DeadBytes = 0;
};

} // namespace lexaro
