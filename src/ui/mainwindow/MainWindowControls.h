#pragma once

#include <QFont>
#include <QString>

class QComboBox;
class QLabel;
class QMainWindow;
class QPushButton;

namespace lexaro {

class CScriptEdit;
class FontSettings;
struct MainWindowState;

// The controls of the main window's surface: the term box with its buttons, the explanation pane, the date
// line and the small frame buttons shown when the caption is hidden. Created once, owned by the window.
struct MainWindowControls {
    // Builds the controls and their layout as the window's central widget.
    explicit MainWindowControls(QMainWindow& window);

    // The labels' and buttons' texts and tooltips in the current language.
    void ApplyTexts(const MainWindowState& state);
    // The user's font on the window, its controls and the pane; "+" and "-" keep their own big signs.
    void ApplyFonts(QMainWindow& window, const FontSettings& fonts);

    QString TermText() const;
    QString PaneText() const;

    QLabel* m_LBLTerm = nullptr;
    QComboBox* m_CBBTerm = nullptr;
    QPushButton* m_BTNSpeak = nullptr;
    QPushButton* m_BTNSearch = nullptr;
    QPushButton* m_BTNAdd = nullptr;
    QPushButton* m_BTNDelete = nullptr;
    QPushButton* m_BTNLast = nullptr;
    QPushButton* m_BTNNext = nullptr;
    QLabel* m_LBLExplanation = nullptr;
    CScriptEdit* m_EDTExplanation = nullptr;
    QLabel* m_LBLDate = nullptr;
    QPushButton* m_BTNMinimize = nullptr;
    QPushButton* m_BTNClose = nullptr;

private:
    static QFont SignFont();
};

} // namespace lexaro
