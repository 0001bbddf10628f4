#include "table/TableCells.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>
#include <stdexcept>
#include <utility>

namespace lexaro {

namespace {

// Memory of unused references and arena bytes is tolerated up to as much as is in use, plus this much.
constexpr std::size_t kToleratedWaste = 4096;
constexpr std::size_t kLargestOffset = (std::size_t{1} << 48) - 1;

bool Inside(std::string_view text, std::string_view block) {
    const std::less_equal<const char*> notAfter;
    return !block.empty() && notAfter(block.data(), text.data()) &&
           notAfter(text.data() + text.size(), block.data() + block.size());
}

} // namespace

void TableCells::Prefetch(int row, int column) const {
    if (const std::optional<std::string_view> cell = Stored(row, column); cell && !cell->empty()) {
        // A short cell may still run over into the next cache line.
        __builtin_prefetch(cell->data());
        __builtin_prefetch(cell->data() + std::min<std::size_t>(cell->size(), 64) - 1);
    }
}

void TableCells::KeepDocument(std::shared_ptr<const void> owner, std::string_view document) {
    m_DocumentOwner = std::move(owner);
    m_Document = document;
}

void TableCells::Clear() {
    std::vector<Row>().swap(m_Rows);
    std::vector<Cell>().swap(m_Cells);
    std::vector<char>().swap(m_Arena);
    m_DocumentOwner.reset();
    m_Document = {};
    m_DeadCells = 0;
    m_DeadBytes = 0;
}

void TableCells::Reserve(std::size_t rows, std::size_t cells) {
    m_Rows.reserve(rows);
    m_Cells.reserve(cells);
}

std::uint32_t TableCells::GrowCells(std::size_t count) {
    const std::size_t first = m_Cells.size();
    if (count > UINT32_MAX - first) {
        throw std::bad_alloc();
    }
    m_Cells.resize(first + count);
    return static_cast<std::uint32_t>(first);
}

void TableCells::AppendRows(std::size_t count, std::size_t cells) {
    if (count == 0) {
        return;
    }
    if (cells > UINT32_MAX / count) {
        throw std::bad_alloc();
    }
    std::uint32_t first = GrowCells(count * cells);
    for (std::size_t k = 0; k < count; ++k) {
        m_Rows.push_back(Row{first, static_cast<std::uint32_t>(cells)});
        first += static_cast<std::uint32_t>(cells);
    }
}

void TableCells::AppendRow(std::span<const std::string_view> cells) {
    const std::uint32_t first = GrowCells(cells.size());
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const std::string_view text = cells[k];
        // Cells of the document itself, as a whole table read at once gives them, are the common case.
        if (!text.empty() && Inside(text, m_Document)) {
            const auto offset = static_cast<std::size_t>(text.data() - m_Document.data());
            m_Cells[first + k] = Cell{static_cast<std::uint32_t>(text.size()), static_cast<std::uint32_t>(offset),
                                      static_cast<std::uint16_t>(offset >> 32), 0};
        } else {
            WriteCell(m_Cells[first + k], text);
        }
    }
    m_Rows.push_back(Row{first, static_cast<std::uint32_t>(cells.size())});
}

void TableCells::InsertRow(int at, std::size_t cells) {
    if (cells > UINT32_MAX) {
        throw std::bad_alloc();
    }
    const Row row{GrowCells(cells), static_cast<std::uint32_t>(cells)};
    m_Rows.insert(m_Rows.begin() + at, row);
}

void TableCells::Forget(const Row& row) {
    m_DeadCells += row.count;
    for (std::uint32_t k = 0; k < row.count; ++k) {
        const Cell& cell = m_Cells[row.first + k];
        if (cell.inArena != 0) {
            m_DeadBytes += cell.length;
        }
    }
}

void TableCells::EraseRows(int first, int count) {
    const auto begin = m_Rows.begin() + first;
    for (auto it = begin; it != begin + count; ++it) {
        Forget(*it);
    }
    m_Rows.erase(begin, begin + count);
    CompactIfWasteful();
}

void TableCells::Widen(int row, std::size_t cells) {
    Row& record = m_Rows[static_cast<std::size_t>(row)];
    if (cells <= record.count) {
        return;
    }
    if (cells > UINT32_MAX) {
        throw std::bad_alloc();
    }
    const std::size_t added = cells - record.count;
    if (record.count > 0 && record.first + record.count == m_Cells.size()) {
        // The row's run ends the references: it grows where it is, as every row does while a table is read.
        GrowCells(added);
    } else {
        const std::uint32_t first = GrowCells(cells);
        std::copy_n(m_Cells.begin() + record.first, record.count, m_Cells.begin() + first);
        m_DeadCells += record.count;
        record.first = first;
    }
    record.count = static_cast<std::uint32_t>(cells);
}

