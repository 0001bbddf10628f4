#include "app/Environment.h"
#include "app/Storage.h"
#include "ui/LexaroDlg.h"
#include "ui/QtPlatform.h"

#include <QApplication>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Lexaro");
    QApplication::setOrganizationName("Corvane");

    auto clock = std::make_shared<lexaro::SystemClock>();
    const lexaro::Environment environment = lexaro::SystemEnvironment();
    const lexaro::StartupStorage storage = lexaro::PrepareStorage(environment, *clock);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }

    lexaro::QtPrompter prompter;
    lexaro::QtFileChooser chooser;
    lexaro::QtClipboard clipboard;
    lexaro::LexaroDlg window({&prompter, &chooser, clock, &clipboard, {}});
    prompter.SetParent(&window);
    chooser.SetParent(&window);
    window.Start(storage, arguments, environment.currentDirectory);
    if (!window.IsInTray()) {
        window.show();
    }
    return QApplication::exec();
}
