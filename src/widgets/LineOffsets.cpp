#include "widgets/LineOffsets.h"

#include "widgets/LineText.h"

#include <algorithm>

namespace lexaro {

void LineOffsets::Reset() {
    m_Starts.assign(1, 0);
    m_Total = -1;
}

std::int64_t LineOffsets::LineUnits(int line) const {
    return UnitOfByte(m_Store.Line(line), m_Store.EditableLength(line));
}

std::int64_t LineOffsets::UnitsOfLines(int first, int last) const {
    std::int64_t units = last - first; // the line breaks between them
    for (int line = first; line <= last; ++line) {
        units += LineUnits(line);
    }
    return units;
}

void LineOffsets::BeginChange(int first, int last) {
    // The total follows an edit by what the edited lines held before and after it, never by a new count.
    if (m_Total >= 0) {
        m_Replaced = UnitsOfLines(first, last);
    }
}

void LineOffsets::EndChange(int first, int last) {
    if (m_Total >= 0) {
        m_Total += UnitsOfLines(first, last) - m_Replaced;
    }
    m_Starts.resize(std::min(m_Starts.size(), static_cast<std::size_t>(first) + 1));
}

void LineOffsets::ExtendTo(int line) {
    m_Starts.reserve(static_cast<std::size_t>(line) + 1);
    for (auto known = static_cast<int>(m_Starts.size()); known <= line; ++known) {
        m_Starts.push_back(m_Starts.back() + LineUnits(known - 1) + 1);
    }
}

std::int64_t LineOffsets::StartOf(int line) {
    line = std::clamp(line, 0, m_Store.LineCount() - 1);
    ExtendTo(line);
    return m_Starts[static_cast<std::size_t>(line)];
}

std::int64_t LineOffsets::Total() {
    if (m_Total < 0) {
        const int last = m_Store.LineCount() - 1;
        m_Total = StartOf(last) + LineUnits(last);
    }
    return m_Total;
}

std::int64_t LineOffsets::OffsetOf(TextPos pos) {
    pos = m_Store.Clamp(pos);
    return StartOf(pos.line) + UnitOfByte(m_Store.Line(pos.line), pos.column);
}

TextPos LineOffsets::PosOf(std::int64_t offset) {
    const int last = m_Store.LineCount() - 1;
    offset = std::max<std::int64_t>(offset, 0);
    while (static_cast<int>(m_Starts.size()) <= last && m_Starts.back() <= offset) {
        ExtendTo(static_cast<int>(m_Starts.size()));
    }
    const auto after = std::upper_bound(m_Starts.begin(), m_Starts.end(), offset);
    const auto line = static_cast<int>(after - m_Starts.begin()) - 1;
    const std::string_view bytes = m_Store.Line(line);
    const auto unit = static_cast<int>(std::min(offset - m_Starts[static_cast<std::size_t>(line)], LineUnits(line)));
    return m_Store.Clamp(TextPos{line, ByteOfUnit(bytes, unit)});
}

} // namespace lexaro