// The fields are written straight into the cell's place: a cell put together on the stack and handed back
// whole was read back before its parts had landed, a stalled load on every call, and a table stores millions of
// cells. Nothing is written until the text has its place, so a failure leaves the cell as it was.
void TableCells::WriteCell(Cell& target, std::string_view text) {
    if (text.empty()) {
        target.length = 0;
        target.offsetLow = 0;
        target.offsetHigh = 0;
        target.inArena = 0;
        return;
    }
    if (text.size() > UINT32_MAX) {
        throw std::length_error("cell too long");
    }
    std::size_t offset = 0;
    std::uint16_t inArena = 0;
    if (Inside(text, m_Document)) {
        offset = static_cast<std::size_t>(text.data() - m_Document.data());
    } else {
        offset = m_Arena.size();
        if (offset > kLargestOffset - text.size()) {
            throw std::length_error("cell text too large");
        }
        if (Inside(text, {m_Arena.data(), m_Arena.size()})) {
            // A cell of this table stored again: the arena may move as it grows.
            const auto from = static_cast<std::size_t>(text.data() - m_Arena.data());
            m_Arena.resize(offset + text.size());
            std::memmove(m_Arena.data() + offset, m_Arena.data() + from, text.size());
        } else {
            m_Arena.insert(m_Arena.end(), text.begin(), text.end());
        }
        inArena = 1;
    }
    target.length = static_cast<std::uint32_t>(text.size());
    target.offsetLow = static_cast<std::uint32_t>(offset);
    target.offsetHigh = static_cast<std::uint16_t>(offset >> 32);
    target.inArena = inArena;
}

void TableCells::Store(int row, int column, std::string_view text) {
    const Row& record = m_Rows[static_cast<std::size_t>(row)];
    Cell& target = m_Cells[record.first + static_cast<std::uint32_t>(column)];
    const std::uint32_t wasted = target.inArena != 0 ? target.length : 0;
    WriteCell(target, text);
    if (wasted != 0) {
        m_DeadBytes += wasted;
        CompactIfWasteful();
    }
}

void TableCells::Reorder(int first, const std::vector<std::uint32_t>& order) {
    std::vector<Row> moved;
    moved.reserve(order.size());
    for (const std::uint32_t offset : order) {
        moved.push_back(m_Rows[static_cast<std::size_t>(first) + offset]);
    }
    std::copy(moved.begin(), moved.end(), m_Rows.begin() + first);
}

void TableCells::CompactIfWasteful() {
    const std::size_t waste = m_DeadCells * sizeof(Cell) + m_DeadBytes;
    const std::size_t used = (m_Cells.size() - m_DeadCells) * sizeof(Cell) + m_Arena.size() - m_DeadBytes;
    if (waste <= used + kToleratedWaste) {
        return;
    }
    std::vector<Cell> cells;
    std::vector<char> arena;
    try {
        cells.reserve(m_Cells.size() - m_DeadCells);
        arena.reserve(m_Arena.size() - m_DeadBytes);
    } catch (const std::bad_alloc&) {
        return; // the waste stays until there is memory to rewrite it; nothing below allocates
    }
    for (Row& row : m_Rows) {
        const auto first = static_cast<std::uint32_t>(cells.size());
        for (std::uint32_t k = 0; k < row.count; ++k) {
            Cell cell = m_Cells[row.first + k];
            if (cell.inArena != 0) {
                const std::size_t offset = arena.size();
                arena.insert(arena.end(), m_Arena.begin() + static_cast<std::ptrdiff_t>(Offset(cell)),
                             m_Arena.begin() + static_cast<std::ptrdiff_t>(Offset(cell) + cell.length));
                cell.offsetLow = static_cast<std::uint32_t>(offset);
                cell.offsetHigh = static_cast<std::uint16_t>(offset >> 32);
            }
            cells.push_back(cell);
        }
        row.first = first;
    }
    m_Cells = std::move(cells);
    m_Arena = std::move(arena);
    m_DeadCells = 0;
    m_DeadBytes = 0;
}

} // namespace lexaro
