#pragma once

#include <QLabel>

namespace lexaro {

// A label that stands for a link: it shows its text underlined with a pointing cursor, and a click (or
// Enter or Space while it has the focus) asks for its target to be opened. Without a target it is plain
// text.
class CClickLabel : public QLabel {
    Q_OBJECT

public:
    CClickLabel(const QString& text, const QString& target, QWidget* parent = nullptr);

    const QString& Target() const { return m_Target; }

signals:
    void Clicked(const QString& target);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_Target;
};

} // namespace lexaro
