#include "widgets/LargeTextEdit.h"
#include "widgets/LargeTextEditSelection.h"
#include "widgets/LineText.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <QTextLayout>

namespace lexaro {

namespace {

bool IsRedo(QKeyEvent* event) {
    return event->matches(QKeySequence::Redo) || event->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
}

// Typed text: printable characters without a command modifier (Alt with a letter opens the window's menus).
bool IsTyping(QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier)) != 0) {
        return false;
    }
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint() || c.isSurrogate(); });
}

QString MenuText(const char* text, QKeySequence::StandardKey key) {
    const QString caption = QCoreApplication::translate("QWidgetTextControl", text);
    const QString shortcut = QKeySequence(key).toString(QKeySequence::NativeText);
    return shortcut.isEmpty() ? caption : caption + QLatin1Char('\t') + shortcut;
}

} // namespace

TextPos CLargeTextEdit::Stepped(TextPos from, Move move) const {
    const int last = LineCount() - 1;
    switch (move) {
    case Move::Start:
        return TextPos{};
    case Move::End:
        return m_Store.End();
    case Move::LineStart:
        return TextPos{from.line, 0};
    case Move::LineEnd:
        return TextPos{from.line, m_Store.EditableLength(from.line)};
    case Move::Up:
    case Move::Down:
    case Move::PageUp:
    case Move::PageDown: {
        const int page = PageLines();
        const int delta = move == Move::Up ? -1 : move == Move::Down ? 1 : move == Move::PageUp ? -page : page;
        const int line = std::clamp(from.line + delta, 0, last);
        if (line == from.line) {
            return delta < 0 ? TextPos{} : m_Store.End();
        }
        QTextLayout layout;
        LayOut(layout, line);
        const qreal goal = m_GoalX >= 0 ? m_GoalX : XOf(from);
        return TextPos{line, ByteOfUnit(m_Store.Line(line), layout.lineAt(0).xToCursor(goal))};
    }
    default:
        break;
    }
    const bool forward = move == Move::NextChar || move == Move::NextWord;
    if (forward && from.column >= m_Store.EditableLength(from.line)) {
        return from.line < last ? TextPos{from.line + 1, 0} : from;
    }
    if (!forward && from.column == 0) {
        return from.line > 0 ? TextPos{from.line - 1, m_Store.EditableLength(from.line - 1)} : from;
    }
    QTextLayout layout;
    LayOut(layout, from.line);
    const auto mode =
        move == Move::PrevWord || move == Move::NextWord ? QTextLayout::SkipWords : QTextLayout::SkipCharacters;
    const int unit = UnitOf(from);
    const int next = forward ? layout.nextCursorPosition(unit, mode) : layout.previousCursorPosition(unit, mode);
    return m_Store.Clamp(TextPos{from.line, ByteOfUnit(m_Store.Line(from.line), next)});
}

void CLargeTextEdit::MoveTo(TextPos pos, bool keepAnchor) {
    m_Store.CloseTypingStep();
    const bool changed = pos != m_Cursor || (!keepAnchor && m_Anchor != pos);
    const bool hadSelection = HasSelection();
    m_Cursor = pos;
    if (!keepAnchor) {
        m_Anchor = pos;
    }
    EnsureCursorVisible();
    RestartBlink();
    if (changed) {
        AnnounceCaret(hadSelection || HasSelection());
        if (!m_Dragging) {
            ExportSelection();
        }
        emit cursorPositionChanged();
    }
}

void CLargeTextEdit::Replace(TextPos from, TextPos to, std::string_view utf8, bool typing) {
    from = m_Store.Clamp(from);
    to = m_Store.Clamp(to);
    if (to < from) {
        std::swap(from, to);
    }
    if (utf8.empty() && from == to) {
        MoveTo(from, false); // Backspace at the very start, Delete at the very end: nothing to change
        return;
    }
    Edited(ChangeText(from, to, [&] { return m_Store.Replace(from, to, utf8, typing); }));
}

TextPos CLargeTextEdit::ChangeText(TextPos from, TextPos to, const std::function<TextPos()>& apply) {
    if (m_Exported != nullptr) {
        m_Exported->Keep();
    }
    if (!AccessibilityActive()) {
        const TextPos end = apply();
        m_Offsets.Reset();
        return end;
    }
    const std::int64_t position = m_Offsets.OffsetOf(from);
    const QString removed = ShownText(from, to);
    m_Offsets.BeginChange(from.line, to.line);
    const TextPos end = apply();
    m_Offsets.EndChange(from.line, end.line);
    AnnounceChange(position, removed, ShownText(from, end));
    return end;
}

