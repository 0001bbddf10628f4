#pragma once

#include "ui/dialogs/StateDlg.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStringList>

namespace lexaro::testing {

// Notes every progress window that is shown, its title, and how far its bar had come when it was hidden.
class ProgressWatcher : public QObject {
public:
    ProgressWatcher() { qApp->installEventFilter(this); }
    ~ProgressWatcher() override { qApp->removeEventFilter(this); }

    int shown = 0;
    QString title;
    QStringList titles;
    int maximum = -1;
    int value = -1;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* progress = qobject_cast<CStateDlg*>(object);
        if (progress != nullptr && event->type() == QEvent::Show) {
            ++shown;
            title = progress->findChild<QLabel*>("m_LBLTitle")->text();
            titles << title;
        } else if (progress != nullptr && event->type() == QEvent::Hide) {
            maximum = progress->findChild<QProgressBar*>("m_Progress")->maximum();
            value = progress->findChild<QProgressBar*>("m_Progress")->value();
        }
        return false;
    }
};

} // namespace lexaro::testing
