#include "widgets/LargeTextEdit.h"

#include "widgets/LargeTextEditAccessible.h"
#include "widgets/LargeTextEditSelection.h"
#include "widgets/LineText.h"

#include <QAccessible>
#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTextLayout>
#include <algorithm>
#include <limits>

namespace lexaro {

namespace {

constexpr int kMargin = 4;
// Wide enough for any line a person keeps; lines are laid out in one piece and never wrapped.
constexpr qreal kUnboundedWidth = 1.0e7;
constexpr qreal kTabStop = 80;

int ClampToInt(double value) {
    return static_cast<int>(std::clamp(value, 0.0, static_cast<double>(std::numeric_limits<int>::max() / 2)));
}

} // namespace

CLargeTextEdit::CLargeTextEdit(QWidget* parent) : QAbstractScrollArea(parent) {
    static const bool accessible = [] {
        QAccessible::installFactory(&CLargeTextEditAccessible::Create);
        return true;
    }();
    Q_UNUSED(accessible);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    UpdateScrollBars();
}

CLargeTextEdit::~CLargeTextEdit() {
    // A selection offered to other programs outlives the field, as in any text field.
    if (m_Exported != nullptr) {
        m_Exported->Keep();
    }
}

void CLargeTextEdit::SetText(std::string utf8) {
    if (m_Exported != nullptr) {
        m_Exported->Keep();
    }
    const bool announce = AccessibilityActive();
    const bool hadSelection = HasSelection();
    const std::int64_t oldUnits = announce ? m_Offsets.Total() : 0;
    m_Store.SetText(std::move(utf8));
    m_Offsets.Reset();
    if (announce) {
        // Like Qt's own text fields, the text taken away is told by its length only.
        AnnounceChange(0, QString(static_cast<qsizetype>(oldUnits), u' '), ShownText(TextPos{}, m_Store.End()));
    }
    m_Cursor = m_Anchor = TextPos{};
    m_GoalX = -1;
    m_WidestPainted = 0;
    UpdateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
    AnnounceCaret(hadSelection);
    emit textChanged();
    emit cursorPositionChanged();
}

QString CLargeTextEdit::ShownText(TextPos from, TextPos to) const {
    QString text;
    for (int line = from.line; line <= to.line; ++line) {
        const QString shown = ShownLine(line);
        const qsizetype start = line == from.line ? UnitOf(from) : 0;
        const qsizetype end = line == to.line ? UnitOf(to) : shown.size();
        text += QStringView(shown).mid(start, end - start);
        if (line < to.line) {
            text += QLatin1Char('\n');
        }
    }
    return text;
}

bool CLargeTextEdit::AccessibilityActive() const {
    return QAccessible::isActive();
}

void CLargeTextEdit::SendAccessibilityEvent(QAccessibleEvent* event) {
    QAccessible::updateAccessibility(event);
}

void CLargeTextEdit::AnnounceChange(std::int64_t position, const QString& removed, const QString& inserted) {
    const int at = ClampToInt(static_cast<double>(position));
    if (removed.isEmpty() && inserted.isEmpty()) {
        return;
    }
    if (removed.isEmpty()) {
        QAccessibleTextInsertEvent event(this, at, inserted);
        SendAccessibilityEvent(&event);
    } else if (inserted.isEmpty()) {
        QAccessibleTextRemoveEvent event(this, at, removed);
        SendAccessibilityEvent(&event);
    } else {
        QAccessibleTextUpdateEvent event(this, at, removed, inserted);
        SendAccessibilityEvent(&event);
    }
}

void CLargeTextEdit::AnnounceCaret(bool selectionChanged) {
    if (!AccessibilityActive()) {
        return;
    }
    const int cursor = ClampToInt(static_cast<double>(m_Offsets.OffsetOf(m_Cursor)));
    if (selectionChanged) {
        const int anchor = ClampToInt(static_cast<double>(m_Offsets.OffsetOf(m_Anchor)));
        QAccessibleTextSelectionEvent event(this, std::min(anchor, cursor), std::max(anchor, cursor));
        event.setCursorPosition(cursor);
        SendAccessibilityEvent(&event);
    }
    QAccessibleTextCursorEvent event(this, cursor);
    SendAccessibilityEvent(&event);
}

void CLargeTextEdit::SetCursor(TextPos pos) {
    MoveTo(m_Store.Clamp(pos), false);
}

int CLargeTextEdit::FirstVisibleLine() const {
    return verticalScrollBar()->value();
}

void CLargeTextEdit::ScrollToLine(int line) {
    verticalScrollBar()->setValue(line);
}

int CLargeTextEdit::LineHeight() const {
    return std::max(1, fontMetrics().lineSpacing());
}

int CLargeTextEdit::PageLines() const {
    return std::max(1, (viewport()->height() - kMargin) / LineHeight());
}

void CLargeTextEdit::UpdateScrollBars() {
    // A caret line in view stays in view when the field loses height, for example when painting a wide
    // line makes the horizontal scroll bar appear under the last line.
    const int first = verticalScrollBar()->value();
    const bool caretShown = m_Cursor.line >= first && m_Cursor.line < first + m_PageLines;
    const int page = PageLines();
    m_PageLines = page;
    verticalScrollBar()->setRange(0, std::max(0, LineCount() - page));
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(1);
    // Laying out millions of lines to find the widest is what this widget avoids: the longest line's bytes
    // times an average character give an estimate, and what painting has measured corrects it upwards.
    const double estimate = static_cast<double>(m_Store.LongestLineSeen()) * fontMetrics().averageCharWidth();
    const int widest = std::max(ClampToInt(estimate), m_WidestPainted) + 2 * kMargin;
    const int room = viewport()->width();
    horizontalScrollBar()->setRange(0, std::max(0, widest - room));
    horizontalScrollBar()->setPageStep(std::max(1, room));
    horizontalScrollBar()->setSingleStep(std::max(1, fontMetrics().averageCharWidth() * 2));
    if (caretShown && m_Cursor.line >= verticalScrollBar()->value() + m_PageLines) {
        verticalScrollBar()->setValue(m_Cursor.line - m_PageLines + 1);
    }
}

QString CLargeTextEdit::ShownLine(int line) const {
    return DisplayText(m_Store.Line(line).substr(0, m_Store.EditableLength(line)));
}

void CLargeTextEdit::LayOut(QTextLayout& layout, int line) const {
    layout.setText(ShownLine(line));
    layout.setFont(font());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(kTabStop);
    option.setTextDirection(layoutDirection());
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine row = layout.createLine();
    if (row.isValid()) {
        row.setLineWidth(kUnboundedWidth);
    }
    layout.endLayout();
}

int CLargeTextEdit::UnitOf(TextPos pos) const {
    return UnitOfByte(m_Store.Line(pos.line), pos.column);
}

qreal CLargeTextEdit::XOf(TextPos pos) const {
    QTextLayout layout;
    LayOut(layout, pos.line);
    return layout.lineAt(0).cursorToX(UnitOf(pos));
}

TextPos CLargeTextEdit::PosAt(QPoint viewportPoint) const {
    const int offset = (viewportPoint.y() - kMargin) < 0 ? -1 : (viewportPoint.y() - kMargin) / LineHeight();
    const int line = std::clamp(FirstVisibleLine() + offset, 0, LineCount() - 1);
    QTextLayout layout;
    LayOut(layout, line);
    const qreal x = viewportPoint.x() - kMargin + horizontalScrollBar()->value();
    const int unit = layout.lineAt(0).xToCursor(x);
    return m_Store.Clamp(TextPos{line, ByteOfUnit(m_Store.Line(line), unit)});
}

QRect CLargeTextEdit::CursorRect() const {
    const int x = ClampToInt(XOf(m_Cursor)) + kMargin - horizontalScrollBar()->value();
    const int y = (m_Cursor.line - FirstVisibleLine()) * LineHeight() + kMargin;
    return QRect(x, y, 1, LineHeight());
}

QRect CLargeTextEdit::CharacterRect(TextPos pos) const {
    pos = m_Store.Clamp(pos);
    const int row = pos.line - FirstVisibleLine();
    if (row < 0 || row >= PageLines()) {
        return QRect();
    }
    QTextLayout layout;
    LayOut(layout, pos.line);
    const QTextLine line = layout.lineAt(0);
    const int unit = UnitOf(pos);
    const int next = layout.nextCursorPosition(unit);
    const qreal left = line.cursorToX(unit);
    const qreal right = next > unit ? line.cursorToX(next) : left + fontMetrics().averageCharWidth();
    const int x = ClampToInt(std::min(left, right)) + kMargin - horizontalScrollBar()->value();
    return QRect(x, row * LineHeight() + kMargin, std::max(1, ClampToInt(std::abs(right - left))), LineHeight());
}

void CLargeTextEdit::EnsureCursorVisible() {
    // Before the field is shown its size is not final: the caret is brought into view again then.
    m_EnsureOnShow = !isVisible();
    const int page = PageLines();
    QScrollBar* vertical = verticalScrollBar();
    if (m_Cursor.line < vertical->value()) {
        vertical->setValue(m_Cursor.line);
    } else if (m_Cursor.line >= vertical->value() + page) {
        vertical->setValue(m_Cursor.line - page + 1);
    }
    const int x = ClampToInt(XOf(m_Cursor));
    if (x + 2 * kMargin > m_WidestPainted) {
        m_WidestPainted = x + 2 * kMargin;
        UpdateScrollBars();
    }
    QScrollBar* horizontal = horizontalScrollBar();
    const int room = viewport()->width() - 2 * kMargin;
    if (x < horizontal->value()) {
        horizontal->setValue(std::max(0, x - room / 4));
    } else if (x > horizontal->value() + room) {
        horizontal->setValue(x - room + room / 4);
    }
    viewport()->update();
}

void CLargeTextEdit::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPalette& colours = palette();
    const int lineHeight = LineHeight();
    const qreal left = kMargin - horizontalScrollBar()->value();
    const TextPos selFrom = std::min(m_Cursor, m_Anchor);
    const TextPos selTo = std::max(m_Cursor, m_Anchor);
    QTextCharFormat selected;
    selected.setBackground(colours.brush(QPalette::Highlight));
    selected.setForeground(colours.brush(QPalette::HighlightedText));
    const int cursorWidth = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
    int widest = m_WidestPainted;

