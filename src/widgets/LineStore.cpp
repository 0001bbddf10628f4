#include "widgets/LineStore.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace lexaro {

namespace {

constexpr std::uint64_t kEditedFlag = std::uint64_t{1} << 63;

bool EndsWithCr(std::string_view line) {
    return !line.empty() && line.back() == '\r';
}

} // namespace

LineStore::LineStore(std::size_t compactAbove) : m_CompactAbove(compactAbove) {
    m_Lines.push_back(LineRef{});
}

void LineStore::SetText(std::string text) {
    m_Base = std::move(text);
    m_Edited.clear();
    m_Edited.shrink_to_fit();
    m_EditedLive = 0;
    m_History.clear();
    m_Done = 0;
    m_TypingOpen = false;
    m_LongestSeen = 0;

    // Counted first so that the line table is allocated once, at its final size.
    const auto breaks = static_cast<std::size_t>(std::count(m_Base.begin(), m_Base.end(), '\n'));
    std::vector<LineRef> lines;
    lines.reserve(breaks + 1);
    const char* const data = m_Base.data();
    const std::size_t size = m_Base.size();
    std::size_t start = 0;
    while (true) {
        const void* found = start < size ? std::memchr(data + start, '\n', size - start) : nullptr;
        const std::size_t end = found ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : size;
        lines.push_back(LineRef{start, end - start});
        m_LongestSeen = std::max<std::size_t>(m_LongestSeen, end - start);
        if (!found) {
            break;
        }
        start = end + 1;
    }
    m_Lines = std::move(lines);
}

