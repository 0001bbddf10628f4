#include "widgets/LargeTextEditAccessible.h"

#include "widgets/LargeTextEdit.h"
#include "widgets/LineText.h"

#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <limits>

namespace lexaro {

namespace {

// Words and sentences never run across a line end, so a few lines around an offset answer questions about
// them exactly; blank lines are taken in besides, as a run of line ends between two words is one segment.
constexpr int kMostBlankLines = 32;

int ToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max()));
}

struct Segment {
    int start = -1;
    int end = -1;
};

bool IsItemEdge(const QTextBoundaryFinder& finder) {
    return (finder.boundaryReasons() & (QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem)) != 0;
}

// The nearest boundary at or before the position where a word (sentence, character) starts or ends.
int ItemEdgeAtOrBefore(QTextBoundaryFinder& finder, int position) {
    finder.setPosition(position);
    while (finder.position() > 0 && !IsItemEdge(finder)) {
        finder.toPreviousBoundary();
    }
    return static_cast<int>(std::max<qsizetype>(finder.position(), 0));
}

int ItemEdgeAfter(QTextBoundaryFinder& finder, int position, int length) {
    finder.setPosition(position);
    while (true) {
        const qsizetype next = finder.toNextBoundary();
        if (next < 0 || next >= length) {
            return length;
        }
        if (IsItemEdge(finder)) {
            return static_cast<int>(next);
        }
    }
}

// -1 before, 0 at, 1 after: the segment of the kind next to or around the offset within text.
Segment SegmentOf(const QString& text, int offset, QTextBoundaryFinder::BoundaryType type, int where) {
    const auto length = static_cast<int>(text.size());
    QTextBoundaryFinder finder(type, text);
    Segment segment;
    if (where < 0) {
        if (offset <= 0) {
            return {};
        }
        segment.end = ItemEdgeAtOrBefore(finder, offset);
        if (segment.end == 0) {
            return {};
        }
        finder.setPosition(segment.end);
        segment.start = ItemEdgeAtOrBefore(finder, static_cast<int>(finder.toPreviousBoundary()));
    } else if (where == 0) {
        if (offset >= length && type == QTextBoundaryFinder::Grapheme) {
            return {};
        }
        segment.start = ItemEdgeAtOrBefore(finder, offset);
        segment.end = ItemEdgeAfter(finder, segment.start, length);
    } else {
        segment.start = offset >= length ? length : ItemEdgeAfter(finder, offset, length);
        segment.end = ItemEdgeAfter(finder, segment.start, length);
    }
    return segment.start < segment.end ? segment : Segment{};
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

} // namespace

CLargeTextEditAccessible::CLargeTextEditAccessible(CLargeTextEdit* edit)
    : QAccessibleWidget(edit, QAccessible::EditableText) {}

QAccessibleInterface* CLargeTextEditAccessible::Create(const QString&, QObject* object) {
    auto* edit = qobject_cast<CLargeTextEdit*>(object);
    return edit != nullptr ? new CLargeTextEditAccessible(edit) : nullptr;
}

CLargeTextEdit* CLargeTextEditAccessible::Edit() const {
    return static_cast<CLargeTextEdit*>(widget());
}

TextPos CLargeTextEditAccessible::PosOf(int offset) const {
    return Edit()->m_Offsets.PosOf(offset);
}

int CLargeTextEditAccessible::OffsetOf(TextPos pos) const {
    return ToInt(Edit()->m_Offsets.OffsetOf(pos));
}

QAccessible::State CLargeTextEditAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.multiLine = true;
    state.selectableText = true;
    state.focusable = true;
    return state;
}

QString CLargeTextEditAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value) {
        return Edit()->ShownText(TextPos{}, Edit()->m_Store.End());
    }
    return QAccessibleWidget::text(kind);
}

void* CLargeTextEditAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (type == QAccessible::EditableTextInterface) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

void CLargeTextEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && Edit()->HasSelection()) {
        *startOffset = OffsetOf(std::min(Edit()->m_Anchor, Edit()->m_Cursor));
        *endOffset = OffsetOf(std::max(Edit()->m_Anchor, Edit()->m_Cursor));
    }
}

int CLargeTextEditAccessible::selectionCount() const {
    return Edit()->HasSelection() ? 1 : 0;
}

void CLargeTextEditAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset); // the field holds one selection
}

void CLargeTextEditAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        Edit()->SetCursor(Edit()->m_Cursor);
    }
}

void CLargeTextEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) {
        Edit()->Select(PosOf(startOffset), PosOf(endOffset));
    }
}

int CLargeTextEditAccessible::cursorPosition() const {
    return OffsetOf(Edit()->m_Cursor);
}

void CLargeTextEditAccessible::setCursorPosition(int position) {
    Edit()->SetCursor(PosOf(position));
}