    const int bottom = viewport()->height();
    for (int line = FirstVisibleLine(), y = kMargin; line < LineCount() && y < bottom; ++line, y += lineHeight) {
        QTextLayout layout;
        const bool caretLine = line == m_Cursor.line;
        if (caretLine && !m_Preedit.isEmpty()) {
            layout.setPreeditArea(UnitOf(m_Cursor), m_Preedit);
        }
        LayOut(layout, line);
        QList<QTextLayout::FormatRange> ranges;
        if (selFrom != selTo && line >= selFrom.line && line <= selTo.line) {
            const int start = line == selFrom.line ? UnitOf(selFrom) : 0;
            const int end = line == selTo.line ? UnitOf(selTo) : static_cast<int>(layout.text().size());
            ranges.append(QTextLayout::FormatRange{start, end - start, selected});
            if (line < selTo.line) {
                // The selected line break, shown as a space's width after the text.
                const qreal x = left + layout.lineAt(0).naturalTextWidth();
                painter.fillRect(QRectF(x, y, fontMetrics().horizontalAdvance(QLatin1Char(' ')), lineHeight),
                                 colours.brush(QPalette::Highlight));
            }
        }
        layout.draw(&painter, QPointF(left, y), ranges);
        widest = std::max(widest, ClampToInt(layout.lineAt(0).naturalTextWidth()) + 2 * kMargin);
        if (caretLine && hasFocus() && m_CaretShown) {
            const int caret = UnitOf(m_Cursor) + (m_Preedit.isEmpty() ? 0 : m_PreeditCursor);
            layout.drawCursor(&painter, QPointF(left, y), caret, cursorWidth);
        }
    }
    if (widest > m_WidestPainted) {
        // The scroll bars are widened after painting: changing them now would repaint in the middle of it.
        m_WidestPainted = widest;
        QMetaObject::invokeMethod(
            this, [this] { UpdateScrollBars(); }, Qt::QueuedConnection);
    }
}

void CLargeTextEdit::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CLargeTextEdit::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    if (m_EnsureOnShow) {
        UpdateScrollBars();
        EnsureCursorVisible();
    }
}

void CLargeTextEdit::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_WidestPainted = 0;
        UpdateScrollBars();
        viewport()->update();
    }
}

void CLargeTextEdit::RestartBlink() {
    m_CaretShown = true;
    const int flash = QApplication::cursorFlashTime();
    if (hasFocus() && flash > 0) {
        m_BlinkTimer.start(flash / 2, this);
    } else {
        m_BlinkTimer.stop();
    }
}

void CLargeTextEdit::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_BlinkTimer.timerId()) {
        m_CaretShown = !m_CaretShown;
        viewport()->update(CursorRect().adjusted(-2, 0, 2, 0));
    } else if (event->timerId() == m_DragTimer.timerId()) {
        // The mouse holds a selection beyond the edge: the text keeps scrolling towards it.
        if (m_Dragging) {
            MoveTo(PosAt(m_DragPoint), true);
        } else {
            m_DragTimer.stop();
        }
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

void CLargeTextEdit::scrollContentsBy(int, int) {
    viewport()->update();
}

} // namespace lexaro
