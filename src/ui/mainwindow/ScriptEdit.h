#pragma once

#include "app/PaneColouring.h"

#include <QTextCharFormat>
#include <QTextEdit>

namespace lexaro {

// The explanation pane: an editable plain-text view that colours the passages between two delimiter
// pairs and turns links into clickable anchors whenever its whole text is set. Text the user types is
// left as typed until the text is set again.
class CScriptEdit : public QTextEdit {
    Q_OBJECT

public:
    explicit CScriptEdit(QWidget* parent = nullptr);

    void SetPair1(const QString& start, const QString& end);
    void SetPair2(const QString& start, const QString& end);
    void SetStringDelimiters(const QString& delimiters);
    // Colours are 0x00BBGGRR integers.
    void SetColour1(int colour, bool bold);
    void SetColour2(int colour, bool bold);

    void EnableColouring(bool enable) { m_Colouring = enable; }
    bool IsColouring() const { return m_Colouring; }
    void EnableHyperlinks(bool enable) { m_Hyperlinks = enable; }
    bool IsHyperlinks() const { return m_Hyperlinks; }

    // Replaces the whole text, colours it when colouring is on and marks its links when links are on.
    void SetPaneText(const QString& text);
    // The text as typed, lines ending in CR LF like every other text of the program.
    QString PaneText() const;

    // Colours the characters from `from` up to `to` (clamped to the text); nothing when colouring is off.
    void ColourRange(int from, int to);
    void ColourAll();

signals:
    // A link "file://e=" + term was clicked.
    void CrossReference(const QString& term);
    // Any other link was clicked; `url` is what the default handler should open.
    void OpenLink(const QString& url);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Style {
        QColor colour;
        bool bold = false;

        bool operator==(const Style&) const = default;
    };

    QTextCharFormat Format(const Style& style) const;
    Style StyleOf(PaneColour colour) const;
    QString TextOfRange(int from, int to) const;
    int DocumentEnd() const;
    void Refresh(int from, int to);
    void MarkLinks(int from, int to);
    bool LinkAt(const QPoint& viewportPoint, int* start, int* end) const;

    PaneColouring m_Rules;
    Style m_Plain{Qt::black, false};
    Style m_Colour1;
    Style m_Colour2;
    bool m_Colouring = true;
    bool m_Hyperlinks = true;
};

} // namespace lexaro
