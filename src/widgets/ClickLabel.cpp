#include "widgets/ClickLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace lexaro {

CClickLabel::CClickLabel(const QString& text, const QString& target, QWidget* parent)
    : QLabel(text, parent), m_Target(target) {
    setTextFormat(Qt::PlainText);
    if (m_Target.isEmpty()) {
        return;
    }
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(m_Target);
}

void CClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (!m_Target.isEmpty() && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit Clicked(m_Target);
    }
}

void CClickLabel::keyPressEvent(QKeyEvent* event) {
    if (!m_Target.isEmpty() &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space)) {
        emit Clicked(m_Target);
        return;
    }
    QLabel::keyPressEvent(event);
}

} // namespace lexaro
