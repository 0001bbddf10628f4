#pragma once

#include <QString>
#include <string_view>

class QMainWindow;

namespace lexaro {

class MenuTable;
struct MainWindowControls;
struct MainWindowState;

// The "?" menu (help page, licence, change notes, update check, info box) and the links in the pane: what
// the desktop opens, with a message when it cannot.
class HelpCommands {
public:
    HelpCommands(QMainWindow& window, MainWindowState& state, const MenuTable& menus, MainWindowControls& controls);

    // Opens a page, a file or an address with the desktop and tells the user when that fails.
    void OpenWithDefaultHandler(const QString& url);

private:
    void OpenHelp();
    void OpenDataFile(std::string_view name);
    void ShowInfo();
    // Web and mail links open at once; anything else (a file or a program) only after the user agreed.
    void OpenLink(const QString& url);

    QMainWindow& m_Window;
    MainWindowState& m_State;
};

} // namespace lexaro
