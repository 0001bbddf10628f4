#include "ui/LexaroDlg.h"

#include <QAction>
#include <QMenuBar>

namespace lexaro {

LexaroDlg::LexaroDlg(QWidget* parent) : QMainWindow(parent) {
    setObjectName("LexaroDlg");
    CreateMenus();
    UpdateTitle(QStringLiteral("<noname>"), 0, 0);
    resize(640, 480);
}

void LexaroDlg::UpdateTitle(const QString& dictionaryPath, int entryCount, int currentRow) {
    setWindowTitle(QStringLiteral("Lexaro - %1 : %2 [%3]").arg(dictionaryPath).arg(entryCount).arg(currentRow));
}

void LexaroDlg::CreateMenus() {
    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->setObjectName("ID_MEN_FILE");
    m_ACTQuit = fileMenu->addAction(tr("Quit"));
    m_ACTQuit->setObjectName("ID_MEN_QUIT");
    m_ACTQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(m_ACTQuit, &QAction::triggered, this, &QWidget::close);
}

} // namespace lexaro