void CLargeTextEdit::Edited(TextPos caret) {
    const bool hadSelection = HasSelection();
    m_Cursor = m_Anchor = caret;
    m_GoalX = -1;
    UpdateScrollBars();
    EnsureCursorVisible();
    RestartBlink();
    AnnounceCaret(hadSelection);
    emit textChanged();
    emit cursorPositionChanged();
}

void CLargeTextEdit::Select(TextPos anchor, TextPos cursor) {
    const bool onlyAnchorMoves = anchor != m_Anchor && cursor == m_Cursor;
    m_Anchor = anchor;
    MoveTo(cursor, true);
    if (onlyAnchorMoves) {
        AnnounceCaret(true);
        ExportSelection();
    }
}

QMimeData* CLargeTextEdit::SelectionData() {
    auto* data = new CLargeTextEditSelection(*this, std::min(m_Anchor, m_Cursor), std::max(m_Anchor, m_Cursor));
    m_Exported = data;
    return data;
}

void CLargeTextEdit::ExportSelection() {
    QClipboard* clipboard = QApplication::clipboard();
    if (HasSelection() && clipboard->supportsSelection()) {
        clipboard->setMimeData(SelectionData(), QClipboard::Selection);
    }
}

void CLargeTextEdit::PastePrimaryAt(QPoint viewportPoint) {
    const TextPos at = PosAt(viewportPoint);
    const QByteArray bytes = QApplication::clipboard()->text(QClipboard::Selection).toUtf8();
    if (bytes.isEmpty()) {
        MoveTo(at, false);
        return;
    }
    Replace(at, at, NormaliseLineEnds(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

void CLargeTextEdit::SelectAll() {
    Select(TextPos{}, m_Store.End());
}

void CLargeTextEdit::Copy() const {
    if (HasSelection()) {
        const std::string text = SelectedText();
        QApplication::clipboard()->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
}

void CLargeTextEdit::Cut() {
    if (HasSelection()) {
        Copy();
        Replace(m_Anchor, m_Cursor, {});
    }
}

void CLargeTextEdit::Paste() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) {
        return;
    }
    const QByteArray bytes = data->text().toUtf8();
    Replace(m_Anchor, m_Cursor, NormaliseLineEnds(std::string_view(bytes.constData(), bytes.size())));
}

void CLargeTextEdit::Undo() {
    if (m_Store.CanUndo()) {
        const LineStore::Span target = m_Store.UndoTarget();
        Edited(ChangeText(target.from, target.to, [this] { return m_Store.Undo().to; }));
    }
}

void CLargeTextEdit::Redo() {
    if (m_Store.CanRedo()) {
        const LineStore::Span target = m_Store.RedoTarget();
        Edited(ChangeText(target.from, target.to, [this] { return m_Store.Redo().to; }));
    }
}

void CLargeTextEdit::SelectWordAt(TextPos pos) {
    const QString shown = ShownLine(pos.line);
    const int unit = UnitOf(pos);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, shown);
    finder.setPosition(unit);
    int start = finder.isAtBoundary() ? unit : finder.toPreviousBoundary();
    finder.setPosition(unit);
    int end = finder.toNextBoundary();
    if (unit > 0 && (unit == shown.size() || !shown.at(unit).isLetterOrNumber()) &&
        shown.at(unit - 1).isLetterOrNumber()) {
        // Clicked just behind a word: that word, not the gap after it.
        finder.setPosition(unit);
        end = unit;
        start = finder.toPreviousBoundary();
    }
    const std::string_view bytes = m_Store.Line(pos.line);
    Select(TextPos{pos.line, ByteOfUnit(bytes, std::max(0, start))},
           TextPos{pos.line, ByteOfUnit(bytes, end < 0 ? static_cast<int>(shown.size()) : end)});
}

bool CLargeTextEdit::HandleMove(QKeyEvent* event) {
    struct Binding {
        QKeySequence::StandardKey move;
        QKeySequence::StandardKey select;
        Move step;
    };
    static const Binding bindings[] = {
        {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar, Move::PrevChar},
        {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, Move::NextChar},
        {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, Move::PrevWord},
        {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, Move::NextWord},
        {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, Move::LineStart},
        {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, Move::LineEnd},
        {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, Move::Up},
        {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, Move::Down},
        {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, Move::PageUp},
        {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, Move::PageDown},
        {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument, Move::Start},
        {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument, Move::End},
    };
    for (const Binding& binding : bindings) {
        const bool select = event->matches(binding.select);
        if (!select && !event->matches(binding.move)) {
            continue;
        }
        const bool vertical = binding.step == Move::Up || binding.step == Move::Down || binding.step == Move::PageUp ||
                              binding.step == Move::PageDown;
        if (vertical && m_GoalX < 0) {
            m_GoalX = XOf(m_Cursor);
        }
        const TextPos target = Stepped(m_Cursor, binding.step);
        if (binding.step == Move::PageUp || binding.step == Move::PageDown) {
            verticalScrollBar()->setValue(verticalScrollBar()->value() + (target.line - m_Cursor.line));
        }
        const qreal goal = m_GoalX;
        MoveTo(target, select);
        m_GoalX = vertical ? goal : -1;
        return true;
    }
    return false;
}

bool CLargeTextEdit::HandleEdit(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        Copy();
    } else if (event->matches(QKeySequence::Cut)) {
        Cut();
    } else if (event->matches(QKeySequence::Paste)) {
        Paste();
    } else if (event->matches(QKeySequence::Undo)) {
        Undo();
    } else if (IsRedo(event)) {
        Redo();
    } else if (event->matches(QKeySequence::DeleteStartOfWord) || event->matches(QKeySequence::DeleteEndOfWord)) {
        const bool back = event->matches(QKeySequence::DeleteStartOfWord);
        Replace(HasSelection() ? m_Anchor : Stepped(m_Cursor, back ? Move::PrevWord : Move::NextWord), m_Cursor, {});
    } else if (event->key() == Qt::Key_Backspace || event->matches(QKeySequence::Delete)) {
        const bool back = event->key() == Qt::Key_Backspace;
        TextPos from = m_Anchor;
        if (!HasSelection() && back && m_Cursor.column > 0) {
            // Backspace takes one character, so that an accent typed after its letter can be taken back alone.
            const std::string_view bytes = m_Store.Line(m_Cursor.line);
            from = TextPos{m_Cursor.line, ByteOfUnit(bytes, UnitOf(m_Cursor) - 1)};
            if (from.column == m_Cursor.column && from.column > 0) {
                from.column = ByteOfUnit(bytes, UnitOf(m_Cursor) - 2);
            }
        } else if (!HasSelection()) {
            from = Stepped(m_Cursor, back ? Move::PrevChar : Move::NextChar);
        }
        Replace(from, m_Cursor, {});
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Replace(m_Anchor, m_Cursor, "\n");
    } else if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::NoModifier) {
        Replace(m_Anchor, m_Cursor, "\t", true);
    } else if (IsTyping(event)) {
        const QByteArray bytes = event->text().toUtf8();
        Replace(m_Anchor, m_Cursor, std::string_view(bytes.constData(), bytes.size()), true);
    } else {
        return false;
    }
    return true;
}

