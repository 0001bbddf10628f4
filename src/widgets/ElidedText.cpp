#include "widgets/ElidedText.h"

#include <QHelpEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolTip>
#include <algorithm>

namespace lexaro {

namespace {

// The widest a long text asks for, and the least it keeps, in average characters.
constexpr int kPreferredCharacters = 30;
constexpr int kMinimumCharacters = 4;

// One line: the line breaks of a text that is shown cut would only hide more of it.
QString OneLine(const QString& text) {
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.remove(QLatin1Char('\r'));
    return line;
}

bool ShowWholeTextTip(QWidget& widget, QEvent& event, bool elided, const QString& text) {
    if (event.type() != QEvent::ToolTip || !widget.toolTip().isEmpty() || !elided) {
        return false;
    }
    QToolTip::showText(static_cast<QHelpEvent&>(event).globalPos(), text, &widget);
    return true;
}

} // namespace

QSize CElidedButton::sizeHint() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const int textWidth = std::min(fontMetrics().horizontalAdvance(OneLine(text())),
                                   fontMetrics().averageCharWidth() * kPreferredCharacters);
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, QSize(textWidth, fontMetrics().height()), this);
}

QSize CElidedButton::minimumSizeHint() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QSize contents(fontMetrics().averageCharWidth() * kMinimumCharacters, fontMetrics().height());
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, contents, this);
}

int CElidedButton::TextRoom() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    // The style keeps a little space around the label inside the contents.
    return std::max(0, contents.width() - fontMetrics().averageCharWidth());
}

bool CElidedButton::IsElided() const {
    const QString line = OneLine(text());
    return fontMetrics().horizontalAdvance(line) > TextRoom() || line != text();
}

void CElidedButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = fontMetrics().elidedText(OneLine(text()), Qt::ElideRight, TextRoom());
    painter.drawControl(QStyle::CE_PushButton, option);
}

bool CElidedButton::event(QEvent* event) {
    return ShowWholeTextTip(*this, *event, IsElided(), text()) || QPushButton::event(event);
}

CElidedLabel::CElidedLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

QSize CElidedLabel::sizeHint() const {
    QSize size = QLabel::sizeHint();
    size.setWidth(std::min(size.width(), fontMetrics().averageCharWidth() * kPreferredCharacters));
    size.setHeight(fontMetrics().height() + contentsMargins().top() + contentsMargins().bottom());
    return size;
}

QSize CElidedLabel::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * kMinimumCharacters, sizeHint().height()};
}

bool CElidedLabel::IsElided() const {
    const QString line = OneLine(text());
    return fontMetrics().horizontalAdvance(line) > contentsRect().width() || line != text();
}

void CElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect room = contentsRect();
    const QString shown = fontMetrics().elidedText(OneLine(text()), Qt::ElideRight, room.width());
    style()->drawItemText(&painter, room, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

bool CElidedLabel::event(QEvent* event) {
    return ShowWholeTextTip(*this, *event, IsElided(), text()) || QLabel::event(event);
}

} // namespace lexaro
