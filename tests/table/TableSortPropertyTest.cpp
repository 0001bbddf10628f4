#include "TableTestSupport.h"
#include "table/ClassTable.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <new>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using lexaro::ClassTable;

namespace {
// While not zero, the next allocation of at least this many bytes fails.
std::size_t g_RefuseAllocationFrom = 0;
} // namespace

void* operator new(std::size_t size) {
    if (g_RefuseAllocationFrom != 0 && size >= g_RefuseAllocationFrom) {
        g_RefuseAllocationFrom = 0;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

// The standard library's temporary buffers (stable_sort) ask for memory without exceptions; they must get it from
// the same place, or it would go back to a heap it did not come from.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return ::operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr int kColumns = 3;

using lexaro::test::KeyOf;
using lexaro::test::Lowered;
using lexaro::test::ReferenceSort;

// Random keys that often share their first eight bytes, differ only in case, hold NUL bytes or UTF-8, or are
// prefixes of each other.
class KeyMaker {
public:
    explicit KeyMaker(unsigned seed) : m_Random(seed) {}

    std::string Key() {
        static const char* const kStems[] = {"",           "a",           "abcdefg",      "ABCDEFGH", "abcdefgh",
                                             "abcdefghij", "ABCDEFGHIJK", "abcdefghijkl", "Haus"};
        static const std::string kPieces[] = {"a",        "A", "b", "Z", "z",    std::string(1, '\0'),
                                              "\xc3\xa9", " ", "[", "`", "\x7f", "\xff"};
        std::string key = kStems[Below(std::size(kStems))];
        const std::size_t extra = Below(5);
        for (std::size_t n = 0; n < extra; ++n) {
            key += kPieces[Below(std::size(kPieces))];
        }
        return key;
    }

    std::size_t Below(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(m_Random); }

private:
    std::mt19937 m_Random;
};

struct Case {
    Rows stored;
    int logicalRows = 0;
};

// Rows of zero to three cells, some logical rows beyond the stored ones.
Case RandomCase(KeyMaker& keys, int storedRows) {
    Case made;
    for (int r = 0; r < storedRows; ++r) {
        std::vector<std::string> cells(keys.Below(kColumns + 1));
        for (std::size_t c = 0; c < cells.size(); ++c) {
            cells[c] = c == 2 ? keys.Key() + "#" + std::to_string(r) : keys.Key();
        }
        made.stored.push_back(std::move(cells));
    }
    made.logicalRows = storedRows + static_cast<int>(keys.Below(3));
    return made;
}

ClassTable TableOf(const Case& made) {
    ClassTable table;
    table.SetSize(kColumns, made.logicalRows);
    for (std::size_t r = 0; r < made.stored.size(); ++r) {
        const auto& cells = made.stored[r];
        for (std::size_t c = 0; c < cells.size(); ++c) {
            table.StoreCell(static_cast<int>(c), static_cast<int>(r), cells[c]);
        }
    }
    return table;
}

// The reference applied with the table's own handling of the range: a range outside the table means the whole
// table, and rows that exist only logically take part as empty rows.
Rows ReferenceResult(const Case& made, int column, bool ascending, int first, int last) {
    Rows rows = made.stored;
    const int count = made.logicalRows;
    if (first < 0 || first > count - 1) {
        first = 0;
    }
    if (last < 0 || last > count - 1) {
        last = count - 1;
    }
    if (last >= 0 && static_cast<std::size_t>(last) >= rows.size()) {
        rows.resize(static_cast<std::size_t>(last) + 1);
    }
    ReferenceSort(rows, column, ascending, first, last);
    return rows;
}

void ExpectSameRows(const ClassTable& table, const Rows& expected, int logicalRows) {
    ASSERT_EQ(table.RowCount(), logicalRows);
    for (int r = 0; r < logicalRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            const std::string want =
                static_cast<std::size_t>(r) < expected.size() ? KeyOf(expected, c, r) : std::string();
            ASSERT_EQ(table.PeekCell(c, r), want) << "row " << r << ", column " << c;
        }
    }
}

// Where the reference puts the row that stood at followed; a number outside the table stays. Each row carries
// its number in a cell far beyond the columns sorted by.
int ReferencePlace(const Case& made, int column, bool ascending, int first, int last, int followed) {
    constexpr std::size_t kNumberCell = 10;
    Case numbered = made;
    numbered.stored.resize(static_cast<std::size_t>(made.logicalRows));
    for (std::size_t r = 0; r < numbered.stored.size(); ++r) {
        numbered.stored[r].resize(kNumberCell + 1);
        numbered.stored[r][kNumberCell] = std::to_string(r);
    }
    const Rows sorted = ReferenceResult(numbered, column, ascending, first, last);
    for (std::size_t r = 0; r < sorted.size(); ++r) {
        if (sorted[r][kNumberCell] == std::to_string(followed)) {
            return static_cast<int>(r);
        }
    }
    return followed;
}

void CheckSort(const Case& made, int column, bool ascending, int first, int last, int followed = 0) {
    ClassTable table = TableOf(made);
    table.SetModified(false);
    const auto before = table.Version();
    int moved = followed;
    ASSERT_TRUE(table.SortRows(column, ascending, first, last, moved));
    EXPECT_TRUE(table.IsModified());
    EXPECT_GT(table.Version(), before);
    SCOPED_TRACE(testing::Message() << "column " << column << (ascending ? " ascending" : " descending") << ", range "
                                    << first << ".." << last << ", following row " << followed);
    ExpectSameRows(table, ReferenceResult(made, column, ascending, first, last), made.logicalRows);
    EXPECT_EQ(moved, ReferencePlace(made, column, ascending, first, last, followed));
}

} // namespace

