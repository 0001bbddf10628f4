#include "ui/LexaroDlg.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Lexaro");
    QApplication::setOrganizationName("Corvane");
    lexaro::LexaroDlg window;
    window.show();
    return QApplication::exec();
}