bool CLargeTextEdit::IsOwnShortcut(QKeyEvent* event) const {
    static const QKeySequence::StandardKey keys[] = {
        QKeySequence::SelectAll,
        QKeySequence::Copy,
        QKeySequence::Cut,
        QKeySequence::Paste,
        QKeySequence::Undo,
        QKeySequence::Redo,
        QKeySequence::DeleteStartOfWord,
        QKeySequence::DeleteEndOfWord,
        QKeySequence::MoveToPreviousWord,
        QKeySequence::MoveToNextWord,
        QKeySequence::SelectPreviousWord,
        QKeySequence::SelectNextWord,
        QKeySequence::MoveToStartOfDocument,
        QKeySequence::MoveToEndOfDocument,
        QKeySequence::SelectStartOfDocument,
        QKeySequence::SelectEndOfDocument,
    };
    return IsRedo(event) || IsTyping(event) ||
           std::any_of(std::begin(keys), std::end(keys), [event](auto key) { return event->matches(key); });
}

bool CLargeTextEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && IsOwnShortcut(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void CLargeTextEdit::keyPressEvent(QKeyEvent* event) {
    if (HandleMove(event) || HandleEdit(event)) {
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CLargeTextEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
        PastePrimaryAt(event->position().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_Dragging = true;
    m_GoalX = -1;
    MoveTo(PosAt(event->position().toPoint()), (event->modifiers() & Qt::ShiftModifier) != 0);
}

void CLargeTextEdit::mouseMoveEvent(QMouseEvent* event) {
    if (m_Dragging && (event->buttons() & Qt::LeftButton) != 0) {
        m_DragPoint = event->position().toPoint();
        MoveTo(PosAt(m_DragPoint), true);
        if (viewport()->rect().contains(m_DragPoint)) {
            m_DragTimer.stop();
        } else if (!m_DragTimer.isActive()) {
            m_DragTimer.start(50, this);
        }
    }
}

void CLargeTextEdit::mouseReleaseEvent(QMouseEvent*) {
    if (m_Dragging) {
        m_Dragging = false;
        ExportSelection();
    }
    m_DragTimer.stop();
}

void CLargeTextEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        SelectWordAt(PosAt(event->position().toPoint()));
    }
}

void CLargeTextEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(MenuText("&Undo", QKeySequence::Undo), this, &CLargeTextEdit::Undo)->setEnabled(m_Store.CanUndo());
    menu.addAction(MenuText("&Redo", QKeySequence::Redo), this, &CLargeTextEdit::Redo)->setEnabled(m_Store.CanRedo());
    menu.addSeparator();
    menu.addAction(MenuText("Cu&t", QKeySequence::Cut), this, &CLargeTextEdit::Cut)->setEnabled(HasSelection());
    menu.addAction(MenuText("&Copy", QKeySequence::Copy), this, &CLargeTextEdit::Copy)->setEnabled(HasSelection());
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    menu.addAction(MenuText("&Paste", QKeySequence::Paste), this, &CLargeTextEdit::Paste)
        ->setEnabled(clip != nullptr && clip->hasText());
    menu.addAction(QCoreApplication::translate("QWidgetTextControl", "Delete"), this,
                   [this] { Replace(m_Anchor, m_Cursor, {}); })
        ->setEnabled(HasSelection());
    menu.addSeparator();
    menu.addAction(MenuText("Select All", QKeySequence::SelectAll), this, &CLargeTextEdit::SelectAll);
    menu.exec(event->globalPos());
}

