#pragma once

#include "widgets/LineOffsets.h"
#include "widgets/LineStore.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QAccessibleEvent;
class QMimeData;
class QTextLayout;

namespace lexaro {

class CLargeTextEditSelection;

// A plain-text field for texts of millions of lines. The text stays UTF-8 in a LineStore; only the lines on
// screen are turned into QString and laid out, each with QTextLayout (shaping, tabs, bidi, grapheme steps).
// Lines are never wrapped. Columns in this interface are byte offsets into a line's UTF-8 text.
class CLargeTextEdit : public QAbstractScrollArea {
    Q_OBJECT
    friend class CLargeTextEditAccessible;
    friend class CLargeTextEditSelection;

public:
    explicit CLargeTextEdit(QWidget* parent = nullptr);
    ~CLargeTextEdit() override;

    // Replaces the whole text; the caret goes to the start and the undo history is forgotten.
    void SetText(std::string utf8);
    std::string Text() const { return m_Store.Text(); }
    int LineCount() const { return m_Store.LineCount(); }
    // The line's text without its line end (a CR before the LF stays hidden in the store).
    std::string_view Line(int line) const { return m_Store.Line(line).substr(0, m_Store.EditableLength(line)); }

    TextPos Cursor() const { return m_Cursor; }
    bool HasSelection() const { return m_Cursor != m_Anchor; }
    std::string SelectedText() const { return m_Store.Extract(m_Anchor, m_Cursor); }
    // Places the caret (clamped into the text) and drops the selection.
    void SetCursor(TextPos pos);
    void MoveCursorToEnd() { SetCursor(m_Store.End()); }
    int FirstVisibleLine() const;
    // Scrolls so that the line is the first one visible (as far as the text reaches).
    void ScrollToLine(int line);
    void EnsureCursorVisible();

    // The selection as the primary selection offers it (the caller owns it): it keeps offering the selected text
    // after edits, as long as the text is not large.
    QMimeData* SelectionData();

    void SelectAll();
    void Cut();
    void Copy() const;
    void Paste();
    void Undo();
    void Redo();

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    void textChanged();
    void cursorPositionChanged();

protected:
    // Whether assistive technology listens, and where the field's events for it go.
    virtual bool AccessibilityActive() const;
    virtual void SendAccessibilityEvent(QAccessibleEvent* event);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    enum class Move {
        PrevChar,
        NextChar,
        PrevWord,
        NextWord,
        LineStart,
        LineEnd,
        Up,
        Down,
        PageUp,
        PageDown,
        Start,
        End
    };

    // Painting and geometry (LargeTextEdit.cpp).
    int LineHeight() const;
    int PageLines() const;
    void UpdateScrollBars();
    QString ShownLine(int line) const;
    void LayOut(QTextLayout& layout, int line) const;
    int UnitOf(TextPos pos) const;
    TextPos PosAt(QPoint viewportPoint) const;
    qreal XOf(TextPos pos) const;
    QRect CursorRect() const;
    // The character's box in viewport coordinates, or a null rectangle when its line is not on screen.
    QRect CharacterRect(TextPos pos) const;
    void RestartBlink();

    // Editing and moving (LargeTextEditInput.cpp).
    TextPos Stepped(TextPos from, Move move) const;
    void MoveTo(TextPos pos, bool keepAnchor);
    void Select(TextPos anchor, TextPos cursor);
    // Offers the selection as the primary selection where the system has one (X11, Wayland).
    void ExportSelection();
    void PastePrimaryAt(QPoint viewportPoint);
    void Replace(TextPos from, TextPos to, std::string_view utf8, bool typing = false);
    void Edited(TextPos caret);
    // Changes the text between from and to (in order) through apply, which returns where the change ends;
    // keeps the UTF-16 offsets true and tells assistive technology what changed.
    TextPos ChangeText(TextPos from, TextPos to, const std::function<TextPos()>& apply);
    void AnnounceChange(std::int64_t position, const QString& removed, const QString& inserted);
    void AnnounceCaret(bool selectionChanged);
    // The shown text between two positions in order, the lines joined by LF.
    QString ShownText(TextPos from, TextPos to) const;
    bool HandleMove(QKeyEvent* event);
    bool HandleEdit(QKeyEvent* event);
    bool IsOwnShortcut(QKeyEvent* event) const;
    void SelectWordAt(TextPos pos);

    LineStore m_Store;
    QPointer<CLargeTextEditSelection> m_Exported;
    mutable LineOffsets m_Offsets{m_Store};
    TextPos m_Cursor;
    TextPos m_Anchor;
    qreal m_GoalX = -1;
    int m_WidestPainted = 0;
    int m_PageLines = 0; // the lines per page the scroll bars were last set for
    bool m_Dragging = false;
    QPoint m_DragPoint;
    QBasicTimer m_DragTimer;
    QBasicTimer m_BlinkTimer;
    bool m_CaretShown = true;
    bool m_EnsureOnShow = false;
    QString m_Preedit;
    int m_PreeditCursor = 0;
};

} // namespace lexaro
