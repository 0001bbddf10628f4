#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace lexaro::testing {

// Acts on the next modal tool window of type Dialog once it is shown, while the window's own exec() runs.
// The action must end the dialog (click OK or Cancel), otherwise the test would wait for ever.
template <typename Dialog>
void WhenShown(std::function<void(Dialog&)> action) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<Dialog*>(widget);
            if (dialog != nullptr && dialog->isVisible()) {
                timer->stop();
                timer->deleteLater();
                action(*dialog);
                return;
            }
        }
    });
    timer->start();
}

} // namespace lexaro::testing
