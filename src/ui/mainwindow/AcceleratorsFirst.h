#pragma once

#include <QObject>

class QWidget;

namespace lexaro {

// Gives a window's keyboard accelerators the keys before its fields see them. A line edit or text edit
// claims keys such as Ctrl+E, Ctrl+K or Shift+Delete for its own editing, which would swallow the command
// while such a field has the focus; keys that are no accelerator stay with the field.
class AcceleratorsFirst : public QObject {
    Q_OBJECT

public:
    // Watches the key events of every widget in window; lives as long as the window.
    explicit AcceleratorsFirst(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsAccelerator(const QKeyCombination& keys) const;

    QWidget& m_Window;
};

} // namespace lexaro
