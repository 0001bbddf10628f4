#pragma once

#include <QString>
#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QSystemTrayIcon;

namespace lexaro {

class EntryCommands;
class MenuTable;
struct MainWindowControls;
struct MainWindowState;

// The tray icon with its menu, and clipboard watching: text copied elsewhere is looked up (or collected as a
// new entry), and the window comes to the front for a hit when the user wants it to.
class TrayAndClipboard {
public:
    TrayAndClipboard(QMainWindow& window, MainWindowState& state, MainWindowControls& controls, const MenuTable& menus,
                     EntryCommands& entries);

    // The tray menu's Exit asks this first (unsaved changes); it ends the program only on true.
    void SetExitCheck(std::function<bool()> mayExit) { m_MayExit = std::move(mayExit); }

    void HandleClipboardText(const QString& text);
    void HideInTray();
    void RestoreFromTray();
    bool IsInTray() const { return m_InTray; }
    void RemoveTrayIcon();
    // The tray menu in the current language, its watch switch as the settings say.
    void ApplyTexts(const MainWindowState& state);
    // Shows the watch switch on after the Options turned bringing hits to the front on.
    void ShowWatchingOn();
    QMenu* Menu() const { return m_TrayMenu; }
    // The tray icon while the program sits in the tray; nullptr otherwise.
    QSystemTrayIcon* IconInUse() const { return m_InTray ? m_Tray : nullptr; }

private:
    void CreateTrayMenu();
    void ClipboardChanged();
    bool IsWatchable(const QString& text) const;

    QMainWindow& m_Window;
    MainWindowState& m_State;
    MainWindowControls& m_Controls;
    const MenuTable& m_Menus;
    EntryCommands& m_Entries;
    std::function<bool()> m_MayExit;
    QMenu* m_TrayMenu = nullptr;
    QAction* m_Activate = nullptr;
    QSystemTrayIcon* m_Tray = nullptr;
    bool m_InTray = false;
};

} // namespace lexaro
