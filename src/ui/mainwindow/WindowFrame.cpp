#include "ui/mainwindow/WindowFrame.h"

#include "app/Settings.h"
#include "ui/mainwindow/MainWindowControls.h"
#include "ui/mainwindow/TrayAndClipboard.h"

#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>

namespace lexaro {

WindowFrame::WindowFrame(QMainWindow& window, Settings& settings, MainWindowControls& controls, TrayAndClipboard& tray)
    : QObject(&window), m_Window(window), m_Settings(settings), m_Controls(controls), m_Tray(tray) {
    window.installEventFilter(this);
}

void WindowFrame::ApplyAlwaysOnTop() {
    const bool wasVisible = m_Window.isVisible();
    m_Window.setWindowFlag(Qt::WindowStaysOnTopHint, m_Settings.alwaysOnTop);
    if (wasVisible) {
        m_Window.show();
    }
}

// Without the caption bar the small "-" and "x" buttons stand in for it.
void WindowFrame::ShowCaption(bool show, bool shift) {
    const bool wasVisible = m_Window.isVisible();
    QRect frame = m_Window.geometry();
    m_Window.setWindowFlag(Qt::FramelessWindowHint, !show);
    if (shift) {
        frame.adjust(0, show ? -25 : 25, 0, 0);
    }
    m_Window.setGeometry(frame);
    m_Controls.m_BTNMinimize->setVisible(!show);
    m_Controls.m_BTNClose->setVisible(!show);
    m_CaptionShown = show;
    if (wasVisible) {
        m_Window.show();
    }
}

bool WindowFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_Window) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_DragOrigin = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        break;
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint now = mouse->globalPosition().toPoint();
        if (!m_CaptionShown && (mouse->buttons() & Qt::LeftButton)) {
            m_Window.move(m_Window.pos() + now - m_DragOrigin);
        }
        m_DragOrigin = now;
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            ShowCaption(!m_CaptionShown, true);
            m_Settings.showTitle = m_CaptionShown;
            return true;
        }
        break;
    case QEvent::WindowStateChange:
        if (m_Window.isMinimized() && m_Settings.trayIcon && !m_Tray.IsInTray()) {
            m_Tray.HideInTray();
        }
        break;
    default:
        break;
    }
    return false;
}

void WindowFrame::ApplySettings(const Settings& s) {
    ApplyAlwaysOnTop();
    if (!s.rememberPos) {
        return;
    }
    if (HideCaptionAtStart(s)) {
        ShowCaption(false, false);
    }
    if (s.winPos.maximised) {
        m_Window.setWindowState(m_Window.windowState() | Qt::WindowMaximized);
    } else if (ShouldApplyWindowRect(s.winPos.rect)) {
        m_Window.setGeometry(s.winPos.rect.left, s.winPos.rect.top, static_cast<int>(s.winPos.rect.Width()),
                             static_cast<int>(s.winPos.rect.Height()));
    }
}

void WindowFrame::CollectSettings(Settings& s) const {
    s.winPos.maximised = m_Window.isMaximized();
    const bool away = m_Window.isMinimized() || m_Window.isMaximized();
    const QRect frame = away ? m_Window.normalGeometry() : m_Window.geometry();
    s.winPos.rect = Rect{frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
}

} // namespace lexaro
