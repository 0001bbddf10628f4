#include "ui/LexaroDlg.h"
#include "ui/QtPlatform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Lexaro");
    QApplication::setOrganizationName("Corvane");
    lexaro::QtPrompter prompter;
    lexaro::QtFileChooser chooser;
    lexaro::LexaroDlg window({&prompter, &chooser, std::make_shared<lexaro::SystemClock>(), {}});
    prompter.SetParent(&window);
    chooser.SetParent(&window);
    window.show();
    if (argc > 1) {
        window.OpenFile(QString::fromLocal8Bit(argv[1]));
    }
    return QApplication::exec();
}
