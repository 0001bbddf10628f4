#pragma once

#include <QLabel>
#include <QPushButton>

namespace lexaro {

// A button whose text may be far longer than the room a window has for it (a multiple-choice answer can
// be a whole explanation). It asks for the room of a short text only, shows as much of its text as fits,
// ending in "...", and shows the whole text as tooltip when it is cut. text() stays the whole text.
class CElidedButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool IsElided() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    int TextRoom() const;
};

// The same for a one-line plain-text label, such as a status line that repeats an explanation.
class CElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit CElidedLabel(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool IsElided() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};

} // namespace lexaro
