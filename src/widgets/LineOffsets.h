#pragma once

#include "widgets/LineStore.h"

#include <cstdint>
#include <vector>

namespace lexaro {

// Offsets in UTF-16 units over the whole text of a LineStore, the lines joined by one unit each, as assistive
// technology counts them. A line's units are those of its shown text (see DisplayText). The start of each line
// is summed up lazily, only as far as a question reaches, and an edit drops only the starts after its first
// line, so that questions about the caret stay cheap in a text of millions of lines.
class LineOffsets {
public:
    explicit LineOffsets(const LineStore& store) : m_Store(store) {}

    // The text was replaced: everything known is dropped.
    void Reset();
    // Lines first..last are about to be replaced by an edit; EndChange names the last line it left there.
    void BeginChange(int first, int last);
    void EndChange(int first, int last);

    std::int64_t StartOf(int line);
    std::int64_t Total();
    std::int64_t OffsetOf(TextPos pos);
    // The position at the offset, clamped into the text; an offset inside a character moves to its end.
    TextPos PosOf(std::int64_t offset);
    std::int64_t LineUnits(int line) const;

private:
    std::int64_t UnitsOfLines(int first, int last) const;
    void ExtendTo(int line);

    const LineStore& m_Store;
    std::vector<std::int64_t> m_Starts{0}; // m_Starts[i] is the start of line i
    std::int64_t m_Total = -1;             // -1 until it is asked for
    std::int64_t m_Replaced = 0;
};

} // namespace lexaro
