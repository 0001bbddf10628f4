#pragma once

#include "support/TempFolder.h"
#include "table/ClassTable.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <linux/capability.h>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

namespace lexaro::test {

// A copy with A-Z lowered and every other byte (UTF-8 included) as it is: the folding the tables compare by,
// written out plainly for reference implementations.
inline std::string Lowered(std::string_view text) {
    std::string lowered(text);
    for (char& ch : lowered) {
        if (ch >= 'A' && ch <= 'Z') {
            ch = static_cast<char>(ch - 'A' + 'a');
        }
    }
    return lowered;
}

// A row's cell, or "" for a cell the row does not have.
inline std::string KeyOf(const std::vector<std::vector<std::string>>& rows, int column, int row) {
    const auto& cells = rows[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)] : std::string();
}

// The sort written out plainly on whole rows: three-way quicksort with the middle row as pivot, lowered copies
// compared byte by byte. Users see the order it leaves equal keys in, so the table must leave exactly this one.
inline void ReferenceSort(std::vector<std::vector<std::string>>& rows, int column, bool ascending, int first,
                          int last) {
    while (first < last) {
        const std::string pivot = Lowered(KeyOf(rows, column, first + (last - first) / 2));
        auto compare = [&](int row) {
            const int order = Lowered(KeyOf(rows, column, row)).compare(pivot);
            const int sign = order < 0 ? -1 : (order > 0 ? 1 : 0);
            return ascending ? sign : -sign;
        };
        int i = first;
        int j = first;
        int k = last;
        while (i <= k) {
            if (compare(k) > 0) {
                --k;
                continue;
            }
            std::swap(rows[static_cast<std::size_t>(i)], rows[static_cast<std::size_t>(k)]);
            if (compare(i) < 0) {
                std::swap(rows[static_cast<std::size_t>(j)], rows[static_cast<std::size_t>(i)]);
                ++j;
            }
            ++i;
        }
        if (j - 1 - first < last - (k + 1)) {
            ReferenceSort(rows, column, ascending, first, j - 1);
            first = k + 1;
        } else {
            ReferenceSort(rows, column, ascending, k + 1, last);
            last = j - 1;
        }
    }
}

// A table of the given rows, each a list of cells; the column count is the longest row.
inline void Fill(ClassTable& table, std::initializer_list<std::vector<std::string>> rows) {
    std::size_t columns = 0;
    for (const auto& row : rows) {
        columns = row.size() > columns ? row.size() : columns;
    }
    table.Resize(static_cast<int>(columns), static_cast<int>(rows.size()));
    int r = 0;
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            table.SetCell(static_cast<int>(c), r, row[c]);
        }
        ++r;
    }
}

// Every visible cell, row by row, for whole-table comparisons.
inline std::vector<std::vector<std::string>> Cells(ClassTable& table) {
    std::vector<std::vector<std::string>> cells(static_cast<std::size_t>(table.RowCount()));
    for (int r = 0; r < table.RowCount(); ++r) {
        for (int c = 0; c < table.ColumnCount(); ++c) {
            cells[static_cast<std::size_t>(r)].push_back(table.GetCell(c, r));
        }
    }
    return cells;
}

// Makes every write of this process beyond the given size fail (EFBIG), also for root, for as long as
// it lives: the way to make a save fail half-way in a test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_Old);
        m_OldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_Old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_Old);
        std::signal(SIGXFSZ, m_OldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_Old{};
    void (*m_OldHandler)(int) = nullptr;
};

// While it lives, this thread obeys file permissions even when it runs as root: the capability to
// override them is taken out of the effective set (it stays permitted and comes back afterwards).
class PermissionOverrideSuspended {
public:
    PermissionOverrideSuspended() {
        m_Header.version = _LINUX_CAPABILITY_VERSION_3;
        if (::syscall(SYS_capget, &m_Header, m_Saved) != 0) {
            return;
        }
        __user_cap_data_struct lowered[2] = {m_Saved[0], m_Saved[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_Active = ::syscall(SYS_capset, &m_Header, lowered) == 0;
    }
    ~PermissionOverrideSuspended() {
        if (m_Active) {
            ::syscall(SYS_capset, &m_Header, m_Saved);
        }
    }
    PermissionOverrideSuspended(const PermissionOverrideSuspended&) = delete;
    PermissionOverrideSuspended& operator=(const PermissionOverrideSuspended&) = delete;

private:
    __user_cap_header_struct m_Header{};
    __user_cap_data_struct m_Saved[2]{};
    bool m_Active = false;
};

} // namespace lexaro::test
