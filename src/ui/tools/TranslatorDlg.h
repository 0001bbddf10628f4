#pragma once

#include "app/Settings.h"
#include "ui/qt/ToolWindow.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace lexaro {

class ClassTable;

// The translator window: translates the source text word by word with the open dictionary's entries.
class CTranslatorDlg : public QDialog {
    Q_OBJECT

public:
    // The dictionary is the open dictionary's entry table; it is read, never changed.
    CTranslatorDlg(const ToolWindowContext& context, ClassTable& dictionary, const Rect& windowRect,
                   QWidget* parent = nullptr);

    // Runs the translation of the source text into the result box, with the progress window shown.
    void Translate();
    // The rectangle to remember, taken when the window closes.
    const Rect& WindowRect() const { return m_WindowRect; }

    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ArrangeControls();

    ToolWindowContext m_Context;
    ClassTable& m_Dictionary;
    Rect m_WindowRect;

    QCheckBox* m_CHKSwap;
    QCheckBox* m_CHKOrigin;
    QCheckBox* m_CHKLineFeed;
    QCheckBox* m_CHKMultiple;
    QLabel* m_LBLTransMode;
    QComboBox* m_CBBTransMode;
    QLabel* m_LBLSource;
    QPlainTextEdit* m_EDTSource;
    QLabel* m_LBLDest;
    QPlainTextEdit* m_EDTDest;
    QPushButton* m_BTNTranslate;
    QPushButton* m_BTNCancel;
};

} // namespace lexaro
