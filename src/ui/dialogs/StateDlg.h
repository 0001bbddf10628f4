#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace lexaro {

// The progress window shown while a long operation runs on the window thread: a title and one bar.
class CStateDlg : public QDialog {
    Q_OBJECT

public:
    CStateDlg(QWidget* parent, const QString& text);

    void SetRange(int maximum);
    void Step();
    void SetValue(int value);
    // Moves the bar and lets the window system repaint while the caller keeps the thread busy. Meant to be
    // called a few dozen times per operation; input stays blocked by the window's modality.
    void Advance(int value);

    // The caller keeps the window thread busy after showing this window, so showing it lets the
    // pending events through once and paints it.
    void setVisible(bool visible) override;

private:
    QLabel* m_LBLTitle;
    QProgressBar* m_Progress;
};

} // namespace lexaro
