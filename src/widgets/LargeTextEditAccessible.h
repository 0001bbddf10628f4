#pragma once

#include <QAccessibleWidget>
#include <cstdint>

namespace lexaro {

class CLargeTextEdit;
struct TextPos;

// What screen readers see of a CLargeTextEdit: an editable multi-line text, read and changed by UTF-16 offsets
// over the whole text (lines joined by LF) without ever converting the whole text for one question.
class CLargeTextEditAccessible : public QAccessibleWidget,
                                 public QAccessibleTextInterface,
                                 public QAccessibleEditableTextInterface {
public:
    explicit CLargeTextEditAccessible(CLargeTextEdit* edit);
    // The factory for QAccessible::installFactory.
    static QAccessibleInterface* Create(const QString& key, QObject* object);

    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                            int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    CLargeTextEdit* Edit() const;
    TextPos PosOf(int offset) const;
    int OffsetOf(TextPos pos) const;
    // -1 before, 0 at, 1 after: the segment of the boundary type next to or around the offset.
    QString Around(int offset, QAccessible::TextBoundaryType boundaryType, int where, int* startOffset,
                   int* endOffset) const;
};

} // namespace lexaro
