#include "ui/mainwindow/AcceleratorsFirst.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace lexaro {

AcceleratorsFirst::AcceleratorsFirst(QWidget& window) : QObject(&window), m_Window(window) {
    qApp->installEventFilter(this);
}

bool AcceleratorsFirst::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &m_Window) {
        return false;
    }
    // An ignored override lets the key go to the accelerator; the field never sees it.
    auto* key = static_cast<QKeyEvent*>(event);
    if (!IsAccelerator(key->keyCombination())) {
        return false;
    }
    key->ignore();
    return true;
}

bool AcceleratorsFirst::IsAccelerator(const QKeyCombination& keys) const {
    const QKeySequence pressed(QKeyCombination(keys.keyboardModifiers() & ~Qt::KeypadModifier, keys.key()));
    const auto actions = m_Window.findChildren<QAction*>();
    for (const QAction* action : actions) {
        if (action->isEnabled() && !action->shortcut().isEmpty() &&
            action->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
            return true;
        }
    }
    return false;
}

} // namespace lexaro
