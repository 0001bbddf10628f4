#pragma once

#include <functional>

class QMainWindow;

namespace lexaro {

class FileCommands;
class MenuTable;
class TrayAndClipboard;
class WindowFrame;
struct MainWindowControls;
struct MainWindowState;
struct Settings;

// The Options window and the language window, and what changes at once when they close.
class OptionsCommands {
public:
    // textsChanged is called after another interface language was chosen.
    OptionsCommands(QMainWindow& window, MainWindowState& state, const MenuTable& menus, MainWindowControls& controls,
                    FileCommands& files, WindowFrame& frame, TrayAndClipboard& tray,
                    std::function<void()> textsChanged);

private:
    void OpenOptions();
    // What changes at once after the Options window; everything else is read where it is used.
    void ApplyOptions(const Settings& before);
    void OpenLanguageDialog();

    QMainWindow& m_Window;
    MainWindowState& m_State;
    MainWindowControls& m_Controls;
    FileCommands& m_Files;
    WindowFrame& m_Frame;
    TrayAndClipboard& m_Tray;
    std::function<void()> m_TextsChanged;
};

} // namespace lexaro