void CLargeTextEdit::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    RestartBlink();
    viewport()->update();
}

void CLargeTextEdit::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    m_Dragging = false;
    m_DragTimer.stop();
    m_BlinkTimer.stop();
    viewport()->update();
}

bool CLargeTextEdit::focusNextPrevChild(bool) {
    return false; // Tab is a character of the text
}

void CLargeTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        TextPos from = m_Anchor;
        TextPos to = m_Cursor;
        if (event->replacementLength() > 0) {
            const std::string_view bytes = m_Store.Line(m_Cursor.line);
            const int start = std::max(0, UnitOf(m_Cursor) + event->replacementStart());
            from = TextPos{m_Cursor.line, ByteOfUnit(bytes, start)};
            to = TextPos{m_Cursor.line, ByteOfUnit(bytes, start + event->replacementLength())};
        }
        const QByteArray bytes = event->commitString().toUtf8();
        Replace(from, to, std::string_view(bytes.constData(), bytes.size()), true);
    }
    m_Preedit = event->preeditString();
    m_PreeditCursor = static_cast<int>(m_Preedit.size());
    for (const QInputMethodEvent::Attribute& attribute : event->attributes()) {
        if (attribute.type == QInputMethodEvent::Cursor) {
            m_PreeditCursor = attribute.start;
        }
    }
    viewport()->update();
    event->accept();
}

QVariant CLargeTextEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle:
        return CursorRect().translated(viewport()->pos());
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
        return UnitOf(m_Cursor);
    case Qt::ImAnchorPosition:
        return m_Anchor.line == m_Cursor.line ? UnitOf(m_Anchor) : UnitOf(m_Cursor);
    case Qt::ImSurroundingText:
        return ShownLine(m_Cursor.line);
    case Qt::ImCurrentSelection:
        return m_Anchor.line == m_Cursor.line ? QString::fromStdString(SelectedText()) : QString();
    case Qt::ImHints:
        return static_cast<int>(Qt::ImhMultiLine);
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

} // namespace lexaro
