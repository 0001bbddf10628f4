#pragma once

#include "table/ClassTable.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

namespace lexaro::fuzz {

// Code pages a fuzz input can pick with its first byte: UTF-8, a single-byte and two multi-byte ones.
inline constexpr int kCodePages[] = {65001, 1252, 932, 936, 1251, 20866};

inline int PickCodePage(std::uint8_t selector) {
    return kCodePages[selector % (sizeof kCodePages / sizeof kCodePages[0])];
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Stops the run with a message when a property that must hold for any input does not.
inline void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

// A parsed table never holds more cells than its document could spell out, and every visible cell can
// be read and written again.
inline void CheckParsedTable(ClassTable& table, std::size_t documentSize) {
    Require(table.RowCount() >= 0 && table.ColumnCount() >= 0, "sizes are not negative");
    if (table.RowCount() > 0) {
        const auto cells = static_cast<std::size_t>(table.RowCount()) * static_cast<std::size_t>(table.ColumnCount());
        Require(cells <= documentSize + 1, "cells are bounded by the document");
    }
    Require(static_cast<std::size_t>(table.ColumnCount()) <= documentSize + 65536, "columns are bounded");
    for (int row = 0; row < table.RowCount(); ++row) {
        for (int column = 0; column < table.ColumnCount(); ++column) {
            (void)table.GetCell(column, row);
        }
    }
}

// True when no visible cell holds one of the pieces, so writing the table and reading it back must give
// the same cells.
inline bool CellsAvoid(ClassTable& table, std::initializer_list<std::string_view> pieces) {
    for (int row = 0; row < table.RowCount(); ++row) {
        for (int column = 0; column < table.ColumnCount(); ++column) {
            const std::string cell = table.PeekCell(column, row);
            for (std::string_view piece : pieces) {
                if (cell.find(piece) != std::string::npos) {
                    return false;
                }
            }
        }
    }
    return true;
}

inline bool SameCells(ClassTable& a, ClassTable& b) {
    if (a.RowCount() != b.RowCount() || a.ColumnCount() != b.ColumnCount()) {
        return false;
    }
    for (int row = 0; row < a.RowCount(); ++row) {
        for (int column = 0; column < a.ColumnCount(); ++column) {
            if (a.PeekCell(column, row) != b.PeekCell(column, row)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace lexaro::fuzz
