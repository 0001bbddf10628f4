#include "ui/mainwindow/ScriptEdit.h"

#include "app/PaneLinks.h"
#include "ui/qt/ColourRef.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <vector>

namespace lexaro {

namespace {

QString RawLines(QString text) {
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

// Text typed right behind a link must not become part of it.
QTextCharFormat WithoutLink(QTextCharFormat format) {
    format.setAnchor(false);
    format.clearProperty(QTextFormat::AnchorHref);
    format.clearProperty(QTextFormat::TextUnderlineStyle);
    format.clearProperty(QTextFormat::FontUnderline);
    format.clearForeground();
    return format;
}

} // namespace

CScriptEdit::CScriptEdit(QWidget* parent)
    : QTextEdit(parent), m_Colour1{ColourFromRef(0x800000), true}, m_Colour2{ColourFromRef(0x8000), true} {
    m_Rules.pair1Start = u"[";
    m_Rules.pair1End = u"]";
    m_Rules.pair2Start = u"<<";
    m_Rules.pair2End = u">>";

    setAcceptRichText(false);
    setTabChangesFocus(false);
    QFont font(QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(10);
    setFont(font);
    setTabStopDistance(logicalDpiX() / 5.0);
    viewport()->setMouseTracking(true);
}

void CScriptEdit::SetPair1(const QString& start, const QString& end) {
    m_Rules.pair1Start = start.toStdU16String();
    m_Rules.pair1End = end.toStdU16String();
}

void CScriptEdit::SetPair2(const QString& start, const QString& end) {
    m_Rules.pair2Start = start.toStdU16String();
    m_Rules.pair2End = end.toStdU16String();
}

void CScriptEdit::SetStringDelimiters(const QString& delimiters) {
    m_Rules.stringDelimiters = delimiters.toStdU16String();
}

void CScriptEdit::SetColour1(int colour, bool bold) {
    m_Colour1 = {ColourFromRef(colour), bold};
}

void CScriptEdit::SetColour2(int colour, bool bold) {
    m_Colour2 = {ColourFromRef(colour), bold};
}

void CScriptEdit::SetPaneText(const QString& text) {
    // The new text and all of its formats in one edit block, so that the text is laid out once, and
    // without undo records: there is nothing to undo to. The document starts afresh, so the text does
    // not take over the format under the old cursor (a coloured passage, a link).
    const bool undo = document()->isUndoRedoEnabled();
    QTextCursor block(document());
    block.beginEditBlock();
    document()->setPlainText(text);
    document()->setUndoRedoEnabled(false);
    Refresh(0, DocumentEnd());
    block.endEditBlock();
    document()->setUndoRedoEnabled(undo);
    document()->setModified(false);
    setCurrentCharFormat(QTextCharFormat());
    moveCursor(QTextCursor::Start);
}

QString CScriptEdit::PaneText() const {
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text;
}

void CScriptEdit::ColourRange(int from, int to) {
    if (m_Colouring) {
        Refresh(from, to);
    }
}

void CScriptEdit::ColourAll() {
    ColourRange(0, DocumentEnd());
}

int CScriptEdit::DocumentEnd() const {
    return document()->characterCount() - 1;
}

QString CScriptEdit::TextOfRange(int from, int to) const {
    QTextCursor cursor(document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    return RawLines(cursor.selectedText());
}

QTextCharFormat CScriptEdit::Format(const Style& style) const {
    QTextCharFormat format;
    format.setForeground(style.colour);
    format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    return format;
}

CScriptEdit::Style CScriptEdit::StyleOf(PaneColour colour) const {
    switch (colour) {
    case PaneColour::Colour1:
        return m_Colour1;
    case PaneColour::Colour2:
        return m_Colour2;
    default:
        return m_Plain;
    }
}

// Colours the range (when colouring is on) and marks its links (when links are on). Works on its own
// cursor, so the user's selection stays where it was, and keeps the format changes from being
// reported as edits.
void CScriptEdit::Refresh(int from, int to) {
    const int end = DocumentEnd();
    from = std::clamp(from, 0, end);
    to = std::clamp(to, 0, end);
    if (from >= to) {
        return;
    }
    const QSignalBlocker blocker(this);
    if (m_Colouring) {
        const auto passages = ColourPassages(TextOfRange(from, to).toStdU16String(), m_Rules);
        QTextCursor cursor(document());
        cursor.beginEditBlock();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(Format(m_Plain));
        // Backwards, so that a keyword shown in another form does not move the passages before it.
        for (auto passage = passages.rbegin(); passage != passages.rend(); ++passage) {
            const Style style = StyleOf(passage->colour);
            if (passage->form.empty() && style == m_Plain) {
                continue;
            }
            const int start = from + static_cast<int>(passage->start);
            cursor.setPosition(start);
            cursor.setPosition(start + static_cast<int>(passage->length), QTextCursor::KeepAnchor);
            if (passage->form.empty()) {
                cursor.mergeCharFormat(Format(style));
            } else {
                QTextCharFormat format = cursor.charFormat();
                format.merge(Format(style));
                cursor.insertText(QString::fromStdU16String(passage->form), format);
                to += static_cast<int>(passage->form.size()) - static_cast<int>(passage->length);
            }
        }
        cursor.endEditBlock();
    }
    if (m_Hyperlinks) {
        MarkLinks(from, to);
    }
}

void CScriptEdit::MarkLinks(int from, int to) {
    const QString text = TextOfRange(from, to);
    const auto links = FindLinks(text.toStdU16String());
    if (links.empty()) {
        return;
    }
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (const auto& link : links) {
        const int start = from + static_cast<int>(link.start);
        QTextCharFormat format;
        format.setAnchor(true);
        format.setAnchorHref(text.mid(static_cast<qsizetype>(link.start), static_cast<qsizetype>(link.length)));
        format.setFontUnderline(true);
        format.setForeground(palette().color(QPalette::Link));
        cursor.setPosition(start);
        cursor.setPosition(start + static_cast<int>(link.length), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(format);
    }
    cursor.endEditBlock();
}

// Finds the link under a point of the viewport: the run of anchor characters with the same target
// around the character under the point, within its line.
bool CScriptEdit::LinkAt(const QPoint& viewportPoint, int* start, int* end) const {
    const QPoint point = viewportPoint + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const int hit = document()->documentLayout()->hitTest(point, Qt::ExactHit);
    if (hit < 0) {
        return false;
    }
    const QTextBlock block = document()->findBlock(hit);
    std::vector<QTextFragment> fragments;
    std::size_t found = 0;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().contains(hit)) {
            found = fragments.size();
        }
        fragments.push_back(it.fragment());
    }
    if (found >= fragments.size() || !fragments[found].contains(hit) || !fragments[found].charFormat().isAnchor()) {
        return false;
    }
    const QString target = fragments[found].charFormat().anchorHref();
    const auto sameLink = [&target](const QTextFragment& fragment) {
        return fragment.charFormat().isAnchor() && fragment.charFormat().anchorHref() == target;
    };
    std::size_t first = found;
    std::size_t last = found;
    while (first > 0 && sameLink(fragments[first - 1])) {
        --first;
    }
    while (last + 1 < fragments.size() && sameLink(fragments[last + 1])) {
        ++last;
    }
    *start = fragments[first].position();
    *end = fragments[last].position() + fragments[last].length();
    return true;
}

void CScriptEdit::keyPressEvent(QKeyEvent* event) {
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && (event->modifiers() & Qt::ControlModifier)) {
        // Ctrl+Tab is the way out of the pane, since Tab itself types a tab.
        QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        event->accept();
        return;
    }
    if (tab && !isReadOnly()) {
        insertPlainText(QStringLiteral("\t"));
        event->accept();
        return;
    }
    if (!event->text().isEmpty() && event->text().front().isPrint() && !textCursor().hasSelection() &&
        currentCharFormat().isAnchor()) {
        setCurrentCharFormat(WithoutLink(currentCharFormat()));
    }
    QTextEdit::keyPressEvent(event);
}

void CScriptEdit::mouseMoveEvent(QMouseEvent* event) {
    QTextEdit::mouseMoveEvent(event);
    if (event->buttons() == Qt::NoButton) {
        int start = 0;
        int end = 0;
        const bool overLink = m_Hyperlinks && LinkAt(event->position().toPoint(), &start, &end);
        viewport()->setCursor(overLink ? Qt::PointingHandCursor : Qt::IBeamCursor);
    }
}

void CScriptEdit::mouseReleaseEvent(QMouseEvent* event) {
    QTextEdit::mouseReleaseEvent(event);
    int start = 0;
    int end = 0;
    if (event->button() != Qt::LeftButton || !m_Hyperlinks || textCursor().hasSelection() ||
        !LinkAt(event->position().toPoint(), &start, &end)) {
        return;
    }
    QTextCursor link(document());
    link.setPosition(start);
    link.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(link);
    const std::u16string text = link.selectedText().toStdU16String();
    if (const auto term = CrossReferenceTerm(text)) {
        emit CrossReference(QString::fromStdU16String(*term));
    } else {
        emit OpenLink(QString::fromStdU16String(LinkTarget(text)));
    }
}

} // namespace lexaro