std::string LineStore::Text() const {
    std::string text;
    text.reserve(static_cast<std::size_t>(ByteCount()));
    for (int i = 0; i < LineCount(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        text += Line(i);
    }
    return text;
}

std::string_view LineStore::Line(int line) const {
    if (line < 0 || line >= LineCount()) {
        return {};
    }
    const LineRef& ref = m_Lines[static_cast<std::size_t>(line)];
    const std::string& buffer = (ref.start & kEditedFlag) != 0 ? m_Edited : m_Base;
    return std::string_view(buffer).substr(static_cast<std::size_t>(ref.start & ~kEditedFlag),
                                           static_cast<std::size_t>(ref.length));
}

std::size_t LineStore::EditableLength(int line) const {
    const std::string_view text = Line(line);
    return text.size() - (EndsWithCr(text) ? 1 : 0);
}

std::uint64_t LineStore::ByteCount() const {
    std::uint64_t bytes = m_Lines.size() - 1;
    for (const LineRef& ref : m_Lines) {
        bytes += ref.length;
    }
    return bytes;
}

TextPos LineStore::Clamp(TextPos pos) const {
    pos.line = std::clamp(pos.line, 0, LineCount() - 1);
    pos.column = std::min(pos.column, EditableLength(pos.line));
    return pos;
}

TextPos LineStore::End() const {
    const int last = LineCount() - 1;
    return TextPos{last, EditableLength(last)};
}

std::string LineStore::Extract(TextPos from, TextPos to) const {
    from = Clamp(from);
    to = Clamp(to);
    if (to < from) {
        std::swap(from, to);
    }
    if (from.line == to.line) {
        return std::string(Line(from.line).substr(from.column, to.column - from.column));
    }
    std::string text(Line(from.line).substr(from.column));
    for (int i = from.line + 1; i < to.line; ++i) {
        text += '\n';
        text += Line(i);
    }
    text += '\n';
    text += Line(to.line).substr(0, to.column);
    return text;
}

LineStore::LineRef LineStore::Store(std::string_view text) {
    if (text.empty()) {
        // Refers to no bytes, so that rewriting the last line in place can never leave it pointing past the end.
        return LineRef{kEditedFlag, 0};
    }
    const LineRef ref{m_Edited.size() | kEditedFlag, text.size()};
    m_Edited += text;
    m_EditedLive += text.size();
    m_LongestSeen = std::max(m_LongestSeen, text.size());
    return ref;
}

TextPos LineStore::EndOf(TextPos from, std::string_view text) {
    const std::size_t lastBreak = text.rfind('\n');
    if (lastBreak == std::string_view::npos) {
        return TextPos{from.line, from.column + text.size()};
    }
    const auto breaks = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    return TextPos{from.line + breaks, text.size() - lastBreak - 1};
}

// from <= to, both inside the text; text must not point into the store's buffers.
TextPos LineStore::Apply(TextPos from, TextPos to, std::string_view text) {
    const std::string head(Line(from.line).substr(0, from.column));
    const std::string tail(Line(to.line).substr(to.column));
    const LineRef old = m_Lines[static_cast<std::size_t>(from.line)];
    for (int line = from.line; line <= to.line; ++line) {
        Forget(m_Lines[static_cast<std::size_t>(line)]);
    }
    const bool oneLine = from.line == to.line && text.find('\n') == std::string_view::npos;
    if (oneLine && (old.start & kEditedFlag) != 0 && (old.start & ~kEditedFlag) + old.length == m_Edited.size()) {
        // Typing into the line edited last rewrites it in place instead of leaving its old text behind.
        m_Edited.resize(static_cast<std::size_t>(old.start & ~kEditedFlag));
    }

    std::vector<LineRef> fresh;
    std::size_t pos = 0;
    std::size_t lineEnd = text.find('\n');
    if (lineEnd == std::string_view::npos) {
        fresh.push_back(Store(head + std::string(text) + tail));
    } else {
        fresh.push_back(Store(head + std::string(text.substr(0, lineEnd))));
        pos = lineEnd + 1;
        while ((lineEnd = text.find('\n', pos)) != std::string_view::npos) {
            fresh.push_back(Store(text.substr(pos, lineEnd - pos)));
            pos = lineEnd + 1;
        }
        fresh.push_back(Store(std::string(text.substr(pos)) + tail));
    }

    const auto first = static_cast<std::size_t>(from.line);
    const auto replaced = static_cast<std::size_t>(to.line - from.line + 1);
    const std::size_t kept = std::min(replaced, fresh.size());
    std::copy(fresh.begin(), fresh.begin() + static_cast<std::ptrdiff_t>(kept),
              m_Lines.begin() + static_cast<std::ptrdiff_t>(first));
    const auto after = m_Lines.begin() + static_cast<std::ptrdiff_t>(first + kept);
    if (fresh.size() > replaced) {
        m_Lines.insert(after, fresh.begin() + static_cast<std::ptrdiff_t>(kept), fresh.end());
    } else {
        m_Lines.erase(after, after + static_cast<std::ptrdiff_t>(replaced - kept));
    }
    CompactIfWasteful();
    return EndOf(from, text);
}

void LineStore::Forget(const LineRef& ref) {
    if ((ref.start & kEditedFlag) != 0) {
        m_EditedLive -= static_cast<std::size_t>(ref.length);
    }
}

void LineStore::CompactIfWasteful() {
    if (m_Edited.size() <= m_CompactAbove || m_EditedLive * 2 >= m_Edited.size()) {
        return;
    }
    std::string fresh;
    fresh.reserve(m_EditedLive);
    for (LineRef& ref : m_Lines) {
        if ((ref.start & kEditedFlag) != 0 && ref.length > 0) {
            const std::size_t at = fresh.size();
            fresh.append(m_Edited, static_cast<std::size_t>(ref.start & ~kEditedFlag),
                         static_cast<std::size_t>(ref.length));
            ref.start = at | kEditedFlag;
        }
    }
    m_Edited = std::move(fresh);
}

TextPos LineStore::Replace(TextPos from, TextPos to, std::string_view text, bool mergeTyping) {
    from = Clamp(from);
    to = Clamp(to);
    if (to < from) {
        std::swap(from, to);
    }
    if (from == to && text.empty()) {
        return from;
    }
    Change change{from, Extract(from, to), std::string(text)};
    const TextPos end = Apply(from, to, change.inserted);
    m_History.resize(m_Done);
    const bool merge = mergeTyping && m_TypingOpen && m_Done > 0 && change.removed.empty() &&
                       EndOf(m_History.back().from, m_History.back().inserted) == from;
    if (merge) {
        m_History.back().inserted += change.inserted;
    } else {
        m_History.push_back(std::move(change));
        m_Done = m_History.size();
    }
    m_TypingOpen = mergeTyping;
    return end;
}

LineStore::Span LineStore::Undo() {
    m_TypingOpen = false;
    if (!CanUndo()) {
        return Span{};
    }
    const Change& change = m_History[--m_Done];
    Apply(change.from, EndOf(change.from, change.inserted), change.removed);
    return Span{change.from, EndOf(change.from, change.removed)};
}

LineStore::Span LineStore::Redo() {
    m_TypingOpen = false;
    if (!CanRedo()) {
        return Span{};
    }
    const Change& change = m_History[m_Done++];
    Apply(change.from, EndOf(change.from, change.removed), change.inserted);
    return Span{change.from, EndOf(change.from, change.inserted)};
}

LineStore::Span LineStore::UndoTarget() const {
    if (!CanUndo()) {
        return Span{};
    }
    const Change& change = m_History[m_Done - 1];
    return Span{change.from, EndOf(change.from, change.inserted)};
}

LineStore::Span LineStore::RedoTarget() const {
    if (!CanRedo()) {
        return Span{};
    }
    const Change& change = m_History[m_Done];
    return Span{change.from, EndOf(change.from, change.removed)};
}

} // namespace lexaro
