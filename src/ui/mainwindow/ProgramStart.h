#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace lexaro {

class LexaroDlg;
struct MainWindowServices;

// What a program built on the main window may add to the start of Lexaro; the desktop program adds nothing.
struct ProgramAdditions {
    // Called once the services are set up, before the window is made from them.
    std::function<void(MainWindowServices&)> adjustServices;
    // Called once the window has started and is shown (or sits in the tray), before the event loop runs;
    // the object returned lives until the event loop ends and goes before the window.
    std::function<std::unique_ptr<QObject>(LexaroDlg&)> attach;
};

// Starts the desktop program: the application, its identity, the storage folders, the main window with the
// files named on the command line; runs the event loop and returns the program's exit status.
int RunLexaro(int argc, char** argv, const ProgramAdditions& additions = {});

} // namespace lexaro
