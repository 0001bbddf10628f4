#include "ui/mainwindow/ProgramStart.h"

#include "app/Environment.h"
#include "app/Storage.h"
#include "ui/mainwindow/LexaroDlg.h"
#include "ui/mainwindow/TrayAndClipboard.h"
#include "ui/qt/AppIdentity.h"
#include "ui/qt/QtPlatform.h"

#include <QApplication>
#include <string>
#include <vector>

namespace lexaro {

int RunLexaro(int argc, char** argv, const ProgramAdditions& additions) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Lexaro");
    QApplication::setOrganizationName("Corvane");
    ApplyApplicationIdentity();

    auto clock = std::make_shared<SystemClock>();
    const Environment environment = SystemEnvironment();
    const StartupStorage storage = PrepareStorage(environment, *clock);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }

    QtPrompter prompter;
    QtFileChooser chooser;
    QtClipboard clipboard;
    MainWindowServices services{&prompter, &chooser, clock, &clipboard, {}};
    if (additions.adjustServices) {
        additions.adjustServices(services);
    }
    LexaroDlg window(std::move(services));
    prompter.SetParent(&window);
    chooser.SetParent(&window);
    window.Start(storage, arguments, environment.currentDirectory);
    if (!window.Tray().IsInTray()) {
        window.show();
    }

    std::unique_ptr<QObject> attached;
    if (additions.attach) {
        attached = additions.attach(window);
    }
    return QApplication::exec();
}

} // namespace lexaro
