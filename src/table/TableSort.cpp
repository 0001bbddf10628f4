#include "table/AsciiFold.h"
#include "table/ClassTable.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

namespace lexaro {

namespace {

std::string_view SortKey(const TableCells& rows, int column, int row) {
    return rows.Stored(row, column).value_or(std::string_view());
}

// The texts of rows moved or edited before lie anywhere in memory: asking for them some rows ahead keeps several
// reads in flight.
constexpr int kPrefetchDistance = 16;

constexpr std::size_t kPrefixBytes = 8;

// A row in the sort: the first eight folded bytes of its key, big-endian and padded with zeros, and its offset
// from the first row sorted, which also numbers its key. Two keys whose prefixes differ are ordered by them
// alone; only equal prefixes need the bytes of the keys compared.
struct KeyedRow {
    std::uint64_t prefix;
    std::uint32_t offset;
};

// How many of the first limit bytes of a and b are the same once folded.
std::size_t SharedFoldedLength(std::string_view a, std::string_view b, std::size_t limit) {
    const std::size_t n = std::min({a.size(), b.size(), limit});
    std::size_t i = 0;
    while (i < n && FoldAscii(static_cast<unsigned char>(a[i])) == FoldAscii(static_cast<unsigned char>(b[i]))) {
        ++i;
    }
    return i;
}

std::uint64_t FoldedPrefix(std::string_view key) {
    std::uint64_t prefix = 0;
    const std::size_t n = std::min(key.size(), kPrefixBytes);
    for (std::size_t i = 0; i < n; ++i) {
        prefix |= static_cast<std::uint64_t>(FoldAscii(static_cast<unsigned char>(key[i]))) << (56 - 8 * i);
    }
    return prefix;
}

// Three-way quicksort with the middle element as pivot. The order it leaves equal keys in is what users see,
// so the pivot, the moves and the recursion must stay exactly as they are.
template <bool Ascending>
class PartitionSorter {
public:
    // Every key is at least shared bytes long and starts with the same shared folded bytes.
    PartitionSorter(std::vector<KeyedRow>& rows, const std::vector<std::string_view>& keys, std::size_t shared)
        : m_Rows(rows), m_Keys(keys), m_Shared(shared) {}

    // The smaller side is sorted by recursion and the larger one by the loop, so the depth stays logarithmic.
    void Sort(int first, int last) {
        while (first < last) {
            int j = first;
            int k = last;
            Partition(first, j, k);
            if (j - 1 - first < last - (k + 1)) {
                Sort(first, j - 1);
                first = k + 1;
            } else {
                Sort(k + 1, last);
                last = j - 1;
            }
        }
    }

private:
    // The same order as CompareFolded on the keys: padding zeros equal real NUL bytes in the prefix, so equal
    // prefixes still compare the remaining bytes and the lengths.
    int Compare(const KeyedRow& row, const KeyedRow& pivot) const {
        int order = (row.prefix > pivot.prefix) - (row.prefix < pivot.prefix);
        if (order == 0) {
            const std::string_view a = m_Keys[row.offset];
            const std::string_view b = m_Keys[pivot.offset];
            const std::size_t same = std::max(std::min({a.size(), b.size(), kPrefixBytes}), m_Shared);
            order = CompareFolded(a.substr(same), b.substr(same));
        }
        return Ascending ? order : -order;
    }

    // Leaves the rows below the pivot in [first, j), those equal to it in [j, k] and those above it in
    // (k, last]. Each step looks at the row at k: a larger one stays, any other one goes to i and the row from
    // i comes to k to be looked at next; a smaller one then goes on to j. The moves are made without branches,
    // as the outcome of each comparison is hard to predict.
    void Partition(int first, int& j, int& k) {
        KeyedRow* rows = m_Rows.data();
        const KeyedRow pivot = rows[first + (k - first) / 2];
        int i = first;
        while (i <= k) {
            const KeyedRow x = rows[k];
            const int order = Compare(x, pivot);
            const bool notAbove = order <= 0;
            const bool below = order < 0;
            const KeyedRow y = rows[i];
            rows[k] = notAbove ? y : x;
            rows[i] = notAbove ? x : y;
            const KeyedRow atJ = rows[j];
            const KeyedRow atI = rows[i];
            rows[j] = below ? x : atJ;
            rows[i] = below ? atJ : atI;
            i += notAbove;
            j += below;
            k -= !notAbove;
        }
    }

    std::vector<KeyedRow>& m_Rows;
    const std::vector<std::string_view>& m_Keys;
    std::size_t m_Shared;
};

} // namespace

bool ClassTable::SortRows(int column, bool ascending, int first, int last) {
    int none = -1;
    return SortRows(column, ascending, first, last, none);
}

bool ClassTable::SortRows(int column, bool ascending, int first, int last, int& followed) {
    if (first < 0 || first > RowCount() - 1) {
        first = 0;
    }
    if (last < 0 || last > RowCount() - 1) {
        last = RowCount() - 1;
    }
    if (!AccessGuard(kGuardExclusive)) {
        return false;
    }
    try {
        // Rows that exist only logically are stored as empty rows so that every row in range can move.
        if (last >= 0 && last >= StoredRowCount()) {
            m_Cells.AppendRows(static_cast<std::size_t>(last - StoredRowCount()) + 1, 0);
            Changed();
        }
        SortRange(column, ascending, first, last, followed);
    } catch (const std::bad_alloc&) {
        // No row has moved yet, and the table must not stay busy.
        AccessGuard(kGuardRelease);
        return false;
    }
    Changed();
    m_Modified = true;
    AccessGuard(kGuardRelease);
    return true;
}

// The rows are sorted by a compact copy of their keys, which keeps the comparisons in the cache, and then
// moved into place once.
void ClassTable::SortRange(int column, bool ascending, int first, int last, int& followed) {
    if (first >= last) {
        return;
    }
    const std::size_t count = static_cast<std::size_t>(last - first) + 1;
    std::vector<std::string_view> keys;
    std::vector<KeyedRow> rows;
    keys.reserve(count);
    rows.reserve(count);
    // Keys that all begin alike, such as the dates of entries added on one day, need not have those bytes
    // compared again.
    std::size_t shared = SortKey(m_Cells, column, first).size();
    for (int row = first; row <= last; ++row) {
        m_Cells.Prefetch(row + kPrefetchDistance, column);
        keys.push_back(SortKey(m_Cells, column, row));
        rows.push_back({FoldedPrefix(keys.back()), static_cast<std::uint32_t>(row - first)});
        shared = SharedFoldedLength(keys.front(), keys.back(), shared);
    }
    const int end = last - first;
    if (ascending) {
        PartitionSorter<true>(rows, keys, shared).Sort(0, end);
    } else {
        PartitionSorter<false>(rows, keys, shared).Sort(0, end);
    }
    std::vector<std::uint32_t> order;
    order.reserve(count);
    const bool follow = followed >= first && followed <= last;
    const auto followedOffset = static_cast<std::uint32_t>(followed - first);
    int moved = -1;
    for (const KeyedRow& keyed : rows) {
        if (follow && keyed.offset == followedOffset) {
            moved = first + static_cast<int>(order.size());
        }
        order.push_back(keyed.offset);
    }
    m_Cells.Reorder(first, order);
    if (follow) {
        followed = moved;
    }
}

} // namespace lexaro