QString CLargeTextEditAccessible::text(int startOffset, int endOffset) const {
    if (endOffset <= startOffset) {
        return QString();
    }
    return Edit()->ShownText(PosOf(startOffset), PosOf(endOffset));
}

int CLargeTextEditAccessible::characterCount() const {
    return ToInt(Edit()->m_Offsets.Total());
}

QRect CLargeTextEditAccessible::characterRect(int offset) const {
    const QRect rect = Edit()->CharacterRect(PosOf(offset));
    return rect.isNull() ? QRect() : QRect(Edit()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
}

int CLargeTextEditAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint inside = Edit()->viewport()->mapFromGlobal(point);
    if (!Edit()->viewport()->rect().contains(inside)) {
        return -1;
    }
    return OffsetOf(Edit()->PosAt(inside));
}

void CLargeTextEditAccessible::scrollToSubstring(int startIndex, int) {
    const int line = PosOf(startIndex).line;
    const int first = Edit()->FirstVisibleLine();
    if (line < first) {
        Edit()->ScrollToLine(line);
    } else if (line >= first + Edit()->PageLines()) {
        Edit()->ScrollToLine(line - Edit()->PageLines() + 1);
    }
}

QString CLargeTextEditAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    // One font and colour throughout: the run without attributes is the line.
    const int line = PosOf(offset).line;
    LineOffsets& offsets = Edit()->m_Offsets;
    *startOffset = ToInt(offsets.StartOf(line));
    *endOffset = ToInt(offsets.StartOf(line) + offsets.LineUnits(line));
    return QString();
}

void CLargeTextEditAccessible::deleteText(int startOffset, int endOffset) {
    Edit()->Replace(PosOf(startOffset), PosOf(endOffset), {});
}

void CLargeTextEditAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

void CLargeTextEditAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    Edit()->Replace(PosOf(startOffset), PosOf(endOffset),
                    NormaliseLineEnds(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

QString CLargeTextEditAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                                   int* startOffset, int* endOffset) const {
    return Around(offset, boundaryType, -1, startOffset, endOffset);
}

QString CLargeTextEditAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                               int* endOffset) const {
    return Around(offset, boundaryType, 0, startOffset, endOffset);
}

QString CLargeTextEditAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                                  int* startOffset, int* endOffset) const {
    return Around(offset, boundaryType, 1, startOffset, endOffset);
}

QString CLargeTextEditAccessible::Around(int offset, QAccessible::TextBoundaryType boundaryType, int where,
                                         int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = -1;
    LineOffsets& offsets = Edit()->m_Offsets;
    const LineStore& store = Edit()->m_Store;
    const std::int64_t total = offsets.Total();
    const std::int64_t at = offset == -1 ? total : offset;
    if (at < 0 || at > total) {
        return QString();
    }
    const int line = offsets.PosOf(at).line;
    const int last = store.LineCount() - 1;
    if (boundaryType == QAccessible::NoBoundary) {
        if (where != 0) {
            return QString();
        }
        *startOffset = 0;
        *endOffset = ToInt(total);
        return text(0, *endOffset);
    }
    // A line is taken with its line end, and lines are never wrapped, so a paragraph is a line too.
    int first = line;
    int final = line;
    if (boundaryType == QAccessible::LineBoundary || boundaryType == QAccessible::ParagraphBoundary) {
        first = final = line + where;
        if (first < 0 || first > last) {
            return QString();
        }
        *startOffset = ToInt(offsets.StartOf(first));
        *endOffset = final < last ? ToInt(offsets.StartOf(final + 1)) : ToInt(total);
        return text(*startOffset, *endOffset);
    }
    first = std::max(0, line - 1);
    while (first > 0 && line - first < kMostBlankLines && IsBlank(store.Line(first))) {
        --first;
    }
    final = std::min(last, line + 1);
    while (final < last && final - line < kMostBlankLines && IsBlank(store.Line(final))) {
        ++final;
    }
    const std::int64_t windowStart = offsets.StartOf(first);
    const std::int64_t windowEnd = final < last ? offsets.StartOf(final + 1) : total;
    const QString window = text(ToInt(windowStart), ToInt(windowEnd));
    const auto type = boundaryType == QAccessible::CharBoundary   ? QTextBoundaryFinder::Grapheme
                      : boundaryType == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                                  : QTextBoundaryFinder::Sentence;
    const Segment segment = SegmentOf(window, static_cast<int>(at - windowStart), type, where);
    if (segment.start < 0) {
        return QString();
    }
    *startOffset = ToInt(windowStart + segment.start);
    *endOffset = ToInt(windowStart + segment.end);
    return window.mid(segment.start, segment.end - segment.start);
}

} // namespace lexaro
