#include "ui/mainwindow/LexaroDlg.h"

#include <QMouseEvent>
#include <QPushButton>

namespace lexaro {

void LexaroDlg::ApplyAlwaysOnTop() {
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, m_Settings.alwaysOnTop);
    if (wasVisible) {
        show();
    }
}

// Shows or hides the caption bar; without it the small "-" and "x" buttons stand in for it and the
// window is moved by dragging its surface. With shift the window keeps the content where it was.
void LexaroDlg::ShowCaption(bool show, bool shift) {
    const bool wasVisible = isVisible();
    QRect frame = geometry();
    setWindowFlag(Qt::FramelessWindowHint, !show);
    if (shift) {
        frame.adjust(0, show ? -25 : 25, 0, 0);
    }
    setGeometry(frame);
    m_BTNMinimize->setVisible(!show);
    m_BTNClose->setVisible(!show);
    m_CaptionShown = show;
    if (wasVisible) {
        QMainWindow::show();
    }
}

void LexaroDlg::mousePressEvent(QMouseEvent* event) {
    m_DragOrigin = event->globalPosition().toPoint();
    QMainWindow::mousePressEvent(event);
}

void LexaroDlg::mouseMoveEvent(QMouseEvent* event) {
    const QPoint now = event->globalPosition().toPoint();
    if (!m_CaptionShown && (event->buttons() & Qt::LeftButton)) {
        move(pos() + now - m_DragOrigin);
    }
    m_DragOrigin = now;
    QMainWindow::mouseMoveEvent(event);
}

void LexaroDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        ShowCaption(!m_CaptionShown, true);
        m_Settings.showTitle = m_CaptionShown;
        return;
    }
    QMainWindow::mouseDoubleClickEvent(event);
}

void LexaroDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_Settings.trayIcon && !m_InTray) {
        HideInTray();
    }
    QMainWindow::changeEvent(event);
}

} // namespace lexaro
