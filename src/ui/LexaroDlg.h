#pragma once

#include <QMainWindow>

class QAction;

namespace lexaro {

// The main window of the desktop program.
class LexaroDlg : public QMainWindow {
    Q_OBJECT

public:
    explicit LexaroDlg(QWidget* parent = nullptr);

    // "Lexaro - <path> : <entries> [<current row>]"
    void UpdateTitle(const QString& dictionaryPath, int entryCount, int currentRow);

private:
    void CreateMenus();

    QAction* m_ACTQuit = nullptr;
};

} // namespace lexaro
