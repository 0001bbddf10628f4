#include "ui/qt/ToolWindow.h"

#include "table/SafeFile.h"
#include "ui/qt/FontConvert.h"

#include <QWidget>

namespace lexaro {

void ToolWindowContext::ApplyFont(QWidget& window) const {
    if (fonts) {
        ApplyUserFont(window, *fonts, fonts->UseFontHeight());
    }
}

QString FileReportText(const QString& lead, const QString& path, int error) {
    QString text = lead + QLatin1Char('\n') + path;
    const std::string reason = SystemReason(error);
    if (!reason.empty()) {
        text += QLatin1Char('\n') + QString::fromStdString(reason);
    }
    return text;
}

void ApplyDialogRect(QWidget& window, const Rect& rect) {
    if (IsMaximisedDialogRect(rect)) {
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    } else if (ShouldApplyDialogRect(rect)) {
        window.setGeometry(rect.left, rect.top, static_cast<int>(rect.Width()), static_cast<int>(rect.Height()));
    }
}

Rect DialogRectOf(const QWidget& window) {
    if (window.isMaximized()) {
        return kMaximisedDialogRect;
    }
    const QRect frame = window.geometry();
    return Rect{frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
}

} // namespace lexaro