TEST(TableSortProperty, SmallRandomTablesAndRangesSortExactlyAsTheReference) {
    KeyMaker keys(20261208);
    for (int round = 0; round < 400; ++round) {
        const Case made = RandomCase(keys, static_cast<int>(keys.Below(40)));
        const int rows = made.logicalRows;
        const int first = static_cast<int>(keys.Below(static_cast<std::size_t>(rows) + 3)) - 1;
        const int last = static_cast<int>(keys.Below(static_cast<std::size_t>(rows) + 3)) - 1;
        const int column = static_cast<int>(keys.Below(kColumns + 1));
        const int followed = static_cast<int>(keys.Below(static_cast<std::size_t>(rows) + 3)) - 1;
        CheckSort(made, column, keys.Below(2) == 0, first, last, followed);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(TableSortProperty, LargeTablesWithManyEqualKeysSortExactlyAsTheReference) {
    KeyMaker keys(7);
    const Case made = RandomCase(keys, 20000);
    for (int column = 0; column < kColumns; ++column) {
        CheckSort(made, column, true, 0, made.logicalRows - 1);
        CheckSort(made, column, false, -1, -1);
    }
    CheckSort(made, 0, true, 5000, 12000, 7777);
    CheckSort(made, 1, false, 5000, 12000, 4999);
}

TEST(TableSortProperty, KeysThatAllBeginAlikeSortExactlyAsTheReference) {
    KeyMaker keys(11);
    Case made = RandomCase(keys, 2000);
    made.logicalRows = static_cast<int>(made.stored.size());
    Case same = made;
    for (std::size_t r = 0; r < made.stored.size(); ++r) {
        auto& cells = made.stored[r];
        cells.resize(std::max<std::size_t>(cells.size(), 1));
        cells[0] = (keys.Below(2) == 0 ? "Added 2024-" : "aDDED 2024-") + cells[0];
        same.stored[r].resize(std::max<std::size_t>(same.stored[r].size(), 1));
        same.stored[r][0] = keys.Below(2) == 0 ? "Same day" : "SAME DAY";
    }
    for (const Case* alike : {&made, &same}) {
        CheckSort(*alike, 0, true, -1, -1);
        CheckSort(*alike, 0, false, -1, -1);
        CheckSort(*alike, 0, true, 100, 1500);
    }
}

TEST(TableSortProperty, ASortWithoutMemoryLeavesTheTableAsItWasAndNotBusy) {
    KeyMaker keys(3);
    Case made = RandomCase(keys, 10000);
    made.logicalRows = static_cast<int>(made.stored.size());
    ClassTable table = TableOf(made);
    table.SetModified(false);
    // Far more than any cell or row, less than the sort's own arrays.
    g_RefuseAllocationFrom = 100000;
    EXPECT_FALSE(table.SortRows(0, true, -1, -1));
    g_RefuseAllocationFrom = 0;
    EXPECT_FALSE(table.IsModified());
    ExpectSameRows(table, made.stored, made.logicalRows);
    ASSERT_TRUE(table.SortRows(0, true, -1, -1)) << "the table was left busy";
    ExpectSameRows(table, ReferenceResult(made, 0, true, -1, -1), made.logicalRows);
}
